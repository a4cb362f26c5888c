// Backdrops and title pictures: the loading screen, the menu backdrop, the
// loading panel and the corner picture. One look: graph paper at night with
// neon curves and chalk-like formulas.
#include <cmath>
#include <string>

#include "kit/artDraw.h"
#include "pictures/artMonster.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "genArt.h"
#include "pictures/genBackdrops.h"
#include "kit/genWords.h"

using namespace art;

namespace {

constexpr std::uint32_t NeonTeal = 0x3BE8D8;
constexpr std::uint32_t NeonAmber = 0xFFB23B;
constexpr std::uint32_t NeonPink = 0xFF5FA8;
constexpr std::uint32_t NeonLime = 0xB8F55A;
constexpr std::uint32_t Chalk = 0xA9C4FF;

// A function plotted across the surface as a neon curve: y in pixels for x.
template <typename F>
void PlotCurve(TSurface& s, F f, double x0, double x1, std::uint32_t color, double alpha, double width = 2.0) {
  cairo_t* cr = s.Cr();
  cairo_new_path(cr);
  for (double x = x0; x <= x1; x += 2) {
    if (x == x0) cairo_move_to(cr, x, f(x));
    else cairo_line_to(cr, x, f(x));
  }
  NeonStroke(s, Hex(color, alpha), width, 6, 0.7);
}

// Small plotted points: a bright dot in a soft glow.
void PlotPoint(TSurface& s, double x, double y, std::uint32_t color, double alpha) {
  RadialGlow(s.Cr(), x, y, 9, Hex(color, 0.55 * alpha));
  cairo_arc(s.Cr(), x, y, 2.4, 0, 2 * M_PI);
  SetColor(s.Cr(), Mix(Hex(color, alpha), Hex(0xFFFFFF, alpha), 0.5));
  cairo_fill(s.Cr());
}

struct TFormula {
  const char* Text;
  double X, Y, Size, Angle, Alpha;
};

void Formulas(TSurface& s, const std::vector<TFormula>& list, std::uint32_t seed) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TFormula& f = list[i];
    HandText(s.Cr(), f.Text, f.X, f.Y, f.Size, f.Angle, Hex(Chalk, f.Alpha), seed + static_cast<std::uint32_t>(i));
  }
}

// Night graph paper: the base of both backdrops.
void GraphNight(TSurface& s) {
  InkBackground(s, Hex(0x0E1C44), Hex(0x050918));
  // A faint lighter haze in the middle so the grid is not flat.
  RadialGlow(s.Cr(), s.Width() * 0.5, s.Height() * 0.42, s.Width() * 0.6, Hex(0x1E3A7A, 0.35));
  GraphPaper(s, Hex(0x6E9BFF, 0.07), Hex(0x6E9BFF, 0.15));
}

// Axes through a point, with ticks every 64 px and arrow heads.
void Axes(TSurface& s, double ox, double oy, double alpha) {
  cairo_t* cr = s.Cr();
  cairo_new_path(cr);
  cairo_move_to(cr, 12, oy);
  cairo_line_to(cr, s.Width() - 12, oy);
  cairo_move_to(cr, ox, 12);
  cairo_line_to(cr, ox, s.Height() - 12);
  NeonStroke(s, Hex(0x9FC2FF, alpha), 1.6, 5, 0.6);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Hex(0x9FC2FF, alpha));
  for (double x = std::fmod(ox, 64); x < s.Width(); x += 64) {
    cairo_move_to(cr, x, oy - 5);
    cairo_line_to(cr, x, oy + 5);
  }
  for (double y = std::fmod(oy, 64); y < s.Height(); y += 64) {
    cairo_move_to(cr, ox - 5, y);
    cairo_line_to(cr, ox + 5, y);
  }
  cairo_stroke(cr);
  auto head = [&](double x, double y, double dx, double dy) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - 12 * dx + 6 * dy, y - 12 * dy + 6 * dx);
    cairo_line_to(cr, x - 12 * dx - 6 * dy, y - 12 * dy - 6 * dx);
    cairo_close_path(cr);
  };
  head(s.Width() - 6, oy, 1, 0);
  head(ox, 6, 0, -1);
  cairo_fill(cr);
}

std::vector<TImage> Quarters(const TSurface& s, const std::string& name) {
  const std::vector<std::uint32_t> all = s.Pixels();
  std::vector<TImage> out;
  const char* corner[4] = {"tl", "tr", "bl", "br"};
  for (int q = 0; q < 4; ++q) {
    const int qx = (q % 2) * 512, qy = (q / 2) * 384;
    std::vector<std::uint32_t> px(512 * 384);
    for (int y = 0; y < 384; ++y)
      for (int x = 0; x < 512; ++x) px[static_cast<std::size_t>(y) * 512 + x] = all[static_cast<std::size_t>(qy + y) * 1024 + qx + x];
    out.push_back(MakeImage(name + "-" + corner[q], 512, 384, px));
  }
  return out;
}

}  // namespace

void DrawLogo(TSurface& s, double cx, double baseline, double size, bool withCurve) {
  TLettering logo;
  logo.Size = size;
  logo.Top = Hex(0xFFF0A0);
  logo.Bottom = Hex(0xFF8A1E);
  logo.Outline = Hex(0x1B0C00, 0.95);
  logo.OutlineWidth = size * 0.055;
  logo.ShadowOffset = size * 0.06;
  logo.ShadowBlur = size * 0.05;
  logo.Shadow = Hex(0x000000, 0.75);
  logo.Glow = Hex(0xFF9A2E, 0.45);
  logo.GlowRadius = size * 0.16;
  cairo_t* cr = s.Cr();
  SelectFace(cr, logo.Face, size);
  const double width = TextWidth(cr, "PLOTFRAY");
  if (withCurve) {
    // A plotted curve sweeping under the name, with points on it.
    const double x0 = cx - width * 0.52, x1 = cx + width * 0.52;
    cairo_new_path(cr);
    for (double x = x0; x <= x1; x += 1.5) {
      const double t = (x - x0) / (x1 - x0);
      const double y = baseline + size * 0.22 - size * 0.16 * std::sin(t * M_PI * 1.6 - 0.4);
      if (x == x0) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    }
    NeonStroke(s, Hex(NeonTeal, 0.95), std::max(1.5, size * 0.035), size * 0.08, 0.8);
    for (double t : {0.08, 0.5, 0.92}) {
      const double x = x0 + t * (x1 - x0);
      PlotPoint(s, x, baseline + size * 0.22 - size * 0.16 * std::sin(t * M_PI * 1.6 - 0.4), NeonTeal, 1.0);
    }
  }
  Letter(s, "PLOTFRAY", cx, baseline, logo, true);
  // A gloss across the upper half of the letters.
  TLayer gloss(s, cx - width / 2, baseline - size, cx + width / 2, baseline, 8);
  cairo_t* g = gloss.Cr();
  SelectFace(g, logo.Face, size);
  cairo_move_to(g, cx - width / 2, baseline);
  cairo_text_path(g, "PLOTFRAY");
  cairo_clip(g);
  cairo_pattern_t* p = Linear(0, baseline - size * 0.75, 0, baseline - size * 0.38, Hex(0xFFFFFF, 0.55),
                              Hex(0xFFFFFF, 0.0));
  cairo_rectangle(g, cx - width / 2 - 4, baseline - size, width + 8, size * 0.62);
  cairo_set_source(g, p);
  cairo_fill(g);
  cairo_pattern_destroy(p);
  gloss.Composite();
}

void PaintNightBackdrop(TSurface& s, std::uint32_t seed) {
  GraphNight(s);
  const double w = s.Width(), h = s.Height();
  TRandom rnd(seed);
  // Faint plotted curves.
  PlotCurve(s, [&](double x) { return h * 0.74 + 46 * std::sin(x / 95.0 + 0.6); }, 0, w, NeonTeal, 0.30);
  PlotCurve(s, [&](double x) { return h * 0.80 + 38 * std::sin(x / 70.0 + 2.1); }, 0, w, NeonAmber, 0.22);
  PlotCurve(
      s, [&](double x) { const double u = (x - w * 0.78) / 120.0; return h * 0.30 + 26 * u * u; }, w * 0.55, w,
      NeonPink, 0.18);
  for (int i = 0; i < 9; ++i) {
    const double x = 64 * std::floor(rnd.Uniform(1, w / 64 - 1));
    const double y = 64 * std::floor(rnd.Uniform(1, h / 64 - 1));
    PlotPoint(s, x, y, i % 2 ? NeonTeal : NeonLime, 0.35);
  }
}

void PaintFormulas(TSurface& s, std::uint32_t seed) {
  std::vector<TFormula> list = {
      {"y = 2x + 3", 40, 150, 28, -0.04, 0.16},       {"(-3, 4)", 880, 140, 24, 0.03, 0.15},
      {"x\u00B2 + y\u00B2 = r\u00B2", 70, 690, 24, 0.02, 0.13}, {"m = \u0394y / \u0394x", 690, 700, 26, -0.02, 0.13},
      {"y = sin x", 860, 330, 22, 0.05, 0.12},
      {"f(x) = x\u00B2 \u2212 4", 40, 400, 22, -0.03, 0.12}, {"\u03B8", 300, 640, 30, 0.1, 0.12},
      {"y = (1/2)x \u2212 2", 740, 560, 22, 0.03, 0.13}, {"(5, \u22122)", 220, 520, 20, -0.05, 0.12},
  };
  Formulas(s, list, seed);
}

std::vector<TImage> LoadingBackdropQuarters() {
  TSurface s(1024, 768);
  PaintNightBackdrop(s, 5);
  Axes(s, 512, 384, 0.22);
  PaintFormulas(s, 11);
  Vignette(s, 0.55);
  // A light behind the central panel.
  RadialGlow(s.Cr(), 512, 384, 330, Hex(0x3A6BD8, 0.22));
  // The status plate: the black status text is drawn at (272, 728), 480 x 20.
  cairo_t* cr = s.Cr();
  TLayer glow(s, 256, 720, 768, 756, 30);
  RoundedRect(glow.Cr(), 256, 720, 512, 36, 12);
  cairo_set_source_rgba(glow.Cr(), 0.6, 0.85, 1.0, 1);
  cairo_fill(glow.Cr());
  glow.Blur(8);
  glow.Composite(0.55);
  RoundedRect(cr, 256, 720, 512, 36, 12);
  cairo_pattern_t* plate = Linear(0, 720, 0, 756, Hex(0xF4F8FF), Hex(0xC9D8F2));
  cairo_set_source(cr, plate);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(plate);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x0A1430, 0.9));
  cairo_stroke(cr);
  RoundedRect(cr, 258.5, 722.5, 507, 31, 10);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xFFFFFF, 0.9));
  cairo_stroke(cr);
  return Quarters(s, "loading");
}

std::vector<TImage> MenuBackdropQuarters() {
  TSurface s(1024, 768);
  PaintNightBackdrop(s, 9);
  PaintFormulas(s, 23);
  Vignette(s, 0.6);
  // The name between the corner widgets (up to y 80) and the panels (from y 240).
  DrawLogo(s, 512, 178, 96, true);
  TLettering tag;
  tag.Face = TFace::SansBold;
  tag.Size = 17;
  tag.Top = tag.Bottom = Hex(0xCFE4FF);
  tag.OutlineWidth = 2.5;
  tag.Outline = Hex(0x050A18, 0.9);
  Letter(s, W("SAVE THE ORIGIN, ONE POINT AT A TIME"), 512, 228, tag, true);
  return Quarters(s, "menu");
}

TImage LoadingPanelPicture() {
  TSurface s(450, 232);
  cairo_t* cr = s.Cr();
  // Glass panel with a neon rim.
  // The halo fades out before the picture's edge.
  TSurface halo(450, 232);
  RoundedRect(halo.Cr(), 9, 9, 432, 214, 15);
  cairo_set_source_rgba(halo.Cr(), 0.35, 0.8, 1.0, 1);
  cairo_set_line_width(halo.Cr(), 2.5);
  cairo_stroke(halo.Cr());
  halo.Blur(1.8);
  s.Paint(halo, 0, 0, 0.9);
  RoundedRect(cr, 9, 9, 432, 214, 15);
  cairo_pattern_t* fill = Linear(0, 9, 0, 223, Hex(0x16295A, 0.96), Hex(0x08112A, 0.96));
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  // Graph paper inside the glass.
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0x7FA8FF, 0.09));
  for (int x = 14; x < 450; x += 16) {
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, 232);
  }
  for (int y = 6; y < 232; y += 16) {
    cairo_move_to(cr, 0, y + 0.5);
    cairo_line_to(cr, 450, y + 0.5);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x8FE4FF));
  cairo_stroke(cr);
  RoundedRect(cr, 12.5, 12.5, 425, 207, 12);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xFFFFFF, 0.25));
  cairo_stroke(cr);

  DrawLogo(s, 225, 86, 60, false);
  // A thin light under the name, fading at both ends.
  cairo_pattern_t* rule = cairo_pattern_create_linear(50, 0, 400, 0);
  AddStop(rule, 0, Hex(0x8FE4FF, 0));
  AddStop(rule, 0.5, Hex(0x8FE4FF, 0.8));
  AddStop(rule, 1, Hex(0x8FE4FF, 0));
  cairo_rectangle(cr, 50, 106, 350, 1.5);
  cairo_set_source(cr, rule);
  cairo_fill(cr);
  cairo_pattern_destroy(rule);

  // Coordinate-plane motif: a little plane, a line through two points and a
  // monster on its way to the origin.
  const double ox = 100, oy = 166, u = 13;
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0x9FC2FF, 0.25));
  for (int i = -3; i <= 3; ++i) {
    cairo_move_to(cr, ox + i * u + 0.5, oy - 3 * u);
    cairo_line_to(cr, ox + i * u + 0.5, oy + 3 * u);
    cairo_move_to(cr, ox - 3 * u, oy + i * u + 0.5);
    cairo_line_to(cr, ox + 3 * u, oy + i * u + 0.5);
  }
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, ox - 3 * u - 5, oy + 0.5);
  cairo_line_to(cr, ox + 3 * u + 5, oy + 0.5);
  cairo_move_to(cr, ox + 0.5, oy - 3 * u - 5);
  cairo_line_to(cr, ox + 0.5, oy + 3 * u + 5);
  NeonStroke(s, Hex(0xDDEBFF, 0.9), 1.5, 3, 0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, ox - 2.5 * u, oy + 3 * u);
  cairo_line_to(cr, ox + 0.5 * u, oy - 3 * u);
  NeonStroke(s, Hex(NeonAmber), 2, 4, 0.8);
  PlotPoint(s, ox - 1 * u, oy, NeonTeal, 1);
  PlotPoint(s, ox, oy - 2 * u, NeonTeal, 1);
  TMonsterLook look;
  look.Head = 1;
  look.LookX = -0.8;
  look.LookY = 0.5;
  // A line monster: a colour that no quadrant has.
  DrawMonster(s, ox + 2 * u, oy + 1.6 * u, 17, Hex(LightenColour(64, NeutralMonsterColours[1])), look);

  TLettering tag;
  tag.Size = 21;
  tag.Top = Hex(0xFFFFFF);
  tag.Bottom = Hex(0xBFE8FF);
  tag.OutlineWidth = 2.4;
  tag.Outline = Hex(0x050A18, 0.95);
  Letter(s, W("SAVE THE ORIGIN!"), 296, 158, tag, true);
  TLettering small;
  small.Face = TFace::Sans;
  small.Size = 13;
  small.Top = small.Bottom = Hex(0xB8CCEE);
  // TRANSLATORS: two short lines under the title of the loading panel.
  Letter(s, W("Answer every monster before"), 296, 182, small, true);
  Letter(s, WF(W("it walks to %s."), {PointWords(0, 0)}), 296, 199, small, true);
  return MakeImage("loading-panel", s);
}

TImage CornerPicture() {
  TSurface s(300, 60);
  // A tiny plane badge and the name.
  cairo_t* cr = s.Cr();
  RadialGlow(cr, 30, 30, 26, Hex(0x3BE8D8, 0.35));
  cairo_new_path(cr);
  cairo_move_to(cr, 12, 30.5);
  cairo_line_to(cr, 48, 30.5);
  cairo_move_to(cr, 30.5, 12);
  cairo_line_to(cr, 30.5, 48);
  NeonStroke(s, Hex(0xDDEBFF), 1.6, 3, 0.6);
  cairo_new_path(cr);
  cairo_move_to(cr, 16, 44);
  cairo_line_to(cr, 44, 16);
  NeonStroke(s, Hex(NeonAmber), 2, 3, 0.8);
  PlotPoint(s, 23, 37, NeonTeal, 1);
  PlotPoint(s, 37, 23, NeonTeal, 1);
  TLettering name;
  name.Size = 34;
  name.Top = Hex(0xFFF0A0);
  name.Bottom = Hex(0xFF8A1E);
  name.OutlineWidth = 2.2;
  name.Outline = Hex(0x1B0C00, 0.95);
  name.ShadowOffset = 2;
  name.ShadowBlur = 1.5;
  name.Glow = Hex(0xFF9A2E, 0.35);
  name.GlowRadius = 5;
  Letter(s, "PLOTFRAY", 58, 44, name);
  return MakeImage("corner", s);
}
