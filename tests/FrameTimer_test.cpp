#include <gtest/gtest.h>

#include "core/FrameTimer.h"
#include "core/modTimer.h"
#include "core/sysEventComponent.h"
#include "core/sysEventHandler.h"
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
  }
  // One idle pass after a frame of the given length.
  void Frame(double ms) {
    Clock.AdvanceMs(ms);
    Window.Idle();
  }
  TFakeWindow Window;
  TFakeClock Clock;
  TFrameTimer Timer;
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

TEST_F(FrameTimerTest, DisabledTimerOnlySleepsFiveMilliseconds) {
  Timer.Enabled = false;
  Frame(50);
  Frame(50);
  EXPECT_EQ(Steps, 0);
  EXPECT_EQ(Clock.Sleeps, (std::vector<std::uint32_t>{5, 5}));
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
  const int resting = passesOver(1000);
  EXPECT_GE(resting, 18);
  EXPECT_LE(resting, 21) << "a rest of 50 ms a pass";
  EXPECT_NEAR(Steps - stepsBefore, 60, 2) << "the logic still gets its sixty steps a second";
  EXPECT_EQ(Clock.Sleeps.back(), TFrameTimer::RestMs);

  // A window message: the next passes keep the frame rate again.
  ++Window.Messages;
  EXPECT_EQ(passesOver(100), 6);
  EXPECT_NEAR(Clock.Sleeps.back(), 15.5, 0.6) << "the rest of a sixtieth";
  passesOver(50);
  EXPECT_EQ(Clock.Sleeps.back(), TFrameTimer::RestMs);

  // So does a frame that changed something.
  unchanged = false;
  passesOver(1);
  unchanged = true;
  EXPECT_EQ(passesOver(100), 6);

  Timer.Enabled = false;  // a stopped timer keeps its short sleeps
  passesOver(20);
  EXPECT_EQ(Clock.Sleeps.back(), 5u);
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
