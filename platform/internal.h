// Internal records and helpers of the platform layer, shared by its source
// files only. Index: handles; classes and windows; device contexts and GDI
// objects; timers, queue and modal stack; the layer state; helper functions
// grouped by the file that defines them.
#pragma once
#include "platform/platform.h"
#include "platform/presenter.h"
#include <cairo.h>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace plat {

// ---- handles: every handle is a unique number, looked up in a table -----------
uintptr_t newHandleId();
template <class H> inline H toHandle(uintptr_t id) { return reinterpret_cast<H>(id); }
template <class H> inline uintptr_t fromHandle(H h) { return reinterpret_cast<uintptr_t>(h); }

// Per-control data kept by the built-in control classes.
struct ControlData {
    virtual ~ControlData() {}
};

struct ClassRec {
    std::string name;  // as registered
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE inst = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool builtin = false;
};

struct WindowRec {
    HWND handle = nullptr;
    ClassRec* cls = nullptr;
    WNDPROC proc = nullptr;
    std::string text;
    DWORD style = 0, exStyle = 0;
    HWND parent = nullptr;       // WS_CHILD windows
    HWND owner = nullptr;        // top-level owned windows
    std::vector<HWND> children;  // bottom to top
    RECT rect{0, 0, 0, 0};       // window rectangle: parent client coords, or screen for top-level
    LONG_PTR id = 0;
    HMENU menu = nullptr;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extra;
    HINSTANCE inst = nullptr;
    cairo_surface_t* surface = nullptr;  // whole window, non-client and client
    cairo_region_t* update = nullptr;    // client coords
    bool eraseBg = false;
    bool ncDirty = true;
    bool destroyed = false;
    bool minimized = false;
    RECT restoreRect{0, 0, 0, 0};
    HFONT font = nullptr;
    std::unique_ptr<ControlData> ctrl;
    int ncPressed = 0;  // hit-test code of a pressed caption button
    // MDI client state.
    HWND mdiActive = nullptr;
    UINT mdiFirstChild = 0;
    int mdiNextId = 0;
    bool isMdiClient = false;
    bool isMdiChild = false;
};

struct PenRec {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};
struct BrushRec {
    int style = BS_SOLID;
    COLORREF color = 0;
};
struct FontRec;
struct BitmapRec {
    cairo_surface_t* surface = nullptr;
    bool mono = false;
    int width = 0, height = 0;
};
struct RegionRec {
    cairo_region_t* region = nullptr;
};

enum GdiKind {
    GDI_PEN = OBJ_PEN,
    GDI_BRUSH = OBJ_BRUSH,
    GDI_FONT = OBJ_FONT,
    GDI_BITMAP = OBJ_BITMAP,
    GDI_REGION = OBJ_REGION
};
struct GdiObj {
    GdiKind kind;
    bool stock = false;
    int selectCount = 0;  // DCs that hold it selected
    bool deletePending = false;
    PenRec pen;
    BrushRec brush;
    std::shared_ptr<FontRec> font;
    BitmapRec bitmap;
    RegionRec region;
    ~GdiObj();
};

struct DCState {
    HGDIOBJ pen, brush, font, bitmap;
    COLORREF textColor, bkColor;
    int bkMode;
    UINT textAlign;
    int stretchMode;
    int graphicsMode;
    POINT curPos, viewportOrg, windowOrg;
    cairo_region_t* appClip;  // owned copy or null
};

enum DCKind { DC_WINDOW, DC_PAINT, DC_MEMORY, DC_SCREEN };
struct DCRec {
    HDC handle = nullptr;
    DCKind kind = DC_WINDOW;
    HWND hwnd = nullptr;
    cairo_surface_t* target = nullptr;  // referenced
    POINT devOrigin{0, 0};              // logical 0,0 of the client area in surface pixels
    cairo_region_t* sysClip = nullptr;  // device coords (window client or paint region)
    DCState s{};
    std::vector<DCState> saved;
    cairo_region_t* effClip = nullptr;  // cached effective clip
    unsigned touchSerial = 0;
};

struct TimerRec {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
    uint64_t order = 0;
};

struct ModalRec {
    HWND hwnd = nullptr;                                 // the modal window (dialog, message box, menu)
    std::function<void()> cancel;                        // ends it as the Escape key would
    std::function<void(int id)> answer;                  // ends it by pressing control or command id
    std::function<bool(const std::string&)> answerFile;  // file dialogs only
    bool isFileDialog = false;
};

struct MenuItem {
    UINT flags = 0;  // MF_ flags kept: GRAYED, DISABLED, CHECKED, SEPARATOR, POPUP, BITMAP
    UINT id = 0;
    std::string text;
    HMENU popup = nullptr;
    HBITMAP bitmap = nullptr;
};
struct MenuRec {
    bool isBar = false;
    std::vector<MenuItem> items;
};

struct CursorRec {
    int systemId = 0;
    cairo_surface_t* image = nullptr;
    int hotX = 0, hotY = 0;
};

struct State {
    bool running = false;
    std::unique_ptr<Presenter> presenter;
    int screenW = 0, screenH = 0;
    cairo_surface_t* screen = nullptr;
    cairo_region_t* damage = nullptr;  // screen coords to recompose
    unsigned composeSerial = 1;
    DWORD lastPresent = 0;  // tick of the last presentation
    HINSTANCE instance = nullptr;

    std::unordered_map<uintptr_t, std::unique_ptr<WindowRec>> windows;
    std::vector<std::unique_ptr<WindowRec>> graveyard;
    std::vector<HWND> topLevels;                               // bottom to top
    std::map<std::string, std::unique_ptr<ClassRec>> classes;  // key: upper-case name
    std::unordered_map<uintptr_t, std::unique_ptr<DCRec>> dcs;
    std::unordered_map<uintptr_t, std::unique_ptr<GdiObj>> gdi;
    std::unordered_map<uintptr_t, std::unique_ptr<MenuRec>> menus;
    std::unordered_map<uintptr_t, std::vector<ACCEL>> accels;
    std::unordered_map<uintptr_t, std::unique_ptr<CursorRec>> cursors;
    HGDIOBJ stock[20] = {};

    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;
    DWORD lastMessageTime = 0;
    std::vector<TimerRec> timers;
    uint64_t timerOrder = 0;
    UINT_PTR nextThreadTimerId = 1;

    HWND capture = nullptr, focus = nullptr, active = nullptr;
    POINT cursorPos{0, 0};
    unsigned char keyDown[256] = {};
    unsigned char keyToggle[256] = {};
    // Double-click detection.
    HWND lastClickWnd = nullptr;
    int lastClickButton = 0;
    DWORD lastClickTime = 0;
    POINT lastClickPos{0, 0};
    HCURSOR cursor = nullptr;
    int cursorCount = 0;

    std::vector<ModalRec> modals;
    std::deque<std::function<void(HWND)>> idleActions;
    void (*loopCheck)(void) = nullptr;
    int unanswered = 0;
    PlatformPromptRec lastPrompt;

    // Resource registries (keys: "#123" for ids, upper-case names).
    std::map<std::string, BitmapRec> resBitmaps;
    std::map<std::string, CursorRec> resCursors;
    std::map<std::string, std::vector<MenuTemplateItem>> resMenus;
    std::map<std::string, std::vector<ACCEL>> resAccels;
    std::map<std::string, DialogTemplate> resDialogs;

    // Clipboard.
    bool clipboardOpen = false;
    HGLOBAL clipboardText = nullptr;
    DWORD commDlgError = 0;
};
State& st();

// ---- state.cpp ----
std::string resourceKey(LPCSTR nameOrId);
std::string upperCase(const std::string& s);
DWORD nowTicks();

// ---- window.cpp ----
WindowRec* win(HWND h);
bool isTopLevel(const WindowRec* w);
HWND topLevelOf(HWND h);
bool isReallyVisible(HWND h);
bool isReallyEnabled(HWND h);
RECT clientInsets(const WindowRec* w);        // thickness of the non-client parts
RECT clientRectInWindow(const WindowRec* w);  // client area in window-surface coords
POINT clientOriginOnScreen(HWND h);
RECT windowRectOnScreen(HWND h);
void damageWindow(HWND h);  // its on-screen area must be recomposed
void setWindowRect(HWND h, const RECT& r, bool sendMessages);
void zorderToTop(HWND h);
void destroyRecursive(HWND h);
HWND hitTestWindow(POINT screenPt, int* hitCode);
void resizeSurface(WindowRec* w);
ClassRec* findClass(LPCSTR name);
void registerBuiltinClass(const char* name, WNDPROC proc, UINT style, int wndExtra, HBRUSH bg,
                          HCURSOR cursor);

// ---- nonclient.cpp ----
int ncHitTest(HWND h, POINT screenPt);
// A border hit that sizes the window (HTLEFT .. HTBOTTOMRIGHT), and its cursor.
bool ncIsSizingHit(int hit);
HCURSOR ncSizingCursor(int hit);
void ncPaint(HWND h);
int ncCaptionHeight(const WindowRec* w);
int ncMenuHeight(const WindowRec* w);
RECT ncButtonRect(const WindowRec* w, int hit);  // window coords
LRESULT ncLButtonDown(HWND h, int hit, POINT screenPt);

// ---- message_queue.cpp ----
bool peekInternal(MSG* m, HWND h, UINT mn, UINT mx, UINT remove);
// Presents what was drawn, then lets the presenter take its idle step.
void waitForInput(bool modal);
void postInternal(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool front = false);

// ---- input_routing.cpp ----
// Turns one pending input event into messages; false when none was pending.
bool pumpInput();
WPARAM mouseKeyFlags();

// ---- focus_capture.cpp ----
void activateTopLevel(HWND h, int how);

// ---- modal_loop.cpp ----
// Runs the message loop of a modal prompt: the prompt stands on the modal
// stack (where scripted answers and clicks on disabled windows find it)
// until ended says it is done or its window is gone. 0 when WM_QUIT came
// (posted again for the outer loop), else 1.
int modalLoop(const ModalRec& modal, bool (*ended)(HWND dlg));
// Activates the topmost modal prompt (a click landed on a window it disabled).
void bringModalForward();

// ---- timer.cpp ----
int timerNextDue(DWORD now, HWND filter);  // ms until the next timer, -1 when none
bool timerTake(MSG* m, HWND filter, bool remove);
void timersKillWindow(HWND h);

// ---- paint.cpp ----
HDC makeWindowDC(HWND h, DCKind kind, const cairo_region_t* clipClient);
void invalidateClient(HWND h, const RECT* r, bool erase);
bool hasUpdate(HWND h);
HWND findWindowToPaint(HWND filter);
void validateAll(HWND h);

// ---- gdi_dc.cpp ----
DCRec* dcOf(HDC h);
GdiObj* gdiOf(HGDIOBJ h);
HGDIOBJ newGdi(std::unique_ptr<GdiObj> o);
const cairo_region_t* dcClip(DCRec* dc);  // effective clip in device coords (never null)
void dcInvalidateClip(DCRec* dc);
POINT dcToDevice(DCRec* dc, int x, int y);
void dcTouch(DCRec* dc);
cairo_t* dcCairo(DCRec* dc);  // new context clipped and translated to logical coords; destroy after use
void dcReleaseAll(DCRec* dc);
void gdiInitStock();
uint32_t colorToPixel(COLORREF c);
COLORREF pixelToColor(uint32_t p);
COLORREF brushColor(HBRUSH b, bool* isNull);
BitmapRec* dcBitmap(DCRec* dc);
HBITMAP newBitmap(int w, int h, bool mono);

// ---- gdi_draw.cpp ----
struct Pixels {
    uint32_t* data = nullptr;
    int stride = 0, width = 0, height = 0;
};
Pixels pixelsOf(cairo_surface_t* s);  // flushed; call cairo_surface_mark_dirty after writing
std::vector<RECT> clipRects(DCRec* dc);
uint32_t pixelForTarget(DCRec* dc, uint32_t pixel);  // monochrome targets take black or white
void fillDeviceRect(DCRec* dc, RECT dev, uint32_t pixel);

// ---- gdi_text.cpp ----
struct FontRec {
    LOGFONTA lf{};
    std::string family;
    double pixelSize = 12;
    double scaleX = 1;
    cairo_scaled_font_t* scaled = nullptr;
    int ascent = 0, descent = 0, aveWidth = 0, maxWidth = 0;
    ~FontRec();
};
std::shared_ptr<FontRec> fontCreate(const LOGFONTA& lf);
std::string resolveFamily(const std::string& face);
FontRec* dcFont(DCRec* dc);
int textWidth(FontRec* f, const std::string& utf8);
std::string toUtf8(const char* text, int len);
// Draws text with the font at x (left) and baseline y on a cairo context.
void drawTextRun(cairo_t* cr, FontRec* f, double x, double baseline, const std::string& utf8, COLORREF color);

// ---- compositor.cpp ----
void composeWindowInto(cairo_t* cr, HWND h, int ox, int oy);
void screenResize(int w, int h);
// The shortest time between two presentations made outside the wait for
// input (about one frame of a 60 Hz display, a little less so that a loop
// that sleeps a frame between rounds is never skipped).
const DWORD kFrameMs = 15;
// Milliseconds until a drawn change may be presented again: 0 when it may
// be now, -1 when nothing waits to be presented.
int presentDueIn();
// Presents what was drawn since the last presentation when it is due.
// Called by the primitives every tracking loop already calls (sleeping,
// polling the mouse and the queue), so what a loop draws reaches the
// screen within a frame without code of its own.
void presentIfDue();

// ---- menu.cpp / menu_track.cpp ----
MenuRec* menuOf(HMENU h);
int menuFindCommand(HMENU m, UINT cmd, HMENU* owner, int* pos);
bool menuCommandGrayed(HMENU m, UINT cmd);
UINT trackMenu(HMENU menu, UINT flags, int x, int y, HWND owner, HWND barWindow, int barItem);
// trackMenu flag: the menu bar was opened by a key (its menu shows its
// first item highlighted).
const UINT kTrackFromKeyboard = 0x80000000u;
// The menu-bar item of window h whose key (the letter after '&') is vk, or -1.
int menuBarMnemonicItem(HWND h, WPARAM vk);
void menuBarLayout(HWND h, std::vector<RECT>* items);  // window coords
void menuDrawBar(HWND h, cairo_t* cr, const RECT& bar);
HMENU menuFromTemplate(const std::vector<MenuTemplateItem>& items, bool bar);

// ---- dialog.cpp ----
HWND dialogCreate(const DialogTemplate& tpl, HWND owner, DLGPROC proc, LPARAM param, HINSTANCE inst);
INT_PTR dialogRunModal(HWND dlg, HWND owner, ModalRec modal);
bool dialogEnded(HWND dlg, INT_PTR* result);
void dialogPressButton(HWND dlg, int id);
ModalRec dialogModalRec(HWND dlg);
HFONT defaultGuiFont();

// ---- controls ----
void controlsRegister();  // button, static, edit, list box, scroll bar
void mdiRegister();
void menuTrackRegister();
void drawIcon(cairo_t* cr, int kind, double x, double y, double size);  // MB_ICON* >> 4
void draw3dRect(DCRec* dc, RECT r, bool sunken);

// ---- cursor.cpp ----
void cursorInitSystem();
CursorRec* cursorOf(HCURSOR h);

// ---- mdi.cpp ----
void mdiMinimize(HWND h);
void mdiRestore(HWND h);
void mdiChildGone(HWND child);
HWND mdiCreateChild(HWND client, const MDICREATESTRUCTA* mcs);
bool mdiIsActiveChild(HWND h);
HWND mdiChildOf(HWND h);

// ---- dropfiles.cpp ----
HDROP dropCreate(const std::vector<std::string>& files, POINT pt);

// ---- headless ----
void pushInput(const InputEvent& ev);

}  // namespace plat
