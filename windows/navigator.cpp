// The navigator: a floating strip of buttons that brings any editor window
// to the front, in a vertical form (window 9) and a horizontal one (window
// 10), with a button that switches between the two forms.
#include "windows/editorWindow.h"

namespace {
enum { kToggle = 11, kButtonCount = 8 };
enum { kPictNormal = 0, kPictSelected = 1 };

struct navButtonRec {
    short id;
    short x[2], y[2];  // vertical form, horizontal form
    short bitmap[2];
};
// The buttons of both forms (panel bitmaps 1800 and 1801 behind them).
const navButtonRec kButtons[kButtonCount] = {
    {kToggle, {19, 11}, {11, 18}, {1880, 1872}}, {3, {7, 45}, {44, 7}, {1808, 1808}},
    {5, {7, 94}, {93, 7}, {1824, 1824}},         {7, {7, 143}, {142, 7}, {1832, 1832}},
    {9, {7, 192}, {191, 7}, {1840, 1840}},       {6, {7, 241}, {240, 7}, {1848, 1848}},
    {8, {7, 290}, {289, 7}, {1856, 1856}},       {10, {7, 339}, {338, 7}, {1864, 1864}},
};

int toggleFlag = 1;
// The picture each button shows now, by form and object id.
short shown[2][16] = {};

int formOf(short windowId) { return windowId == winId_navigatorH ? 1 : 0; }

const navButtonRec* buttonOf(short id)
{
    for (const navButtonRec& b : kButtons)
        if (b.id == id) return &b;
    return nullptr;
}

void drawButton(short id)
{
    const navButtonRec* b = buttonOf(id);
    if (!b) return;
    int form = formOf(window_getCurrent());
    RECT r;
    custom_getRect(id, &r);
    bitmap_draw(b->bitmap[form] + shown[form][id], static_cast<short>(r.left), static_cast<short>(r.top));
}

void setPicture(short id, int picture)
{
    int form = formOf(window_getCurrent());
    if (shown[form][id] == picture) return;
    shown[form][id] = static_cast<short>(picture);
    short window = window_getCurrent();
    window_manualPreProcess(window);
    custom_draw(id);
    window_manualPostProcess(window);
}

// A momentary button: selected while the pointer is down inside it; 1
// when the button went up inside.
int trackButton(short id)
{
    RECT r;
    custom_getRect(id, &r);
    HWND hwnd = window_getHWND(window_getCurrent());
    setPicture(id, kPictSelected);
    int inside = 1;
    while (!mouse_up(hwnd)) {
        zPoint pt;
        mouse_getPos(&pt);
        POINT p = {pt.h, pt.v};
        inside = PtInRect(&r, p);
        setPicture(id, inside ? kPictSelected : kPictNormal);
        timer_process();
        Sleep(16);
    }
    zPoint pt;
    mouse_getPos(&pt);
    POINT p = {pt.h, pt.v};
    inside = PtInRect(&r, p);
    setPicture(id, kPictNormal);
    resetClicks();
    return inside;
}

void buttonEvent(short id, long event, long, long)
{
    if (event == kCustomDraw) {
        drawButton(id);
        return;
    }
    if (event != kCustomClick || !trackButton(id)) return;
    if (id == kToggle) {
        if (window_getCurrent() == winId_navigatorH)
            wNav_callback_shiftH(id);
        else
            wNav_callback_shiftV(id);
    } else {
        wNav_callback_windowButtons(id);
    }
}

}  // namespace

LRESULT CALLBACK wNav_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short id = static_cast<short>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    int handled;
    LRESULT result = toolWindow_commonProc(id, hwnd, msg, wParam, lParam, &handled);
    return handled ? result : DefWindowProcA(hwnd, msg, wParam, lParam);
}

void wNav_makeParams(short windowId)
{
    int form = formOf(windowId);
    const short panelBitmap = form ? 1801 : 1800;
    const short panelId = form ? 1 : 2;
    RECT panel;
    bitmap_getRect(panelBitmap, &panel);
    const windowTableRec* row = windowTable_find(windowId);
    if (!row) return;
    const winPosRec* place = wPosID_to_winPosRec(row->positionId);
    int x = place ? place->x : row->x;
    int y = place ? place->y : row->y;
    if (!toolWindow_make(row, x, y, panel.right, panel.bottom, 0)) return;
    pic_new(panelId, 0, 0, kPicNoZone, panelBitmap, 1, nullptr);
    for (const navButtonRec& b : kButtons) {
        RECT r;
        bitmap_getRect(b.bitmap[form], &r);
        custom_new(b.id, b.x[form], b.y[form], static_cast<short>(r.right), static_cast<short>(r.bottom),
                   buttonEvent);
    }
    window_postBrambixize(windowId);
}

void wNav_makeWindow()
{
    short saved = window_getCurrent();
    wNav_makeParams(winId_navigatorV);
    wNav_makeParams(winId_navigatorH);
    // The remembered placements say which form is shown, if any (the
    // vertical one without preferences).
    const winPosRec* vertical = wPosID_to_winPosRec(winPos_navigatorV);
    const winPosRec* horizontal = wPosID_to_winPosRec(winPos_navigatorH);
    int showV = vertical ? vertical->visible : toggleFlag;
    int showH = !showV && horizontal && horizontal->visible;
    window_show(winId_navigatorV, showV);
    window_show(winId_navigatorH, showH);
    wNav_initToggleState(showV || showH);
    window_setCurrent(saved);
}

void wNav_show(int show)
{
    if (show) {
        window_show(winId_navigatorV, 1);
        window_show(winId_navigatorH, 0);
    } else {
        window_show(winId_navigatorV, 0);
        window_show(winId_navigatorH, 0);
    }
}

void wNav_toggleShow()
{
    toggleFlag = !toggleFlag;
    wNav_show(toggleFlag);
}

void wNav_initToggleState(int on) { toggleFlag = on ? 1 : 0; }
int wNav_getToggleState() { return toggleFlag; }

void wNav_callback_shiftH(short id)
{
    window_show(winId_navigatorV, 1);
    window_show(winId_navigatorH, 0);
    window_setCurrent(winId_navigatorH);
    setPicture(id, kPictNormal);
}

void wNav_callback_shiftV(short id)
{
    window_show(winId_navigatorH, 1);
    window_show(winId_navigatorV, 0);
    window_setCurrent(winId_navigatorV);
    setPicture(id, kPictNormal);
}

void wNav_callback_windowButtons(short id)
{
    short windowId = 0;
    switch (id) {
    case 3: windowId = winId_main; break;
    case 5: windowId = winId_patch; break;
    case 6: windowId = winId_envelope; break;
    case 7: windowId = winId_waveform; break;
    case 8: windowId = winId_lfo; break;
    case 9: windowId = winId_effect; break;
    case 10: windowId = winId_midi; break;
    default: return;
    }
    showEditorWindow(windowId, 1);
    menu_checkFrontWindowItem();
}
