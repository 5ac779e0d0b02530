// The windows' common parts: creation from a window table row as toolkit
// windows, the editor windows' common procedure (toolkit first, the update
// command, hide on close, F10 swallowed), the update flags and a themed
// background.
#include "windows/editorWindow.h"
#include "windows/wEnv.h"

#include "resources/resources.h"

namespace {
int needsUpdate[kWindowMax + 1] = {};

bool validId(short id) { return id >= 1 && id <= kWindowMax; }

short idOf(HWND hwnd) { return static_cast<short>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK editorWindow_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    short id = idOf(hwnd);
    if (id) window_preProcess(id, hwnd, msg, wParam, lParam, 0);
    LRESULT result;
    if (editorWindow_commonMessage(id, hwnd, msg, wParam, &result)) return result;
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void backgroundEvent(short id, long event, long, long)
{
    if (event != kCustomDraw) return;
    RECT r;
    custom_getRect(id, &r);
    editorWindow_fillBackground(&r, 0);
}

}  // namespace

int editorWindow_registerClass(const char* className, WNDPROC proc)
{
    WNDCLASSA known;
    if (GetClassInfoA(platform_instance(), className, &known)) return 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = platform_instance();
    wc.hIcon = LoadIconA(platform_instance(), MAKEINTRESOURCE(32));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

void editorWindow_loadArtwork(int probeBitmap, int (*registerArt)())
{
    if (bitmap_get(probeBitmap)) return;
    if (registerArt) registerArt();
    if (!g_bitmapList) g_bitmapList = bitmaps_makeList(kBitmapSlots);
    for (int pict : resources_bitmapIds())
        if (!bitmap_get(pict)) bitmap_load(pict, g_bitmapList, platform_instance());
}

namespace {

// Attaches a created window to the toolkit with a background covering its client.
int attach(short id, HWND hwnd, short clickMax)
{
    if (!hwnd) return 0;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, id);
    if (!window_brambixize(id, hwnd, clickMax, clickMax)) {
        DestroyWindow(hwnd);
        return 0;
    }
    return 1;
}
}  // namespace

int isF10KeyDown(UINT msg, WPARAM wParam)
{
    return (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && wParam == VK_F10;
}

int editorWindow_make(const windowTableRec* row)
{
    if (!row || !validId(row->id)) return 0;
    if (window_getHWND(row->id)) return 1;
    HWND client = window_getFrameHWND();
    WNDPROC proc = row->proc ? row->proc : editorWindow_proc;
    if (!client || !editorWindow_registerClass(row->className, proc)) return 0;
    int x = row->x, y = row->y, w = row->width, h = row->height;
    int visible = 0;
    // Made at the row's size, so that its content is laid out whole; the
    // remembered size is applied afterwards (positionWindows), never
    // smaller than that content.
    if (const winPosRec* rec = wPosID_to_winPosRec(row->positionId)) {
        x = rec->x;
        y = rec->y;
        visible = rec->visible;
    }
    // Windows named after the patch read "Untitled" until the first naming.
    const char* caption = row->updateSchedule ? "Untitled" : row->title;
    HWND hwnd;
    if (row->kind == windowKind_dialog) {
        // Screen coordinates; the row's size is the client area.
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT outer = {0, 0, w, h};
        AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
        hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME, row->className, caption, style, x, y,
                               outer.right - outer.left, outer.bottom - outer.top, client, nullptr,
                               platform_instance(), nullptr);
    } else {
        DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        if (row->minimumContentSize) style |= WS_THICKFRAME;
        hwnd = CreateMDIWindowA(row->className, caption, style, x, y, w, h, client, platform_instance(), 0);
    }
    ShowWindow(hwnd, SW_HIDE);
    short previous = window_getCurrent();
    if (!attach(row->id, hwnd, row->clickMax)) return 0;
    if (row->build) row->build();
    window_postBrambixize(row->id);
    window_setCurrent(previous);
    // The remembered placement says whether the window starts shown.
    if (visible && row->show)
        row->show(1);
    else
        window_show(row->id, visible ? 1 : 0);
    return 1;
}

void editorWindow_buildPlaceholder()
{
    short id = window_getCurrent();
    HWND hwnd = window_getHWND(id);
    if (!hwnd) return;
    RECT r;
    GetClientRect(hwnd, &r);
    custom_new(1, 0, 0, static_cast<short>(r.right), static_cast<short>(r.bottom), backgroundEvent);
    clickObject_get(id, 1)->enabled = 0;
}

int toolWindow_make(const windowTableRec* row, int x, int y, int clientW, int clientH, int mdiChild)
{
    if (!row || !validId(row->id)) return 0;
    if (window_getHWND(row->id)) return 1;
    HWND client = window_getFrameHWND();
    if (!client || !editorWindow_registerClass(row->className, row->proc)) return 0;
    const DWORD style = WS_CAPTION;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT outer = {0, 0, clientW, clientH};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    HWND hwnd;
    if (mdiChild) {
        hwnd = CreateMDIWindowA(row->className, "", style, x, y, outer.right - outer.left,
                                outer.bottom - outer.top, client, platform_instance(), 0);
        if (hwnd) SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | exStyle);
    } else {
        hwnd = CreateWindowExA(exStyle, row->className, "", WS_POPUP | style, x, y, outer.right - outer.left,
                               outer.bottom - outer.top, GetParent(client), nullptr, platform_instance(),
                               nullptr);
    }
    ShowWindow(hwnd, SW_HIDE);
    return attach(row->id, hwnd, row->clickMax);
}

void editorWindow_schedule(short id)
{
    if (!validId(id)) return;
    needsUpdate[id] = 1;
    gWindowIsDirty = 1;
}

int editorWindow_needs(short id) { return validId(id) ? needsUpdate[id] : 0; }

void editorWindow_clear(short id)
{
    if (validId(id)) needsUpdate[id] = 0;
}

void editorWindow_refresh(short id)
{
    editorWindow_clear(id);
    if (HWND hwnd = window_getHWND(id)) InvalidateRect(hwnd, nullptr, FALSE);
}

void editorWindow_show(short id, int show)
{
    if (show && g_oneWindowEditor && id != winId_main) {
        openOneEditWindow(id);
        return;
    }
    window_show(id, show);
}

void editorWindow_bringToFront(short id)
{
    HWND hwnd = window_getHWND(id);
    if (!hwnd || !IsWindowVisible(hwnd)) return;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    HWND parent = GetParent(hwnd);
    if (parent && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
        SendMessageA(parent, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
    else
        BringWindowToTop(hwnd);
}

int windows_contentSize(int windowId, int* width, int* height)
{
    short id = static_cast<short>(windowId);
    HWND hwnd = window_getHWND(id);
    short contentW = 0, contentH = 0;
    // A window that lays itself out to whatever size it is given (the
    // Envelope window scrolls the rest into view) names its own minimum,
    // not the sum of what it holds.
    const windowTableRec* row = windowTable_find(id);
    int known = row && row->minimumContentSize ? row->minimumContentSize(&contentW, &contentH)
                                               : window_getContentSize(id, &contentW, &contentH);
    if (!hwnd || !known) return 0;
    // The outer size: the content and the frame around the client area.
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    *width = contentW + (outer.right - outer.left) - (client.right - client.left);
    *height = contentH + (outer.bottom - outer.top) - (client.bottom - client.top);
    return 1;
}

int editorWindow_commonMessage(short id, HWND hwnd, UINT msg, WPARAM wParam, LRESULT* result)
{
    *result = 0;
    switch (msg) {
    case WM_ACTIVATE:
    case WM_MOUSEACTIVATE:
    case WM_MDIACTIVATE:
        // The Window menu checks the window in front; the frame still
        // does its own activation.
        menu_checkFrontWindowItem();
        return 0;
    case WM_PAINT:
        // The toolkit draws the controls; there is nothing to paint here.
        ValidateRect(hwnd, nullptr);
        return 1;
    case WM_CLOSE: {
        // Editor windows are hidden through their own show routine (which
        // may have more to do), never destroyed.
        const windowTableRec* row = windowTable_find(id);
        if (row && row->show)
            row->show(0);
        else if (validId(id))
            window_show(id, 0);
        menu_checkFrontWindowItem();
        return 1;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdUpdateWindow) {
            const windowTableRec* row = windowTable_find(id);
            window_manualPreProcess(id);
            if (row && row->update) row->update();
            window_manualPostProcess(id);
            return 1;
        }
        return 0;
    default: return isF10KeyDown(msg, wParam) ? 1 : 0;
    }
}

LRESULT toolWindow_commonProc(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int* handled)
{
    *handled = 1;
    if (id) window_preProcess(id, hwnd, msg, wParam, lParam, 0);
    switch (msg) {
    case WM_PAINT: ValidateRect(hwnd, nullptr); return 0;
    case WM_CLOSE: return 0;
    default:
        if (isF10KeyDown(msg, wParam)) return 0;
        break;
    }
    *handled = 0;
    return 0;
}

void editorWindow_fillBackground(const RECT* rect, int dark)
{
    short id = window_getCurrent();
    HDC hdc = window_getHDC(id);
    if (!hdc) return;
    const resThemeRec& t = res_theme();
    unsigned char r, g, b;
    res_colorBytes(dark ? t.window : t.panel, &r, &g, &b);
    HBRUSH brush = CreateSolidBrush(RGB(r, g, b));
    FillRect(hdc, rect, brush);
    DeleteObject(brush);
    window_freeHDC(id, hdc);
}
