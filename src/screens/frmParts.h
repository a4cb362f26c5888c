#pragma once
// Building blocks the menu screens share: labels, panels and buttons set up the
// way every screen uses them.
#include <array>
#include <cstdint>
#include <string>

#include "core/sysCatalogue.h"
#include "tables/defColours.h"

class TsysObjects;
class TsysResources;
class TobjBase;
class TobjLabel;
class TobjButton;
class TobjGroupButton;
class TobjListbox;
struct TSheetRect;

namespace frm {

// Colours of the game types 1..3 (the table's own, named here for the screens).
constexpr const std::uint32_t* GameTypeColours = ::GameTypeColours.data();
// Button captions of the game types 1..3.
constexpr const char* GameTypeCaptions[3] = {TrMark("ROZIR IVIVURUDA"), TrMark("VOVE'R UDA ZERIR?"),
                                                    TrMark("DEFINE THE LINE")};

// A label whose caption is set bold, shadowed and centred both ways.
TobjLabel* Label(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, const std::string& text, std::int32_t size, bool framed);
// A framed label with an empty caption, at the given opacity.
TobjLabel* Panel(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, std::int32_t alpha);
// A menu button with its caption and action (kind 0: none).
TobjButton* Button(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& caption, std::int32_t size, std::int32_t kind,
                   std::uint16_t code, std::intptr_t param, std::int32_t value);
// Gives a button a hint box of w x h at (hx, hy) with the text inset (20, 10) at size 8.
void Hint(TobjButton* button, double hx, double hy, std::int32_t w, std::int32_t h, const std::string& text);
// A screen-space picture object showing one whole image.
TobjBase* Picture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                  std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex);

// A small caption: the text left-aligned 2 pixels in, bold, shadowed, centred vertically.
TobjLabel* Caption(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& text, std::int32_t size);
// A screen-space picture cut from a sheet rectangle of an image, tinted and at an opacity.
TobjBase* SheetPicture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                       std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex, const TSheetRect& rect,
                       std::uint32_t color, std::int32_t alpha);
// The EASY / MEDIUM / HARD / CRAZY choice, 30 high: entry i at xs[i], ws[i] wide, posting
// (ekGame, 23, i); the entry of `selected` is selected.
TobjGroupButton* DifficultyChoice(TsysObjects* objects, std::int32_t group, double x, double y, double layer,
                                  const std::array<std::int32_t, 4>& xs, const std::array<std::int32_t, 4>& ws,
                                  std::int32_t selected);
// The three game-mode buttons of the arcade and missions screens, captioned in
// their mode's colour, each showing its mode's preview in the preview area
// while the pointer rests on it, and posting (ekForm, closeCode, game screen,
// game type).
std::array<TobjButton*, 3> ModeButtons(TsysObjects* objects, std::int32_t group, std::uint16_t closeCode);

// Why a character typed into a name did not appear: one the name may not hold
// is named, one outside the game's letters cannot be.
std::string RefusedLetter(std::intptr_t character);
// A notice in the line under a name box, centred: in the usual letters when it
// fits the label's width, else in the small ones, on two lines if need be (a
// longer language's sentence).
void ShowNotice(TobjLabel* label, const std::string& text);

// The set-up screen a kind of game is left to (missions, arcade, challenges); 0 for none.
std::uint16_t SetUpScreen(std::int32_t gameKind);
// The same for the game being played: CLASS LEVELS for a teacher's set.
std::uint16_t SetUpScreen(const TsysResources* res);

// Tells a double click on a list's lines from two single ones: the second
// release on the same line within a number of steps.
class TListClicks {
 public:
  explicit TListClicks(std::int64_t withinSteps) : Within(withinSteps) {}
  // A release at (x, y), after the list has moved its selection on the press:
  // true when it completes a double click on a line. Clicks off the lines are ignored.
  bool Double(const TobjListbox* list, double x, double y, std::int64_t step);

 private:
  std::int64_t Within;
  std::int32_t LastLine = -1;
  std::int64_t LastStep = 0;
};

}  // namespace frm
