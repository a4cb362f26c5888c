// Play by keys: P pauses, F1 opens a mission level's help, Backspace or
// Delete takes back the first point of a line, and the board cursor takes the
// arrows, Home, Page Up, Page Down, Enter and Space (objCursor).
#include "core/sysEvent.h"
#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "game/objCursor.h"
#include "objects/objLabel.h"
#include "objects/objPushButton.h"
#include "objects/sysObjects.h"
#include "render/modInput.h"

namespace {

// Over the board and the monsters, centred on the board.
constexpr double PauseLayer = 20;
constexpr std::int32_t PauseWidth = 400;
constexpr std::int32_t PauseHeight = 60;
constexpr double PauseX = 640 - PauseWidth / 2.0;
constexpr double PauseY = 384 - PauseHeight / 2.0;

bool IsKey(const TsysEvent* event, std::uint16_t code, int key) {
  return event->Kind == ekKeys && event->Code == code && event->Param == key;
}

}  // namespace

void TfrmGame::SetKeyPaused(bool paused) {
  TsysResources& res = *Resources();
  KeyPaused = paused;
  res.Paused = paused;
  if (paused && (PausePanel == nullptr || !Objects()->IsAlive(PausePanel))) {
    PausePanel = Objects()->Create<TobjLabel>(Group, otLabel, PauseX, PauseY, PauseLayer, PauseWidth, PauseHeight);
    if (PausePanel != nullptr) {
      PausePanel->SetFramed(true);
      PausePanel->Caption->SetText(Tr("PAUSED: PRESS P TO PLAY ON"), 12, true, true, false, true, true);
      PausePanel->SetAlpha(255);
    }
  }
  if (PausePanel != nullptr && Objects()->IsAlive(PausePanel)) PausePanel->SetVisible(paused);
}

bool TfrmGame::HandleKeys(TsysEvent* event) {
  TsysResources& res = *Resources();
  if (Closing || (event->Kind != ekKeys && event->Kind != ekMouse)) return false;
  if (KeyPaused) {
    // P, Enter or Space play on; Escape plays on into the menu, which pauses again.
    if (IsKey(event, 8, vkP) || IsKey(event, 8, vkReturn) || IsKey(event, 8, vkSpace)) {
      SetKeyPaused(false);
      return true;
    }
    if (event->Kind == ekKeys && event->Code == 1) SetKeyPaused(false);
    return false;
  }
  if (res.Paused || res.GameOver) return false;
  if (IsKey(event, 8, vkP)) {
    SetKeyPaused(true);
    return true;
  }
  if (IsKey(event, 8, vkBackspace) || IsKey(event, 8, vkDelete)) {
    PostEvent(pmQueued, ekGame, 49, 0, 0);
    return true;
  }
  if (IsKey(event, 8, vkF1)) {
    if (Hud.HelpButton != nullptr && Hud.HelpButton->Visible && Hud.HelpButton->Enabled) Hud.HelpButton->Press();
    return true;
  }
  return Cursor->HandleEvent(*event);
}

void TfrmGame::StepKeys() { Cursor->Step(); }
