#include "screens/frmProfile.h"

#include "core/sysCatalogue.h"
#include "objects/sysScreenIds.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objText.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

TfrmProfile::TfrmProfile(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grProfile, sidProfile, true) {
  EventMask |= ekGame | ekMouse;
}

void TfrmProfile::BuildScreen() {
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, 272, 240, 2, 480, 480, 196);
  Title = frm::Label(objects, Group, 272, 242, 2, 480, 50, Tr("PLAYER PROFILES"), 16, false);

  // Room under the list for RENAME and DELETE.
  List = objects->Create<TobjListbox>(Group, otListbox, 285, 290, 2, 455, 290);
  FillList();
  List->SetAlpha(196);
  Rename = frm::Button(objects, Group, 285, 592, 2, 222, 50, Tr("RENAME"), 8, ekGame, RenameCode, 0, 0);
  Delete = frm::Button(objects, Group, 518, 592, 2, 222, 50, Tr("DELETE"), 8, ekGame, DeleteCode, 0, 0);
  for (TobjButton* b : {Rename, Delete}) b->SetAlpha(196);

  NewProfile = frm::Button(objects, Group, 285, 650, 2, 145, 50, Tr("NEW PROFILE"), 8, ekForm, sidProfile,
                           sidProfileCreate, 0);
  Select = frm::Button(objects, Group, 440, 650, 2, 145, 50, Tr("SELECT"), 8, ekGame, 35, 0, 0);
  Back = frm::Button(objects, Group, 595, 650, 2, 145, 50, Tr("BACK"), 8, ekForm, sidProfile, sidMainMenu, 0);
  EscapeButton = Back;
  Focus->SetFirst(List);
  for (TobjButton* b : {NewProfile, Select, Back}) b->SetAlpha(196);
}

void TfrmProfile::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (Closing) return;
  if (event->Kind == ekGame) {
    switch (event->Code) {
      case RenameCode: if (Dialog.empty()) OpenDialog(true); return;
      case DeleteCode: if (Dialog.empty()) OpenDialog(false); return;
      case ConfirmCode: ConfirmDialog(); return;
      case CancelCode: CloseDialog(); return;
      case TobjText::RefusedCode:
        if (DialogNotice != nullptr) frm::ShowNotice(DialogNotice, frm::RefusedLetter(event->Param));
        return;
      case 43:
        // Enter in the name box renames; under a dialog it never chooses.
        if (Dialog.empty()) break;
        if (Renaming) ConfirmDialog();
        return;
      default: break;
    }
  }
  // The dialog holds the keys and clicks while it is open.
  if (!Dialog.empty()) return;
  // Enter, the SELECT button (ekGame 35) and a double click choose the selected line.
  // Enter chooses only while the focus is not on another button (which Enter presses).
  const bool enterIsMine = Focus->Current() == nullptr || Focus->Current() == List;
  if (event->Kind == ekGame && ((event->Code == 43 && enterIsMine) || event->Code == 35)) {
    Choose();
  } else if (event->Kind == ekMouse && event->Code == 3 &&
             Clicks.Double(List, static_cast<double>(event->Param), static_cast<double>(event->Value), Step)) {
    Choose();
  }
}

void TfrmProfile::Choose() {
  if (List->SelectedIndex < 0) return;
  TSettingsRecord settings = Resources()->Settings;
  settings.ActiveProfile = List->SelectedIndex;
  Resources()->SaveSettings(settings);
  CloseTo(sidMainMenu, 0);
}

void TfrmProfile::ProcessEvents() {
  ++Step;
  TsysForm::ProcessEvents();
}
