// Bitmap sets: each bitmap is painted into an image surface and registered
// with the platform layer under its resource id; families of ids (button
// pictures with masks, draggy tracks, keyboards, cells, number-box pieces)
// follow the numbering the toolkit's controls expect.
#include "resources/resources.h"
#include "platform/platform.h"
#include <algorithm>
#include <cstdio>

static std::vector<int>& registeredIds()
{
    static std::vector<int> ids;
    return ids;
}

const std::vector<int>& resources_bitmapIds(void) { return registeredIds(); }

int res_registerBitmap(int id, int w, int h, resPainter paint, const void* arg)
{
    if (id < 0 || id > 0xFFFF || w <= 0 || h <= 0 || !paint) return 0;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return 0;
    }
    cairo_t* cr = cairo_create(s);
    paint(cr, w, h, arg);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    int ok = platform_registerBitmap(MAKEINTRESOURCE(id), s);
    cairo_surface_destroy(s);
    if (ok && std::find(registeredIds().begin(), registeredIds().end(), id) == registeredIds().end())
        registeredIds().push_back(id);
    return ok ? 1 : 0;
}

// ---- panels ---------------------------------------------------------------------------------

static void paintPanel(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintPanel(cr, 0, 0, w, h, (const char*)arg);
}

int res_registerPanel(int id, int w, int h, const char* label)
{
    return res_registerBitmap(id, w, h, paintPanel, label);
}

// ---- buttons --------------------------------------------------------------------------------

struct buttonArg {
    int look, state;
    const char* text;
};

static void paintButton(cairo_t* cr, int w, int h, const void* arg)
{
    const buttonArg* a = (const buttonArg*)arg;
    res_paintBackground(cr, 0, 0, w, h);
    res_paintButton(cr, 0, 0, w, h, a->look, a->state, a->text);
}

static void paintButtonMask(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintButtonMask(cr, 0, 0, w, h, ((const buttonArg*)arg)->look);
}

int res_registerButtonSet(int base, int w, int h, int states, int look, const char* const* texts)
{
    if (states < 1) states = 1;
    int ok = 1;
    int shaped = look == kResButtonRound || look == kResButtonLed;
    for (int s = 0; s < states; s++) {
        for (int k = 0; k < 4; k++) {
            buttonArg a{look, k, texts ? texts[s] : nullptr};
            ok &= res_registerBitmap(base + 8 * s + k, w, h, paintButton, &a);
            if (shaped) ok &= res_registerBitmap(base + 8 * s + 4 + k, w, h, paintButtonMask, &a);
        }
    }
    return ok;
}

// ---- draggy tracks and knobs -----------------------------------------------------------------

struct trackArg {
    int horizontal, pressed;
};

static void paintTrack(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintTrack(cr, 0, 0, w, h, ((const trackArg*)arg)->horizontal);
}

static void paintFill(cairo_t* cr, int w, int h, const void*) { res_paintLevelFill(cr, 0, 0, w, h); }

static void paintSliderKnob(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintSliderKnob(cr, 0, 0, w, h, ((const trackArg*)arg)->pressed);
}

static void paintRoundKnob(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintRoundKnob(cr, 0, 0, w, h, ((const trackArg*)arg)->pressed);
}

int res_registerTrackSet(int track, int trackW, int trackH, int knobW, int knobH, int horizontal,
                         int roundKnob)
{
    trackArg normal{horizontal, 0}, pressed{horizontal, 1};
    resPainter knob = roundKnob ? paintRoundKnob : paintSliderKnob;
    int ok = res_registerBitmap(track, trackW, trackH, paintTrack, &normal);
    ok &= res_registerBitmap(track + 1, knobW, knobH, knob, &normal);
    ok &= res_registerBitmap(track + 2, trackW, trackH, paintFill, &normal);
    ok &= res_registerBitmap(track + 3, knobW, knobH, knob, &pressed);
    return ok;
}

// ---- keyboards ----------------------------------------------------------------------------------

struct keyArg {
    int blackKey, pressed;
};

static void paintKey(cairo_t* cr, int w, int h, const void* arg)
{
    const keyArg* a = (const keyArg*)arg;
    res_paintKey(cr, 0, 0, w, h, a->blackKey, a->pressed);
}

int res_registerKeyboardSet(int base, int whiteW, int whiteH, int blackW, int blackH)
{
    int ok = 1;
    for (int p = 0; p <= 16; p += 2) {
        int blackKey = p == 14;
        int w = blackKey ? blackW : whiteW, h = blackKey ? blackH : whiteH;
        keyArg up{blackKey, 0}, down{blackKey, 1};
        ok &= res_registerBitmap(base + p, w, h, paintKey, &up);
        ok &= res_registerBitmap(base + p + 1, w, h, paintKey, &down);
    }
    return ok;
}

// ---- matrix and list cells -------------------------------------------------------------------------

static void paintCell(cairo_t* cr, int w, int h, const void* arg)
{
    res_paintCell(cr, 0, 0, w, h, *(const int*)arg);
}

int res_registerCellPair(int id, int w, int h)
{
    int normal = 0, selected = 1;
    return res_registerBitmap(id, w, h, paintCell, &normal) &
           res_registerBitmap(id + 1, w, h, paintCell, &selected);
}
