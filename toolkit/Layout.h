#pragma once
// A form's stored layout as data: one row per control with its place and
// size in pixels at 96 DPI, caption, hint, font, style and tab order. The
// tables themselves live in resources/; toolkit/win32/FormBuilder makes the
// controls from them. Portable: no Windows headers.

#include <cstddef>
#include <cstdint>

namespace pastimo {

enum class ControlKind : uint8_t {
    PageControl,  // tabs; its pages are the rows whose parent it is
    Page,         // a tab page: holds controls
    Button,
    CheckBox,
    Edit,
    ListBox,
    Label,
    GroupBox,  // a frame; its rows are laid out relative to it
    Shape,     // a filled rectangle with an outline
    Panel,     // holds controls, with a bevelled frame
    ListView,  // rows in columns, given by the owner as they are shown
};

// The "other properties" of a row.
enum ControlStyle : uint32_t {
    csNone = 0,
    csDefault = 1u << 0,    // the form's default button
    csMultiLine = 1u << 1,  // an edit of several lines, Enter for a line break
    csScrollV = 1u << 2,    // a vertical scroll bar
    csScrollH = 1u << 3,    // a horizontal scroll bar, and no word wrap
    csReadOnly = 1u << 4,
    csHidden = 1u << 5,
    csBehind = 1u << 6,     // below its siblings, so what it frames is drawn over it
    csWantTab = 1u << 7,    // an edit in which the Tab key types a tab
    csAccessKey = 1u << 8,  // a label whose "&" marks the access key of the control after it
};

constexpr uint32_t kNoColor = 0xFFFFFFFFu;
// A colour as 0xRRGGBB.
constexpr uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

// Colours and frames, for the few rows that are not drawn the system's way.
struct ControlLook {
    uint32_t color = kNoColor;      // background, fill of a shape
    uint32_t lineColor = kNoColor;  // outline of a shape
    int8_t border = 0;              // a panel's gap between its border line and its bevel
    int8_t bevel = 0;               // a panel's lowered bevel
    int8_t itemHeight = 0;          // a list box's row height
};
constexpr ControlLook Background(uint32_t color) { return {color, kNoColor, 0, 0, 0}; }
constexpr ControlLook Outlined(uint32_t fill, uint32_t line) { return {fill, line, 0, 0, 0}; }
constexpr ControlLook Bevelled(uint32_t color, int8_t border, int8_t bevel) {
    return {color, kNoColor, border, bevel, 0};
}
constexpr ControlLook RowHeight(int8_t height) { return {kNoColor, kNoColor, 0, 0, height}; }

struct LayoutRect {
    int left, top, width, height;
};

// Heights as the system's font calls take them: negative for the height of
// the characters, positive for the height of the cell.
struct LayoutFont {
    const char* face;  // not owned: static text
    int height;
    bool bold;
};

constexpr int kNoTabStop = -1;

struct ControlLayout {
    int id;
    int parent;  // 0: the form itself; else the id of a page, group box or panel
    ControlKind kind;
    LayoutRect bounds;    // relative to the parent
    const char* caption;  // not owned: static text
    const char* hint;     // not owned: static text; shown as the control's tooltip; nullptr for none
    uint8_t font;         // index into the form's fonts; 0 is the form's own
    uint32_t style;       // ControlStyle flags
    int tabOrder;         // among the rows of the same parent; kNoTabStop for none
    ControlLook look = {};
};

// The tables are in pixels at 96 DPI; on a screen of another resolution
// every length is scaled by its DPI over 96, rounded to the nearest pixel
// (halves away from zero). At 96 DPI nothing changes.
constexpr int kDesignDpi = 96;

constexpr int ScaleToDpi(int value, int dpi) {
    const long long scaled = static_cast<long long>(value) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                        : -((-scaled + kDesignDpi / 2) / kDesignDpi));
}

// The edges are scaled, not the sizes: controls that touch at 96 DPI
// touch at any other resolution.
constexpr LayoutRect ScaleToDpi(const LayoutRect& rect, int dpi) {
    const int left = ScaleToDpi(rect.left, dpi);
    const int top = ScaleToDpi(rect.top, dpi);
    return {left, top, ScaleToDpi(rect.left + rect.width, dpi) - left, ScaleToDpi(rect.top + rect.height, dpi) - top};
}

struct FormLayout {
    const char* caption;  // not owned: static text
    int clientWidth, clientHeight;
    uint32_t color;           // the client area's background; kNoColor for the system's
    const LayoutFont* fonts;  // not owned: a static table
    size_t fontCount;
    const ControlLayout* controls;  // not owned: a static table
    size_t controlCount;
};

}  // namespace pastimo
