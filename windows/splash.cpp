// The splash window (window 15): the program's artwork with its name and
// version, shown at start-up until a click, a key or the idle step's two
// seconds replace it with the Main window.
#include "windows/editorWindow.h"

namespace {
enum { kPanel = 1, kDisplay = 2, kPanelBitmap = 5 };
const int kDisplayX = 18, kDisplayY = 347, kDisplayWidth = 313, kDisplayHeight = 16;

void dismiss()
{
    window_show(winId_splash, 0);
    wMain_show(1);
}

void displayEvent(short id, long event, long, long)
{
    if (event != kCustomDraw) return;
    short window = window_getCurrent();
    HDC hdc = window_getHDC(window);
    if (!hdc) return;
    RECT r;
    custom_getRect(id, &r);
    FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    short font = font_new(1, 9);
    if (font != kFontFree) font_select(font, hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    RECT text = r;
    text.left += 4;
    DrawTextA(hdc, wSplash_text(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    window_freeHDC(window, hdc);
}

}  // namespace

LRESULT CALLBACK wSplash_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    window_preProcess(winId_splash, hwnd, msg, wParam, lParam, 0);
    switch (msg) {
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: dismiss(); return 0;
    case WM_COMMAND: return 0;
    default: return DefMDIChildProcA(hwnd, msg, wParam, lParam);
    }
}

const char* wSplash_text() { return MORVANE_FRAME_TITLE; }

void wSplash_makeWindow()
{
    if (window_getHWND(winId_splash)) return;
    const windowTableRec* row = windowTable_find(winId_splash);
    HWND client = window_getFrameHWND();
    if (!client || !editorWindow_registerClass(row->className, row->proc)) return;
    HWND hwnd = CreateMDIWindowA(row->className, row->title, WS_BORDER, row->x, row->y, row->width,
                                 row->height, client, platform_instance(), 0);
    if (!hwnd || !window_brambixize(winId_splash, hwnd, row->clickMax, row->clickMax)) return;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, winId_splash);
    // The picture fills the client area, whatever frame the window gets.
    RECT picture;
    bitmap_getRect(kPanelBitmap, &picture);
    window_size(winId_splash, static_cast<short>(picture.right), static_cast<short>(picture.bottom));
    pic_new(kPanel, 0, 0, kPicNoZone, kPanelBitmap, 1, nullptr);
    custom_new(kDisplay, kDisplayX, kDisplayY, kDisplayWidth, kDisplayHeight, displayEvent);
    window_postBrambixize(winId_splash);
}
