// Basic types, handles, macros and constants of the platform layer.
// Values follow the classic desktop API so that code written against it
// reads line by line. Handles are opaque pointers to records of the layer;
// a stale handle names nothing and every call refuses it safely.
#pragma once
#include <cstdint>
#include <cstddef>

#ifndef WINAPI
#define WINAPI
#define CALLBACK
#define APIENTRY
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef float FLOAT;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD FOURCC;
typedef UINT MMRESULT;

#ifndef TRUE
#define TRUE  1
#define FALSE 0
#endif

#define PLATFORM_HANDLE(name)                                                                                \
    struct name##__;                                                                                         \
    typedef struct name##__* name
PLATFORM_HANDLE(HWND);
PLATFORM_HANDLE(HMENU);
PLATFORM_HANDLE(HDC);
PLATFORM_HANDLE(HINSTANCE);
PLATFORM_HANDLE(HICON);
PLATFORM_HANDLE(HCURSOR);
PLATFORM_HANDLE(HACCEL);
PLATFORM_HANDLE(HPEN);
PLATFORM_HANDLE(HBRUSH);
PLATFORM_HANDLE(HFONT);
PLATFORM_HANDLE(HBITMAP);
PLATFORM_HANDLE(HRGN);
PLATFORM_HANDLE(HDROP);
PLATFORM_HANDLE(HMMIO);
#undef PLATFORM_HANDLE
typedef HINSTANCE HMODULE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;
typedef void* HANDLE;

typedef struct tagRECT {
    LONG left, top, right, bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef struct tagPOINT {
    LONG x, y;
} POINT, *LPPOINT;
typedef struct tagSIZE {
    LONG cx, cy;
} SIZE, *LPSIZE;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define MAKELONG(a, b)                                                                                       \
    ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define MAKEWPARAM(l, h)           ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h)           ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h)          ((LRESULT)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp)           ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp)           ((int)(short)HIWORD(lp))
#define GET_WHEEL_DELTA_WPARAM(wp) ((short)HIWORD(wp))
#define MAKEINTRESOURCEA(i)        ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE            MAKEINTRESOURCEA
#define IS_INTRESOURCE(p)          ((((ULONG_PTR)(p)) >> 16) == 0)
#define RGB(r, g, b)               ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c)               (LOBYTE(c))
#define GetGValue(c)               (LOBYTE(((WORD)(c)) >> 8))
#define GetBValue(c)               (LOBYTE((c) >> 16))
#define CLR_INVALID                0xFFFFFFFF
#define CW_USEDEFAULT              ((int)0x80000000)
#define MAX_PATH                   260

// Window messages.
#define WM_NULL            0x0000
#define WM_CREATE          0x0001
#define WM_DESTROY         0x0002
#define WM_MOVE            0x0003
#define WM_SIZE            0x0005
#define WM_ACTIVATE        0x0006
#define WM_SETFOCUS        0x0007
#define WM_KILLFOCUS       0x0008
#define WM_ENABLE          0x000A
#define WM_SETTEXT         0x000C
#define WM_GETTEXT         0x000D
#define WM_GETTEXTLENGTH   0x000E
#define WM_PAINT           0x000F
#define WM_CLOSE           0x0010
#define WM_QUERYENDSESSION 0x0011
#define WM_QUIT            0x0012
#define WM_ERASEBKGND      0x0014
#define WM_SHOWWINDOW      0x0018
#define WM_CANCELMODE      0x001F
#define WM_SETCURSOR       0x0020
#define WM_MOUSEACTIVATE   0x0021
#define WM_CHILDACTIVATE   0x0022
#define WM_GETMINMAXINFO   0x0024
#define WM_NEXTDLGCTL      0x0028
#define WM_SETFONT         0x0030
#define WM_GETFONT         0x0031
#define WM_NCCREATE        0x0081
#define WM_NCDESTROY       0x0082
#define WM_NCHITTEST       0x0084
#define WM_GETDLGCODE      0x0087
#define WM_NCMOUSEMOVE     0x00A0
#define WM_NCLBUTTONDOWN   0x00A1
#define WM_NCLBUTTONUP     0x00A2
#define WM_NCLBUTTONDBLCLK 0x00A3
#define WM_NCRBUTTONDOWN   0x00A4
#define WM_NCRBUTTONUP     0x00A5
#define WM_KEYFIRST        0x0100
#define WM_KEYDOWN         0x0100
#define WM_KEYUP           0x0101
#define WM_CHAR            0x0102
#define WM_SYSKEYDOWN      0x0104
#define WM_SYSKEYUP        0x0105
#define WM_SYSCHAR         0x0106
#define WM_KEYLAST         0x0109
#define WM_INITDIALOG      0x0110
#define WM_COMMAND         0x0111
#define WM_SYSCOMMAND      0x0112
#define WM_TIMER           0x0113
#define WM_HSCROLL         0x0114
#define WM_VSCROLL         0x0115
#define WM_INITMENUPOPUP   0x0117
#define WM_MOUSEFIRST      0x0200
#define WM_MOUSEMOVE       0x0200
#define WM_LBUTTONDOWN     0x0201
#define WM_LBUTTONUP       0x0202
#define WM_LBUTTONDBLCLK   0x0203
#define WM_RBUTTONDOWN     0x0204
#define WM_RBUTTONUP       0x0205
#define WM_RBUTTONDBLCLK   0x0206
#define WM_MBUTTONDOWN     0x0207
#define WM_MBUTTONUP       0x0208
#define WM_MBUTTONDBLCLK   0x0209
#define WM_MOUSEWHEEL      0x020A
#define WM_MOUSELAST       0x020A
#define WM_CAPTURECHANGED  0x0215
#define WM_MDICREATE       0x0220
#define WM_MDIDESTROY      0x0221
#define WM_MDIACTIVATE     0x0222
#define WM_MDIRESTORE      0x0223
#define WM_MDINEXT         0x0224
#define WM_MDIGETACTIVE    0x0229
#define WM_DROPFILES       0x0233
#define WM_CUT             0x0300
#define WM_COPY            0x0301
#define WM_PASTE           0x0302
#define WM_CLEAR           0x0303
#define WM_USER            0x0400

// Window styles.
#define WS_OVERLAPPED   0x00000000L
#define WS_POPUP        0x80000000L
#define WS_CHILD        0x40000000L
#define WS_MINIMIZE     0x20000000L
#define WS_VISIBLE      0x10000000L
#define WS_DISABLED     0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE     0x01000000L
#define WS_CAPTION      0x00C00000L
#define WS_BORDER       0x00800000L
#define WS_DLGFRAME     0x00400000L
#define WS_VSCROLL      0x00200000L
#define WS_HSCROLL      0x00100000L
#define WS_SYSMENU      0x00080000L
#define WS_THICKFRAME   0x00040000L
#define WS_GROUP        0x00020000L
#define WS_TABSTOP      0x00010000L
#define WS_MINIMIZEBOX  0x00020000L
#define WS_MAXIMIZEBOX  0x00010000L
#define WS_OVERLAPPEDWINDOW                                                                                  \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW      (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW      WS_CHILD
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_TOPMOST       0x00000008L
#define WS_EX_ACCEPTFILES   0x00000010L
#define WS_EX_MDICHILD      0x00000040L
#define WS_EX_TOOLWINDOW    0x00000080L
#define WS_EX_WINDOWEDGE    0x00000100L
#define WS_EX_CLIENTEDGE    0x00000200L
#define DS_ABSALIGN         0x01L
#define DS_SETFONT          0x40L
#define DS_MODALFRAME       0x80L
#define DS_CENTER           0x0800L

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC   0x0020
#define CS_NOCLOSE 0x0200

// ShowWindow, SetWindowPos.
#define SW_HIDE            0
#define SW_SHOWNORMAL      1
#define SW_NORMAL          1
#define SW_SHOWMINIMIZED   2
#define SW_SHOWMAXIMIZED   3
#define SW_SHOWNOACTIVATE  4
#define SW_SHOW            5
#define SW_MINIMIZE        6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA          8
#define SW_RESTORE         9
#define SW_SHOWDEFAULT     10
#define SWP_NOSIZE         0x0001
#define SWP_NOMOVE         0x0002
#define SWP_NOZORDER       0x0004
#define SWP_NOREDRAW       0x0008
#define SWP_NOACTIVATE     0x0010
#define SWP_SHOWWINDOW     0x0040
#define SWP_HIDEWINDOW     0x0080
#define HWND_TOP           ((HWND)0)
#define HWND_BOTTOM        ((HWND)1)
#define HWND_TOPMOST       ((HWND)-1)
#define HWND_NOTOPMOST     ((HWND)-2)
#define SIZE_RESTORED      0
#define SIZE_MINIMIZED     1
#define SIZE_MAXIMIZED     2

// Window data offsets.
#define GWLP_WNDPROC    (-4)
#define GWLP_HINSTANCE  (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_ID         (-12)
#define GWL_STYLE       (-16)
#define GWL_EXSTYLE     (-20)
#define GWLP_USERDATA   (-21)
#define GWL_WNDPROC     GWLP_WNDPROC
#define GWL_ID          GWLP_ID
#define GWL_USERDATA    GWLP_USERDATA
#define DWLP_MSGRESULT  0
#define DWLP_DLGPROC    8
#define DWLP_USER       16
#define DLGWINDOWEXTRA  24
#define GW_OWNER        4
#define GW_CHILD        5
#define GW_HWNDNEXT     2

// Activation, hit tests, system commands, mouse key flags.
#define WA_INACTIVE         0
#define WA_ACTIVE           1
#define WA_CLICKACTIVE      2
#define MA_ACTIVATE         1
#define MA_ACTIVATEANDEAT   2
#define MA_NOACTIVATE       3
#define MA_NOACTIVATEANDEAT 4
#define HTERROR             (-2)
#define HTTRANSPARENT       (-1)
#define HTNOWHERE           0
#define HTCLIENT            1
#define HTCAPTION           2
#define HTSYSMENU           3
#define HTMENU              5
#define HTMINBUTTON         8
#define HTMAXBUTTON         9
#define HTLEFT              10
#define HTRIGHT             11
#define HTTOP               12
#define HTTOPLEFT           13
#define HTTOPRIGHT          14
#define HTBOTTOM            15
#define HTBOTTOMLEFT        16
#define HTBOTTOMRIGHT       17
#define HTBORDER            18
#define HTCLOSE             20
#define SC_MOVE             0xF010
#define SC_MINIMIZE         0xF020
#define SC_MAXIMIZE         0xF030
#define SC_NEXTWINDOW       0xF040
#define SC_CLOSE            0xF060
#define SC_RESTORE          0xF120
#define MK_LBUTTON          0x0001
#define MK_RBUTTON          0x0002
#define MK_SHIFT            0x0004
#define MK_CONTROL          0x0008
#define MK_MBUTTON          0x0010
#define WHEEL_DELTA         120

// PeekMessage.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE   0x0001
#define PM_NOYIELD  0x0002

// Virtual keys.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_BACK    0x08
#define VK_TAB     0x09
#define VK_RETURN  0x0D
#define VK_SHIFT   0x10
#define VK_CONTROL 0x11
#define VK_MENU    0x12
#define VK_ESCAPE  0x1B
#define VK_SPACE   0x20
#define VK_PRIOR   0x21
#define VK_NEXT    0x22
#define VK_END     0x23
#define VK_HOME    0x24
#define VK_LEFT    0x25
#define VK_UP      0x26
#define VK_RIGHT   0x27
#define VK_DOWN    0x28
#define VK_INSERT  0x2D
#define VK_DELETE  0x2E
#define VK_F1      0x70
#define VK_F2      0x71
#define VK_F3      0x72
#define VK_F4      0x73
#define VK_F5      0x74
#define VK_F6      0x75
#define VK_F7      0x76
#define VK_F8      0x77
#define VK_F9      0x78
#define VK_F10     0x79
#define VK_F11     0x7A
#define VK_F12     0x7B

// System metrics, colours.
#define SM_CXSCREEN               0
#define SM_CYSCREEN               1
#define SM_CXVSCROLL              2
#define SM_CYHSCROLL              3
#define SM_CYCAPTION              4
#define SM_CXBORDER               5
#define SM_CYBORDER               6
#define SM_CXDLGFRAME             7
#define SM_CYDLGFRAME             8
#define SM_CYMENU                 15
#define SM_CXFRAME                32
#define SM_CYFRAME                33
#define SM_CXDOUBLECLK            36
#define SM_CYDOUBLECLK            37
#define COLOR_SCROLLBAR           0
#define COLOR_BACKGROUND          1
#define COLOR_ACTIVECAPTION       2
#define COLOR_INACTIVECAPTION     3
#define COLOR_MENU                4
#define COLOR_WINDOW              5
#define COLOR_WINDOWFRAME         6
#define COLOR_MENUTEXT            7
#define COLOR_WINDOWTEXT          8
#define COLOR_CAPTIONTEXT         9
#define COLOR_APPWORKSPACE        12
#define COLOR_HIGHLIGHT           13
#define COLOR_HIGHLIGHTTEXT       14
#define COLOR_BTNFACE             15
#define COLOR_BTNSHADOW           16
#define COLOR_GRAYTEXT            17
#define COLOR_BTNTEXT             18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT        20
