#include "kit/artKit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "pictures/artCreature.h"

using namespace art;

namespace {

struct TWord {
  std::string Text;
  bool Strong = false;
};

// Splits at spaces; an asterisk switches the highlight on or off.
std::vector<TWord> Words(const std::string& text) {
  std::vector<TWord> out;
  bool strong = false;
  std::string word;
  bool wordStrong = false;
  auto flush = [&] {
    if (!word.empty()) out.push_back({word, wordStrong});
    word.clear();
  };
  for (char c : text) {
    if (c == '*') {
      flush();
      strong = !strong;
      wordStrong = strong;
      continue;
    }
    if (c == ' ') {
      flush();
      wordStrong = strong;
      continue;
    }
    if (word.empty()) wordStrong = strong;
    word += c;
  }
  flush();
  return out;
}

}  // namespace

double RichParagraph(TSurface& s, const std::string& text, double x, double y, double width, double size,
                     double lineGap, const TRGBA& ink, const TRGBA& highlight) {
  cairo_t* cr = s.Cr();
  const std::vector<TWord> words = Words(text);
  auto face = [&](bool strong) { SelectFace(cr, strong ? TFace::SansBold : TFace::Sans, size); };
  face(false);
  const double space = TextWidth(cr, " ");
  // Lay the words out in lines, joining a highlighted run with the punctuation after it.
  std::vector<std::vector<std::size_t>> lines(1);
  double pen = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    face(words[i].Strong);
    const double w = TextWidth(cr, words[i].Text);
    const bool glued = i > 0 && words[i - 1].Strong != words[i].Strong && !words[i].Strong &&
                       (words[i].Text[0] == '.' || words[i].Text[0] == ',' || words[i].Text[0] == ':' ||
                        words[i].Text[0] == ';' || words[i].Text[0] == '!' || words[i].Text[0] == '?');
    const double need = (lines.back().empty() || glued ? 0 : space) + w;
    if (!lines.back().empty() && !glued && pen + need > width) {
      lines.emplace_back();
      pen = w;
    } else {
      pen += need;
    }
    lines.back().push_back(i);
  }
  for (const auto& line : lines) {
    double px = x;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const TWord& w = words[line[k]];
      const bool glued = k > 0 && words[line[k - 1]].Strong && !w.Strong &&
                         (w.Text[0] == '.' || w.Text[0] == ',' || w.Text[0] == ':' || w.Text[0] == ';' ||
                          w.Text[0] == '!' || w.Text[0] == '?');
      if (k > 0 && !glued) px += space;
      TLettering t;
      t.Face = w.Strong ? TFace::SansBold : TFace::Sans;
      t.Size = size;
      t.Top = t.Bottom = w.Strong ? highlight : ink;
      t.ShadowOffset = 1;
      t.Shadow = Hex(0x000000, 0.7);
      px += Letter(s, w.Text, px, y, t);
    }
    y += lineGap;
  }
  return y;
}

void DrawTintedCreature(TSurface& s, double x, double y, double size, int pattern, std::uint32_t rgb) {
  const int n = static_cast<int>(std::ceil(size)) + 2;
  TSurface piece(n, n);
  DrawCreature(piece, 1, 1, size, CreatureRecipes()[static_cast<std::size_t>(pattern)]);
  std::vector<std::uint32_t> px = piece.Pixels();
  const std::uint32_t tr = (rgb >> 16) & 0xFF, tg = (rgb >> 8) & 0xFF, tb = rgb & 0xFF;
  for (std::uint32_t& p : px) {
    const std::uint32_t r = ((p >> 16) & 0xFF) * tr / 255, g = ((p >> 8) & 0xFF) * tg / 255, b = (p & 0xFF) * tb / 255;
    p = (p & 0xFF000000) | (r << 16) | (g << 8) | b;
  }
  piece.SetPixels(px);
  s.Paint(piece, x - 1, y - 1);
}

void Card(TSurface& s, double x, double y, double w, double h, double radius, std::uint32_t rim) {
  cairo_t* cr = s.Cr();
  {
    TLayer shadow(s, x, y, x + w, y + h, 12);
    RoundedRect(shadow.Cr(), x, y + 3, w, h, radius);
    SetColor(shadow.Cr(), Grey(0, 0.6));
    cairo_fill(shadow.Cr());
    shadow.Blur(4);
    shadow.Composite();
  }
  RoundedRect(cr, x, y, w, h, radius);
  cairo_pattern_t* p = Linear(0, y, 0, y + h, Hex(0x16244E, 0.94), Hex(0x0A1230, 0.94));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  NeonStroke(s, Hex(rim, 0.85), 1.2, 2.5, 0.55);
  cairo_move_to(cr, x + radius, y + 2.5);
  cairo_line_to(cr, x + w - radius, y + 2.5);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Grey(1, 0.18));
  cairo_stroke(cr);
}

void NightPage(TSurface& s, std::uint32_t accent) {
  // Many pictures share a backdrop; its glowing frame is costly, so each
  // size and colour is painted once.
  static std::mutex lock;
  static std::map<std::tuple<int, int, std::uint32_t>, std::vector<std::uint32_t>> painted;
  const auto key = std::make_tuple(s.Width(), s.Height(), accent);
  std::lock_guard<std::mutex> hold(lock);
  auto found = painted.find(key);
  if (found == painted.end()) {
    TSurface page(s.Width(), s.Height());
    cairo_t* cr = page.Cr();
    InkBackground(page, Hex(0x10204C), Hex(0x050A1A));
    RadialGlow(cr, page.Width() * 0.3, page.Height() * 0.2, page.Width() * 0.7, Hex(0x1E3A7A, 0.35));
    GraphPaper(page, Hex(0x6E9BFF, 0.06), Hex(0x6E9BFF, 0.13));
    Vignette(page, 0.5);
    RoundedRect(cr, 3.5, 3.5, page.Width() - 7, page.Height() - 7, 14);
    NeonStroke(page, Hex(accent, 0.9), 1.6, 4, 0.6);
    found = painted.emplace(key, page.Pixels()).first;
  }
  s.SetPixels(found->second);
}

void CutCorners(TSurface& s, double radius) {
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, s.Width(), s.Height());
  RoundedRect(cr, 0, 0, s.Width(), s.Height(), radius);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_restore(cr);
}

double Title(TSurface& s, const std::string& text, double x, double baseline, double size, double maxWidth,
             const TRGBA& top, const TRGBA& bottom, bool centred) {
  TLettering t;
  t.Size = size;
  t.Top = top;
  t.Bottom = bottom;
  t.OutlineWidth = std::max(1.6, size * 0.08);
  t.Outline = Hex(0x03060F, 0.95);
  t.ShadowOffset = std::max(1.5, size * 0.06);
  t.ShadowBlur = 1.5;
  cairo_t* cr = s.Cr();
  SelectFace(cr, t.Face, t.Size);
  while (TextWidth(cr, text) + 2 * t.OutlineWidth > maxWidth && t.Size > 8) SelectFace(cr, t.Face, t.Size -= 0.5);
  return Letter(s, text, x, baseline, t, centred);
}
