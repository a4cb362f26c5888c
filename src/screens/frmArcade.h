#pragma once
// Arcade set-up: the player picks a difficulty and starts a game with one of the
// three game-mode buttons, each previewing its mode while the pointer rests on it.
#include <array>

#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;
class TobjGroupButton;

class TfrmArcade : public TsysForm {
 public:
  TfrmArcade(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // A difficulty entry (ekGame 23) sets the difficulty of the coming game.
  void HandleEvent(TsysEvent* event) override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjGroupButton* Difficulties = nullptr;
  // ROZIR IVIVURUDA, VOVE'R UDA ZERIR?, DEFINE THE LINE.
  std::array<TobjButton*, 3> Modes{};
  TobjButton* Back = nullptr;
};
