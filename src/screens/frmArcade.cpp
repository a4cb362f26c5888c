#include "screens/frmArcade.h"

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

TfrmArcade::TfrmArcade(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grArcade, sidArcade, true) {
  EventMask |= ekGame;
}

void TfrmArcade::BuildScreen() {
  TsysObjects* objects = Objects();
  TsysResources* res = Resources();
  res->GameKind = GameKind::Arcade;
  res->Difficulty = res->GetActiveProfile().ArcadeDifficulty;

  Panel = frm::Panel(objects, Group, 172, 244, 2, 680, 480, 196);
  Title = frm::Label(objects, Group, 272, 255, 2, 480, 20, Tr("ARCADE"), 16, false);

  frm::Panel(objects, Group, 182, 280, 2, 660, 80, 196);
  frm::Caption(objects, Group, 197, 290, 2, 480, 20, Tr("DIFFICULTY"), 10);
  Difficulties = frm::DifficultyChoice(objects, Group, 197, 315, 2, {0, 157, 314, 471}, {157, 157, 158, 158},
                                       res->Difficulty);

  frm::Panel(objects, Group, 182, 370, 2, 660, 270, 196);
  frm::Caption(objects, Group, 197, 380, 2, 480, 20, Tr("GAME MODE"), 10);
  frm::Caption(objects, Group, 417, 380, 2, 480, 20, Tr("PREVIEW"), 10);
  Modes = frm::ModeButtons(objects, Group, sidArcade);

  Back = frm::Button(objects, Group, 397, 650, 2, 220, 50, Tr("BACK"), 8, ekForm, sidArcade, sidMainMenu, 0);
  EscapeButton = Back;
  Focus->SetFirst(Modes[0]);
}

void TfrmArcade::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind == ekGame && event->Code == 23) Resources()->Difficulty = static_cast<std::int32_t>(event->Param);
}
