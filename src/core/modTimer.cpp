#include "core/modTimer.h"

#include "core/sysEventHandler.h"
#include "objects/sysInterface.h"

TmodTimer::TmodTimer(TsysMainWindow* owner, TsysClock* clock, TsysEventHandler* events,
                     std::function<void()> onQuit, TsysInterface* iface, double rate)
    : TsysModule(owner), Events(events), Interface(iface), OnQuit(std::move(onQuit)) {
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
  if (Graphics != nullptr) Graphics->Present();
  if (QuitRequested && OnQuit) {
    Timer->Enabled = false;
    // Shutdown frees this module; nothing may touch it afterwards.
    auto quit = OnQuit;
    quit();
  }
}

void TmodTimer::DoProcess() {
  Events->Tick();
  if (Interface != nullptr) Interface->FrameRate = Timer->FrameRate;
}
