// The font store: 16 entries shared by every control, found again by font
// number and size, and the point-size rule by which fonts are made.
#include "toolkit/toolkit_internal.h"
#include <cmath>
#include <cstring>

fontRec g_fontList[kFontMax];

void font_initList(void)
{
    for (int i = 0; i < kFontMax; i++) {
        g_fontList[i].font = 0;
        g_fontList[i].listID = kFontFree;
        g_fontList[i].size = 0;
        g_fontList[i].hfont = nullptr;
    }
}

void font_deleteList(void)
{
    for (int i = 0; i < kFontMax; i++)
        if (g_fontList[i].hfont) DeleteObject(g_fontList[i].hfont);
    font_initList();
}

short font_getListID(short font, int size)
{
    for (int i = 0; i < kFontMax; i++)
        if (g_fontList[i].listID != kFontFree && g_fontList[i].font == font && g_fontList[i].size == size)
            return (short)i;
    return kFontFree;
}

short font_getFreeListID(void)
{
    for (int i = 0; i < kFontMax; i++)
        if (g_fontList[i].listID == kFontFree) return (short)i;
    return kFontFree;
}

short font_new(short font, int size)
{
    short found = font_getListID(font, size);
    if (found != kFontFree) return found;
    if (font != 1) return kFontFree;
    HDC hdc = window_getHDC(g_currentWindow);
    if (!hdc) return 0;
    short id = font_getFreeListID();
    if (id == kFontFree) {
        window_freeHDC(g_currentWindow, hdc);
        error("brambix font error: font list full");
        return kFontFree;
    }
    static const char* const faces[] = {"Arial", "Times New Roman", "Courier New"};
    HFONT hf = nullptr;
    for (const char* face : faces) {
        hf = EzCreateFont(hdc, face, size, 0, 0, 1);
        if (hf) break;
    }
    window_freeHDC(g_currentWindow, hdc);
    if (!hf) return kFontFree;
    g_fontList[id].font = font;
    g_fontList[id].listID = id;
    g_fontList[id].size = size;
    g_fontList[id].hfont = hf;
    return id;
}

void font_select(short listID, HDC hdc)
{
    if (listID < 0 || listID >= kFontMax || g_fontList[listID].listID == kFontFree || !hdc) return;
    SelectObject(hdc, g_fontList[listID].hfont);
}

HFONT font_getHFONT(short listID)
{
    if (listID < 0 || listID >= kFontMax || g_fontList[listID].listID == kFontFree) return nullptr;
    return g_fontList[listID].hfont;
}

HFONT EzCreateFont(HDC hdc, const char* face, int deciPtHeight, int deciPtWidth, int attributes, int logRes)
{
    if (!hdc) return nullptr;
    int saved = SaveDC(hdc);
    SetGraphicsMode(hdc, GM_ADVANCED);
    ModifyWorldTransform(hdc, nullptr, MWT_IDENTITY);
    SetViewportOrgEx(hdc, 0, 0, nullptr);
    SetWindowOrgEx(hdc, 0, 0, nullptr);
    double cxDpi, cyDpi;
    if (logRes) {
        cxDpi = GetDeviceCaps(hdc, LOGPIXELSX);
        cyDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    } else {
        int mmX = GetDeviceCaps(hdc, HORZSIZE), mmY = GetDeviceCaps(hdc, VERTSIZE);
        cxDpi = mmX > 0 ? 25.4 * GetDeviceCaps(hdc, HORZRES) / mmX : 96;
        cyDpi = mmY > 0 ? 25.4 * GetDeviceCaps(hdc, VERTRES) / mmY : 96;
    }
    POINT pt;
    pt.x = (LONG)(deciPtWidth * cxDpi / 72);
    pt.y = (LONG)(deciPtHeight * 8 * cyDpi / 72);
    DPtoLP(hdc, &pt, 1);
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -(LONG)(std::fabs((double)pt.y) * 0.1 + 0.5);
    lf.lfWidth = 0;
    lf.lfWeight = (attributes & 1) ? 700 : 0;
    lf.lfItalic = (attributes & 2) ? 1 : 0;
    lf.lfUnderline = (attributes & 4) ? 1 : 0;
    lf.lfStrikeOut = (attributes & 8) ? 1 : 0;
    strncpy(lf.lfFaceName, face ? face : "", LF_FACESIZE - 1);
    HFONT hf = CreateFontIndirectA(&lf);
    if (hf && deciPtWidth != 0 && pt.y != 0) {
        HGDIOBJ old = SelectObject(hdc, hf);
        TEXTMETRICA tm;
        GetTextMetricsA(hdc, &tm);
        SelectObject(hdc, old);
        DeleteObject(hf);
        lf.lfWidth = (LONG)(tm.tmAveCharWidth * std::fabs((double)pt.x) / std::fabs((double)pt.y) + 0.5);
        hf = CreateFontIndirectA(&lf);
    }
    RestoreDC(hdc, saved);
    return hf;
}
