#pragma once
// Every rectangle of the widget sheet (image set 3, image 0), as (x, y, w, h)
// in sheet pixels, and the helpers that cut picture items from it. The sheet
// is drawn from the same numbers, so change neither side alone.
#include <cstdint>

#include "render/rndItems.h"
#include "tables/defColours.h"

class TobjBase;

struct TSheetRect {
  std::int32_t X;
  std::int32_t Y;
  std::int32_t W;
  std::int32_t H;
};

constexpr std::int32_t SheetImageSet = 3;
constexpr std::int32_t SheetImageIndex = 0;
// The controls' colour (the table's): widget pieces come out navy with rims of it.
constexpr std::uint32_t WidgetTint = ControlTint;

namespace Sheet {

// Label frame.
constexpr TSheetRect LabelFill{252, 32, 1, 1};
constexpr TSheetRect LabelTopLeft{251, 2, 7, 10};
constexpr TSheetRect LabelTop{253, 44, 1, 5};
constexpr TSheetRect LabelTopRight{260, 2, 7, 10};
constexpr TSheetRect LabelLeft{251, 38, 7, 1};
constexpr TSheetRect LabelRight{260, 38, 7, 1};
constexpr TSheetRect LabelBottomLeft{251, 19, 7, 10};
constexpr TSheetRect LabelBottom{262, 44, 1, 5};
constexpr TSheetRect LabelBottomRight{260, 19, 7, 10};

// Hint box.
constexpr TSheetRect HintFill{138, 38, 1, 1};
constexpr TSheetRect HintTopLeft{124, 2, 10, 25};
constexpr TSheetRect HintTop{126, 29, 1, 7};
constexpr TSheetRect HintTopRight{148, 2, 10, 25};
constexpr TSheetRect HintLeft{136, 31, 10, 1};
constexpr TSheetRect HintRight{148, 31, 10, 1};
constexpr TSheetRect HintBottomLeft{136, 2, 10, 25};
constexpr TSheetRect HintBottom{126, 38, 1, 7};
constexpr TSheetRect HintBottomRight{160, 2, 10, 25};

// Text box and its caret.
constexpr TSheetRect TextFill{179, 37, 1, 1};
constexpr TSheetRect TextTopLeft{171, 2, 10, 15};
constexpr TSheetRect TextTop{173, 36, 1, 6};
constexpr TSheetRect TextTopRight{183, 2, 10, 15};
constexpr TSheetRect TextLeft{183, 38, 10, 1};
constexpr TSheetRect TextRight{183, 46, 10, 1};
constexpr TSheetRect TextBottomLeft{171, 19, 10, 15};
constexpr TSheetRect TextBottom{173, 44, 1, 6};
constexpr TSheetRect TextBottomRight{183, 19, 10, 15};
constexpr TSheetRect TextCaret{179, 45, 1, 1};

// Number digits 0..9, 26 x 31 each.
constexpr TSheetRect NumberDigit[10] = {
    {486, 97, 26, 31}, {252, 97, 26, 31}, {278, 97, 26, 31}, {304, 97, 26, 31}, {330, 97, 26, 31},
    {356, 97, 26, 31}, {382, 97, 26, 31}, {408, 97, 26, 31}, {434, 97, 26, 31}, {460, 97, 26, 31},
};

// Menu button, normal and hovered.
constexpr TSheetRect ButtonLeft{2, 2, 25, 50};
constexpr TSheetRect ButtonMiddle{31, 2, 1, 50};
constexpr TSheetRect ButtonRight{36, 2, 25, 50};
constexpr TSheetRect ButtonHoverLeft{63, 2, 25, 50};
constexpr TSheetRect ButtonHoverMiddle{92, 2, 1, 50};
constexpr TSheetRect ButtonHoverRight{97, 2, 25, 50};

// Push button: default highlight, and a picture nothing shows.
constexpr TSheetRect PushHighlight{280, 108, 59, 59};
constexpr TSheetRect PushSpare{451, 47, 59, 59};

// Group button entries: normal, hovered, selected.
constexpr TSheetRect GroupLeft{195, 2, 9, 30};
constexpr TSheetRect GroupMiddle{208, 2, 1, 30};
constexpr TSheetRect GroupRight{213, 2, 9, 30};
constexpr TSheetRect GroupHoverLeft{223, 2, 9, 30};
constexpr TSheetRect GroupHoverMiddle{236, 2, 1, 30};
constexpr TSheetRect GroupHoverRight{241, 2, 9, 30};
constexpr TSheetRect GroupSelectedLeft{195, 36, 9, 30};
constexpr TSheetRect GroupSelectedMiddle{208, 36, 1, 30};
constexpr TSheetRect GroupSelectedRight{213, 36, 9, 30};

// Check box.
constexpr TSheetRect CheckBoxNormal{124, 54, 35, 30};
constexpr TSheetRect CheckBoxHover{124, 84, 35, 30};
constexpr TSheetRect CheckBoxChecked{161, 84, 35, 30};
constexpr TSheetRect CheckBar{163, 54, 1, 30};
constexpr TSheetRect CheckCap{168, 54, 9, 30};

// Slider.
constexpr TSheetRect SliderTrack{295, 2, 1, 30};
constexpr TSheetRect SliderLeft{269, 2, 10, 30};
constexpr TSheetRect SliderRight{281, 2, 10, 30};
constexpr TSheetRect SliderKnob{300, 2, 18, 18};
constexpr TSheetRect SliderKnobHover{320, 2, 18, 18};

// List box.
constexpr TSheetRect ListArea{80, 100, 1, 1};
constexpr TSheetRect ListTopLeft{2, 54, 25, 25};
constexpr TSheetRect ListTop{31, 54, 1, 25};
constexpr TSheetRect ListTopRight{36, 54, 40, 25};
constexpr TSheetRect ListBottomLeft{2, 81, 25, 25};
constexpr TSheetRect ListBottom{31, 81, 1, 25};
constexpr TSheetRect ListBottomRight{36, 81, 40, 25};
constexpr TSheetRect ListLeft{98, 83, 8, 1};
constexpr TSheetRect ListTrack{98, 76, 24, 1};
constexpr TSheetRect ListArrow{98, 55, 18, 18};  // up; the down arrow is it mirrored
constexpr TSheetRect ListThumb{78, 54, 18, 42};
constexpr TSheetRect ListSelection{87, 100, 1, 1};

// Mission progress: a mode's bar, a completed level on it, the hovered level.
constexpr TSheetRect ProgressBar{2, 172, 250, 35};
constexpr TSheetRect ProgressSegment{256, 172, 42, 27};
constexpr TSheetRect ProgressMarker{302, 172, 42, 27};

}  // namespace Sheet

// Every named piece, for checking the table against the drawn sheet.
struct TWidgetPiece {
  const char* Name;
  TSheetRect Rect;
};
const TWidgetPiece* WidgetSheetPieces(int& count);

// The texture coordinates of a sheet rectangle (pattern 0).
TTexCoord SheetTexCoord(const TSheetRect& rect, bool mirror = false);
// Points a picture item at a sheet rectangle, keeping its place and size.
void SetSheetPicture(TrndGfx* item, const TSheetRect& rect, bool mirror = false);
// Places a picture item: sheet rectangle, position relative to the owner, size.
void PlaceSheetPicture(TrndGfx* item, const TSheetRect& rect, double x, double y, std::int32_t w, std::int32_t h);
// Adds a white, opaque picture item cut from the sheet.
TrndGfx* AddSheetPicture(TobjBase* object, const TSheetRect& rect, double x, double y, std::int32_t w,
                         std::int32_t h);
// Moves a picture item (or text item) by (dx, dy).
inline void ShiftItem(TrndGfx* item, double dx, double dy) {
  item->RelX += dx;
  item->RelY += dy;
}
// Each of red, green and blue raised by the amount, clamped to 255.
std::uint32_t LightenRGB(std::uint32_t rgb, std::int32_t amount);
// Posts a sound request at once: 7 when the pointer enters a clickable widget, 9 on a click.
void RequestSound(TobjBase* object, std::uint16_t code);
