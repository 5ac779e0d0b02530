// The Envelope window: an MDI child of class "wEnv_Wnd", toolkit window 7,
// created once at start-up from its row of the window table and hidden or
// shown thereafter. This file holds its procedure with the two scroll bars,
// the layout on resizing, and the building of its controls.
//
// Index:
//   procedure .......... wEnv_WndProc, scrolling
//   layout ............. wEnv_resize, wEnv_resizeDisplayArea, scroll bars
//   controls ........... wEnv_build, wEnv_makeParams
#include <cmath>

#include "resources/resources.h"
#include "windows/editorWindow.h"

namespace {
HWND hBar = nullptr, vBar = nullptr;
int built = 0;  // the controls exist (WM_SIZE comes before them at creation)

struct currentScope {
    short saved;
    currentScope() : saved(window_getCurrent()) { window_setCurrent(winId_envelope); }
    ~currentScope() { window_setCurrent(saved); }
};

void hScroll(int code)
{
    double t = envEd_startTime;
    switch (code) {
    case SB_LINELEFT: t -= 10.0 / envEd_pixPerSec; break;
    case SB_LINERIGHT: t += 10.0 / envEd_pixPerSec; break;
    case SB_PAGELEFT: t -= 50.0 / envEd_pixPerSec; break;
    case SB_PAGERIGHT: t += 50.0 / envEd_pixPerSec; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(hBar, SB_CTL, &si);
        t = si.nTrackPos * 0.01;
        break;
    }
    case SB_TOP: t = 0.0; break;
    default: return;
    }
    if (t < 0.0) t = 0.0;
    SetScrollPos(hBar, SB_CTL, static_cast<int>(std::trunc(t * 100)), TRUE);
    envEd_setStartTime(t);
    currentScope scope;
    envEd_drawAll();
    envEd_hScale_draw(kEnvTimeRuler);
}

void vScroll(int code)
{
    long pos = envEd_vScrollPos;
    long scale = envEd_getVScrollScale();
    switch (code) {
    case SB_LINEUP: pos -= scale / 8; break;
    case SB_LINEDOWN: pos += scale / 8; break;
    case SB_PAGEUP: pos -= scale; break;
    case SB_PAGEDOWN: pos += scale; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(vBar, SB_CTL, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = 0; break;
    default: return;
    }
    envEd_vScroll(pos);
}
}  // namespace

// ---- procedure --------------------------------------------------------------------------------------
LRESULT CALLBACK wEnv_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short object = window_preProcess(winId_envelope, hwnd, msg, wParam, lParam, 0);
    // The strips (6 and up) edit too: a touched one marks the preset dirty.
    if (object >= kEnvFirstStrip) makePresetDirty();
    LRESULT result;
    if (editorWindow_commonMessage(winId_envelope, hwnd, msg, wParam, &result)) return result;
    switch (msg) {
    case WM_CREATE:
        hBar = CreateWindowExA(0, "scrollbar", nullptr, WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 10, kEnvBar,
                               hwnd, nullptr, platform_instance(), nullptr);
        vBar = CreateWindowExA(0, "scrollbar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, kEnvBar, 10,
                               hwnd, nullptr, platform_instance(), nullptr);
        SetScrollRange(hBar, SB_CTL, 0, 8000, FALSE);
        SetScrollPos(hBar, SB_CTL, 0, FALSE);
        SetScrollRange(vBar, SB_CTL, 0, 2048, FALSE);
        SetScrollPos(vBar, SB_CTL, 0, FALSE);
        return 0;
    case WM_SIZE: {
        int w = LOWORD(lParam), h = HIWORD(lParam);
        if (hBar) MoveWindow(hBar, kEnvStripLeft, h - kEnvBar, w - kEnvBar - kEnvStripLeft, kEnvBar, TRUE);
        if (vBar) MoveWindow(vBar, w - kEnvBar, kEnvStripTop, kEnvBar, h - kEnvBar - kEnvStripTop, TRUE);
        if (built) {
            window_manualPreProcess(winId_envelope);
            wEnv_resize();
            window_manualPostProcess(winId_envelope);
        }
        break;
    }
    case WM_GETMINMAXINFO: {
        // A border drag stops at the header and one strip.
        int width = 0, height = 0;
        if (windows_contentSize(winId_envelope, &width, &height)) {
            MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
            mm->ptMinTrackSize = POINT{width, height};
        }
        return 0;
    }
    case WM_HSCROLL:
        window_manualPreProcess(winId_envelope);
        hScroll(LOWORD(wParam));
        window_manualPostProcess(winId_envelope);
        return 0;
    case WM_VSCROLL:
        window_manualPreProcess(winId_envelope);
        vScroll(LOWORD(wParam));
        window_manualPostProcess(winId_envelope);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdEnvUpdateParambox) {
            window_manualPreProcess(winId_envelope);
            wEnv_updateParamNumbox();
            window_manualPostProcess(winId_envelope);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return 0;
    default: break;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

// ---- layout -----------------------------------------------------------------------------------------
HWND wEnv_hScrollBar() { return hBar; }
HWND wEnv_vScrollBar() { return vBar; }

void wEnv_updateScrollBars()
{
    if (hBar) SetScrollPos(hBar, SB_CTL, static_cast<int>(std::trunc(envEd_startTime * 100)), TRUE);
    if (!vBar) return;
    RECT client;
    GetClientRect(window_getHWND(winId_envelope), &client);
    int shown = 0;
    for (short id = kEnvFirstStrip; id <= kEnvLastStrip; ++id)
        if (custom_getVisible(id)) ++shown;
    long room = client.bottom - kEnvBar - kEnvStripTop;
    long most = shown * envEd_height - room;
    SetScrollRange(vBar, SB_CTL, 0, most > 0 ? static_cast<int>(most) : 0, FALSE);
    SetScrollPos(vBar, SB_CTL, static_cast<int>(envEd_vScrollPos), TRUE);
}

void wEnv_resize()
{
    if (!built) return;
    currentScope scope;
    RECT client;
    GetClientRect(window_getHWND(winId_envelope), &client);
    const short h = static_cast<short>(client.bottom);
    pic_setSize(kEnvListFrameSide, kEnvColumnWidth, static_cast<short>(h > 137 ? h - 137 : 0));
    pic_move(kEnvListFrameBottom, 0, static_cast<short>(h - 13));
    list_resizeH(kEnvList, static_cast<short>(h - 13));
    wEnv_resizeDisplayArea();
    InvalidateRect(window_getHWND(winId_envelope), nullptr, FALSE);
}

void wEnv_resizeDisplayArea()
{
    if (!built) return;
    envEd_restack();
}

// ---- controls ---------------------------------------------------------------------------------------
namespace {
void emptyAreaEvent(short id, long event, long, long)
{
    if (event != kCustomDraw) return;
    RECT r;
    custom_getRect(id, &r);
    if (r.bottom > r.top) editorWindow_fillBackground(&r, 1);
}

const char* const kModeItems[] = {"Release", "Sustain", "Loop", "Retrigger"};
const char* const kTransformItems[] = {"Scale...", "Set Duration...", "Generate AR Pulse...", "-",
                                       "Initialize Selected Envelope"};
}  // namespace

void wEnv_build()
{
    editorWindow_loadArtwork(kEnvHeaderPict, res_registerEnvArt);
    wEnv_makeParams();
}

void wEnv_makeParams()
{
    // The view and modes start as the controls show them.
    envEd_pixPerSec = 128.0;
    envEd_pixPerSecCoef = 1.0 / 128.0;
    envEd_startTime = 0.0;
    envEd_height = 128;
    envEd_vScrollPos = 0;
    g_envEd_drawGrid = 0;
    g_envEd_lock = 0;
    autoscale = 0;
    g_envEd_selectedEnv = g_envEd_selectedBp = kEnvBpNone;
    currentEditEnv = -1;
    undoId = -1;
    RECT client;
    GetClientRect(window_getHWND(winId_envelope), &client);
    const short h = static_cast<short>(client.bottom);
    custom_new(kEnvEmptyArea, kEnvStripLeft, kEnvStripTop, 100, 100, emptyAreaEvent);
    clickObject_get(winId_envelope, kEnvEmptyArea)->enabled = 0;

    panel_enableAutoAdd(1);
    panel_new(kEnvHeaderPanel, 0, 0, 0, 0, 0, kEnvHeaderPict, nullptr);
    panel_setAutoAdd(kEnvHeaderPanel);
    // The list and its frame in the left column.
    pic_new(kEnvListFrameHead, 0, kEnvRulerTop, kPicNoZone, kEnvListHeadPict, 1, nullptr);
    pic_new(kEnvListFrameTop, 0, 111, kPicNoZone, kEnvListTopPict, 1, nullptr);
    pic_newStretch(kEnvListFrameSide, 0, 124, kEnvColumnWidth, static_cast<short>(h > 137 ? h - 137 : 0),
                   kPicNoZone | kPicStretch, kEnvListSidePict, 1, nullptr);
    pic_new(kEnvListFrameBottom, 0, static_cast<short>(h - 13), kPicNoZone, kEnvListBottomPict, 1, nullptr);
    list_currentFontSize = 9;
    list_new(kEnvList, 7, 125, 124, static_cast<short>(h - 13 - 125), 14, kEnvSlots, 0, kEnvListLinePict,
             wEnv_callback_list);
    button_new(kEnvNewButton, 32, kEnvRulerTop, 0, kEnvNewPict, "", 1, 0, 1, wEnv_callback_newButton);
    // Tempo and the edit modes.
    button_new(kEnvAutoscale, 14, 67, kButtonToggle, kEnvAutoscalePict, "", 1, 0, 1, wEnv_callback_toggles);
    button_new(kEnvSlide, 138, 65, kButtonToggle, kEnvSlidePict, "", 1, 1, 1, wEnv_callback_toggles);
    button_new(kEnvGrid, 217, 65, kButtonToggle, kEnvGridPict, "", 1, 0, 1, wEnv_callback_toggles);
    display_setDefaultColors(RGBColor{251, 251, 216}, RGBColor{0, 0, 0});
    numbox_new(kEnvBpm, 39, 31, 56, 2, 2, 120, 20, 1000, numbox_incPointOne, wEnv_callback_bpmNumbox, "");
    numbox_new(kEnvBeats, 39, 48, 56, 2, 4, 8, 0.0125, 128, numbox_incBeat, wEnv_callback_beatNumbox, "");
    display_currentSize = 9;
    display_new(kEnvNameDisplay, 144, 6, 86, "", 0, 0, kDisplayLeft, nullptr, nullptr);
    // The breakpoint panel.
    panel_new(kEnvBpPanel, 305, 48, 0, 0, 0, kEnvBpPanelPict, nullptr);
    panel_setAutoAdd(kEnvBpPanel);
    numbox_new(kEnvTimeBox, 349, 50, 56, 2, 4, 0, 0.0001, 9999, numbox_envTimeIncrement,
               wEnv_callback_timeNumbox, "");
    numbox_new(kEnvPosBox, 349, 66, 56, 2, 4, 0, 0.0001, 9999, numbox_envTimeIncrement,
               wEnv_callback_timeNumbox, "");
    numbox_new(kEnvLevelBox, 471, 50, 60, 2, 4, 1, 0, 1, numbox_incPointZeroOne, wEnv_callback_ampNumbox, "");
    numbox_new(kEnvParamBox, 465, 66, 66, 2, 4, 0, 0, 1, numbox_incPointZeroOne, wEnv_callback_paramNumbox,
               "");
    numbox_new(kEnvSlopeBox, 595, 50, 50, 2, 4, 0.5, 0.001, 100, numbox_incPointOne,
               wEnv_callback_slopeNumbox, "");
    // The mode and transform panel, shown while an envelope is selected.
    panel_setAutoAdd(kEnvHeaderPanel);
    panel_new(kEnvModePanel, 319, 13, 0, 0, 0, kEnvModePanelPict, nullptr);
    panel_setAutoAdd(kEnvModePanel);
    popup_setDefaultColors(RGBColor{198, 198, 198}, RGBColor{22, 16, 49}, RGBColor{250, 250, 215},
                           RGBColor{66, 85, 92});
    popup_setCurrentFontSize(9);
    popup_new(kEnvModePopup, 349, 16, 87, 14, 0, 0, "", 1, wEnv_callback_modePopup);
    for (short i = 0; i < 4; ++i)
        popup_addItem(kEnvModePopup, static_cast<short>(i + 1), 1, kModeItems[i], 0);
    popup_new(kEnvTransformPopup, 470, 16, 92, 14, kPopupTitleInside, 0, "Transform...", 1,
              wEnv_callback_transformPopup);
    for (short i = 0; i < 5; ++i)
        popup_addItem(kEnvTransformPopup, static_cast<short>(i + 1), 1, kTransformItems[i], 0);
    panel_setAutoAdd(kEnvHeaderPanel);
    panel_enableAutoAdd(0);

    // Rulers and strips: strips 6, 7 and 8 start with envelopes 0, 1 and 2.
    envEd_newHScale(kEnvTimeRuler, kEnvStripLeft, kEnvRulerTop);
    envEd_newVScale(kEnvLevelRuler, kEnvColumnWidth, kEnvStripTop - 1);
    for (short k = 0; k < kEnvStrips; ++k) {
        short id = static_cast<short>(kEnvFirstStrip + k);
        envEd_new(id, kEnvStripLeft, static_cast<short>(kEnvStripTop + 128 * k));
        envEd_setEnvId(id, k < 3 ? k : -1);
        custom_show(id, k < 3);
    }
    window_setPrepareUndoCallback(winId_envelope, wEnv_undoCallback);
    panel_show(kEnvModePanel, 0);
    built = 1;
    wEnv_resize();
    wEnv_updateEnvList();
}

int wEnv_minimumContentSize(short* width, short* height)
{
    if (!window_getHWND(winId_envelope)) return 0;
    // The header's picture runs on beyond any window; the breakpoint panel
    // ends the part of it that holds controls.
    const clickObjectRec* bpPanel = clickObject_get(winId_envelope, kEnvBpPanel);
    if (!bpPanel || bpPanel->type != kTypePanel || bpPanel->rect.right <= 0) return 0;
    const short oneStrip = 48;
    *width = static_cast<short>(bpPanel->rect.right + kEnvBar);
    *height = static_cast<short>(kEnvStripTop + oneStrip + kEnvBar);
    return 1;
}
