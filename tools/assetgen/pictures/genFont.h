#pragma once
// The font sheet: seven fixed-width sizes of white glyphs on transparent, cut by
// the text engine with the metrics table of render/rndItems.h.
#include <cstdint>
#include <vector>

#include "render/rndItems.h"
#include "kit/sheetLayout.h"

constexpr int FirstFontChar = 32;
constexpr int LastFontChar = 255;
// The spark dot that the effects cut from the sheet: opaque white texels.
constexpr TRect SparkTexels = {146, 165, 2, 2};

// The Unicode character of a Windows-1252 code, 0 where the code page leaves the
// code undefined or it is a control code.
char32_t Cp1252ToUnicode(int code);

// The Windows-1252 codes the sheet draws, space included: what a translation
// and a typed name may hold.
std::vector<int> DrawnFontCodes();

// The sheet rectangle of a code's glyph (32..255) in a size, regular or bold.
TRect FontCell(const TFontMetrics& m, int code, bool bold);

// One glyph as placed in its cell: coverage of its ink box, which lies at
// (Left, Top) relative to the cell.
struct TGlyphInk {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<std::uint8_t> Alpha;  // Width * Height, rows from the top
};
TGlyphInk RasterGlyph(const TFontMetrics& m, bool bold, int code);

// The whole 512 x 1024 sheet, straight ARGB.
std::vector<std::uint32_t> DrawFontSheet();
