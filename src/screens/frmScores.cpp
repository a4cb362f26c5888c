#include "screens/frmScores.h"

#include "core/sysCatalogue.h"
#include "objects/sysScreenIds.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

namespace {

struct TColumn {
  std::int32_t X;
  std::int32_t Width;
  const char* Heading;
};

constexpr TColumn ColumnsOf[TfrmScores::Columns] = {
    {45, 34, "#"},      {79, 200, TrMark("NAME")}, {279, 150, TrMark("SCORE")}, {429, 200, TrMark("RANK")},
    {629, 150, TrMark("DIFFICULTY")}, {779, 100, TrMark("LEVEL")}, {879, 100, TrMark("KILLS")},
};

constexpr const std::uint32_t* TypeColours = frm::GameTypeColours;
constexpr const char* DifficultyWords[4] = {TrMark("EASY"), TrMark("MEDIUM"), TrMark("HARD"), TrMark("CRAZY")};
constexpr std::uint32_t Plain = WidgetTint;
constexpr std::int32_t SpeedPercents[3] = {100, 75, 50};
constexpr const char* SpeedWords[3] = {"100 %", "75 %", "50 %"};
constexpr std::uint32_t SpeedColour = 0x6E6E6E;

std::string DifficultyWord(std::int32_t difficulty) {
  return difficulty >= 0 && difficulty < 4 ? Tr(DifficultyWords[difficulty]) : "";
}

}  // namespace

TfrmScores::TfrmScores(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grScores, sidScores, true) {
  EventMask |= ekGame;
}

void TfrmScores::BuildScreen() {
  TsysObjects* objects = Objects();
  TsysResources* res = Resources();
  Panel = frm::Panel(objects, Group, 25, 240, 2, 974, 480, 196);
  Title = frm::Label(objects, Group, 397, 247, 2, 230, 50, Tr("HIGH SCORES"), 16, false);

  GameTypes = objects->Create<TobjGroupButton>(Group, otGroupButton, 45, 289, 2, 934, 30);
  const std::int32_t typeX[3] = {0, 312, 623};
  const std::int32_t typeW[3] = {311, 310, 311};
  const char* const* typeCaptions = frm::GameTypeCaptions;
  for (int i = 0; i < 3; ++i) {
    GameTypes->AddEntry(typeX[i], 0, typeW[i], 30, Tr(typeCaptions[i]));
    GameTypes->SetEntryAction(i, ekGame, 36, 0, 0);
  }
  for (int i = 0; i < 3; ++i) GameTypes->Entries[static_cast<std::size_t>(i)].CaptionItem->SetColor(TypeColours[i]);
  GameTypes->SetSelected(res->GameType - 1);

  Difficulties = objects->Create<TobjGroupButton>(Group, otGroupButton, 45, 320, 3, 934, 30);
  const std::int32_t diffX[4] = {0, 234, 468, 702};
  const std::int32_t diffW[4] = {233, 233, 233, 232};
  for (int i = 0; i < 4; ++i) {
    Difficulties->AddEntry(diffX[i], 0, diffW[i], 30, Tr(DifficultyWords[i]));
    Difficulties->SetEntryAction(i, ekGame, 36, 0, 0);
  }
  Difficulties->SetSelected(res->Difficulty);

  // Right of the title: the tables of games played at a slower GAME SPEED.
  frm::Caption(objects, Group, 640, 252, 2, 120, 30, Tr("GAME SPEED"), 10);
  Speeds = objects->Create<TobjGroupButton>(Group, otGroupButton, 759, 252, 2, 220, 30);
  std::int32_t speed = 0;
  for (int i = 0; i < 3; ++i) {
    Speeds->AddEntry(74 * i, 0, 72, 30, SpeedWords[i]);
    Speeds->SetEntryAction(i, ekGame, 36, 0, 0);
    if (SpeedPercents[i] == res->Options.GameSpeed) speed = i;
  }
  for (int i = 0; i < 3; ++i) Speeds->SetEntryColor(i, SpeedColour);
  Speeds->SetSelected(speed);

  TableFrame = objects->Create<TobjLabel>(Group, otLabel, 45, 379, 2, 934, 240);
  TableFrame->SetFramed(true);

  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < Columns; ++c) {
      TobjLabel* cell = objects->Create<TobjLabel>(Group, otLabel, ColumnsOf[c].X, 355 + 24 * r, 2,
                                                   ColumnsOf[c].Width, 24);
      Cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = cell;
    }
  }
  for (int c = 0; c < Columns; ++c) {
    TobjLabel* heading = Cells[0][static_cast<std::size_t>(c)];
    heading->Caption->SetTextAt(Tr(ColumnsOf[c].Heading), 10, true, true, false, false, true, TPointD{10, 0});
    heading->SetFramed(true);
  }
  for (int r = 1; r < Rows; ++r) SetCell(r, 0, std::to_string(r), 8);

  Refresh();
  Back = frm::Button(objects, Group, 397, 650, 2, 220, 50, Tr("BACK"), 8, ekForm, sidScores, sidMainMenu, 0);
  EscapeButton = Back;
}

void TfrmScores::SetCell(int row, int column, const std::string& text, std::int32_t size) {
  Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]->Caption->SetTextAt(
      text, size, true, true, false, false, true, TPointD{10, 0});
}

std::int32_t TfrmScores::SpeedShown() const {
  const std::int32_t i = Speeds != nullptr ? Speeds->SelectedIndex : 0;
  return i >= 0 && i < 3 ? SpeedPercents[i] : 100;
}

void TfrmScores::Refresh() {
  TsysResources* res = Resources();
  const std::int32_t t = GameTypes->SelectedIndex + 1;
  const std::int32_t d = Difficulties->SelectedIndex;
  if (t < 1 || t > 3 || d < 0 || d > 3) return;
  const std::uint32_t highlight = TypeColours[t - 1];
  const bool ownTable = t == res->GameType && d == res->Difficulty && SpeedShown() == res->GameSpeed;
  const TScoreTable& table =
      res->TablesOfSpeed(SpeedShown())[static_cast<std::size_t>(TsysResources::ScoreTableIndex(t, d))];

  for (int r = 1; r <= 10; ++r) {
    const TScoreEntry& e = table[static_cast<std::size_t>(r - 1)];
    // A row nobody has filled (the slowed tables start so) shows empty, not as a score of 0.
    const bool empty = IsEmptyScore(e);
    SetCell(r, 1, e.Name, 8);
    SetCell(r, 2, empty ? "" : std::to_string(e.Score), 8);
    SetCell(r, 3, empty ? "" : Tr(TsysResources::TitleName(t, d, e.Score)), 8);
    SetCell(r, 4, empty ? "" : DifficultyWord(e.Difficulty), 8);
    SetCell(r, 5, empty ? "" : std::to_string(e.Level), 8);
    SetCell(r, 6, empty ? "" : std::to_string(e.Kills), 8);
    const bool fresh = ownTable && r == res->ScoreRank + 1;
    for (TobjLabel* cell : Cells[static_cast<std::size_t>(r)]) {
      cell->SetColor(fresh ? highlight : Plain);
      cell->SetFramed(fresh);
    }
  }
  for (TobjLabel* cell : Cells[0]) cell->SetColor(highlight);

  const bool missed = ownTable && res->ScoreRank == 11;
  if (missed) {
    SetCell(11, 0, "-", 8);
    SetCell(11, 1, res->GetActiveProfile().Name, 8);
    SetCell(11, 2, std::to_string(res->Score), 8);
    SetCell(11, 3, Tr(TsysResources::TitleName(t, d, res->Score)), 8);
    SetCell(11, 4, DifficultyWord(res->Difficulty), 8);
    SetCell(11, 5, std::to_string(res->LevelNumber), 8);
    SetCell(11, 6, std::to_string(res->TotalKills), 8);
  }
  for (TobjLabel* cell : Cells[11]) {
    cell->SetColor(highlight);
    cell->SetFramed(missed);
    cell->SetVisible(missed);
  }
}

void TfrmScores::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind == ekGame && event->Code == 36) Refresh();
}
