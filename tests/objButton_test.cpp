// Buttons and controls driven by mouse events through the bus.
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objPushButton.h"
#include "objects/objSheet.h"
#include "objects/objSlider.h"
#include "widgetTestSupport.h"

namespace {

using ButtonTest = WidgetTest;

TEST_F(ButtonTest, HandledReleaseIsHiddenFromAWidgetRegisteredLater) {
  auto* button = Make<TobjButton>(otButton, 100, 100, 230, 50);
  button->SetAction(ekForm, 1, 4, 0);
  auto* under = Make<TobjCheckBox>(otCheckbox, 100, 100, 215, 30);
  under->SetAction(ekGame, 99);
  Click(150, 110);
  EXPECT_FALSE(under->Checked) << "the button took the release";
  Steps(1);
  EXPECT_EQ(Log.Count(ekForm, 1), 1);
  EXPECT_EQ(Log.Count(ekGame, 99), 0);

  button->SetVisible(false);
  Click(150, 110);
  EXPECT_TRUE(under->Checked) << "a hidden button lets the release through";
}

TEST_F(ButtonTest, HoverSwapsThePiecesAndPressingShiftsByOnePixel) {
  auto* button = Make<TobjButton>(otButton, 100, 100, 230, 50);
  button->SetAction(ekForm, 1, 4, 2);
  EXPECT_FALSE(button->HintEnabled);
  EXPECT_EQ(button->RightCap->RelX, 205);
  EXPECT_EQ(button->MainItem->Width, 180);
  EXPECT_EQ(button->Item(1), button->LeftCap) << "the caption is drawn over the bar";
  Move(200, 120);
  EXPECT_TRUE(SourceIs(button->LeftCap, Sheet::ButtonHoverLeft));
  EXPECT_TRUE(SourceIs(button->MainItem, Sheet::ButtonHoverMiddle));
  Move(201, 120);
  EXPECT_EQ(Log.Count(ekSound, 7), 1);
  Down(201, 120);
  Down(201, 120);
  EXPECT_EQ(button->X, 101);
  Up(201, 120);
  EXPECT_EQ(button->X, 100);
  EXPECT_EQ(Log.Count(ekSound, 9), 1);
  Steps(1);
  ASSERT_EQ(Log.Count(ekForm, 1), 1);
  EXPECT_EQ(Log.Last(ekForm, 1)->Param, 4);
  EXPECT_EQ(Log.Last(ekForm, 1)->Value, 2);

  Down(201, 120);
  Move(500, 500);
  EXPECT_TRUE(SourceIs(button->RightCap, Sheet::ButtonRight));
  Up(500, 500);
  Steps(1);
  EXPECT_EQ(button->X, 100);
  EXPECT_EQ(Log.Count(ekForm, 1), 1) << "released outside: no action";

  button->Click();
  Steps(1);
  EXPECT_EQ(Log.Count(ekForm, 1), 2);
}

TEST_F(ButtonTest, ButtonAlphaReachesTheBarAndTheHintBox) {
  auto* button = Make<TobjButton>(otButton, 0, 0, 230, 50);
  button->SetColor(0x00FF00);
  button->SetButtonAlpha(200);
  EXPECT_EQ(button->HintMaxAlpha, 200);
  EXPECT_EQ(button->LeftCap->VertexColors[0], 0xC800FF00u);
  EXPECT_EQ(button->HintFrame[3]->VertexColors[2], 0xC800FF00u);
  EXPECT_EQ(button->Caption->Alpha, 255);
}

using GroupTest = WidgetTest;

TEST_F(GroupTest, ClickingAnEntrySelectsItBoldsItAndPostsOnce) {
  auto* group = Make<TobjGroupButton>(otGroupButton, 197, 315, 10, 10);
  group->AddEntry(0, 0, 157, 30, "EASY");
  group->AddEntry(157, 0, 157, 30, "MEDIUM");
  group->AddEntry(314, 0, 158, 30, "HARD");
  for (int i = 0; i < 3; ++i) group->SetEntryAction(i, ekGame, 23, i, 0);
  group->SetEntryColor(2, 0x007EFF);
  group->SetEntryColor(3, 0x123456);  // no such entry
  group->SetSelected(0);
  EXPECT_EQ(group->Entries[2].MiddleItem->Color, 0x007EFFu);
  EXPECT_EQ(group->Entries[2].RightItem->RelX, 314 + 158 - 9);
  EXPECT_TRUE(group->Entries[0].CaptionItem->Bold);

  Click(197 + 200, 320);
  Steps(1);
  EXPECT_EQ(group->SelectedIndex, 1);
  EXPECT_TRUE(group->Entries[1].Selected);
  EXPECT_TRUE(group->Entries[1].CaptionItem->Bold);
  EXPECT_FALSE(group->Entries[0].Selected);
  EXPECT_FALSE(group->Entries[0].CaptionItem->Bold);
  EXPECT_TRUE(SourceIs(group->Entries[1].LeftItem, Sheet::GroupSelectedLeft));
  EXPECT_TRUE(SourceIs(group->Entries[0].LeftItem, Sheet::GroupLeft));
  EXPECT_EQ(group->Entries[1].LeftItem->RelX, 157) << "the press shift is undone on release";
  ASSERT_EQ(Log.Count(ekGame, 23), 1);
  EXPECT_EQ(Log.Last(ekGame, 23)->Param, 1);
  EXPECT_EQ(Log.Count(ekSound, 9), 1);

  Down(197 + 200, 320);
  Up(197 + 200, 320);
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 23), 2) << "clicking the selected entry posts again";

  Move(197 + 100, 320);
  EXPECT_TRUE(SourceIs(group->Entries[0].MiddleItem, Sheet::GroupHoverMiddle));
  Move(900, 700);
  Up(900, 700);
  Steps(1);
  EXPECT_EQ(group->SelectedIndex, 1) << "a release over no entry changes nothing";
  EXPECT_EQ(Log.Count(ekGame, 23), 2);
}

TEST_F(GroupTest, ColoursGivenToEarlierEntriesSurviveLaterEntries) {
  // Screens add an entry and colour it, one entry after the other.
  auto* group = Make<TobjGroupButton>(otGroupButton, 0, 0, 10, 10);
  const std::uint32_t colours[3] = {0x00FF00, 0x007EFF, 0x3333FF};
  for (int i = 0; i < 3; ++i) {
    group->AddEntry(i * 100, 0, 100, 30, "X");
    group->SetEntryColor(i, colours[i]);
  }
  group->AddEntry(300, 0, 100, 30, "Y");
  for (int i = 0; i < 3; ++i)
    for (const TrndGfx* piece : {group->Entries[i].LeftItem, group->Entries[i].MiddleItem, group->Entries[i].RightItem})
      EXPECT_EQ(piece->VertexColors[1], 0xFF000000u | colours[i]) << "entry " << i;
  EXPECT_EQ(group->Entries[3].MiddleItem->VertexColors[0], 0xFF000000u | WidgetTint) << "a new entry takes the widget tint";
}

TEST_F(GroupTest, SetSelectedOutOfRange) {
  auto* group = Make<TobjGroupButton>(otGroupButton, 0, 0, 10, 10);
  for (int i = 0; i < 3; ++i) group->AddEntry(i * 100, 0, 100, 30, "X");
  group->SetSelected(5);
  EXPECT_EQ(group->SelectedIndex, -1);
  for (const auto& e : group->Entries) EXPECT_FALSE(e.Selected);
  group->SetSelected(-2);
  EXPECT_EQ(group->SelectedIndex, 0);
  EXPECT_TRUE(group->Entries[0].Selected);
  EXPECT_TRUE(group->Entries[0].CaptionItem->Bold);
}

TEST_F(GroupTest, PressedEntryMovesByOnePixelUntilReleasedOverAnEntry) {
  auto* group = Make<TobjGroupButton>(otGroupButton, 0, 0, 10, 10);
  group->AddEntry(0, 0, 100, 30, "A");
  group->AddEntry(100, 0, 100, 30, "B");
  Move(50, 10);
  Down(50, 10);
  EXPECT_EQ(group->Entries[0].LeftItem->RelX, 1);
  EXPECT_EQ(group->Entries[0].CaptionItem->RelY, 9);
  Down(50, 10);
  EXPECT_EQ(group->Entries[0].LeftItem->RelX, 1) << "applied once";
  Move(150, 10);
  Up(150, 10);
  EXPECT_EQ(group->SelectedIndex, 1);
  EXPECT_EQ(group->Entries[0].LeftItem->RelX, 1) << "left pressed until the next press";
  Down(150, 10);
  EXPECT_EQ(group->Entries[0].LeftItem->RelX, 0);
  EXPECT_EQ(group->Entries[1].LeftItem->RelX, 101);
}

using CheckBoxTest = WidgetTest;

TEST_F(CheckBoxTest, PostsOneWhenCheckedAndZeroWhenUnchecked) {
  auto* box = Make<TobjCheckBox>(otCheckbox, 287, 325, 215, 30);
  box->SetAction(ekGame, 50);
  box->CheckCaption->SetPlainText("Fullscreen");
  EXPECT_EQ(box->RightCap->RelX, 206);
  EXPECT_EQ(box->MainItem->Width, 171);
  Move(400, 340);
  EXPECT_TRUE(SourceIs(box->Box, Sheet::CheckBoxHover));
  Up(400, 340);
  Steps(1);
  EXPECT_TRUE(box->Checked);
  EXPECT_TRUE(SourceIs(box->Box, Sheet::CheckBoxChecked));
  Up(400, 340);
  Steps(1);
  EXPECT_FALSE(box->Checked);
  ASSERT_EQ(Log.Count(ekGame, 50), 2);
  EXPECT_EQ(Log.Got[Log.Got.size() - 2].Param, 1);
  EXPECT_EQ(Log.Got.back().Param, 0);
  EXPECT_EQ(Log.Count(ekSound, 9) + Log.Count(ekSound, 7), 0) << "check boxes make no sound";
  box->SetChecked(true);
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 50), 2) << "setting it from code posts nothing";
  Move(10, 10);
  Up(10, 10);
  EXPECT_TRUE(box->Checked);
}

using SliderTest = WidgetTest;

TEST_F(SliderTest, KnobSitsAtTheValueAndSnapsToIt) {
  auto* slider = Make<TobjSlider>(otSlider, 287, 505, 215, 30);
  slider->SetRange(0, 100);
  slider->SetValue(50);
  EXPECT_DOUBLE_EQ(slider->Knob->RelX, 98.5);
  EXPECT_EQ(slider->ValueText->Text, "50");
  slider->SetValue(130);
  EXPECT_EQ(slider->Value, 100);
  EXPECT_DOUBLE_EQ(slider->Knob->RelX, 191);
  slider->SetRange(0, 40);
  EXPECT_EQ(slider->Value, 40) << "a narrower range pulls the value in";
  slider->SetRange(10, 20);
  slider->SetValue(15);
  EXPECT_DOUBLE_EQ(slider->Knob->RelX, 6 + 92.5) << "a range not starting at 0 still spans the track";
  slider->SetRange(5, 5);
  slider->SetValue(5);
  EXPECT_DOUBLE_EQ(slider->Knob->RelX, 6) << "an empty range does not divide by zero";
}

TEST_F(SliderTest, ClickingTheTrackPagesByAFifthWithoutAnEvent) {
  auto* slider = Make<TobjSlider>(otSlider, 522, 505, 215, 30);
  slider->SetRange(0, 4500);
  slider->SetValue(3000);
  slider->SetAction(ekSound, 13);
  Move(700, 520);  // right of the knob
  Up(700, 520);
  EXPECT_EQ(slider->Value, 3900);
  Up(700, 520);
  EXPECT_EQ(slider->Value, 4500);
  Move(530, 520);
  Up(530, 520);
  EXPECT_EQ(slider->Value, 3600);
  Steps(1);
  EXPECT_EQ(Log.Count(ekSound, 13), 0);
}

TEST_F(SliderTest, DraggingPostsOnceOnReleaseOrLiveWhileMoving) {
  auto* slider = Make<TobjSlider>(otSlider, 522, 505, 215, 30);
  slider->SetRange(0, 4500);
  slider->SetValue(0);
  slider->SetAction(ekSound, 13);
  Move(522 + 10, 515);  // on the knob at x 6..24
  EXPECT_TRUE(slider->KnobHovered);
  EXPECT_TRUE(SourceIs(slider->Knob, Sheet::SliderKnobHover));
  Down(532, 515);
  EXPECT_TRUE(slider->Dragging);
  for (int x = 540; x <= 620; x += 20) Move(x, 515);
  Steps(1);
  EXPECT_EQ(Log.Count(ekSound, 13), 0);
  // Knob at 620 - 522 - 9 = 89: value round(83 / (185 / 4500)) = 2019, drawn where 2019 lies.
  EXPECT_EQ(slider->Value, 2019);
  EXPECT_NEAR(slider->Knob->RelX, 2019 * 185.0 / 4500 + 6, 1e-9);
  Move(2000, 515);
  EXPECT_EQ(slider->Value, 4500) << "the knob stops at the end of the track";
  Up(2000, 515);
  Steps(1);
  ASSERT_EQ(Log.Count(ekSound, 13), 1);
  EXPECT_EQ(Log.Last(ekSound, 13)->Value, 4500);
  EXPECT_EQ(Log.Last(ekSound, 13)->Param, reinterpret_cast<std::intptr_t>(slider));
  EXPECT_FALSE(slider->Dragging);

  auto* music = Make<TobjSlider>(otSlider, 287, 600, 215, 30);
  music->SetAction(ekSound, 12);
  music->LiveUpdate = true;
  Move(287 + 10, 610);
  Down(297, 610);
  Move(320, 610);
  Move(340, 610);
  Up(340, 610);
  Steps(1);
  EXPECT_EQ(Log.Count(ekSound, 12), 2) << "one per move while dragging, none on release";
}

TEST_F(SliderTest, HiddenSliderIgnoresTheMouse) {
  auto* slider = Make<TobjSlider>(otSlider, 0, 0, 215, 30);
  slider->SetValue(50);
  slider->SetVisible(false);
  Move(150, 15);
  Up(150, 15);
  EXPECT_EQ(slider->Value, 50);
}

using PushButtonTest = WidgetTest;

TEST_F(PushButtonTest, PushedButtonPostsOnceAndReportsGoneSeventyFiveStepsLater) {
  auto* push = Make<TobjPushButton>(otPushButton, -48, 600, 256, 48);
  push->Width = 48;
  push->MainItem->Width = 48;
  push->SetAction(ekGame, 27, 4, 0);
  EXPECT_DOUBLE_EQ(push->ShrinkSize, 48);
  Move(-48 + 200, 620);
  EXPECT_FALSE(push->Hovered) << "the square is Height wide";
  push->X = 0;
  Move(20, 620);
  EXPECT_TRUE(push->Hovered);
  EXPECT_TRUE(push->Highlight->Visible);
  EXPECT_EQ(Log.Count(ekSound, 7), 0) << "push buttons are silent";
  Down(20, 620);
  EXPECT_EQ(push->X, 2);
  EXPECT_EQ(push->MainItem->Width, 44);
  Up(20, 620);  // step 1 of the shrink runs in this step
  EXPECT_EQ(push->X, 0);
  EXPECT_TRUE(push->Shrinking);
  EXPECT_FALSE(push->HintEnabled);
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 27), 1);
  EXPECT_EQ(Log.Last(ekGame, 27)->Param, 4);
  Steps(72);  // 74 steps since the release
  EXPECT_EQ(Log.Count(ekGame, 28), 0);
  EXPECT_EQ(push->Width, 0);
  EXPECT_EQ(push->X, 24);
  Steps(1);
  ASSERT_EQ(Log.Count(ekGame, 28), 1);
  EXPECT_EQ(Log.Last(ekGame, 28)->Param, reinterpret_cast<std::intptr_t>(push));
  EXPECT_EQ(Log.Last(ekGame, 28)->Value, 4);
  Click(30, 630);
  push->Press();
  Steps(20);
  EXPECT_EQ(Log.Count(ekGame, 28), 1);
  EXPECT_EQ(Log.Count(ekGame, 27), 1) << "a shrinking button is not used again";
}

TEST_F(PushButtonTest, KeepAfterClickStaysAndCanBePushedAgain) {
  auto* push = Make<TobjPushButton>(otPushButton, 100, 100, 48, 48);
  push->KeepAfterClick = true;
  push->SetAction(ekGame, 39, 0, 0);
  Click(120, 120);
  Steps(100);
  Click(120, 120);
  push->Press();  // keyboard shortcut
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 39), 3);
  EXPECT_EQ(Log.Count(ekGame, 28), 0);
  EXPECT_EQ(push->Width, 48);
  EXPECT_EQ(push->X, 100);
}

TEST_F(PushButtonTest, ReleasingOutsideBringsTheButtonBackUsable) {
  auto* push = Make<TobjPushButton>(otPushButton, 100, 100, 48, 48);
  push->SetAction(ekGame, 27, 2, 0);
  push->SetHint(-200, 0, TPointI{200, 100});
  Move(120, 120);
  Down(120, 120);
  EXPECT_EQ(push->HintFill->RelX, -200 + 10 - 2) << "the hint stays where it was";
  Move(400, 400);
  Up(400, 400);
  EXPECT_EQ(push->X, 100);
  EXPECT_EQ(push->MainItem->Width, 48);
  EXPECT_EQ(push->HintFill->RelX, -190);
  EXPECT_FALSE(push->Shrinking);
  Click(120, 120);
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 27), 1) << "pressed again after the slide-off";
}

TEST_F(PushButtonTest, GameOverDisabledOrHiddenButtonsIgnoreTheMouse) {
  auto* push = Make<TobjPushButton>(otPushButton, 100, 100, 48, 48);
  push->SetAction(ekGame, 27, 1, 0);
  Res().GameOver = true;
  Click(120, 120);
  Res().GameOver = false;
  push->SetEnabled(false);
  EXPECT_TRUE(push->Overlay->Visible);
  Click(120, 120);
  push->SetEnabled(true);
  EXPECT_FALSE(push->Overlay->Visible);
  push->SetVisible(false);
  Click(120, 120);
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 27), 0);
  EXPECT_FALSE(push->Shrinking);
}

}  // namespace
