// The keyboard (type 8): a piano keyboard of whole octaves plus a top C
// that sends note-on and note-off through its callback, played by sliding
// across the keys or, in hold mode, leaving the last key down.
#include "toolkit/toolkit_internal.h"
#include <cmath>
#include <new>

kbdRec* kbd_get(short id) { return (kbdRec*)control_data(id, kTypeKeyboard); }

void kbd_defaultCallback(short, short, int) {}

int kbd_noteIsWhite(short note)
{
    switch (((note % 12) + 12) % 12) {
    case 0:
    case 2:
    case 4:
    case 5:
    case 7:
    case 9:
    case 11: return 1;
    default: return 0;
    }
}

keyRec* kbd_getKey(kbdRec* kbd, short index)
{
    if (!kbd || index < 0 || index >= kbd->keyCount) return nullptr;
    return &kbd->keys[index];
}

short kbd_findKey(kbdRec* kbd, short note)
{
    if (!kbd) return -1;
    for (short i = 0; i < kbd->keyCount; i++)
        if (kbd->keys[i].note == note) return i;
    return -1;
}

// Keys in array order: the white keys of every octave, the top C, then the
// black keys of every octave; each with its rect, picture and neighbours.
static void kbd_build(kbdRec* k, LONG left, LONG top)
{
    static const short whiteSemis[7] = {0, 2, 4, 5, 7, 9, 11};
    static const short whitePicts[7] = {0, 2, 4, 6, 8, 10, 12};
    static const short blackSemis[5] = {1, 3, 6, 8, 10};
    static const short blackOffsets[5] = {7, 21, 43, 56, 69};  // for 12-pixel white keys
    RECT white, black;
    bitmap_getRect(k->pictBase, &white);
    bitmap_getRect(k->pictBase + 14, &black);
    short ww = k->whiteWidth;
    short n = 0;
    for (short o = 0; o < k->octaves; o++)
        for (short w = 0; w < 7; w++, n++) {
            keyRec& key = k->keys[n];
            LONG x = left + (o * 7 + w) * ww;
            key.rect = RECT{x, top, x + ww, top + white.bottom};
            key.note = (short)(k->lowest + 12 * o + whiteSemis[w]);
            key.pict = (short)(k->pictBase + whitePicts[w]);
        }
    keyRec& topC = k->keys[n++];
    LONG tx = left + k->whiteCount * ww;
    topC.rect = RECT{tx, top, tx + ww, top + white.bottom};
    topC.note = (short)(k->lowest + 12 * k->octaves);
    topC.pict = (short)(k->pictBase + 16);
    for (short o = 0; o < k->octaves; o++)
        for (short b = 0; b < 5; b++, n++) {
            keyRec& key = k->keys[n];
            LONG x = left + o * 7 * ww + (LONG)std::lround(blackOffsets[b] * ww / 12.0);
            key.rect = RECT{x, top, x + black.right, top + black.bottom};
            key.note = (short)(k->lowest + 12 * o + blackSemis[b]);
            key.pict = (short)(k->pictBase + 14);
        }
    for (short i = 0; i < k->keyCount; i++) {
        keyRec& key = k->keys[i];
        key.index = i;
        key.selected = 0;
        key.upper = kbd_findKey(k, (short)(key.note + 1));
        key.lower = kbd_findKey(k, (short)(key.note - 1));
    }
}

static void kbd_offset(clickObjectRec* obj, LONG dx, LONG dy)
{
    kbdRec* k = (kbdRec*)obj->data;
    for (short i = 0; i < k->keyCount; i++) OffsetRect(&k->keys[i].rect, dx, dy);
}

static void kbd_release(clickObjectRec* obj)
{
    kbdRec* k = (kbdRec*)obj->data;
    delete[] k->keys;
    delete k;
}

const controlKindRec kbd_kind = {kTypeKeyboard, kCursorArrowOn, 0,       1,       nullptr,
                                 nullptr,       kbd_offset,     nullptr, nullptr, kbd_release};

void kbd_new(short id, short x, short y, short lowestNote, short octaves, long flags, short pictBase,
             kbdProcPtr callback)
{
    if (octaves < 1) octaves = 1;
    if (octaves > 10) octaves = 10;
    short keyCount = (short)(octaves * 12 + 1);
    kbdRec* k = new (std::nothrow) kbdRec();
    keyRec* keys = new (std::nothrow) keyRec[keyCount]();
    clickObjectRec* obj = (k && keys) ? control_newObject(id, kTypeKeyboard) : nullptr;
    if (!obj) {
        delete k;
        delete[] keys;
        return;
    }
    RECT white;
    bitmap_getRect(pictBase, &white);
    k->current = -1;
    k->keyCount = k->keyCount2 = keyCount;
    k->whiteCount = (short)(octaves * 7);
    k->lowest = lowestNote;
    k->octaves = octaves;
    k->whiteWidth = (short)white.right;
    k->pictBase = pictBase;
    k->flags = flags;
    k->hold = 0;
    k->keys = keys;
    k->obj = obj;
    k->callback = callback ? callback : kbd_defaultCallback;
    kbd_build(k, x, y);
    RECT r{x, y, x + (octaves * 7 + 1) * k->whiteWidth, y + white.bottom};
    control_attach(obj, kTypeKeyboard, r, k, kbd_process, kbd_draw, !(flags & kKbdHidden), 1);
    panel_autoAddObject(id);
}

void kbd_delete(short id) { control_delete(id, kTypeKeyboard); }

// ---- drawing ------------------------------------------------------------------------------------

static short kbd_keyPict(const keyRec& key) { return (short)(key.pict + (key.selected ? 1 : 0)); }

void kbd_draw(short id)
{
    kbdRec* k = kbd_get(id);
    if (!k || !k->obj->visible || !window_getVisible(g_currentWindow)) return;
    for (short i = 0; i < k->keyCount; i++)
        bitmap_draw(kbd_keyPict(k->keys[i]), (short)k->keys[i].rect.left, (short)k->keys[i].rect.top);
}

void kbd_drawKeyWin(kbdRec* k, short index)
{
    keyRec* key = kbd_getKey(k, index);
    if (!key || !k->obj->visible || !window_getVisible(g_currentWindow)) return;
    const RECT& r = key->rect;
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC win = window_getHDC(g_currentWindow);
    if (!win) return;
    HDC off = CreateCompatibleDC(win);
    HBITMAP bmp = off ? CreateCompatibleBitmap(win, w, h) : nullptr;
    if (bmp) {
        HGDIOBJ old = SelectObject(off, bmp);
        bitmap_drawOffscreen(kbd_keyPict(*key), 0, 0, off);
        if (kbd_noteIsWhite(key->note))  // the black keys beside it stay on top
            for (short n : {key->upper, key->lower}) {
                keyRec* nb = kbd_getKey(k, n);
                if (nb && !kbd_noteIsWhite(nb->note))
                    bitmap_drawOffscreen(kbd_keyPict(*nb), (short)(nb->rect.left - r.left),
                                         (short)(nb->rect.top - r.top), off);
            }
        BitBlt(win, r.left, r.top, w, h, off, 0, 0, SRCCOPY);
        SelectObject(off, old);
        DeleteObject(bmp);
    }
    if (off) DeleteDC(off);
    window_freeHDC(g_currentWindow, win);
}

void kbd_show(short id, int show) { control_show(id, kTypeKeyboard, show); }

void kbd_move(short id, short x, short y) { control_move(id, kTypeKeyboard, x, y); }

// ---- keys ---------------------------------------------------------------------------------------

void kbd_selectKey(short id, short key, int selected, int setCurrent)
{
    kbdRec* k = kbd_get(id);
    keyRec* kr = kbd_getKey(k, key);
    if (!kr) return;
    if (setCurrent) k->current = selected ? key : -1;
    kr->selected = selected ? 1 : 0;
    kbd_drawKeyWin(k, key);
}

int kbd_keyIsSelected(short id, short key)
{
    keyRec* kr = kbd_getKey(kbd_get(id), key);
    return kr ? (kr->selected ? 1 : 0) : 0;
}

short kbd_getCurrentNote(short id)
{
    kbdRec* k = kbd_get(id);
    keyRec* kr = kbd_getKey(k, k ? k->current : -1);
    return kr ? kr->note : -1;
}

static int rectHas(const RECT& r, const zPoint* pt)
{
    return pt->h >= r.left && pt->h < r.right && pt->v >= r.top && pt->v < r.bottom;
}

short kbd_pointToKey(kbdRec* k, zPoint* pt)
{
    if (!k || !pt) return -1;
    const RECT& r = k->obj->rect;
    if (pt->v < r.top || pt->v > r.bottom) return -1;
    if (pt->h < r.left) return 0;
    if (pt->h > r.right) return k->whiteCount;
    short white = k->whiteWidth > 0 ? (short)((pt->h - r.left) / k->whiteWidth) : 0;
    if (white > k->whiteCount) white = k->whiteCount;
    const keyRec& key = k->keys[white];
    if (key.upper > 0 && rectHas(k->keys[key.upper].rect, pt)) return key.upper;
    if (key.lower >= 1 && rectHas(k->keys[key.lower].rect, pt)) return key.lower;
    return white;
}

void kbd_setHold(short id, int hold)
{
    kbdRec* k = kbd_get(id);
    if (!k) return;
    kbd_stop(id);
    k->hold = hold ? 1 : 0;
}

void kbd_stop(short id)
{
    kbdRec* k = kbd_get(id);
    if (!k) return;
    k->callback(id, kbd_getCurrentNote(id), 0);
    keyRec* kr = kbd_getKey(k, k->current);
    if (kr) kr->selected = 0;
    k->current = -1;
    kbd_draw(id);
}

// ---- playing ------------------------------------------------------------------------------------

// Each new key under the pointer is pressed before the previous one is released.
static int kbd_slideStep(short id, trackStateRec* s, void*)
{
    kbdRec* k = kbd_get(id);
    if (!k) return 0;
    short key = kbd_pointToKey(k, &s->pt);
    if (key < 0 || key == k->current) return 1;
    short previous = kbd_getCurrentNote(id);
    if (k->current >= 0) kbd_selectKey(id, k->current, 0, 0);
    kbd_selectKey(id, key, 1, 1);
    k->callback(id, k->keys[key].note, 1);
    if (previous >= 0) k->callback(id, previous, 0);
    return 1;
}

void kbd_processNoHold(short id)
{
    control_track(id, 16, kbd_slideStep, nullptr);
    kbdRec* k = kbd_get(id);
    if (k && k->current >= 0) {
        short key = k->current;
        k->callback(id, k->keys[key].note, 0);
        kbd_selectKey(id, key, 0, 1);
    }
}

void kbd_processHold(short id)
{
    kbdRec* k = kbd_get(id);
    if (!k) return;
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    short key = kbd_pointToKey(k, &pt);
    if (key < 0) return;
    if (k->current >= 0 && k->current != key) {
        short other = k->current;
        k->callback(id, k->keys[other].note, 0);
        kbd_selectKey(id, other, 0, 1);
    }
    if (!k->keys[key].selected) {
        kbd_selectKey(id, key, 1, 1);
        k->callback(id, k->keys[key].note, 1);
        control_track(id, 16, kbd_slideStep, nullptr);  // the last key stays down
    } else {
        k->callback(id, kbd_getCurrentNote(id), 0);
        kbd_selectKey(id, key, 0, 1);
    }
}

void kbd_process(short id)
{
    kbdRec* k = kbd_get(id);
    if (!k || g_mouse.state != kMousePressed) return;
    if (k->hold)
        kbd_processHold(id);
    else
        kbd_processNoHold(id);
    resetClicks();
}
