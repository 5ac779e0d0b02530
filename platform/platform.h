// The desktop platform layer: windows, messages, MDI, menus, dialogs, GDI
// drawing, clipboard, dropped files and RIFF reading, presented through SDL2
// or headless. This is the folder's public header.
#pragma once
#include "platform/win_types.h"
#include "platform/win_user.h"
#include "platform/win_gdi.h"
#include "platform/win_system.h"
#include "platform/platform_host.h"
