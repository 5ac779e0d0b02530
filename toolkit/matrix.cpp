// The matrix (type 7): a grid of text cells, one of which can be selected,
// filled column by column (item i is in column i / rows, row i mod rows).
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

const controlKindRec matrix_kind = {kTypeMatrix, kCursorArrowOn, 0,       1,       nullptr,
                                    nullptr,     nullptr,        nullptr, nullptr, matrix_release};

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
}

void matrix_process(short id)
{
    matrixRec* m = matrix_get(id);
    if (!m || g_mouse.state != kMousePressed) return;
    zPoint pt = g_mouse.pos;
    mouse_getPos(&pt);
    const RECT& r = m->obj->rect;
    long column = (pt.h - r.left) / m->cellWidth, row = (pt.v - (r.top + 1)) / m->cellHeight;
    long item = column * m->rows + row;
    resetClicks();
    // The zone's far edges belong to it, but not to a cell beyond the grid.
    if (column < 0 || column >= m->columns || row < 0 || row >= m->rows) return;
    if (item < 0 || item >= m->count) return;
    matrix_select(id, (short)item);
    m->callback(id);
}
