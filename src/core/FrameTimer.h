#pragma once
// Frame pacing and fixed logic steps, in 20-bit fixed-point milliseconds.
#include <cstdint>
#include <functional>

class TsysMainWindow;
class TsysClock;

enum TPerformancePrecision { ppLow, ppHigh };

class TFrameTimer {
 public:
  static constexpr std::int32_t One = 1 << 20;            // 1.0 in fixed point
  static constexpr std::int32_t MaxDelta = 32 * One;      // at most 32 steps a frame
  // After this many frames in a row that showed nothing new, an idle pass
  // rests: it waits up to RestMs for input instead of keeping the frame rate.
  static constexpr std::int32_t RestAfter = 6;
  static constexpr std::uint32_t RestMs = 50;

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
  void NoteFrame(bool unchanged) { QuietFrames = unchanged ? QuietFrames + 1 : 0; }
  bool Resting() const { return Enabled && QuietFrames >= RestAfter; }

  bool Enabled = false;
  TPerformancePrecision Precision = ppLow;
  std::function<void()> OnTimer;
  std::function<void()> OnProcess;

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
  std::uint64_t MessagesSeen = 0;  // the window's count at the last pass
};
