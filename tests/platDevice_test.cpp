// The SDL renderer device on SDL's dummy video driver (its software renderer):
// quads are batched, blend codes and vertex colours reach the pixels, targets
// keep what was painted into them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "testSupport.h"

namespace {

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_TRUE(Window.Create(false));
    Device = TplatDevice::Create(&Window, true, false);
    ASSERT_NE(Device, nullptr);
    const std::vector<std::uint32_t> white(16 * 16, 0xFFFFFFFF);
    const std::vector<std::uint32_t> half(16 * 16, 0x80FFFFFF);
    White = Device->CreateTexture(16, 16, white.data());
    Half = Device->CreateTexture(16, 16, half.data());
  }
  void TearDown() override {
    Device.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  static TDrawCmd Quad(TTextureId texture, float x, float y, float size, std::uint32_t colour, std::uint32_t blend) {
    TDrawCmd c;
    c.Texture = texture;
    c.Quad.P[0] = {x, y};
    c.Quad.P[1] = {x + size, y};
    c.Quad.P[2] = {x + size, y + size};
    c.Quad.P[3] = {x, y + size};
    c.Source = TSourceRect{0, 0, 16, 16, false, false};
    for (auto& k : c.Colors) k = colour;
    c.Blend = blend;
    return c;
  }
  std::uint32_t Pixel(const std::vector<std::uint32_t>& p, int x, int y) { return p[static_cast<std::size_t>(y) * 1024 + x]; }

  TplatWindow Window;
  std::unique_ptr<TplatDevice> Device;
  TTextureId White = 0;
  TTextureId Half = 0;
};

TEST_F(DeviceTest, ConsecutiveQuadsOfOneTextureAndBlendShareOneCall) {
  Device->BeginScene(0xFF000000);
  for (int i = 0; i < 3; ++i) {
    const TDrawCmd c = Quad(White, 10.0f * i, 0, 8, 0xFFFFFFFF, beAlpha);
    Device->DrawQuad(c.Texture, c.Quad, c.Source, c.Colors, c.Blend);
  }
  const TDrawCmd add = Quad(White, 50, 0, 8, 0xFFFFFFFF, beAdd);
  Device->DrawQuad(add.Texture, add.Quad, add.Source, add.Colors, add.Blend);
  const TDrawCmd other = Quad(Half, 60, 0, 8, 0xFFFFFFFF, beAdd);
  Device->DrawQuad(other.Texture, other.Quad, other.Source, other.Colors, other.Blend);
  Device->EndScene();
  EXPECT_EQ(Device->Batches(), 3);
}

TEST_F(DeviceTest, ColoursAndBlendCodesReachThePixels) {
  std::vector<TDrawCmd> frame;
  frame.push_back(Quad(White, 0, 0, 100, 0xFF400000, beOpaque));     // dark red, opaque
  frame.push_back(Quad(Half, 0, 0, 50, 0xFF0000FF, beAlpha));        // half blue over it
  frame.push_back(Quad(White, 50, 0, 50, 0xFF004000, beAdd));        // green added on top
  frame.push_back(Quad(White, 200, 200, 10, 0x80FFFFFF, beModulate));  // black stays black
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(Device->CaptureFrame(frame, pixels));
  ASSERT_EQ(pixels.size(), 1024u * 768u);
  const std::uint32_t blended = Pixel(pixels, 25, 25);
  EXPECT_NEAR((blended >> 16) & 0xFF, 0x20, 2);
  EXPECT_NEAR(blended & 0xFF, 0x80, 2);
  const std::uint32_t added = Pixel(pixels, 75, 25);
  EXPECT_NEAR((added >> 16) & 0xFF, 0x40, 1);
  EXPECT_NEAR((added >> 8) & 0xFF, 0x40, 1);
  EXPECT_EQ(Pixel(pixels, 205, 205) & 0xFFFFFF, 0u);
  EXPECT_EQ(Pixel(pixels, 500, 500), 0xFF000000u) << "cleared to black";
}

TEST_F(DeviceTest, RenderTargetKeepsWhatWasPaintedIntoIt) {
  const TTextureId target = Device->CreateRenderTarget(32, 32);
  ASSERT_NE(target, 0u);
  ASSERT_TRUE(Device->BeginTarget(target, 0x00000000));
  const TDrawCmd inside = Quad(White, 0, 0, 16, 0xFF00FF00, beAlpha);
  Device->DrawQuad(inside.Texture, inside.Quad, inside.Source, inside.Colors, inside.Blend);
  Device->EndTarget();
  TDrawCmd shown = Quad(target, 100, 100, 32, 0xFFFFFFFF, beAlpha);
  shown.Source = TSourceRect{0, 0, 32, 32, false, false};
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(Device->CaptureFrame({shown}, pixels));
  EXPECT_EQ(Pixel(pixels, 104, 104) & 0xFFFFFF, 0x00FF00u) << "painted corner";
  EXPECT_EQ(Pixel(pixels, 124, 124) & 0xFFFFFF, 0u) << "the transparent rest shows the black behind";
  int w = 0;
  int h = 0;
  EXPECT_TRUE(Device->TextureSize(target, w, h));
  EXPECT_EQ(w, 32);
  Device->FreeTexture(target);
  EXPECT_FALSE(Device->TextureSize(target, w, h));
}

TEST_F(DeviceTest, MirrorAndFlipSwapTheSourceSides) {
  std::vector<std::uint32_t> stripes(16 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) stripes[static_cast<std::size_t>(y) * 16 + x] = x < 8 ? 0xFFFF0000 : 0xFF0000FF;
  const TTextureId t = Device->CreateTexture(16, 16, stripes.data());
  TDrawCmd c = Quad(t, 0, 0, 16, 0xFFFFFFFF, beOpaque);
  c.Source.Mirror = true;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(Device->CaptureFrame({c}, pixels));
  EXPECT_EQ(Pixel(pixels, 2, 8) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(Pixel(pixels, 13, 8) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
