#pragma once
// The widget sheet: every widget look cut into the pieces of sheetLayout.h.
#include <cstdint>
#include <vector>

#include "kit/sheetLayout.h"

// The widgets' one look, navy neon: a piece is drawn in greys, then each grey
// is given the navy bias it needs so that, under the control tint of the game
// (a light neon blue), its dark parts come out navy and its light parts neon.
// Straight ARGB in, straight ARGB out; alpha is kept.
std::uint32_t NavyTone(std::uint32_t argb);

// One look drawn whole at its drawing size (straight ARGB), before cutting.
std::vector<std::uint32_t> DrawWidgetLook(const TSheetFrame& frame);
// The whole sheet, WidgetSheetWidth x WidgetSheetHeight, straight ARGB.
std::vector<std::uint32_t> DrawWidgetSheet();
