#pragma once
// The backdrop behind every menu screen.
#include <array>

#include "objects/sysForm.h"

class TobjBase;

class TfrmBackground : public TsysForm {
 public:
  TfrmBackground(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;

  std::array<TobjBase*, 4> Quarters{};
  TobjBase* Corner = nullptr;
};
