#include "screens/frmParts.h"

#include <algorithm>

#include "core/sysCatalogue.h"
#include "core/sysMainWindow.h"
#include "data/sysResources.h"
#include "game/libSetPlay.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"

namespace frm {

TobjLabel* Label(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, const std::string& text, std::int32_t size, bool framed) {
  auto* label = objects->Create<TobjLabel>(group, otLabel, x, y, layer, w, h);
  // A line as tall as its label would lose an accented capital's lowest row
  // (the accent pushes the letter down): the text's box reaches two pixels past
  // the label at top and bottom, and the line stays where it was.
  const std::int32_t extra = std::max(0, FontMetrics(size).CharHeight + 4 - h + 1) / 2 * 2;
  label->Caption->RelY = -extra / 2;
  label->Caption->Height = h + extra;
  label->Caption->SetText(text, size, true, true, false, true, true);
  if (framed) label->SetFramed(true);
  return label;
}

TobjLabel* Panel(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, std::int32_t alpha) {
  auto* panel = objects->Create<TobjLabel>(group, otLabel, x, y, layer, w, h);
  panel->SetFramed(true);
  panel->SetAlpha(alpha);
  return panel;
}

TobjButton* Button(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& caption, std::int32_t size, std::int32_t kind,
                   std::uint16_t code, std::intptr_t param, std::int32_t value) {
  auto* button = objects->Create<TobjButton>(group, otButton, x, y, layer, w, h);
  // A longer language's caption takes smaller letters rather than running off the bar.
  button->Caption->SetText(caption, FittingFontSize(caption.size(), w - 8, size), true, true, false, true, true);
  button->SetAction(kind, code, param, value);
  return button;
}

void Hint(TobjButton* button, double hx, double hy, std::int32_t w, std::int32_t h, const std::string& text) {
  button->SetHint(hx, hy, TPointI{w, h});
  button->HintText->SetMarkUpAt(text, 8, false, false, true, false, false, TPointD{20, 10});
  button->HintEnabled = true;
}

TobjBase* Picture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                  std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex) {
  TobjBase* picture = objects->CreateObject(group, otStatic, x, y, layer, w, h);
  picture->Space = csScreen;
  picture->MainItem->SetImage(imageSet, imageIndex, 0);
  return picture;
}

TobjLabel* Caption(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& text, std::int32_t size) {
  auto* label = objects->Create<TobjLabel>(group, otLabel, x, y, layer, w, h);
  // A line longer than the label (in another language) takes the next smaller
  // letters that fit, down to the smallest.
  label->Caption->SetTextAt(text, FittingFontSize(text.size(), w - 4, size), true, true, false, false, true,
                            TPointD{2, 0});
  return label;
}

TobjBase* SheetPicture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                       std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex, const TSheetRect& rect,
                       std::uint32_t color, std::int32_t alpha) {
  TobjBase* picture = objects->CreateObject(group, otStatic, x, y, layer, w, h);
  picture->Space = csScreen;
  picture->MainItem->SetImage(imageSet, imageIndex, 0);
  picture->MainItem->TexCoord = SheetTexCoord(rect);
  picture->SetColor(color);
  picture->SetAlpha(alpha);
  return picture;
}

TobjGroupButton* DifficultyChoice(TsysObjects* objects, std::int32_t group, double x, double y, double layer,
                                  const std::array<std::int32_t, 4>& xs, const std::array<std::int32_t, 4>& ws,
                                  std::int32_t selected) {
  static constexpr const char* Words[4] = {TrMark("EASY"), TrMark("MEDIUM"), TrMark("HARD"), TrMark("CRAZY")};
  auto* choice = objects->Create<TobjGroupButton>(group, otGroupButton, x, y, layer, xs[3] + ws[3], 30);
  for (int i = 0; i < 4; ++i) {
    choice->AddEntry(xs[static_cast<std::size_t>(i)], 0, ws[static_cast<std::size_t>(i)], 30, Tr(Words[i]));
    choice->SetEntryAction(i, ekGame, 23, i, 0);
  }
  // A stored difficulty outside 0..3 selects no entry rather than a wrong one.
  choice->SetSelected(selected >= 0 && selected < 4 ? selected : 4);
  return choice;
}

void ShowNotice(TobjLabel* label, const std::string& text) {
  const std::size_t width = static_cast<std::size_t>(label->Caption->Width);
  const auto fits = [&](std::int32_t size) { return text.size() * static_cast<std::size_t>(FontMetrics(size).CharWidth) <= width; };
  const std::int32_t size = fits(8) ? 8 : 6;
  label->Caption->SetText(text, size, true, true, !fits(size), true, true);
}

std::string RefusedLetter(std::intptr_t character) {
  if (character > 32 && character < 256 && character != UnwritableCharacter && character != 127)
    return Format(Tr("A name cannot hold \"%s\"; use letters, digits and spaces."),
                  {std::string(1, static_cast<char>(character))});
  return Tr("The game has no letter for that character.");
}

std::array<TobjButton*, 3> ModeButtons(TsysObjects* objects, std::int32_t group, std::uint16_t closeCode) {
  std::array<TobjButton*, 3> buttons{};
  for (int i = 0; i < 3; ++i) {
    // Every hint box lands on the same screen place, (417, 410), under "PREVIEW".
    const double y = 410 + 80 * i;
    TobjButton* b = Button(objects, group, 197, y, 3, 210, 50, Tr(GameTypeCaptions[i]), 10, ekForm, closeCode, sidGame,
                           i + 1);
    b->Caption->SetColor(GameTypeColours[i]);
    b->SetHint(220, -80 * i, TPointI{410, 210});
    b->SetHintPicture(3, i + 1, 0, TPointD{230, 10.0 - 80 * i}, TPointI{390, 190});
    b->SetHintPictureWhite();
    b->HintEnabled = true;
    buttons[static_cast<std::size_t>(i)] = b;
  }
  buttons[0]->SetAlpha(255);
  return buttons;
}

std::uint16_t SetUpScreen(const TsysResources* res) {
  if (res == nullptr) return 0;
  return SetPlaying(*res) ? static_cast<std::uint16_t>(sidClassLevels) : SetUpScreen(res->GameKind);
}

std::uint16_t SetUpScreen(std::int32_t gameKind) {
  switch (gameKind) {
    case GameKind::Mission: return sidMissions;
    case GameKind::Arcade: return sidArcade;
    case GameKind::Challenge: return sidChallenge;
    default: return 0;
  }
}

bool TListClicks::Double(const TobjListbox* list, double x, double y, std::int64_t step) {
  const bool onLines = x >= list->X + 8 && x <= list->X + list->Width - 24 && y >= list->Y + 25 &&
                       y <= list->Y + list->Height - 25;
  if (!onLines || list->SelectedIndex < 0) return false;
  if (list->SelectedIndex == LastLine && step - LastStep <= Within) {
    LastLine = -1;
    return true;
  }
  LastLine = list->SelectedIndex;
  LastStep = step;
  return false;
}

}  // namespace frm
