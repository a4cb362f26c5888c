#include "screens/frmTutorial.h"

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "game/libSetPlay.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

namespace {

constexpr std::uint32_t GroundColour = 0x0A1230;  // the panel's own navy, darker
constexpr std::uint32_t HelpTextColour = 0xFFF6CB;  // the story's cream, as the missions write it

}  // namespace

TfrmTutorial::TfrmTutorial(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grTutorial, sidTutorial, true) {
  EventMask |= ekGame;
}

void TfrmTutorial::HandleEvent(TsysEvent* event) {
  // The HUD's MENU posts Param 1 (its own, not the game screen's, so this screen need not know it).
  if (event->Kind == ekKeys && event->Code == 1 && event->Param == 1 && !Closing && !Suspended) {
    TsysModule::HandleEvent(event);
    CloseTo(sidGameMenu, 26);
    return;
  }
  TsysForm::HandleEvent(event);
}

void TfrmTutorial::BuildScreen() {
  TsysObjects* objects = Objects();
  const TsysResources* res = Resources();
  // Inset so that the panel's rounded rim covers its corners.
  Ground = frm::Picture(objects, Group, 378, 87, 8, 524, 584, CoreSprite::Set, CoreSprite::White);
  Ground->SetColor(GroundColour);
  Panel = frm::Panel(objects, Group, 374, 83, 8, 532, 592, 196);

  const std::int32_t type = res->GameType;
  const std::int32_t level = res->LevelNumber;
  const TSetLevel* setLevel = CurrentSetLevel(*res);
  const bool hasPage = setLevel == nullptr && type >= 1 && type <= 3 && level >= 1 && level <= MissionLevelCount;
  const THelpPage page = hasPage ? MissionHelpPages[type - 1][level - 1] : THelpPage{};
  Page = frm::Picture(objects, Group, 384, 93, 8, 512, 512, page.ImageSet, page.Page);
  // Without a page the panel stays empty rather than showing some other picture.
  Page->SetVisible(hasPage);
  if (setLevel != nullptr) {
    // A teacher's level: its title and the teacher's own words.
    SetTitle = frm::Label(objects, Group, 404, 113, 9, 472, 30, setLevel->Title, 16, false);
    SetHelp = objects->Create<TobjLabel>(Group, otLabel, 404, 163, 9, 472, 420);
    SetHelp->Caption->SetTextAt(setLevel->Help, 12, true, true, true, false, false, TPointD{4, 0});
    SetHelp->Caption->SetColor(HelpTextColour);
  }

  Ok = frm::Button(objects, Group, 530, 613, 9, 220, 50, Tr("OK"), 12, ekForm, sidTutorial, 0, 26);
  EscapeButton = Ok;
}
