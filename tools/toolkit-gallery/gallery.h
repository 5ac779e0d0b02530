// The toolkit gallery: one toolkit window holding every control in its
// main variants, each reporting what it does in a status line. The
// toolkit-gallery program shows it; the toolkit tests drive and photograph it.
#pragma once
#include "toolkit/toolkit.h"
#include <string>

// The gallery's toolkit window and its client size.
enum { kGalleryWindow = 1, kGalleryWidth = 708, kGalleryHeight = 524, kGalleryObjects = 100 };

// Object ids of the gallery window.
enum {
    kGalNumboxPanel = 1,
    kGalDraggyPanel,
    kGalPopupPanel,
    kGalButtonPanel,
    kGalDisplayPanel,
    kGalMatrixPanel,
    kGalListPanel,
    kGalPanelsPanel,
    kGalKeyboardPanel,
    kGalLevelBox = 11,
    kGalHertzBox,
    kGalPhaseBox,
    kGalBeatBox,
    kGalRangeBox,
    kGalLevel = 21,
    kGalLevelText,
    kGalFader,
    kGalPad,
    kGalWheel,
    kGalWavePopup = 31,
    kGalModePopup,
    kGalGlyphPopup,
    kGalStore = 41,
    kGalLed,
    kGalRound,
    kGalTab1,
    kGalTab2,
    kGalTab3,
    kGalMulti,
    kGalDisabled,
    kGalToggle,
    kGalName1 = 51,
    kGalName2,
    kGalName3,
    kGalNameHint,
    kGalMatrix = 61,
    kGalList = 71,
    kGalInnerToggle = 81,
    kGalInner,
    kGalInnerBox,
    kGalInnerLevel,
    kGalInnerLed,
    kGalInnerText,
    kGalMove,
    kGalKeyboard = 91,
    kGalHold,
    kGalStop,
    kGalStatus
};
// The registry menu hung under the wave pop-up's "More" item.
enum { kGalleryMoreMenu = 5 };

// Registers the gallery's artwork and loads it into the bitmap store
// (which loadBitmaps makes when it is missing); 1 or 0.
int gallery_registerArt(void);
// Creates every control in the current window (attached to the toolkit,
// kGalleryObjects objects at least).
void gallery_build(void);
// What the last control reported, as the status line shows it.
const std::string& gallery_lastEvent(void);
// The gallery as an MDI child of client: class, window, toolkit window
// kGalleryWindow with its controls, shown. The window or null.
HWND gallery_open(HWND client);
