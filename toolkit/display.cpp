// The display (type 5): one line of text in a font and colour, read-only or
// editable in place (a click opens the text editor over it, Tab follows its
// chain of tab targets).
#include "toolkit/toolkit_internal.h"
#include <cstring>
#include <new>

displayRec* display_get(short id) { return (displayRec*)control_data(id, kTypeDisplay); }

// An open edit takes its text before the display goes.
static void display_release(clickObjectRec* obj)
{
    textEditRec* te = window_getTextEdit(g_currentWindow);
    if (te && te->open && te->id == obj->id) textEdit_validate();
    delete (displayRec*)obj->data;
}

const controlKindRec display_kind = {kTypeDisplay, kCursorCaret, 0,       1,       nullptr,
                                     nullptr,      nullptr,      nullptr, nullptr, display_release};

void display_new(short id, short x, short y, short width, const char* text, short, long flags,
                 unsigned int format, clickProcPtr callback, validateProcPtr validate)
{
    displayRec* d = new (std::nothrow) displayRec();
    if (!d) return;
    clickObjectRec* obj = control_newObject(id, kTypeDisplay);
    if (!obj) {
        delete d;
        return;
    }
    d->length = control_copyText(d->text, text, sizeof d->text);
    d->format = format;
    d->font = display_currentFont;
    d->size = display_currentSize;
    d->style = display_currentStyle;
    d->fontID = font_new(d->font, d->size);
    d->tabTarget = 0;
    d->textRGB = display_currentColor;
    d->bgRGB = white;
    d->flags = flags;
    d->obj = obj;
    d->callback = callback ? callback : emptyClickProc;
    d->validate = validate ? validate : textEdit_validateDefault;
    RECT r{0, 0, 0, 0};
    int height = control_fontHeight(d->fontID);
    if (d->fontID == kFontFree || height <= 0)
        error("brambix display: couln't load font");
    else
        r = RECT{x, y, x + width, y + height};
    control_attach(obj, kTypeDisplay, r, d, display_process, display_draw, !(flags & kDisplayHidden),
                   (flags & kDisplayEditable) != 0);
    panel_autoAddObject(id);
}

void display_delete(short id) { control_delete(id, kTypeDisplay); }

void display_draw(short id)
{
    displayRec* d = display_get(id);
    if (!d || !d->obj->visible || !window_getVisible(g_currentWindow)) return;
    UINT format = d->format == kDisplayCentre ? DT_CENTER : d->format == kDisplayRight ? DT_RIGHT : DT_LEFT;
    control_drawBackdrop(d->obj, &d->obj->rect);
    control_drawText(d->text, &d->obj->rect, d->fontID, d->textRGB, format);
}

void display_setText(short id, const char* text)
{
    displayRec* d = display_get(id);
    if (!d) return;
    d->length = control_copyText(d->text, text, sizeof d->text);
    // Drawn at once on what lies under it (the panel's picture), so a text
    // changed during a drag shows while the button is held.
    if (d->obj->visible && window_getVisible(g_currentWindow))
        display_draw(id);
    else
        invalRect(&d->obj->rect);
}

void display_getText(short id, char* out, long max)
{
    displayRec* d = display_get(id);
    if (!d || !out || max <= 0) return;
    if (max > 254) max = 254;
    memset(out, 0, (size_t)max);
    control_copyText(out, d->text, (int)max);
}

void display_process(short id)
{
    displayRec* d = display_get(id);
    if (!d || !d->obj->visible) return;
    resetClicks();
    textEdit_open(id, d->validate);
}

void display_doCallback(short id)
{
    displayRec* d = display_get(id);
    if (d) d->callback(id);
}

void display_setTabTarget(short id, short target)
{
    displayRec* d = display_get(id);
    if (d) d->tabTarget = target;
}

void display_show(short id, int show) { control_show(id, kTypeDisplay, show); }

void display_move(short id, short x, short y) { control_move(id, kTypeDisplay, x, y); }
