// Keyboard focus over real widgets: the order Tab and the arrows take, what
// Enter and Space do to each kind of control, the ring round the focused one,
// and a focus that lets go of a control that went away.
#include <gtest/gtest.h>

#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objListbox.h"
#include "objects/objSlider.h"
#include "objects/objText.h"
#include "objects/sysFocus.h"
#include "render/modInput.h"
#include "widgetTestSupport.h"

namespace {

class FocusTest : public WidgetTest {
 protected:
  FocusTest() : Focus(Iface.Objects.get(), Iface.Resources.get(), 1) {}

  TobjButton* Button(double x, double y, std::uint16_t code) {
    auto* b = Make<TobjButton>(otButton, x, y, 200, 50);
    b->SetAction(ekGame, code, 0, 0);
    return b;
  }
  // A key as the input module reports it: down (ekKeys 7), then up (ekKeys 8).
  void Key(int key, int shift = 0) {
    Feed(7, key, shift);
    Feed(8, key, shift);
  }
  void Feed(std::uint16_t code, int key, int shift) {
    TsysEvent e;
    e.Kind = ekKeys;
    e.Code = code;
    e.Param = key;
    e.Value = shift;
    Focus.HandleKey(e);
    Focus.Step();
    Steps(1);
  }

  TsysFocus Focus;
};

TEST_F(FocusTest, TabGoesInReadingOrderShiftTabBackAndBothWrapAround) {
  // Made out of order: the focus follows the screen, not the making.
  TobjButton* bottom = Button(100, 400, 3);
  TobjButton* topRight = Button(400, 100, 2);
  TobjButton* topLeft = Button(100, 104, 1);  // a few pixels lower, still the same row
  auto* hidden = Button(100, 250, 4);
  hidden->SetVisible(false);

  EXPECT_EQ(Focus.Current(), nullptr);
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), topLeft) << "the first key shows the focus on the first control";
  EXPECT_TRUE(Res().KeyboardPlay);
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), topRight);
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), bottom) << "a hidden control is passed over";
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), topLeft);
  Key(vkTab, ShiftBit);
  EXPECT_EQ(Focus.Current(), bottom);
  EXPECT_EQ(Log.Count(ekGame, 1) + Log.Count(ekGame, 2) + Log.Count(ekGame, 3), 0) << "moving presses nothing";
}

TEST_F(FocusTest, ArrowsGoToTheNearestControlThatWayAndStopAtTheEdge) {
  TobjButton* middle = Button(400, 300, 1);
  TobjButton* up = Button(400, 200, 2);
  TobjButton* upFarRight = Button(700, 150, 3);
  TobjButton* right = Button(700, 320, 4);
  TobjButton* down = Button(380, 400, 5);
  Focus.SetFirst(middle);
  Key(vkArrowDown);  // shows the focus where the screen wants it first
  ASSERT_EQ(Focus.Current(), middle);
  Key(vkArrowUp);
  EXPECT_EQ(Focus.Current(), up) << "straight ahead beats nearer off to the side";
  Key(vkArrowUp);
  EXPECT_EQ(Focus.Current(), upFarRight) << "the only control further up";
  Key(vkArrowUp);
  EXPECT_EQ(Focus.Current(), upFarRight) << "nothing further that way: the focus stays";
  Key(vkArrowDown);
  EXPECT_EQ(Focus.Current(), right);
  Key(vkArrowLeft);
  EXPECT_EQ(Focus.Current(), middle);
  Key(vkArrowDown);
  EXPECT_EQ(Focus.Current(), down);
}

TEST_F(FocusTest, EnterAndSpaceUseTheFocusedControlAsAClickWould) {
  TobjButton* button = Button(100, 100, 7);
  auto* box = Make<TobjCheckBox>(otCheckbox, 100, 200, 215, 30);
  box->SetAction(ekSound, 10);
  auto* choice = Make<TobjGroupButton>(otGroupButton, 100, 300, 400, 30);
  for (int i = 0; i < 3; ++i) {
    choice->AddEntry(i * 130, 0, 120, 30, i == 0 ? "EASY" : i == 1 ? "MEDIUM" : "HARD");
    choice->SetEntryAction(i, ekGame, 23, i, 0);
  }
  choice->SetSelected(0);

  Focus.Step();  // the screen's first step: the ring is on the first control
  EXPECT_EQ(Focus.Current(), button);
  EXPECT_TRUE(Focus.RingShown());
  Key(vkReturn);  // so the first Enter uses it, with no press spent on showing it
  EXPECT_EQ(Log.Count(ekGame, 7), 1);
  Key(vkSpace);
  EXPECT_EQ(Log.Count(ekGame, 7), 2);

  Key(vkArrowDown);
  ASSERT_EQ(Focus.Current(), box);
  Key(vkSpace);
  EXPECT_TRUE(box->Checked);
  ASSERT_NE(Log.Last(ekSound, 10), nullptr);
  EXPECT_EQ(Log.Last(ekSound, 10)->Param, 1);

  Key(vkArrowDown);
  Key(vkArrowRight);
  Key(vkArrowRight);
  ASSERT_EQ(Focus.Current(), choice);
  EXPECT_EQ(Focus.CurrentEntry(), 2);
  EXPECT_EQ(choice->SelectedIndex, 0) << "moving along the row chooses nothing";
  Key(vkReturn);
  EXPECT_EQ(choice->SelectedIndex, 2);
  ASSERT_NE(Log.Last(ekGame, 23), nullptr);
  EXPECT_EQ(Log.Last(ekGame, 23)->Param, 2);
  // The choice shows by its caption's shape as well as by the brighter bar.
  EXPECT_EQ(choice->Entries[2].CaptionItem->Text, "[ HARD ]");
  EXPECT_EQ(choice->Entries[0].CaptionItem->Text, "EASY");
}

TEST_F(FocusTest, ArrowsMoveASliderAndAListBeforeTheyMoveTheFocus) {
  auto* slider = Make<TobjSlider>(otSlider, 100, 100, 215, 30);
  slider->SetRange(0, 100);
  slider->SetValue(50);
  slider->SetAction(ekSound, 12);
  auto* list = Make<TobjListbox>(otListbox, 100, 200, 300, 200);
  for (const char* name : {"Ada", "Bo", "Cy"}) list->AddLine(name);
  list->RebuildList();
  list->SelectLine(0);

  Key(vkTab);
  ASSERT_EQ(Focus.Current(), slider);
  Key(vkArrowRight);
  EXPECT_EQ(slider->Value, 60);
  ASSERT_NE(Log.Last(ekSound, 12), nullptr);
  EXPECT_EQ(Log.Last(ekSound, 12)->Value, 60);
  Key(vkArrowLeft);
  Key(vkArrowLeft);
  EXPECT_EQ(slider->Value, 40);

  Key(vkArrowDown);
  ASSERT_EQ(Focus.Current(), list);
  Key(vkArrowDown);
  Key(vkArrowDown);
  EXPECT_EQ(list->SelectedIndex, 2);
  Key(vkArrowDown);
  EXPECT_EQ(list->SelectedIndex, 2) << "the last line stays chosen";
  Key(vkArrowUp);
  EXPECT_EQ(list->SelectedIndex, 1);
  EXPECT_EQ(Focus.Current(), list);
}

TEST_F(FocusTest, TheRingSurroundsTheFocusedControlAndGoesWithIt) {
  TobjButton* a = Button(100, 100, 1);
  TobjButton* b = Button(100, 300, 2);
  double x = 0, y = 0, w = 0, h = 0;
  Focus.Step();
  ASSERT_TRUE(Focus.RingFrame(x, y, w, h)) << "the ring shows from the first step, before any key";
  EXPECT_EQ(Focus.Current(), a);
  EXPECT_LT(x, a->X);
  EXPECT_LT(y, a->Y);
  EXPECT_GT(x + w, a->X + a->Width);
  EXPECT_GT(y + h, a->Y + a->Height);
  EXPECT_LT(a->X - x, 12) << "close round the control, not somewhere else";

  a->SetVisible(false);
  Focus.Step();
  EXPECT_EQ(Focus.Current(), b) << "the focus moves on from a control that went away";
  ASSERT_TRUE(Focus.RingFrame(x, y, w, h));
  EXPECT_LT(y, b->Y);
  EXPECT_GT(y + h, b->Y + b->Height);

  Res().KeyboardPlay = false;  // a mouse click
  Focus.Step();
  EXPECT_TRUE(Focus.RingShown()) << "the ring stays for a mouse player too";
}

TEST_F(FocusTest, TheNameBoxKeepsItsEditingAndTabLeavesIt) {
  auto* box = Make<TobjText>(otTextbox, 100, 100, 245, 30);
  TobjButton* ok = Button(100, 200, 34);
  box->Focus();
  Steps(1);
  Key(vkTab);  // the first key finds the box that has the keys
  EXPECT_EQ(Focus.Current(), box);
  EXPECT_TRUE(box->Focused);
  Type("Ada");
  EXPECT_EQ(box->GetText(), "Ada");
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), ok);
  EXPECT_FALSE(box->Focused) << "Tab gives the keys back";
  Key(vkTab);
  EXPECT_EQ(Focus.Current(), box);
  EXPECT_TRUE(box->Focused) << "and coming back takes them again";
}

}  // namespace
