// Labels and text widgets: frames, hints, the text box, numbers and picture buttons.
#include <string>

#include "objects/objHintLabel.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "objects/objNumber.h"
#include "objects/objSheet.h"
#include "objects/objText.h"
#include "render/modInput.h"
#include "widgetTestSupport.h"

namespace {

using LabelTest = WidgetTest;

TEST_F(LabelTest, FramedLabelShowsNinePiecesAndKeepsItsCaptionInside) {
  auto* label = Make<TobjLabel>(otLabel, 100, 50, 200, 40);
  EXPECT_EQ(label->Space, csScreen);
  EXPECT_FALSE(label->MainItem->Visible);
  label->Caption->SetText("Hello", 8, true, true, false, false, false);
  label->SetFramed(true);
  EXPECT_TRUE(label->MainItem->Visible);
  for (TrndGfx* piece : label->Frame) EXPECT_TRUE(piece->Visible);
  EXPECT_TRUE(SourceIs(label->Frame[7], Sheet::LabelBottomRight));
  EXPECT_EQ(label->Frame[7]->RelX, 193);
  EXPECT_EQ(label->Frame[7]->RelY, 30);
  EXPECT_EQ(label->Frame[3]->Height, 20) << "the side edges fill between the corners";
  EXPECT_EQ(label->MainItem->Width, 186);
  ASSERT_EQ(label->Caption->Segments.size(), 1u);
  EXPECT_EQ(label->Caption->Segments[0].X, 10);
  // (40 - 11) / 2 + 2 for one line of size 8.
  EXPECT_EQ(label->Caption->Segments[0].Y, 16);
  EXPECT_EQ(label->MainItem->Color, WidgetTint);
  EXPECT_EQ(label->Caption->Color, 0xFFFFFFu) << "text keeps its own colour";
  label->SetFramed(false);
  EXPECT_FALSE(label->Frame[0]->Visible);
  EXPECT_EQ(label->Caption->MarginX, 10) << "turning the frame off keeps the margin";
}

TEST_F(LabelTest, HintFadesInOverNineStepsAndHidesAtOnceOnLeaving) {
  auto* label = Make<TobjHintLabel>(otHintLabel, 100, 100, 100, 30);
  label->SetHint(0, 40, TPointI{200, 100});
  EXPECT_EQ(label->HintFrame[7]->RelX, 190);
  EXPECT_EQ(label->HintFrame[7]->RelY, 115);
  EXPECT_EQ(label->HintFill->Width, 180);
  Move(10, 10);
  EXPECT_FALSE(label->HintText->Visible);
  Move(150, 110);  // enters: shown at alpha 0, first fade step in the same logic step
  EXPECT_TRUE(label->HintText->Visible);
  EXPECT_TRUE(label->MouseOver);
  EXPECT_FALSE(label->HintPicture->Visible) << "no hint picture was given";
  EXPECT_EQ(label->HintAlpha, 30);
  Steps(7);
  EXPECT_EQ(label->HintAlpha, 240);
  Move(160, 112);  // moving within does not restart the fade
  EXPECT_EQ(label->HintAlpha, 255);
  EXPECT_EQ(label->HintFrame[0]->Alpha, 255);
  EXPECT_FALSE(label->HintFading);
  Move(160, 115);
  EXPECT_EQ(label->HintAlpha, 255);
  Move(500, 500);
  EXPECT_FALSE(label->HintText->Visible);
  EXPECT_FALSE(label->HintFill->Visible);
  EXPECT_EQ(label->HintAlpha, 0);
}

TEST_F(LabelTest, HintPictureShowsOnlyOnceSetAndDisabledOrHiddenHintsStayHidden) {
  auto* label = Make<TobjHintLabel>(otHintLabel, 0, 0, 100, 30);
  label->SetHintPicture(3, 1, 0, TPointD{10, 10}, TPointI{390, 190});
  label->SetHintPictureWhite();
  Move(50, 10);
  EXPECT_TRUE(label->HintPicture->Visible);
  EXPECT_EQ(label->HintPicture->Color, 0xFFFFFFu);
  EXPECT_EQ(label->HintPicture->Width, 390);
  Move(500, 500);
  label->HintEnabled = false;
  Move(50, 10);
  EXPECT_FALSE(label->HintText->Visible);
  EXPECT_TRUE(label->MouseOver);
  label->HintEnabled = true;
  Move(500, 500);
  label->SetVisible(false);
  Move(50, 10);
  EXPECT_FALSE(label->HintText->Visible) << "a hidden label ignores the mouse";
}

using TextBoxTest = WidgetTest;

TEST_F(TextBoxTest, ClickingFocusesAndClickingElsewhereLetsGoOfTextEntry) {
  auto* box = Make<TobjText>(otTextbox, 100, 100, 200, 30);
  EXPECT_EQ(box->VisibleChars, 22);
  EXPECT_EQ(box->EventMask, static_cast<std::uint64_t>(ekKeys | ekMouse));
  Click(150, 110);
  EXPECT_TRUE(box->Focused);
  EXPECT_TRUE(box->Caret->Visible);
  ASSERT_EQ(Log.Count(ekKeys, 3), 1);
  EXPECT_EQ(Log.Last(ekKeys, 3)->Param, reinterpret_cast<std::intptr_t>(box));
  Click(150, 110);
  EXPECT_EQ(Log.Count(ekKeys, 3), 1) << "focusing a focused box posts nothing";
  Click(10, 10);
  EXPECT_FALSE(box->Focused);
  EXPECT_FALSE(box->Caret->Visible);
  EXPECT_EQ(Log.Count(ekKeys, 4), 1);
}

TEST_F(TextBoxTest, TypingKeepsAllowedCharactersOnly) {
  auto* box = Make<TobjText>(otTextbox, 100, 100, 200, 30);
  box->Focus();
  Type('a');
  Type('*');
  Type('b');
  EXPECT_EQ(box->GetText(), "ab");
  Type("\"/:<>?\\`|~");
  Type(215);  // the multiplication sign among the code page's letters
  Type(7);
  EXPECT_EQ(box->GetText(), "ab");
  Type("{}[]@_ #!=;");
  EXPECT_EQ(box->GetText(), "ab{}[]@_ #!=;");
  Type(200);  // È: the accented letters of names are kept
  EXPECT_EQ(box->GetText(), "ab{}[]@_ #!=;\xC8");
  EXPECT_EQ(box->EditText->MarkUp, false) << "typed text is never read as mark-up";
}

TEST_F(TextBoxTest, ThirtiethCharacterScrollsTheTextAndPinsTheCaret) {
  auto* box = Make<TobjText>(otTextbox, 100, 100, 200, 30);
  box->Focus();
  Type(std::string(22, 'x'));
  EXPECT_EQ(box->EditText->GlyphShiftX, 0);
  EXPECT_EQ(box->Caret->RelX, 22 * 8 + 8);
  Type(std::string(8, 'y'));
  EXPECT_EQ(box->CursorPos, 30);
  EXPECT_EQ(box->EditText->GlyphShiftX, -64);
  EXPECT_EQ(box->Caret->RelX, 184);
  EXPECT_EQ(box->Caret->RelY, 8);
  EditKey(36);  // Home
  EXPECT_EQ(box->EditText->GlyphShiftX, 0);
  EXPECT_EQ(box->Caret->RelX, 8);
  EditKey(35);  // End
  EXPECT_EQ(box->CursorPos, 30);
  // A click at column 3 of the scrolled text: 30 - 22 + 3.
  Click(100 + 9 + 3 * 8 + 4, 110);
  EXPECT_EQ(box->CursorPos, 11);
  EXPECT_EQ(box->Caret->RelX, 11 * 8 + 8);
}

TEST_F(TextBoxTest, EditingKeysMoveAndDeleteAtTheCursor) {
  auto* box = Make<TobjText>(otTextbox, 0, 0, 200, 30);
  box->Focus();
  Type("abcd");
  EditKey(37);  // Left
  EditKey(37);
  EditKey(8);  // Backspace removes 'b'
  EXPECT_EQ(box->GetText(), "acd");
  EXPECT_EQ(box->CursorPos, 1);
  EditKey(46);  // Delete removes 'c'
  EXPECT_EQ(box->GetText(), "ad");
  EXPECT_EQ(box->CursorPos, 1);
  Type('X');
  EXPECT_EQ(box->GetText(), "aXd");
  EditKey(36);
  EditKey(8);
  EditKey(37);
  EXPECT_EQ(box->GetText(), "aXd") << "Backspace at the start changes nothing";
  EXPECT_EQ(box->CursorPos, 0);
  EditKey(35);
  EditKey(46);
  EditKey(39);
  EXPECT_EQ(box->GetText(), "aXd") << "Delete at the end changes nothing";
  EXPECT_EQ(box->CursorPos, 3);
}

TEST_F(TextBoxTest, LengthLimitRefusesCharactersButEnterStillPosts) {
  auto* box = Make<TobjText>(otTextbox, 0, 0, 245, 30);
  box->MaxLength = 17;
  box->Focus();
  Type("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(box->GetText(), "ABCDEFGHIJKLMNOPQ");
  Type(13);
  EXPECT_EQ(Log.Count(ekGame, 43), 0) << "queued: arrives on the next step";
  Steps(1);
  EXPECT_EQ(Log.Count(ekGame, 43), 1);
  EXPECT_EQ(box->GetText().size(), 17u);

  auto* wide = Make<TobjText>(otTextbox, 0, 100, 245, 30);
  wide->Focus();
  Type(std::string(300, 'z'));
  EXPECT_EQ(wide->GetText().size(), 255u) << "the default limit";
}

TEST_F(TextBoxTest, CaretBlinksTwentySixStepsPerPhase) {
  auto* box = Make<TobjText>(otTextbox, 0, 0, 200, 30);
  box->Focus();
  Steps(25);
  EXPECT_TRUE(box->Caret->Visible);
  Steps(1);
  EXPECT_FALSE(box->Caret->Visible);
  Steps(25);
  EXPECT_FALSE(box->Caret->Visible);
  Steps(1);
  EXPECT_TRUE(box->Caret->Visible);
}

TEST_F(TextBoxTest, TextEntryFollowsTheFocusedBoxWhateverTheirOrder) {
  TFakeWindow window;
  TmodInput input(&window, nullptr);
  input.Enabled = true;
  Bus.Register(&input);
  auto* first = Make<TobjText>(otTextbox, 0, 0, 200, 30);
  auto* second = Make<TobjText>(otTextbox, 0, 100, 200, 30);
  Click(50, 10);
  EXPECT_TRUE(input.TextMode);
  Click(50, 110);  // the later box takes the focus
  EXPECT_TRUE(second->Focused);
  EXPECT_FALSE(first->Focused);
  EXPECT_TRUE(input.TextMode);
  Click(50, 10);  // and back to the earlier one
  EXPECT_TRUE(first->Focused);
  EXPECT_FALSE(second->Focused);
  EXPECT_TRUE(input.TextMode);
  EXPECT_TRUE(window.TextInput);
  Type('q');
  EXPECT_EQ(first->GetText(), "q");
  EXPECT_EQ(second->GetText(), "") << "only the focused box takes keys";
  Click(500, 500);
  EXPECT_FALSE(input.TextMode);
  Bus.Unregister(&input);
}

TEST_F(TextBoxTest, DeletingAFocusedBoxSwitchesTextEntryOff) {
  TFakeWindow window;
  TmodInput input(&window, nullptr);
  Bus.Register(&input);
  auto* box = Make<TobjText>(otTextbox, 0, 0, 200, 30);
  auto* idle = Make<TobjText>(otTextbox, 0, 100, 200, 30);
  box->Focus();
  EXPECT_TRUE(input.TextMode);
  Iface.Objects->DeleteObject(idle->Index);
  Steps(1);
  EXPECT_TRUE(input.TextMode) << "an unfocused box leaves text entry alone";
  Iface.Objects->DeleteObject(box->Index);
  Steps(1);  // freed at the manager's next step
  EXPECT_FALSE(input.TextMode);
  EXPECT_EQ(Log.Count(ekKeys, 4), 1);
  Bus.Unregister(&input);
}

using NumberTest = WidgetTest;

TEST_F(NumberTest, DigitsGrowToTheLeftOfThePosition) {
  auto* number = Make<TobjNumber>(otNumber, 500, 20, 10, 31);
  EXPECT_FALSE(number->MainItem->Visible);
  number->SetValue(1024);
  const int expected[4] = {4, 2, 0, 1};
  for (int k = 0; k < 4; ++k) {
    const TrndGfx* d = number->Digits[static_cast<std::size_t>(k)];
    EXPECT_TRUE(d->Visible);
    EXPECT_EQ(d->RelX, -26 * (k + 1));
    EXPECT_TRUE(SourceIs(d, Sheet::NumberDigit[expected[k]])) << "digit " << k;
  }
  EXPECT_FALSE(number->Digits[4]->Visible);
  EXPECT_EQ(Sheet::NumberDigit[0].X, 486);
  EXPECT_EQ(Sheet::NumberDigit[9].X, 460);

  number->SetValue(0);
  for (const TrndGfx* d : number->Digits) EXPECT_FALSE(d->Visible);
  number->ShowZeros = true;
  number->SetValue(7);
  EXPECT_TRUE(SourceIs(number->Digits[0], Sheet::NumberDigit[7]));
  EXPECT_TRUE(number->Digits[9]->Visible);
  EXPECT_TRUE(SourceIs(number->Digits[9], Sheet::NumberDigit[0]));

  number->ShowZeros = false;
  number->SetValue(-35);
  for (const TrndGfx* d : number->Digits) EXPECT_FALSE(d->Visible);
  number->SetValue(2147483647);  // the largest value: all ten digits show
  const int largest[10] = {7, 4, 6, 3, 8, 4, 7, 4, 1, 2};
  for (int k = 0; k < 10; ++k) {
    EXPECT_TRUE(number->Digits[static_cast<std::size_t>(k)]->Visible) << k;
    EXPECT_TRUE(SourceIs(number->Digits[static_cast<std::size_t>(k)], Sheet::NumberDigit[largest[k]])) << k;
  }
  EXPECT_EQ(number->Digits[9]->RelX, -260) << "without a limit, full-size digits";
}

// A number held to a width draws its digits narrower, on the same line, once
// they would reach past it; a short number keeps them full size.
TEST_F(NumberTest, ANumberHeldToAWidthFitsItsDigitsIntoIt) {
  auto* number = Make<TobjNumber>(otNumber, 236, 94, 10, 31);
  number->FitWidth = 220;
  number->SetValue(12345678);  // 8 x 26 = 208: fits
  EXPECT_EQ(number->Digits[7]->RelX, -208);
  EXPECT_EQ(number->Digits[0]->Width, 26);
  number->SetValue(1234567890);
  for (const TrndGfx* d : number->Digits) {
    EXPECT_TRUE(d->Visible);
    EXPECT_GE(d->RelX, -220);
    EXPECT_EQ(d->RelY + d->Height, 31) << "on the full digits' line";
  }
  EXPECT_EQ(number->Digits[9]->RelX, -220);
  EXPECT_EQ(number->Digits[0]->Width, 22);
  number->SetValue(42);
  EXPECT_EQ(number->Digits[1]->RelX, -52) << "full size again";
  EXPECT_EQ(number->Digits[1]->Height, 31);
}

using PictureButtonTest = WidgetTest;

TEST_F(PictureButtonTest, HoverLightsTheFrameAndTheFirstAddedPicture) {
  auto* tile = Make<TobjHintLabelButton>(otHintLabelButton, 100, 100, 120, 120);
  tile->SetFramed(true);
  tile->SetTint(0x007EFF);
  TrndGfx* backdrop = tile->AddPicture(3, 4, 0, TTexCoord{}, TPointD{6, 6}, TPointI{108, 108}, 0xFFFFFF, 224);
  tile->AddPicture(3, 4, 0, TTexCoord{}, TPointD{60, 60}, TPointI{54, 54}, 0xFFFFFF, 224);
  TrndGfx* medal = tile->AddPicture(3, 4, 0, TTexCoord{}, TPointD{12, 12}, TPointI{96, 96}, 0xFFFFFF, 255);
  EXPECT_EQ(tile->ScreenPicture(), backdrop);
  Move(150, 150);
  EXPECT_EQ(Log.Count(ekSound, 7), 1);
  EXPECT_EQ(tile->MainItem->Color, 0x60DEFFu) << "0x007EFF raised by 96 per channel, clamped";
  EXPECT_EQ(tile->Frame[4]->Color, 0x60DEFFu);
  EXPECT_EQ(backdrop->Color, 0x60DEFFu);
  EXPECT_EQ(medal->Color, 0xFFFFFFu);
  Move(151, 150);
  EXPECT_EQ(Log.Count(ekSound, 7), 1) << "one sound per entry";
  Move(10, 10);
  EXPECT_EQ(tile->MainItem->Color, 0x007EFFu);
  EXPECT_EQ(backdrop->Color, 0xFFFFFFu);
}

TEST_F(PictureButtonTest, PressSlideOffAndReleaseOutsidePostsNothingAndMovesBack) {
  auto* tile = Make<TobjHintLabelButton>(otHintLabelButton, 100, 100, 120, 120);
  tile->SetAction(ekForm, 14, 7, 3);
  Move(150, 150);
  Down(150, 150);
  EXPECT_EQ(tile->X, 101);
  EXPECT_EQ(tile->Y, 101);
  Down(150, 150);  // the held button repeats its event every step
  EXPECT_EQ(tile->X, 101);
  Move(400, 400);
  Up(400, 400);
  EXPECT_EQ(tile->X, 100);
  EXPECT_EQ(tile->Y, 100);
  Steps(1);
  EXPECT_EQ(Log.Count(ekForm, 14), 0);
  EXPECT_EQ(Log.Count(ekSound, 9), 0);

  Click(150, 150);
  Steps(1);
  ASSERT_EQ(Log.Count(ekForm, 14), 1);
  EXPECT_EQ(Log.Last(ekForm, 14)->Param, 7);
  EXPECT_EQ(Log.Last(ekForm, 14)->Value, 3);
  EXPECT_EQ(Log.Count(ekSound, 9), 1);
  EXPECT_EQ(tile->X, 100);

  tile->SetAction(-1, 0, 0, 0);
  Click(150, 150);
  Steps(1);
  EXPECT_EQ(Log.Count(ekSound, 9), 1) << "no action: no click sound either";
}

TEST_F(PictureButtonTest, OpacityAndTintReachEveryItemTheyShould) {
  auto* tile = Make<TobjHintLabelButton>(otHintLabelButton, 0, 0, 120, 120);
  EXPECT_EQ(tile->Opacity, 255);
  EXPECT_EQ(tile->Tint, WidgetTint);
  tile->SetOpacity(100);
  for (const auto& item : tile->Items) EXPECT_EQ(item->Alpha, 100);
  tile->SetTint(0x00FF00);
  for (const auto& item : tile->Items) EXPECT_EQ(item->Color, item->IsText() ? 0xFFFFFFu : 0x00FF00u);
}

}  // namespace
