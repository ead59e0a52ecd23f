#pragma once
// A font of a stored layout, made for the resolution it is shown at: its
// height scaled by the DPI over 96. At 96 DPI it is the face the layout
// names, as the layout was drawn with it; at any other resolution a face
// that exists only as bitmaps of a few sizes ("System", which would keep its
// 96-DPI size) gives way to an outline face of the same weight.

#include "toolkit/Layout.h"

#include <windows.h>

#include <string_view>

namespace pastimo {

HFONT MakeLayoutFont(const LayoutFont& font, int dpi);

// The same size and weight in an outline face of wide coverage, which the
// system completes with linked fonts: for a control whose text holds
// characters the layout's face cannot draw.
HFONT MakeWideFont(const LayoutFont& font, int dpi);

// Whether `font` has a glyph for every character of the text (a line break
// or a tab needs none). What a font has is asked of it once per block of 256
// characters, when a text first goes there; a text is then checked without a
// call into GDI.
bool DrawsEveryCharacter(HFONT font, std::wstring_view text);

}  // namespace pastimo
