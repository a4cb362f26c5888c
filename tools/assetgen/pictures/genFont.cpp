#include "pictures/genFont.h"

#include <algorithm>
#include <cmath>

#include "kit/artDraw.h"

#include FT_OUTLINE_H

namespace {

// How each size is rasterised: the em in pixels, the baseline row in the cell,
// and the hinting. The three small sizes are one-bit outlines (greys blur at
// 6 to 8 pixels); at size 6 the font's own hints fill in M and W, the
// auto-hinter keeps them open. The larger sizes are light-hinted greys. At
// size 6 the bold face hints to one-pixel stems, as thin as the regular one,
// so bold there is the regular outline widened instead.
enum THinting { hMonoNative, hMonoAuto, hLight };
struct TSizeStyle {
  int Size;
  double Em;
  int Baseline;
  THinting Hinting;
  THinting BoldHinting;
  int WidenBold;  // 26.6 pixels added to the regular outline's width for bold; 0: the bold face
};

constexpr TSizeStyle Styles[] = {
    {6, 8, 7, hMonoAuto, hMonoAuto, 40},      {7, 9.5, 7, hMonoNative, hMonoNative, 0},
    {8, 10.5, 9, hMonoNative, hMonoNative, 0}, {10, 12.5, 10, hLight, hLight, 0},
    {12, 14, 12, hLight, hLight, 0},           {14, 16.5, 13, hLight, hLight, 0},
    {16, 19.5, 15, hLight, hLight, 0},
};

const TSizeStyle& StyleOf(int size) {
  for (const TSizeStyle& s : Styles)
    if (s.Size == size) return s;
  return Styles[2];
}

// The ink of one rendered glyph, before it is placed: coverage and the position
// of its top-left texel relative to the pen on the baseline.
struct TRendered {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // Top: rows above the baseline
  int Advance = 0;
  std::vector<std::uint8_t> Alpha;
};

TRendered Render(FT_Face face, char32_t ch, double em, THinting hinting, int widen) {
  TRendered out;
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
  const bool mono = hinting != hLight;
  FT_Int32 flags = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
  if (hinting == hMonoAuto) flags |= FT_LOAD_FORCE_AUTOHINT;
  if (FT_Load_Char(face, ch, flags) != 0) return out;
  if (widen > 0) FT_Outline_EmboldenXY(&face->glyph->outline, widen, 0);
  if (FT_Render_Glyph(face->glyph, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_LIGHT) != 0) return out;
  const FT_Bitmap& bm = face->glyph->bitmap;
  const int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
  auto at = [&](int x, int y) -> std::uint8_t {
    const unsigned char* row = bm.buffer + y * bm.pitch;
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    return row[x];
  };
  // Trim to the ink.
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (at(x, y) != 0) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  out.Advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  if (x1 < 0) return out;
  out.Left = face->glyph->bitmap_left + x0;
  out.Top = face->glyph->bitmap_top - y0;
  out.Width = x1 - x0 + 1;
  out.Height = y1 - y0 + 1;
  out.Alpha.resize(static_cast<std::size_t>(out.Width) * out.Height);
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) {
      double a = at(x0 + x, y0 + y) / 255.0;
      // Lift the greys a little: thin white strokes on dark panels read better.
      if (!mono) a = std::pow(a, 0.8);
      out.Alpha[static_cast<std::size_t>(y) * out.Width + x] = static_cast<std::uint8_t>(std::lround(a * 255));
    }
  return out;
}

// The plain capital an accented capital is made from; 0 for any other code.
char PlainCapitalOf(int code) {
  switch (code) {
    case 0x8A: return 'S';
    case 0x8E: return 'Z';
    case 0x9F: case 0xDD: return 'Y';
    case 0xC7: return 'C';
    case 0xD1: return 'N';
    default: break;
  }
  if (code >= 0xC0 && code <= 0xC5) return 'A';
  if (code >= 0xC8 && code <= 0xCB) return 'E';
  if (code >= 0xCC && code <= 0xCF) return 'I';
  if (code >= 0xD2 && code <= 0xD6) return 'O';
  if (code >= 0xD9 && code <= 0xDC) return 'U';
  return 0;
}

// The ink of a rendered glyph as rows above the baseline: row r of the ink is
// at height Top - r. Whether row r holds any ink.
bool RowHasInk(const TRendered& g, int r) {
  for (int x = 0; x < g.Width; ++x)
    if (g.Alpha[static_cast<std::size_t>(r) * g.Width + x] != 0) return true;
  return false;
}

// An accented capital, drawn as the font draws it, shrinks until it fits the
// cell. Instead its plain capital keeps its size, strokes and width, standing
// on the cell's baseline row (lifted ones lower, see GlyphLift), with the
// accent over it and a clear row between. A mark under the letter (the
// cedilla) keeps its place.
bool ComposeAccented(FT_Face face, char32_t ch, char plain, const TSizeStyle& style, const TFontMetrics& m,
                     int baseline, THinting hinting, int widen, TRendered& out) {
  const TRendered base = Render(face, static_cast<char32_t>(plain), style.Em, hinting, widen);
  const TRendered whole = Render(face, ch, style.Em, hinting, widen);
  if (base.Width == 0 || whole.Width == 0) return false;
  // The accent: the whole glyph's rows above the capital's top, and those
  // under its bottom, each trimmed of empty rows next to the letter.
  const int baseBottom = base.Top - base.Height + 1;  // height of its lowest row
  int aboveRows = 0, belowFirst = whole.Height;
  for (int r = 0; r < whole.Height; ++r) {
    const int h = whole.Top - r;
    if (h > base.Top) aboveRows = r + 1;
    if (h < baseBottom && belowFirst == whole.Height) belowFirst = r;
  }
  while (aboveRows > 0 && !RowHasInk(whole, aboveRows - 1)) --aboveRows;
  while (belowFirst < whole.Height && !RowHasInk(whole, belowFirst)) ++belowFirst;
  const int room = baseline - base.Top;  // empty rows over the capital
  const int gap = aboveRows > 0 ? 1 : 0;
  // As many of the accent's rows as fit, its top ones; at least one.
  const int accentRows = std::min(aboveRows, std::max(1, room - gap));
  const int belowRows = std::min(whole.Height - belowFirst, m.CharHeight - baseline);
  if (accentRows + gap > room) return false;  // no room in this size's cell: drawn the font's way
  // Laid out as one rendered glyph: the capital's columns, its bottom on the
  // capital's bottom, the accent's columns where the font put them.
  const int left = std::min(base.Left, whole.Left), right = std::max(base.Left + base.Width, whole.Left + whole.Width);
  const int top = baseBottom + base.Height - 1 + gap + accentRows;
  const int bottom = belowRows > 0 ? baseBottom - belowRows : baseBottom;
  out = TRendered{};
  out.Left = left;
  out.Top = top;
  out.Width = right - left;
  out.Height = top - bottom + 1;
  out.Advance = base.Advance;
  out.Alpha.assign(static_cast<std::size_t>(out.Width) * out.Height, 0);
  auto put = [&](const TRendered& from, int fromRow, int toHeight) {
    for (int x = 0; x < from.Width; ++x) {
      const int col = from.Left + x - left;
      if (col < 0 || col >= out.Width) continue;
      out.Alpha[static_cast<std::size_t>(out.Top - toHeight) * out.Width + col] =
          from.Alpha[static_cast<std::size_t>(fromRow) * from.Width + x];
    }
  };
  for (int r = 0; r < base.Height; ++r) put(base, r, baseBottom + base.Height - 1 - r);
  for (int r = 0; r < accentRows; ++r) put(whole, r, top - r);
  for (int r = 0; r < belowRows; ++r) put(whole, belowFirst + r, baseBottom - 1 - r);
  return true;
}

}  // namespace

char32_t Cp1252ToUnicode(int code) {
  if (code >= 32 && code < 127) return static_cast<char32_t>(code);
  if (code >= 160 && code <= 255) return static_cast<char32_t>(code);
  static const char32_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (code >= 128 && code < 160) return high[code - 128];
  return 0;
}

std::vector<int> DrawnFontCodes() {
  std::vector<int> codes;
  for (int code = FirstFontChar; code <= LastFontChar; ++code)
    if (Cp1252ToUnicode(code) != 0) codes.push_back(code);
  return codes;
}

TRect FontCell(const TFontMetrics& m, int code, bool bold) {
  const TGlyphCell cell = FontGlyphCell(m, static_cast<std::uint8_t>(code), bold);
  return {cell.X, cell.Y, m.CharWidth, m.CharHeight};
}

TGlyphInk RasterGlyph(const TFontMetrics& m, bool bold, int code) {
  TGlyphInk ink;
  const char32_t ch = Cp1252ToUnicode(code);
  if (ch == 0 || ch == U' ') return ink;
  const TSizeStyle& style = StyleOf(m.Size);
  if (m.Size == 12 && code == '.' && !bold) {
    // The effects cut their spark dot from this full stop: a crisp opaque 2 x 2.
    const TRect cell = FontCell(m, code, false);
    ink.Left = SparkTexels.X - cell.X;
    ink.Top = SparkTexels.Y - cell.Y;
    ink.Width = SparkTexels.W;
    ink.Height = SparkTexels.H;
    ink.Alpha.assign(static_cast<std::size_t>(ink.Width) * ink.Height, 255);
    return ink;
  }
  const bool widen = bold && style.WidenBold > 0;
  FT_Face face = art::FreeTypeFace(bold && !widen ? art::TFace::MonoBold : art::TFace::Mono);
  const THinting hinting = bold ? style.BoldHinting : style.Hinting;
  // An accented capital is its plain capital with the accent put over it; any
  // other glyph too big for the cell (the per-mille sign) is drawn a little
  // smaller until it fits.
  TRendered g;
  const char plain = PlainCapitalOf(code);
  const int baseline = style.Baseline + GlyphLift(m, static_cast<std::uint8_t>(code));
  const bool composed =
      plain != 0 && ComposeAccented(face, ch, plain, style, m, baseline, hinting, widen ? style.WidenBold : 0, g);
  for (double em = style.Em; !composed && em >= 4; em -= 0.5) {
    g = Render(face, ch, em, hinting, widen ? style.WidenBold : 0);
    if (g.Width <= m.CharWidth && g.Height <= m.CharHeight) break;
  }
  if (g.Width == 0 || g.Width > m.CharWidth || g.Height > m.CharHeight) return ink;
  ink.Width = g.Width;
  ink.Height = g.Height;
  ink.Alpha = std::move(g.Alpha);
  // The pen is placed so the glyph's advance is centred in the cell, so regular
  // and bold line up; then the ink is kept inside. Vertically on the size's
  // baseline, moved up or down only as far as the cell needs.
  ink.Left = std::clamp((m.CharWidth - g.Advance) / 2 + g.Left, 0, m.CharWidth - g.Width);
  ink.Top = std::clamp(baseline - g.Top, 0, m.CharHeight - g.Height);
  return ink;
}

std::vector<std::uint32_t> DrawFontSheet() {
  std::vector<std::uint32_t> sheet(static_cast<std::size_t>(FontSheetWidth) * FontSheetHeight, 0x00FFFFFF);
  int count = 0;
  const TFontMetrics* sizes = FontSheetSizes(count);
  for (int s = 0; s < count; ++s) {
    const TFontMetrics& m = sizes[s];
    for (int bold = 0; bold < 2; ++bold)
      for (int code = FirstFontChar; code <= LastFontChar; ++code) {
        const TGlyphInk ink = RasterGlyph(m, bold != 0, code);
        const TRect cell = FontCell(m, code, bold != 0);
        for (int y = 0; y < ink.Height; ++y)
          for (int x = 0; x < ink.Width; ++x) {
            const std::uint32_t a = ink.Alpha[static_cast<std::size_t>(y) * ink.Width + x];
            const std::size_t at =
                static_cast<std::size_t>(cell.Y + ink.Top + y) * FontSheetWidth + cell.X + ink.Left + x;
            sheet[at] = (a << 24) | 0xFFFFFF;
          }
      }
  }
  return sheet;
}
