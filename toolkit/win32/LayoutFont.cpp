#include "toolkit/win32/LayoutFont.h"

#include "toolkit/win32/Wide.h"

namespace pastimo {
namespace {

HFONT CreateFace(const wchar_t* face, int height, int weight, DWORD precision) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
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

bool DrawsEveryCharacter(HFONT font, const std::wstring& text) {
    size_t first = 0;
    while (first < text.size() && text[first] < 0x80) ++first;  // every face draws ASCII
    if (first == text.size()) return true;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::wstring rest = text.substr(first);
    std::wstring glyphs(rest.size(), L'\0');
    const DWORD done = GetGlyphIndicesW(dc, rest.c_str(), static_cast<int>(rest.size()),
                                        reinterpret_cast<WORD*>(&glyphs[0]), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (done == GDI_ERROR) return true;  // nothing known: keep the layout's face
    for (size_t i = 0; i < rest.size(); ++i) {
        // A line break or a tab has no glyph and needs none.
        if (glyphs[i] == 0xFFFF && rest[i] >= 0x20) return false;
    }
    return true;
}

}  // namespace pastimo
