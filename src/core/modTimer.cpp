#include "core/modTimer.h"

#include "core/rndDrawn.h"
#include "core/sysEventHandler.h"
#include "core/sysSceneSchedule.h"

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
  // A step that changed the scene is drawn by the next frame: no rest before it.
  const std::uint64_t drawn = SceneRevision;
  Timer->Process();
  if (Graphics != nullptr) {
    Graphics->Present();
    Timer->NoteFrame(Graphics->LastFrameUnchanged() && SceneRevision == drawn);
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
  // What this step posted is handed out by the next one: a resting screen wakes for it.
  if (!Events->Pending.empty() && Timer->Schedule != nullptr) Timer->Schedule->ChangeIn(1);
  if (FrameRate != nullptr) *FrameRate = Timer->FrameRate;
}
