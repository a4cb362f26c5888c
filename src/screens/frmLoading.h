#pragma once
// The loading screen: on screen while the archives are read, then waits for a click.
#include "objects/sysForm.h"

class TobjBase;

class TfrmLoading : public TsysForm {
 public:
  TfrmLoading(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // Also gives back the pictures only this screen shows.
  void FreeScreen() override;
  TrndText* StatusText() override { return Status; }

  TobjBase* Backdrop = nullptr;
  TobjBase* Panel = nullptr;
  TobjBase* Strip = nullptr;
  TrndText* Status = nullptr;
};
