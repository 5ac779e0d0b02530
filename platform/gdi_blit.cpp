// Bit-block transfers: BitBlt, StretchBlt and PatBlt with ternary raster
// operations, including monochrome conversion (a monochrome source paints
// its black pixels in the destination's text colour and its white pixels in
// its background colour; a colour source becomes white where it matches the
// source DC's background colour when copied into a monochrome bitmap).
#include "platform/internal.h"
#include <algorithm>
#include <cstring>

namespace plat {

// The result of a ternary raster operation: bit i of code is the output for
// pattern bit (i>>2)&1, source bit (i>>1)&1 and destination bit i&1.
static inline uint32_t rop3(uint8_t code, uint32_t P, uint32_t S, uint32_t D)
{
    switch (code) {
    case 0xCC: return S;
    case 0x88: return S & D;
    case 0xEE: return S | D;
    case 0x66: return S ^ D;
    case 0x33: return ~S;
    case 0x44: return S & ~D;
    case 0x11: return ~(S | D);
    case 0xF0: return P;
    case 0x55: return ~D;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    case 0x5A: return P ^ D;
    case 0xBB: return ~S | D;
    case 0xC0: return P & S;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; i++)
        if ((code >> i) & 1) r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
    return r;
}

static bool isMono(DCRec* dc)
{
    if (dc->kind != DC_MEMORY) return false;
    BitmapRec* b = dcBitmap(dc);
    return b && b->mono;
}

static bool transfer(DCRec* dst, int x, int y, int w, int h, DCRec* src, int sx, int sy, int sw, int sh,
                     DWORD rop)
{
    uint8_t code = (uint8_t)((rop >> 16) & 0xFF);
    bool needsSrc = ((code >> 2) & 0x33) != (code & 0x33);
    if (!dst->target || w == 0 || h == 0) return false;
    if (needsSrc && (!src || !src->target || sw == 0 || sh == 0)) return false;
    bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
    // A negative extent runs from its (included) start coordinate backwards.
    if (w < 0) {
        x += w + 1;
        w = -w;
    }
    if (h < 0) {
        y += h + 1;
        h = -h;
    }
    if (sw < 0) {
        sx += sw + 1;
        sw = -sw;
    }
    if (sh < 0) {
        sy += sh + 1;
        sh = -sh;
    }
    bool dstMono = isMono(dst);
    bool isNullBrush;
    COLORREF bc = brushColor((HBRUSH)dst->s.brush, &isNullBrush);
    uint32_t P = pixelForTarget(dst, colorToPixel(bc));
    POINT d0 = dcToDevice(dst, x, y);
    RECT destRect{d0.x, d0.y, d0.x + w, d0.y + h};

    // Source pixels, copied first when source and destination share a surface.
    std::vector<uint32_t> copy;
    const uint32_t* sdata = nullptr;
    int sstride = 0, swidth = 0, sheight = 0;
    POINT s0{0, 0};
    bool srcMono = false;
    uint32_t srcBk = 0, dstText = colorToPixel(dst->s.textColor), dstBk = colorToPixel(dst->s.bkColor);
    if (needsSrc) {
        Pixels sp = pixelsOf(src->target);
        s0 = dcToDevice(src, sx, sy);
        swidth = sp.width;
        sheight = sp.height;
        sstride = sp.stride;
        sdata = sp.data;
        if (src->target == dst->target) {
            copy.assign(sp.data, sp.data + (size_t)sp.stride * sp.height);
            sdata = copy.data();
        }
        srcMono = isMono(src);
        srcBk = colorToPixel(src->s.bkColor);
    }
    Pixels dp = pixelsOf(dst->target);
    bool stretch = sw != w || sh != h;
    for (const RECT& c : clipRects(dst)) {
        RECT r;
        if (!IntersectRect(&r, &destRect, &c)) continue;
        for (int yy = r.top; yy < r.bottom; yy++) {
            int v = yy - destRect.top;
            int srow = 0;
            if (needsSrc) {
                int sv = stretch ? (int)(((int64_t)v * 2 + 1) * sh / (2 * (int64_t)h)) : v;
                if (mirrorY) sv = sh - 1 - sv;
                srow = s0.y + sv;
                if (srow < 0 || srow >= sheight) continue;
            }
            uint32_t* drow = dp.data + (size_t)yy * dp.stride;
            if (needsSrc && code == 0xCC && !stretch && !mirrorX && srcMono == dstMono) {
                int left = std::max<int>(r.left, d0.x + (0 - s0.x));
                int right = std::min<int>(r.right, d0.x + (swidth - s0.x));
                if (left < right)
                    memmove(drow + left, sdata + (size_t)srow * sstride + (s0.x + left - d0.x),
                            (size_t)(right - left) * 4);
                continue;
            }
            for (int xx = r.left; xx < r.right; xx++) {
                uint32_t S = 0;
                if (needsSrc) {
                    int u = xx - destRect.left;
                    int su = stretch ? (int)(((int64_t)u * 2 + 1) * sw / (2 * (int64_t)w)) : u;
                    if (mirrorX) su = sw - 1 - su;
                    int scol = s0.x + su;
                    if (scol < 0 || scol >= swidth) continue;
                    S = sdata[(size_t)srow * sstride + scol] & 0xFFFFFF;
                    if (srcMono && !dstMono)
                        S = S ? dstBk : dstText;
                    else if (!srcMono && dstMono)
                        S = S == srcBk ? 0xFFFFFF : 0;
                }
                drow[xx] = rop3(code, P, S, drow[xx]) & 0xFFFFFF;
            }
        }
    }
    cairo_surface_mark_dirty(dst->target);
    dcTouch(dst);
    return true;
}

}  // namespace plat

using namespace plat;

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    DCRec* d = dcOf(dst);
    if (!d) return FALSE;
    return transfer(d, x, y, width, height, dcOf(src), srcX, srcY, width, height, rop) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
    DCRec* d = dcOf(dst);
    if (!d) return FALSE;
    return transfer(d, x, y, width, height, dcOf(src), srcX, srcY, srcWidth, srcHeight, rop) ? TRUE : FALSE;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    DCRec* d = dcOf(hdc);
    if (!d) return FALSE;
    return transfer(d, x, y, width, height, nullptr, 0, 0, width, height, rop) ? TRUE : FALSE;
}
