#pragma once
// Asks for a name and adds a player profile; the first screen of a first run.
#include "objects/sysForm.h"

class TobjLabel;
class TobjText;
class TobjButton;

class TfrmProfileCreate : public TsysForm {
 public:
  TfrmProfileCreate(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  void HandleEvent(TsysEvent* event) override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjLabel* Prompt = nullptr;
  TobjText* NameBox = nullptr;
  TobjLabel* Notice = nullptr;  // why OK did nothing
  TobjButton* Ok = nullptr;
  TobjButton* Cancel = nullptr;

 private:
  void CreateProfile();
};
