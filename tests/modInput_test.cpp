#include <gtest/gtest.h>

#include <vector>

#include "core/sysEventHandler.h"
#include "core/sysSceneSchedule.h"
#include "data/sysOptions.h"
#include "render/modInput.h"
#include "testSupport.h"

namespace {

const std::int32_t NavDelay = KeyRepeatPace(RepeatUsual).Delay;
const std::int32_t NavInterval = KeyRepeatPace(RepeatUsual).Interval;

struct TGot {
  std::int32_t Kind;
  std::uint16_t Code;
  std::intptr_t Param;
  std::int32_t Value;
  bool operator==(const TGot&) const = default;
};

class TSpy : public TsysEventComponent {
 public:
  TSpy() { EventMask = ekKeys | ekGame | ekMouse; }
  void HandleEvent(TsysEvent* e) override { Got.push_back({e->Kind, e->Code, e->Param, e->Value}); }
  std::vector<TGot> Got;
  int Count(std::int32_t kind, std::uint16_t code) const {
    int n = 0;
    for (const auto& g : Got) n += g.Kind == kind && g.Code == code;
    return n;
  }
};

class InputTest : public ::testing::Test {
 protected:
  InputTest() : Input(&Window, nullptr) {
    Bus.Register(&Input);
    Bus.Register(&Spy);
    Input.Enabled = true;
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) Bus.Tick();
  }
  TFakeWindow Window;
  TsysEventHandler Bus;
  TmodInput Input;
  TSpy Spy;
};

TEST_F(InputTest, BindingTableMatchesItsRows) {
  const auto& t = TmodInput::Bindings();
  EXPECT_EQ(t[0].Key, 0x1B);
  EXPECT_EQ(t[22].Key, 0x0D);
  EXPECT_EQ(t[22].Code, 43);
  EXPECT_EQ(t[23].Key, 0x36);
  EXPECT_EQ(Input.FindBinding(0x44, trKeyUp), 20);
  EXPECT_EQ(Input.FindBinding(0x44, trKeyDown), -1);
  EXPECT_EQ(Input.Keys[0x25].Binding, 3) << "Left's down row";
  EXPECT_EQ(Input.Keys[256].Binding, 6) << "the left button's down row";
  EXPECT_EQ(Window.Input, &Input) << "attached to the window";
}

TEST(InputBindings, EveryRowOfTheTable) {
  // device, trigger, key, repeat, delay, interval, context, kind, code
  struct TRow {
    int Device, Trigger, Key, Repeat, Delay, Interval, Context, Kind, Code;
  };
  constexpr int KeyDown = 1, KeyUp = 2, ButtonDown = 3, ButtonUp = 4, Move = 5;
  const TRow expected[24] = {
      {1, KeyUp, 0x1B, 0, 0, 0, 0, 0x0020, 1},        // Escape
      {1, KeyDown, 0x26, 1, 2, 0, 0, 0x0100, 6},      // Up
      {1, KeyDown, 0x28, 1, 2, 0, 0, 0x0100, 7},      // Down
      {1, KeyDown, 0x25, 1, 2, 0, 0, 0x0100, 4},      // Left
      {1, KeyDown, 0x27, 1, 2, 0, 0, 0x0100, 5},      // Right
      {2, ButtonUp, 256, 0, 0, 0, 0, 0x0800, 3},      // left button
      {2, ButtonDown, 256, 0, 0, 0, 0, 0x0800, 2},
      {2, ButtonDown, 258, 1, 0, 0, 0, 0x0800, 4},    // right button
      {2, ButtonUp, 258, 1, 0, 0, 0, 0x0800, 5},
      {2, ButtonDown, 257, 1, 0, 0, 0, 0x0800, 8},    // middle button
      {2, ButtonUp, 257, 1, 0, 0, 0, 0x0800, 9},
      {2, Move, 0, 0, 0, 0, 0, 0x0800, 1},
      {1, KeyUp, 0x20, 1, 0, 0, 0, 0x0100, 15},       // Space
      {1, KeyUp, 0x50, 1, 0, 0, 0, 0x0100, 15},       // P
      {1, KeyUp, 0x70, 1, 0, 0, 0, 0x0100, 15},       // F1
      {1, KeyUp, 0x31, 1, 0, 0, 0, 0x0100, 29},       // 1
      {1, KeyUp, 0x32, 1, 0, 0, 0, 0x0100, 30},
      {1, KeyUp, 0x33, 1, 0, 0, 0, 0x0100, 31},
      {1, KeyUp, 0x34, 1, 0, 0, 0, 0x0100, 32},
      {1, KeyUp, 0x35, 1, 0, 0, 0, 0x0100, 33},       // 5
      {1, KeyUp, 0x44, 1, 0, 0, 0, 0x0100, 39},       // D
      {1, KeyUp, 0x64, 1, 0, 0, 0, 0x0100, 39},       // numeric pad 4
      {1, KeyUp, 0x0D, 1, 0, 0, 0, 0x0100, 43},       // Return
      {1, KeyUp, 0x36, 1, 0, 0, 0, 0x0100, 39},       // 6
  };
  const auto& table = TmodInput::Bindings();
  ASSERT_EQ(table.size(), 24u);
  for (std::size_t i = 0; i < 24; ++i) {
    const TInputBinding& b = table[i];
    const TRow& e = expected[i];
    EXPECT_EQ(b.Device, e.Device) << "row " << i;
    EXPECT_EQ(b.Trigger, e.Trigger) << "row " << i;
    EXPECT_EQ(b.Key, e.Key) << "row " << i;
    EXPECT_EQ(b.Repeat, e.Repeat) << "row " << i;
    EXPECT_EQ(b.Delay, e.Delay) << "row " << i;
    EXPECT_EQ(b.Interval, e.Interval) << "row " << i;
    EXPECT_EQ(b.Context, e.Context) << "row " << i;
    EXPECT_EQ(b.Kind, e.Kind) << "row " << i;
    EXPECT_EQ(b.Code, e.Code) << "row " << i;
  }
}

TEST_F(InputTest, HoldingLeftForThirtyStepsGivesTwentyEightEvents) {
  Input.KeyDown(0x25, 0);
  Input.KeyDown(0x25, 0);  // the system's own repeat is ignored
  Steps(30);
  Input.KeyUp(0x25, 0);
  Steps(3);
  EXPECT_EQ(Spy.Count(ekGame, 4), 28);
  Spy.Got.clear();
  Input.KeyDown(0x25, 0);
  Steps(1);
  Input.KeyUp(0x25, 0);
  Steps(2);
  EXPECT_EQ(Spy.Count(ekGame, 4), 0) << "a tap of one step";
}

TEST_F(InputTest, EscapePostsItsTableEventOnlyOnRelease) {
  Input.KeyDown(0x1B, 0);
  Steps(3);
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekKeys, 7, 0x1B, 0}})) << "only the key's own report";
  Input.KeyUp(0x1B, 0);
  Steps(1);
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekKeys, 7, 0x1B, 0}, {ekKeys, 1, 0, 0}, {ekKeys, 8, 0x1B, 0}}));
}

TEST_F(InputTest, EveryKeyReportsItsPressAndReleaseAndAHeldArrowRepeatsAtAHandsPace) {
  Input.KeyDown(0x25, 0);
  Input.KeyDown(0x25, 0);  // the system's own repeat is ignored
  Steps(30);
  // The press, then again after NavDelay steps and every NavInterval after that.
  EXPECT_EQ(Spy.Count(ekKeys, 7), 1 + 1 + (30 - 1 - NavDelay) / NavInterval);
  Input.KeyUp(0x25, 4);
  Steps(1);  // the table's own repeat of Left, posted on the last step held, arrives too
  ASSERT_FALSE(Spy.Got.empty());
  EXPECT_EQ(Spy.Got.back(), (TGot{ekKeys, 8, 0x25, 4}));
  Spy.Got.clear();
  Steps(40);
  EXPECT_TRUE(Spy.Got.empty()) << "released: no more repeats";
  Spy.Got.clear();

  Input.KeyDown(0x09, ShiftBit);  // Shift+Tab
  Input.KeyDown(0x50, 0);         // P reports itself but leaves the held Tab repeating
  Input.KeyUp(0x50, 0);
  Steps(2);
  ASSERT_FALSE(Spy.Got.empty());
  EXPECT_EQ(Spy.Got[0], (TGot{ekKeys, 7, 0x09, ShiftBit}));
  EXPECT_EQ(Spy.Count(ekKeys, 7), 2);
  Steps(NavDelay);
  EXPECT_EQ(Spy.Count(ekKeys, 7), 3) << "the held Tab repeats";
}

TEST_F(InputTest, TheKeyRepeatOptionSetsTheDelayAndPaceOfAHeldArrowOrTurnsTheRepeatOff) {
  // Held for 60 steps at each setting: the press, then one report after the
  // delay and one every interval after that.
  for (const std::uint8_t setting : {RepeatUsual, RepeatSlow, RepeatOff}) {
    SCOPED_TRACE(static_cast<int>(setting));
    Input.KeyRepeat = setting;
    Spy.Got.clear();
    Input.KeyDown(vkArrowDown, 0);
    Steps(60);
    Input.KeyUp(vkArrowDown, 0);
    Steps(1);
    const TKeyRepeatPace pace = KeyRepeatPace(setting);
    const int expected = pace.Interval == 0 ? 1 : 1 + 1 + (60 - pace.Delay) / pace.Interval;
    EXPECT_EQ(Spy.Count(ekKeys, 7), expected);
  }
  // Exactly at the delay the first repeat comes, a step before it does not.
  Input.KeyRepeat = RepeatSlow;
  const TKeyRepeatPace slow = KeyRepeatPace(RepeatSlow);
  Spy.Got.clear();
  Input.KeyDown(vkTab, 0);
  Steps(slow.Delay);
  EXPECT_EQ(Spy.Count(ekKeys, 7), 1);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekKeys, 7), 2);
  Input.KeyUp(vkTab, 0);
}

// A resting screen wakes for the step a repeat is due: every repeat of a held
// key is posted in a step announced by the step before, at each setting (and
// handed out a step later).
TEST_F(InputTest, AHeldKeyAnnouncesEachRepeatForTheStepItComesIn) {
  for (const std::uint8_t setting : {RepeatUsual, RepeatSlow, RepeatOff}) {
    SCOPED_TRACE(static_cast<int>(setting));
    Input.KeyRepeat = setting;
    Spy.Got.clear();
    Input.KeyDown(vkTab, 0);
    int repeats = 0;
    int announcedRightBefore = 0;
    int announcedSteps = 0;
    bool postedAnnounced = false;  // the step before this one was announced
    for (int step = 0; step < 90; ++step) {
      const bool announced = SceneSchedule.StepsToChange() == 1;
      const int before = Spy.Count(ekKeys, 7);
      SceneSchedule.BeginStep();
      Bus.Tick();
      if (Spy.Count(ekKeys, 7) > before && step > 0) {
        ++repeats;
        announcedRightBefore += postedAnnounced ? 1 : 0;
      }
      postedAnnounced = announced;
      announcedSteps += SceneSchedule.StepsToChange() != TsysSceneSchedule::Never ? 1 : 0;
    }
    Input.KeyUp(vkTab, 0);
    Bus.Tick();
    SceneSchedule.BeginStep();
    Bus.Tick();
    EXPECT_EQ(SceneSchedule.StepsToChange(), TsysSceneSchedule::Never) << "released: nothing to come";
    const TKeyRepeatPace pace = KeyRepeatPace(setting);
    if (pace.Interval == 0) {
      EXPECT_EQ(repeats, 0);
      EXPECT_EQ(announcedSteps, 0);
    } else {
      EXPECT_EQ(repeats, 1 + (90 - 1 - pace.Delay) / pace.Interval);
      EXPECT_EQ(announcedRightBefore, repeats);
    }
  }
}

TEST_F(InputTest, AHoldKeepsBackTheClicksEnterAndSpaceOfAPressBegunBeforeOrDuringIt) {
  // A press under way when a panel opens: its repeats and its release are dropped.
  Input.ButtonDown(0, 10, 10, 0);
  Steps(1);
  Input.Hold(30);
  Steps(1);  // the repeat posted before the hold
  Spy.Got.clear();
  Steps(5);
  Input.ButtonUp(0, 10, 10, 0);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekMouse, 2), 0) << "no more repeats of the old press";
  EXPECT_EQ(Spy.Count(ekMouse, 3), 0) << "its release is not a click on the panel";
  // A click during the hold, even one released after it: nothing.
  Input.ButtonDown(0, 20, 20, 0);
  Steps(40);
  Input.ButtonUp(0, 20, 20, 0);
  Input.KeyDown(vkReturn, 0);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekMouse, 2) + Spy.Count(ekMouse, 3), 0);
  // Enter went down after the hold: it is a press of its own.
  Input.KeyUp(vkReturn, 0);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekKeys, 8), 1);
  EXPECT_EQ(Spy.Count(ekGame, 43), 1);

  Input.Hold(10);
  Spy.Got.clear();
  Input.PointerMove(5, 6, 0);
  Input.KeyDown(vkSpace, 0);
  Input.KeyUp(vkSpace, 0);
  Input.KeyDown(vkArrowLeft, 0);
  Input.KeyUp(vkArrowLeft, 0);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekMouse, 1), 1) << "the pointer still moves the hover";
  EXPECT_EQ(Spy.Count(ekKeys, 8), 1) << "only the arrow is used: Space is held back";
  // The step the hold ends, a click counts again.
  Steps(9);
  EXPECT_FALSE(Input.Holding());
  Spy.Got.clear();
  Input.ButtonDown(0, 1, 1, 0);
  Input.ButtonUp(0, 1, 1, 0);
  Steps(1);
  EXPECT_EQ(Spy.Count(ekMouse, 2), 1);
  EXPECT_EQ(Spy.Count(ekMouse, 3), 1);
}

TEST_F(InputTest, InTextModeTabStillMovesOnAndEscapeStillBacksOut) {
  TsysEventComponent box;
  Bus.Register(&box);
  box.PostEvent(pmImmediate, ekKeys, 3, 0, 0);
  Input.KeyDown(0x41, 0);
  Input.KeyUp(0x41, 0);
  Input.KeyDown(0x09, 0);
  Input.KeyUp(0x09, 0);
  Input.KeyDown(0x1B, 0);
  Input.KeyUp(0x1B, 0);
  Steps(2);
  Spy.Got.erase(std::remove_if(Spy.Got.begin(), Spy.Got.end(), [](const TGot& g) { return g.Code == 3; }),
                Spy.Got.end());
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekKeys, 7, 0x09, 0}, {ekKeys, 1, 0, 0}}));
}

TEST_F(InputTest, ClickRepeatsTheDownEventWithThePressPositionThenReleasesOnce) {
  Input.ButtonDown(0, 100, 200, 0);
  Steps(3);
  Input.ButtonUp(0, 105, 210, 0);
  Steps(2);
  // The press itself, then the repeat of each of the three steps it was held.
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekMouse, 2, 100, 200},
                                        {ekMouse, 2, 100, 200},
                                        {ekMouse, 2, 100, 200},
                                        {ekMouse, 2, 100, 200},
                                        {ekMouse, 3, 105, 210}}));
}

TEST_F(InputTest, PressesAndReleasesWithinOneStepArriveEachInOrder) {
  // A double click that the window delivers between two logic steps.
  Input.ButtonDown(0, 10, 20, 0);
  Input.ButtonUp(0, 10, 20, 0);
  Input.ButtonDown(0, 11, 21, 0);
  Input.ButtonUp(0, 11, 21, 0);
  Input.ButtonDown(1, 12, 22, 0);
  Input.ButtonUp(1, 12, 22, 0);
  Steps(3);
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekMouse, 2, 10, 20},
                                        {ekMouse, 3, 10, 20},
                                        {ekMouse, 2, 11, 21},
                                        {ekMouse, 3, 11, 21},
                                        {ekMouse, 4, 12, 22},
                                        {ekMouse, 5, 12, 22}}));
}

TEST_F(InputTest, MoveWheelAndOtherButtons) {
  Input.PointerMove(3, 4, 0);
  Input.WheelDown(5, 6);
  Input.WheelUp(7, 8);
  Input.ButtonUp(1, 9, 9, 0);
  Steps(1);
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekMouse, 1, 3, 4}, {ekMouse, 7, 5, 6}, {ekMouse, 6, 7, 8}, {ekMouse, 5, 9, 9}}));
}

TEST_F(InputTest, TextModePassesEditingKeysAndCharactersAndLeavesArrowsAlone) {
  TsysEventComponent box;
  Bus.Register(&box);
  box.PostEvent(pmImmediate, ekKeys, 3, 0, 0);
  EXPECT_TRUE(Input.TextMode);
  EXPECT_TRUE(Window.TextInput);
  Input.KeyDown(0x08, 1);
  Input.KeyPress('a');
  Input.KeyDown(0x25, 0);
  Input.KeyDown(0x41, 0);  // a letter key: its character comes as a key press
  Input.KeyUp(0x0D, 0);    // no binding is active in text mode
  Steps(4);
  Spy.Got.erase(std::remove_if(Spy.Got.begin(), Spy.Got.end(), [](const TGot& g) { return g.Code == 3; }),
                Spy.Got.end());
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekKeys, 5, 8, 1}, {ekKeys, 6, 97, 0}, {ekKeys, 5, 0x25, 0}}));
}

TEST_F(InputTest, LeavingTextModeStopsAHeldButtonsRepeat) {
  TsysEventComponent box;
  Bus.Register(&box);
  box.PostEvent(pmImmediate, ekKeys, 3, 0, 0);
  Input.ButtonDown(0, 1, 1, 0);  // buttons work in text mode
  Steps(2);  // the press and the repeat of step 1 delivered, step 2's waiting
  EXPECT_EQ(Spy.Count(ekMouse, 2), 2);
  box.PostEvent(pmImmediate, ekKeys, 4, 0, 0);
  EXPECT_FALSE(Window.TextInput);
  Steps(3);
  EXPECT_EQ(Spy.Count(ekMouse, 2), 3) << "only the one already posted arrives";
}

TEST_F(InputTest, NothingIsPostedBeforeStartupEndsOrAfterAQuitRequest) {
  Input.Enabled = false;
  Input.KeyUp(0x1B, 0);
  Input.ButtonDown(0, 1, 1, 0);
  Input.PointerMove(1, 1, 0);
  Steps(2);
  EXPECT_TRUE(Spy.Got.empty());
  Input.Enabled = true;
  Input.Context = -1;
  Input.KeyDown(0x25, 0);
  Steps(NavDelay + 1);
  Input.KeyUp(0x25, 0);
  Input.KeyUp(0x1B, 0);
  Input.ButtonUp(0, 1, 1, 0);
  Input.PointerMove(1, 1, 0);
  Steps(2);
  EXPECT_TRUE(Spy.Got.empty());
}

TEST_F(InputTest, UnboundKeyUpWithoutADownStillPostsWhenBound) {
  Input.KeyUp(0x50, 0);  // P
  Input.KeyUp(0x51, 0);  // Q: unbound
  Steps(1);
  EXPECT_EQ(Spy.Got, (std::vector<TGot>{{ekGame, 15, 0, 0}, {ekKeys, 8, 0x50, 0}, {ekKeys, 8, 0x51, 0}}));
}

}  // namespace
