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

TEST_F(DeviceTest, APartialSceneChangesItsAreaAloneAndMatchesTheWholeFrame) {
  std::vector<std::uint32_t> pixels;
  EXPECT_FALSE(Device->BeginSceneIn(0xFF000000, TSceneRect{0, 0, 10, 10})) << "no scene to draw over yet";
  const TDrawCmd back = Quad(White, 0, 0, 90, 0xFF204060, beOpaque);  // clear of the area
  const TDrawCmd was = Quad(Half, 100, 100, 20, 0xFFFF0000, beAlpha);
  const TDrawCmd now = Quad(Half, 104, 100, 20, 0xFF00FF00, beAlpha);
  const TDrawCmd far = Quad(White, 250, 250, 20, 0xFF0000FF, beAlpha);
  auto draw = [&](const std::vector<TDrawCmd>& frame) {
    for (const TDrawCmd& c : frame) Device->DrawQuad(c.Texture, c.Quad, c.Source, c.Colors, c.Blend);
    Device->EndScene();
  };
  Device->BeginScene(0xFF000000);
  draw({back, was, far});
  ASSERT_TRUE(Device->BeginSceneIn(0xFF000000, TSceneRect{99, 99, 27, 23}));
  draw({back, now});  // far lies outside the area: left as it was
  ASSERT_TRUE(Device->ReadScene(pixels));
  std::vector<std::uint32_t> whole;
  ASSERT_TRUE(Device->CaptureFrame({back, now, far}, whole));
  for (auto& p : pixels) p |= 0xFF000000u;
  EXPECT_EQ(Pixel(pixels, 102, 110), Pixel(whole, 102, 110)) << "the old picture is gone";
  EXPECT_EQ(Pixel(pixels, 260, 260), 0xFF0000FFu);
  int differ = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) differ += pixels[i] != whole[i];
  EXPECT_EQ(differ, 0);
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

// A button of three pieces cut from a sheet whose pieces are separated by
// transparent texels (stretched pieces padded, caps not, as in the real sheet),
// drawn at 1.25x: no pixel inside the button may show the gaps.
void ExpectSeamlessButtonAtScale(bool antialias) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    TplatWindow window;
    ASSERT_TRUE(window.Create(false));
    auto device = TplatDevice::Create(&window, true, antialias);
    ASSERT_NE(device, nullptr);
    SDL_SetWindowSize(window.Handle(), 1280, 960);
    constexpr int SheetW = 32;
    constexpr int SheetH = 40;
    std::vector<std::uint32_t> sheet(SheetW * SheetH, 0x00000000);
    for (int y = 0; y < SheetH; ++y)
      for (int x = 0; x < SheetW; ++x)
        if (x <= 7 || (x >= 9 && x <= 11) || (x >= 13 && x <= 20)) sheet[static_cast<std::size_t>(y * SheetW + x)] = 0xFFFFFFFF;
    const TTextureId t = device->CreateTexture(SheetW, SheetH, sheet.data());
    const std::uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    auto piece = [&](float x, float w, float srcX, float srcW) {
      TQuad q;
      q.P[0] = {x, 100};
      q.P[1] = {x + w, 100};
      q.P[2] = {x + w, 140};
      q.P[3] = {x, 140};
      device->DrawQuad(t, q, TSourceRect{srcX, 0, srcW, 40, false, false}, white, beAlpha);
    };
    device->BeginScene(0xFF000000);
    piece(101, 8, 0, 8);   // left cap
    piece(109, 51, 10, 1);  // stretched middle
    piece(160, 8, 13, 8);  // right cap
    device->EndScene();
    SDL_Renderer* r = device->Renderer();
    int ow = 0;
    int oh = 0;
    SDL_GetRendererOutputSize(r, &ow, &oh);
    ASSERT_EQ(ow, 1280);
    SDL_Rect row{0, 150, 1280, 1};  // the middle of the button, in window pixels
    std::vector<std::uint32_t> pixels(1280);
    SDL_RenderSetLogicalSize(r, 0, 0);
    ASSERT_EQ(SDL_RenderReadPixels(r, &row, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 1280 * 4), 0) << SDL_GetError();
    int darkest = 255;
    int darkestAt = -1;
    // From just inside the left edge to just inside the right edge (168 * 1.25 = 210).
    for (int x = 128; x <= 208; ++x) {
      const int green = static_cast<int>((pixels[static_cast<std::size_t>(x)] >> 8) & 0xFF);
      if (green < darkest) {
        darkest = green;
        darkestAt = x;
      }
    }
    EXPECT_GE(darkest, 250) << "a seam at window x " << darkestAt << (antialias ? " (filtered)" : " (unfiltered)");
    EXPECT_LT(pixels[120] & 0xFF, 10u) << "left of the button stays black";
    device.reset();
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(DeviceScale, ScaledButtonsShowNoSeamsFiltered) { ExpectSeamlessButtonAtScale(true); }
TEST(DeviceScale, ScaledButtonsShowNoSeamsUnfiltered) { ExpectSeamlessButtonAtScale(false); }

}  // namespace
