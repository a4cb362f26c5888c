#pragma once
// The hub: tutorial, arcade, challenges, high scores, options, credits, profiles, exit.
#include <array>

#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;

class TfrmMainMenu : public TsysForm {
 public:
  TfrmMainMenu(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  // TUTORIAL, ARCADE, CHALLENGES, HIGH SCORES, PROGRESS, OPTIONS, EXIT, CREDITS, CHANGE PROFILE.
  std::array<TobjButton*, 9> Buttons{};
  TobjLabel* Version = nullptr;
  TobjLabel* Greeting = nullptr;
};
