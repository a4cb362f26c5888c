#pragma once
// The list of players: choose who plays, or add a new player.
#include "objects/sysForm.h"

class TobjLabel;
class TobjListbox;
class TobjButton;

class TfrmProfile : public TsysForm {
 public:
  TfrmProfile(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjListbox* List = nullptr;
  TobjButton* NewProfile = nullptr;
  TobjButton* Select = nullptr;
  TobjButton* Back = nullptr;

  // Two releases on the same line within this many steps choose it.
  static constexpr std::int32_t DoubleClickSteps = 30;

 private:
  // Makes the selected line's profile the active one and returns to the main menu.
  void Choose();

  std::int32_t Step = 0;
  std::int32_t LastClickStep = -1000;
  std::int32_t LastClickLine = -1;
};
