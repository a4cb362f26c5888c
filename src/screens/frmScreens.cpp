// The screen class of each director slot.
#include <memory>

#include "core/modScripting.h"
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

bool ScreenAvailable(std::uint16_t screenId) {
  static const TScreenFactories factories = DefaultScreenFactories();
  TScreenSlot slot;
  switch (screenId) {
    case sidMainMenu: slot = ssMainMenu; break;
    case sidMissions: slot = ssMissions; break;
    case sidProfile: slot = ssProfile; break;
    case sidOptions: slot = ssOptions; break;
    case sidCredits: slot = ssCredits; break;
    case sidGame: slot = ssGame; break;
    case sidArcade: slot = ssArcade; break;
    case sidScores: slot = ssScores; break;
    case sidGameMenu: slot = ssGameMenu; break;
    case sidGameOver: slot = ssGameOver; break;
    case sidProfileCreate: slot = ssProfileCreate; break;
    case sidChallenge: slot = ssChallenge; break;
    case sidTutorial: slot = ssTutorial; break;
    default: return false;
  }
  return static_cast<bool>(factories[slot]);
}
