#include "screens/frmMissions.h"

#include <cctype>
#include <string>

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

namespace {

constexpr const char* StoryText = TrMark(
    "Mathematics is in grave danger! Hordes of spiteful rectangular expressions are migrating toward the origin of "
    "the cartesian plane. They must be stopped, or the basis of mathematical reality will shatter, and all will be "
    "lost! Luckily, each one has a weakness, a result which can unravel them from within..");

constexpr std::uint32_t StoryColour = 0xFFF6CB;
constexpr std::int32_t BarX = 432;
constexpr std::int32_t BarY[3] = {418, 498, 578};
constexpr std::int32_t BarWidth = 250;
constexpr std::int32_t BarHeight = 35;
constexpr std::int32_t SegmentInset = 4;
constexpr std::int32_t SegmentPitch = 50;

// In the game's code page (Windows-1252): é becomes É, œ Œ, š Š; ß has no
// capital there and stays.
std::string UpperCase(std::string text) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0xE0 && u != 0xF7 && u != 0xFF) c = static_cast<char>(u - 0x20);
    else if (u == 0x9A || u == 0x9C || u == 0x9E) c = static_cast<char>(u - 0x10);
    else if (u == 0xFF) c = static_cast<char>(0x9F);
    else c = static_cast<char>(std::toupper(u));
  }
  return text;
}

}  // namespace

TfrmMissions::TfrmMissions(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grMissions, sidMissions, true) {
  EventMask |= ekGame | ekMouse;
}

void TfrmMissions::BuildScreen() {
  TsysObjects* objects = Objects();
  TsysResources* res = Resources();
  res->GameKind = GameKind::Mission;

  Panel = frm::Panel(objects, Group, 172, 244, 2, 680, 480, 196);
  Title = frm::Label(objects, Group, 272, 255, 2, 480, 20, Tr("TUTORIAL"), 16, false);
  frm::Panel(objects, Group, 182, 280, 2, 660, 360, 196);
  // Down to the headings of the modes, five lines of the usual letters.
  Story = objects->Create<TobjLabel>(Group, otLabel, 197, 295, 2, 670, 84);
  Story->Caption->SetTextAt(UpperCase(Tr(StoryText)), 12, true, true, true, false, false, TPointD{2, 0});
  // A longer language's story takes smaller letters rather than running into
  // the headings under it.
  const auto spills = [this] {
    const TrndText* t = Story->Caption;
    return !t->Segments.empty() && (t->Segments.back().Line + 1) * (t->CharHeight + 1) > t->Height;
  };
  for (std::int32_t size : {10, 8})
    if (spills()) Story->Caption->SetTextAt(UpperCase(Tr(StoryText)), size, true, true, true, false, false, TPointD{2, 0});
  Story->Caption->SetColor(StoryColour);

  frm::Caption(objects, Group, 197, 380, 2, 480, 20, Tr("GAME MODE"), 10);
  Modes = frm::ModeButtons(objects, Group, sidMissions);
  BarsHeading = frm::Caption(objects, Group, 432, 380, 2, 480, 20, Tr("PROGRESS"), 10);
  ShowingPreview = false;

  for (std::size_t m = 0; m < 3; ++m) {
    const std::uint32_t colour = frm::GameTypeColours[m];
    Bars[m] = frm::SheetPicture(objects, Group, BarX, BarY[m], 2, BarWidth, BarHeight, SheetImageSet,
                                SheetImageIndex, Sheet::ProgressBar, colour, 255);
    for (std::size_t j = 0; j < 5; ++j)
      Segments[m][j] = frm::SheetPicture(objects, Group, BarX + SegmentInset + SegmentPitch * static_cast<int>(j),
                                         BarY[m] + SegmentInset, 2, 42, 27, SheetImageSet, SheetImageIndex,
                                         Sheet::ProgressSegment, colour, 255);
    TobjButton* reset = frm::Button(objects, Group, 707, 410 + 80 * static_cast<int>(m), 2, 120, 50, Tr("RESET"), 8,
                                    ekGame, 42, static_cast<std::intptr_t>(m) + 1, 0);
    reset->Caption->SetColor(colour);
    reset->SetHint(125, 0, TPointI{150, 50});
    reset->HintText->SetMarkUpAt(Tr("Reset Progress for this mode."), 8, false, false, true, false, false,
                                 TPointD{10, 10});
    // Three lines fit the box; a longer sentence takes the small letters.
    if (!reset->HintText->Segments.empty() && reset->HintText->Segments.back().Line >= 3)
      reset->HintText->SetMarkUpAt(Tr("Reset Progress for this mode."), 6, false, false, true, false, false,
                                   TPointD{10, 10});
    reset->HintEnabled = true;
    Resets[m] = reset;
  }
  ShowProgress();

  Marker = frm::SheetPicture(objects, Group, BarX + SegmentInset, BarY[0] + SegmentInset, 3, 42, 27, SheetImageSet,
                             SheetImageIndex, Sheet::ProgressMarker, 0xFFFFFF, 64);
  Marker->SetVisible(false);

  Back = frm::Button(objects, Group, 397, 650, 2, 220, 50, Tr("BACK"), 8, ekForm, sidMissions, sidMainMenu, 0);
  ClassLevels = frm::Button(objects, Group, 632, 650, 2, 200, 50, Tr("CLASS LEVELS"), 8, ekGame, ClassLevelsCode, 0, 0);
  EscapeButton = Back;
  Focus->SetFirst(Modes[0]);

  res->Difficulty = Difficulty::Medium;
  HoveredMode = -1;
  HoveredLevel = -1;
  res->MissionLevelChoice = -1;
  // The game's own missions from here on.
  res->PlayingSet = nullptr;
}

void TfrmMissions::ShowProgress() {
  const TProfileRecord profile = Resources()->GetActiveProfile();
  for (std::size_t m = 0; m < 3; ++m) {
    LevelsDone[m] = profile.MissionProgress[m].LevelsDone;
    for (std::size_t j = 0; j < 5; ++j) Segments[m][j]->SetVisible(static_cast<std::int32_t>(j) < LevelsDone[m]);
  }
}

void TfrmMissions::PointerMoved(std::int32_t x, std::int32_t y) {
  HoveredMode = -1;
  HoveredLevel = -1;
  Marker->SetVisible(false);
  if (x < BarX || x > BarX + BarWidth) return;
  for (std::int32_t m = 0; m < 3; ++m) {
    if (y < BarY[m] || y > BarY[m] + BarHeight) continue;
    const std::int32_t j = (x - BarX) / SegmentPitch;
    // A completed level, or the next one.
    if (j > 4 || j > LevelsDone[static_cast<std::size_t>(m)]) return;
    Marker->SetX(BarX + SegmentInset + SegmentPitch * j);
    Marker->SetY(BarY[m] + SegmentInset);
    Marker->SetVisible(true);
    HoveredMode = m + 1;
    HoveredLevel = j;
    return;
  }
}

void TfrmMissions::ProcessEvents() {
  TsysForm::ProcessEvents();
  bool preview = false;
  for (const TobjButton* mode : Modes) preview = preview || (mode != nullptr && mode->HintAlpha > 0);
  if (preview == ShowingPreview || BarsHeading == nullptr) return;
  ShowingPreview = preview;
  BarsHeading->Caption->SetTextAt(preview ? Tr("PREVIEW") : Tr("PROGRESS"), 10, true, true, false, false, true,
                                  TPointD{2, 0});
}

void TfrmMissions::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  TsysResources* res = Resources();
  if (event->Kind == ekGame && event->Code == ClassLevelsCode && !Closing) {
    CloseTo(sidClassLevels, 0);
  } else if (event->Kind == ekGame && event->Code == 23) {
    res->Difficulty = static_cast<std::int32_t>(event->Param);
  } else if (event->Kind == ekGame && event->Code == 42) {
    const auto mode = static_cast<std::int32_t>(event->Param);
    if (mode < 1 || mode > 3) return;
    TProfileRecord profile = res->GetActiveProfile();
    profile.MissionProgress[mode - 1] = TMissionProgress{};
    res->SetActiveProfile(profile);
    res->SaveProfiles();
    ShowProgress();
  } else if (event->Kind == ekMouse && event->Code == 1) {
    PointerMoved(static_cast<std::int32_t>(event->Param), event->Value);
  } else if (event->Kind == ekMouse && event->Code == 3) {
    if (HoveredMode < 1 || HoveredLevel < 0) return;
    res->MissionLevelChoice = HoveredLevel;
    // The director stores the choice as it does for a mode button; the bus does
    // not hand the screen its own event, so it starts closing itself.
    PostEvent(pmQueued, ekForm, sidMissions, sidGame, HoveredMode);
    CloseTo(sidGame, HoveredMode);
  }
}
