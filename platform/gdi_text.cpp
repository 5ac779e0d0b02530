// Fonts and text: faces resolved through fontconfig ("Arial" becomes the
// metric-compatible family installed here), Cairo scaled fonts, text
// metrics and extents, TextOut and DrawText with alignment, word breaks and
// the '&' prefix of menu and control texts.
#include "platform/internal.h"
#include <fontconfig/fontconfig.h>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace plat {

FontRec::~FontRec()
{
    if (scaled) cairo_scaled_font_destroy(scaled);
}

std::string resolveFamily(const std::string& face)
{
    static std::map<std::string, std::string> cache;
    std::string key = face.empty() ? "sans-serif" : face;
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    std::string result = key;
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)key.c_str());
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern* match = FcFontMatch(nullptr, pat, &res);
    if (match) {
        FcChar8* fam = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch && fam) result = (const char*)fam;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pat);
    cache[key] = result;
    return result;
}

std::string toUtf8(const char* text, int len)
{
    std::string out;
    if (!text) return out;
    size_t n = len < 0 ? strlen(text) : (size_t)len;
    const unsigned char* p = (const unsigned char*)text;
    for (size_t i = 0; i < n;) {
        unsigned char c = p[i];
        if (c == 0) break;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        bool valid = extra >= 0 && i + extra < n;
        for (int k = 1; valid && k <= extra; k++) valid = (p[i + k] & 0xC0) == 0x80;
        if (valid) {
            out.append((const char*)p + i, extra + 1);
            i += extra + 1;
        } else {  // a lone byte of another code page: taken as Latin-1
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
            i++;
        }
    }
    return out;
}

static cairo_scaled_font_t* makeScaled(const std::string& family, bool bold, bool italic, double em,
                                       double scaleX)
{
    cairo_font_face_t* face =
        cairo_toy_font_face_create(family.c_str(), italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                   bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, em * scaleX, em);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_ON);
    cairo_scaled_font_t* sf = cairo_scaled_font_create(face, &fm, &ctm, opt);
    cairo_font_options_destroy(opt);
    cairo_font_face_destroy(face);
    return sf;
}

static double advance(cairo_scaled_font_t* sf, const char* utf8)
{
    cairo_text_extents_t te;
    cairo_scaled_font_text_extents(sf, utf8, &te);
    return te.x_advance;
}

std::shared_ptr<FontRec> fontCreate(const LOGFONTA& lfIn)
{
    auto f = std::make_shared<FontRec>();
    f->lf = lfIn;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    f->family = resolveFamily(f->lf.lfFaceName);
    bool bold = f->lf.lfWeight >= 600;
    bool italic = f->lf.lfItalic != 0;
    double em = 12;
    LONG h = f->lf.lfHeight;
    if (h < 0)
        em = std::min<LONG>(-h, 1000);
    else if (h > 0) {
        cairo_scaled_font_t* unit = makeScaled(f->family, bold, italic, 100, 1);
        cairo_font_extents_t fe;
        cairo_scaled_font_extents(unit, &fe);
        cairo_scaled_font_destroy(unit);
        double cell = (fe.ascent + fe.descent) / 100.0;
        em = std::min<double>(h, 1000) / (cell > 0 ? cell : 1.0);
    }
    f->pixelSize = em;
    f->scaled = makeScaled(f->family, bold, italic, em, 1);
    double ave = advance(f->scaled, "x");
    if (f->lf.lfWidth > 0 && ave > 0) {
        f->scaleX = std::min(10.0, f->lf.lfWidth / ave);
        cairo_scaled_font_destroy(f->scaled);
        f->scaled = makeScaled(f->family, bold, italic, em, f->scaleX);
        ave = advance(f->scaled, "x");
    }
    cairo_font_extents_t fe;
    cairo_scaled_font_extents(f->scaled, &fe);
    f->ascent = (int)std::ceil(fe.ascent - 0.01);
    f->descent = (int)std::ceil(fe.descent - 0.01);
    f->aveWidth = (int)std::lround(ave);
    f->maxWidth = (int)std::lround(advance(f->scaled, "W"));
    return f;
}

FontRec* dcFont(DCRec* dc)
{
    GdiObj* o = gdiOf(dc->s.font);
    if (!o || o->kind != GDI_FONT) o = gdiOf(st().stock[SYSTEM_FONT]);
    return o ? o->font.get() : nullptr;
}

int textWidth(FontRec* f, const std::string& utf8)
{
    if (!f || utf8.empty()) return 0;
    return (int)std::lround(advance(f->scaled, utf8.c_str()));
}

void drawTextRun(cairo_t* cr, FontRec* f, double x, double baseline, const std::string& utf8, COLORREF color)
{
    if (!f || utf8.empty()) return;
    cairo_set_scaled_font(cr, f->scaled);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, utf8.c_str());
    if (f->lf.lfUnderline || f->lf.lfStrikeOut) {
        double w = advance(f->scaled, utf8.c_str());
        cairo_set_line_width(cr, std::max(1.0, f->pixelSize / 14));
        if (f->lf.lfUnderline) {
            cairo_move_to(cr, x, baseline + 1.5);
            cairo_line_to(cr, x + w, baseline + 1.5);
        }
        if (f->lf.lfStrikeOut) {
            cairo_move_to(cr, x, baseline - f->ascent / 3.0 + 0.5);
            cairo_line_to(cr, x + w, baseline - f->ascent / 3.0 + 0.5);
        }
        cairo_stroke(cr);
    }
}

static void drawLine(DCRec* dc, FontRec* f, int x, int top, const std::string& utf8, const RECT* clip)
{
    cairo_t* cr = dcCairo(dc);
    if (!cr) return;
    if (clip) {
        cairo_rectangle(cr, clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top);
        cairo_clip(cr);
    }
    int w = textWidth(f, utf8);
    if (dc->s.bkMode == OPAQUE) {
        COLORREF b = dc->s.bkColor;
        cairo_set_source_rgb(cr, GetRValue(b) / 255.0, GetGValue(b) / 255.0, GetBValue(b) / 255.0);
        cairo_rectangle(cr, x, top, w, f->ascent + f->descent);
        cairo_fill(cr);
    }
    drawTextRun(cr, f, x, top + f->ascent, utf8, dc->s.textColor);
    cairo_destroy(cr);
}

// Removes '&' prefixes ("&&" stays one '&').
static std::string stripPrefix(const std::string& s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                r += '&';
                i++;
            }
            continue;
        }
        r += s[i];
    }
    return r;
}

static std::vector<std::string> wrapWords(FontRec* f, const std::string& line, int width)
{
    std::vector<std::string> out;
    std::string cur;
    size_t i = 0;
    while (i < line.size()) {
        size_t j = line.find(' ', i);
        std::string word = line.substr(i, j == std::string::npos ? std::string::npos : j - i);
        std::string trial = cur.empty() ? word : cur + " " + word;
        if (!cur.empty() && textWidth(f, trial) > width) {
            out.push_back(cur);
            cur = word;
        } else {
            cur = trial;
        }
        if (j == std::string::npos) break;
        i = j + 1;
    }
    out.push_back(cur);
    return out;
}

}  // namespace plat

using namespace plat;

HFONT CreateFontIndirectA(const LOGFONTA* lf)
{
    if (!lf || !st().running) return nullptr;
    auto o = std::make_unique<GdiObj>();
    o->kind = GDI_FONT;
    o->font = fontCreate(*lf);
    return (HFONT)newGdi(std::move(o));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = (BYTE)italic;
    lf.lfUnderline = (BYTE)underline;
    lf.lfStrikeOut = (BYTE)strikeOut;
    lf.lfCharSet = (BYTE)charSet;
    lf.lfOutPrecision = (BYTE)outPrecision;
    lf.lfClipPrecision = (BYTE)clipPrecision;
    lf.lfQuality = (BYTE)quality;
    lf.lfPitchAndFamily = (BYTE)pitchAndFamily;
    if (face) snprintf(lf.lfFaceName, LF_FACESIZE, "%s", face);
    return CreateFontIndirectA(&lf);
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm)
{
    DCRec* dc = dcOf(hdc);
    FontRec* f = dc ? dcFont(dc) : nullptr;
    if (!f || !tm) return FALSE;
    memset(tm, 0, sizeof *tm);
    tm->tmAscent = f->ascent;
    tm->tmDescent = f->descent;
    tm->tmHeight = f->ascent + f->descent;
    tm->tmInternalLeading = std::max<LONG>(0, tm->tmHeight - (LONG)std::lround(f->pixelSize));
    tm->tmAveCharWidth = f->aveWidth;
    tm->tmMaxCharWidth = f->maxWidth;
    tm->tmWeight = f->lf.lfWeight ? f->lf.lfWeight : FW_NORMAL;
    tm->tmItalic = f->lf.lfItalic;
    tm->tmUnderlined = f->lf.lfUnderline;
    tm->tmStruckOut = f->lf.lfStrikeOut;
    tm->tmFirstChar = 32;
    tm->tmLastChar = 255;
    tm->tmDefaultChar = '?';
    tm->tmBreakChar = ' ';
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    return TRUE;
}

int GetTextFaceA(HDC hdc, int max, LPSTR face)
{
    DCRec* dc = dcOf(hdc);
    FontRec* f = dc ? dcFont(dc) : nullptr;
    if (!f) return 0;
    if (!face) return (int)f->family.size() + 1;
    if (max <= 0) return 0;
    snprintf(face, (size_t)max, "%s", f->family.c_str());
    return (int)strlen(face);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size)
{
    DCRec* dc = dcOf(hdc);
    FontRec* f = dc ? dcFont(dc) : nullptr;
    if (!f || !size || length < 0) return FALSE;
    size->cx = textWidth(f, toUtf8(text, length));
    size->cy = f->ascent + f->descent;
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length)
{
    DCRec* dc = dcOf(hdc);
    FontRec* f = dc ? dcFont(dc) : nullptr;
    if (!f || length < 0) return FALSE;
    std::string s = toUtf8(text, length);
    int w = textWidth(f, s);
    UINT a = dc->s.textAlign;
    if (a & TA_UPDATECP) {
        x = dc->s.curPos.x;
        y = dc->s.curPos.y;
    }
    if ((a & TA_CENTER) == TA_CENTER)
        x -= w / 2;
    else if (a & TA_RIGHT)
        x -= w;
    int top = y;
    if ((a & TA_BASELINE) == TA_BASELINE)
        top = y - f->ascent;
    else if (a & TA_BOTTOM)
        top = y - f->ascent - f->descent;
    drawLine(dc, f, x, top, s, nullptr);
    if (a & TA_UPDATECP) dc->s.curPos.x = x + w;
    return TRUE;
}

int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    DCRec* dc = dcOf(hdc);
    FontRec* f = dc ? dcFont(dc) : nullptr;
    if (!f || !rect || !text) return 0;
    std::string s = toUtf8(text, length);
    if (!(format & DT_NOPREFIX)) s = stripPrefix(s);
    int tabWidth = 8 * std::max(1, f->aveWidth);
    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        for (char& c : s)
            if (c == '\n' || c == '\r') c = ' ';
        lines.push_back(s);
    } else {
        size_t i = 0;
        for (;;) {
            size_t j = s.find('\n', i);
            std::string line = s.substr(i, j == std::string::npos ? std::string::npos : j - i);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (format & DT_WORDBREAK) {
                for (auto& w : wrapWords(f, line, rect->right - rect->left)) lines.push_back(w);
            } else {
                lines.push_back(line);
            }
            if (j == std::string::npos) break;
            i = j + 1;
        }
    }
    for (auto& l : lines) {
        std::string e;
        for (char c : l) {
            if (c == '\t')
                e += (format & DT_EXPANDTABS)
                         ? std::string(std::max(1, tabWidth / std::max(1, textWidth(f, " "))), ' ')
                         : " ";
            else
                e += c;
        }
        l = e;
    }
    int lineH = f->ascent + f->descent;
    int total = lineH * (int)lines.size();
    int rw = rect->right - rect->left;
    if ((format & DT_END_ELLIPSIS) && (format & DT_SINGLELINE) && textWidth(f, lines[0]) > rw) {
        std::string& l = lines[0];
        while (!l.empty() && textWidth(f, l + "...") > rw) {
            l.pop_back();
            while (!l.empty() && (l.back() & 0xC0) == 0x80) l.pop_back();
            if (!l.empty() && (unsigned char)l.back() >= 0xC0) l.pop_back();
        }
        l += "...";
    }
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (auto& l : lines) widest = std::max(widest, textWidth(f, l));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }
    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - lineH) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - lineH;
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (auto& l : lines) {
        int w = textWidth(f, l);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rw - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - w;
        drawLine(dc, f, x, top, l, clip);
        top += lineH;
    }
    return (format & (DT_VCENTER | DT_BOTTOM)) ? top - rect->top : total;
}
