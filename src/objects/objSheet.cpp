#include "objects/objSheet.h"

#include <algorithm>
#include <iterator>

#include "core/sysEvent.h"
#include "objects/objBase.h"

namespace {

#define PIECE(name) {#name, Sheet::name}
constexpr TWidgetPiece Pieces[] = {
    PIECE(LabelFill),         PIECE(LabelTopLeft),        PIECE(LabelTop),            PIECE(LabelTopRight),
    PIECE(LabelLeft),         PIECE(LabelRight),          PIECE(LabelBottomLeft),     PIECE(LabelBottom),
    PIECE(LabelBottomRight),  PIECE(HintFill),            PIECE(HintTopLeft),         PIECE(HintTop),
    PIECE(HintTopRight),      PIECE(HintLeft),            PIECE(HintRight),           PIECE(HintBottomLeft),
    PIECE(HintBottom),        PIECE(HintBottomRight),     PIECE(TextFill),            PIECE(TextTopLeft),
    PIECE(TextTop),           PIECE(TextTopRight),        PIECE(TextLeft),            PIECE(TextRight),
    PIECE(TextBottomLeft),    PIECE(TextBottom),          PIECE(TextBottomRight),     PIECE(TextCaret),
    {"NumberDigit0", Sheet::NumberDigit[0]},              {"NumberDigit1", Sheet::NumberDigit[1]},
    {"NumberDigit2", Sheet::NumberDigit[2]},              {"NumberDigit3", Sheet::NumberDigit[3]},
    {"NumberDigit4", Sheet::NumberDigit[4]},              {"NumberDigit5", Sheet::NumberDigit[5]},
    {"NumberDigit6", Sheet::NumberDigit[6]},              {"NumberDigit7", Sheet::NumberDigit[7]},
    {"NumberDigit8", Sheet::NumberDigit[8]},              {"NumberDigit9", Sheet::NumberDigit[9]},
    PIECE(ButtonLeft),        PIECE(ButtonMiddle),        PIECE(ButtonRight),         PIECE(ButtonHoverLeft),
    PIECE(ButtonHoverMiddle), PIECE(ButtonHoverRight),    PIECE(PushHighlight),       PIECE(PushSpare),
    PIECE(GroupLeft),         PIECE(GroupMiddle),         PIECE(GroupRight),          PIECE(GroupHoverLeft),
    PIECE(GroupHoverMiddle),  PIECE(GroupHoverRight),     PIECE(GroupSelectedLeft),   PIECE(GroupSelectedMiddle),
    PIECE(GroupSelectedRight), PIECE(CheckBoxNormal),     PIECE(CheckBoxHover),       PIECE(CheckBoxChecked),
    PIECE(CheckBar),          PIECE(CheckCap),            PIECE(SliderTrack),         PIECE(SliderLeft),
    PIECE(SliderRight),       PIECE(SliderKnob),          PIECE(SliderKnobHover),     PIECE(ListArea),
    PIECE(ListTopLeft),       PIECE(ListTop),             PIECE(ListTopRight),        PIECE(ListBottomLeft),
    PIECE(ListBottom),        PIECE(ListBottomRight),     PIECE(ListLeft),            PIECE(ListTrack),
    PIECE(ListArrow),         PIECE(ListThumb),           PIECE(ListSelection),       PIECE(ProgressBar),
    PIECE(ProgressSegment),   PIECE(ProgressMarker),
};
#undef PIECE

}  // namespace

const TWidgetPiece* WidgetSheetPieces(int& count) {
  count = static_cast<int>(std::size(Pieces));
  return Pieces;
}

TTexCoord SheetTexCoord(const TSheetRect& rect, bool mirror) {
  TTexCoord t;
  t.Pattern = 0;
  t.SrcX = rect.X;
  t.SrcY = rect.Y;
  t.SrcWidth = rect.W;
  t.SrcHeight = rect.H;
  t.Mirror = mirror;
  return t;
}

void SetSheetPicture(TrndGfx* item, const TSheetRect& rect, bool mirror) {
  item->SetImage(SheetImageSet, SheetImageIndex, 0);
  item->TexCoord = SheetTexCoord(rect, mirror);
}

void PlaceSheetPicture(TrndGfx* item, const TSheetRect& rect, double x, double y, std::int32_t w, std::int32_t h) {
  SetSheetPicture(item, rect);
  item->RelX = x;
  item->RelY = y;
  item->Width = w;
  item->Height = h;
}

TrndGfx* AddSheetPicture(TobjBase* object, const TSheetRect& rect, double x, double y, std::int32_t w,
                         std::int32_t h) {
  return object->AddPicture(SheetImageSet, SheetImageIndex, 0, SheetTexCoord(rect), TPointD{x, y}, TPointI{w, h},
                            0xFFFFFF, 255);
}

std::uint32_t LightenRGB(std::uint32_t rgb, std::int32_t amount) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const auto channel = static_cast<std::int32_t>((rgb >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(std::clamp(channel + amount, 0, 255)) << shift;
  }
  return out;
}

void RequestSound(TobjBase* object, std::uint16_t code) { object->PostEvent(pmImmediate, ekSound, code, 0, 0); }
