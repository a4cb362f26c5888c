// The widget sheet. Each widget look is drawn whole at a small size, then cut
// into the pieces that the widget puts back together at any size. Everything is
// drawn in greys and then given its navy lean (NavyTone): the game tints
// widgets, a light neon blue by default, so they come out navy with neon rims.
#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "kit/artDraw.h"
#include "genArt.h"
#include "pictures/genWidgets.h"

using namespace art;

namespace {

// Straight colour a laid over straight colour b.
TRGBA Over(const TRGBA& a, const TRGBA& b) {
  const double outA = a.A + b.A * (1 - a.A);
  if (outA <= 0) return {0, 0, 0, 0};
  auto ch = [&](double ca, double cb) { return (ca * a.A + cb * b.A * (1 - a.A)) / outA; };
  return {ch(a.R, b.R), ch(a.G, b.G), ch(a.B, b.B), outA};
}

// Light falls from the top left: +1 on outlines facing it, -1 facing away.
double Lit(const TShadeInput& in) { return in.Nx * -0.447 + in.Ny * -0.894; }

// A bevelled panel: black outline, a rim lit from the top left, a fill, and a
// soft halo outside. Depends only on the distance and the outline's direction,
// so it stretches both ways.
struct TBevel {
  double OutlineA = 0.85;
  double Rim = 1.6;          // rim width inside the outline
  double RimLight = 1.0;     // rim grey facing the light ...
  double RimDark = 0.55;     // ... and facing away
  double Fill = 0.3;
  double FillA = 0.8;
  double InnerShade = 0;     // darkening just inside the rim (or lightening, negative) ...
  double InnerEnd = 3.8;     // ... gone at this depth, before the stretched fill begins
  double HaloA = 0.35;       // outside halo
  double HaloWidth = 1.2;
  TRGBA HaloColor = Grey(0);
  bool Sunken = false;       // light from the bottom right: an inset field
};

TRGBA BevelShade(const TShadeInput& in, const TBevel& b) {
  const double depth = -in.D;
  double lit = Lit(in);
  if (b.Sunken) lit = -lit;
  TRGBA inside;
  if (depth < 1.0) {
    inside = Grey(0, b.OutlineA);
  } else if (depth < 1.0 + b.Rim) {
    inside = Grey(b.RimDark + (b.RimLight - b.RimDark) * (lit + 1) / 2);
  } else {
    const double shade = b.InnerShade * (1 - Smooth(1 + b.Rim, b.InnerEnd, depth));
    inside = Grey(std::clamp(b.Fill - shade, 0.0, 1.0), b.FillA);
  }
  const double cover = Inside(in.D);
  inside.A *= cover;
  TRGBA halo = b.HaloColor;
  halo.A = in.D > 0 ? b.HaloA * std::exp(-std::pow(in.D / b.HaloWidth, 2)) : 0;
  return Over(inside, halo);
}

// A raised, glossy bar (buttons, group entries): the body grows darker toward
// the bottom and a gloss band lies over its top half. The y-dependence is fine:
// these pieces stretch only sideways.
struct TGlossBar {
  double X, Y, W, H, R;
  double Top, Bottom;      // body grey at the top and bottom
  double Gloss = 0.45;     // white over the top half
  double GlowA = 0;        // white halo (hovered)
  double ShadowA = 0.55;   // drop shadow below
  bool Pressed = false;    // sunken: inner shadow along the top, lit bottom rim
  double Rim = 0;          // a neon line just inside the outline: its opacity
};

TRGBA GlossShade(const TShadeInput& in, const TGlossBar& g) {
  const double depth = -in.D;
  const double v = std::clamp((in.Y - g.Y) / g.H, 0.0, 1.0);
  TRGBA inside;
  if (depth < 1.1) {
    inside = Grey(0, 0.92);
  } else {
    inside = Grey(g.Top + (g.Bottom - g.Top) * v);
    // The gloss: a rounded band inset from the sides over the upper part.
    const TShadeInput band =
        RoundedRectDistance(in.X, in.Y, g.X + 4, g.Y + 2.5, g.W - 8, g.H * 0.46, std::max(1.0, g.R - 4));
    if (band.D < 0) {
      const double t = std::clamp((in.Y - g.Y - 2.5) / (g.H * 0.46), 0.0, 1.0);
      inside = Over(Grey(1, g.Gloss * (1 - 0.75 * t) * Inside(band.D)), inside);
    }
    if (g.Pressed) {
      const double shade = 0.55 * std::exp(-(in.Y - g.Y - 1) / 2.5);
      inside = Over(Grey(0, std::clamp(shade, 0.0, 0.6)), inside);
      if (depth < 2.4 && in.Ny > 0.3) inside = Over(Grey(1, 0.8), inside);
    } else if (depth < 2.3) {
      // A lit rim along the top and a darker one along the bottom.
      const double lit = Lit(in);
      inside = Over(lit > 0 ? Grey(1, 0.55 * lit) : Grey(0, -0.35 * lit), inside);
    }
    if (g.Rim > 0 && depth < 2.6) inside = Over(Grey(1, g.Rim * (0.75 + 0.25 * std::max(0.0, Lit(in)))), inside);
  }
  inside.A *= Inside(in.D);
  TRGBA outside{0, 0, 0, 0};
  if (in.D > 0) {
    const TShadeInput shadow = RoundedRectDistance(in.X, in.Y, g.X, g.Y + 2, g.W, g.H, g.R);
    if (shadow.D > -g.R) outside = Grey(0, g.ShadowA * std::exp(-std::pow(std::max(shadow.D, 0.0) / 1.6, 2)));
    if (g.GlowA > 0) outside = Over(Grey(1, g.GlowA * std::exp(-std::pow(in.D / 2.0, 2))), outside);
  }
  return Over(inside, outside);
}

void Gloss(TSurface& s, const TGlossBar& g) {
  ShadeRoundedRect(s, g.X, g.Y, g.W, g.H, g.R, [&](const TShadeInput& in) { return GlossShade(in, g); });
}

void Bevel(TSurface& s, double x, double y, double w, double h, double r, const TBevel& b) {
  ShadeRoundedRect(s, x, y, w, h, r, [&](const TShadeInput& in) { return BevelShade(in, b); });
}

using TDraw = std::function<void(TSurface&)>;

// ---------------------------------------------------------------- the looks

void DrawLabelFrame(TSurface& s) {
  TBevel b;
  b.Fill = 0.30;
  b.FillA = 0.80;
  b.RimLight = 1.0;
  b.RimDark = 0.72;
  b.Rim = 1.7;
  b.InnerShade = -0.12;  // a faint lighter band inside the rim
  b.HaloA = 0.45;
  // The radius stays within the 7 x 5 border so the edges stretch cleanly.
  Bevel(s, 1, 1, s.Width() - 2, s.Height() - 2, 5.5, b);
}

void DrawHintBox(TSurface& s) {
  TBevel b;
  b.Fill = 0.11;
  b.FillA = 0.90;
  b.RimLight = 1.0;
  b.RimDark = 0.85;
  b.Rim = 1.3;
  b.OutlineA = 0.7;
  b.HaloColor = Grey(1);
  b.HaloA = 0.30;
  b.HaloWidth = 1.4;
  b.InnerShade = -0.08;
  b.InnerEnd = 4.3;
  Bevel(s, 2.5, 2.5, s.Width() - 5, s.Height() - 5, 6, b);
}

void DrawTextBox(TSurface& s) {
  TBevel b;
  b.Fill = 0.05;
  b.FillA = 0.88;
  b.Sunken = true;
  b.RimLight = 0.85;
  b.RimDark = 0.18;
  b.Rim = 1.5;
  b.OutlineA = 0.9;
  b.InnerShade = 0.05;
  b.InnerEnd = 4.3;
  b.HaloColor = Grey(1);
  b.HaloA = 0.45;
  b.HaloWidth = 0.9;
  Bevel(s, 1.5, 1.5, s.Width() - 3, s.Height() - 3, 5, b);
}

void DrawCaret(TSurface& s) {
  cairo_set_source_rgba(s.Cr(), 1, 1, 1, 1);
  cairo_paint(s.Cr());
}

// Buttons and group entries carry white captions: their bodies stay dark
// enough under any tint of the game for those to read at 4.5:1.
void DrawButton(TSurface& s, bool hovered) {
  TGlossBar g{1.5, 1.5, s.Width() - 3.0, 45, 14, 0.44, 0.26};
  g.Gloss = 0.28;
  g.Rim = 1.0;
  if (hovered) {
    g.Top = 0.54;
    g.Bottom = 0.34;
    g.Gloss = 0.34;
    g.GlowA = 0.8;
  }
  Gloss(s, g);
}

void DrawGroupEntry(TSurface& s, int state) {
  TGlossBar g{1, 1, s.Width() - 2.0, 27, 7, 0.40, 0.24};
  g.ShadowA = 0.5;
  g.Gloss = 0.25;
  g.Rim = 0.55;
  if (state == 1) {
    g.Top = 0.52;
    g.Bottom = 0.34;
    g.Gloss = 0.3;
    g.Rim = 0.9;
  } else if (state == 2) {
    // Chosen: lit from inside, with a full neon rim.
    g.Top = 0.46;
    g.Bottom = 0.58;
    g.Gloss = 0.15;
    g.Rim = 1.0;
    g.GlowA = 0.6;
    g.Pressed = true;
  }
  Gloss(s, g);
}

// The check box: one rounded bar from the box to the right cap, with the well
// of the box at its left.
void DrawCheckBox(TSurface& s, int state) {
  TBevel bar;
  bar.Fill = 0.30;
  bar.FillA = 0.82;
  bar.Rim = 1.3;
  bar.RimDark = 0.6;
  // The box piece is drawn 35 wide; the bar runs on past its right edge.
  const double w = std::max(60, s.Width()) - 2.0;
  Bevel(s, 1, 1.5, w, 27, 8, bar);
  const double wx = 8, wy = 6, ws = 18;
  TBevel well;
  well.Sunken = true;
  well.Fill = state == 2 ? 0.22 : state == 1 ? 0.14 : 0.04;
  well.FillA = 0.95;
  well.RimLight = state == 1 ? 1.0 : 0.8;
  well.RimDark = state == 1 ? 0.6 : 0.15;
  well.Rim = state == 1 ? 1.6 : 1.2;
  well.OutlineA = 0.9;
  well.HaloColor = Grey(1);
  well.HaloA = state == 1 ? 0.95 : 0.25;
  well.HaloWidth = state == 1 ? 2.4 : 0.8;
  Bevel(s, wx, wy, ws, ws, 4, well);
  if (state == 2) {
    // A bold tick with a glow.
    cairo_t* cr = s.Cr();
    TSurface glow(s.Width(), s.Height());
    auto tick = [&](cairo_t* c) {
      cairo_move_to(c, wx + 3.8, wy + 9.5);
      cairo_line_to(c, wx + 7.5, wy + 13.5);
      cairo_line_to(c, wx + 14.8, wy + 3.8);
    };
    tick(glow.Cr());
    cairo_set_line_width(glow.Cr(), 5);
    cairo_set_source_rgba(glow.Cr(), 1, 1, 1, 0.9);
    cairo_stroke(glow.Cr());
    glow.Blur(1.5);
    s.Paint(glow, 0, 0, 0.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    tick(cr);
    cairo_set_line_width(cr, 4.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_stroke(cr);
  }
}

void DrawSlider(TSurface& s) {
  TBevel body;
  body.Fill = 0.28;
  body.FillA = 0.8;
  body.Rim = 1.3;
  body.RimDark = 0.6;
  Bevel(s, 1, 4, s.Width() - 2, 22, 7, body);
  TBevel channel;
  channel.Sunken = true;
  channel.Fill = 0.02;
  channel.FillA = 0.95;
  channel.RimLight = 0.9;
  channel.RimDark = 0.2;
  channel.Rim = 1;
  channel.OutlineA = 0.8;
  channel.HaloA = 0;
  Bevel(s, 5, 12, s.Width() - 10, 6, 3, channel);
}

void DrawKnob(TSurface& s, bool hovered) {
  cairo_t* cr = s.Cr();
  const double c = 9, r = hovered ? 7.2 : 7.6;
  if (hovered) RadialGlow(cr, c, c, 9, Grey(1, 0.8));
  cairo_pattern_t* body = cairo_pattern_create_radial(c - 2.5, c - 3, 1, c, c, r);
  AddStop(body, 0, Grey(1));
  AddStop(body, 0.6, Grey(hovered ? 0.92 : 0.80));
  AddStop(body, 1, Grey(hovered ? 0.70 : 0.50));
  cairo_arc(cr, c, c, r, 0, 2 * M_PI);
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
  cairo_stroke(cr);
  // A grip: three short ridges.
  cairo_set_line_width(cr, 1);
  for (int i = -1; i <= 1; ++i) {
    cairo_move_to(cr, c + 2.5 * i + 0.5, c - 3);
    cairo_line_to(cr, c + 2.5 * i + 0.5, c + 3);
  }
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_stroke(cr);
}

void DrawListBox(TSurface& s) {
  const int w = s.Width(), h = s.Height();
  TBevel frame;
  frame.Fill = 0.30;
  frame.FillA = 0.85;
  frame.Rim = 1.4;
  frame.RimDark = 0.62;
  Bevel(s, 0.5, 0.5, w - 1, h - 1, 8, frame);
  cairo_t* cr = s.Cr();
  // Header and footer bands: a little lighter, with a gloss along the top.
  cairo_pattern_t* head = Linear(0, 3, 0, 24, Grey(1, 0.22), Grey(1, 0.04));
  cairo_rectangle(cr, 3, 3, w - 6, 21);
  cairo_set_source(cr, head);
  cairo_fill(cr);
  cairo_pattern_destroy(head);
  // The list well (the list area piece is this same flat colour) with a dark
  // line above and left of it and a light one below.
  const TRGBA wellColor = Grey(0.05, 0.88);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetColor(cr, wellColor);
  cairo_rectangle(cr, 8, 25, w - 32, h - 50);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  SetColor(cr, Grey(0, 0.8));
  cairo_rectangle(cr, 7, 24, w - 30, 1);
  cairo_rectangle(cr, 7, 24, 1, h - 48);
  cairo_fill(cr);
  SetColor(cr, Grey(0.85, 0.8));
  cairo_rectangle(cr, 7, h - 25, w - 30, 1);
  cairo_fill(cr);
  // The scroll groove under the arrows and the thumb.
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetColor(cr, Grey(0.02, 0.9));
  cairo_rectangle(cr, w - 20, 25, 14, h - 50);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  SetColor(cr, Grey(0, 0.8));
  cairo_rectangle(cr, w - 21, 24, 1, h - 48);
  cairo_fill(cr);
  SetColor(cr, Grey(0.8, 0.7));
  cairo_rectangle(cr, w - 6, 24, 1, h - 48);
  cairo_fill(cr);
  // A faint centre line in the groove.
  SetColor(cr, Grey(1, 0.12));
  cairo_rectangle(cr, w - 14, 25, 2, h - 50);
  cairo_fill(cr);
}

void DrawListArrow(TSurface& s) {
  TGlossBar g{1, 1, 16, 15, 5, 0.85, 0.55};
  g.ShadowA = 0.4;
  Gloss(s, g);
  // Up and down at once: the box serves both ends of the track, mirrored
  // left to right, so a one-way arrow would point up at the bottom too.
  cairo_t* cr = s.Cr();
  auto triangle = [&](double tipY, double baseY) {
    cairo_move_to(cr, 9, tipY);
    cairo_line_to(cr, 13, baseY);
    cairo_line_to(cr, 5, baseY);
    cairo_close_path(cr);
  };
  triangle(3.5, 7.5);
  triangle(13.5, 9.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_fill(cr);
}

void DrawListThumb(TSurface& s) {
  TGlossBar g{1.5, 1, 15, 39, 6, 0.9, 0.55};
  g.ShadowA = 0.45;
  Gloss(s, g);
  cairo_t* cr = s.Cr();
  cairo_set_line_width(cr, 1);
  for (int i = -1; i <= 1; ++i) {
    cairo_move_to(cr, 5, 20.5 + 3 * i);
    cairo_line_to(cr, 13, 20.5 + 3 * i);
  }
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_stroke(cr);
}

void DrawSelection(TSurface& s) {
  cairo_set_source_rgba(s.Cr(), 1, 1, 1, 0.42);
  cairo_paint(s.Cr());
}

void DrawDigit(TSurface& s, int digit) {
  TLettering style;
  style.Size = 32;
  style.Top = Grey(1);
  style.Bottom = Grey(0.72);
  style.OutlineWidth = 2.0;
  style.Outline = Grey(0, 0.95);
  style.ShadowOffset = 1.2;
  style.ShadowBlur = 0.8;
  const std::string text(1, static_cast<char>('0' + digit));
  // Baseline chosen so that digit, outline and shadow sit inside 31 rows.
  Letter(s, text, s.Width() / 2.0 - 0.5, 26.5, style, true);
}

void DrawProgressBar(TSurface& s) {
  TBevel body;
  body.Fill = 0.30;
  body.FillA = 0.85;
  body.Rim = 1.4;
  body.RimDark = 0.6;
  Bevel(s, 0.5, 0.5, s.Width() - 1, s.Height() - 1, 7, body);
  for (int j = 0; j < 5; ++j) {
    const double x = ProgressSegmentInsetX + ProgressSegmentPitch * j;
    TBevel well;
    well.Sunken = true;
    well.Fill = 0.04;
    well.FillA = 0.92;
    well.RimLight = 0.75;
    well.RimDark = 0.12;
    well.Rim = 1.0;
    well.OutlineA = 0.8;
    well.HaloColor = Grey(1);
    well.HaloA = 0.18;
    well.HaloWidth = 0.8;
    Bevel(s, x + 0.5, ProgressSegmentInsetY + 0.5, ProgressSegmentRect.W - 1, ProgressSegmentRect.H - 1, 5, well);
    TLettering number;
    number.Size = 14;
    number.Top = number.Bottom = Grey(0.42);
    Letter(s, std::to_string(j + 1), x + ProgressSegmentRect.W / 2.0, ProgressSegmentInsetY + 19, number, true);
    if (j < 4) {
      // A short link to the next well.
      cairo_rectangle(s.Cr(), x + ProgressSegmentRect.W + 1, 16, ProgressSegmentPitch - ProgressSegmentRect.W - 2, 3);
      cairo_set_source_rgba(s.Cr(), 0, 0, 0, 0.5);
      cairo_fill(s.Cr());
    }
  }
}

void DrawProgressSegment(TSurface& s) {
  TGlossBar g{0.5, 0.5, s.Width() - 1.0, s.Height() - 1.5, 5, 0.98, 0.62};
  g.ShadowA = 0;
  g.Gloss = 0.5;
  Gloss(s, g);
  cairo_t* cr = s.Cr();
  Star(cr, s.Width() / 2.0, 14, 8.5, 3.6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_set_line_width(cr, 2);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  cairo_fill(cr);
}

void DrawProgressMarker(TSurface& s) {
  // Shown at a quarter opacity over a well: a bright frame with a lighter inside.
  TBevel b;
  b.OutlineA = 0;
  b.Rim = 2.5;
  b.RimLight = 1;
  b.RimDark = 1;
  b.Fill = 1;
  b.FillA = 0.55;
  b.HaloColor = Grey(1);
  b.HaloA = 0;
  Bevel(s, 0, 0, s.Width(), s.Height(), 6, b);
}

const std::map<std::string, TDraw>& Looks() {
  static const std::map<std::string, TDraw> looks = [] {
    std::map<std::string, TDraw> m;
    m["label frame"] = DrawLabelFrame;
    m["hint box"] = DrawHintBox;
    m["text box"] = DrawTextBox;
    m["text caret"] = DrawCaret;
    m["button"] = [](TSurface& s) { DrawButton(s, false); };
    m["button hovered"] = [](TSurface& s) { DrawButton(s, true); };
    m["group entry"] = [](TSurface& s) { DrawGroupEntry(s, 0); };
    m["group entry hovered"] = [](TSurface& s) { DrawGroupEntry(s, 1); };
    m["group entry selected"] = [](TSurface& s) { DrawGroupEntry(s, 2); };
    m["check box"] = [](TSurface& s) { DrawCheckBox(s, 0); };
    m["check box hovered"] = [](TSurface& s) { DrawCheckBox(s, 1); };
    m["check box checked"] = [](TSurface& s) { DrawCheckBox(s, 2); };
    m["slider"] = DrawSlider;
    m["slider knob"] = [](TSurface& s) { DrawKnob(s, false); };
    m["slider knob hovered"] = [](TSurface& s) { DrawKnob(s, true); };
    m["list box"] = DrawListBox;
    m["list arrow"] = DrawListArrow;
    m["list thumb"] = DrawListThumb;
    m["list selection"] = DrawSelection;
    for (int d = 0; d < 10; ++d) m["digit " + std::to_string(d)] = [d](TSurface& s) { DrawDigit(s, d); };
    m["progress bar"] = DrawProgressBar;
    m["progress segment"] = DrawProgressSegment;
    m["progress marker"] = DrawProgressMarker;
    return m;
  }();
  return looks;
}

// Copies a piece out of the whole drawing onto the sheet. A stretched piece is
// also copied once more on each side along its stretch, so that filtering at
// its ends samples the same colour.
void CutPiece(TSurface& sheet, const TSurface& whole, const TSheetPiece& piece, int width, int height) {
  const int sx = piece.Place.X.At(width), sy = piece.Place.Y.At(height);
  const int pad = 1;
  const int fromX = piece.StretchX() ? -pad : 0, toX = piece.StretchX() ? pad : 0;
  const int fromY = piece.StretchY() ? -pad : 0, toY = piece.StretchY() ? pad : 0;
  cairo_t* cr = sheet.Cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  for (int oy = fromY; oy <= toY; ++oy)
    for (int ox = fromX; ox <= toX; ++ox) {
      const int dx = piece.Sheet.X + ox, dy = piece.Sheet.Y + oy;
      cairo_rectangle(cr, dx, dy, piece.Sheet.W, piece.Sheet.H);
      cairo_set_source_surface(cr, whole.Raw(), dx - sx, dy - sy);
      cairo_fill(cr);
    }
  cairo_restore(cr);
}

std::vector<std::uint32_t> Navy(std::vector<std::uint32_t> px) {
  for (std::uint32_t& p : px) p = NavyTone(p);
  return px;
}

}  // namespace

std::uint32_t NavyTone(std::uint32_t argb) {
  const double g = (((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF)) / (3.0 * 255);
  // Dark greys lean to blue; toward white the lean fades, so rims stay the tint's own neon.
  const double t = Smooth(0.35, 0.95, g);
  const double bias[3] = {0.48 + 0.52 * t, 0.44 + 0.56 * t, 1.0};
  std::uint32_t out = argb & 0xFF000000u;
  for (int c = 0; c < 3; ++c)
    out |= static_cast<std::uint32_t>(std::lround(std::clamp(g * bias[c], 0.0, 1.0) * 255)) << (16 - 8 * c);
  return out;
}

std::vector<std::uint32_t> DrawWidgetLook(const TSheetFrame& frame) {
  TSurface whole(frame.DrawWidth, frame.DrawHeight);
  Looks().at(frame.Name)(whole);
  return Navy(whole.Pixels());
}

std::vector<std::uint32_t> DrawWidgetSheet() {
  TSurface sheet(WidgetSheetWidth, WidgetSheetHeight);
  for (const TSheetFrame& frame : WidgetFrames()) {
    TSurface whole(frame.DrawWidth, frame.DrawHeight);
    Looks().at(frame.Name)(whole);
    cairo_surface_flush(whole.Raw());
    for (const TSheetPiece& piece : frame.Pieces) CutPiece(sheet, whole, piece, frame.DrawWidth, frame.DrawHeight);
  }
  return Navy(sheet.Pixels());
}

TImage WidgetSheetPicture() {
  return MakeImage("widgets", WidgetSheetWidth, WidgetSheetHeight, DrawWidgetSheet());
}
