#include "capture/ClipChain.h"

#include <gtest/gtest.h>

namespace pastimo {
namespace {

TEST(ClipChainChange, TheThreeCases) {
    const THandle self = 10, next = 20, other = 30, after = 40;
    // The next viewer leaves: the one after it takes its place and is told.
    ClipChainStep step = ClipChainChange(self, next, next, after);
    EXPECT_EQ(step.nextViewer, after);
    EXPECT_TRUE(step.forward);
    // ...and when it was the last, nothing is sent.
    step = ClipChainChange(self, next, next, 0);
    EXPECT_EQ(step.nextViewer, 0u);
    EXPECT_FALSE(step.forward);
    // This window's own leaving is not passed on.
    step = ClipChainChange(self, next, self, next);
    EXPECT_EQ(step.nextViewer, next);
    EXPECT_FALSE(step.forward);
    // Any other window: passed on unchanged.
    step = ClipChainChange(self, next, other, after);
    EXPECT_EQ(step.nextViewer, next);
    EXPECT_TRUE(step.forward);
    step = ClipChainChange(self, 0, other, after);
    EXPECT_EQ(step.nextViewer, 0u);
    EXPECT_FALSE(step.forward);
}

}  // namespace
}  // namespace pastimo
