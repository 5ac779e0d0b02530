// The demo program's windows: registration of its menu, accelerators, a
// bitmap and a dialog template; the frame procedure with its commands; the
// drawing child; the controls child with an edit control, a scroll bar and a
// pop-up menu on the right button.
#include "tools/platform-demo/demo.h"
#include <cstdio>
#include <cstring>

namespace {

DemoRec* gDemo = nullptr;

void setStatus(const std::string& text)
{
    gDemo->lastAction = text;
    if (gDemo->status) SetWindowTextA(gDemo->status, text.c_str());
}

void registerResources()
{
    std::vector<MenuTemplateItem> bar = {
        {"&File",
         0,
         0,
         {{"&Open...\tCtrl+O", DEMO_OPEN, 0, {}}, {"-", 0, 0, {}}, {"&Quit\tCtrl+Q", DEMO_QUIT, 0, {}}}},
        {"&Demo",
         0,
         0,
         {{"Pop-up menu", DEMO_POPUP, 0, {}},
          {"Message box\tF5", DEMO_MESSAGE, 0, {}},
          {"List dialog...\tF6", DEMO_LIST, 0, {}}}},
        {"&Help", 0, 0, {{"About...", DEMO_ABOUT, MF_GRAYED, {}}}},
    };
    platform_registerMenuTemplate("DEMOMENU", bar);
    platform_registerAccelerators("DEMOACCEL", {{FCONTROL, 'O' - 'A' + 1, DEMO_OPEN},
                                                {FCONTROL, 'Q' - 'A' + 1, DEMO_QUIT},
                                                {FVIRTKEY, VK_F5, DEMO_MESSAGE},
                                                {FVIRTKEY, VK_F6, DEMO_LIST}});
    // Bitmap 1001: a small gradient tile drawn with Cairo, and its mask 1002.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 48, 48);
    cairo_t* cr = cairo_create(s);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 48, 48);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.8, 0.1);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.6, 0.1, 0.5);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    cairo_destroy(cr);
    platform_registerBitmap(MAKEINTRESOURCE(1001), s);
    cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_arc(cr, 24, 24, 22, 0, 6.2832);
    cairo_fill(cr);
    cairo_destroy(cr);
    platform_registerBitmap(MAKEINTRESOURCE(1002), s);
    cairo_surface_destroy(s);

    DialogTemplate t;
    t.title = "Choose presets";
    t.cx = 300;
    t.cy = 220;
    t.items = {{"STATIC", "Pick one or more presets:", 10, 10, 10, 280, 16, SS_LEFT, 0},
               {"LISTBOX", "", 11, 10, 30, 200, 180,
                WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL, 0},
               {"BUTTON", "OK", IDOK, 220, 30, 70, 24, WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
               {"BUTTON", "Cancel", IDCANCEL, 220, 60, 70, 24, WS_TABSTOP, 0}};
    platform_registerDialogTemplate("DEMOLIST", t);
}

std::string listResult;

INT_PTR listProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        for (int i = 0; i < 16; i++) {
            char line[40];
            snprintf(line, sizeof line, "%d preset %c", i, 'A' + i);
            SendDlgItemMessageA(dlg, 11, LB_ADDSTRING, 0, (LPARAM)line);
        }
        SendDlgItemMessageA(dlg, 11, LB_SETSEL, TRUE, 0);
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        listResult.clear();
        int items[16];
        int n = (int)SendDlgItemMessageA(dlg, 11, LB_GETSELITEMS, 16, (LPARAM)items);
        for (int i = 0; i < n; i++) listResult += (i ? "," : "") + std::to_string(items[i]);
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

void paintDrawing(HWND h)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    // Three filled rectangles with black frames.
    COLORREF colors[3] = {RGB(220, 40, 40), RGB(40, 180, 60), RGB(40, 80, 220)};
    for (int i = 0; i < 3; i++) {
        HBRUSH b = CreateSolidBrush(colors[i]);
        HGDIOBJ ob = SelectObject(dc, b);
        Rectangle(dc, 20 + i * 90, 20, 100 + i * 90, 80);
        SelectObject(dc, ob);
        DeleteObject(b);
    }
    // A grid of lines and a filled polygon.
    HPEN pen = CreatePen(PS_DOT, 1, RGB(120, 120, 120));
    HGDIOBJ op = SelectObject(dc, pen);
    for (int x = 20; x <= 290; x += 30) {
        MoveToEx(dc, x, 100, nullptr);
        LineTo(dc, x, 180);
    }
    SelectObject(dc, op);
    DeleteObject(pen);
    HBRUSH yellow = CreateSolidBrush(RGB(250, 210, 40));
    HGDIOBJ ob = SelectObject(dc, yellow);
    POINT tri[3] = {{320, 180}, {380, 100}, {440, 180}};
    Polygon(dc, tri, 3);
    SelectObject(dc, ob);
    DeleteObject(yellow);
    // Text, left, centred and right in one band.
    LOGFONTA lf{};
    lf.lfHeight = -14;
    strcpy(lf.lfFaceName, "Arial");
    HFONT f = CreateFontIndirectA(&lf);
    HGDIOBJ of = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    RECT band{20, 195, 440, 215};
    FrameRect(dc, &band, (HBRUSH)GetStockObject(GRAY_BRUSH));
    DrawTextA(dc, "left", -1, &band, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    DrawTextA(dc, "centre", -1, &band, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    DrawTextA(dc, "right", -1, &band, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, of);
    DeleteObject(f);
    // A bitmap by resource id, plain and through its round mask.
    HBITMAP pic = LoadBitmapA(nullptr, MAKEINTRESOURCE(1001));
    HBITMAP mask = LoadBitmapA(nullptr, MAKEINTRESOURCE(1002));
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, pic);
    BitBlt(dc, 20, 230, 48, 48, mem, 0, 0, SRCCOPY);
    SelectObject(mem, mask);
    BitBlt(dc, 90, 230, 48, 48, mem, 0, 0, SRCAND);
    HDC mem2 = CreateCompatibleDC(dc);
    HBITMAP inv = CreateCompatibleBitmap(dc, 48, 48);
    HGDIOBJ old2 = SelectObject(mem2, inv);
    BitBlt(mem2, 0, 0, 48, 48, mem, 0, 0, NOTSRCCOPY);
    SelectObject(mem, pic);
    BitBlt(mem2, 0, 0, 48, 48, mem, 0, 0, SRCAND);
    BitBlt(dc, 90, 230, 48, 48, mem2, 0, 0, SRCPAINT);
    StretchBlt(dc, 160, 230, 96, 48, mem, 0, 0, 48, 48, SRCCOPY);
    SelectObject(mem2, old2);
    SelectObject(mem, old);
    DeleteObject(inv);
    DeleteDC(mem2);
    DeleteDC(mem);
    DeleteObject(pic);
    DeleteObject(mask);
    EndPaint(h, &ps);
}

LRESULT drawingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        paintDrawing(h);
        return 0;
    }
    if (msg == WM_CLOSE) {
        ShowWindow(h, SW_HIDE);
        return 0;
    }
    return DefMDIChildProcA(h, msg, wp, lp);
}

void popupAt(HWND h, POINT screen)
{
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_STRING, DEMO_POPUP_RED, "Red");
    AppendMenuA(m, MF_STRING | MF_CHECKED, DEMO_POPUP_GREEN, "Green");
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING | MF_GRAYED, DEMO_POPUP_BLUE, "Blue (not available)");
    UINT cmd = (UINT)TrackPopupMenu(m, TPM_RETURNCMD, screen.x, screen.y, 0, h, nullptr);
    DestroyMenu(m);
    setStatus(cmd == DEMO_POPUP_RED     ? "pop-up: Red"
              : cmd == DEMO_POPUP_GREEN ? "pop-up: Green"
                                        : "pop-up: nothing");
}

LRESULT controlsProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        gDemo->edit = CreateWindowExA(0, "EDIT", "Preset name",
                                      WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT | WS_TABSTOP, 10, 10, 220,
                                      22, h, (HMENU)1, nullptr, nullptr);
        gDemo->scroll = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 44, 220, 16,
                                        h, (HMENU)2, nullptr, nullptr);
        SetScrollRange(gDemo->scroll, SB_CTL, 0, 100, TRUE);
        gDemo->status =
            CreateWindowExA(0, "STATIC", "Right-click for a pop-up menu", WS_CHILD | WS_VISIBLE | SS_LEFT, 10,
                            70, 300, 36, h, (HMENU)3, nullptr, nullptr);
        return 0;
    case WM_HSCROLL: {
        int pos = GetScrollPos(gDemo->scroll, SB_CTL);
        switch (LOWORD(wp)) {
        case SB_LINELEFT: pos -= 1; break;
        case SB_LINERIGHT: pos += 1; break;
        case SB_PAGELEFT: pos -= 10; break;
        case SB_PAGERIGHT: pos += 10; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = (short)HIWORD(wp); break;
        default: return 0;
        }
        SetScrollPos(gDemo->scroll, SB_CTL, pos, TRUE);
        setStatus("scroll: " + std::to_string(GetScrollPos(gDemo->scroll, SB_CTL)));
        return 0;
    }
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &p);
        popupAt(h, p);
        return 0;
    }
    case WM_CLOSE: ShowWindow(h, SW_HIDE); return 0;
    }
    return DefMDIChildProcA(h, msg, wp, lp);
}

void command(HWND frame, int id)
{
    switch (id) {
    case DEMO_OPEN: {
        char file[260] = "", title[260] = "";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = frame;
        ofn.lpstrFilter = "Morvane Files (*.GLO)\0*.glo\0All Files (*.*)\0*.*\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.lpstrDefExt = "glo";
        ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        setStatus(GetOpenFileNameA(&ofn) ? std::string("opened: ") + title : "open: cancelled");
        break;
    }
    case DEMO_QUIT: SendMessageA(frame, WM_CLOSE, 0, 0); break;
    case DEMO_POPUP: {
        RECT r;
        GetWindowRect(gDemo->controls, &r);
        popupAt(gDemo->controls, POINT{r.left + 40, r.top + 60});
        break;
    }
    case DEMO_MESSAGE: {
        int answer = MessageBoxA(frame, "Save changes to \"Factory Presets\"?", "Morvane",
                                 MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        setStatus(answer == IDYES ? "message: Yes" : answer == IDNO ? "message: No" : "message: Cancel");
        break;
    }
    case DEMO_LIST: {
        INT_PTR r = DialogBoxParamA(nullptr, "DEMOLIST", frame, listProc, 0);
        setStatus(std::string(r == IDOK ? "list: " : "list cancelled: ") + listResult);
        break;
    }
    }
}

LRESULT frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs{nullptr, 300};
        gDemo->client =
            CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                            0, 0, 100, 100, h, (HMENU)1, nullptr, &ccs);
        DragAcceptFiles(h, TRUE);
        return 0;
    }
    case WM_COMMAND: command(h, LOWORD(wp)); break;
    case WM_DROPFILES: {
        char path[260];
        HDROP drop = (HDROP)wp;
        DragQueryFileA(drop, 0, path, sizeof path);
        DragFinish(drop);
        setStatus(std::string("dropped: ") + path);
        return 0;
    }
    case WM_CLOSE: DestroyWindow(h); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefFrameProcA(h, gDemo->client, msg, wp, lp);
}

}  // namespace

DemoRec* demo_current() { return gDemo; }

int demo_create(DemoRec* demo)
{
    gDemo = demo;
    registerResources();
    WNDCLASSA wc{};
    wc.lpfnWndProc = frameProc;
    wc.lpszClassName = "demoFrame";
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    if (!RegisterClassA(&wc)) return 0;
    wc.lpfnWndProc = drawingProc;
    wc.lpszClassName = "demoDrawing";
    wc.style = CS_DBLCLKS;
    if (!RegisterClassA(&wc)) return 0;
    wc.lpfnWndProc = controlsProc;
    wc.lpszClassName = "demoControls";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    if (!RegisterClassA(&wc)) return 0;
    HMENU menu = LoadMenuA(nullptr, "DEMOMENU");
    demo->frame = CreateWindowExA(0, "demoFrame", "Platform demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                  0, 1020, 760, nullptr, menu, platform_instance(), nullptr);
    if (!demo->frame) return 0;
    demo->accel = LoadAcceleratorsA(nullptr, "DEMOACCEL");
    demo->drawing =
        CreateMDIWindowA("demoDrawing", "Drawing", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 20,
                         20, 480, 330, demo->client, nullptr, 0);
    demo->controls =
        CreateMDIWindowA("demoControls", "Controls", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         530, 60, 340, 180, demo->client, nullptr, 0);
    ShowWindow(demo->frame, SW_SHOW);
    UpdateWindow(demo->frame);
    return demo->drawing && demo->controls ? 1 : 0;
}

int demo_run(DemoRec* demo)
{
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (TranslateMDISysAccel(demo->client, &m)) continue;
        if (demo->accel && TranslateAcceleratorA(demo->frame, demo->accel, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return (int)m.wParam;
}
