#include "core/FrameTimer.h"

#include <algorithm>
#include <limits>

#include "core/rndDrawn.h"
#include "core/sysMainWindow.h"
#include "core/sysRound.h"
#include "core/sysSceneSchedule.h"

namespace {

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

TFrameTimer::TFrameTimer(TsysMainWindow* owner, TsysClock* clock)
    : Schedule(&SceneSchedule), Owner(owner), Clock(clock) {
  SetSpeed(60.0);
  SetMaxFPS(100);
  CounterFrequency = Clock->Frequency();
  Precision = CounterFrequency > 0 ? ppHigh : ppLow;
  if (Precision == ppHigh)
    LastCounter = Clock->Counter();
  else
    LastTick = Clock->TickCount();
  if (Owner != nullptr) Owner->SetIdleHandler([this] { Idle(); });
}

TFrameTimer::~TFrameTimer() {
  if (Owner != nullptr) Owner->SetIdleHandler(nullptr);
}

void TFrameTimer::SetSpeed(double speed) {
  Speed = speed < 1.0 ? 1.0 : speed;
  SpeedLatency = static_cast<std::int32_t>(Round(1048576000.0 / Speed));
}

void TFrameTimer::SetMaxFPS(std::int32_t maxFps) {
  MaxFPS = maxFps < 1 ? 1 : maxFps;
  MinLatency = static_cast<std::int32_t>(Round(1048576000.0 / MaxFPS));
}

void TFrameTimer::ReadClock() {
  // A stall longer than the fixed-point range (about 2 s) saturates instead of
  // wrapping to a negative frame time.
  if (Precision == ppHigh) {
    const std::uint64_t now = Clock->Counter();
    const std::uint64_t elapsed = now - LastCounter;
    LastCounter = now;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(elapsed) * (1000u << 20);
    const unsigned __int128 value = scaled / CounterFrequency;
    Latency = value > static_cast<unsigned __int128>(std::numeric_limits<std::int32_t>::max())
                  ? std::numeric_limits<std::int32_t>::max()
                  : static_cast<std::int32_t>(value);
  } else {
    const std::uint32_t now = Clock->TickCount();
    const std::uint32_t elapsed = now - LastTick;
    LastTick = now;
    Latency = Saturate(static_cast<std::int64_t>(elapsed) << 20);
  }
}

void TFrameTimer::Idle() {
  ReadClock();
  if (Owner != nullptr) {
    const std::uint64_t messages = Owner->MessagesHandled();
    if (messages != MessagesSeen) {
      QuietFrames = 0;
      Settled = false;
    }
    MessagesSeen = messages;
  }
  if (!Enabled) {
    // In the background nothing runs but the window's messages, which end the wait.
    const std::uint32_t before = Clock->TickCount();
    Clock->WaitForInput(RestMs);
    LastSleep = static_cast<std::int32_t>(std::min<std::uint32_t>(Clock->TickCount() - before, RestMs));
    return;
  }

  // The cap compares the minimum frame with the time the last frame spent working:
  // what it slept is part of this reading but must not be counted as work, or
  // every other frame would skip its sleep and the cap would double.
  const std::int64_t work = static_cast<std::int64_t>(Latency) - (static_cast<std::int64_t>(LastSleep) << 20);
  std::int32_t slept = 0;
  const std::int64_t wanted = static_cast<std::int64_t>(MinLatency) - work + SleepCarry;
  if (RestedLast) {
    // The rest at the end of the last pass gave this frame its time.
    SleepCarry = 0;
  } else if (wanted > 0) {
    slept = static_cast<std::int32_t>(std::min<std::int64_t>(wanted >> 20, 1000));
    SleepCarry = static_cast<std::int32_t>(wanted - (static_cast<std::int64_t>(slept) << 20));
    SleepCarry = std::min(SleepCarry, One);
    if (slept > 0) Clock->Sleep(static_cast<std::uint32_t>(slept));
  } else {
    SleepCarry = 0;
  }
  LastSleep = slept;

  const std::int64_t delta = (static_cast<std::int64_t>(Latency) << 20) / SpeedLatency;
  Delta = static_cast<std::int32_t>(std::min<std::int64_t>(delta, MaxDelta));

  // Frame-rate sample: each reading already holds the sleep before it.
  SampleLatency += Latency;
  const std::int32_t sampleLength = Latency <= 0 ? 4 : 0x3E800000 / Latency;
  ++SampleIndex;
  if (SampleIndex >= sampleLength) {
    if (SampleLatency > 0)
      FrameRate = static_cast<std::int32_t>((static_cast<std::int64_t>(SampleIndex) << 20) * 1000 / SampleLatency);
    SampleLatency = 0;
    SampleIndex = 0;
  }

  if (Processed) {
    DeltaAccum = Saturate(static_cast<std::int64_t>(DeltaAccum) + Delta);
    Processed = false;
  }
  if (OnTimer) OnTimer();

  // Nothing on the screen has changed for a while: no need to wake sixty times
  // a second. The rest comes after the frame, so the steps it owes run as soon
  // as it ends; input ends it at once, and the passes after input keep the
  // frame rate again, so the answer to a click is not delayed. (A quit from
  // inside the frame has disabled the timer.)
  RestedLast = false;
  if (!Resting()) return;
  const std::uint32_t wait = RestWait();
  if (wait == 0) return;
  const std::uint32_t before = Clock->TickCount();
  Clock->WaitForInput(wait);
  LastSleep += static_cast<std::int32_t>(std::min<std::uint32_t>(Clock->TickCount() - before, wait));
  RestedLast = true;
}

std::uint32_t TFrameTimer::RestWait() const {
  const std::uint64_t steps = Schedule != nullptr ? Schedule->StepsToChange() : TsysSceneSchedule::Never;
  // Further than a longest rest away: the cap decides anyway.
  const std::uint64_t farSteps = RestMs * static_cast<std::uint64_t>(Round(Speed)) / 1000 + 2;
  if (steps > farSteps) return RestMs;
  // What the frame has left owed (a part of a step) counts.
  const std::int64_t needed = static_cast<std::int64_t>(steps) * One - DeltaAccum;
  if (needed <= 0) return 0;
  const std::int64_t fixedMs = (needed * SpeedLatency) >> 20;
  const std::int64_t ms = (fixedMs + One - 1) >> 20;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 1, RestMs));
}

void TFrameTimer::Process() {
  Processed = true;
  const std::int32_t steps = DeltaAccum >> 20;
  if (steps < 1) return;
  for (std::int32_t i = 0; i < steps; ++i) {
    const bool announced = Schedule != nullptr && Schedule->StepsToChange() == 1;
    const std::uint64_t revision = SceneRevision;
    if (Schedule != nullptr) Schedule->BeginStep();
    if (OnProcess) OnProcess();
    if (SceneRevision == revision) continue;
    if (announced)
      ShowingAnnounced = 2;  // the frame of this step, and the one that draws it
    else
      Settled = false;
  }
  DeltaAccum &= 0xFFFFF;
}
