// The envelope transform window: a non-MDI window with a dialog-modal frame
// (toolkit window 14), created once from its row of the window table and
// opened by the Envelope window's "Transform..." pop-up. While it is open
// the Envelope window's editing is disabled. All 24 envelopes are saved at
// the opening; every change of a box or of the list runs the transform from
// the saved envelopes and writes all 24 into the instrument, so the plug-in
// plays the preview. OK keeps it, Cancel writes the saved envelopes back.
//
// Index:
//   state .............. the saved and edited envelopes, the list box
//   procedure .......... wEnvTrans_WndProc, the list box's creation
//   show and modes ..... wEnvTrans_show, wEnvTrans_setMode
//   list ............... filling, the visible envelopes, what is edited
//   transform .......... run, dump, restore, OK and Cancel
#include <cstdio>
#include <cstring>

#include "resources/resources.h"
#include "windows/editorWindow.h"

// ---- state ---------------------------------------------------------------------------------------
envInstRec envInstOrig[kEnvSlots], envInstEdit[kEnvSlots];

namespace {
HWND listBox = nullptr;
WNDPROC listProc = nullptr;  // the list box's own procedure

// Return in the list acts as in the window: OK.
LRESULT CALLBACK listKeys(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_KEYDOWN && wParam == VK_RETURN) return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    return CallWindowProcA(listProc, hwnd, msg, wParam, lParam);
}
// The instrument whose envelopes the window holds; null while it is closed.
instRec* openInst = nullptr;

struct currentScope {
    short saved;
    explicit currentScope(short id) : saved(window_getCurrent()) { window_setCurrent(id); }
    ~currentScope() { window_setCurrent(saved); }
};

// The instrument still holds what the window wrote last (or found).
bool stillHolds()
{
    if (!openInst || openInst != gInst) return false;
    for (short i = 0; i < kEnvSlots; ++i)
        if (std::memcmp(inst_getEnvInst(gInst, i), &envInstEdit[i], sizeof(envInstRec)) != 0) return false;
    return true;
}

// Closes the window and gives the Envelope window its editing back.
void closeWindow()
{
    openInst = nullptr;
    envEd_enableAll(1);
    window_show(winId_envTransform, 0);
    window_setCurrent(winId_envelope);
}

// The strips and the breakpoint panel show the envelopes as they are now.
void redrawEnvelopes()
{
    currentScope scope(winId_envelope);
    envInstRec* env = envEd_getEnvInstRec();
    if (env && g_envEd_selectedBp > envEd_lastPoint(env)) g_envEd_selectedBp = kEnvBpNone;
    envEd_drawAll();
    wEnv_updateEnvParams();
}
}  // namespace

// ---- procedure -----------------------------------------------------------------------------------
void wEnvTrans_makeWindow() { editorWindow_make(windowTable_find(winId_envTransform)); }

void wEnvTrans_build()
{
    editorWindow_loadArtwork(kResEnvTransPanel, res_registerEnvTransformArt);
    wEnvTrans_makeParams();
    // The list speaks in the toolkit's font.
    short font = font_new(1, 9);
    if (listBox && font != kFontFree)
        SendMessageA(listBox, WM_SETFONT, reinterpret_cast<WPARAM>(font_getHFONT(font)), FALSE);
}

HWND wEnvTrans_listBox() { return listBox; }

LRESULT CALLBACK wEnvTrans_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_envTransform, hwnd, msg, wParam, lParam, 0);
    if (object >= kEnvTransTimeScale && openInst) makePresetDirty();
    switch (msg) {
    case WM_CREATE:
        listBox = CreateWindowExA(0, "listbox", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                                      LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                                  10, 43, 111, 190, hwnd,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(kEnvTransList)),
                                  platform_instance(), nullptr);
        if (listBox)
            listProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listKeys)));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEnvTransList && HIWORD(wParam) == LBN_SELCHANGE && openInst) {
            window_manualPreProcess(winId_envTransform);
            wEnvTrans_transform();
            window_manualPostProcess(winId_envTransform);
            makePresetDirty();
        }
        return 0;
    default: break;
    }
    if (dialogWindow_commonMessage(winId_envTransform, kEnvTransOk, wEnvTrans_callback_okCancel, hwnd, msg,
                                   wParam))
        return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- show and modes --------------------------------------------------------------------------------
void wEnvTrans_show(int show, int kind)
{
    if (!window_getHWND(winId_envTransform)) return;
    if (!show) {
        closeWindow();
        return;
    }
    if (!gInst || kind < kEnvTransScale || kind > kEnvTransGenAR) return;
    envEd_enableAll(0);
    wEnvTrans_fillList();
    wEnvTrans_loadAllEnvToBuffer();
    openInst = gInst;
    wEnvTrans_setMode(static_cast<short>(kind));
    window_show(winId_envTransform, 1);
    SetFocus(window_getHWND(winId_envTransform));  // Return acts as OK at once
}

void wEnvTrans_setMode(short kind)
{
    if (kind < kEnvTransScale || kind > kEnvTransGenAR) return;
    currentScope scope(winId_envTransform);
    wEnvTrans_mode = kind;
    wEnvTrans_updatePanel(kind);
    for (short p = kEnvTransScalePanel; p <= kEnvTransGenARPanel; ++p)
        panel_show(p, p == kind - kEnvTransScale + kEnvTransScalePanel);
}

int wEnvTrans_isOpen() { return openInst != nullptr; }

void wEnvTrans_checkStillOpen()
{
    if (openInst && !stillHolds()) closeWindow();
}

// ---- list --------------------------------------------------------------------------------------------
void wEnvTrans_fillList()
{
    if (!listBox) return;
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    for (short line = 0; line < kEnvSlots && gInst; ++line) {
        if (envIdList[line] == 0xFFFF) break;
        const envInstRec* env = inst_getEnvInst(gInst, static_cast<short>(envIdList[line]));
        char name[24];
        envEd_getName(name, env->param, env->channel);
        if (!name[0]) std::snprintf(name, sizeof name, "envelope %d", envIdList[line] + 1);
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    wEnvTrans_selectVisible();
}

void wEnvTrans_selectVisible()
{
    if (!listBox) return;
    LRESULT lines = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
    for (short line = 0; line < lines; ++line)
        SendMessageA(listBox, LB_SETSEL,
                     wEnv_envIsVisible(static_cast<short>(envIdList[line])) ? TRUE : FALSE,
                     static_cast<LPARAM>(line));
}

int wEnvtrans_shallWeEditThisEnv(short index)
{
    if (!listBox) return 0;
    LRESULT lines = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
    for (short line = 0; line < lines && line < kEnvSlots; ++line)
        if (envIdList[line] == static_cast<unsigned short>(index))
            return SendMessageA(listBox, LB_GETSEL, static_cast<WPARAM>(line), 0) > 0;
    return 0;
}

// ---- transform -----------------------------------------------------------------------------------------
void wEnvTrans_loadAllEnvToBuffer()
{
    if (!gInst) return;
    for (short i = 0; i < kEnvSlots; ++i) envInstOrig[i] = envInstEdit[i] = *inst_getEnvInst(gInst, i);
}

void wEnvTrans_transform()
{
    if (!openInst) return;
    if (!stillHolds()) {
        // Another preset or instance came in: its envelopes are not ours to write.
        closeWindow();
        return;
    }
    const double target = wEnvTrans_setDurTarget(setDur_tempoBased, setDur_seconds, setDur_bpm, setDur_beats);
    for (short i = 0; i < kEnvSlots; ++i) {
        const envInstRec* from = &envInstOrig[i];
        envInstRec* to = &envInstEdit[i];
        if (from->param < 1 || !wEnvtrans_shallWeEditThisEnv(i)) {
            *to = *from;
            continue;
        }
        switch (wEnvTrans_mode) {
        case kEnvTransScale:
            wEnvTrans_scaleEnv(from, to, scale_time, scale_amp, scale_ampOffset, scale_slope);
            break;
        case kEnvTransSetDur: wEnvTrans_setDurEnv(from, to, target); break;
        case kEnvTransGenAR:
            wEnvTrans_genAREnv(from, to, genAR_bpm, genAR_beatDur, genAR_numBeats, genAR_attackTime,
                               genAR_minAmp, genAR_slope);
            break;
        default: *to = *from; break;
        }
    }
    wEnvTrans_dumpAllEditEnv();
}

void wEnvTrans_dumpAllEditEnv()
{
    if (!gInst) return;
    for (short i = 0; i < kEnvSlots; ++i) *inst_getEnvInst(gInst, i) = envInstEdit[i];
    redrawEnvelopes();
}

void wEnvTrans_restoreOrigEnv()
{
    if (!gInst) return;
    for (short i = 0; i < kEnvSlots; ++i) *inst_getEnvInst(gInst, i) = envInstEdit[i] = envInstOrig[i];
    redrawEnvelopes();
}

void wEnvTrans_callback_okCancel(short id)
{
    if (id != kEnvTransOk && id != kEnvTransCancel) return;
    const bool ours = stillHolds();
    if (id == kEnvTransCancel) {
        if (ours) wEnvTrans_restoreOrigEnv();
    } else if (ours) {
        // One envelope changed: Edit > Undo takes the transform back. More
        // than one: the single envelope undo no longer tells the last edit.
        short changed = -1, count = 0;
        for (short i = 0; i < kEnvSlots; ++i)
            if (std::memcmp(&envInstOrig[i], &envInstEdit[i], sizeof(envInstRec)) != 0) {
                changed = i;
                ++count;
            }
        if (count == 1) {
            envInstUndo = envInstOrig[changed];
            undoId = changed;
            undo_setMode(2);
        } else if (count > 1) {
            undoId = -1;
            if (undo_getMode() == 2) undo_setMode(0);
        }
    }
    closeWindow();
}
