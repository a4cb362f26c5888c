#pragma once
// The list of players: choose who plays, add a new player, rename one, or
// delete one (with its scores and progress) after a confirmation.
#include <vector>

#include "objects/sysForm.h"
#include "screens/frmParts.h"

class TobjBase;
class TobjLabel;
class TobjListbox;
class TobjButton;
class TobjText;

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
  TobjButton* Rename = nullptr;
  TobjButton* Delete = nullptr;

  // The codes of the edit buttons and their dialogs (ekGame).
  static constexpr std::uint16_t RenameCode = 71;
  static constexpr std::uint16_t DeleteCode = 72;
  static constexpr std::uint16_t ConfirmCode = 73;
  static constexpr std::uint16_t CancelCode = 74;

  // The dialog over the list (frmProfileEdit.cpp): a question, a name box
  // when renaming, and its two buttons. Empty while none is open.
  std::vector<TobjBase*> Dialog;
  TobjLabel* DialogText = nullptr;
  TobjText* NameBox = nullptr;
  TobjLabel* DialogNotice = nullptr;
  TobjButton* DialogOk = nullptr;
  TobjButton* DialogCancel = nullptr;
  bool Renaming = false;

  // Two releases on the same line within this many steps choose it.
  static constexpr std::int32_t DoubleClickSteps = 30;

 private:
  // Makes the selected line's profile the active one and returns to the main menu.
  void Choose();
  // frmProfileEdit.cpp
  void OpenDialog(bool renaming);
  void CloseDialog();
  void ConfirmDialog();
  // The list shows the profiles again, the active one selected.
  void FillList();

  std::int32_t Step = 0;
  frm::TListClicks Clicks{DoubleClickSteps};
};
