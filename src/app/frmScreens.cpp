// The screen class of each director slot.
#include <memory>

#include "app/modScripting.h"
#include "game/frmGame.h"
#include "objects/sysForm.h"
#include "screens/frmArcade.h"
#include "screens/frmBackground.h"
#include "screens/frmChallenge.h"
#include "screens/frmClassLevels.h"
#include "screens/frmCredits.h"
#include "screens/frmGameMenu.h"
#include "screens/frmGameOver.h"
#include "screens/frmKeys.h"
#include "screens/frmLoading.h"
#include "screens/frmMainMenu.h"
#include "screens/frmMissions.h"
#include "screens/frmOptions.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "screens/frmProgress.h"
#include "screens/frmScores.h"
#include "screens/frmTutorial.h"

namespace {

template <class T>
TScreenFactory Make() {
  return [](TsysMainWindow* owner, TsysInterface* iface) -> std::unique_ptr<TsysForm> {
    return std::make_unique<T>(owner, iface);
  };
}

}  // namespace

TScreenFactories DefaultScreenFactories() {
  TScreenFactories f;
  f[ssLoading] = Make<TfrmLoading>();
  f[ssBackground] = Make<TfrmBackground>();
  f[ssMainMenu] = Make<TfrmMainMenu>();
  f[ssMissions] = Make<TfrmMissions>();
  f[ssProfile] = Make<TfrmProfile>();
  f[ssOptions] = Make<TfrmOptions>();
  f[ssCredits] = Make<TfrmCredits>();
  f[ssGame] = Make<TfrmGame>();
  f[ssArcade] = Make<TfrmArcade>();
  f[ssScores] = Make<TfrmScores>();
  f[ssGameMenu] = Make<TfrmGameMenu>();
  f[ssGameOver] = Make<TfrmGameOver>();
  f[ssProfileCreate] = Make<TfrmProfileCreate>();
  f[ssChallenge] = Make<TfrmChallenge>();
  f[ssTutorial] = Make<TfrmTutorial>();
  f[ssKeys] = Make<TfrmKeys>();
  f[ssProgress] = Make<TfrmProgress>();
  f[ssClassLevels] = Make<TfrmClassLevels>();
  return f;
}

TScreenSlot SlotOfScreen(std::uint16_t screenId) {
  switch (screenId) {
    case sidMainMenu: return ssMainMenu;
    case sidMissions: return ssMissions;
    case sidProfile: return ssProfile;
    case sidOptions: return ssOptions;
    case sidCredits: return ssCredits;
    case sidGame: return ssGame;
    case sidArcade: return ssArcade;
    case sidScores: return ssScores;
    case sidGameMenu: return ssGameMenu;
    case sidGameOver: return ssGameOver;
    case sidProfileCreate: return ssProfileCreate;
    case sidChallenge: return ssChallenge;
    case sidTutorial: return ssTutorial;
    case sidKeys: return ssKeys;
    case sidProgress: return ssProgress;
    case sidClassLevels: return ssClassLevels;
    default: return ScreenSlotCount;
  }
}
