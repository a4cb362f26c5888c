// The screen class of each director slot.
#include <memory>

#include "app/modScripting.h"
#include "objects/sysForm.h"
#include "screens/frmBackground.h"
#include "screens/frmCredits.h"
#include "screens/frmLoading.h"
#include "screens/frmMainMenu.h"
#include "screens/frmOptions.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "screens/frmScores.h"

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
  f[ssProfile] = Make<TfrmProfile>();
  f[ssOptions] = Make<TfrmOptions>();
  f[ssCredits] = Make<TfrmCredits>();
  f[ssScores] = Make<TfrmScores>();
  f[ssProfileCreate] = Make<TfrmProfileCreate>();
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
    default: return ScreenSlotCount;
  }
}

bool ScreenAvailable(std::uint16_t screenId) {
  static const TScreenFactories factories = DefaultScreenFactories();
  const TScreenSlot slot = SlotOfScreen(screenId);
  return slot != ScreenSlotCount && static_cast<bool>(factories[slot]);
}
