#pragma once
// Who made the game, and the libraries it is built with.
#include "objects/sysForm.h"

class TobjButton;

class TfrmCredits : public TsysForm {
 public:
  TfrmCredits(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;

  TobjButton* Back = nullptr;
};
