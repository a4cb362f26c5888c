#pragma once
// The module that binds the frame timer to the bus, the graphics module and the
// director's shutdown.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/FrameTimer.h"
#include "core/sysModule.h"

class TsysEventHandler;

// What the timer needs of the graphics module each frame.
class TsysFramePresenter {
 public:
  virtual ~TsysFramePresenter() = default;
  virtual void RenderFrame() = 0;
  virtual void Present() = 0;
  // Whether the last frame showed nothing new (it was not drawn).
  virtual bool LastFrameUnchanged() const { return false; }
};

class TmodTimer : public TsysModule {
 public:
  TmodTimer(TsysMainWindow* owner, TsysClock* clock, TsysEventHandler* events,
            std::function<void()> onQuit, std::int32_t* frameRate, double rate);

  void SetEnabled(bool enabled) { Timer->Enabled = enabled; }
  bool GetEnabled() const { return Timer->Enabled; }
  void RequestQuit() { QuitRequested = true; }

  void DoTimer();
  void DoProcess();

  TsysEventHandler* Events;
  // Where the measured frame rate is written each frame; may be null.
  std::int32_t* FrameRate;
  TsysFramePresenter* Graphics = nullptr;
  std::unique_ptr<TFrameTimer> Timer;
  bool QuitRequested = false;
  std::function<void()> OnQuit;
};
