// The matrix (type 7): a grid of text cells, one of which can be selected,
// filled column by column (item i is in column i / rows, row i mod rows).
// A matrix may also let a cell be dragged onto another one, framing the
// two while the drag lasts, and may answer a right click on a cell.
#include "toolkit/toolkit_internal.h"
#include <new>

matrixRec* matrix_get(short id) { return (matrixRec*)control_data(id, kTypeMatrix); }

static RECT matrix_cellRect(const matrixRec* m, long item)
{
    const RECT& r = m->obj->rect;
    LONG x = r.left + (LONG)(item / m->rows) * m->cellWidth,
         y = r.top + (LONG)(item % m->rows) * m->cellHeight;
    return RECT{x, y, x + m->cellWidth, y + m->cellHeight};
}

static void matrix_release(clickObjectRec* obj)
{
    matrixRec* m = (matrixRec*)obj->data;
    delete[] m->items;
    delete m;
}

// A right click on a cell of a shown, enabled matrix with a right-click
// procedure calls it with the cell (the selection stays).
static void matrix_rightClick(clickObjectRec* obj)
{
    matrixRec* m = (matrixRec*)obj->data;
    if (!m || !m->rightClick || !obj->enabled || !obj->visible) return;
    short item = matrix_itemAt(obj->id, g_mouse.pos);
    if (item >= 0) m->rightClick(obj->id, item);
}

const controlKindRec matrix_kind = {kTypeMatrix,      kCursorArrowOn, 0,       1,       nullptr,
                                    nullptr,          nullptr,        nullptr, nullptr, matrix_release,
                                    matrix_rightClick};

void matrix_new(short id, short x, short y, short cellWidth, short cellHeight, short columns, short rows,
                long count, long flags, short cellPict, clickProcPtr callback)
{
    if (columns < 1) columns = 1;
    if (rows < 1) rows = 1;
    if (count < 0) count = 0;
    matrixRec* m = new (std::nothrow) matrixRec();
    matrixItemRec* items = new (std::nothrow) matrixItemRec[count > 0 ? count : 1]();
    clickObjectRec* obj = (m && items) ? control_newObject(id, kTypeMatrix) : nullptr;
    if (!obj) {
        delete m;
        delete[] items;
        return;
    }
    RECT cell;
    if (cellPict >= 1 && getPictRect(cellPict, &cell)) {
        cellWidth = (short)cell.right;
        cellHeight = (short)cell.bottom;
    }
    if (cellWidth < 1) cellWidth = 1;  // cells are divided by in hit tests
    if (cellHeight < 1) cellHeight = 1;
    m->selection = -1;
    m->dragSource = -1;
    m->dropTarget = -1;
    m->columns = columns;
    m->rows = rows;
    m->cellWidth = cellWidth;
    m->cellHeight = cellHeight;
    m->cellPict = cellPict >= 1 ? cellPict : 0;
    m->font = matrix_currentFont;
    m->size = matrix_currentFontSize;
    m->fontID = font_new(m->font, m->size);
    m->textRGB = g_matrix_textRGB;
    m->bgRGB = g_matrix_bgRGB;
    m->frameRGB = g_matrix_frameRGB;
    m->selectBgRGB = g_selectBgRGB;
    m->selectFrameRGB = g_selectFrameRGB;
    m->dropRGB = RGBColor{236, 176, 64};
    m->flags = flags;
    m->count = count;
    m->items = items;
    for (long i = 0; i < count; i++) items[i].index = (short)i;
    m->obj = obj;
    m->callback = callback ? callback : emptyClickProc;
    RECT r{x, y, x + cellWidth * columns, y + cellHeight * rows};
    control_attach(obj, kTypeMatrix, r, m, matrix_process, matrix_draw, !(flags & kMatrixHidden), 1);
    panel_autoAddObject(id);
}

void matrix_delete(short id) { control_delete(id, kTypeMatrix); }

void matrix_setText(short id, short item, const char* text)
{
    matrixRec* m = matrix_get(id);
    if (!m || item < 0 || item >= m->count) return;
    m->items[item].length = (short)control_copyText(m->items[item].text, text, 63);
    RECT cell = matrix_cellRect(m, item);
    invalRect(&cell);
}

void matrix_select(short id, short item)
{
    matrixRec* m = matrix_get(id);
    if (!m || item < -1 || item >= m->count) return;
    m->selection = item;
    matrix_draw(id);
}

short matrix_getSelection(short id)
{
    matrixRec* m = matrix_get(id);
    return m ? m->selection : -1;
}

void matrix_show(short id, int show) { control_show(id, kTypeMatrix, show); }

// A frame of the given width just inside a cell.
static void matrix_frameCell(HDC hdc, RECT cell, int width, HBRUSH brush)
{
    for (int k = 0; k < width; k++) {
        FrameRect(hdc, &cell, brush);
        InflateRect(&cell, -1, -1);
    }
}

// The drag's marks over the cells: the cell that a release would drop onto
// framed twice as thick as the one pressed; a copy frames only the target
// and puts a "+" at its right end.
static void matrix_drawDrag(matrixRec* m)
{
    if (m->dropTarget < 0 || m->dropTarget >= m->count) return;
    HDC hdc = window_getHDC(g_currentWindow);
    if (!hdc) return;
    HBRUSH ink = CreateSolidBrush(rgbColor_toCOLORREF(m->dropRGB));
    RECT target = matrix_cellRect(m, m->dropTarget);
    matrix_frameCell(hdc, target, 2, ink);
    if (m->dropCopy) {
        RECT plus{target.right - 14, target.top, target.right - 3, target.bottom};
        control_drawText("+", &plus, m->fontID, m->dropRGB, DT_RIGHT);
    } else if (m->dragSource >= 0 && m->dragSource < m->count) {
        matrix_frameCell(hdc, matrix_cellRect(m, m->dragSource), 1, ink);
    }
    DeleteObject(ink);
    window_freeHDC(g_currentWindow, hdc);
}

void matrix_draw(short id)
{
    matrixRec* m = matrix_get(id);
    if (!m || !m->obj->visible || !window_getVisible(g_currentWindow) || !m->cellPict) return;
    long item = 0;
    for (short c = 0; c < m->columns; c++)
        for (short r = 0; r < m->rows && item < m->count; r++, item++) {
            RECT cell = matrix_cellRect(m, item);
            bitmap_draw((short)(m->cellPict + (item == m->selection ? 1 : 0)), (short)cell.left,
                        (short)cell.top);
            OffsetRect(&cell, 1, 0);
            control_drawText(m->items[item].text, &cell, m->fontID, m->textRGB, DT_LEFT);
        }
    matrix_drawDrag(m);
}

short matrix_itemAt(short id, zPoint pt)
{
    matrixRec* m = matrix_get(id);
    if (!m) return -1;
    const RECT& r = m->obj->rect;
    // The zone's far edges belong to it, but not to a cell beyond the grid.
    if (pt.h < r.left || pt.v < r.top) return -1;
    long column = (pt.h - r.left) / m->cellWidth, row = (pt.v - (r.top + 1)) / m->cellHeight;
    if (column >= m->columns || row >= m->rows) return -1;
    long item = column * m->rows + row;
    return item < m->count ? (short)item : -1;
}

namespace {
struct matrixDragRec {
    short from;
    int left;  // the pointer has been over another place than the cell pressed
};

int matrix_dragStep(short id, trackStateRec* s, void* arg)
{
    matrixRec* m = matrix_get(id);
    matrixDragRec* d = (matrixDragRec*)arg;
    if (!m) return 0;
    short over = matrix_itemAt(id, s->pt);
    if (over != d->from) d->left = 1;
    short target = over != d->from ? over : -1;
    int copy = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (target != m->dropTarget || (target >= 0 && copy != m->dropCopy)) {
        m->dragSource = d->from;
        m->dropTarget = target;
        m->dropCopy = copy;
        matrix_draw(id);
    }
    return 1;
}
}  // namespace

// Follows a press until the release: a click, a drop or nothing.
static void matrix_trackDrag(short id, matrixRec* m, short from)
{
    matrixDragRec d{from, 0};
    control_track(id, 16, matrix_dragStep, &d);
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    short to = matrix_itemAt(id, pt);
    int copy = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    resetClicks();
    m = matrix_get(id);
    if (!m) return;
    m->dragSource = m->dropTarget = -1;
    m->dropCopy = 0;
    matrix_draw(id);
    if (to == from && !d.left) {
        matrix_select(id, from);
        m->callback(id);
    } else if (to >= 0 && to != from) {
        m->drop(id, from, to, copy);
    }
}

void matrix_process(short id)
{
    matrixRec* m = matrix_get(id);
    if (!m || g_mouse.state != kMousePressed) return;
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    short item = matrix_itemAt(id, pt);
    if (item < 0) {
        resetClicks();
        return;
    }
    if (m->drop) {
        matrix_trackDrag(id, m, item);
        return;
    }
    resetClicks();
    matrix_select(id, item);
    m->callback(id);
}

void matrix_setDropProc(short id, matrixDropProcPtr drop)
{
    if (matrixRec* m = matrix_get(id)) m->drop = drop;
}

void matrix_setRightClickProc(short id, matrixCellProcPtr proc)
{
    if (matrixRec* m = matrix_get(id)) m->rightClick = proc;
}

void matrix_markCell(short id, short item)
{
    matrixRec* m = matrix_get(id);
    if (!m || item < -1 || item >= m->count) return;
    m->dragSource = -1;
    m->dropTarget = item;
    m->dropCopy = 0;
    matrix_draw(id);
}
