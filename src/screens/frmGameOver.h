#pragma once
// The end of a game, over the game screen: a picture of how it went, the
// bookkeeping (mission progress, the high-score entry with its title, the challenge
// result) done once while the screen is built, the next step on offer, and a jingle.
#include <cstdint>

#include "objects/sysForm.h"

class TobjBase;
class TobjLabel;
class TobjButton;

class TfrmGameOver : public TsysForm {
 public:
  TfrmGameOver(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // Esc, or the game's MENU button, leads out to the set-up screen of the game's kind.
  void HandleEvent(TsysEvent* event) override;
  // Sends the end sound on the first step.
  void ProcessEvents() override;

  TobjLabel* Panel = nullptr;
  TobjBase* Picture = nullptr;
  // Mission: TRY AGAIN, BACK TO TUTORIALS or PLAY NEXT LEVEL. Arcade: back to the
  // arcade screen. Challenge: RETURN TO CHALLENGES.
  TobjButton* Next = nullptr;
  // Arcade: the high-score tables. Challenge, when not completed: PLAY AGAIN.
  TobjButton* Other = nullptr;
  // Arcade: the title earned. Challenge: the target and the result.
  TobjLabel* TitleLabel = nullptr;
  // Under the title of a slowed game: the speed whose tables it entered.
  TobjLabel* SpeedLabel = nullptr;
  TobjLabel* TargetLabel = nullptr;
  TobjLabel* ResultLabel = nullptr;

  std::uint16_t EndSound = 0;  // 3 lost, 4 won; 0 none
  std::int32_t EndSoundParam = 0;
  bool EndSoundSent = false;

 private:
  void BuildMission();
  void BuildArcade();
  void BuildChallenge();
  void ShowPicture(std::int32_t imageSet, std::int32_t imageIndex);
  // Mission progress of the level just completed, into the active profile and saved.
  void StoreMissionResult();
};
