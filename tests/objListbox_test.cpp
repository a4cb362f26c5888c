// The list box, the minimap, and the classes the object manager builds.
#include <string>

#include "core/sysRound.h"
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabelButton.h"
#include "objects/objListbox.h"
#include "objects/objMinimap.h"
#include "objects/objNumber.h"
#include "objects/objPushButton.h"
#include "objects/objSheet.h"
#include "objects/objSlider.h"
#include "objects/objText.h"
#include "widgetTestSupport.h"

namespace {

using ListboxTest = WidgetTest;

TobjListbox* Filled(TobjListbox* list, int lines) {
  for (int i = 0; i < lines; ++i) list->AddLine("Player " + std::to_string(i));
  list->RebuildList();
  return list;
}

TEST_F(ListboxTest, ThirtyLinesOverflowTheListAreaBySixtyFivePixels) {
  auto* list = Filled(Make<TobjListbox>(otListbox, 285, 290, 455, 345), 30);
  EXPECT_EQ(list->Overflow, 65);
  EXPECT_EQ(list->ThumbMax, 262);
  // The range ends with the last line whole under the 24 lines shown: 30 * 12 - 288.
  EXPECT_DOUBLE_EQ(list->ScrollRatio, 72.0 / 221.0);
  EXPECT_EQ(list->ListText->Height, 288) << "24 whole lines, not 24 and a half";
  EXPECT_TRUE(list->Thumb->Visible);
  EXPECT_TRUE(list->ScrollDown->Visible);
  EXPECT_TRUE(list->ScrollDown->TexCoord.Mirror);
  EXPECT_EQ(list->ScrollDown->RelY, 345 - 43);
  EXPECT_EQ(list->SelectedIndex, 0);
  EXPECT_EQ(list->ListText->Segments.back().Line, 29) << "one text line per entry";

  auto* fits = Filled(Make<TobjListbox>(otListbox, 0, 0, 455, 345), 24);
  EXPECT_LT(fits->Overflow, 0);
  EXPECT_FALSE(fits->Thumb->Visible);
  EXPECT_FALSE(fits->ScrollUp->Visible);
  EXPECT_DOUBLE_EQ(fits->ScrollRatio, 0);

  auto* empty = Make<TobjListbox>(otListbox, 0, 0, 455, 345);
  EXPECT_EQ(empty->SelectedIndex, -1);
  EXPECT_FALSE(empty->SelectionBar->Visible);
}

TEST_F(ListboxTest, LinesAreShownAsTypedEachOnItsOwnRow) {
  auto* list = Make<TobjListbox>(otListbox, 285, 290, 455, 345);
  const std::vector<std::string> names = {"Cy<r><r>X", "<v=0>", "a</b>b", "1/2 <l>", "  ", "Zed"};
  for (const std::string& n : names) list->AddLine(n);
  list->RebuildList();
  std::vector<std::string> shown(names.size());
  for (const TTextSeg& seg : list->ListText->Segments) {
    ASSERT_GE(seg.Line, 0);
    ASSERT_LT(seg.Line, static_cast<std::int32_t>(names.size())) << "a line spilled below the list";
    EXPECT_EQ(seg.Y, seg.Line * 12);
    EXPECT_FALSE(seg.Bold);
    shown[static_cast<std::size_t>(seg.Line)] += seg.Text;
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    if (i != 4) {
      EXPECT_EQ(shown[i], names[i]) << "line " << i;
    }
  // The last name sits on the sixth row, where a click selects it.
  Click(400, 290 + 25 + 5 * 12 + 6);
  EXPECT_EQ(list->SelectedIndex, 5);
  list->ListText->SetText("after", 8, false, false, false, false, false);
  EXPECT_EQ(list->ListText->Segments.size(), 1u) << "other setters leave the lines behind";
}

TEST_F(ListboxTest, ScrollingMovesTheTextAndClipsTheSelectionBar) {
  auto* list = Filled(Make<TobjListbox>(otListbox, 285, 290, 455, 345), 30);
  list->ScrollTo(list->ThumbMax);
  EXPECT_DOUBLE_EQ(list->ScrolledBy, 72);
  EXPECT_EQ(list->ListText->GlyphShiftY, -72) << "the last line shows whole at the bottom";
  // Line 6 scrolled to y = 6 * 12 + 25 - 72 - 1 = 24: one pixel above the list area.
  list->SelectedIndex = 6;
  list->ScrollTo(list->ThumbPos);
  EXPECT_TRUE(list->SelectionBar->Visible);
  EXPECT_EQ(list->SelectionBar->RelY, 25);
  EXPECT_EQ(list->SelectionBar->Height, 11);
  list->SelectedIndex = 5;  // y = 12: entirely above
  list->ScrollTo(list->ThumbPos);
  EXPECT_FALSE(list->SelectionBar->Visible);
  list->SelectedIndex = 29;  // y = 300: the last shown row
  list->ScrollTo(list->ThumbPos);
  EXPECT_EQ(list->SelectionBar->Height, 12);
  list->ScrollTo(0);
  EXPECT_EQ(list->ThumbPos, list->ThumbMin);
  EXPECT_FALSE(list->SelectionBar->Visible) << "y = 29 * 12 + 24 = 372: below the shown lines";
  list->SelectedIndex = 24;  // y = 312: the row that is not shown
  list->ScrollTo(list->ThumbPos);
  EXPECT_EQ(list->SelectionBar->Height, 0);
}

TEST_F(ListboxTest, SelectingALineScrollsItIntoViewAndTheWheelScrolls) {
  auto* list = Filled(Make<TobjListbox>(otListbox, 285, 290, 455, 345), 30);
  list->SelectLine(27);
  EXPECT_DOUBLE_EQ(list->ScrolledBy, 28 * 12 - 288) << "just far enough to show line 27 whole at the bottom";
  EXPECT_TRUE(list->SelectionBar->Visible);
  EXPECT_EQ(list->SelectionBar->RelY, 27 * 12 + 25 - 48 - 1);
  EXPECT_EQ(list->SelectionBar->Height, 12);
  list->SelectLine(2);
  EXPECT_DOUBLE_EQ(list->ScrolledBy, 24) << "scrolled up to show line 2 at the top";
  list->SelectLine(10);
  EXPECT_DOUBLE_EQ(list->ScrolledBy, 24) << "already in view: nothing moves";

  Post(ekMouse, 7, 400, 400);  // wheel down over the list: three lines
  EXPECT_NEAR(list->ScrolledBy, 60, 1e-9);
  Post(ekMouse, 7, 400, 400);
  EXPECT_NEAR(list->ScrolledBy, 72, 1e-9) << "no further than the end";
  Post(ekMouse, 6, 400, 400);
  EXPECT_NEAR(list->ScrolledBy, 36, 1e-9);
  Post(ekMouse, 6, 50, 50);  // elsewhere on the screen
  EXPECT_NEAR(list->ScrolledBy, 36, 1e-9);

  auto* fits = Filled(Make<TobjListbox>(otListbox, 0, 0, 455, 345), 5);
  fits->SelectLine(4);
  Post(ekMouse, 7, 100, 100);
  EXPECT_DOUBLE_EQ(fits->ScrolledBy, 0) << "nothing to scroll";
}

TEST_F(ListboxTest, RebuildSelectsTheFirstLineButLeavesTheThumb) {
  auto* list = Filled(Make<TobjListbox>(otListbox, 0, 0, 455, 345), 30);
  list->ScrollTo(200);
  list->SelectLine(20);
  list->AddLine("New");
  list->RebuildList();
  EXPECT_EQ(list->SelectedIndex, 0);
  EXPECT_EQ(list->ThumbPos, 200);
  EXPECT_EQ(list->Overflow, 77);
}

TEST_F(ListboxTest, ClicksSelectLinesAndTheArrowsAndThumbScroll) {
  auto* list = Filled(Make<TobjListbox>(otListbox, 285, 290, 455, 345), 30);
  Click(285 + 100, 290 + 25 + 3 * 12 + 5);
  EXPECT_EQ(list->SelectedIndex, 3);
  EXPECT_EQ(list->SelectionBar->RelY, 3 * 12 + 24);

  const double arrowX = 285 + 455 - 21 + 9;
  Click(arrowX, 290 + 345 - 43 + 9);
  EXPECT_EQ(list->ThumbPos, 43);
  Move(arrowX, 290 + 345 - 43 + 9);
  Down(arrowX, 290 + 345 - 43 + 9);
  Down(arrowX, 290 + 345 - 43 + 9);  // a held button repeats
  Up(arrowX, 290 + 345 - 43 + 9);
  EXPECT_EQ(list->ThumbPos, 47);
  Click(arrowX, 290 + 25 + 5);
  EXPECT_EQ(list->ThumbPos, 45);

  // Grab the thumb 10 pixels below its top and drag: it follows continuously.
  Move(arrowX, 290 + 45 + 10);
  Down(arrowX, 290 + 45 + 10);
  EXPECT_TRUE(list->DraggingThumb);
  Move(arrowX, 290 + 100 + 10);
  EXPECT_EQ(list->ThumbPos, 100);
  Move(arrowX + 300, 290 + 150 + 10);  // the pointer may leave the list box
  EXPECT_EQ(list->ThumbPos, 150);
  Move(arrowX, 900);
  EXPECT_EQ(list->ThumbPos, 262);
  Up(0, 0);
  EXPECT_FALSE(list->DraggingThumb);
  Move(arrowX, 290 + 100);
  EXPECT_EQ(list->ThumbPos, 262) << "released: no more dragging";

  // Below the last line: the last line.
  list->ScrollTo(41);
  auto* shortList = Filled(Make<TobjListbox>(otListbox, 0, 0, 455, 345), 3);
  Click(100, 300);
  EXPECT_EQ(shortList->SelectedIndex, 2);
  auto* empty = Make<TobjListbox>(otListbox, 500, 0, 455, 345);
  Click(600, 100);
  EXPECT_EQ(empty->SelectedIndex, -1);
  EXPECT_FALSE(empty->SelectionBar->Visible);
}

using MinimapTest = WidgetTest;

TEST_F(MinimapTest, PlacesTheViewFromTheCameraAndPostsPicks) {
  auto* map = Make<TobjMinimap>(otMinimap, 800, 10, 200, 100);
  EXPECT_EQ(map->EventMask, static_cast<std::uint64_t>(ekGame | ekMouse));
  TrndGfx* view = map->AddItem(0, 0);
  EXPECT_TRUE(map->SetViewItem(view));
  TobjBase other(nullptr, 0, otStatic, 0, 0, 0, 1, 1);
  EXPECT_FALSE(map->SetViewItem(other.MainItem)) << "only its own items";
  map->SetViewItem(view);
  map->WorldWidth = 4096;
  map->WorldHeight = 2048;
  Res().CameraX = 0;
  Res().CameraY = 0;
  Res().Zoom = 2.0;
  Post(ekGame, 11, 0, 0);
  // hw = 256, hh = 192; sx = 200 / 4096, sy = 100 / 2048.
  EXPECT_DOUBLE_EQ(view->RelX, -256 * 200.0 / 4096 + 100);
  EXPECT_DOUBLE_EQ(view->RelY, -192 * 100.0 / 2048 + 50);
  EXPECT_EQ(view->Width, 25);
  EXPECT_EQ(view->Height, Round32(384 * 100.0 / 2048));
  Res().CameraX = -4000;
  Post(ekGame, 11, 0, 0);
  EXPECT_EQ(view->RelX, 0) << "raised to 0";

  Move(850, 40);
  Down(850, 40);
  Down(850, 40);
  Move(860, 45);
  Up(860, 45);
  Move(870, 45);
  Steps(1);
  ASSERT_EQ(Log.Count(ekGame, 10), 2) << "one on the press, one per move while dragging";
  EXPECT_EQ(Log.Last(ekGame, 10)->Param, 60);
  EXPECT_EQ(Log.Last(ekGame, 10)->Value, 35);

  map->DeleteItem(map->ItemCount() - 1);
  Post(ekGame, 11, 0, 0);  // the view item is gone: nothing to place, nothing touched
  EXPECT_EQ(map->GetViewItem(), nullptr);
}

using WidgetClassesTest = WidgetTest;

TEST_F(WidgetClassesTest, EachInterfaceTypeIsBuiltAsItsWidgetInScreenSpaceAndTinted) {
  struct TExpect {
    std::int32_t Type;
    bool (*IsClass)(TobjBase*);
    std::uint64_t Mask;
  };
  const TExpect table[] = {
      {otLabel, [](TobjBase* o) { return dynamic_cast<TobjLabel*>(o) != nullptr; }, 0},
      {otHintLabel, [](TobjBase* o) { return dynamic_cast<TobjHintLabel*>(o) != nullptr; }, ekMouse},
      {otButton, [](TobjBase* o) { return dynamic_cast<TobjButton*>(o) != nullptr; }, ekMouse},
      {otListbox, [](TobjBase* o) { return dynamic_cast<TobjListbox*>(o) != nullptr; }, ekMouse},
      {otTextbox, [](TobjBase* o) { return dynamic_cast<TobjText*>(o) != nullptr; }, ekMouse | ekKeys},
      {otGroupButton, [](TobjBase* o) { return dynamic_cast<TobjGroupButton*>(o) != nullptr; }, ekMouse},
      {otCheckbox, [](TobjBase* o) { return dynamic_cast<TobjCheckBox*>(o) != nullptr; }, ekMouse},
      {otMinimap, [](TobjBase* o) { return dynamic_cast<TobjMinimap*>(o) != nullptr; }, ekMouse | ekGame},
      {otPushButton, [](TobjBase* o) { return dynamic_cast<TobjPushButton*>(o) != nullptr; }, ekMouse},
      {otSlider, [](TobjBase* o) { return dynamic_cast<TobjSlider*>(o) != nullptr; }, ekMouse},
      {otNumber, [](TobjBase* o) { return dynamic_cast<TobjNumber*>(o) != nullptr; }, 0},
      {otHintLabelButton, [](TobjBase* o) { return dynamic_cast<TobjHintLabelButton*>(o) != nullptr; }, ekMouse},
  };
  for (const TExpect& e : table) {
    TobjBase* o = Iface.Objects->CreateObject(2, e.Type, 10, 10, 3, 240, 120);
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(e.IsClass(o)) << ObjectTypeName(e.Type);
    EXPECT_EQ(o->Space, csScreen) << ObjectTypeName(e.Type);
    EXPECT_EQ(o->EventMask, e.Mask) << ObjectTypeName(e.Type);
    for (const auto& item : o->Items) {
      if (!item->IsText() && item.get() != o->MainItem && item->ImageSet == SheetImageSet) {
        EXPECT_EQ(item->Color, WidgetTint) << ObjectTypeName(e.Type);
      }
    }
  }
  EXPECT_EQ(dynamic_cast<TobjLabel*>(Iface.Objects->CreateObject(2, otStatic, 0, 0, 1, 5, 5)), nullptr);
  Iface.Objects->DeleteGroup(2);
  Steps(1);
  EXPECT_EQ(Iface.Objects->Count(), 0);
}

}  // namespace
