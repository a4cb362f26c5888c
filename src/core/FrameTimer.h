#pragma once
// Frame pacing and fixed logic steps, in 20-bit fixed-point milliseconds.
#include <cstdint>
#include <functional>

class TsysMainWindow;
class TsysClock;
class TsysSceneSchedule;

enum TPerformancePrecision { ppLow, ppHigh };

class TFrameTimer {
 public:
  static constexpr std::int32_t One = 1 << 20;            // 1.0 in fixed point
  static constexpr std::int32_t MaxDelta = 32 * One;      // at most 32 steps a frame
  // After this many frames in a row that showed nothing new, an idle pass
  // rests: it waits for input or for the next change the scene schedule
  // announces, RestMs at most, instead of keeping the frame rate. A rest no
  // longer than MaxDelta's 32 steps (533 ms) loses no logic step on waking.
  static constexpr std::int32_t RestAfter = 6;
  static constexpr std::uint32_t RestMs = 500;

  // Hooks the window's idle notification; a null window leaves the idle pass to the caller.
  TFrameTimer(TsysMainWindow* owner, TsysClock* clock);
  ~TFrameTimer();
  TFrameTimer(const TFrameTimer&) = delete;
  TFrameTimer& operator=(const TFrameTimer&) = delete;

  void SetSpeed(double speed);
  double GetSpeed() const { return Speed; }
  void SetMaxFPS(std::int32_t maxFps);
  std::int32_t GetMaxFPS() const { return MaxFPS; }

  // One idle pass of the application.
  void Idle();
  // Runs the owed logic steps; called from inside OnTimer.
  void Process();
  // Whether the frame just shown changed nothing on the screen.
  void NoteFrame(bool unchanged) {
    if (!unchanged && ShowingAnnounced == 0) Settled = false;
    if (ShowingAnnounced > 0) --ShowingAnnounced;
    QuietFrames = unchanged ? QuietFrames + 1 : 0;
    if (QuietFrames >= RestAfter) Settled = true;
  }
  // A screen that rested, and has since changed only as announced (a caret's
  // blink), rests again after the one frame that shows the change.
  bool Resting() const { return Enabled && (QuietFrames >= RestAfter || (Settled && QuietFrames >= 1)); }
  // How long a resting pass may wait after its frame: until the step of the
  // next announced change is owed (the part of a step still owed counts), at
  // most RestMs; 0 when that step is owed already.
  std::uint32_t RestWait() const;

  bool Enabled = false;
  TPerformancePrecision Precision = ppLow;
  std::function<void()> OnTimer;
  std::function<void()> OnProcess;
  // Told of every logic step; the program's own unless a test gives another.
  TsysSceneSchedule* Schedule;

  std::int32_t MinLatency = 0;
  std::int32_t SpeedLatency = 0;
  std::int32_t Latency = 0;
  std::int32_t Delta = 0;
  std::int32_t DeltaAccum = 0;
  bool Processed = false;
  std::int32_t FrameRate = 0;
  std::int64_t SampleLatency = 0;
  std::int32_t SampleIndex = 0;
  // Whole milliseconds slept by the last pass (measured by this pass's reading).
  std::int32_t LastSleep = 0;

 private:
  void ReadClock();

  TsysMainWindow* Owner;
  TsysClock* Clock;
  double Speed = 60.0;
  std::int32_t MaxFPS = 100;
  std::uint64_t LastCounter = 0;
  std::uint64_t CounterFrequency = 0;
  std::uint32_t LastTick = 0;
  std::int32_t SleepCarry = 0;  // fraction of a millisecond the sleeps still owe
  std::int32_t QuietFrames = 0;
  bool Settled = false;
  std::int32_t ShowingAnnounced = 0;  // frames still showing an announced change
  bool RestedLast = false;
  std::uint64_t MessagesSeen = 0;  // the window's count at the last pass
};
