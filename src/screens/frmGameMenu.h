#pragma once
// The in-game menu over the paused game: resume, restart, the keys, or leave
// to the set-up screen of the kind of game being played.
#include <array>

#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;

class TfrmGameMenu : public TsysForm {
 public:
  TfrmGameMenu(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  // RETURN TO GAME, RESTART, KEYS, EXIT TO MENU.
  std::array<TobjButton*, 4> Buttons{};
};
