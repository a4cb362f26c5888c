// The desktop icon at every size a desktop asks for, and the files written.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "kit/artDraw.h"
#include "pictures/genIcons.h"
#include "testSupport.h"

namespace {

struct TCounts {
  int Opaque = 0;  // fully covered texels
  int Amber = 0;   // the plotted line
  int Light = 0;   // the axes: light blue-white
};

TCounts Count(const std::vector<std::uint32_t>& px) {
  TCounts c;
  for (std::uint32_t p : px) {
    const int a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    if (a == 255) ++c.Opaque;
    if (a > 200 && r > 200 && g > 110 && g < 215 && b < 120) ++c.Amber;
    if (a > 200 && r > 170 && g > 190 && b > 220) ++c.Light;
  }
  return c;
}

std::uint32_t AlphaAt(const std::vector<std::uint32_t>& px, int size, int x, int y) {
  return px[static_cast<std::size_t>(y) * size + x] >> 24;
}

}  // namespace

TEST(Icons, EverySizeIsARoundedTileShowingTheAxesAndTheLine) {
  for (int size : IconSizes) {
    art::TSurface s(size, size);
    DrawIcon(s.Cr(), size);
    const std::vector<std::uint32_t> px = s.Pixels();
    // Rounded corners: the corner texels stay (nearly) clear, the middle is solid.
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_LT(AlphaAt(px, size, x, y), 40u) << size << " px, corner " << x << "," << y;
    EXPECT_EQ(AlphaAt(px, size, size / 2, size / 2), 255u) << size;
    const TCounts c = Count(px);
    const double area = static_cast<double>(size) * size;
    EXPECT_GT(c.Opaque / area, 0.65) << size << " px: the tile fills the icon";
    // The line runs about two thirds of the diagonal and each axis about
    // three quarters of the width, partly under the line: they must survive
    // the smallest sizes as whole pixels.
    EXPECT_GT(c.Amber, size / 2) << size << " px: the line";
    EXPECT_GT(c.Light, size * 3 / 4) << size << " px: the axes";
  }
}

TEST(Icons, EachSizeAndTheVectorIconAreWritten) {
  TTempDir dir;
  ASSERT_TRUE(GenerateIcons(dir.Path()));
  for (int size : IconSizes) {
    const std::string path = dir.File("icon-" + std::to_string(size) + ".png");
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << path;
    EXPECT_EQ(cairo_image_surface_get_width(png), size);
    EXPECT_EQ(cairo_image_surface_get_height(png), size);
    cairo_surface_destroy(png);
  }
  std::ifstream svgFile(dir.File("icon.svg"));
  std::stringstream svg;
  svg << svgFile.rdbuf();
  const std::string text = svg.str();
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("width=\"256"), std::string::npos);
  EXPECT_NE(text.find("</svg>"), std::string::npos);
  // Drawn as paths, not one embedded picture: it stays sharp at any size.
  EXPECT_EQ(text.find("<image"), std::string::npos);
  EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 20);
}
