// The profile list's RENAME and DELETE: a dialog over the list that asks for
// the new name, or names the player and what goes with them before deleting.
#include "data/sysResources.h"
#include "core/sysCatalogue.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objText.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"
#include "screens/frmProfile.h"

namespace {

constexpr double DialogLayer = 8;

}  // namespace

void TfrmProfile::FillList() {
  TsysResources* res = Resources();
  List->Lines.clear();
  for (std::int32_t i = 0; i < res->ProfileCount(); ++i) List->AddLine(res->GetProfile(i).Name);
  List->RebuildList();
  if (res->Settings.ActiveProfile >= 0 && res->Settings.ActiveProfile < res->ProfileCount())
    List->SelectLine(res->Settings.ActiveProfile);
  else
    List->SelectLine(List->SelectedIndex);
}

void TfrmProfile::OpenDialog(bool renaming) {
  TsysResources* res = Resources();
  if (List->SelectedIndex < 0 || List->SelectedIndex >= res->ProfileCount()) return;
  const std::string name = res->GetProfile(List->SelectedIndex).Name;
  TsysObjects* objects = Objects();
  Renaming = renaming;
  Dialog.push_back(frm::Panel(objects, Group, 282, 320, DialogLayer, 460, 220, 255));
  DialogText = frm::Label(objects, Group, 300, 332, DialogLayer, 424, 86, "", 10, false);
  DialogText->Caption->SetText(
      renaming ? Format(Tr("Type the new name for %s, then press OK."), {name})
               : Format(Tr("Delete the player %s? Their tutorial progress, challenge results and recorded answers "
                           "are deleted too. Their rows in the high scores stay."),
                      {name}),
      10, true, true, true, true, true);
  Dialog.push_back(DialogText);
  DialogNotice = frm::Label(objects, Group, 300, 456, DialogLayer, 424, 18, "", 8, false);
  Dialog.push_back(DialogNotice);
  if (renaming) {
    NameBox = objects->Create<TobjText>(Group, otTextbox, 390, 420, DialogLayer, 245, 30);
    NameBox->MaxLength = 17;
    Dialog.push_back(NameBox);
  }
  DialogOk = frm::Button(objects, Group, 302, 478, DialogLayer, 200, 50, renaming ? Tr("OK") : Tr("DELETE"), 10, ekGame,
                         ConfirmCode, 0, 0);
  DialogCancel = frm::Button(objects, Group, 522, 478, DialogLayer, 200, 50, renaming ? Tr("CANCEL") : Tr("KEEP"), 10, ekGame,
                             CancelCode, 0, 0);
  Dialog.push_back(DialogOk);
  Dialog.push_back(DialogCancel);
  // Only the dialog's controls take the keys meanwhile.
  for (TobjBase* o : {static_cast<TobjBase*>(List), static_cast<TobjBase*>(NewProfile), static_cast<TobjBase*>(Select),
                      static_cast<TobjBase*>(Back), static_cast<TobjBase*>(Rename), static_cast<TobjBase*>(Delete)})
    o->SetVisible(false);
  EscapeButton = DialogCancel;
  if (NameBox != nullptr)
    NameBox->Focus();
  else
    Focus->SetFocus(DialogCancel);
}

void TfrmProfile::CloseDialog() {
  if (NameBox != nullptr && NameBox->Focused) NameBox->Leave();
  for (TobjBase* o : Dialog)
    if (Objects()->IsAlive(o)) Objects()->DeleteObject(o->Index);
  Dialog.clear();
  DialogText = nullptr;
  DialogNotice = nullptr;
  DialogOk = nullptr;
  DialogCancel = nullptr;
  NameBox = nullptr;
  Renaming = false;
  for (TobjBase* o : {static_cast<TobjBase*>(List), static_cast<TobjBase*>(NewProfile), static_cast<TobjBase*>(Select),
                      static_cast<TobjBase*>(Back), static_cast<TobjBase*>(Rename), static_cast<TobjBase*>(Delete)})
    o->SetVisible(true);
  EscapeButton = Back;
  Focus->SetFocus(List);
}

void TfrmProfile::ConfirmDialog() {
  if (Dialog.empty()) return;
  TsysResources* res = Resources();
  const std::int32_t index = List->SelectedIndex;
  if (!Renaming) {
    res->DeleteProfile(index);
    CloseDialog();
    // The last player gone: a new one is made, as on the first run.
    if (res->ProfileCount() == 0) {
      CloseTo(sidProfileCreate, 0);
      return;
    }
    FillList();
    return;
  }
  const std::string& typed = NameBox->GetText();
  const std::size_t first = typed.find_first_not_of(' ');
  if (first == std::string::npos) {
    frm::ShowNotice(DialogNotice, Tr("Type a name first, then press OK."));
    return;
  }
  const std::string name = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
  const std::int32_t same = res->FindProfile(name);
  if (same >= 0 && same != index) {
    frm::ShowNotice(DialogNotice, Format(Tr("There is already a player called %s."), {res->GetProfile(same).Name}));
    return;
  }
  res->RenameProfile(index, name);
  CloseDialog();
  FillList();
  List->SelectLine(index);
}
