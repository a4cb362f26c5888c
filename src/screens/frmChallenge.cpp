#include "screens/frmChallenge.h"

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

namespace {

struct TNumberedRect {
  std::int32_t Index;
  TSheetRect Rect;
};

constexpr TNumberedRect ChallengeSheet[] = {
    {0, {2, 2, 108, 108}},     {1, {112, 2, 108, 108}},    {2, {222, 2, 108, 108}},   {3, {2, 112, 54, 54}},
    {4, {58, 112, 54, 54}},    {5, {114, 112, 54, 54}},    {6, {170, 112, 54, 54}},   {8, {112, 168, 108, 108}},
    {9, {222, 168, 108, 108}}, {10, {332, 168, 108, 108}}, {11, {2, 168, 108, 108}}, {15, {2, 388, 285, 50}},
};

// Sheet numbers of the pictures.
constexpr std::int32_t BackdropRect = 0;  // + game type - 1
constexpr std::int32_t GoalRect = 3;      // + goal - 1
constexpr std::int32_t MedalRect = 8;     // + difficulty
constexpr std::int32_t BannerRect = 15;

constexpr std::int32_t TileSize = 120;
constexpr std::int32_t HintHeight = 140;
constexpr double TileLayer = 4;

bool ValidDifficulty(std::int32_t d) { return d >= 0 && d < DifficultyCount; }

}  // namespace

TSheetRect ChallengeSheetRect(std::int32_t index) {
  for (const TNumberedRect& r : ChallengeSheet)
    if (r.Index == index) return r.Rect;
  return TSheetRect{0, 0, 0, 0};
}

std::string MinutesSeconds(std::int32_t seconds) {
  const std::int32_t s = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

std::string ChallengeHintText(std::int32_t challenge, std::int32_t difficulty, const TProfileRecord& profile) {
  if (challenge < 0 || challenge >= ChallengeCount || !ValidDifficulty(difficulty)) return "";
  const auto d = static_cast<std::size_t>(difficulty);
  const TChallenge& c = Challenges[static_cast<std::size_t>(challenge)];
  const TChallengeRecord& record = profile.ChallengeRecords[challenge];
  const std::int32_t type = c.GameType[d];
  const std::int32_t goal = c.Goal[d];
  const std::string target = std::to_string(c.Target[d]);

  // TRANSLATORS: the lines of a challenge's hint; the spaces before the colon
  // line the values up in a box 300 pixels wide. Keep <b>...</b> around the value.
  const auto line = [](const char* pattern, const std::string& value) { return "<r>" + Format(pattern, {value}); };
  std::string text = type >= 1 && type <= 3 ? std::string("<b>") + Tr(frm::GameTypeCaptions[type - 1]) + "</b><r>" : "";
  const char* goalName = nullptr;
  switch (goal) {
    case ChallengeGoal::Scoreathon: goalName = Tr("SCOREATHON!"); break;
    case ChallengeGoal::BeatTheClock: goalName = Tr("BEAT THE CLOCK!"); break;
    case ChallengeGoal::Killenate: goalName = Tr("KILLENATE THEM!"); break;
    case ChallengeGoal::ComboToTheMax: goalName = Tr("COMBO TO THE MAX!"); break;
    default: break;
  }
  if (goalName != nullptr) {
    text += line(Tr("Type         : <b>%s</b>"), goalName);
    if (goal == ChallengeGoal::Killenate)
      text += line(Tr("Target Kills : <b>%s</b>"), target);
    else if (goal == ChallengeGoal::ComboToTheMax)
      text += line(Tr("Target Combo : <b>%s</b>"), target);
    else
      text += line(Tr("Target Score : <b>%s</b>"), target);
    if (goal == ChallengeGoal::BeatTheClock)
      text += line(Tr("Time Limit   : <b>%s Min</b>"), MinutesSeconds(c.TimeLimit[d]));
  }
  text += "<r>" + line(Tr("Status       : <b>%s</b>"), record.Completed[d] ? Tr("COMPLETED") : Tr("NOT COMPLETED"));
  const std::string best = std::to_string(record.Best[d]);
  if (goal == ChallengeGoal::Killenate)
    text += line(Tr("Best Kills   : <b>%s</b>"), best);
  else if (goal == ChallengeGoal::ComboToTheMax)
    text += line(Tr("Best Combo   : <b>%s</b>"), best);
  else
    text += line(Tr("Best Score   : <b>%s</b>"), best);
  if (goal == ChallengeGoal::BeatTheClock)
    text += line(Tr("Best Time    : <b>%s Min</b>"), record.BestTime[d] != 0 ? MinutesSeconds(record.BestTime[d]) : "--:--");
  return text;
}

TfrmChallenge::TfrmChallenge(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grChallenge, sidChallenge, true) {
  EventMask |= ekGame;
}

void TfrmChallenge::BuildScreen() {
  TsysObjects* objects = Objects();
  TsysResources* res = Resources();
  res->GameKind = GameKind::Challenge;
  res->Difficulty = res->GetActiveProfile().ChallengeDifficulty;

  Panel = frm::Panel(objects, Group, 112, 244, 2, 808, 480, 196);
  Title = frm::Label(objects, Group, 212, 255, 2, 608, 20, Tr("CHALLENGES"), 16, false);
  frm::Panel(objects, Group, 122, 280, 2, 788, 80, 196);
  frm::Caption(objects, Group, 137, 290, 2, 608, 20, Tr("DIFFICULTY"), 10);
  Difficulties = frm::DifficultyChoice(objects, Group, 137, 315, 2, {0, 189, 378, 568}, {189, 189, 190, 190},
                                       res->Difficulty);
  frm::Panel(objects, Group, 122, 370, 2, 788, 270, 196);
  Back = frm::Button(objects, Group, 417, 650, 2, 220, 50, Tr("BACK"), 8, ekForm, sidChallenge, sidMainMenu, 0);
  EscapeButton = Back;
  frm::SheetPicture(objects, Group, 124, 654, 2, 285, 50, SheetImageSet, ChallengeSheetImage,
                    ChallengeSheetRect(BannerRect), 0xFFFFFF, 255);

  for (std::int32_t i = 0; i < ChallengeCount; ++i) {
    const std::int32_t column = i % 6;
    const std::int32_t row = i / 6;
    auto* button = objects->Create<TobjHintLabelButton>(Group, otHintLabelButton, 136 + 128 * column,
                                                        381 + 128 * row, TileLayer, TileSize, TileSize);
    button->Caption->Visible = false;
    button->SetFramed(true);
    button->SetOpacity(255);
    // Game type and goal are the same at every difficulty.
    const TChallenge& c = Challenges[static_cast<std::size_t>(i)];
    const std::int32_t type = c.GameType[0];
    const std::int32_t goal = c.Goal[0];
    button->SetTint(type >= 1 && type <= 3 ? frm::GameTypeColours[type - 1] : WidgetTint);
    // The tile's frame wears its game type's colour; its hint is a control's, like every other hint.
    if (button->HintFill != nullptr) button->HintFill->SetColor(WidgetTint);
    for (TrndGfx* piece : button->HintFrame)
      if (piece != nullptr) piece->SetColor(WidgetTint);
    // The hint opens over the other row of tiles (the hovered tile is drawn
    // last of them): never over the difficulty buttons above the top row, nor
    // over BACK below the bottom one.
    button->SetHint(column < 3 ? 0 : -228, row == 0 ? TileSize + 2 : -(HintHeight + 8), TPointI{348, HintHeight});

    TTile& tile = Tiles[static_cast<std::size_t>(i)];
    tile.Button = button;
    tile.Backdrop = button->AddPicture(SheetImageSet, ChallengeSheetImage, 0,
                                       SheetTexCoord(ChallengeSheetRect(BackdropRect + type - 1)), TPointD{6, 6},
                                       TPointI{108, 108}, 0xFFFFFF, 224);
    tile.GoalIcon = button->AddPicture(SheetImageSet, ChallengeSheetImage, 0,
                                       SheetTexCoord(ChallengeSheetRect(GoalRect + goal - 1)), TPointD{60, 60},
                                       TPointI{54, 54}, 0xFFFFFF, 224);
    tile.Medal = button->AddPicture(SheetImageSet, ChallengeSheetImage, 0, SheetTexCoord(ChallengeSheetRect(MedalRect)),
                                    TPointD{12, 12}, TPointI{MedalSize, MedalSize}, 0xFFFFFF, 255);
  }

  if (res->CompletedChallenge != -1) {
    if (res->CompletedChallenge >= 0 && res->CompletedChallenge < ChallengeCount) {
      Animation = TMedalAnimation{res->CompletedChallenge, 1, 0, true};
      PlaceMedal(Animation.Tile, Animation.Size);
    }
    res->CompletedChallenge = -1;
  }
  Refresh();
}

void TfrmChallenge::Refresh() {
  TsysResources* res = Resources();
  const std::int32_t d = res->Difficulty;
  const TProfileRecord profile = res->GetActiveProfile();
  for (std::int32_t i = 0; i < ChallengeCount; ++i) {
    TTile& tile = Tiles[static_cast<std::size_t>(i)];
    tile.Button->SetAction(ekForm, sidChallenge, sidGame, i);
    const std::string hint = ChallengeHintText(i, d, profile);
    TrndText* hintText = tile.Button->HintText;
    hintText->SetMarkUpAt(hint, 10, false, false, true, false, false, TPointD{15, 15});
    // A line that wraps (a longer language) would push the last one out of the
    // box: then every line takes smaller letters.
    std::int32_t lines = 0;
    for (std::size_t at = hint.find("<r>"); at != std::string::npos; at = hint.find("<r>", at + 3)) ++lines;
    if (!hintText->Segments.empty() && hintText->Segments.back().Line > lines)
      hintText->SetMarkUpAt(hint, 8, false, false, true, false, false, TPointD{15, 15});
    const bool valid = ValidDifficulty(d);
    tile.Medal->TexCoord = SheetTexCoord(ChallengeSheetRect(MedalRect + (valid ? d : 0)));
    tile.Medal->Visible = valid && profile.ChallengeRecords[i].Completed[d];
  }
}

void TfrmChallenge::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind == ekGame && event->Code == 23) {
    Resources()->Difficulty = static_cast<std::int32_t>(event->Param);
    Refresh();
  }
}

void TfrmChallenge::ProcessEvents() {
  TsysForm::ProcessEvents();
  // The tile whose hint shows, by the pointer or by the keys, is drawn over the
  // others: its hint opens over the other row of tiles.
  for (const TTile& tile : Tiles)
    if (tile.Button != nullptr && (tile.Button->MouseOver || tile.Button->HintFill->Visible) &&
        tile.Button != Raised) {
      Raised = tile.Button;
      Objects()->BringToFront(tile.Button);
    }
  if (FadingIn || !Animation.Running) return;
  std::int32_t& s = Animation.Size;
  if (Animation.Phase == 0) {
    s += 4;
    if (s > 117) {
      s = 118;
      Animation.Phase = 1;
    }
  }
  if (Animation.Phase == 1) {
    if (s > MedalSize) s -= 4;
    if (s <= MedalSize) {
      s = MedalSize;
      Animation.Phase = 2;
      Animation.Running = false;
    }
  }
  PlaceMedal(Animation.Tile, s);
}

void TfrmChallenge::PlaceMedal(std::int32_t tile, std::int32_t size) {
  TrndGfx* medal = Tiles[static_cast<std::size_t>(tile)].Medal;
  medal->RelX = (108 - size) / 2.0 + 6;
  medal->RelY = (108 - size) / 2.0 + 6;
  medal->Width = size;
  medal->Height = size;
}
