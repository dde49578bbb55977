// The contrast rule that hands the styled controls to the colour scheme,
// pinned to the contrasts of the design's colours under white text.

#include <gtest/gtest.h>

#include "controls/SchemeColors.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

TEST(SchemeColors, TheDesignsPaleBackgroundsFailWhiteTextAndPassBlack) {
  EXPECT_NEAR(ContrastRatio(RGB(191, 191, 191), kWhite), 1.84, 0.01);  // a mixed menu grey
  EXPECT_NEAR(ContrastRatio(kWhite, RGB(240, 248, 255)), 1.07, 0.01);  // the About box
  EXPECT_TRUE(NeedsSchemeColors({RGB(0, 0, 0), RGB(240, 248, 255)}, kWhite));
  EXPECT_FALSE(NeedsSchemeColors({RGB(240, 248, 255), RGB(192, 208, 240)}, RGB(0, 0, 0)));
}

}  // namespace
