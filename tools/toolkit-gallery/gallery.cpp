// The gallery's window: one section panel per kind of control, each holding
// that control's main variants, and a status line in the keyboard section
// that tells what the last control did.
#include "tools/toolkit-gallery/gallery.h"
#include "resources/resources.h"
#include <cstdarg>
#include <cstdio>

static std::string s_lastEvent;
static int s_innerOffset = 0;  // the inner panel's shift, 0 or 24 pixels

const std::string& gallery_lastEvent(void) { return s_lastEvent; }

static void status(const char* format, ...)
{
    char text[128];
    va_list ap;
    va_start(ap, format);
    vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    s_lastEvent = text;
    display_setText(kGalStatus, text);
}

int gallery_registerArt(void)
{
    if (!res_registerGalleryArt()) return 0;
    loadBitmaps(platform_instance());
    return 1;
}

// ---- callbacks ------------------------------------------------------------------------------

static void onNumbox(short id)
{
    char text[40] = {0};
    numbox_getValueString(numbox_get(id), text);
    status("number box %d: %s", id, text);
}

static void onDraggy(short id)
{
    if (id == kGalLevel) {
        char text[16];
        snprintf(text, sizeof text, "%d %%", (int)(draggy_getValH(id) * 100 + 0.5));
        display_setText(kGalLevelText, text);
    }
    status("draggy %d: %.2f, %.2f", id, draggy_getValH(id), draggy_getValV(id));
}

static void onPopup(short id, short menu, short item)
{
    popup_selectItem(id, item);
    status("pop-up %d: menu %d, item %d", id, menu, item);
}

static void onButton(short id)
{
    if (id >= kGalTab1 && id <= kGalTab3)
        for (short t = kGalTab1; t <= kGalTab3; t++)
            if (t != id) button_select(t, 0);
    if (id == kGalInnerToggle) panel_show(kGalInner, button_isSelected(id));
    if (id == kGalMove) {
        s_innerOffset = s_innerOffset ? 0 : 24;
        RECT r;
        clickObject_getRect(kGalPanelsPanel, &r);
        panel_move(kGalInner, (short)(r.left + 94 + s_innerOffset), (short)(r.top + 22));
    }
    if (id == kGalHold) kbd_setHold(kGalKeyboard, button_isSelected(id));
    if (id == kGalStop) kbd_stop(kGalKeyboard);
    status("button %d: %s, state %d", id, button_isSelected(id) ? "selected" : "not selected",
           button_getState(id));
}

static void onDisplay(short id)
{
    char text[64] = {0};
    display_getText(id, text, sizeof text);
    status("display %d: \"%s\"", id, text);
}

static void onMatrix(short id) { status("matrix: item %d", matrix_getSelection(id)); }

static void onList(short id)
{
    int n = 0;
    for (short i = 0; i < 12; i++) n += list_itemIsSelected(id, i);
    status("list: %d selected, first %d", n, list_getSelection(id));
}

static void onKey(short, short note, int on)
{
    if (!window_get(kGalleryWindow) || !clickObject_get(kGalleryWindow, kGalStatus)->data) return;
    status("note %s %d", on ? "on" : "off", note);
}

// ---- building -------------------------------------------------------------------------------

static void buildNumboxes(void)
{
    panel_new(kGalNumboxPanel, 8, 8, 0, 0, 0, kResGalleryPanelNumbox, nullptr);
    numbox_new(kGalLevelBox, 80, 30, 64, 1, 0, 50, 0, 100, nullptr, onNumbox, "level");
    numbox_new(kGalHertzBox, 80, 50, 64, 3, 1, 440, 20, 22000, numbox_incHertz, onNumbox, "Hz");
    numbox_new(kGalPhaseBox, 80, 70, 64, 2, 3, 0.25, -1, 1, numbox_incPointZeroOne, onNumbox, "phase");
    numbox_new(kGalBeatBox, 80, 90, 64, 2, 3, 1, 0, 16, numbox_incBeat, onNumbox, "beats");
    numbox_new(kGalRangeBox, 80, 110, 64, 3, 0, 1000, 0, 100000, numbox_bigExpo, onNumbox, "range");
}

static void buildDraggies(void)
{
    panel_new(kGalDraggyPanel, 266, 8, 0, 0, 0, kResGalleryPanelDraggy, nullptr);
    long level =
        kDraggyHorizontal | kDraggyWholeTrack | kDraggyHideCursor | kDraggyPressedKnob | kDraggyLevelFill;
    draggy_new(kGalLevel, 278, 28, level, kResGalleryLevel, 1, onDraggy, 0.6f, 0);
    display_new(kGalLevelText, 424, 29, 40, "60 %", 0, 0, kDisplayLeft, nullptr, nullptr);
    draggy_new(kGalFader, 484, 30, kDraggyVertical | kDraggyWholeTrack, kResGalleryFader, 1, onDraggy, 0,
               0.3f);
    draggy_new(kGalPad, 282, 56, kDraggyWholeTrack | kDraggyJump | kDraggyPressedKnob, kResGalleryPad, 1,
               onDraggy, 0.5f, 0.5f);
    draggy_new(kGalWheel, 372, 56, kDraggySpring | kDraggyVertical, kResGalleryWheel, 1, onDraggy, 0.5f,
               0.5f);
}

static void buildPopups(void)
{
    panel_new(kGalPopupPanel, 524, 8, 0, 0, 0, kResGalleryPanelPopup, nullptr);
    popup_new(kGalWavePopup, 570, 32, 116, 14, 0, 0, "wave", 1, onPopup);
    const char* waves[] = {"Sine", "Triangle", "Saw", "Square"};
    for (short i = 0; i < 4; i++) popup_addItem(kGalWavePopup, (short)(i + 1), 1, waves[i], 0);
    popup_addItem(kGalWavePopup, 0, 1, "-", 0);
    popup_addItem(kGalWavePopup, 6, 1, "More", 0);
    menu_new(kGalleryMoreMenu, 0, "More");
    menu_addItem(kGalleryMoreMenu, 1, 0, "Pulse");
    menu_addItem(kGalleryMoreMenu, 2, 0, "Noise");
    popup_attachSubMenu(kGalWavePopup, 6, kGalleryMoreMenu);
    popup_selectItem(kGalWavePopup, 1);
    popup_new(kGalModePopup, 536, 60, 150, 14, kPopupTitleInside, 0, "Mode: opens below", 1, onPopup);
    const char* modes[] = {"Single", "Double", "FM", "Ring"};
    for (short i = 0; i < 4; i++) popup_addItem(kGalModePopup, (short)(i + 1), 1, modes[i], 0);
    popup_new(kGalGlyphPopup, 536, 88, 44, 14, kPopupNoArrow | kPopupBitmaps | kPopupTitleInside, 0, "", 1,
              onPopup);
    const char* glyphs[] = {"sine", "triangle", "saw", "square", "pulse", "noise"};
    for (short g = 0; g < kResGlyphCount; g++)
        popup_addItem(kGalGlyphPopup, g, g != kResGlyphNoise, glyphs[g], (short)(kResGalleryGlyphs + g));
    popup_selectItem(kGalGlyphPopup, 0);
}

static void buildButtons(void)
{
    panel_new(kGalButtonPanel, 8, 146, 0, 0, 0, kResGalleryPanelButton, nullptr);
    button_new(kGalStore, 20, 170, 0, kResGalleryStore, nullptr, 1, 0, 1, onButton);
    button_new(kGalLed, 82, 170, kButtonToggle, kResGalleryLed, nullptr, 1, 1, 1, onButton);
    button_new(kGalRound, 110, 167, kButtonToggle, kResGalleryRound, nullptr, 1, 0, 1, onButton);
    button_new(kGalMulti, 146, 170, kButtonMultiState, kResGalleryMulti, nullptr, 1, 0, 3, onButton);
    for (short t = 0; t < 3; t++)
        button_new((short)(kGalTab1 + t), (short)(20 + 46 * t), 200, kButtonRadio | kButtonAtPress,
                   (short)(kResGalleryTab + 8 * t), nullptr, 1, t == 0, 1, onButton);
    button_new(kGalDisabled, 20, 230, 0, kResGalleryPlain, "Disabled", 0, 0, 1, onButton);
    button_new(kGalToggle, 90, 230, kButtonToggle, kResGalleryPlain, "Toggle", 1, 0, 1, onButton);
}

static void buildDisplays(void)
{
    panel_new(kGalDisplayPanel, 266, 146, 0, 0, 0, kResGalleryPanelDisplay, nullptr);
    const char* names[3] = {"Bright Pad", "Glass Bell", "Low Drone"};
    for (short k = 0; k < 3; k++)
        display_new((short)(kGalName1 + k), 290, (short)(172 + 20 * k), 150, names[k], 0, kDisplayEditable,
                    kDisplayLeft, onDisplay, nullptr);
    display_setTabTarget(kGalName1, kGalName2);
    display_setTabTarget(kGalName2, kGalName3);
    display_setTabTarget(kGalName3, kGalName1);
    display_new(kGalNameHint, 280, 236, 226, "click to edit, Tab moves on", 0, 0, kDisplayRight, nullptr,
                nullptr);
}

static void buildMatrixAndList(void)
{
    panel_new(kGalMatrixPanel, 524, 146, 0, 0, 0, kResGalleryPanelMatrix, nullptr);
    matrix_new(kGalMatrix, 537, 172, 0, 0, 3, 4, 10, 0, kResGalleryCell, onMatrix);
    const char* presets[10] = {"Init",  "Bright", "Glass", "Drone", "Pluck",
                               "Sweep", "Choir",  "Bass",  "Bells", "Wind"};
    for (short i = 0; i < 10; i++) matrix_setText(kGalMatrix, i, presets[i]);
    matrix_select(kGalMatrix, 1);
    panel_new(kGalListPanel, 8, 274, 0, 0, 0, kResGalleryPanelList, nullptr);
    list_new(kGalList, 19, 298, 0, 98, 0, 12, 0, kResGalleryLine, onList);
    for (short i = 0; i < 12; i++) {
        char line[32];
        snprintf(line, sizeof line, "%d  envelope %c", i + 1, 'A' + i);
        list_setText(kGalList, i, line);
    }
    list_select(kGalList, 2, 1);
}

static void buildPanels(void)
{
    panel_new(kGalPanelsPanel, 176, 274, 0, 0, 0, kResGalleryPanelPanels, nullptr);
    button_new(kGalInnerToggle, 190, 298, kButtonToggle, kResGalleryPlain, "Inner", 1, 1, 1, onButton);
    button_new(kGalMove, 190, 324, 0, kResGalleryPlain, "Move", 1, 0, 1, onButton);
    panel_setAutoAdd(kGalPanelsPanel);  // the inner panel sits in this section
    panel_new(kGalInner, 270, 296, 0, 0, 0, kResGalleryPanelInner, nullptr);
    numbox_new(kGalInnerBox, 330, 322, 56, 2, 2, 0.5, 0, 1, numbox_incPointZeroOne, onNumbox, "inner");
    draggy_new(kGalInnerLevel, 430, 320, kDraggyHorizontal | kDraggyWholeTrack | kDraggyLevelFill,
               kResGalleryLevel, 1, onDraggy, 0.3f, 0);
    button_new(kGalInnerLed, 290, 350, kButtonToggle, kResGalleryLed, nullptr, 1, 0, 1, onButton);
    display_new(kGalInnerText, 320, 352, 220, "these hide and move together", 0, 0, kDisplayLeft, nullptr,
                nullptr);
}

static void buildKeyboard(void)
{
    panel_new(kGalKeyboardPanel, 8, 416, 0, 0, 0, kResGalleryPanelKeyboard, nullptr);
    kbd_new(kGalKeyboard, 22, 440, 48, 4, 0, kResGalleryKeys, onKey);
    button_new(kGalHold, 386, 440, kButtonToggle, kResGalleryPlain, "Hold", 1, 0, 1, onButton);
    button_new(kGalStop, 386, 466, 0, kResGalleryPlain, "Stop", 1, 0, 1, onButton);
    display_new(kGalStatus, 458, 442, 230, "try every control", 0, 0, kDisplayLeft, nullptr, nullptr);
}

void gallery_build(void)
{
    RGBColor cream{251, 251, 216}, dark{28, 31, 35};
    display_setDefaultColors(cream, dark);
    button_setCurrentTextRGB(251 * 256, 251 * 256, 216 * 256);
    popup_setDefaultColors(RGBColor{198, 198, 198}, RGBColor{22, 26, 30}, cream, RGBColor{88, 94, 101});
    s_innerOffset = 0;
    s_lastEvent.clear();
    panel_enableAutoAdd(1);
    buildNumboxes();
    buildDraggies();
    buildPopups();
    buildButtons();
    buildDisplays();
    buildMatrixAndList();
    buildPanels();
    buildKeyboard();
    panel_enableAutoAdd(0);
    panel_setAutoAdd(0);
}

// ---- the window ------------------------------------------------------------------------------

static LRESULT galleryProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (window_getHWND(kGalleryWindow) == h) window_preProcess(kGalleryWindow, h, msg, wp, lp, 0);
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefMDIChildProcA(h, msg, wp, lp);
}

HWND gallery_open(HWND client)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = galleryProc;
    wc.lpszClassName = "toolkitGallery";
    wc.hbrBackground = CreateSolidBrush(RGB(28, 31, 35));
    RegisterClassA(&wc);
    HWND h = CreateMDIWindowA("toolkitGallery", "Toolkit gallery", WS_CAPTION | WS_SYSMENU, 10, 10,
                              kGalleryWidth + 20, kGalleryHeight + 40, client, platform_instance(), 0);
    if (!h) return nullptr;
    window_brambixize(kGalleryWindow, h, kGalleryObjects, kGalleryObjects);
    window_size(kGalleryWindow, kGalleryWidth, kGalleryHeight);
    gallery_build();
    window_postBrambixize(kGalleryWindow);
    window_show(kGalleryWindow, 1);
    return h;
}
