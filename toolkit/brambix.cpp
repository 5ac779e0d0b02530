// Start-up and clean-up of the whole toolkit, and the defaults (colours,
// fonts, picture bases, drag settings) that the controls start from.
#include "toolkit/toolkit_internal.h"

RGBColor g_numboxTextRGB = {251, 251, 216};
short g_numboxPictID = 900;
short numboxWidth = 64;
RGBColor button_currentRGB = {0, 0, 0};
short button_currentFont = 1, button_currentFontSize = 9;
RGBColor popup_defaultTitleRGB, popup_defaultBodyRGB, popup_defaultFrameRGB, popup_defaultItemTextRGB;
RGBColor popup_bgRGB;
short popup_currentFont = 1, popup_currentFontSize = 9;
RGBColor g_matrix_textRGB, g_matrix_bgRGB, g_matrix_frameRGB, g_selectBgRGB, g_selectFrameRGB;
short matrix_currentFont = 1, matrix_currentFontSize = 9, list_currentFont = 1, list_currentFontSize = 9;
RGBColor display_currentColor = {0, 0, 0}, display_currentBgColor = {255, 255, 255};
short display_currentFont = 1, display_currentSize = 9, display_currentStyle = 8;
float draggy_lag = 0.45f, draggy_mouseScale = 1.0f;

// A 16-bit colour component as an 8-bit one (division truncates toward zero).
static unsigned char component16(long v) { return (unsigned char)(v / 256); }

void matrix_initGlobals(void)
{
    g_matrix_textRGB = RGBColor{250, 250, 215};
    g_matrix_bgRGB = RGBColor{0, 0, 0};
    g_matrix_frameRGB = RGBColor{20, 21, 15};
    g_selectBgRGB = RGBColor{2, 64, 58};
    g_selectFrameRGB = RGBColor{112, 224, 213};
    matrix_currentFont = 1;
    matrix_currentFontSize = 9;
    list_currentFont = 1;
    list_currentFontSize = 9;
}

void numbox_setTextRGB(short red, short green, short blue)
{
    g_numboxTextRGB = RGBColor{component16(red), component16(green), component16(blue)};
}

void numbox_setPictID(short base) { g_numboxPictID = base; }

void numbox_initGlobals(void)
{
    numbox_setTextRGB(-1286, -1286, -10281);
    g_numboxPictID = 900;
}

void button_setCurrentTextRGB(long red, long green, long blue)
{
    button_currentRGB = RGBColor{component16(red), component16(green), component16(blue)};
}

void button_init(void)
{
    button_currentRGB = black;
    button_currentFont = 1;
    button_currentFontSize = 9;
}

void popup_init(void)
{
    popup_defaultTitleRGB = RGBColor{0, 0, 0};
    popup_defaultBodyRGB = RGBColor{62, 62, 62};
    popup_defaultFrameRGB = RGBColor{250, 250, 215};
    popup_defaultItemTextRGB = RGBColor{250, 250, 215};
    popup_bgRGB = RGBColor{250, 250, 215};
    popup_currentFont = 1;
    popup_currentFontSize = 9;
}

void popup_setDefaultColors(RGBColor title, RGBColor body, RGBColor itemText, RGBColor frame)
{
    popup_defaultTitleRGB = title;
    popup_defaultBodyRGB = body;
    popup_defaultItemTextRGB = itemText;
    popup_defaultFrameRGB = frame;
}

void popup_resetDefaultColors(void) {}

void popup_setCurrentFontSize(short size) { popup_currentFontSize = size; }

void display_initDefaults(void)
{
    display_currentColor = black;
    display_currentBgColor = white;
    display_currentFont = 1;
    display_currentStyle = 8;
    display_currentSize = 9;
}

void display_setDefaultColors(RGBColor text, RGBColor background)
{
    display_currentColor = text;
    display_currentBgColor = background;
}

void draggy_setLag(float lag)
{
    if (lag > 0.001f && lag <= 1.0f) draggy_lag = lag;
}

void draggy_setMouseScale(float scale) { draggy_mouseScale = scale; }

void initBrambix(void)
{
    font_initList();
    cursor_init();
    initGraphic();
    timer_init();
    clickObject_init(&defaultClickObject, 1, 0);
    window_initGlobals();
    error_init();
    matrix_initGlobals();
    numbox_initGlobals();
    button_init();
    popup_init();
    menu_init();
    display_initDefaults();
    // No panel takes the controls of a window built after this start.
    panel_enableAutoAdd(0);
    panel_setAutoAdd(0);
    numboxWidth = 64;
    draggy_lag = 0.45f;
    draggy_mouseScale = 1.0f;
}

void brambixCleanup(void)
{
    timer_cleanup();
    menu_cleanup();
    window_cleanup();
    // The store goes with its bitmaps, so that a later start-up makes a new one.
    bitmaps_deleteList(g_bitmapList);
    g_bitmapList = nullptr;
    font_deleteList();
}
