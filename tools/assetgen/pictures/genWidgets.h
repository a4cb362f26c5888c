#pragma once
// The widget sheet: every widget look cut into the pieces of sheetLayout.h.
#include <cstdint>
#include <vector>

#include "kit/sheetLayout.h"

// One look drawn whole at its drawing size (straight ARGB), before cutting.
std::vector<std::uint32_t> DrawWidgetLook(const TSheetFrame& frame);
// The whole sheet, WidgetSheetWidth x WidgetSheetHeight, straight ARGB.
std::vector<std::uint32_t> DrawWidgetSheet();
