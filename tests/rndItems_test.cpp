#include <gtest/gtest.h>

#include <memory>

#include "data/sysResources.h"
#include "objects/objBase.h"
#include "render/rndItems.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

namespace {

class TextTest : public ::testing::Test {
 protected:
  TextTest() : Res(nullptr, Dir.Path()), Owner(&Res, 0, otStatic, 0, 0, 0, 480, 40) {
    Res.SetDevice(&Device);
  }
  ~TextTest() override {
    Owner.ClearItems();
    Res.SetDevice(nullptr);
  }
  // A blank font sheet, third picture of a new set, so the painter has a texture.
  void AddFontSheet() {
    TImageSet* set = Res.ImageSet(Res.AddImageSet());
    auto sheet = std::make_unique<TImage>();
    sheet->PatternWidth = sheet->VisibleWidth = sheet->TextureWidth = 512;
    sheet->PatternHeight = sheet->VisibleHeight = sheet->TextureHeight = 512;
    sheet->PatternCount = 1;
    sheet->Textures.emplace_back(512 * 512, 0xFFFFFFFF);
    for (int i = 0; i < 2; ++i) set->Add(std::make_unique<TImage>());
    set->Add(std::move(sheet));
  }
  TrndText* Text(std::int32_t width, std::int32_t height) {
    TrndText* t = Owner.AddText();
    t->Width = width;
    t->Height = height;
    return t;
  }
  static std::vector<std::string> Texts(const TrndText* t) {
    std::vector<std::string> out;
    for (const auto& s : t->Segments) out.push_back(s.Text);
    return out;
  }
  TTempDir Dir;
  TrndRecordingDevice Device;
  TsysResources Res;
  TobjBase Owner;
};

TEST_F(TextTest, BoldTagOpensASegmentAtItsColumnAndTheEmptyTailIsDropped) {
  TrndText* t = Text(480, 20);
  t->SetMarkUp("Status       : <b>COMPLETED</b>", 8, false, false, false, false, false);
  ASSERT_EQ(t->Segments.size(), 2u);
  EXPECT_EQ(t->Segments[0].Text, "Status       : ");
  EXPECT_FALSE(t->Segments[0].Bold);
  EXPECT_EQ(t->Segments[1].Text, "COMPLETED");
  EXPECT_TRUE(t->Segments[1].Bold);
  EXPECT_EQ(t->Segments[1].X, 15 * 8);
  EXPECT_EQ(t->Segments[1].Line, 0);
  EXPECT_EQ(t->Text, "Status       : <b>COMPLETED</b>") << "the added space is taken off again";
}

TEST_F(TextTest, LineBreaksSkipAnEmptyLine) {
  TrndText* t = Text(220, 100);
  t->SetMarkUpAt("<b>Help</b><r><r>Open the help screen", 8, false, false, true, false, false, TPointD{12, 12});
  ASSERT_GE(t->Segments.size(), 2u);
  EXPECT_EQ(t->Segments[0].Text, "Help");
  EXPECT_TRUE(t->Segments[0].Bold);
  EXPECT_EQ(t->Segments[0].X, 12);
  EXPECT_EQ(t->Segments[1].Line, 2);
  EXPECT_EQ(t->Segments[1].Y, 2 * (11 + 1) + 12);
  EXPECT_FALSE(t->Segments[1].Bold);
}

TEST_F(TextTest, LiteralTagsSlashesAndUnknownTags) {
  TrndText* t = Text(480, 20);
  t->SetMarkUp("a<l>b<g>", 8, false, false, false, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"a<b> "}));
  t->SetMarkUp("1/2 <zz>x", 8, false, false, false, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"12 x "}));
  t->SetText("1/2", 8, false, false, false, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"1/2 "}));
  t->SetMarkUp("ab<b unclosed", 8, false, false, false, false, false);
  // The spaces inside the tag still flush (empty) words; the letters vanish.
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"ab  "})) << "an unclosed tag swallows the rest";
}

TEST_F(TextTest, ItemBoldStaysBoldThroughAClosingTag) {
  TrndText* t = Text(480, 20);
  t->SetMarkUp("<b>A</b> B", 8, true, false, false, false, false);
  for (const auto& s : t->Segments) EXPECT_TRUE(s.Bold) << s.Text;
}

TEST_F(TextTest, CentringUsesTheCharacterCountIncludingTheAddedSpace) {
  TrndText* t = Text(480, 40);
  t->SetText("OPTIONS", 16, true, true, false, true, false);
  ASSERT_EQ(t->Segments.size(), 1u);
  EXPECT_EQ(t->Segments[0].X, 192);
}

TEST_F(TextTest, VerticalCentringOfOneLine) {
  TrndText* t = Text(480, 40);
  t->SetText("X", 8, false, false, false, false, true);
  EXPECT_EQ(t->Segments[0].Y, 16);
  t->SetText("X", 6, false, false, false, false, true);
  EXPECT_EQ(t->Segments[0].Y, (40 - 9) / 2) << "size 6 gets no extra two pixels";
}

TEST_F(TextTest, WordWrapBreaksBeforeAWordThatExactlyFillsTheRestOfTheLine) {
  TrndText* t = Text(80, 60);  // W = 10 characters
  t->SetText("abcd efgh", 8, false, false, true, false, false);
  // "abcd " leaves 5 columns; "efgh " is 5 long, which is not strictly less.
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"abcd ", "efgh "}));
  EXPECT_EQ(t->Segments[1].Line, 1);
  t->SetText("abc efgh", 8, false, false, true, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"abc efgh "}));
}

TEST_F(TextTest, LongWordIsCutAtExactlyTheLineWidth) {
  TrndText* t = Text(80, 60);
  t->SetText("abcdefghijklmnopqrstuvwxy", 8, false, false, true, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvwxy "}));
}

TEST_F(TextTest, CentringSeveralLines) {
  TrndText* t = Text(100, 60);  // W = 12 at size 8
  t->SetMarkUp("ab<r>abcd", 8, false, false, false, true, false);
  ASSERT_EQ(t->Segments.size(), 2u);
  // line 0: "ab" (2) + 1 segment = 3 -> (100 - 3*7)/2 = 39; last line "abcd " 5 -> (100-35)/2 = 32
  EXPECT_EQ(t->Segments[0].X, 39);
  EXPECT_EQ(t->Segments[1].X, 32);
}

// The centring guess counts a letter a pixel narrower than it is painted: a
// line close to its box's width is kept inside it, and a longer one starts at
// the margin (and runs on past the right, as it must).
TEST_F(TextTest, ACentredLineNearItsBoxsWidthStaysInsideIt) {
  TrndText* t = Text(99, 20);
  t->SetText("abcdefghij", 8, false, false, false, true, false);  // 80 of 99
  ASSERT_EQ(t->Segments.size(), 1u);
  EXPECT_EQ(t->Segments[0].X, 11) << "a short line is centred by the guess, as before";
  t->SetText("abcdefghijkl", 8, false, false, false, true, false);  // 96 of 99: the guess, 4, ends at 100
  EXPECT_EQ(t->Segments[0].X, 3) << "the line ends at the box's edge";
  t->SetText("abcdefghijklm", 8, false, false, false, true, false);  // 104 of 99
  EXPECT_EQ(t->Segments[0].X, 0) << "a line longer than its box starts at the margin";
  t->SetTextAt("abcdefghijkl", 8, false, false, false, true, false, TPointD{2, 0});  // 96 of the 95 inside the margins
  EXPECT_EQ(t->Segments[0].X, 2);
}

TEST_F(TextTest, UnsupportedFontSizesUseSizeEight) {
  TrndText* t = Text(100, 20);
  for (int size : {20, 3, 9}) {
    t->SetFontSize(size);
    EXPECT_EQ(t->CharWidth, 8) << size;
    EXPECT_EQ(t->CharHeight, 11) << size;
    EXPECT_EQ(t->GlyphsPerRow, 31) << size;
  }
}

TEST_F(TextTest, WatchedValueRefreshesTheTextWhenItChanges) {
  TrndText* t = Text(200, 20);
  std::int32_t lives = 5;
  t->AddWatch(&lives);
  t->SetMarkUp("Lives: <v=0> <v=7>", 8, false, false, false, false, false);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"Lives: 5  "}));
  t->TargetReady = true;
  t->CheckWatches();
  EXPECT_TRUE(t->TargetReady) << "no change, no repaint";
  lives = 4;
  t->CheckWatches();
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"Lives: 4  "}));
  EXPECT_FALSE(t->TargetReady);
}

TEST_F(TextTest, GlyphsArePaintedFromTheirCellsWithShadowAndBold) {
  AddFontSheet();

  TrndText* t = Text(200, 20);
  t->SetMarkUp("A<b>B</b>\x01", 10, false, true, false, false, false);
  t->PaintTarget();
  // "A", "B" and the closing space: shadow then glyph each; the control character is skipped.
  ASSERT_EQ(Device.TargetDraws.size(), 0u) << "drawn only with the target bound";
  ASSERT_TRUE(Device.BeginTarget(t->Target, 0));
  t->PaintTarget();
  Device.EndTarget();
  ASSERT_EQ(Device.TargetDraws.size(), 6u);
  const auto& shadowA = Device.TargetDraws[0];
  const auto& glyphA = Device.TargetDraws[1];
  const auto& glyphB = Device.TargetDraws[3];
  // 'A' = 65, index 33 at size 10 (28 per row): column 5, row 1.
  EXPECT_EQ(glyphA.Source.X, 5 * 9 + 2);
  EXPECT_EQ(glyphA.Source.Y, 1 * 13 + 102);
  EXPECT_EQ(glyphA.Source.W, 9);
  EXPECT_EQ(shadowA.Quad.P[0].X, glyphA.Quad.P[0].X + 1);
  EXPECT_EQ(shadowA.Colors[0], 0xFF010101u);
  EXPECT_EQ(glyphA.Colors[0], 0xFFFFFFFFu);
  EXPECT_EQ(glyphB.Source.X, 6 * 9 + 2 + 253) << "bold glyphs come from the copy 253 pixels right";
  EXPECT_EQ(glyphB.Quad.P[0].X, 9);
  EXPECT_EQ(glyphB.Blend, beAlpha);
}

TEST_F(TextTest, AccentedCapitalsAreDrawnLiftedWhereTheTargetHasRoom) {
  AddFontSheet();
  for (const std::int32_t size : {6, 7, 8, 10, 12, 14, 16}) {
    SCOPED_TRACE(size);
    const std::int32_t lift = FontMetrics(size).AccentLift;
    ASSERT_GT(lift, 0);
    // "DÉÇ" in the middle of a tall box, then from its very top.
    for (const bool middle : {true, false}) {
      TrndText* t = Text(200, 60);
      t->SetText("D\xC9\xC7", size, false, false, false, false, middle);
      Device.TargetDraws.clear();
      ASSERT_TRUE(Device.BeginTarget(t->Target, 0));
      t->PaintTarget();
      Device.EndTarget();
      ASSERT_GE(Device.TargetDraws.size(), 3u);
      const float d = Device.TargetDraws[0].Quad.P[0].Y;
      EXPECT_EQ(Device.TargetDraws[2].Quad.P[0].Y, d) << "the cedilla's C is not lifted";
      EXPECT_EQ(Device.TargetDraws[1].Quad.P[0].Y, middle ? d - lift : 0.0f);
    }
  }
}

TEST_F(TextTest, TargetLifeFollowsTheItem) {
  TrndText* t = Text(100, 20);
  EXPECT_EQ(t->Target, 0u) << "no target before the first layout";
  t->SetText("hi", 8, false, false, false, false, false);
  ASSERT_NE(t->Target, 0u);
  EXPECT_EQ(Res.QueuedCount(), 1);
  EXPECT_EQ(Res.QueuedItem(0), t);
  const int live = Device.LiveTextures();
  t->SetText("ho", 8, false, false, false, false, false);
  EXPECT_EQ(Device.LiveTextures(), live) << "the old target is released";
  EXPECT_EQ(Res.QueuedCount(), 1);
  Owner.DeleteItem(Owner.ItemCount() - 1);
  EXPECT_EQ(Res.QueuedCount(), 0) << "a freed item leaves the paint queue";
  EXPECT_EQ(Device.LiveTextures(), live - 1);
}

TEST_F(TextTest, FailedRenderTargetIsReportedAndTheItemStaysUndrawn) {
  TMessageCatcher catcher;
  Device.FailTargets = true;
  TrndText* t = Text(100, 20);
  t->SetText("hi", 8, false, false, false, false, false);
  EXPECT_EQ(t->Target, 0u);
  ASSERT_EQ(catcher.Messages.size(), 1u);
  EXPECT_EQ(catcher.Messages[0].second, "TsysResources Error: Render Target Failed to create.");
  EXPECT_EQ(Res.QueuedCount(), 0);
}

TEST(GfxItemTest, ColourAlphaCornersAndPresets) {
  TTempDir dir;
  TsysResources res(nullptr, dir.Path());
  TobjBase owner(&res, 0, otStatic, 0, 0, 0, 10, 10);
  TrndGfx* g = owner.MainItem;
  g->SetColorAlpha(0x123456, 200);
  EXPECT_EQ(g->VertexColors[2], 0xC8123456u);
  g->SetAlpha(16);
  EXPECT_EQ(g->VertexColors[0], 0x10123456u);
  g->SetCorner(4, TPointD{9, 9});
  g->SetCorner(-1, TPointD{9, 9});
  TPointD p{7, 7};
  g->GetCorner(4, p);
  EXPECT_EQ(p.X, 7);
  g->SetCorner(3, TPointD{2, 3});
  g->GetCorner(3, p);
  EXPECT_EQ(p.Y, 3);
  g->ApplyPreset(1);
  EXPECT_EQ(g->Source, gsTarget);
  EXPECT_EQ(g->ImageIndex, 2);
  EXPECT_EQ(g->ClearColor, 0u);
  EXPECT_EQ(g->VertexColors[1], 0xFFFFFFFFu);
}

}  // namespace
