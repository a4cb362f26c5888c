// The widgets' sheet table against the table the sheet is drawn from.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "objects/objSheet.h"
#include "screens/frmChallenge.h"
#include "kit/sheetLayout.h"

namespace {

using TKey = std::tuple<int, int, int, int>;

TKey KeyOf(const TSheetRect& r) { return {r.X, r.Y, r.W, r.H}; }
TKey KeyOf(const TRect& r) { return {r.X, r.Y, r.W, r.H}; }

TEST(WidgetSheetTable, EveryPieceLiesInsideTheSheetAndNamesAreUnique) {
  int count = 0;
  const TWidgetPiece* pieces = WidgetSheetPieces(count);
  ASSERT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    const TSheetRect& r = pieces[i].Rect;
    EXPECT_TRUE(r.X >= 0 && r.Y >= 0 && r.W > 0 && r.H > 0 && r.X + r.W <= WidgetSheetWidth &&
                r.Y + r.H <= WidgetSheetHeight)
        << pieces[i].Name;
    for (int j = 0; j < i; ++j) EXPECT_STRNE(pieces[i].Name, pieces[j].Name);
  }
}

TEST(WidgetSheetTable, WidgetsCutExactlyTheRectanglesTheSheetIsDrawnWith) {
  std::set<TKey> drawn;
  for (const TSheetFrame& frame : WidgetFrames())
    for (const auto& piece : frame.Pieces) drawn.insert(KeyOf(piece.Sheet));
  // The push button's stock pictures lie on the sheet but nothing is drawn for them.
  const std::set<TKey> undrawn = {KeyOf(PushHighlightRect), KeyOf(SparePushRect)};

  int count = 0;
  const TWidgetPiece* pieces = WidgetSheetPieces(count);
  std::set<TKey> cut;
  for (int i = 0; i < count; ++i) {
    const TKey key = KeyOf(pieces[i].Rect);
    cut.insert(key);
    EXPECT_TRUE(drawn.count(key) != 0 || undrawn.count(key) != 0) << pieces[i].Name << " is not on the sheet";
  }
  for (const TKey& key : drawn) {
    EXPECT_TRUE(cut.count(key) != 0) << "the sheet has (" << std::get<0>(key) << ", " << std::get<1>(key) << ", "
                                     << std::get<2>(key) << ", " << std::get<3>(key) << ") that no widget uses";
  }
  for (int d = 0; d < 10; ++d) EXPECT_EQ(KeyOf(Sheet::NumberDigit[d]), KeyOf(DigitRect(d))) << "digit " << d;
}

TEST(ChallengeSheetTable, TheChallengeScreenCutsTheRectanglesTheSheetIsDrawnWith) {
  int drawn = 0;
  for (const TChallengeRect& r : ChallengeRects()) {
    EXPECT_EQ(KeyOf(ChallengeSheetRect(r.Index)), KeyOf(r.Rect)) << "rectangle " << r.Index;
    ++drawn;
  }
  EXPECT_EQ(drawn, 12);
  for (int unused : {7, 12, 13, 14, 16}) EXPECT_EQ(ChallengeSheetRect(unused).W, 0) << unused;
}

}  // namespace
