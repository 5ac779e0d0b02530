// The toolkit's controls: number boxes, draggies, pop-ups, buttons,
// displays with the in-place text editor, matrices, lists, panels and
// keyboards. Included at the end of toolkit/toolkit.h, so other folders
// keep including the door only.
//
// Index:
//   shared ............. creation, deletion, the tracking loop, text drawing
//   number box ......... type 6, step rules (increment functions), text to number
//   draggy ............. type 4
//   pop-up ............. type 9
//   button ............. type 1
//   display ............ type 5
//   text editor ........ one per window, over a display or a number box
//   matrix ............. type 7
//   list ............... type 11
//   panel .............. type 2, auto-add
//   keyboard ........... type 8
//
// Every operation acts on the current window (g_currentWindow) and takes an
// object id; an id that names no control does nothing. An id of a control of
// another kind is a mix-up in the caller: it stops the checked build
// (MORVANE_VERIFY) and does nothing in the normal one.
#pragma once

// ---- shared ---------------------------------------------------------------------------

// What a tracking loop knows at each round.
struct trackStateRec {
    zPoint pt;     // the pointer now
    zPoint start;  // the pointer at the first round
    zPoint last;   // the pointer at the previous round
    int inside;    // the pointer is in the control's zone (mask included)
    int round;     // 0 at the first round
};
// One round of a tracking loop; returns 0 to leave the loop at once.
typedef int (*trackStepProcPtr)(short id, trackStateRec* state, void* arg);

// The click object for a new control of the given kind in the current
// window, or null when the window id is outside 1..32, no object can be had,
// or a live control of the same kind is there already.
clickObjectRec* control_newObject(short id, short type);
// Fills a new control's object (panel 0, shown and enabled as asked), gives
// it its zone, rebuilds the draw list and, when shown, invalidates what it
// will paint and tells its kind it is shown. It is painted by the next paint.
void control_attach(clickObjectRec* obj, short type, RECT rect, void* data, clickProcPtr click,
                    clickProcPtr draw, int visible, int enabled);
// A control's mouse zone follows its state: while the object is visible and
// enabled it has a zone of the given cursor (and mask picture) over rect,
// otherwise none.
void control_updateZone(const clickObjectRec* obj, short cursorID, RECT rect, short maskID);
// The control's own record when the object of the current window is of that kind, else null.
void* control_data(short id, short type);
// Deletes the zone, resets the object and rebuilds the draw list; the
// caller has invalidated what it painted and frees its record.
void control_detach(clickObjectRec* obj);
// Follows the mouse while the button is down: each round reads the pointer,
// runs step, waits waitMs, runs the timers and ends when mouse_up reports the
// release. Returns whether the pointer was in the zone at the last round.
int control_track(short id, int waitMs, trackStepProcPtr step, void* arg);
// Paints what lies under a control within rect: the window's background
// and over it the picture of the nearest panel (up the chain of panels) that
// has one. Text is drawn transparently, so a label drawn again over itself
// would grow bolder; it is drawn on this backdrop instead.
void control_drawBackdrop(const clickObjectRec* obj, const RECT* rect);
// Text in a rect of the current window: the font (list id), colour and
// DrawText format, transparent background, one line.
void control_drawText(const char* text, const RECT* rect, short fontID, RGBColor color, UINT format);
// Height of a line of text in the font (list id), 0 when no font or window.
int control_fontHeight(short fontID);
// Copies at most max - 1 characters and ends the copy; returns its length.
int control_copyText(char* out, const char* text, int max);
// A number formatted for display that rounds to zero loses its minus sign.
void control_dropNegativeZero(char* text);

// ---- number box (type 6) -----------------------------------------------------------------
typedef double (*incrementProcPtr)(double value, short delta, short column);

struct numboxRec {
    long pressed;    // 1 while the user drags
    short decimals;  // 0 integer, 1..6 digits after the point
    short buttons;   // step-button columns, 1..3
    short pictID;    // first bitmap of the artwork
    short font;
    short fontID;
    RGBColor nameRGB;
    RGBColor valueRGB;
    RECT buttonRect;
    RECT valueRect;
    RECT nameRect;
    double value, minimum, maximum;
    clickObjectRec* obj;
    incrementProcPtr increment;
    clickProcPtr callback;
    char name[24];
};

void numbox_new(short id, short x, short y, short width, short buttons, short decimals, double value,
                double minimum, double maximum, incrementProcPtr increment, clickProcPtr callback,
                const char* name);
void numbox_delete(short id);
void numbox_setVal(short id, float value);
float numbox_getVal(short id);
void numbox_setMin(short id, double minimum);
void numbox_setMax(short id, double maximum);
void numbox_setName(short id, const char* name);
void numbox_setNameIncrementRangeValue(short id, const char* name, incrementProcPtr increment, float minimum,
                                       float maximum, float value);
void numbox_show(short id, int show);
void numbox_showInPanels(short id, int show);
void numbox_move(short id, short x, short y);
void numbox_draw(short id);
void numbox_process(short id);
void numbox_getValueString(numboxRec* rec, char* out);
int numbox_stringToVal(char* text, double* out);
void numbox_textValidate(short id, char* text);
numboxRec* numbox_get(short id);

// Step rules: delta is the vertical drag in pixels (upward positive), column 1..3.
double numbox_defaultIncrement(double value, short delta, short column);
double numbox_incPointOne(double value, short delta, short column);
double numbox_incPointZeroOne(double value, short delta, short column);
double numbox_incBeat(double value, short delta, short column);
double numbox_incBeat2(double value, short delta, short column);
double numbox_incHertz(double value, short delta, short column);
double numbox_bigExpo(double value, short delta, short column);

// ---- draggy (type 4) ----------------------------------------------------------------------
enum {
    kDraggySpring = 1,
    kDraggyHorizontal = 2,
    kDraggyVertical = 4,
    kDraggyWholeTrack = 8,
    kDraggyHidden = 32,
    kDraggyHideCursor = 64,
    kDraggyJump = 128,
    kDraggyPressedKnob = 256,
    kDraggyLevelFill = 512
};

struct draggyRec {
    short trackPict;  // knob + 1, fill + 2, pressed knob + 3
    short trackRight, trackBottom;
    short halfKnobW, halfKnobH;
    long flags;
    zPoint lastPos;
    RECT knobRect;
    double h, v;  // 0..1
    float one;
    float mouseScale;
    float lag;
    clickObjectRec* obj;
    clickProcPtr callback;
};

void draggy_new(short id, short x, short y, long flags, short trackPict, int makeZone, clickProcPtr callback,
                float h, float v);
void draggy_delete(short id);
void draggy_setVal(short id, float h, float v);
float draggy_getValH(short id);
float draggy_getValV(short id);
void draggy_setValH(short id, float h);
void draggy_show(short id, int show);
void draggy_move(short id, short x, short y);
void draggy_enable(short id, int enable);
void draggy_draw(short id);
void draggy_process(short id);
draggyRec* draggy_get(short id);

// ---- pop-up (type 9) -----------------------------------------------------------------------
enum { kPopupNoArrow = 4, kPopupBitmaps = 8, kPopupTitleInside = 16, kPopupHidden = 32 };
typedef void (*popupProcPtr)(short id, short menu, short item);

struct popupRec {
    long flags;
    clickObjectRec* obj;
    popupProcPtr callback;
    short font;
    short size;
    char title[32];
    RECT titleRect;
    RGBColor titleRGB, bodyRGB, frameRGB, itemTextRGB;
    HMENU menu;
    HWND hwnd;
    short fontID;
    short current;  // command id of the item shown
    short itemBitmaps[16];
    clickProcPtr opening;  // called just before the menu opens (marks, item states), or null
};

void popup_new(short id, short x, short y, short width, short height, long flags, short unused,
               const char* title, int enabled, popupProcPtr callback);
void popup_delete(short id);
void popup_addItem(short id, short item, int enabled, const char* text, short bitmapID);
void popup_renameItem(short id, short item, const char* text);
// A procedure called with the pop-up's id each time just before its menu
// opens, so the owner can mark the current choice in shared menus.
void popup_setOpenCallback(short id, clickProcPtr opening);
void popup_attachSubMenu(short id, short item, short menuID);
void popup_clear(short id);
void popup_selectItem(short id, short item);
short popup_getCurrentItem(short id);
void popup_defaultCallback(short id, short menu, short item);
void popup_enable(short id, short unused, int enabled);
void popup_show(short id, int show);
void popup_move(short id, short x, short y);
void popup_draw(short id);
void popup_process(short id);
popupRec* popup_get(short id);

// ---- button (type 1) ------------------------------------------------------------------------
enum { kButtonAtPress = 1, kButtonRadio = 2, kButtonHidden = 4, kButtonToggle = 16, kButtonMultiState = 32 };

struct buttonRec {
    short states;  // at least 1
    short state;
    short* picts;  // 8 x states bitmap ids, 0 = missing
    int hasMask;
    short currentPict;
    long flags;
    clickObjectRec* obj;
    clickProcPtr callback;
    int selected;
    short fontID;
    short font;
    short fontSize;
    short one;
    RGBColor textRGB;
    short textLength;
    char text[32];
};

void button_new(short id, short x, short y, long flags, short basePict, const char* text, int enabled,
                int selected, short states, clickProcPtr callback);
void button_delete(short id);
void button_select(short id, int selected);
void button_enable(short id, int enabled);
void button_selectEnable(short id, int selected, int enabled);
int button_isSelected(short id);
int button_isVisible(short id);
short button_getState(short id);
void button_setState(short id, short state);
void button_show(short id, int show);
void button_move(short id, short x, short y);
void button_setText(short id, const char* text);
void button_updateZone(short id);
void button_draw(short id);
void button_process(short id);
buttonRec* button_get(short id);

// ---- display (type 5) -------------------------------------------------------------------------
enum { kDisplayHidden = 1, kDisplayEditable = 8 };
enum { kDisplayLeft = 0, kDisplayCentre = 1, kDisplayRight = 2 };

struct displayRec {
    char text[256];
    long length;
    unsigned int format;  // DrawText format: 0 left, 1 centred, 2 right
    short font;
    short fontID;
    short size;
    short style;
    short tabTarget;  // next display for the Tab key, 0 = none
    RGBColor textRGB;
    RGBColor bgRGB;
    long flags;
    clickObjectRec* obj;
    clickProcPtr callback;  // after an edit
    validateProcPtr validate;
};

void display_new(short id, short x, short y, short width, const char* text, short unused, long flags,
                 unsigned int format, clickProcPtr callback, validateProcPtr validate);
void display_delete(short id);
void display_setText(short id, const char* text);
void display_getText(short id, char* out, long max);
void display_draw(short id);
void display_process(short id);
void display_doCallback(short id);
void display_setTabTarget(short id, short target);
void display_show(short id, int show);
void display_move(short id, short x, short y);
displayRec* display_get(short id);

// ---- text editor ----------------------------------------------------------------------------------
void textEdit_open(short id, validateProcPtr validate);
void textEdit_openNumbox(short id, validateProcPtr validate);
void textEdit_tab(void);
// Closes the current window's open edit without taking its text (Escape).
void textEdit_cancel(void);
void textEdit_getText(char* out);
LRESULT textEdit_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- matrix (type 7) -------------------------------------------------------------------------------
enum { kMatrixHidden = 1 };

struct matrixItemRec {
    long spare;
    short index;
    short length;
    char text[64];  // at most 62 characters
};

// A cell dropped onto another (copy: Ctrl was held at the release), and a
// right click on a cell.
typedef void (*matrixDropProcPtr)(short id, short from, short to, int copy);
typedef void (*matrixCellProcPtr)(short id, short item);

struct matrixRec {
    short selection;  // item index or -1
    short columns, rows;
    short cellWidth, cellHeight;
    short zero;
    short cellPict;  // 0 = none
    short font, size, fontID;
    RGBColor textRGB, bgRGB, frameRGB, selectBgRGB, selectFrameRGB;
    long flags;
    long count;
    matrixItemRec* items;
    clickObjectRec* obj;
    clickProcPtr callback;
    // Dragging one cell onto another (only with a drop procedure): the cell
    // pressed, the cell under the pointer that a release would drop onto
    // (-1 none) and whether Ctrl is held; the cells show it while it lasts.
    short dragSource, dropTarget;
    int dropCopy;
    RGBColor dropRGB;  // the colour of those marks, apart from the selection's
    matrixDropProcPtr drop;
    matrixCellProcPtr rightClick;
};

void matrix_new(short id, short x, short y, short cellWidth, short cellHeight, short columns, short rows,
                long count, long flags, short cellPict, clickProcPtr callback);
void matrix_delete(short id);
void matrix_setText(short id, short item, const char* text);
void matrix_select(short id, short item);
short matrix_getSelection(short id);
void matrix_show(short id, int show);
void matrix_draw(short id);
void matrix_process(short id);
matrixRec* matrix_get(short id);
// With a drop procedure a press is followed until the release: a release on
// the cell pressed, without having left it, selects it as a click does
// (the click callback then runs); a release on another cell calls drop; a
// release elsewhere, or back on the cell pressed after leaving it, does
// nothing. While the pointer is over another cell the two cells are framed
// (with Ctrl only the target, marked "+"). Null restores the plain click.
void matrix_setDropProc(short id, matrixDropProcPtr drop);
// A right click on a cell calls proc with the cell (the selection stays).
void matrix_setRightClickProc(short id, matrixCellProcPtr proc);
// Frames one cell as a drag's target is framed (the cell a command acts
// on), -1 for none.
void matrix_markCell(short id, short item);
// The cell under a point of the window, or -1.
short matrix_itemAt(short id, zPoint pt);

// ---- list (type 11) ---------------------------------------------------------------------------------
enum { kListHidden = 1 };

struct listItemRec {
    long selected;
    short index;
    short length;
    char text[64];  // at most 62 characters
};

struct listRec {
    short lines;  // lines that fit the height
    short first;  // the first item shown: a list longer than its box scrolls
    short lineWidth, lineHeight;
    short linePict;  // 0 = none
    short font, size, fontID;
    RGBColor textRGB, bgRGB, frameRGB, selectBgRGB, selectFrameRGB;
    long flags;
    long count;
    listItemRec* items;
    clickObjectRec* obj;
    clickProcPtr callback;
};

void list_new(short id, short x, short y, short lineWidth, short height, short lineHeight, short count,
              long flags, short linePict, clickProcPtr callback);
void list_delete(short id);
void list_setText(short id, short item, const char* text);
void list_select(short id, short item, int selected);
int list_itemIsSelected(short id, short item);
short list_getSelection(short id);
short list_getLineCount(short id);
void list_clear(short id);
void list_resizeH(short id, short bottom);
// Scrolls by a number of lines (up when negative), within the items that
// have text; the list is drawn again at once.
void list_scroll(short id, short lines);
short list_getFirstShown(short id);
void list_show(short id, int show);
void list_draw(short id);
void list_process(short id);
listRec* list_get(short id);

// ---- panel (type 2) ---------------------------------------------------------------------------------
enum { kPanelExplicitRect = 1, kPanelHidden = 2 };
#define kPanelItemMax 256

struct panelItemRec {
    short id;
    int visible;  // remembered for showing the items again
    int enabled;
};

struct panelRec {
    short pict;  // 0 = none
    long flags;
    clickObjectRec* obj;
    short count;
    panelItemRec items[kPanelItemMax];
    clickProcPtr callback;
};

extern int gAutoAdd;
extern short gAutoAdd_panel, gAutoAdd_window;

void panel_new(short id, short x, short y, short right, short bottom, long flags, short pict,
               clickProcPtr callback);
void panel_delete(short id);
void panel_addObject(short panel, short object);
void panel_enableAutoAdd(int on);
void panel_setAutoAdd(short panel);
int panel_shallWeAutoAdd(void);
void panel_autoAddObject(short object);
void panel_show(short id, int show);
void panel_move(short id, short x, short y);
void panel_updateItemVisibility(short panel, short object, int visible);
void panel_getPictAndOffset(short panel, short* pict, short* x, short* y);
void panel_draw(short id);
void panel_drawAll(short id);
void panel_process(short id);
panelRec* panel_get(short id);
// For every panel of the current window, the remembered visibility of the object.
void window_updateObjectVisibility(short objectID, int visible);

// ---- keyboard (type 8) ---------------------------------------------------------------------------------
enum { kKbdHidden = 1 };
typedef void (*kbdProcPtr)(short id, short note, int on);

struct keyRec {
    RECT rect;
    long selected;
    short note;
    short pict;
    short upper, lower;  // keys one note above and below, -1 when none
    short index;
};

struct kbdRec {
    short current;     // key index or -1
    short keyCount;    // octaves x 12 + 1
    short whiteCount;  // octaves x 7
    short lowest;
    short octaves;
    short whiteWidth;
    short pictBase;
    long flags;
    long hold;
    short keyCount2;
    keyRec* keys;
    clickObjectRec* obj;
    kbdProcPtr callback;
};

void kbd_new(short id, short x, short y, short lowestNote, short octaves, long flags, short pictBase,
             kbdProcPtr callback);
void kbd_delete(short id);
void kbd_defaultCallback(short id, short note, int on);
void kbd_process(short id);
void kbd_processHold(short id);
void kbd_processNoHold(short id);
void kbd_setHold(short id, int hold);
void kbd_stop(short id);
void kbd_selectKey(short id, short key, int selected, int setCurrent);
int kbd_keyIsSelected(short id, short key);
short kbd_getCurrentNote(short id);
short kbd_pointToKey(kbdRec* kbd, zPoint* pt);
short kbd_findKey(kbdRec* kbd, short note);
keyRec* kbd_getKey(kbdRec* kbd, short index);
int kbd_noteIsWhite(short note);
void kbd_draw(short id);
void kbd_drawKeyWin(kbdRec* kbd, short key);
void kbd_show(short id, int show);
void kbd_move(short id, short x, short y);
kbdRec* kbd_get(short id);
