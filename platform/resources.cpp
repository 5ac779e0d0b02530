// The resource registries that resources/ fills: bitmaps, cursors, icons,
// menu templates, accelerator tables and dialog templates, found again by
// integer id or by name.
#include "platform/internal.h"

using namespace plat;

static int storeBitmap(LPCSTR nameOrId, cairo_surface_t* surface)
{
    State& s = st();
    if (!s.running || !surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return 0;
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    if (w <= 0 || h <= 0) return 0;
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string key = resourceKey(nameOrId);
    auto it = s.resBitmaps.find(key);
    if (it != s.resBitmaps.end()) cairo_surface_destroy(it->second.surface);
    BitmapRec b;
    b.surface = copy;
    b.width = w;
    b.height = h;
    s.resBitmaps[key] = b;
    return 1;
}

int platform_registerBitmap(LPCSTR nameOrId, cairo_surface_t* surface)
{
    return storeBitmap(nameOrId, surface);
}

int platform_registerBitmapPixels(LPCSTR nameOrId, int width, int height, const uint32_t* xrgb)
{
    if (!xrgb || width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    Pixels p = pixelsOf(s);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            p.data[(size_t)y * p.stride + x] = xrgb[(size_t)y * width + x] & 0xFFFFFF;
    cairo_surface_mark_dirty(s);
    int ok = storeBitmap(nameOrId, s);
    cairo_surface_destroy(s);
    return ok;
}

int platform_registerCursor(LPCSTR nameOrId, cairo_surface_t* image, int hotX, int hotY)
{
    State& s = st();
    if (!s.running || !image) return 0;
    CursorRec c;
    c.image = cairo_surface_reference(image);
    c.hotX = hotX;
    c.hotY = hotY;
    std::string key = resourceKey(nameOrId);
    auto it = s.resCursors.find(key);
    if (it != s.resCursors.end() && it->second.image) cairo_surface_destroy(it->second.image);
    s.resCursors[key] = c;
    return 1;
}

int platform_registerIcon(LPCSTR nameOrId, cairo_surface_t* image)
{
    return image && st().running && nameOrId ? 1 : 0;
}

int platform_registerMenuTemplate(LPCSTR nameOrId, const std::vector<MenuTemplateItem>& bar)
{
    if (!st().running) return 0;
    st().resMenus[resourceKey(nameOrId)] = bar;
    return 1;
}

int platform_registerAccelerators(LPCSTR nameOrId, const std::vector<ACCEL>& entries)
{
    if (!st().running) return 0;
    st().resAccels[resourceKey(nameOrId)] = entries;
    return 1;
}

int platform_registerDialogTemplate(LPCSTR nameOrId, const DialogTemplate& tpl)
{
    if (!st().running) return 0;
    st().resDialogs[resourceKey(nameOrId)] = tpl;
    return 1;
}
