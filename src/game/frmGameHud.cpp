// The display side of the game screen: the HUD strip left of the board (score,
// level, lives, combos, the Doom Device's bar, the round buttons) and the
// challenge text.
#include <algorithm>

#include "core/sysCatalogue.h"
#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "tables/defSprites.h"
#include "game/frmGame.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objNumber.h"
#include "objects/objPushButton.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"

namespace {

constexpr double PanelLayer = 6;
constexpr double HudLayer = TfrmGame::HudLayer;
constexpr std::uint32_t White = 0xFFFFFF;
// Where things sit in the 256-pixel strip; one column read from top to bottom.
constexpr double ScoreLabelY = 74;
constexpr double ScoreY = 94;
constexpr double LevelY = 134;
constexpr double NumberRight = 236;  // units digit ends here
constexpr double ScoreLeft = 14;     // the widest score starts here
constexpr double LivesY = 176;
constexpr double LifeStep = 50;
constexpr double BasicComboY = 236;
constexpr double TimeComboY = 262;
constexpr double DoomLabelY = 290;
constexpr double DoomBarY = 306;
constexpr double RoundButtonsY = 366;
constexpr std::int32_t RoundButtonSize = 64;
constexpr std::int32_t LifeFade = 8;
constexpr std::int32_t ChallengeWidth = 266;
// Until the art gives these pictures their second pattern.
constexpr std::int32_t DoomBarFill = 0;
constexpr std::int32_t DoomBarTrack = 1;
constexpr std::int32_t ButtonNormal = 0;
constexpr std::int32_t ButtonLit = 1;

TobjLabel* TextLabel(TsysObjects* objects, std::int32_t group, double x, double y, std::int32_t w, std::int32_t h,
                     const std::string& text, std::int32_t size) {
  auto* label = objects->Create<TobjLabel>(group, otLabel, x, y, HudLayer, w, h);
  // A longer language's caption takes smaller letters rather than leaving the strip.
  if (label != nullptr)
    label->Caption->SetTextAt(text, FittingFontSize(text.size(), w, size), true, true, false, false, true,
                              TPointD{0, 0});
  return label;
}

TobjBase* Picture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                  std::int32_t h, std::int32_t image, std::int32_t pattern) {
  TobjBase* picture = objects->CreateObject(group, otStatic, x, y, layer, w, h);
  if (picture == nullptr) return nullptr;
  picture->Space = csScreen;
  picture->MainItem->SetImage(Sprite::Set, image, pattern);
  return picture;
}

// A round picture button of the HUD that stays after use.
TobjPushButton* RoundButton(TsysObjects* objects, std::int32_t group, double x, double y, std::int32_t image,
                            std::intptr_t code, const std::string& hint, double hintX) {
  auto* b = objects->Create<TobjPushButton>(group, otPushButton, x, y, HudLayer, RoundButtonSize, RoundButtonSize);
  if (b == nullptr) return nullptr;
  b->SetPicture(Sprite::Set, image, ButtonNormal, TTexCoord{});
  b->SetHighlightPicture(Sprite::Set, Sprite::PushHighlight, 0, TTexCoord{});
  b->MainItem->SetColor(White);
  b->KeepAfterClick = true;
  b->SetAction(ekGame, static_cast<std::uint16_t>(code), 0, 0);
  b->SetHint(hintX, RoundButtonSize + 6, TPointI{200, 100});
  b->HintText->SetMarkUpAt(hint, 8, false, false, true, false, false, TPointD{12, 12});
  b->HintEnabled = true;
  return b;
}

}  // namespace

void TfrmGame::BuildHud() {
  TsysObjects* objects = Objects();
  const TsysResources& res = *Resources();
  Hud = THud{};
  Hud.Panel = Picture(objects, Group, 0, 0, PanelLayer, 256, 768, Sprite::HudPanel, 0);
  if (Hud.Panel != nullptr) Hud.Panel->SetColor(WidgetTint);

  Hud.MenuButton = objects->Create<TobjButton>(Group, otButton, 18, 12, HudLayer, 220, 50);
  if (Hud.MenuButton != nullptr) {
    Hud.MenuButton->Caption->SetText(Tr("MENU"), 12, true, true, false, true, true);
    Hud.MenuButton->SetAction(ekKeys, 1, MenuButtonParam, 0);
  }

  Hud.ScoreLabel = TextLabel(objects, Group, 20, ScoreLabelY, 120, 20, Tr("SCORE"), 12);
  Hud.Score = objects->Create<TobjNumber>(Group, otNumber, NumberRight, ScoreY, HudLayer, 26, 31);
  // Up to the largest score, whole, inside the strip.
  if (Hud.Score != nullptr) Hud.Score->FitWidth = NumberRight - ScoreLeft;
  Hud.LevelLabel = TextLabel(objects, Group, 20, LevelY, 120, 31, Tr("LEVEL"), 12);
  Hud.Level = objects->Create<TobjNumber>(Group, otNumber, NumberRight, LevelY, HudLayer, 26, 31);

  for (std::size_t i = 0; i < Hud.Lives.size(); ++i)
    Hud.Lives[i] = Picture(objects, Group, 3 + LifeStep * static_cast<double>(i), LivesY, HudLayer, 48, 48,
                           Sprite::LifeIcon, 0);

  Hud.BasicComboIcon = Picture(objects, Group, 10, BasicComboY + 3, HudLayer, 16, 16, Sprite::ComboIcons,
                               Sprite::ComboBasic);
  Hud.BasicComboText = TextLabel(objects, Group, 32, BasicComboY, 220, 22, "", 14);
  Hud.TimeComboIcon = Picture(objects, Group, 10, TimeComboY + 3, HudLayer, 16, 16, Sprite::ComboIcons,
                              Sprite::ComboTime);
  Hud.TimeComboText = TextLabel(objects, Group, 32, TimeComboY, 220, 22, "", 14);
  HideCombos();
  BasicComboShown.clear();
  TimeComboShown.clear();

  Hud.DoomLabel = TextLabel(objects, Group, 14, DoomLabelY, 230, 16, Tr("ZORBEX DOOM DEVICE"), 10);
  Hud.DoomBar = Picture(objects, Group, 0, DoomBarY, HudLayer, 256, 48, Sprite::DoomBar, DoomBarTrack);
  if (Hud.DoomBar != nullptr) {
    Hud.DoomFill = Hud.DoomBar->AddItem(0, 0);
    Hud.DoomFill->SetImage(Sprite::Set, Sprite::DoomBar, DoomBarFill);
    Hud.DoomFill->Height = 48;
  }
  DoomBarWidth = -1;
  Hud.DoomButton = RoundButton(objects, Group, 40, RoundButtonsY, Sprite::DoomButton, 39,
                               Tr("<b>Zorbex Doom Device (D or 6) </b><r><r>Do not push this button."), -20);
  Hud.HelpButton = RoundButton(objects, Group, 152, RoundButtonsY, Sprite::HelpButton, 46,
                               Tr("<b>Help (F1)</b><r><r>Open the help screen for this Tutorial Level"), -100);
  if (Hud.HelpButton != nullptr) {
    const bool mission = res.GameKind == GameKind::Mission;
    Hud.HelpButton->SetEnabled(mission);
    Hud.HelpButton->Visible = mission;
  }

  Hud.GameOverButton = objects->Create<TobjButton>(Group, otButton, 18, 700, HudLayer, 220, 50);
  if (Hud.GameOverButton != nullptr) {
    Hud.GameOverButton->Caption->SetText(Tr("GAME OVER"), 12, true, true, false, true, true);
    Hud.GameOverButton->Visible = false;
  }

  const std::int32_t goal = GoalOfChallenge();
  const std::int32_t height = goal == ChallengeGoal::BeatTheClock || goal == ChallengeGoal::ComboToTheMax ? 43 : 29;
  Hud.ChallengeText = objects->Create<TobjLabel>(Group, otLabel, 1024 - ChallengeWidth - 6, 6, HudLayer,
                                                 ChallengeWidth, height);
  if (Hud.ChallengeText != nullptr) {
    Hud.ChallengeText->SetFramed(true);
    Hud.ChallengeText->SetAlpha(196);
    Hud.ChallengeText->Caption->SetAlpha(255);
    Hud.ChallengeText->Visible = res.GameKind == GameKind::Challenge;
  }
  ChallengeShown.clear();
}

void TfrmGame::ShowDoom(bool shown) {
  for (TobjBase* o : {static_cast<TobjBase*>(Hud.DoomLabel), Hud.DoomBar, static_cast<TobjBase*>(Hud.DoomButton)})
    if (o != nullptr) o->Visible = shown;
}

void TfrmGame::HideCombos() {
  for (TobjBase* o : {Hud.BasicComboIcon, Hud.TimeComboIcon, static_cast<TobjBase*>(Hud.BasicComboText),
                      static_cast<TobjBase*>(Hud.TimeComboText)})
    if (o != nullptr) o->Visible = false;
}

void TfrmGame::SetComboLine(TobjBase* icon, TobjLabel* text, std::string& shown, bool visible,
                            const std::string& line) {
  if (icon != nullptr) icon->Visible = visible;
  if (text == nullptr) return;
  text->Visible = visible;
  if (!visible || line == shown) return;
  shown = line;
  // A longer language's line takes the next smaller letters rather than
  // running past the strip.
  text->Caption->SetTextAt(line, FittingFontSize(line.size(), text->Caption->Width, 14), false, true, false, false,
                           true, TPointD{0, 0});
}

void TfrmGame::SetChallengeText(const std::string& markUp, std::uint32_t colour) {
  if (Hud.ChallengeText == nullptr || (markUp == ChallengeShown && colour == ChallengeColour)) return;
  ChallengeShown = markUp;
  ChallengeColour = colour;
  Hud.ChallengeText->Caption->SetColor(colour);
  Hud.ChallengeText->Caption->SetMarkUpAt(markUp, 10, true, true, false, false, true, TPointD{10, 0});
}

void TfrmGame::UpdateHud() {
  TsysResources& res = *Resources();
  const TLevel& level = res.Level;
  if (Hud.Score != nullptr) {
    Hud.Score->SetValue(res.Score);
    // A new game reads 0, not a blank.
    if (res.Score <= 0) Hud.Score->Digits[0]->Visible = true;
  }
  if (Hud.Level != nullptr) Hud.Level->SetValue(res.LevelNumber);
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(Hud.Lives.size()); ++i)
    if (i < res.Lives && Hud.Lives[static_cast<std::size_t>(i)] != nullptr)
      Hud.Lives[static_cast<std::size_t>(i)]->SetAlpha(255);

  const std::int32_t width = Round32(std::clamp(res.DoomCharge, 0, 100) / 100.0 * 256);
  if (Hud.DoomFill != nullptr && width != DoomBarWidth) {
    DoomBarWidth = width;
    // Cut rather than squeezed: the fill keeps its shape as it grows.
    Hud.DoomFill->Width = width;
    Hud.DoomFill->Visible = width > 0;
    Hud.DoomFill->TexCoord.SrcWidth = std::max(width, 1);
    Hud.DoomFill->TexCoord.SrcHeight = 48;
  }
  if (Hud.DoomButton != nullptr) Hud.DoomButton->MainItem->SetPattern(res.DoomCharge == 100 ? ButtonLit : ButtonNormal);

  SetComboLine(Hud.BasicComboIcon, Hud.BasicComboText, BasicComboShown, BasicCombo >= level.BasicComboMin,
               Format(Tr("Basic Combo x %s!"), {std::to_string(BasicCombo)}));
  SetComboLine(Hud.TimeComboIcon, Hud.TimeComboText, TimeComboShown, TimeCombo >= level.TimeComboMin,
               Format(Tr("Time Combo x %s!"), {std::to_string(TimeCombo)}));
  res.HighestCombo = std::max(res.HighestCombo, BasicCombo);

  const std::string target = std::to_string(TargetOfChallenge());
  switch (GoalOfChallenge()) {
    case ChallengeGoal::Scoreathon:
      SetChallengeText(Format(Tr("SCORE: %1$s OF %2$s"), {std::to_string(res.Score), target}), White);
      break;
    case ChallengeGoal::Killenate:
      SetChallengeText(Format(Tr("KILLS: %1$s OF %2$s"), {std::to_string(res.TotalKills), target}), White);
      break;
    case ChallengeGoal::ComboToTheMax:
      SetChallengeText(Format(Tr("COMBO: %1$s OF %2$s<r>HIGHEST COMBO: %3$s"),
                              {std::to_string(BasicCombo), target, std::to_string(res.HighestCombo)}),
                       White);
      break;
    case ChallengeGoal::BeatTheClock:
      // The clock ticks every tenth frame; a new score shows at once, so the
      // box never reads short of the target at the end.
      ShowClock();
      break;
    default:
      break;
  }
  CheckPowerUpAward();
}

void TfrmGame::StepHud() {
  const TsysResources& res = *Resources();
  if (Hud.TimeComboText != nullptr && res.Level.TimeComboWindow > 0)
    Hud.TimeComboText->Caption->SetAlpha(
        Round32(static_cast<double>(TimeComboTimer) / res.Level.TimeComboWindow * 255));
  for (std::int32_t i = std::max(res.Lives, 0); i < static_cast<std::int32_t>(Hud.Lives.size()); ++i) {
    TobjBase* life = Hud.Lives[static_cast<std::size_t>(i)];
    if (life != nullptr && life->Alpha > 0) life->SetAlpha(std::max(life->Alpha - LifeFade, 0));
  }
  if (Hud.HelpButton != nullptr && Hud.HelpButton->Visible)
    Hud.HelpButton->MainItem->SetPattern(Hud.HelpButton->Hovered ? ButtonLit : ButtonNormal);
}
