#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/FrameTimer.h"
#include "core/modTimer.h"
#include "core/sysEventComponent.h"
#include "core/rndDrawn.h"
#include "core/sysEventHandler.h"
#include "core/sysSceneSchedule.h"
#include "testSupport.h"

namespace {

class FrameTimerTest : public ::testing::Test {
 protected:
  FrameTimerTest() : Timer(&Window, &Clock) {
    Timer.SetSpeed(60.0);
    Timer.SetMaxFPS(60);
    Timer.Enabled = true;
    Timer.OnTimer = [this] { Timer.Process(); };
    Timer.OnProcess = [this] { ++Steps; };
    Timer.Schedule = &Schedule;
  }
  // One idle pass after a frame of the given length.
  void Frame(double ms) {
    Clock.AdvanceMs(ms);
    Window.Idle();
  }
  TFakeWindow Window;
  TFakeClock Clock;
  TFrameTimer Timer;
  TsysSceneSchedule Schedule;
  int Steps = 0;
};

TEST_F(FrameTimerTest, ConstantsInFixedPoint) {
  EXPECT_EQ(Timer.SpeedLatency, 17476267);
  EXPECT_EQ(Timer.MinLatency, 17476267);
  EXPECT_EQ(Timer.Precision, ppHigh);
  Timer.SetSpeed(0.5);
  EXPECT_EQ(Timer.GetSpeed(), 1.0);
  Timer.SetMaxFPS(0);
  EXPECT_EQ(Timer.GetMaxFPS(), 1);
}

TEST_F(FrameTimerTest, FirstFrameRunsNoStep) {
  Frame(50);
  EXPECT_EQ(Steps, 0) << "nothing is owed before Process has run once";
  EXPECT_TRUE(Timer.Processed);
}

TEST_F(FrameTimerTest, FiftyMillisecondFramesGiveTwoTicksAndCarryJustUnderOne) {
  Frame(50);
  Frame(50);
  EXPECT_EQ(Timer.Delta, 3145727);
  EXPECT_EQ(Steps, 2);
  EXPECT_EQ(Timer.DeltaAccum, 1048575);
  Frame(50);
  EXPECT_EQ(Steps, 5) << "the carried fraction makes the next frame pay three";
}

TEST_F(FrameTimerTest, TenMillisecondFramesOweJustUnderSixTenths) {
  Frame(10);
  Frame(10);
  EXPECT_EQ(Timer.Delta, 629145);
  EXPECT_EQ(Steps, 0);
  Frame(10);
  EXPECT_EQ(Steps, 1);
  EXPECT_EQ(Timer.DeltaAccum, 2 * 629145 - 1048576);
}

TEST_F(FrameTimerTest, StallOfTwoSecondsGivesThirtyTwoSteps) {
  Frame(16);
  Frame(2000);
  EXPECT_EQ(Timer.Delta, TFrameTimer::MaxDelta);
  EXPECT_EQ(Steps, 32);
}

TEST_F(FrameTimerTest, StallLongerThanTheFixedPointRangeStillGivesThirtyTwoSteps) {
  Frame(16);
  Frame(10000);  // 10 s overflows 32-bit fixed point
  EXPECT_GT(Timer.Latency, 0);
  EXPECT_EQ(Steps, 32);
}

TEST_F(FrameTimerTest, DisabledTimerOnlyWaitsForTheWindowsMessages) {
  Timer.Enabled = false;
  Frame(50);
  Frame(50);
  EXPECT_EQ(Steps, 0);
  EXPECT_EQ(Clock.Sleeps, (std::vector<std::uint32_t>{TFrameTimer::RestMs, TFrameTimer::RestMs}));
}

TEST_F(FrameTimerTest, ShortFrameSleepsTheRestOfTheSixtiethInWholeMilliseconds) {
  Frame(16.6666);  // a full frame: no sleep
  EXPECT_TRUE(Clock.Sleeps.empty());
  Frame(4);  // worked 4 ms: sleep the remaining 12.67 ms, truncated
  ASSERT_EQ(Clock.Sleeps.size(), 1u);
  EXPECT_EQ(Clock.Sleeps[0], 12u);
}

TEST_F(FrameTimerTest, CapHoldsSixtyFramesASecondWithSleepsMeasuredByTheNextPass) {
  Clock.AdvanceOnSleep = true;
  Window.Idle();
  const std::uint64_t start = Clock.Now;
  for (int i = 0; i < 600; ++i) {
    Clock.AdvanceMs(1.0);  // each frame works 1 ms
    Window.Idle();
  }
  const double seconds = static_cast<double>(Clock.Now - start) / 1e6;
  const double fps = 600 / seconds;
  EXPECT_NEAR(fps, 60.0, 1.0);
  EXPECT_NEAR(Timer.FrameRate, 60, 1);
  EXPECT_NEAR(Steps, 600, 2) << "one logic step per frame at 60 frames a second";
}

TEST_F(FrameTimerTest, AnUnchangingScreenRestsBetweenPassesUntilInputOrAChangeComes) {
  Clock.AdvanceOnSleep = true;
  bool unchanged = true;
  Timer.OnTimer = [&] {
    Timer.Process();
    Timer.NoteFrame(unchanged);
  };
  Window.Idle();
  // Passes (each working 1 ms) until the clock has moved the given time.
  auto passesOver = [&](double ms) {
    const std::uint64_t end = Clock.Now + static_cast<std::uint64_t>(ms * 1000.0);
    int passes = 0;
    for (; Clock.Now < end; ++passes) {
      Clock.AdvanceMs(1.0);
      Window.Idle();
    }
    return passes;
  };
  passesOver(1000);
  const int stepsBefore = Steps;
  const int resting = passesOver(2000);
  EXPECT_GE(resting, 3);
  EXPECT_LE(resting, 5) << "nothing announced: a rest of 500 ms a pass";
  EXPECT_NEAR(Steps - stepsBefore, 120, 2) << "the logic still gets its sixty steps a second";
  EXPECT_EQ(Clock.Sleeps.back(), TFrameTimer::RestMs);

  // A window message: the next passes keep the frame rate again.
  ++Window.Messages;
  EXPECT_EQ(passesOver(100), 6);
  ASSERT_GE(Clock.Sleeps.size(), 2u);
  EXPECT_NEAR(Clock.Sleeps[Clock.Sleeps.size() - 2], 15.5, 0.6) << "the rest of a sixtieth";
  EXPECT_EQ(Clock.Sleeps.back(), TFrameTimer::RestMs) << "after the sixth quiet frame";

  // So does a frame that changed something.
  unchanged = false;
  passesOver(1);
  unchanged = true;
  EXPECT_EQ(passesOver(100), 6);

  Timer.Enabled = false;  // a stopped timer waits for messages alone
  passesOver(20);
  EXPECT_EQ(Clock.Sleeps.back(), TFrameTimer::RestMs);
}

// A screen with a caret that blinks every 26 steps, drawn as the timer module
// draws: the frame first, then the steps, so a step's change shows on the next
// frame. Runs five seconds; gives the passes.
class BlinkingCaret {
 public:
  BlinkingCaret(TFrameTimer& timer, TFakeClock& clock, TsysSceneSchedule& schedule, bool announced) {
    timer.OnProcess = [&, announced] {
      ++Steps;
      if (--Counter < 0) {
        Counter = 25;
        Changed = true;
        MarkSceneChanged();
        LateMs.push_back(static_cast<double>(clock.Now - StepZero) / 1000.0 - Steps * 1000.0 / 60.0);
      }
      if (announced) schedule.ChangeIn(Counter + 1);
    };
    timer.OnTimer = [&] {
      const bool drew = Changed;
      if (drew) DrawnAt.push_back(clock.Now);
      Changed = false;
      timer.Process();
      timer.NoteFrame(!drew && !Changed);
    };
  }
  int Run(TFakeWindow& window, TFakeClock& clock) {
    window.Idle();
    StepZero = clock.Now;
    int passes = 0;
    for (; clock.Now < StepZero + 5'000'000 && passes < 10'000; ++passes) {
      clock.AdvanceMs(1.0);
      window.Idle();
    }
    window.Idle();  // the steps the last rest owes
    return passes + 1;
  }
  int Steps = 0;
  int Counter = 25;
  bool Changed = false;
  std::uint64_t StepZero = 0;
  std::vector<double> LateMs;  // how long after its own moment each blink's step ran
  std::vector<std::uint64_t> DrawnAt;
};

TEST_F(FrameTimerTest, ARestingScreenWakesForEachAnnouncedChangeOnTime) {
  Clock.AdvanceOnSleep = true;
  BlinkingCaret caret(Timer, Clock, Schedule, true);
  const int passes = caret.Run(Window, Clock);
  ASSERT_GE(caret.LateMs.size(), 10u);
  // The first pass owes no step, so "late" has a constant offset of under a frame.
  const auto [early, late] = std::minmax_element(caret.LateMs.begin(), caret.LateMs.end());
  EXPECT_LE(*late - *early, 18.0) << "each blink's step runs within a frame of its moment";
  EXPECT_LE(std::abs(*late), 34.0);
  for (std::size_t i = 1; i < caret.DrawnAt.size(); ++i)
    EXPECT_NEAR(static_cast<double>(caret.DrawnAt[i] - caret.DrawnAt[i - 1]) / 1000.0, 26 * 1000.0 / 60.0, 18.0);
  // Per blink: the rest, the pass that runs its step, the frame that shows it
  // and one more that finds nothing new.
  EXPECT_LE(passes, static_cast<int>(caret.LateMs.size() + 2) * 4);
}

TEST_F(FrameTimerTest, AChangeNobodyAnnouncedKeepsTheFrameRateForAWhile) {
  Clock.AdvanceOnSleep = true;
  BlinkingCaret caret(Timer, Clock, Schedule, false);
  const int passes = caret.Run(Window, Clock);
  ASSERT_GE(caret.LateMs.size(), 10u);
  // Seen at the next wake at the latest, a longest rest later.
  for (double late : caret.LateMs) EXPECT_LE(late, TFrameTimer::RestMs + 34.0);
  // Each change is followed by RestAfter frames at the frame rate.
  EXPECT_GE(passes, static_cast<int>(caret.LateMs.size() - 1) * (TFrameTimer::RestAfter + 1));
  EXPECT_NEAR(caret.Steps, static_cast<double>(Clock.Now - caret.StepZero) * 60.0 / 1e6, 1.5)
      << "no step is lost to the rests";
}

TEST_F(FrameTimerTest, TheRestWaitCountsWhatIsOwedAlready) {
  EXPECT_EQ(Timer.RestWait(), TFrameTimer::RestMs) << "nothing announced";
  Schedule.BeginStep();
  Schedule.ChangeIn(2);
  Timer.DeltaAccum = 0;
  EXPECT_EQ(Timer.RestWait(), 34u) << "two steps of 16.67 ms, rounded up";
  Timer.DeltaAccum = TFrameTimer::One;
  EXPECT_EQ(Timer.RestWait(), 17u);
  Timer.DeltaAccum = 2 * TFrameTimer::One - 1;
  EXPECT_EQ(Timer.RestWait(), 1u) << "a sliver left is still waited for";
  Timer.DeltaAccum = 2 * TFrameTimer::One;
  EXPECT_EQ(Timer.RestWait(), 0u) << "owed exactly: no wait";
  Timer.DeltaAccum = TFrameTimer::One + TFrameTimer::One / 2;
  EXPECT_EQ(Timer.RestWait(), 9u);

  // Far announcements: the longest rest, never more.
  Timer.DeltaAccum = 0;
  Schedule.BeginStep();
  Schedule.ChangeIn(32);  // just inside the computed range: 533 ms, capped
  EXPECT_EQ(Timer.RestWait(), TFrameTimer::RestMs);
  Schedule.BeginStep();
  Schedule.ChangeIn(30);
  EXPECT_EQ(Timer.RestWait(), TFrameTimer::RestMs) << "a hair over 500 ms: the cap";
  Schedule.BeginStep();
  Schedule.ChangeIn(29);
  EXPECT_EQ(Timer.RestWait(), 484u);
}

TEST(SceneScheduleTest, EachStepForgetsTheAnnouncementsBeforeIt) {
  TsysSceneSchedule schedule;
  EXPECT_EQ(schedule.StepsToChange(), TsysSceneSchedule::Never);
  schedule.BeginStep();
  schedule.ChangeIn(10);
  schedule.ChangeIn(4);
  schedule.ChangeIn(7);
  EXPECT_EQ(schedule.StepsToChange(), 4u) << "the earliest wins";
  schedule.ChangeIn(0);
  EXPECT_EQ(schedule.StepsToChange(), 1u) << "now means the next step";
  schedule.BeginStep();
  EXPECT_EQ(schedule.StepsToChange(), TsysSceneSchedule::Never) << "not announced again";
}

TEST_F(FrameTimerTest, FrameRateSampleAtOneHundredFramesASecond) {
  Timer.SetMaxFPS(100);
  for (int i = 0; i < 100; ++i) Frame(10);
  EXPECT_TRUE(Clock.Sleeps.empty());
  EXPECT_EQ(Timer.FrameRate, 100);
  EXPECT_EQ(Timer.SampleIndex, 0);
}

TEST_F(FrameTimerTest, PassWithoutProcessOwesNothingOnTheNextPass) {
  Frame(16.7);  // Process runs: time is owed from here on
  Timer.OnTimer = nullptr;
  Frame(100);  // owed, but this pass does not call Process
  EXPECT_EQ(Timer.DeltaAccum, 6291455);
  Timer.OnTimer = [this] { Timer.Process(); };
  Frame(16.7);  // this frame's time is not added; the 100 ms are paid
  EXPECT_EQ(Steps, 5);
  EXPECT_EQ(Timer.DeltaAccum, 6291455 & 0xFFFFF);
}

// --- TmodTimer

class Counter : public TsysEventComponent {
 public:
  void ProcessEvents() override { ++Ticks; }
  int Ticks = 0;
};

class Presenter : public TsysFramePresenter {
 public:
  explicit Presenter(std::vector<std::string>* log) : Log(log) {}
  void RenderFrame() override { Log->push_back("render"); }
  void Present() override { Log->push_back("present"); }
  std::vector<std::string>* Log;
};

TEST(TmodTimerTest, RendersThenStepsThenPresentsThenQuitsAtTheEndOfTheFrame) {
  TFakeWindow window;
  TFakeClock clock;
  TsysEventHandler bus;
  std::vector<std::string> log;
  Counter counter;
  counter.EventMask = 0;
  bus.Register(&counter);
  int quits = 0;
  TmodTimer timer(&window, &clock, &bus, [&] { log.push_back("quit"); ++quits; }, nullptr, 60.0);
  Presenter presenter(&log);
  timer.Graphics = &presenter;
  timer.Timer->OnProcess = [&] {
    timer.DoProcess();
    log.push_back("step");
  };
  window.Idle();
  EXPECT_TRUE(log.empty()) << "created disabled";
  timer.SetEnabled(true);
  clock.AdvanceMs(34);
  window.Idle();  // first enabled frame: no step
  clock.AdvanceMs(34);
  window.Idle();
  EXPECT_EQ(log, (std::vector<std::string>{"render", "present", "render", "step", "step", "present"}));
  EXPECT_EQ(counter.Ticks, 2);
  log.clear();
  timer.RequestQuit();
  EXPECT_TRUE(log.empty()) << "a quit is only a request";
  clock.AdvanceMs(17);
  window.Idle();
  EXPECT_EQ(log.back(), "quit");
  EXPECT_EQ(log.front(), "render");
  EXPECT_FALSE(timer.GetEnabled());
  window.Idle();
  EXPECT_EQ(quits, 1);
}

class ChangingPresenter : public TsysFramePresenter {
 public:
  void RenderFrame() override {}
  void Present() override {}
  bool LastFrameUnchanged() const override { return true; }
};

TEST(TmodTimerTest, AStepThatChangesTheSceneKeepsTheNextPassAwake) {
  TFakeWindow window;
  TFakeClock clock;
  clock.AdvanceOnSleep = true;
  TsysEventHandler bus;
  TmodTimer timer(&window, &clock, &bus, [] {}, nullptr, 60.0);
  ChangingPresenter presenter;
  timer.Graphics = &presenter;
  bool changeEachStep = false;
  timer.Timer->OnProcess = [&] {
    if (changeEachStep) MarkSceneChanged();
  };
  timer.SetEnabled(true);
  for (int i = 0; i < 20; ++i) {
    clock.AdvanceMs(17);
    window.Idle();
  }
  EXPECT_TRUE(timer.Timer->Resting()) << "frames unchanged, steps quiet";
  changeEachStep = true;
  for (int i = 0; i < 20; ++i) {
    clock.AdvanceMs(17);
    window.Idle();
  }
  EXPECT_FALSE(timer.Timer->Resting()) << "the frames were unchanged, but the steps were not";
}

class Poster : public TsysEventComponent {
 public:
  void ProcessEvents() override {
    if (PostNow) PostEvent(pmQueued, ekGame, 1, 0, 0);
  }
  bool PostNow = false;
};

TEST(TmodTimerTest, AnEventPostedForTheNextStepIsAnnounced) {
  TFakeWindow window;
  TFakeClock clock;
  TsysEventHandler bus;
  TsysSceneSchedule schedule;
  TmodTimer timer(&window, &clock, &bus, [] {}, nullptr, 60.0);
  timer.Timer->Schedule = &schedule;
  Poster poster;
  poster.EventMask = 0;
  bus.Register(&poster);
  schedule.BeginStep();
  timer.DoProcess();
  EXPECT_EQ(schedule.StepsToChange(), TsysSceneSchedule::Never) << "nothing posted";
  poster.PostNow = true;
  schedule.BeginStep();
  timer.DoProcess();
  EXPECT_EQ(schedule.StepsToChange(), 1u) << "posted during the step, handed out by the next";
  poster.PostNow = false;
  schedule.BeginStep();
  timer.DoProcess();
  EXPECT_EQ(schedule.StepsToChange(), TsysSceneSchedule::Never) << "handed out, nothing left";
}

TEST(TmodTimerTest, RequestedQuitWaitsWhileDisabled) {
  TFakeWindow window;
  TFakeClock clock;
  TsysEventHandler bus;
  int quits = 0;
  TmodTimer timer(&window, &clock, &bus, [&] { ++quits; }, nullptr, 60.0);
  timer.RequestQuit();
  for (int i = 0; i < 5; ++i) {
    clock.AdvanceMs(17);
    window.Idle();
  }
  EXPECT_EQ(quits, 0);
  timer.SetEnabled(true);
  window.Idle();
  EXPECT_EQ(quits, 1);
}

}  // namespace
