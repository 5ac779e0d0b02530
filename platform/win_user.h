// Windows, messages, timers, painting, MDI, menus, accelerators, dialogs,
// controls, cursors, clipboard and dropped files of the platform layer.
// Index: window classes and creation; geometry; messages and the queue;
// timers; painting; focus, capture and input state; MDI; menus and
// accelerators; modal UI (message boxes, dialogs); controls (button, static,
// list box, edit, scroll bar); cursors; clipboard; dropped files; rectangles.
#pragma once
#include "platform/win_types.h"

// ---- window classes and creation ------------------------------------------
typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;
typedef struct tagWNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
} WNDCLASSEXA;
typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA;

ATOM RegisterClassA(const WNDCLASSA* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE inst);
BOOL GetClassInfoA(HINSTANCE inst, LPCSTR className, WNDCLASSA* out);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE inst, LPVOID param);
inline HWND CreateWindowA(LPCSTR c, LPCSTR t, DWORD s, int x, int y, int w, int h, HWND p, HMENU m,
                          HINSTANCE i, LPVOID a)
{
    return CreateWindowExA(0, c, t, s, x, y, w, h, p, m, i, a);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLongA(HWND h, int i) { return (LONG)GetWindowLongPtrA(h, i); }
inline LONG SetWindowLongA(HWND h, int i, LONG v) { return (LONG)SetWindowLongPtrA(h, i, v); }
#define GCLP_HBRBACKGROUND (-10)
#define GCLP_HCURSOR       (-12)
ULONG_PTR GetClassLongPtrA(HWND hwnd, int index);
ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value);
int GetClassNameA(HWND hwnd, LPSTR buf, int max);

// ---- geometry, visibility, hierarchy ------------------------------------------
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
HWND GetParent(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT cmd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND WindowFromPoint(POINT screenPt);
HWND GetDesktopWindow(void);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buf, int max);
int GetWindowTextLengthA(HWND hwnd);
int GetDlgCtrlID(HWND hwnd);
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// ---- messages and the queue ----------------------------------------------
BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL WaitMessage(void);
DWORD GetMessageTime(void);
inline BOOL GetMessage(LPMSG m, HWND h, UINT a, UINT b) { return GetMessageA(m, h, a, b); }
inline BOOL PeekMessage(LPMSG m, HWND h, UINT a, UINT b, UINT r) { return PeekMessageA(m, h, a, b, r); }
inline LRESULT DispatchMessage(const MSG* m) { return DispatchMessageA(m); }
inline LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessageA(h, m, w, l); }
inline BOOL PostMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return PostMessageA(h, m, w, l); }
inline LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
inline LRESULT CallWindowProc(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l)
{
    return CallWindowProcA(p, h, m, w, l);
}
inline BOOL SetWindowText(HWND h, LPCSTR t) { return SetWindowTextA(h, t); }
inline LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) { return SetWindowLongPtrA(h, i, v); }
inline LONG_PTR GetWindowLongPtr(HWND h, int i) { return GetWindowLongPtrA(h, i); }

// ---- timers ---------------------------------------------------------------
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- painting and device contexts of windows ------------------------------
typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);

// ---- focus, activation, capture, input state -------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus(void);
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow(void);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow(void);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture(void);
HWND GetCapture(void);
BOOL GetCursorPos(LPPOINT pt);
BOOL SetCursorPos(int x, int y);
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
UINT GetDoubleClickTime(void);
BOOL MessageBeep(UINT type);

// ---- MDI ------------------------------------------------------------------
typedef struct tagCLIENTCREATESTRUCT {
    HMENU hWindowMenu;
    UINT idFirstChild;
} CLIENTCREATESTRUCT;
typedef struct tagMDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HINSTANCE hOwner;
    int x, y, cx, cy;
    DWORD style;
    LPARAM lParam;
} MDICREATESTRUCTA;
LRESULT DefFrameProcA(HWND frame, HWND client, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CreateMDIWindowA(LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                      HWND client, HINSTANCE inst, LPARAM lParam);
BOOL TranslateMDISysAccel(HWND client, LPMSG msg);
inline LRESULT DefFrameProc(HWND f, HWND c, UINT m, WPARAM w, LPARAM l)
{
    return DefFrameProcA(f, c, m, w, l);
}
inline LRESULT DefMDIChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefMDIChildProcA(h, m, w, l); }

// ---- menus and accelerators -------------------------------------------------
#define MF_STRING        0x0000
#define MF_BYCOMMAND     0x0000
#define MF_ENABLED       0x0000
#define MF_UNCHECKED     0x0000
#define MF_GRAYED        0x0001
#define MF_DISABLED      0x0002
#define MF_BITMAP        0x0004
#define MF_CHECKED       0x0008
#define MF_POPUP         0x0010
#define MF_HILITE        0x0080
#define MF_BYPOSITION    0x0400
#define MF_SEPARATOR     0x0800
#define MF_DEFAULT       0x1000
#define TPM_LEFTBUTTON   0x0000
#define TPM_RIGHTBUTTON  0x0002
#define TPM_LEFTALIGN    0x0000
#define TPM_CENTERALIGN  0x0004
#define TPM_RIGHTALIGN   0x0008
#define TPM_TOPALIGN     0x0000
#define TPM_VCENTERALIGN 0x0010
#define TPM_BOTTOMALIGN  0x0020
#define TPM_NONOTIFY     0x0080
#define TPM_RETURNCMD    0x0100
HMENU CreateMenu(void);
HMENU CreatePopupMenu(void);
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);  // returns the previous state, or -1
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buf, int max, UINT flags);
HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);
BOOL DrawMenuBar(HWND hwnd);
HMENU LoadMenuA(HINSTANCE inst, LPCSTR name);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
inline BOOL AppendMenu(HMENU m, UINT f, UINT_PTR i, LPCSTR t) { return AppendMenuA(m, f, i, t); }
inline HMENU LoadMenu(HINSTANCE i, LPCSTR n) { return LoadMenuA(i, n); }

#define FVIRTKEY  0x01
#define FNOINVERT 0x02
#define FSHIFT    0x04
#define FCONTROL  0x08
#define FALT      0x10
typedef struct tagACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
} ACCEL;
HACCEL CreateAcceleratorTableA(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL accel);
HACCEL LoadAcceleratorsA(HINSTANCE inst, LPCSTR name);
int TranslateAcceleratorA(HWND hwnd, HACCEL accel, LPMSG msg);
inline HACCEL LoadAccelerators(HINSTANCE i, LPCSTR n) { return LoadAcceleratorsA(i, n); }
inline int TranslateAccelerator(HWND h, HACCEL a, LPMSG m) { return TranslateAcceleratorA(h, a, m); }

// ---- message boxes and dialogs ------------------------------------------------
#define MB_OK               0x00000000L
#define MB_OKCANCEL         0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL      0x00000003L
#define MB_YESNO            0x00000004L
#define MB_RETRYCANCEL      0x00000005L
#define MB_ICONHAND         0x00000010L
#define MB_ICONQUESTION     0x00000020L
#define MB_ICONEXCLAMATION  0x00000030L
#define MB_ICONASTERISK     0x00000040L
#define MB_ICONERROR        MB_ICONHAND
#define MB_ICONSTOP         MB_ICONHAND
#define MB_ICONWARNING      MB_ICONEXCLAMATION
#define MB_ICONINFORMATION  MB_ICONASTERISK
#define MB_DEFBUTTON1       0x00000000L
#define MB_DEFBUTTON2       0x00000100L
#define MB_DEFBUTTON3       0x00000200L
#define MB_APPLMODAL        0x00000000L
#define MB_SYSTEMMODAL      0x00001000L
#define MB_TASKMODAL        0x00002000L
#define MB_SETFOREGROUND    0x00010000L
#define MB_TOPMOST          0x00040000L
#define IDOK                1
#define IDCANCEL            2
#define IDABORT             3
#define IDRETRY             4
#define IDIGNORE            5
#define IDYES               6
#define IDNO                7
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBox(HWND o, LPCSTR t, LPCSTR c, UINT ty) { return MessageBoxA(o, t, c, ty); }

INT_PTR DialogBoxParamA(HINSTANCE inst, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param);
inline INT_PTR DialogBoxA(HINSTANCE i, LPCSTR t, HWND o, DLGPROC p) { return DialogBoxParamA(i, t, o, p, 0); }
inline INT_PTR DialogBox(HINSTANCE i, LPCSTR t, HWND o, DLGPROC p) { return DialogBoxParamA(i, t, o, p, 0); }
inline INT_PTR DialogBoxParam(HINSTANCE i, LPCSTR t, HWND o, DLGPROC p, LPARAM a)
{
    return DialogBoxParamA(i, t, o, p, a);
}
BOOL EndDialog(HWND dlg, INT_PTR result);
HWND GetDlgItem(HWND dlg, int id);
BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int max);
LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dlg, LPMSG msg);
LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessage(HWND d, int i, UINT m, WPARAM w, LPARAM l)
{
    return SendDlgItemMessageA(d, i, m, w, l);
}
inline BOOL SetDlgItemText(HWND d, int i, LPCSTR t) { return SetDlgItemTextA(d, i, t); }
inline UINT GetDlgItemText(HWND d, int i, LPSTR b, int n) { return GetDlgItemTextA(d, i, b, n); }
#define DM_GETDEFID          (WM_USER + 0)
#define DM_SETDEFID          (WM_USER + 1)
#define DC_HASDEFID          0x534B
#define DLGC_WANTARROWS      0x0001
#define DLGC_WANTTAB         0x0002
#define DLGC_WANTALLKEYS     0x0004
#define DLGC_HASSETSEL       0x0008
#define DLGC_DEFPUSHBUTTON   0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_STATIC          0x0100
#define DLGC_BUTTON          0x2000
#define DLGC_WANTCHARS       0x0080

// ---- controls ----------------------------------------------------------------
#define BS_PUSHBUTTON     0x00000000L
#define BS_DEFPUSHBUTTON  0x00000001L
#define BM_GETSTATE       0x00F2
#define BM_SETSTATE       0x00F3
#define BM_SETSTYLE       0x00F4
#define BM_CLICK          0x00F5
#define BST_PUSHED        0x0004
#define BST_FOCUS         0x0008
#define BN_CLICKED        0
#define SS_LEFT           0x00000000L
#define SS_CENTER         0x00000001L
#define SS_RIGHT          0x00000002L
#define SS_ICON           0x00000003L
#define SS_LEFTNOWORDWRAP 0x0000000CL
#define SS_NOPREFIX       0x00000080L
#define STM_SETICON       0x0170

#define LBS_NOTIFY           0x0001L
#define LBS_SORT             0x0002L
#define LBS_MULTIPLESEL      0x0008L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define LBS_EXTENDEDSEL      0x0800L
#define LB_OKAY              0
#define LB_ERR               (-1)
#define LB_ADDSTRING         0x0180
#define LB_INSERTSTRING      0x0181
#define LB_DELETESTRING      0x0182
#define LB_SELITEMRANGEEX    0x0183
#define LB_RESETCONTENT      0x0184
#define LB_SETSEL            0x0185
#define LB_SETCURSEL         0x0186
#define LB_GETSEL            0x0187
#define LB_GETCURSEL         0x0188
#define LB_GETTEXT           0x0189
#define LB_GETTEXTLEN        0x018A
#define LB_GETCOUNT          0x018B
#define LB_SELECTSTRING      0x018C
#define LB_GETTOPINDEX       0x018E
#define LB_FINDSTRING        0x018F
#define LB_GETSELCOUNT       0x0190
#define LB_GETSELITEMS       0x0191
#define LB_SETTOPINDEX       0x0197
#define LB_GETITEMRECT       0x0198
#define LB_GETITEMDATA       0x0199
#define LB_SETITEMDATA       0x019A
#define LB_SELITEMRANGE      0x019B
#define LB_SETCARETINDEX     0x019E
#define LB_GETCARETINDEX     0x019F
#define LB_SETITEMHEIGHT     0x01A0
#define LB_GETITEMHEIGHT     0x01A1
#define LB_FINDSTRINGEXACT   0x01A2
#define LBN_SELCHANGE        1
#define LBN_DBLCLK           2
#define LBN_SELCANCEL        3
#define LBN_SETFOCUS         4
#define LBN_KILLFOCUS        5

#define ES_LEFT         0x0000L
#define ES_CENTER       0x0001L
#define ES_RIGHT        0x0002L
#define ES_AUTOHSCROLL  0x0080L
#define ES_READONLY     0x0800L
#define EM_GETSEL       0x00B0
#define EM_SETSEL       0x00B1
#define EM_REPLACESEL   0x00C2
#define EM_LIMITTEXT    0x00C5
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EN_SETFOCUS     0x0100
#define EN_KILLFOCUS    0x0200
#define EN_CHANGE       0x0300

#define SBS_HORZ            0x0000L
#define SBS_VERT            0x0001L
#define SB_HORZ             0
#define SB_VERT             1
#define SB_CTL              2
#define SB_LINEUP           0
#define SB_LINELEFT         0
#define SB_LINEDOWN         1
#define SB_LINERIGHT        1
#define SB_PAGEUP           2
#define SB_PAGELEFT         2
#define SB_PAGEDOWN         3
#define SB_PAGERIGHT        3
#define SB_THUMBPOSITION    4
#define SB_THUMBTRACK       5
#define SB_TOP              6
#define SB_LEFT             6
#define SB_BOTTOM           7
#define SB_RIGHT            7
#define SB_ENDSCROLL        8
#define SBM_SETPOS          0x00E0
#define SBM_GETPOS          0x00E1
#define SBM_SETRANGE        0x00E2
#define SBM_GETRANGE        0x00E3
#define SBM_SETSCROLLINFO   0x00E9
#define SBM_GETSCROLLINFO   0x00EA
#define SIF_RANGE           0x0001
#define SIF_PAGE            0x0002
#define SIF_POS             0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS        0x0010
#define SIF_ALL             (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
typedef struct tagSCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);

// ---- cursors and icons ---------------------------------------------------------
#define IDC_ARROW       MAKEINTRESOURCE(32512)
#define IDC_IBEAM       MAKEINTRESOURCE(32513)
#define IDC_WAIT        MAKEINTRESOURCE(32514)
#define IDC_CROSS       MAKEINTRESOURCE(32515)
#define IDC_UPARROW     MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE    MAKEINTRESOURCE(32642)
#define IDC_SIZENESW    MAKEINTRESOURCE(32643)
#define IDC_SIZEWE      MAKEINTRESOURCE(32644)
#define IDC_SIZENS      MAKEINTRESOURCE(32645)
#define IDC_SIZEALL     MAKEINTRESOURCE(32646)
#define IDC_NO          MAKEINTRESOURCE(32648)
#define IDC_HAND        MAKEINTRESOURCE(32649)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND        MAKEINTRESOURCE(32513)
#define IDI_QUESTION    MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK    MAKEINTRESOURCE(32516)
HCURSOR LoadCursorA(HINSTANCE inst, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor(void);
int ShowCursor(BOOL show);
HICON LoadIconA(HINSTANCE inst, LPCSTR name);
inline HCURSOR LoadCursor(HINSTANCE i, LPCSTR n) { return LoadCursorA(i, n); }
inline HICON LoadIcon(HINSTANCE i, LPCSTR n) { return LoadIconA(i, n); }

// ---- clipboard -------------------------------------------------------------------
#define CF_TEXT       1
#define GMEM_FIXED    0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_SHARE    0x2000
#define GMEM_DDESHARE 0x2000
#define GHND          (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR          (GMEM_FIXED | GMEM_ZEROINIT)
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard(void);
BOOL EmptyClipboard(void);
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);

// ---- dropped files -----------------------------------------------------------------
void DragAcceptFiles(HWND hwnd, BOOL accept);
UINT DragQueryFileA(HDROP drop, UINT index, LPSTR buf, UINT max);
BOOL DragQueryPoint(HDROP drop, LPPOINT pt);
void DragFinish(HDROP drop);

// ---- rectangles ------------------------------------------------------------------------
BOOL SetRect(LPRECT r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT r);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL OffsetRect(LPRECT r, int dx, int dy);
BOOL InflateRect(LPRECT r, int dx, int dy);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT pt);
BOOL IsRectEmpty(const RECT* r);
BOOL EqualRect(const RECT* a, const RECT* b);

// What a window answers to WM_GETMINMAXINFO (lParam points at it): the
// least and greatest outer size a border drag may give it.
typedef struct tagMINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
} MINMAXINFO, *LPMINMAXINFO;
