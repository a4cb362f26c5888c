#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/modGraphics.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

namespace {

class GraphicsTest : public ::testing::Test {
 protected:
  GraphicsTest() : Iface(&Window, &Bus, Dir.Path()) {
    Res().Settings.Fullscreen = 0;
    Graphics = std::make_unique<TmodGraphics>(&Window, &Iface, [this]() -> std::unique_ptr<TrndDevice> {
      auto d = std::make_unique<TrndRecordingDevice>();
      Device = d.get();
      return d;
    });
    EXPECT_TRUE(Graphics->Initialise());
    Res().SetDevice(Device);
    // Set 0: images 0 and 1 small, image 2 a 512 x 512 sheet; set 1: a 4 x 4 grid of 32 x 32 patterns.
    TImageSet* set0 = Res().ImageSet(Res().AddImageSet());
    for (int i = 0; i < 3; ++i) set0->Add(Image(i == 2 ? 512 : 16, i == 2 ? 512 : 16, i == 2 ? 512 : 16));
    TImageSet* set1 = Res().ImageSet(Res().AddImageSet());
    set1->Add(Image(128, 128, 32));
  }
  ~GraphicsTest() override {
    Iface.Objects->DeleteAll();
    Res().SetDevice(nullptr);
    Graphics->Finalise();
  }
  static std::unique_ptr<TImage> Image(int w, int h, int pattern) {
    auto img = std::make_unique<TImage>();
    img->TextureWidth = w;
    img->TextureHeight = h;
    img->PatternWidth = img->VisibleWidth = pattern;
    img->PatternHeight = img->VisibleHeight = pattern;
    img->PatternCount = (w / pattern) * (h / pattern);
    img->Textures.emplace_back(static_cast<std::size_t>(w) * h, 0xFFFFFFFF);
    return img;
  }
  TsysResources& Res() { return *Iface.Resources; }
  TobjBase* Picture(double x, double y, int w, int h, bool screen) {
    TobjBase* o = Iface.Objects->CreateObject(0, otStatic, x, y, 1, w, h);
    o->Space = screen ? csScreen : csWorld;
    o->MainItem->SetImage(1, 0, 0);
    return o;
  }
  const std::vector<TRecordedQuad>& Draw() {
    Graphics->RenderFrame();
    Graphics->Present();
    return Device->Scene;
  }

  TTempDir Dir;
  TFakeWindow Window;
  TsysEventHandler Bus;
  TsysInterface Iface;
  TrndRecordingDevice* Device = nullptr;
  std::unique_ptr<TmodGraphics> Graphics;
};

TEST_F(GraphicsTest, WorldObjectLeftOfTheScreenIsSkippedButAScreenObjectIsDrawn) {
  // World space, camera at 0: screen x = X + 512. X = -552 puts the 32-wide frame at -40..-8;
  // its picture, 30 further right, would show from -10 to 22, but the frame decides.
  Picture(-552, 10, 32, 32, false)->MainItem->RelX = 30;
  EXPECT_TRUE(Draw().empty());
  Picture(-40, 10, 32, 32, true)->MainItem->RelX = 30;
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_FLOAT_EQ(scene[0].Source.W, 22);
}

TEST_F(GraphicsTest, WorldObjectsFollowTheCameraAndZoom) {
  Picture(10, 20, 32, 32, false);
  Res().CameraX = 100;
  Res().CameraY = 50;
  Res().Zoom = 2.0;
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 1u);
  // ox = 512 - 200, oy = 384 - 100; the item is 64 x 64 on screen.
  EXPECT_FLOAT_EQ(scene[0].Quad.P[0].X, 10 * 2 + 312);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[0].Y, 20 * 2 + 284);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[2].X - scene[0].Quad.P[0].X, 64);
}

// A monster's question lies over every monster of its layer, yet under what the
// layers above draw.
TEST_F(GraphicsTest, AnItemAboveItsLayerComesAfterEveryObjectOfTheLayerAndBeforeTheNext) {
  TobjBase* first = Picture(0, 0, 32, 32, true);
  first->AddPicture(1, 0, 1, TTexCoord{}, TPointD{100, 0}, TPointI{32, 32}, 0xFFFFFF, 255)->AboveLayer = true;
  Picture(200, 0, 32, 32, true);
  TobjBase* over = Iface.Objects->CreateObject(0, otStatic, 300, 0, 2, 32, 32);
  over->Space = csScreen;
  over->MainItem->SetImage(1, 0, 0);
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 4u);
  std::vector<float> order;
  for (const auto& q : scene) order.push_back(q.Quad.P[0].X);
  EXPECT_EQ(order, (std::vector<float>{0, 200, 100, 300}));
}

TEST_F(GraphicsTest, EffectsOffTurnsEveryBlendButOpaqueIntoAlphaBlending) {
  TobjBase* o = Picture(0, 0, 32, 32, true);
  o->MainItem->DrawEffect = beAdd;
  o->AddPicture(1, 0, 1, TTexCoord{}, TPointD{}, TPointI{32, 32}, 0xFFFFFF, 255)->DrawEffect = beOpaque;
  o->AddPicture(1, 0, 2, TTexCoord{}, TPointD{}, TPointI{32, 32}, 0xFFFFFF, 255)->DrawEffect = beModulate;
  auto scene = Draw();
  ASSERT_EQ(scene.size(), 3u);
  EXPECT_EQ(scene[0].Blend, 0x104u);
  Res().Settings.BlendingEffects = 0;
  scene = Draw();
  EXPECT_EQ(scene[0].Blend, 0x504u);
  EXPECT_EQ(scene[1].Blend, 0x1u);
  EXPECT_EQ(scene[2].Blend, 0x504u);
}

TEST_F(GraphicsTest, PictureStraddlingTheLeftEdgeHasItsSourceCut) {
  TobjBase* o = Picture(-10.5, 0, 32, 32, true);
  o->MainItem->TexCoord.Pattern = 5;  // column 1, row 1: origin (32, 32)
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 1u);
  const TRecordedQuad& q = scene[0];
  EXPECT_GT(q.Quad.P[0].X, -1.0f);
  EXPECT_LE(q.Quad.P[0].X, 0.0f);
  EXPECT_FLOAT_EQ(q.Quad.P[2].X - q.Quad.P[0].X, 22);
  EXPECT_FLOAT_EQ(q.Source.W, 22);
  EXPECT_FLOAT_EQ(q.Source.X, 32 + 10) << "the ten texels left of the screen are not sent";
  EXPECT_FLOAT_EQ(q.Source.Y, 32);
}

TEST_F(GraphicsTest, StretchedPictureKeepsItsProportionsWhenCut) {
  TobjBase* o = Picture(-50, 0, 200, 20, true);
  o->MainItem->TexCoord = TTexCoord{0, 4, 6, 2, 1, false, false};  // a 2 x 1 piece stretched to 200 x 20
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_FLOAT_EQ(scene[0].Source.W, 1.5f);
  EXPECT_FLOAT_EQ(scene[0].Source.X, 4.5f);
}

TEST_F(GraphicsTest, PictureCutAtTheRightAndBottomEdges) {
  TobjBase* o = Picture(1000, 0, 32, 32, true);
  auto scene = Draw();
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_FLOAT_EQ(scene[0].Source.W, 24);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[1].X, 1024);
  o->X = 0;
  o->Y = 750;
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Source.H, 32) << "screen-space pictures are not cut at the bottom";
  o->Space = csWorld;
  o->X = -512;
  o->Y = 750 - 384;
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Source.H, 18);
  // A scaled picture (a growing monster's question plate) is cut where its
  // scaled size meets the edge, not where its full size would.
  o->Space = csScreen;
  o->X = 1000;
  o->Y = 0;
  o->MainItem->Scale = 0.5;
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Quad.P[1].X - scene[0].Quad.P[0].X, 16) << "the half-size picture fits whole";
  EXPECT_FLOAT_EQ(scene[0].Source.W, 32);
  o->X = 1010;
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Quad.P[1].X, 1024);
  EXPECT_FLOAT_EQ(scene[0].Source.W, 28) << "14 pixels at half size show 28 texels";
}

TEST_F(GraphicsTest, QuadOfEachDrawMode) {
  TobjBase* o = Picture(100, 100, 40, 20, true);
  TrndGfx* g = o->MainItem;
  g->Scale = 1.5;
  auto scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Quad.P[2].X, 100 + 60);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[2].Y, 100 + 30);

  g->DrawMode = 2;  // bottom-right corner at the position
  g->Scale = 1.0;
  g->Angle = 0;
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Quad.P[2].X, 100);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[0].X, 60);

  g->DrawMode = 3;  // centred, a quarter turn
  g->Angle = M_PI / 2;
  scene = Draw();
  EXPECT_NEAR(scene[0].Quad.P[0].X, 110, 1e-4);  // top-left (-20,-10) turns to (10,-20)
  EXPECT_NEAR(scene[0].Quad.P[0].Y, 80, 1e-4);

  g->DrawMode = 4;
  Res().Zoom = 2.0;
  for (int k = 0; k < 4; ++k) g->SetCorner(k, TPointD{k * 1.0, k * 2.0});
  scene = Draw();
  EXPECT_FLOAT_EQ(scene[0].Quad.P[3].X, 3 * 2 + 100);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[3].Y, 6 * 2 + 100);
}

TEST_F(GraphicsTest, RenderTargetItemIsDrawnOnlyOnceItsTargetIsPainted) {
  TobjBase* o = Iface.Objects->CreateObject(0, otStatic, 10, 10, 1, 100, 20);
  o->Space = csScreen;
  o->MainItem->Visible = false;
  TrndText* t = o->AddText();
  t->SetText("Hi", 8, false, false, false, false, false);
  EXPECT_FALSE(t->TargetReady);
  Graphics->BuildFrameForTest();
  EXPECT_TRUE(Graphics->Frame().empty()) << "a target not yet painted draws nothing";
  const auto& scene = Draw();
  EXPECT_TRUE(t->TargetReady);
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_EQ(scene[0].Texture, t->Target);
  EXPECT_EQ(Res().QueuedCount(), 0);
  EXPECT_FALSE(Device->TargetDraws.empty()) << "the glyphs went into the target";
}

TEST_F(GraphicsTest, FrameCounterIsShownOnlyWhenSwitchedOn) {
  Iface.FrameRate = 60;
  EXPECT_TRUE(Draw().empty());
  Res().Settings.ShowFPS = 1;
  Graphics->ApplyDisplaySettings();
  const auto& scene = Draw();
  ASSERT_EQ(scene.size(), 6u);  // "FPS:60"
  EXPECT_FLOAT_EQ(scene[0].Quad.P[0].X, 614);
  EXPECT_FLOAT_EQ(scene[1].Quad.P[0].X, 623);
  EXPECT_FLOAT_EQ(scene[0].Quad.P[0].Y, 9);
  // 'F' = 70, index 38 at size 10: column 10, row 1, bold copy.
  EXPECT_FLOAT_EQ(scene[0].Source.X, 10 * 9 + 2 + 253);
  EXPECT_FLOAT_EQ(scene[0].Source.Y, 13 + 102);
}

TEST_F(GraphicsTest, IdenticalFramesAreNeitherDrawnNorPresented) {
  TobjBase* o = Picture(10, 10, 32, 32, true);
  Draw();
  EXPECT_EQ(Device->Scenes, 1);
  EXPECT_EQ(Device->Presents, 1);
  Draw();
  Draw();
  EXPECT_EQ(Device->Scenes, 1);
  EXPECT_EQ(Device->Presents, 1);
  EXPECT_EQ(Graphics->FramesSkipped, 2u);
  o->X = 11;  // anything that changes a quad is drawn
  Draw();
  EXPECT_EQ(Device->Presents, 2);
  o->MainItem->SetAlpha(100);
  Draw();
  EXPECT_EQ(Device->Presents, 3);
  Graphics->Invalidate();  // the window was exposed
  Draw();
  EXPECT_EQ(Device->Presents, 4);
  TrndText* t = o->AddText();
  t->Visible = false;
  t->SetText("x", 8, false, false, false, false, false);
  Draw();
  EXPECT_EQ(Device->Presents, 5) << "a repainted target is drawn even when its quad did not change";
  Graphics->SkipIdenticalFrames = false;
  Draw();
  EXPECT_EQ(Device->Presents, 6);
}

// The frame on screen must always be the frame the scene gives: after each
// change below it is drawn again, and with no change it is not even built.
TEST_F(GraphicsTest, EveryChangeToWhatIsDrawnIsDrawnAndAnUnchangedSceneIsNotBuilt) {
  TobjBase* screen = Picture(10, 10, 32, 32, true);
  Picture(100, 50, 32, 32, false);  // a world-space picture in the scene
  TobjBase* spare = Picture(300, 300, 16, 16, true);
  TrndGfx* extra = screen->AddPicture(0, 0, 0, TTexCoord{}, TPointD{40, 0}, TPointI{16, 16}, 0xFFFFFF, 255);
  auto upToDate = [&](const char* what) {
    Draw();
    const std::vector<TRecordedQuad> drawn = Device->Scene;
    Graphics->BuildFrameForTest();
    const std::vector<TDrawCmd>& truth = Graphics->Frame();
    ASSERT_EQ(drawn.size(), truth.size()) << what;
    for (std::size_t i = 0; i < truth.size(); ++i) {
      EXPECT_EQ(drawn[i].Texture, truth[i].Texture) << what;
      EXPECT_EQ(drawn[i].Blend, truth[i].Blend) << what;
      EXPECT_FLOAT_EQ(drawn[i].Source.X, truth[i].Source.X) << what;
      EXPECT_EQ(drawn[i].Source.Mirror, truth[i].Source.Mirror) << what;
      for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(drawn[i].Quad.P[k].X, truth[i].Quad.P[k].X) << what;
        EXPECT_FLOAT_EQ(drawn[i].Quad.P[k].Y, truth[i].Quad.P[k].Y) << what;
        EXPECT_EQ(drawn[i].Colors[k], truth[i].Colors[k]) << what;
      }
    }
  };
  upToDate("first frame");
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"item moved", [&] { screen->MainItem->RelX = 3; }},
      {"item resized", [&] { screen->MainItem->Width = 20; }},
      {"pattern", [&] { screen->MainItem->SetPattern(5); }},
      {"source x", [&] { screen->MainItem->TexCoord.SrcX = 4; }},
      {"mirror", [&] { screen->MainItem->TexCoord.Mirror = true; }},
      {"one corner colour", [&] { screen->MainItem->VertexColors[2] = 0x80FF0000; }},
      {"faded", [&] { screen->SetAlpha(77); }},
      {"item hidden", [&] { extra->Visible = false; }},
      {"item shown", [&] { extra->Visible = true; }},
      {"other image", [&] { extra->ImageIndex = 1; }},
      {"blend", [&] { extra->DrawEffect = beAdd; }},
      {"effects off", [&] { Res().Settings.BlendingEffects = 0; }},
      {"rotated", [&] { extra->DrawMode = 3; extra->Angle = 0.5; }},
      {"scaled", [&] { extra->Scale = 2; }},
      {"free quadrilateral", [&] { extra->DrawMode = 4; extra->SetCorner(1, TPointD{30, 2}); }},
      {"object moved", [&] { screen->X = 12; }},
      {"object hidden", [&] { spare->Visible = false; }},
      {"object into world space", [&] { spare->Visible = true; spare->Space = csWorld; }},
      {"camera", [&] { Res().CameraX = 40; }},
      {"zoom", [&] { Res().Zoom = 1.5; }},
      {"new object", [&] { Picture(5, 400, 8, 8, true); }},
      {"object deleted", [&] { Iface.Objects->DeleteObject(spare->Index); }},
      {"item deleted", [&] { screen->RemoveItem(extra); }},
      {"image geometry", [&] { Res().SetImageGeometry(1, 0, TPointSize{64, 64}, TPointSize{64, 64}); }},
  };
  for (const auto& [what, change] : changes) {
    const auto built = Graphics->FramesUnchanged;
    change();
    upToDate(what);
    EXPECT_EQ(Graphics->FramesUnchanged, built) << what << ": the change was not seen";
  }
  const int scenes = Device->Scenes;
  const auto unchanged = Graphics->FramesUnchanged;
  Draw();
  Draw();
  EXPECT_EQ(Device->Scenes, scenes);
  EXPECT_EQ(Graphics->FramesUnchanged, unchanged + 2);
}

TEST_F(GraphicsTest, WatchedNumbersAreCheckedOnFramesThatAreNotBuilt) {
  TobjBase* o = Picture(10, 10, 64, 16, true);
  TrndText* t = o->AddText();
  std::int32_t score = 7;
  t->AddWatch(&score);
  t->SetMarkUp("<v=0>", 8, false, false, false, false, false);
  Draw();
  Draw();
  const auto unchanged = Graphics->FramesUnchanged;
  const int scenes = Device->Scenes;
  score = 42;
  Draw();
  EXPECT_EQ(Graphics->FramesUnchanged, unchanged + 1) << "nothing drawn changed yet";
  ASSERT_FALSE(t->Segments.empty());
  EXPECT_EQ(t->Segments[0].Text, "42 ");
  Draw();
  EXPECT_EQ(Device->Scenes, scenes + 1) << "the new number is painted and drawn";
  EXPECT_FALSE(Graphics->LastFrameUnchanged()) << "the frame timer must not rest on a frame that changed";
  Draw();
  EXPECT_TRUE(Graphics->LastFrameUnchanged());
}

TEST_F(GraphicsTest, LeavingFullScreenRebuildsTheRenderTargets) {
  Res().Settings.Fullscreen = 1;
  Graphics->ApplyDisplaySettings();
  EXPECT_FALSE(Device->IsWindowed());
  TobjBase* o = Iface.Objects->CreateObject(0, otStatic, 0, 0, 1, 100, 20);
  TrndText* t = o->AddText();
  t->SetText("Hi", 8, false, false, false, false, false);
  Draw();
  ASSERT_TRUE(t->TargetReady);
  const int snaps = Window.Snaps;
  Res().Settings.Fullscreen = 0;
  Graphics->ApplyDisplaySettings();
  EXPECT_TRUE(Device->IsWindowed());
  EXPECT_FALSE(Graphics->RestoreNeeded);
  EXPECT_FALSE(t->TargetReady) << "queued to be painted again";
  EXPECT_EQ(Res().QueuedCount(), 1);
  EXPECT_GT(Window.Snaps, snaps) << "back to a 1024 x 768 client area";
  Draw();
  EXPECT_TRUE(t->TargetReady);
}

TEST_F(GraphicsTest, SystemEventsRenderPresentAndMinimise) {
  Picture(0, 0, 32, 32, true);
  TsysEventComponent poster;
  Bus.Register(&poster);
  Bus.Register(Graphics.get());
  poster.PostEvent(pmImmediate, ekSystem, 3, 0, 0);
  poster.PostEvent(pmImmediate, ekSystem, 4, 0, 0);
  EXPECT_EQ(Device->Presents, 1);
  poster.PostEvent(pmImmediate, ekSystem, 17, 0, 0);
  EXPECT_EQ(Window.Minimised, 1);
  Bus.Unregister(Graphics.get());
}

TEST_F(GraphicsTest, ASmallChangeIsDrawnInItsAreaAloneAndALargeOneWhole) {
  Device->KeepsScene = true;
  TobjBase* back = Picture(0, 0, 1024, 768, true);
  back->MainItem->SetImage(0, 2, 0);  // the 512 sheet stretched over the screen
  TobjBase* caret = Picture(100, 200, 32, 32, true);
  TobjBase* other = Picture(600, 500, 32, 32, true);
  Draw();
  EXPECT_EQ(Device->PartScenes, 0) << "the first frame is whole";
  caret->Visible = false;  // a blink
  const auto& blinked = Draw();
  ASSERT_EQ(Device->PartScenes, 1);
  const TSceneRect a = Device->LastArea;
  EXPECT_LE(a.X, 100);
  EXPECT_LE(a.Y, 200);
  EXPECT_GE(a.X + a.W, 132);
  EXPECT_GE(a.Y + a.H, 232);
  EXPECT_LT(a.W, 40);
  EXPECT_LT(a.H, 40);
  ASSERT_EQ(blinked.size(), 1u) << "only the backdrop meets the area";
  caret->Visible = true;
  other->X = 610;  // both change: one area around both
  const auto& both = Draw();
  EXPECT_EQ(Device->PartScenes, 2);
  EXPECT_EQ(both.size(), 3u) << "the backdrop and the two pictures, in order";
  EXPECT_LE(Device->LastArea.X, 100);
  EXPECT_GE(Device->LastArea.X + Device->LastArea.W, 642);
  back->X = 1;  // the whole screen changes
  Draw();
  EXPECT_EQ(Device->PartScenes, 2);
  EXPECT_EQ(Device->Scenes, 2);
  Graphics->Invalidate();
  caret->X = 101;
  Draw();
  EXPECT_EQ(Device->Scenes, 3) << "an exposed window is drawn whole";
}

TEST_F(GraphicsTest, AQuadWhoseTargetWasPaintedAgainIsInTheChangedArea) {
  Device->KeepsScene = true;
  // The new target gets the old one's id: the quad is the same in both frames,
  // only its pixels are new.
  Device->ReuseFreedIds = true;
  Picture(0, 0, 32, 32, true);
  TobjBase* o = Iface.Objects->CreateObject(0, otStatic, 300, 400, 1, 100, 20);
  o->Space = csScreen;
  o->MainItem->Visible = false;
  TrndText* t = o->AddText();
  t->SetText("Hi", 8, false, false, false, false, false);
  Draw();
  Draw();
  const TTextureId before = t->Target;
  t->RefreshTarget();  // painted again: same quad, the pixels may be new
  ASSERT_EQ(t->Target, before);
  const auto& scene = Draw();
  ASSERT_EQ(Device->PartScenes, 1);
  EXPECT_LE(Device->LastArea.X, 300);
  EXPECT_GE(Device->LastArea.X + Device->LastArea.W, 400);
  EXPECT_GT(Device->LastArea.X, 32) << "the picture that did not change is left alone";
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_EQ(scene[0].Texture, t->Target);
}

}  // namespace
