#include "core/modTimer.h"

#include "core/sysEventHandler.h"

TmodTimer::TmodTimer(TsysMainWindow* owner, TsysClock* clock, TsysEventHandler* events,
                     std::function<void()> onQuit, std::int32_t* frameRate, double rate)
    : TsysModule(owner), Events(events), FrameRate(frameRate), OnQuit(std::move(onQuit)) {
  EventMask = 0;
  Timer = std::make_unique<TFrameTimer>(owner, clock);
  Timer->Enabled = false;
  Timer->SetMaxFPS(60);
  Timer->SetSpeed(rate);
  Timer->OnTimer = [this] { DoTimer(); };
  Timer->OnProcess = [this] { DoProcess(); };
}

void TmodTimer::DoTimer() {
  if (Graphics != nullptr) Graphics->RenderFrame();
  Timer->Process();
  if (Graphics != nullptr) {
    Graphics->Present();
    Timer->NoteFrame(Graphics->LastFrameUnchanged());
  }
  if (QuitRequested && OnQuit) {
    Timer->Enabled = false;
    // Shutdown frees this module; nothing may touch it afterwards.
    auto quit = OnQuit;
    quit();
  }
}

void TmodTimer::DoProcess() {
  Events->Tick();
  if (FrameRate != nullptr) *FrameRate = Timer->FrameRate;
}
