#include "toolkit/win32/LayoutFont.h"

#include "toolkit/win32/Wide.h"

#include <array>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <vector>

namespace pastimo {
namespace {

HFONT CreateFace(const wchar_t* face, int height, int weight, DWORD precision) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// Which UTF-16 units one font has a glyph for, a bit each, asked of the font
// a block of 256 units at a time, when a text first needs the block. Checking
// a text against the font itself took GetGlyphIndicesW over the whole text,
// and a field checks its text at every change, keystrokes included.
class GlyphCoverage {
public:
    // `font` is one of the kind this coverage was made for. A block the font
    // could not be asked about lacks nothing.
    bool Lacks(HFONT font, wchar_t unit) {
        if (!FAsked[unit >> 8]) Ask(font, unit >> 8);
        return !((FHas[unit >> 6] >> (unit & 63)) & 1);
    }

private:
    void Ask(HFONT font, unsigned block);

    std::array<bool, 256> FAsked{};
    std::array<uint64_t, 65536 / 64> FHas{};
};

void GlyphCoverage::Ask(HFONT font, unsigned block) {
    FAsked[block] = true;
    wchar_t units[256];
    WORD glyphs[256];
    for (unsigned i = 0; i < 256; ++i) units[i] = static_cast<wchar_t>(block << 8 | i);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    const DWORD done = GetGlyphIndicesW(dc, units, 256, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (unsigned i = 0; i < 256; ++i)
        if (done == GDI_ERROR || glyphs[i] != 0xFFFF) FHas[(block << 8 | i) >> 6] |= uint64_t{1} << (i & 63);
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// The coverage of each font met, found by what the font is rather than by
// its handle (a deleted font's handle may come back for another one). The
// forms' fonts at the resolutions seen: a few; past eight the oldest goes.
// The program's windows all run on one thread.
GlyphCoverage& CoverageOf(HFONT font) {
    static std::vector<std::pair<LOGFONTW, std::unique_ptr<GlyphCoverage>>> known;
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    for (auto& entry : known)
        if (SameFont(entry.first, description)) return *entry.second;
    if (known.size() == 8) known.erase(known.begin());
    known.emplace_back(description, std::make_unique<GlyphCoverage>());
    return *known.back().second;
}

}  // namespace

HFONT MakeLayoutFont(const LayoutFont& font, int dpi) {
    const int height = ScaleToDpi(font.height, dpi);
    const std::wstring face = Wide(font.face);
    HFONT made = CreateFace(face.c_str(), height, font.bold ? FW_BOLD : FW_NORMAL,
                            dpi == kDesignDpi ? OUT_DEFAULT_PRECIS : OUT_TT_PRECIS);
    if (dpi == kDesignDpi || !made) return made;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, made);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    const bool scales = (metrics.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) != 0;
    const int wanted = height < 0 ? -height : height;
    const int got = height < 0 ? metrics.tmHeight - metrics.tmInternalLeading : metrics.tmHeight;
    if (scales || got * 10 >= wanted * 9) return made;
    DeleteObject(made);
    return CreateFace(L"Tahoma", height, metrics.tmWeight, OUT_TT_PRECIS);
}

HFONT MakeWideFont(const LayoutFont& font, int dpi) {
    return CreateFace(L"Microsoft Sans Serif", ScaleToDpi(font.height, dpi), font.bold ? FW_BOLD : FW_NORMAL,
                      OUT_TT_PRECIS);
}

bool DrawsEveryCharacter(HFONT font, std::wstring_view text) {
    size_t first = 0;
    while (first < text.size() && text[first] < 0x80) ++first;  // every face draws ASCII
    if (first == text.size()) return true;
    GlyphCoverage& coverage = CoverageOf(font);
    for (size_t i = first; i < text.size(); ++i) {
        // A line break or a tab has no glyph and needs none.
        if (text[i] >= 0x20 && coverage.Lacks(font, text[i])) return false;
    }
    return true;
}

}  // namespace pastimo
