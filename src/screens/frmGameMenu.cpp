#include "screens/frmGameMenu.h"

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

TfrmGameMenu::TfrmGameMenu(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grGameMenu, sidGameMenu, true) {
  EventMask |= ekGame;
}

void TfrmGameMenu::BuildScreen() {
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, 500, 244, 8, 280, 355, 196);
  Title = frm::Label(objects, Group, 500, 260, 8, 280, 20, Tr("GAME MENU"), 16, false);
  Buttons[0] = frm::Button(objects, Group, 530, 300, 8, 220, 50, Tr("RETURN TO GAME"), 10, ekForm, sidGameMenu, 0, 26);
  Buttons[1] = frm::Button(objects, Group, 530, 375, 8, 220, 50, Tr("RESTART"), 10, ekForm, sidGameMenu, 0, 25);
  const std::uint16_t setUp = frm::SetUpScreen(Resources());
  Buttons[2] = frm::Button(objects, Group, 530, 450, 8, 220, 50, Tr("KEYS"), 10, ekScreen, sidKeys, Group, 0);
  Buttons[3] = frm::Button(objects, Group, 530, 525, 8, 220, 50, Tr("EXIT TO MENU"), 10, setUp != 0 ? ekForm : 0,
                           sidGameMenu, setUp, 7);
  EscapeButton = Buttons[0];
}
