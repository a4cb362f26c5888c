#include "screens/frmProfileCreate.h"

#include "core/sysCatalogue.h"
#include "objects/sysScreenIds.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objText.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

namespace {

const char* const EmptyNameNotice = TrMark("Type your name in the box first, then press OK.");

}  // namespace

TfrmProfileCreate::TfrmProfileCreate(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grProfileCreate, sidProfileCreate, true) {
  EventMask |= ekGame;
}

void TfrmProfileCreate::BuildScreen() {
  TsysObjects* objects = Objects();
  const bool firstPlayer = Resources()->ProfileCount() == 0;
  Panel = frm::Panel(objects, Group, 262, 289, 8, 500, 190, 255);
  Title = frm::Label(objects, Group, 262, 309, 8, 500, 20, std::string(firstPlayer ? Tr("WELCOME TO PLOTFRAY") : Tr("ADD PLAYER PROFILE")) + " ",
                     16, false);
  Prompt = objects->Create<TobjLabel>(Group, otLabel, 282, 364, 8, 500, 20);
  Prompt->Caption->SetText(std::string(Tr("Please Enter Your Name:")) + " ", 10, true, true, false, false, true);

  NameBox = objects->Create<TobjText>(Group, otTextbox, 495, 354, 8, 245, 30);
  NameBox->MaxLength = 17;
  // Says why OK did nothing; empty until then.
  Notice = frm::Label(objects, Group, 262, 386, 8, 500, 20, "", 8, false);

  if (firstPlayer) {
    Ok = frm::Button(objects, Group, 402, 409, 8, 220, 50, Tr("OK"), 10, ekGame, 34, 0, 0);
  } else {
    Ok = frm::Button(objects, Group, 272, 409, 8, 235, 50, Tr("OK"), 10, ekGame, 34, 0, 0);
    Cancel = frm::Button(objects, Group, 517, 409, 8, 235, 50, Tr("CANCEL"), 10, ekForm, sidProfileCreate, sidProfile, 0);
    EscapeButton = Cancel;
  }
  // Typing goes straight into the name box.
  NameBox->Focus();
}

void TfrmProfileCreate::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind != ekGame || Closing) return;
  if (event->Code == 34)
    CreateProfile();
  else if (event->Code == TobjText::RefusedCode)
    frm::ShowNotice(Notice, frm::RefusedLetter(event->Param));
  else if (event->Code == 43 && (Focus->Current() == nullptr || Focus->Current() == NameBox))
    Ok->Click();  // Enter acts as OK, unless the focus is on a button that Enter presses
}

void TfrmProfileCreate::CreateProfile() {
  // Spaces around a name are dropped; a name of spaces only is no name.
  const std::string& typed = NameBox->GetText();
  const std::size_t first = typed.find_first_not_of(' ');
  if (first == std::string::npos) {
    // The click on OK took the focus from the box: it goes back, so that the
    // next key typed lands in it.
    frm::ShowNotice(Notice, Tr(EmptyNameNotice));
    if (!NameBox->Focused) NameBox->Focus();
    return;
  }
  const std::string name = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
  TsysResources* res = Resources();
  // A file of more would be cut at the next start, losing the newest players.
  if (res->ProfileCount() >= static_cast<std::int32_t>(MaxProfileCount)) {
    frm::ShowNotice(Notice, Format(Tr("There are already %s players, the most the game keeps. Delete one on the "
                                    "profiles screen first."),
                                 {std::to_string(MaxProfileCount)}));
    return;
  }
  // Two players of one name would share one record of answers.
  if (const std::int32_t same = res->FindProfile(name); same >= 0) {
    const std::string text =
        Format(Tr("There is already a player called %s. Please choose another name."), {res->GetProfile(same).Name});
    frm::ShowNotice(Notice, text);
    if (!NameBox->Focused) NameBox->Focus();
    return;
  }
  TProfileRecord profile;
  profile.Name = name.substr(0, 17);
  res->AddProfile(profile);
  res->SaveProfiles();
  TSettingsRecord settings = res->Settings;
  settings.ActiveProfile = res->ProfileCount() - 1;
  res->SaveSettings(settings);
  CloseTo(sidMainMenu, 0);
}
