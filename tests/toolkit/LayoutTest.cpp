// Stored layouts scaled to a screen's resolution: nothing moves at 96 DPI,
// halves round away from zero (font heights are negative), and controls that
// touch at 96 DPI still touch at any other resolution.
#include "toolkit/Layout.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

TEST(LayoutScale, NothingMovesAt96AndHalvesRoundAwayFromZero) {
    for (int value : {0, 1, 13, 159, 519, -11, -13}) EXPECT_EQ(ScaleToDpi(value, kDesignDpi), value);
    EXPECT_EQ(ScaleToDpi(159, 144), 239);  // 238.5
    EXPECT_EQ(ScaleToDpi(-11, 144), -17);  // -16.5: a font's height grows too
    EXPECT_EQ(ScaleToDpi(13, 120), 16);    // 16.25
    EXPECT_EQ(ScaleToDpi(1, 144), 2);      // a line stays visible
}

TEST(LayoutScale, ControlsThatTouchKeepTouching) {
    const LayoutRect left{9, 14, 225, 21};
    const LayoutRect right{234, 14, 7, 21};  // starts where `left` ends
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        const LayoutRect a = ScaleToDpi(left, dpi), b = ScaleToDpi(right, dpi);
        EXPECT_EQ(a.left + a.width, b.left) << dpi;
        EXPECT_EQ(a.top, b.top) << dpi;
        EXPECT_EQ(a.height, b.height) << dpi;
    }
}

}  // namespace
}  // namespace pastimo
