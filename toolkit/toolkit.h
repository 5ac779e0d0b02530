// The widget toolkit ("brambix"): turns a desktop child window into a
// surface of self-drawn controls. This is the folder's public header.
//
// Index:
//   records ............ colours, points, click objects, lists, zones, windows,
//                        timers, mouse, bitmaps, fonts, text edit, picture
//   globals ............ the toolkit's state, one record or table each
//   start-up ........... initBrambix, brambixCleanup
//   windows ............ window table, attach, show, size, draw, device contexts
//   click objects ...... create, look up, delete, show, move
//   messages ........... window_preProcess, click dispatch, mouse state, tracking
//   timers, menus, alerts and errors
//   bitmaps, fonts, zones, cursors, rectangles
//   picture and custom controls
//   control defaults ... colours, fonts and settings the controls start from
//
// Everything runs on the one user-interface thread. Nearly every operation
// acts on the current window (g_currentWindow) and takes an object id.
#pragma once
#include "platform/platform.h"

// ---- records ------------------------------------------------------------------

// A colour as three 8-bit components.
struct RGBColor {
    unsigned char red, green, blue;
};

// A point in client coordinates: vertical coordinate first.
struct zPoint {
    short v, h;
};

typedef void (*clickProcPtr)(short id);
typedef void (*eventProcPtr)(short id, long event, long a, long b);
typedef void (*validateProcPtr)(short id, char* text);
typedef void (*prepareUndoProcPtr)(short arg);
typedef void (*timerProcPtr)(short id, void* timer);

// Control kinds kept in clickObjectRec::type.
enum {
    kTypeNone = 0,
    kTypeButton = 1,
    kTypePanel = 2,
    kTypePicture = 3,
    kTypeDraggy = 4,
    kTypeDisplay = 5,
    kTypeNumbox = 6,
    kTypeMatrix = 7,
    kTypeKeyboard = 8,
    kTypePopup = 9,
    kTypeCustom = 10,
    kTypeList = 11
};

// Cursor ids of zones.
enum { kCursorArrow = 0, kCursorCaret = 1, kCursorUpDown = 134, kCursorArrowOn = 202 };

// Events passed to a custom control's event procedure.
enum {
    kCustomDraw = 1,
    kCustomClick = 2,
    kCustomRightClick = 3,
    kCustomCreated = 4,
    kCustomDeleting = 5,
    kCustomMoved = 6,
    kCustomShown = 8,
    kCustomEnabled = 9
};

// One control of a window.
struct clickObjectRec {
    short window;  // owning window id
    short id;      // object id, also the id of its zone
    short type;    // control kind, 0 = none
    RECT rect;     // client coordinates
    int visible;
    int enabled;             // clicks are delivered only while non-zero
    short panel;             // owning panel object, 0 if none
    void* data;              // the control's own record
    void* userData;          // free pointer for custom controls
    clickProcPtr clickProc;  // left click
    clickProcPtr drawProc;   // draw
    eventProcPtr eventProc;  // custom controls only
};

struct clickListRec {
    short count;
    clickObjectRec** objects;  // count entries, never null (defaultClickObject = none)
};

struct drawListRec {
    short changed;  // set: rebuild before the next draw
    short spare;
    short capacity;
    short count;  // entries in use
    clickObjectRec** objects;
};

struct zoneRec {
    short id;      // 0 = no zone, else the owning object's id
    RECT rect;     // edges included in hit tests
    short maskID;  // bitmap shaping the zone, 0 = none
    short cursorID;
    int hasMask;
    HCURSOR cursor;
};

struct zoneListRec {
    short count;
    zoneRec* zones;
};

// The one in-place text editor of a window.
struct textEditRec {
    short id;                  // object being edited
    validateProcPtr validate;  // called with the typed text when the edit ends
    int open;
    HWND hwnd;  // the edit control
};

struct windowRec {
    short id;
    zoneListRec* zoneList;
    clickListRec* clickList;
    drawListRec* drawList;
    textEditRec textEdit;
    prepareUndoProcPtr prepareUndo;
    int visible;  // painting is skipped while 0
    HWND hwnd;
    HDC currentDC;  // DC in use during painting and construction, else 0
    long dcCount;   // DCs borrowed through window_getHDC and not yet returned
};

struct timerRec {
    double nextTime;  // seconds
    double period;    // seconds
    short id;         // >= 1, passed to the callback
    short window;     // made current before the callback
    timerProcPtr callback;
    long active;
};

// Mouse state: 0 idle, 1 pressed, 2 dragging, 3 released.
enum { kMouseIdle = 0, kMousePressed = 1, kMouseDragging = 2, kMouseReleased = 3 };
struct mouseRec {
    short state;
    zPoint pos;
    zPoint pressPos;
    zPoint releasePos;
};

struct bitmapListRec {
    long count;
    HBITMAP* bitmaps;  // null = slot empty
};

#define kFontFree ((short)0xFFFF)
struct fontRec {
    short font;    // font number
    short listID;  // kFontFree marks a free entry, else the entry's own index
    long size;
    HFONT hfont;
};

// Picture control record. Flags: 1 created hidden, 8 no zone, 16 stretched.
enum { kPicHidden = 1, kPicNoZone = 8, kPicStretch = 16 };
struct picRec {
    short count;        // pictures in the list, at least 1
    short current;      // index into the list
    short* list;        // bitmap ids
    short currentPict;  // bitmap id shown
    long flags;
    clickObjectRec* obj;
    clickProcPtr callback;
};

// ---- globals ------------------------------------------------------------------
#define kWindowMax   32
#define kTimerMax    128
#define kMenuMax     128
#define kFontMax     16
#define kBitmapSlots 3000

extern windowRec g_windowList[kWindowMax + 1];
extern clickObjectRec defaultClickObject;
extern short g_currentWindow;
extern short g_frontWindow;
extern short gActiveObject;
extern short brambixEvent_type;
extern short brambixEvent_id;
extern mouseRec g_mouse;
extern int mouse_stop;
extern int gStopEvent;
extern long clickTime;
extern long g_isDoubleClick;

extern timerRec timerList[kTimerMax];
extern timerRec* timerRunList[kTimerMax];
extern short timerRunListSize;
extern timerRec emptyTimer;
extern UINT_PTR g_timerID;

extern HMENU menu_list[kMenuMax];
extern HMENU menu_defaultHMenu;

extern RGBColor black, white;
extern HWND hWnd_frame;
extern HWND alertMotherHWND;
extern char g_error[260];
extern int g_error_enable;

extern bitmapListRec* g_bitmapList;
extern fontRec g_fontList[kFontMax];
extern HCURSOR g_arrowCursor, g_caretCursor, g_upDownCursor, g_arrowOnCursor;

// ---- start-up and clean-up ------------------------------------------------------
// Start-up order: platform_init, resources_registerAll (the cursors must be
// registered before initBrambix loads them), initBrambix, loadBitmaps.
void initBrambix(void);
void brambixCleanup(void);

// ---- windows ------------------------------------------------------------------------
void window_initGlobals(void);
void window_init(short id);
void window_cleanup(void);
int window_brambixize(short id, HWND hwnd, short clickMax, short drawMax);
void window_postBrambixize(short id);
windowRec* window_get(short id);
HWND window_getHWND(short id);
void window_setHWND(short id, HWND hwnd);
clickListRec* window_getClickList(short id);
drawListRec* window_getDrawList(short id);
zoneListRec* window_getZoneList(short id);
short window_getZoneListMax(short id);
zoneRec* window_getZone(short id, short index);
textEditRec* window_getTextEdit(short id);
void window_setCurrent(short id);
short window_getCurrent(void);
short window_getFrontWindow(void);
void window_show(short id, int show);
int window_getVisible(short id);
void window_setName(short id, const char* text);
short window_getWidth(short id);
short window_getHeight(short id);
void window_move(short id, short x, short y);
void window_size(short id, short width, short height);
void window_sizeToPanel(short id, short panelObject);
// The client size that shows every visible object of a window in full
// (their right and bottom edges; a panel without a picture counts only
// through its objects); 0 when it has none.
int window_getContentSize(short id, short* width, short* height);
HDC window_getHDC(short id);
void window_freeHDC(short id, HDC hdc);
void window_manualPreProcess(short id);
void window_manualPostProcess(short id);
void window_paintWin(short id);
void window_draw(short id);
void window_drawInRect(short id, RECT* rect);
void window_updateDrawList(short id);
void window_setPrepareUndoCallback(short id, prepareUndoProcPtr callback);
void window_prepareUndo(short id, short arg);
void window_stopEvent(void);
long isDoubleClick(void);
void window_setFrameHWND(HWND hwnd);
HWND window_getFrameHWND(void);

// ---- click objects --------------------------------------------------------------------
void emptyClickProc(short id);
void custom_defaultEventCallback(short id, long event, long a, long b);
void clickObject_init(clickObjectRec* obj, short window, short id);
clickObjectRec* clickObject_new(short window, short id);
clickObjectRec* clickObject_get(short window, short id);
void clickObject_delete(short window, short id);
int clickObject_isVisible(short window, short id);
int clickObject_isEnabled(short window, short id);
// Show, move and enable a control of the current window whatever its kind
// (the kinds' own functions do the same for their kind). Only a real change
// repaints: hiding invalidates what the control painted, showing what it
// paints, a move both places; a control disabled or hidden takes no click.
void clickObject_show(short id, int show);
void clickObject_move(short id, short x, short y);
void clickObject_enable(short id, int enable);
void clickObject_getRect(short id, RECT* rect);
void clickObject_setRect(short id, RECT* rect);

// ---- messages, clicks, mouse -------------------------------------------------------------
short window_preProcess(short id, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int all);
short window_processClick(short id, short objectID);
short window_processRightClick(short id, short objectID);
void mouse_init(mouseRec* mouse);
void mouse_setDragging(void);
short mouse_getState(void);
void mouse_update_win(mouseRec* mouse, UINT msg, short x, short y);
int mouse_up(HWND hwnd);
void mouse_getPos(zPoint* pt);
void resetClicks(void);

// ---- the in-place text editor's record (the editor itself comes with displays) -------
void textEditRec_init(textEditRec* rec);
void textEdit_validateDefault(short id, char* text);
void textEdit_validate(void);

// ---- timers --------------------------------------------------------------------------------
void timer_init(void);
void timer_cleanup(void);
timerRec* timer_new(short window, short id, timerProcPtr callback, double amount, long divisor);
void timer_stop(timerRec* timer);
void timer_emptyCallback(short id, void* timer);
void timer_process(void);
void timer_winProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
double timer_currentTime(void);
timerRec* timer_getFreeTimer(void);
void timer_updateRunList(void);
void timer_initTimerRec(timerRec* timer);

// ---- menus -----------------------------------------------------------------------------------
void menu_init(void);
void menu_cleanup(void);
void menu_new(short menuID, int flag, const char* name);
void menu_addItem(short menuID, short item, int flag, const char* text);
void menu_enableItem(short menuID, short commandID, int enable);
void menu_clear(short menuID);
HMENU menu_getHMenu(short menuID);

// ---- alerts and errors ------------------------------------------------------------------------
void alert_init(HWND owner);
int alertbox(UINT type, const char* text, UINT extra);
void error_init(void);
void error(const char* text);

// ---- bitmaps -----------------------------------------------------------------------------------
bitmapListRec* bitmaps_makeList(long count);
void bitmaps_deleteList(bitmapListRec* list);
void bitmap_load(int id, bitmapListRec* list, HINSTANCE inst);
void bitmap_delete(long id, bitmapListRec* list);
void bitmap_clearList(bitmapListRec* list);
HBITMAP bitmap_get(long id);
void bitmap_getRect(long id, RECT* rect);
short getPictRect(short id, RECT* rect);
void bitmap_draw(long id, short x, short y);
void bitmap_drawStretch(long id, short left, short top, short right, short bottom);
void bitmap_drawRectOffset(long id, RECT* dest, int srcX, int srcY);
void bitmap_drawOffscreen(long id, short x, short y, HDC target);
void drawPictMask(short picture, short mask, short x, short y);
int pointInBitmap(long id, zPoint* pt);
void loadBitmaps(HINSTANCE inst);

// ---- fonts -------------------------------------------------------------------------------------
void font_initList(void);
void font_deleteList(void);
short font_new(short font, int size);
short font_getListID(short font, int size);
short font_getFreeListID(void);
void font_select(short listID, HDC hdc);
HFONT font_getHFONT(short listID);
HFONT EzCreateFont(HDC hdc, const char* face, int deciPtHeight, int deciPtWidth, int attributes, int logRes);

// ---- zones and cursors ------------------------------------------------------------------------
void zone_init(zoneRec* zone, short id);
short zone_new(short id, short cursorID, short left, short top, short right, short bottom, short maskID);
short zone_newRect(short id, short cursorID, RECT rect, short maskID);
void zone_delete(short id);
int zone_pointInZone(zoneRec* zone, zPoint* pt);
short zone_pointToZoneID(short window, zPoint* pt);
void zone_updateCursor(short zoneID);
void cursor_init(void);
HCURSOR cursor_get(short id);

// ---- rectangles, invalidation, graphics globals ------------------------------------------------
int rectInRect(RECT* a, RECT* b);
void invalRect(RECT* rect);
void validRect(RECT* rect);
void showCursor(int show);
void initGraphic(void);

// ---- picture control (type 3) -------------------------------------------------------------------
void pic_new(short id, short x, short y, long flags, short firstPict, short count, clickProcPtr callback);
void pic_newStretch(short id, short x, short y, short width, short height, long flags, short firstPict,
                    short count, clickProcPtr callback);
void pic_process(short id);
void pic_draw(short id);
void pic_show(short id, int show);
void pic_move(short id, short x, short y);
void pic_setSize(short id, short width, short height);
void pic_delete(short id);
short* pic_makePictList(short firstPict, short count);
void pic_deletePicList(short* list);

// ---- custom control (type 10) --------------------------------------------------------------------
void custom_new(short id, short left, short top, short width, short height, eventProcPtr eventProc);
void custom_click(short id);
void custom_draw(short id);
void custom_create(short id);
void custom_show(short id, int show);
void custom_move(short id, short x, short y);
void custom_enable(short id, int enable);
void custom_resize(short id, short width, short height);
void custom_moveResizeV(short id, short top, short height);
void custom_updateZone(short id);
void custom_setUserData(short id, void* data);
void* custom_getUserData(short id);
void custom_getRect(short id, RECT* rect);
int custom_getVisible(short id);
void custom_delete(short id);

// ---- control defaults: what the value and other controls start from ------------------------------
extern RGBColor g_numboxTextRGB;
extern short g_numboxPictID;
extern short numboxWidth;
extern RGBColor button_currentRGB;
extern short button_currentFont, button_currentFontSize;
extern RGBColor popup_defaultTitleRGB, popup_defaultBodyRGB, popup_defaultFrameRGB, popup_defaultItemTextRGB;
extern RGBColor popup_bgRGB;
extern short popup_currentFont, popup_currentFontSize;
extern RGBColor g_matrix_textRGB, g_matrix_bgRGB, g_matrix_frameRGB, g_selectBgRGB, g_selectFrameRGB;
extern short matrix_currentFont, matrix_currentFontSize, list_currentFont, list_currentFontSize;
extern RGBColor display_currentColor, display_currentBgColor;
extern short display_currentFont, display_currentSize, display_currentStyle;
extern float draggy_lag, draggy_mouseScale;

void matrix_initGlobals(void);
void numbox_initGlobals(void);
void numbox_setTextRGB(short red, short green, short blue);
void numbox_setPictID(short base);
void button_init(void);
void button_setCurrentTextRGB(long red, long green, long blue);
void popup_init(void);
void popup_setDefaultColors(RGBColor title, RGBColor body, RGBColor itemText, RGBColor frame);
void popup_resetDefaultColors(void);
void popup_setCurrentFontSize(short size);
void display_initDefaults(void);
void display_setDefaultColors(RGBColor text, RGBColor background);
void draggy_setLag(float lag);
void draggy_setMouseScale(float scale);
// A colour of the toolkit's records as a device colour.
COLORREF rgbColor_toCOLORREF(RGBColor c);

// ---- the controls: number boxes, draggies, pop-ups, buttons, displays, text editor, matrix,
// list, panels, keyboard -------------------------------------------------------------------------
#include "toolkit/controls.h"
