#include "screens/frmGameOver.h"

#include <algorithm>
#include <string>

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "game/libMissions.h"
#include "game/libSetPlay.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

namespace {

constexpr std::uint16_t SoundLost = 3;
constexpr std::uint16_t SoundWon = 4;
// Variants of the winning jingle.
constexpr std::int32_t WonLevel = 0;
constexpr std::int32_t WonChallenge = 1;
constexpr std::int32_t WonHighScore = 2;
constexpr std::int32_t WonMission = 3;

bool ValidType(std::int32_t type) { return type >= 1 && type <= GameTypeCount; }

}  // namespace

TfrmGameOver::TfrmGameOver(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grGameOver, sidGameOver, true) {
  EventMask |= ekGame | ekKeys;
}

void TfrmGameOver::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind != ekKeys || event->Code != 1 || Closing) return;
  // A child who wants to stop need not play on: the panel is left as every
  // other screen of a game is. Closed directly: a form never hears its own posts.
  if (const std::uint16_t back = frm::SetUpScreen(Resources())) CloseTo(back, 7);
}

void TfrmGameOver::BuildScreen() {
  EndSoundSent = false;
  EndSound = 0;
  EndSoundParam = 0;
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, 400, 204, 8, 480, 360, 220);
  Picture = frm::Picture(objects, Group, 400, 204, 8, 480, 360, 0, 0);
  Picture->SetVisible(false);
  switch (Resources()->GameKind) {
    case GameKind::Mission: BuildMission(); break;
    case GameKind::Arcade: BuildArcade(); break;
    case GameKind::Challenge: BuildChallenge(); break;
    default: break;
  }
}

void TfrmGameOver::ShowPicture(std::int32_t imageSet, std::int32_t imageIndex) {
  Picture->MainItem->SetImage(imageSet, imageIndex, 0);
  Picture->SetVisible(true);
  // The card has rounded corners of its own: the plain panel would peep out there.
  Panel->SetVisible(false);
}

void TfrmGameOver::BuildMission() {
  TsysResources* res = Resources();
  const std::int32_t type = res->GameType;
  const std::int32_t offset = ValidType(type) ? type - 1 : -1;
  const auto button = [this](const char* caption, std::uint16_t param, std::int32_t value) {
    return frm::Button(Objects(), Group, 530, 464, 8, 220, 50, caption, 10, ekForm, sidGameOver, param, value);
  };
  if (res->Lives <= 0) {
    EndSound = SoundLost;
    if (offset >= 0) ShowPicture(PictureSet::GameOverMission, 3 + offset);
    Next = button(Tr("TRY AGAIN"), 0, 38);
  } else if (SetPlaying(*res)) {
    // A teacher's set: its own progress, its own next level, and its end.
    EndSound = SoundWon;
    const bool last = LastSetLevel(*res);
    EndSoundParam = last ? WonMission : WonLevel;
    // The LEVEL COMPLETE card: the mode's own finale would claim its tutorial done.
    if (offset >= 0) ShowPicture(PictureSet::GameOverMission, offset);
    if (res->Progress)
      res->Progress->RecordSetLevel(CodePageToUtf8(res->GetActiveProfile().Name), res->PlayingSetName,
                                    res->LevelNumber, res->Score);
    res->MissionStartScore = res->Score;
    res->MissionStartKills = res->TotalKills;
    Next = last ? button(Tr("BACK TO CLASS LEVELS"), sidClassLevels, 7) : button(Tr("PLAY NEXT LEVEL"), 0, 37);
  } else if (res->Level.LevelIndex == -1) {
    EndSound = SoundWon;
    EndSoundParam = WonMission;
    if (offset >= 0) ShowPicture(PictureSet::GameOverMission, 6 + offset);
    StoreMissionResult();
    Next = button(Tr("BACK TO TUTORIALS"), sidMissions, 7);
  } else {
    EndSound = SoundWon;
    EndSoundParam = WonLevel;
    if (offset >= 0) ShowPicture(PictureSet::GameOverMission, offset);
    StoreMissionResult();
    res->MissionStartScore = res->Score;
    res->MissionStartKills = res->TotalKills;
    Next = button(Tr("PLAY NEXT LEVEL"), 0, 37);
  }
}

void TfrmGameOver::StoreMissionResult() {
  TsysResources* res = Resources();
  if (!ValidType(res->GameType)) return;
  TProfileRecord profile = res->GetActiveProfile();
  // The kills carried into the next level are the total: the level's own count
  // is already back at 0 once the level is complete.
  RecordMissionLevel(profile, res->GameType, res->LevelNumber, res->Score, res->TotalKills);
  res->SetActiveProfile(profile);
  res->SaveProfiles();
}

void TfrmGameOver::BuildArcade() {
  TsysResources* res = Resources();
  TsysObjects* objects = Objects();
  const bool entered = res->AddScore(res->Score);
  EndSound = entered ? SoundWon : SoundLost;
  EndSoundParam = entered ? WonHighScore : 0;
  ShowPicture(PictureSet::GameOverArcade, entered ? 0 : 1);

  std::string title = Tr(TsysResources::TitleName(res->GameType, res->Difficulty, res->Score));
  if (!entered) title += " ";
  TitleLabel = objects->Create<TobjLabel>(Group, otLabel, 649, 369, 8, 480, 20);
  TitleLabel->Caption->SetText(title, 10, true, true, false, false, true);
  if (res->GameSpeed != SpeedFull) {
    // A slowed game's score is in the tables of its speed, and the card says so.
    SpeedLabel = objects->Create<TobjLabel>(Group, otLabel, 649, 393, 8, 220, 20);
    // xgettext:no-c-format
    const char* half = Tr("At 50 % speed");
    // xgettext:no-c-format
    const char* threeQuarters = Tr("At 75 % speed");
    SpeedLabel->Caption->SetText(res->GameSpeed == SpeedHalf ? half : threeQuarters, 10, true, true,
                                 false, false, true);
  }

  // The fresh entry is highlighted only on the way straight to the tables: the
  // main menu forgets it.
  Other = frm::Button(objects, Group, 510, 429, 8, 260, 50, Tr("HIGH SCORES"), 10, ekForm, sidGameOver, sidScores, 7);
  Next = frm::Button(objects, Group, 510, 494, 8, 260, 50, Tr("BACK TO ARCADE"), 10, ekForm, sidGameOver, sidArcade, 7);
}

void TfrmGameOver::BuildChallenge() {
  TsysResources* res = Resources();
  TsysObjects* objects = Objects();
  res->RecordProgress();

  const std::int32_t c = res->ChallengeIndex;
  const std::int32_t d = res->Difficulty;
  const bool known = c >= 0 && c < ChallengeCount && d >= 0 && d < DifficultyCount;
  const TChallenge* challenge = known ? &Challenges[static_cast<std::size_t>(c)] : nullptr;
  const std::int32_t goal = challenge != nullptr ? challenge->Goal[d] : 0;
  const std::int32_t target = challenge != nullptr ? challenge->Target[d] : 0;
  const std::int32_t achieved = goal == ChallengeGoal::Killenate       ? res->TotalKills
                                : goal == ChallengeGoal::ComboToTheMax ? res->HighestCombo
                                                                       : res->Score;

  if (res->ChallengeDone != 0) {
    EndSound = SoundWon;
    EndSoundParam = WonChallenge;
    res->CompletedChallenge = c;
    const bool endedHard = res->Lives <= 0 || (goal == ChallengeGoal::BeatTheClock && res->ChallengeTimeLeft <= 0);
    ShowPicture(PictureSet::GameOverChallenge, endedHard ? 0 : 2);
  } else {
    EndSound = SoundLost;
    ShowPicture(PictureSet::GameOverChallenge, 1);
    Other = frm::Button(objects, Group, 520, 429, 8, 240, 50, Tr("PLAY AGAIN"), 10, ekForm, sidGameOver, 0, 25);
  }

  const auto number = [this, objects](double y, std::int32_t value) {
    auto* label = objects->Create<TobjLabel>(Group, otLabel, 649, y, 8, 280, 30);
    label->Caption->SetMarkUp(std::to_string(value), 12, true, true, false, false, true);
    label->Caption->SetColor(0xFFFFFF);
    return label;
  };
  TargetLabel = number(361, target);
  ResultLabel = number(391, achieved);
  Next = frm::Button(objects, Group, 520, 494, 8, 240, 50, Tr("RETURN TO CHALLENGES"), 10, ekForm, sidGameOver,
                     sidChallenge, 7);
}

void TfrmGameOver::ProcessEvents() {
  TsysForm::ProcessEvents();
  if (EndSoundSent) return;
  EndSoundSent = true;
  if (EndSound != 0) PostEvent(pmImmediate, ekSound, EndSound, EndSoundParam, 0);
}
