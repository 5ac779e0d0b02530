// The list (type 11): a column of text lines, any number of them selected.
// A drag from a line selects (or, from a selected line, deselects) every
// line it passes, moving at most one line per step. A list with more lines
// than its box shows scrolls: by the wheel, by a drag past its ends, and by
// the keys once clicked (arrows move the selection, Page Up and Down, Home
// and End scroll).
#include "toolkit/toolkit_internal.h"
#include <new>

listRec* list_get(short id) { return (listRec*)control_data(id, kTypeList); }

// Where an item's line is, with the list scrolled to its first shown item.
static RECT list_lineRect(const listRec* l, long item)
{
    const RECT& r = l->obj->rect;
    LONG top = r.top + (LONG)(item - l->first) * l->lineHeight;
    return RECT{r.left, top, r.left + l->lineWidth, top + l->lineHeight};
}

static bool list_lineShown(const listRec* l, long item)
{
    RECT line = list_lineRect(l, item);
    return item >= l->first && line.bottom <= l->obj->rect.bottom;
}

// Whole lines the box shows.
static long list_rows(const listRec* l)
{
    long rows = (l->obj->rect.bottom - l->obj->rect.top) / l->lineHeight;
    return rows > 0 ? rows : 1;
}

// Items up to the last one with text: the scroll range.
static long list_usedLines(const listRec* l)
{
    long n = l->count;
    while (n > 0 && l->items[n - 1].length == 0) n--;
    return n;
}

static void list_release(clickObjectRec* obj)
{
    listRec* l = (listRec*)obj->data;
    delete[] l->items;
    delete l;
}

const controlKindRec list_kind = {kTypeList, kCursorArrowOn, 0,       1,       nullptr,
                                  nullptr,   nullptr,        nullptr, nullptr, list_release};

void list_new(short id, short x, short y, short lineWidth, short height, short lineHeight, short count,
              long flags, short linePict, clickProcPtr callback)
{
    if (count < 0) count = 0;
    listRec* l = new (std::nothrow) listRec();
    listItemRec* items = new (std::nothrow) listItemRec[count > 0 ? count : 1]();
    clickObjectRec* obj = (l && items) ? control_newObject(id, kTypeList) : nullptr;
    if (!obj) {
        delete l;
        delete[] items;
        return;
    }
    RECT line;
    if (linePict >= 1 && getPictRect(linePict, &line)) {
        lineWidth = (short)line.right;
        lineHeight = (short)line.bottom;
    }
    if (lineHeight < 1) lineHeight = 1;  // lines are divided by in hit tests
    l->lineWidth = lineWidth;
    l->lineHeight = lineHeight;
    l->lines = (short)(height / lineHeight);
    l->linePict = linePict >= 1 ? linePict : 0;
    l->font = list_currentFont;
    l->size = list_currentFontSize;
    l->fontID = font_new(l->font, l->size);
    l->textRGB = g_matrix_textRGB;
    l->bgRGB = g_matrix_bgRGB;
    l->frameRGB = g_matrix_frameRGB;
    l->selectBgRGB = g_selectBgRGB;
    l->selectFrameRGB = g_selectFrameRGB;
    l->flags = flags;
    l->count = count;
    l->items = items;
    for (long i = 0; i < count; i++) items[i].index = (short)i;
    l->obj = obj;
    l->callback = callback ? callback : emptyClickProc;
    control_attach(obj, kTypeList, RECT{x, y, x + lineWidth, y + height}, l, list_process, list_draw,
                   !(flags & kListHidden), 1);
    panel_autoAddObject(id);
}

void list_delete(short id) { control_delete(id, kTypeList); }

void list_setText(short id, short item, const char* text)
{
    listRec* l = list_get(id);
    if (!l || item < 0 || item >= l->count) return;
    l->items[item].length = (short)control_copyText(l->items[item].text, text, 63);
    RECT line = list_lineRect(l, item);
    if (item < l->first || line.top >= l->obj->rect.bottom) return;
    if (line.bottom > l->obj->rect.bottom) line.bottom = l->obj->rect.bottom;
    invalRect(&line);
}

static void list_drawLine(listRec* l, long item)
{
    RECT line = list_lineRect(l, item);
    bitmap_draw((short)(l->linePict + (l->items[item].selected ? 1 : 0)), (short)line.left, (short)line.top);
    OffsetRect(&line, 1, 0);
    control_drawText(l->items[item].text, &line, l->fontID, l->textRGB, DT_LEFT);
}

void list_select(short id, short item, int selected)
{
    listRec* l = list_get(id);
    if (!l || item < -1 || item >= l->count || item < 0) return;
    long want = selected ? 1 : 0;
    if (l->items[item].selected == want) return;
    l->items[item].selected = want;
    if (!l->obj->visible || !window_getVisible(g_currentWindow)) return;
    if (l->linePict && l->items[item].length > 0 && list_lineShown(l, item)) list_drawLine(l, item);
}

int list_itemIsSelected(short id, short item)
{
    listRec* l = list_get(id);
    if (!l || item < 0 || item >= l->count) return 0;
    return l->items[item].selected ? 1 : 0;
}

short list_getSelection(short id)
{
    listRec* l = list_get(id);
    if (!l) return -1;
    for (long i = 0; i < l->count; i++)
        if (l->items[i].selected) return (short)i;
    return -1;
}

short list_getLineCount(short id)
{
    listRec* l = list_get(id);
    if (!l) return 0;
    short n = 0;
    while (n < l->count && l->items[n].length > 0) n++;
    return n;
}

void list_clear(short id)
{
    listRec* l = list_get(id);
    if (!l) return;
    for (long i = 0; i < l->count; i++) {
        l->items[i].selected = 0;
        l->items[i].length = 0;
        l->items[i].text[0] = 0;
    }
    l->first = 0;
    invalRect(&l->obj->rect);
}

void list_resizeH(short id, short bottom)
{
    listRec* l = list_get(id);
    if (!l) return;
    RECT& r = l->obj->rect;
    LONG lo = bottom < r.bottom ? bottom : r.bottom, hi = bottom < r.bottom ? r.bottom : bottom;
    RECT strip{r.left, lo - 16, r.right, hi + 16};
    r.bottom = bottom;
    control_syncZone(l->obj);
    invalRect(&strip);
}

void list_show(short id, int show) { control_show(id, kTypeList, show); }

void list_draw(short id)
{
    listRec* l = list_get(id);
    if (!l || !l->obj->visible || !window_getVisible(g_currentWindow)) return;
    for (long i = l->first; i < l->count; i++) {
        RECT line = list_lineRect(l, i);
        if (line.bottom > l->obj->rect.bottom) break;
        if (l->items[i].length > 0) list_drawLine(l, i);
    }
}

// Scrolls to a first shown item (within the used lines) and draws the
// list at once on what lies under it, so that it scrolls during a drag too.
static void list_scrollTo(short id, listRec* l, long first)
{
    long most = list_usedLines(l) - list_rows(l);
    if (first > most) first = most;
    if (first < 0) first = 0;
    if (first == l->first) return;
    l->first = (short)first;
    if (!l->obj->visible || !window_getVisible(g_currentWindow)) return;
    control_drawBackdrop(l->obj, &l->obj->rect);
    list_draw(id);
}

void list_scroll(short id, short lines)
{
    listRec* l = list_get(id);
    if (l) list_scrollTo(id, l, l->first + lines);
}

short list_getFirstShown(short id)
{
    listRec* l = list_get(id);
    return l ? l->first : 0;
}

// Scrolls the least that shows the item's whole line.
static void list_showItem(short id, listRec* l, long item)
{
    if (item < l->first)
        list_scrollTo(id, l, item);
    else if (item >= l->first + list_rows(l))
        list_scrollTo(id, l, item - list_rows(l) + 1);
}

// ---- keys ----------------------------------------------------------------------------------------

static short s_keyList[kWindowMax + 1];

void list_forgetKeys(short window)
{
    if (window >= 1 && window <= kWindowMax) s_keyList[window] = 0;
}

int list_takeKey(short window, WPARAM vk)
{
    if (window < 1 || window > kWindowMax || !s_keyList[window]) return 0;
    short saved = g_currentWindow;
    g_currentWindow = window;
    short id = s_keyList[window];
    // The list clicked last may have gone since, its id taken by another control.
    listRec* l = toolkit_object(id)->type == kTypeList ? list_get(id) : nullptr;
    int taken = l && l->obj->visible && l->obj->enabled && window_getVisible(window);
    if (taken) {
        long used = list_usedLines(l), rows = list_rows(l);
        switch (vk) {
        case VK_UP:
        case VK_DOWN: {
            // One line selected, the next one up or down, shown.
            long at = list_getSelection(id);
            at = at < 0 ? (vk == VK_DOWN ? 0 : used - 1) : at + (vk == VK_DOWN ? 1 : -1);
            if (at < 0 || at >= used) break;
            for (long i = 0; i < l->count; i++)
                if (i != at) list_select(id, (short)i, 0);
            list_showItem(id, l, at);
            list_select(id, (short)at, 1);
            l->callback(id);
            break;
        }
        case VK_PRIOR: list_scrollTo(id, l, l->first - (rows > 1 ? rows - 1 : 1)); break;
        case VK_NEXT: list_scrollTo(id, l, l->first + (rows > 1 ? rows - 1 : 1)); break;
        case VK_HOME: list_scrollTo(id, l, 0); break;
        case VK_END: list_scrollTo(id, l, used); break;
        default: taken = 0; break;
        }
    }
    g_currentWindow = saved;
    return taken;
}

// ---- the drag ---------------------------------------------------------------------------------

struct listDragRec {
    listRec* l;
    long line;      // the line set last
    int selecting;  // the state the drag gives to the lines it passes
};

static long list_lineAt(const listRec* l, short v)
{
    return l->first + (v - (l->obj->rect.top + 1)) / l->lineHeight;
}

static int list_dragStep(short id, trackStateRec* s, void* arg)
{
    listDragRec* d = (listDragRec*)arg;
    long under = list_lineAt(d->l, s->pt.v);
    if (s->round > 0) {
        if (under > d->line)
            d->line++;
        else if (under < d->line)
            d->line--;
    }
    if (d->line >= 0 && d->line < d->l->count) {
        list_showItem(id, d->l, d->line);  // dragged past an end, the list scrolls
        list_select(id, (short)d->line, d->selecting);
    }
    return 1;
}

void list_process(short id)
{
    listRec* l = list_get(id);
    if (!l || g_mouse.state != kMousePressed) return;
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    long line = list_lineAt(l, pt.v);
    if (line < 0 || line >= l->count) return;
    if (g_currentWindow >= 1 && g_currentWindow <= kWindowMax) s_keyList[g_currentWindow] = id;
    listDragRec d{l, line, !l->items[line].selected};
    control_track(id, 16, list_dragStep, &d);
    resetClicks();
    l->callback(id);
}
