#pragma once
// Every key of the game, on a panel opened from OPTIONS and from the in-game
// menu. The screen that opened it waits under it, hidden and deaf to the
// keys (TsysForm::Suspend), and comes back as it was when BACK or Esc closes
// the panel.
#include <cstdint>

#include "objects/sysForm.h"

class TobjButton;
class TobjLabel;

struct TKeyRow {
  const char* Keys;
  const char* Use;
};
// The keys of every screen, then those of the game, as the panel lists them.
extern const TKeyRow KeysOfScreens[4];
extern const TKeyRow KeysOfGame[10];

class TfrmKeys : public TsysForm {
 public:
  TfrmKeys(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;

  TobjLabel* Panel = nullptr;
  TobjButton* Back = nullptr;
};
