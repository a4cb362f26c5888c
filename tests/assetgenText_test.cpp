// Wrapped lettering on the big pictures: words stay inside the width they are
// given, and highlighted words stand out.
#include <gtest/gtest.h>

#include "kit/artKit.h"

namespace {

TEST(RichParagraph, WrapsInsideItsWidthAndHighlightsStarredWords) {
  art::TSurface s(400, 200);
  const double x = 20, width = 150;
  const double end = RichParagraph(s, "Each monster carries a point like *(-X,-Y)*, so click the quadrant it is in.", x,
                                   30, width, 14, 18, art::Hex(0xFFFFFF), art::Hex(0xFF0000));
  EXPECT_GE(end, 30 + 3 * 18);  // several lines
  const std::vector<std::uint32_t> px = s.Pixels();
  int outside = 0, red = 0;
  for (int y = 0; y < 200; ++y)
    for (int col = 0; col < 400; ++col) {
      const std::uint32_t p = px[static_cast<std::size_t>(y) * 400 + col];
      if ((p >> 24) < 64) continue;
      // A pixel of shadow to the right is allowed.
      if (col < x - 1 || col > x + width + 2) ++outside;
      if (((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60) ++red;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(red, 20);
}

}  // namespace
