// The tutorial pages: a headline, a few sentences, a diagram of the plane with
// the worked example, the example worked step by step beside a monster that
// carries it, and the level's power-ups.
#include "genTutorials.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "artIcons.h"
#include "artKit.h"
#include "artMonster.h"
#include "game/ColorLib.h"
#include "game/defColours.h"
#include "game/defPowerUps.h"
#include "genArt.h"
#include "genBoards.h"

using namespace art;

namespace {

std::uint32_t Accent(int gameType) {
  switch (gameType) {
    case 1:
      return 0x4FDB7A;
    case 2:
      return 0x4F9BFF;
    default:
      return 0xB07BFF;
  }
}

const TRGBA Ink = Hex(0xE4ECFF);
const TRGBA Highlight = Hex(0xFFE36A);
// Colours of the example lines, and of the x and y moves to a point.
const std::uint32_t LineColours[3] = {0xFF9A3C, 0x5FE1FF, 0xD58CFF};
constexpr std::uint32_t MoveX = 0xFFB23A, MoveY = 0x5FE1FF;

// A board colour from the colour table, made pleasant on the dark page.
TRGBA Tone(std::int32_t row, double alpha) {
  const std::uint32_t c = ColourTable[static_cast<std::size_t>(std::clamp(row, 0, 8))];
  return Mix(Hex(c, alpha), Hex(0xFFFFFF, alpha), 0.25);
}

struct TPlane {
  double X, Y, Size;
  int Range;
  double Unit() const { return Size / (2.0 * Range + 1); }
  double PX(double px) const { return X + Size / 2 + px * Unit(); }
  double PY(double py) const { return Y + Size / 2 - py * Unit(); }
};

void Arrow(TSurface& s, double x0, double y0, double x1, double y1, std::uint32_t colour) {
  cairo_t* cr = s.Cr();
  const double len = std::hypot(x1 - x0, y1 - y0);
  if (len < 1) return;
  const double ux = (x1 - x0) / len, uy = (y1 - y0) / len, head = std::min(9.0, len * 0.45);
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1 - ux * head * 0.6, y1 - uy * head * 0.6);
  NeonStroke(s, Hex(colour), 2.6, 3, 0.7);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - ux * head - uy * head * 0.55, y1 - uy * head + ux * head * 0.55);
  cairo_line_to(cr, x1 - ux * head + uy * head * 0.55, y1 - uy * head - ux * head * 0.55);
  cairo_close_path(cr);
  SetColor(cr, Hex(colour));
  cairo_fill(cr);
}

// The plane as the level's board shows it: its quadrant colours, greyed where
// the level does not go, axes, grid points and numbers.
void DrawPlane(TSurface& s, const TPlane& b, const TTutorialPage& page) {
  cairo_t* cr = s.Cr();
  const bool quadrants = page.GameType == 1;
  const double half = b.Size / 2, cx = b.X + half, cy = b.Y + half;
  cairo_save(cr);
  RoundedRect(cr, b.X, b.Y, b.Size, b.Size, 10);
  SetColor(cr, Hex(0x060C1E, 0.95));
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  const double qx[5] = {0, cx, b.X, b.X, cx}, qy[5] = {0, b.Y, b.Y, cy, cy};
  for (int q = 1; q <= 4; ++q) {
    const bool open = page.QuadrantAllowed[q];
    cairo_rectangle(cr, qx[q], qy[q], half, half);
    SetColor(cr, Tone(page.QuadrantColour[q], open ? 0.3 : 0.14));
    cairo_fill(cr);
    if (!open) {
      // Hatched: no questions from here in this level.
      cairo_save(cr);
      cairo_rectangle(cr, qx[q], qy[q], half, half);
      cairo_clip(cr);
      for (double d = -half; d < half * 2; d += 9) {
        cairo_move_to(cr, qx[q] + d, qy[q]);
        cairo_line_to(cr, qx[q] + d + half, qy[q] + half);
      }
      cairo_set_line_width(cr, 1);
      SetColor(cr, Grey(0, 0.35));
      cairo_stroke(cr);
      cairo_restore(cr);
    }
  }
  if (!quadrants) {
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0xCFE0FF, 0.16));
    for (int i = -b.Range; i <= b.Range; ++i) {
      cairo_move_to(cr, std::floor(b.PX(i)) + 0.5, b.Y);
      cairo_line_to(cr, std::floor(b.PX(i)) + 0.5, b.Y + b.Size);
      cairo_move_to(cr, b.X, std::floor(b.PY(i)) + 0.5);
      cairo_line_to(cr, b.X + b.Size, std::floor(b.PY(i)) + 0.5);
    }
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, b.X, cy);
  cairo_line_to(cr, b.X + b.Size, cy);
  cairo_move_to(cr, cx, b.Y);
  cairo_line_to(cr, cx, b.Y + b.Size);
  const TRGBA axis = Mix(Tone(page.QuadrantColour[0], 1), Grey(1), 0.3);
  NeonStroke(s, axis, 1.8, 3, 0.6);
  if (quadrants) {
    TLettering n;
    n.Face = TFace::SerifBold;
    n.Size = b.Size * 0.16;
    n.Top = n.Bottom = Grey(1, 0.3);
    for (int q = 1; q <= 4; ++q)
      Letter(s, QuadrantNumeral(q), qx[q] + half / 2, qy[q] + half / 2 + n.Size * 0.36, n, true);
  } else {
    for (int i = -b.Range; i <= b.Range; ++i)
      for (int j = -b.Range; j <= b.Range; ++j) {
        const bool open = page.QuadrantAllowed[QuadrantOf(i, j)];
        cairo_arc(cr, b.PX(i), b.PY(j), std::max(1.5, b.Unit() * 0.07), 0, 2 * M_PI);
        SetColor(cr, Grey(1, open ? 0.85 : 0.3));
        cairo_fill(cr);
      }
    TLettering t;
    t.Size = std::clamp(b.Unit() * 0.36, 8.0, 11.0);
    t.Top = t.Bottom = Hex(0xDDE8FF, 0.9);
    t.OutlineWidth = 1.6;
    t.Outline = Hex(0x050A18, 0.95);
    const int every = b.Range > 3 ? 2 : 1;
    for (int i = -b.Range; i <= b.Range; ++i) {
      if (i == 0 || i % every != 0) continue;
      Letter(s, std::to_string(i), b.PX(i), cy + t.Size + 4, t, true);
      Letter(s, std::to_string(i), cx + 5, b.PY(i) + t.Size * 0.35, t);
    }
  }
  TLettering axisName;
  axisName.Size = 11;
  axisName.Top = axisName.Bottom = axis;
  axisName.OutlineWidth = 1.5;
  axisName.Outline = Hex(0x050A18, 0.95);
  Letter(s, "x", b.X + b.Size - 11, cy - 5, axisName);
  Letter(s, "y", cx + 6, b.Y + 13, axisName);
  cairo_restore(cr);
  RoundedRect(cr, b.X + 0.5, b.Y + 0.5, b.Size - 1, b.Size - 1, 10);
  NeonStroke(s, Hex(0x6FD8FF, 0.85), 1.2, 3, 0.5);
}

// The segment of a line inside the plane's square.
bool LineInPlane(const TPlane& b, TIntPoint p, TIntPoint q, double& x0, double& y0, double& x1, double& y1) {
  const double e = b.Range + 0.5;
  if (p.X == q.X) {
    x0 = x1 = p.X;
    y0 = -e;
    y1 = e;
    return true;
  }
  const double m = static_cast<double>(q.Y - p.Y) / (q.X - p.X), c = p.Y - m * p.X;
  double lo = -e, hi = e;
  if (m != 0) {
    const double a = (-e - c) / m, z = (e - c) / m;
    lo = std::max(lo, std::min(a, z));
    hi = std::min(hi, std::max(a, z));
  }
  if (lo >= hi) return false;
  x0 = lo;
  y0 = m * lo + c;
  x1 = hi;
  y1 = m * hi + c;
  return true;
}

void DrawExampleOnPlane(TSurface& s, const TPlane& b, const TTutorialPage& page) {
  cairo_t* cr = s.Cr();
  const TTutorialExample& e = page.Examples[0];
  if (page.GameType == 1) {
    const TIntPoint c = e.Answer[0];
    const double half = b.Size / 2, x = c.X > 0 ? b.X + half : b.X, y = c.Y > 0 ? b.Y : b.Y + half;
    RoundedRect(cr, x + 5, y + 5, half - 10, half - 10, 8);
    SetColor(cr, Tone(page.QuadrantColour[e.Quadrant], 0.35));
    cairo_fill_preserve(cr);
    NeonStroke(s, Hex(0xFFF27A), 2, 4, 0.9);
    DrawPointer(s, x + half * 0.56, y + half * 0.56, 1.3);
    return;
  }
  if (page.GameType == 2) {
    const TIntPoint p = e.Answer[0];
    Arrow(s, b.PX(0), b.PY(0), b.PX(p.X), b.PY(0), MoveX);
    Arrow(s, b.PX(p.X), b.PY(0), b.PX(p.X), b.PY(p.Y), MoveY);
    DrawPickedPoint(s, b.PX(p.X), b.PY(p.Y), std::max(5.0, b.Unit() * 0.22));
    DrawPointer(s, b.PX(p.X) + 4, b.PY(p.Y) + 4, 1.2);
    return;
  }
  for (std::size_t i = 0; i < page.Examples.size(); ++i) {
    const TTutorialExample& ex = page.Examples[i];
    double x0, y0, x1, y1;
    if (!LineInPlane(b, ex.Answer[0], ex.Answer[1], x0, y0, x1, y1)) continue;
    cairo_save(cr);
    RoundedRect(cr, b.X, b.Y, b.Size, b.Size, 10);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, b.PX(x0), b.PY(y0));
    cairo_line_to(cr, b.PX(x1), b.PY(y1));
    NeonStroke(s, Hex(LineColours[i % 3]), 2.4, 4, 0.85);
    cairo_restore(cr);
    for (const TIntPoint& q : ex.Answer) DrawPickedPoint(s, b.PX(q.X), b.PY(q.Y), std::max(4.5, b.Unit() * 0.16));
  }
  // Each line's name beside it, where it covers no other name, picked point or the pointer.
  std::vector<std::array<double, 4>> placed;
  const TIntPoint last = page.Examples[0].Answer[1];
  placed.push_back({b.PX(last.X) - 4, b.PY(last.Y) - 4, b.PX(last.X) + 18, b.PY(last.Y) + 24});
  for (const TTutorialExample& ex : page.Examples)
    for (const TIntPoint& q : ex.Answer) placed.push_back({b.PX(q.X) - 7, b.PY(q.Y) - 7, b.PX(q.X) + 7, b.PY(q.Y) + 7});
  for (std::size_t i = 0; i < page.Examples.size(); ++i) {
    const TTutorialExample& ex = page.Examples[i];
    double x0, y0, x1, y1;
    if (!LineInPlane(b, ex.Answer[0], ex.Answer[1], x0, y0, x1, y1)) continue;
    SelectFace(cr, TFace::MonoBold, 10);
    const double w = TextWidth(cr, ex.Label) + 9, h = 14.5;
    const bool vertical = ex.Answer[0].X == ex.Answer[1].X;
    for (double t : {0.88, 0.12, 0.75, 0.25, 0.62, 0.38, 0.5}) {
      double px = b.PX(x0 + (x1 - x0) * t) + (vertical ? w / 2 + 6 : 0);
      double py = b.PY(y0 + (y1 - y0) * t) + (vertical ? 0 : -6);
      px = std::clamp(px, b.X + w / 2 + 3, b.X + b.Size - w / 2 - 3);
      py = std::clamp(py, b.Y + h + 3, b.Y + b.Size - 3);
      const std::array<double, 4> r{px - w / 2, py - h, px + w / 2, py};
      const bool clash = std::any_of(placed.begin(), placed.end(), [&](const std::array<double, 4>& o) {
        return r[0] < o[2] + 2 && o[0] < r[2] + 2 && r[1] < o[3] + 2 && o[1] < r[3] + 2;
      });
      if (clash && t != 0.5) continue;
      placed.push_back(r);
      DrawQuestionTag(s, ex.Label, px, py, 10, Hex(LineColours[i % 3]));
      break;
    }
  }
  DrawPointer(s, b.PX(last.X) + 3, b.PY(last.Y) + 3, 1.15);
}

// The worked example: a monster carrying the question, and the steps.
double ExampleBox(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  Letter(s, page.Examples.size() > 1 ? "WORKED EXAMPLES" : "WORKED EXAMPLE", x + 14, y + 22, head);
  double bottom = y + 22;
  if (page.Examples.size() == 1) {
    const TTutorialExample& e = page.Examples[0];
    // A monster carries the question, the way it walks onto the board.
    static const int colours[5] = {0, 1, 3, 4, 5};
    const int pattern = (page.GameType * 7 + page.Level * 5) % 20;
    const std::uint32_t colour =
        LightenColour(64, ColourTable[static_cast<std::size_t>(colours[(page.GameType + page.Level) % 5])]);
    const double column = 96, size = 60, mx = x + 8 + (column - size) / 2, my = y + h - size - 12;
    DrawTintedCreature(s, mx, my, size, pattern, colour);
    cairo_t* cr = s.Cr();
    double tagSize = 12;
    SelectFace(cr, TFace::MonoBold, tagSize);
    while (TextWidth(cr, e.Label) + tagSize * 0.9 > column - 4 && tagSize > 8)
      SelectFace(cr, TFace::MonoBold, tagSize -= 0.5);
    DrawQuestionTag(s, e.Label, x + 8 + column / 2, my + 2, tagSize, Hex(0xFFF27A));
    double ty = y + 48;
    const double tx = x + 8 + column + 18;
    for (std::size_t i = 0; i < e.Steps.size(); ++i) {
      const std::string& step = e.Steps[i];
      std::uint32_t bullet = accent;
      if (page.GameType == 2 && step.rfind(std::string("x") + KeptEquals, 0) == 0) bullet = MoveX;
      if (page.GameType == 2 && step.rfind(std::string("y") + KeptEquals, 0) == 0) bullet = MoveY;
      cairo_arc(cr, tx - 9, ty - 4.5, 3, 0, 2 * M_PI);
      SetColor(cr, Hex(bullet));
      cairo_fill(cr);
      ty = RichParagraph(s, step, tx, ty, x + w - tx - 10, 13, 17, Ink, Highlight) + 4;
    }
    bottom = ty - 4 - 17 + 4;
  } else {
    // One row per example: the question and the two points to click.
    double ty = y + 44;
    cairo_t* cr = s.Cr();
    for (std::size_t i = 0; i < page.Examples.size(); ++i) {
      const TTutorialExample& e = page.Examples[i];
      SelectFace(cr, TFace::MonoBold, 12);
      const double tagW = TextWidth(cr, e.Label) + 11;
      DrawQuestionTag(s, e.Label, x + 14 + tagW / 2, ty + 4, 12, Hex(LineColours[i % 3]));
      bottom =
          RichParagraph(s, e.Steps.back(), x + 24 + tagW, ty, x + w - (x + 24 + tagW) - 10, 13, 16, Ink, Highlight) -
          16 + 4;
      ty += 30;
    }
    // Room to spare: a monster carrying the first line.
    if (w > 360) {
      const std::uint32_t colour = LightenColour(64, ColourTable[static_cast<std::size_t>(page.Level % 2 ? 4 : 5)]);
      const double size = 60, mx = x + w - size - 40, my = y + h - size - 14;
      DrawTintedCreature(s, mx, my, size, 20 + page.Level, colour);
      DrawQuestionTag(s, page.Examples[0].Label, mx + size / 2, my + 2, 12, Hex(0xFFF27A));
    }
  }
  return bottom;
}

// Combos, the first time they pay: the HUD's combo lines as the player will see them.
void ComboCard(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  Letter(s, "COMBOS", x + 14, y + 22, head);
  const std::string n = std::to_string(page.ComboMin);
  DrawFlame(s, x + 12, y + 36, 24);
  const std::string nb = "\xC2\xA0";  // one line each, as the HUD shows them
  RichParagraph(s, "*Basic" + nb + "Combo" + nb + "x" + nb + n + "!*", x + 42, y + 54, w - 46, 12, 15, Ink, Highlight);
  DrawStopwatch(s, x + 12, y + 70, 24);
  RichParagraph(s, "*Time" + nb + "Combo" + nb + "x" + nb + n + "!*", x + 42, y + 88, w - 46, 12, 15, Ink, Highlight);
  RichParagraph(s, "Each one adds bonus points.", x + 14, y + 122, w - 24, 12.5, 15, Ink, Highlight);
}

void PowerUpCard(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  const bool many = page.PowerUps.size() > 1;
  Letter(s, many ? "POWER-UPS" : page.PowerUps[0] == 0 ? "DOOM DEVICE" : "NEW POWER-UP", x + 14, y + 22, head);
  if (!many) {
    const std::int32_t row = page.PowerUps[0];
    const double icon = 58;
    if (row == 0) {
      DrawDoomButton(s, x + 10, y + 32, icon, true);
    } else {
      DrawPowerUpGlow(s, x + 10, y + 32, icon);
      DrawPowerUpIcon(s, x + 10, y + 32, icon, PowerUpTable[static_cast<std::size_t>(row)].IconFrame);
    }
    const std::string name = row == 0 ? "Press D or 6" : PowerUpTable[static_cast<std::size_t>(row)].Name;
    RichParagraph(s, "*" + name + "*", x + 76, y + 56, w - 84, 13, 16, Ink, Highlight);
    const std::string what = row == 0 ? "Zaps every monster on the board when its bar is full."
                                      : PowerUpTable[static_cast<std::size_t>(row)].Description;
    RichParagraph(s, what, x + 14, y + 112, w - 24, 12.5, 16, Ink, Highlight);
    return;
  }
  // Several: the Doom button, then a row of icons.
  double ix = x + 12;
  const double iy = y + 36;
  for (std::int32_t row : page.PowerUps) {
    if (row == 0) continue;
    DrawPowerUpGlow(s, ix, iy, 38);
    DrawPowerUpIcon(s, ix, iy, 38, PowerUpTable[static_cast<std::size_t>(row)].IconFrame);
    ix += 41;
  }
  if (std::find(page.PowerUps.begin(), page.PowerUps.end(), 0) != page.PowerUps.end()) {
    DrawDoomButton(s, x + 10, y + 84, 50, true);
    RichParagraph(s, "*Doom Device:* press *D* or *6*", x + 66, y + 106, w - 72, 12, 15, Ink, Highlight);
  }
}

}  // namespace

TImage TutorialPicture(const TTutorialPage& page, TPageFit* fit) {
  TSurface s(TutorialPageSize, TutorialPageSize);
  const std::uint32_t accent = Accent(page.GameType);
  NightPage(s, accent);
  TPageFit f;
  // Heading.
  TLettering kicker;
  kicker.Size = 12.5;
  kicker.Top = kicker.Bottom = Mix(Hex(accent), Grey(1), 0.25);
  kicker.OutlineWidth = 1.2;
  kicker.Outline = Hex(0x03060F, 0.9);
  Letter(s, page.Kicker, 24, 32, kicker);
  {
    const std::string goal = "GOAL: " + std::to_string(page.KillsToWin) + " MONSTERS";
    cairo_t* cr = s.Cr();
    SelectFace(cr, TFace::SansBold, 11);
    const double w = TextWidth(cr, goal) + 20, gx = TutorialPageSize - 20 - w;
    RoundedRect(cr, gx, 17, w, 21, 10.5);
    SetColor(cr, Hex(0x0A1230, 0.9));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Hex(0xFFD24A, 0.9));
    cairo_stroke(cr);
    TLettering g;
    g.Size = 11;
    g.Top = g.Bottom = Hex(0xFFE9A0);
    Letter(s, goal, gx + 10, 32, g);
  }
  Title(s, page.Headline, 24, 70, 28, TutorialPageSize - 48, Hex(0xFFF6C0), Hex(0xFFB02E), false);
  // Sentences on the left, the plane on the right.
  const TPlane plane{286, 92, 204, page.Range};
  const double textX = 40, textW = plane.X - textX - 14;
  double y = 106;
  cairo_t* cr = s.Cr();
  for (const std::string& sentence : page.Sentences) {
    cairo_arc(cr, 29, y - 4.5, 3.2, 0, 2 * M_PI);
    SetColor(cr, Hex(accent));
    cairo_fill(cr);
    y = RichParagraph(s, sentence, textX, y, textW, 13.5, 18, Ink, Highlight) + 7;
  }
  f.SentencesBottom = y - 7 - 18 + 4;
  DrawPlane(s, plane, page);
  DrawExampleOnPlane(s, plane, page);
  // The example and the power-ups along the bottom.
  const double boxY = 342, boxH = 150;
  const bool side = !page.PowerUps.empty() || page.ComboMin > 0;
  const double boxW = side ? 290 : TutorialPageSize - 44;
  f.StepsBottom = ExampleBox(s, page, 22, boxY, boxW, boxH);
  const double cardX = 22 + boxW + 10, cardW = TutorialPageSize - 44 - boxW - 10;
  if (!page.PowerUps.empty())
    PowerUpCard(s, page, cardX, boxY, cardW, boxH);
  else if (page.ComboMin > 0)
    ComboCard(s, page, cardX, boxY, cardW, boxH);
  f.Fits = f.SentencesBottom <= boxY - 6 && f.StepsBottom <= boxY + boxH - 8;
  if (fit != nullptr) *fit = f;
  return MakeImage("page-" + std::to_string(page.Level), s);
}

std::vector<TImage> TutorialPictures(int gameType) {
  std::vector<TImage> pages;
  for (int level = 1; level <= 5; ++level) pages.push_back(TutorialPicture(TutorialPage(gameType, level)));
  return pages;
}
