#include "screens/frmClassLevels.h"

#include <algorithm>
#include <memory>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "game/libSetPlay.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "render/rndItems.h"
#include "screens/frmParts.h"
#include "tables/defLevels.h"

namespace {

constexpr double Layer = 2;
constexpr std::uint32_t DetailColour = 0xFFF6CB;  // the story's cream
// Faults shown beside the list; the rest are counted.
constexpr std::size_t FaultsShown = 10;
constexpr std::int32_t DetailWidth = 300;
constexpr std::int32_t DetailFont = 10;

// A text of the file system or the teacher, in the game's bytes: a character
// the font cannot draw shows as '?'.
std::string Drawable(const std::string& utf8) {
  if (auto bytes = Utf8ToCodePage(utf8)) return *bytes;
  std::string out;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// The text's lines, each broken between words to fit chars characters (a
// word longer than that is cut).
std::vector<std::string> Wrapped(const std::string& text, std::size_t chars) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string rest = text.substr(start, end - start);
    while (rest.size() > chars) {
      std::size_t cut = rest.rfind(' ', chars);
      if (cut == std::string::npos || cut == 0) cut = chars;
      lines.push_back(rest.substr(0, cut));
      rest.erase(0, rest[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(rest);
    start = end + 1;
  }
  return lines;
}

std::string ProfileName(const TsysResources& res) { return CodePageToUtf8(res.GetActiveProfile().Name); }

std::string SetName(const TLevelSetFile& file) { return CodePageToUtf8(file.Read.Set.Title); }

}  // namespace

TfrmClassLevels::TfrmClassLevels(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grClassLevels, sidClassLevels, true) {
  EventMask |= ekGame | ekMouse;
}

std::string TfrmClassLevels::RowText(const TLevelSetFile& file, const TSetProgress& progress) {
  if (!file.Read.Ok()) {
    const auto n = static_cast<std::uint64_t>(file.Read.Faults.size());
    return Format(TrN("%s cannot be played: %d fault", "%s cannot be played: %d faults", n),
                  {Drawable(file.FileName), std::to_string(n)});
  }
  const TLevelSet& set = file.Read.Set;
  const std::string done = std::to_string(progress.LevelsDone);
  const std::string count = std::to_string(set.Levels.size());
  if (set.Author.empty()) return Format(Tr("%s: %s/%s levels done"), {set.Title, done, count});
  return Format(Tr("%s by %s: %s/%s levels done"), {set.Title, set.Author, done, count});
}

std::string TfrmClassLevels::DetailText(const TLevelSetFile& file, const TSetProgress& progress) {
  std::string text;
  if (!file.Read.Ok()) {
    text = Tr("This file cannot be played. Mend these faults in a text editor, then open CLASS LEVELS again.");
    text += "\n";
    std::size_t shown = 0;
    for (const TLevelFault& f : file.Read.Faults) {
      if (shown++ == FaultsShown) {
        text += "\n" + Format(Tr("And %s more."), {std::to_string(file.Read.Faults.size() - FaultsShown)});
        break;
      }
      text += "\n" + Drawable(file.FileName + ":" + std::to_string(f.Line) + ": " + f.Text);
    }
    return text;
  }
  const TLevelSet& set = file.Read.Set;
  if (!set.Author.empty()) text = Format(Tr("Written by %s."), {set.Author}) + "\n";
  text += Format(Tr("Levels finished: %s of %s. Best score: %s."),
                 {std::to_string(progress.LevelsDone), std::to_string(set.Levels.size()),
                  std::to_string(progress.BestScore)});
  text += "\n";
  for (std::size_t i = 0; i < set.Levels.size(); ++i) {
    const bool finished = static_cast<std::int32_t>(i) < progress.LevelsDone;
    text += "\n" + Format(finished ? Tr("%s. %s (finished)") : Tr("%s. %s"),
                          {std::to_string(i + 1), set.Levels[i].Title});
  }
  return text;
}

void TfrmClassLevels::BuildScreen() {
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, 112, 244, Layer, 800, 480, 196);
  Title = frm::Label(objects, Group, 112, 255, Layer, 800, 20, Tr("CLASS LEVELS"), 16, false);

  List = objects->Create<TobjListbox>(Group, otListbox, 127, 285, Layer, 460, 355);
  List->SetAlpha(196);
  PicksSeen = FilesPicked();
  FillList();

  DetailTitle = frm::Label(objects, Group, 597, 285, Layer, DetailWidth, 24, "", 12, false);
  Details = objects->Create<TobjLabel>(Group, otLabel, 597, 315, Layer, DetailWidth, 325);

  Play = frm::Button(objects, Group, 127, 655, Layer, 190, 50, Tr("PLAY"), 8, ekGame, PlayCode, 0, 0);
  Back = frm::Button(objects, Group, 707, 655, Layer, 190, 50, Tr("BACK"), 8, ekForm, sidClassLevels, sidMissions, 0);
  for (TobjButton* b : {Play, Back}) b->SetAlpha(196);
  // In the browser the sets come from the player's own files.
  Open = nullptr;
  if (CanPickFiles()) {
    Open = frm::Button(objects, Group, 377, 655, Layer, 270, 50, Tr("OPEN A LEVEL FILE"), 8, ekGame, OpenCode, 0, 0);
    Open->SetAlpha(196);
  }
  EscapeButton = Back;
  Focus->SetFirst(List);
  Shown = -2;
  ShowDetails();
}

void TfrmClassLevels::FillList() {
  TsysResources* res = Resources();
  std::vector<std::string> before;
  for (const TLevelSetFile& file : Files) before.push_back(file.Path);
  Files = FindLevelSets(LevelSetFolders(res->SavePath, res->LevelFolders, Interface->DataFolder),
                        Interface->DataFolder);
  Progress.clear();
  for (const TLevelSetFile& file : Files)
    Progress.push_back(file.Read.Ok() && res->Progress ? res->Progress->SetProgress(ProfileName(*res), SetName(file))
                                                      : TSetProgress{});
  List->Lines.clear();
  for (std::size_t i = 0; i < Files.size(); ++i) List->AddLine(RowText(Files[i], Progress[i]));
  if (Files.empty()) List->AddLine(Tr("No level sets were found."));
  List->RebuildList();
  // A file just opened is chosen at once, so that its levels or faults show.
  std::int32_t chosen = Files.empty() ? -1 : 0;
  if (!before.empty())
    for (std::size_t i = 0; i < Files.size(); ++i)
      if (std::find(before.begin(), before.end(), Files[i].Path) == before.end()) {
        chosen = static_cast<std::int32_t>(i);
        break;
      }
  List->SelectLine(chosen);
  Shown = -2;
}

void TfrmClassLevels::ShowDetails() {
  const std::int32_t row = List->SelectedIndex;
  if (row == Shown) return;
  Shown = row;
  const bool known = row >= 0 && row < static_cast<std::int32_t>(Files.size());
  std::string heading;
  std::string text = Tr("Put level sets (*.txt) in a folder named levels beside the saves, then open this screen again.");
  if (known) {
    const TLevelSetFile& file = Files[static_cast<std::size_t>(row)];
    heading = file.Read.Ok() ? file.Read.Set.Title : Drawable(file.FileName);
    text = DetailText(file, Progress[static_cast<std::size_t>(row)]);
  }
  DetailTitle->Caption->SetText(heading, 12, true, true, false, false, true);
  const auto chars = static_cast<std::size_t>(std::max(8, (DetailWidth - 8) / FontMetrics(DetailFont).CharWidth));
  Details->Caption->SetPlainLines(Wrapped(text, chars), DetailFont, true, true);
  Details->Caption->SetColor(DetailColour);
  // A bad file cannot be played: PLAY fades back.
  Play->SetAlpha(known && Files[static_cast<std::size_t>(row)].Read.Ok() ? 196 : 72);
}

bool TfrmClassLevels::PlaySelected() {
  const std::int32_t row = List->SelectedIndex;
  if (row < 0 || row >= static_cast<std::int32_t>(Files.size())) return false;
  const TLevelSetFile& file = Files[static_cast<std::size_t>(row)];
  if (!file.Read.Ok()) return false;
  TsysResources* res = Resources();
  res->PlayingSet = std::make_shared<const TLevelSet>(file.Read.Set);
  res->PlayingSetName = SetName(file);
  res->GameKind = GameKind::Mission;
  res->Difficulty = Difficulty::Medium;
  res->MissionLevelChoice = SetStartIndex(file.Read.Set, Progress[static_cast<std::size_t>(row)].LevelsDone);
  CloseTo(sidGame, 0);
  return true;
}

void TfrmClassLevels::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (Closing) return;
  // Enter plays only while the focus is on the list (on a button Enter presses it).
  const bool enterIsMine = Focus->Current() == nullptr || Focus->Current() == List;
  if (event->Kind == ekGame && event->Code == OpenCode) {
    PickFileInto(Resources()->SavePath + "levels/");
  } else if (event->Kind == ekGame && ((event->Code == 43 && enterIsMine) || event->Code == PlayCode)) {
    PlaySelected();
  } else if (event->Kind == ekMouse && event->Code == 3 &&
             Clicks.Double(List, static_cast<double>(event->Param), static_cast<double>(event->Value), Step)) {
    PlaySelected();
  }
}

void TfrmClassLevels::ProcessEvents() {
  ++Step;
  TsysForm::ProcessEvents();
  if (List == nullptr || Closing) return;
  if (FilesPicked() != PicksSeen) {
    PicksSeen = FilesPicked();
    FillList();
  }
  ShowDetails();
}
