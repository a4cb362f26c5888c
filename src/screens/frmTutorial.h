#pragma once
// The help page of the mission level (or a teacher's level) being played, shown over the paused game;
// OK returns to the game where it stopped.
#include "objects/sysForm.h"

class TobjBase;
class TobjLabel;
class TobjButton;

class TfrmTutorial : public TsysForm {
 public:
  TfrmTutorial(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // The game's MENU button clicked over the page opens the game menu (Esc and OK close the page).
  void HandleEvent(TsysEvent* event) override;

  // An opaque ground under the see-through panel: the paused board must not
  // show between the page and OK.
  TobjBase* Ground = nullptr;
  TobjLabel* Panel = nullptr;
  // Shown only when the game type and level name a page.
  TobjBase* Page = nullptr;
  TobjButton* Ok = nullptr;
  // A teacher's level shows its title and help text in place of the page.
  TobjLabel* SetTitle = nullptr;
  TobjLabel* SetHelp = nullptr;
};
