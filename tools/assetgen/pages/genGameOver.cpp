// The end-of-game pictures: a big title, a small scene, the captions of the
// screen's labels, and calm places where its buttons and values go.
#include "pages/genGameOver.h"
#include "kit/genWords.h"

#include <algorithm>
#include <cmath>

#include "pictures/artIcons.h"
#include "kit/artKit.h"
#include "pictures/artMonster.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "genArt.h"
#include "kit/genBoards.h"
#include "pictures/genChallenge.h"

using namespace art;

namespace {

constexpr std::uint32_t Gold = 0xFFD24A, Alarm = 0xFF5470;

bool Overlaps(double x, double y, double r, const TRect& a) {
  return x + r > a.X && x - r < a.X + a.W && y + r > a.Y && y - r < a.Y + a.H;
}

// Paper confetti over a zone, none of it on the places the screen uses.
void Confetti(TSurface& s, std::uint32_t seed, int count, const TRect& zone, const std::vector<TRect>& avoid) {
  TRandom rnd(seed);
  const std::uint32_t colours[6] = {0xFFD24A, 0xFF5FA8, 0x5FE1FF, 0x7CFF6A, 0xFF9A3C, 0xB98CFF};
  cairo_t* cr = s.Cr();
  for (int i = 0; i < count; ++i) {
    const double x = rnd.Uniform(zone.X, zone.X + zone.W), y = rnd.Uniform(zone.Y, zone.Y + zone.H);
    const double a = rnd.Uniform(0, M_PI), w = rnd.Uniform(3, 7), h = rnd.Uniform(2, 4);
    const std::uint32_t c = colours[rnd.Next() % 6];
    if (std::any_of(avoid.begin(), avoid.end(), [&](const TRect& r) { return Overlaps(x, y, 8, r); })) continue;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, a);
    cairo_rectangle(cr, -w / 2, -h / 2, w, h);
    cairo_restore(cr);
    SetColor(cr, Hex(c, 0.9));
    cairo_fill(cr);
  }
}

void GoldStar(TSurface& s, double cx, double cy, double r) {
  cairo_t* cr = s.Cr();
  RadialGlow(cr, cx, cy, r * 1.7, Hex(Gold, 0.45));
  Star(cr, cx, cy, r, r * 0.45);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(2.0, r * 0.12));
  SetColor(cr, Hex(0x2A1600, 0.95));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = Linear(0, cy - r, 0, cy + r, Hex(0xFFF8C0), Hex(0xF29A05));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Star(cr, cx - r * 0.08, cy - r * 0.1, r * 0.5, r * 0.22);
  SetColor(cr, Grey(1, 0.35));
  cairo_fill(cr);
}

// A gold cup on a two-step base, `height` pixels tall, top at y.
void Trophy(TSurface& s, double cx, double top, double height) {
  cairo_t* cr = s.Cr();
  const double k = height / 140.0;
  RadialGlow(cr, cx, top + 50 * k, 90 * k, Hex(Gold, 0.5));
  cairo_save(cr);
  cairo_translate(cr, cx, top);
  cairo_scale(cr, k, k);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto inked = [&](std::uint32_t light, std::uint32_t dark, double y0, double y1) {
    cairo_set_line_width(cr, 4);
    SetColor(cr, Hex(0x2A1600, 0.95));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = Linear(-40, y0, 40, y1, Hex(light), Hex(dark));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  };
  // Handles behind the cup.
  for (int side = -1; side <= 1; side += 2) {
    cairo_new_path(cr);
    cairo_arc(cr, side * 42, 30, 16, side < 0 ? M_PI * 0.5 : -M_PI * 0.5, side < 0 ? M_PI * 1.5 : M_PI * 0.5);
    cairo_set_line_width(cr, 14);
    SetColor(cr, Hex(0x2A1600, 0.95));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 7);
    SetColor(cr, Hex(0xF2B705));
    cairo_stroke(cr);
  }
  // Cup.
  cairo_move_to(cr, -46, 0);
  cairo_line_to(cr, 46, 0);
  cairo_curve_to(cr, 46, 40, 30, 66, 0, 70);
  cairo_curve_to(cr, -30, 66, -46, 40, -46, 0);
  cairo_close_path(cr);
  inked(0xFFF1A0, 0xC88A00, 0, 70);
  // Stem and base.
  cairo_rectangle(cr, -8, 68, 16, 26);
  inked(0xFFE070, 0xB07800, 68, 94);
  RoundedRect(cr, -30, 92, 60, 16, 4);
  inked(0xFFE070, 0xB07800, 92, 108);
  RoundedRect(cr, -42, 106, 84, 24, 5);
  inked(0x7A4A20, 0x3A1E08, 106, 130);
  RoundedRect(cr, -28, 112, 56, 12, 2);
  SetColor(cr, Hex(0xFFE070));
  cairo_fill(cr);
  cairo_restore(cr);
  GoldStar(s, cx, top + 32 * k, 15 * k);
  // Shine on the cup.
  cairo_save(cr);
  cairo_translate(cr, cx - 28 * k, top + 24 * k);
  cairo_rotate(cr, 0.25);
  cairo_scale(cr, 6 * k, 18 * k);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Grey(1, 0.45));
  cairo_fill(cr);
}

// A speech bubble whose tail points down-left to (tx, ty).
void Bubble(TSurface& s, const std::string& text, double cx, double cy, double tx, double ty) {
  cairo_t* cr = s.Cr();
  SelectFace(cr, TFace::SansBold, 14);
  const double w = TextWidth(cr, text) + 18, h = 26;
  RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, 12);
  cairo_move_to(cr, cx - w * 0.2, cy + h / 2 - 2);
  cairo_line_to(cr, tx, ty);
  cairo_line_to(cr, cx - w * 0.02, cy + h / 2 - 2);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Hex(0x05060C));
  cairo_stroke_preserve(cr);
  SetColor(cr, Grey(1));
  cairo_fill(cr);
  TLettering t;
  t.Size = 14;
  t.Top = t.Bottom = Hex(0x1A1030);
  Letter(s, text, cx, cy + 5, t, true);
}

void CrackedHeart(TSurface& s, double x, double y, double size) {
  DrawHeart(s, x, y, size);
  cairo_t* cr = s.Cr();
  const double k = size / 48;
  cairo_move_to(cr, x + 24 * k, y + 13 * k);
  cairo_line_to(cr, x + 20 * k, y + 20 * k);
  cairo_line_to(cr, x + 27 * k, y + 25 * k);
  cairo_line_to(cr, x + 21 * k, y + 32 * k);
  cairo_line_to(cr, x + 25 * k, y + 40 * k);
  cairo_set_line_width(cr, 3.5 * k);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  SetColor(cr, Hex(0x1A0008, 0.95));
  cairo_stroke(cr);
}

// A bullseye with an arrow in it (hit) or past it (missed).
void Target(TSurface& s, double cx, double cy, double r, bool hit) {
  cairo_t* cr = s.Cr();
  for (int i = 0; i < 4; ++i) {
    cairo_arc(cr, cx, cy, r * (1 - i * 0.24), 0, 2 * M_PI);
    SetColor(cr, i % 2 ? Hex(0xF4F6FF) : Hex(0xE0334E));
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0x05060C));
  cairo_stroke(cr);
  const double ax = hit ? cx : cx + r * 1.05, ay = hit ? cy : cy - r * 0.95;
  const double dx = 0.8, dy = -0.6;  // the arrow flies in from the upper right
  cairo_move_to(cr, ax, ay);
  cairo_line_to(cr, ax + dx * r * 1.2, ay + dy * r * 1.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Hex(0x05060C));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 3.5);
  SetColor(cr, Hex(0xB06A2C));
  cairo_stroke(cr);
  const double fx = ax + dx * r * 1.2, fy = ay + dy * r * 1.2;
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, fx - dx * 12, fy - dy * 12);
    cairo_line_to(cr, fx + side * dy * 9 - dx * 2, fy - side * dx * 9 - dy * 2);
    cairo_line_to(cr, fx + dx * 3, fy + dy * 3);
    cairo_close_path(cr);
  }
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x05060C));
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0x5FE1FF));
  cairo_fill(cr);
}

// The board of a game type with monsters on it.
void Scene(TSurface& s, int type, double x, double y, double size, bool won) {
  TBoard b{x, y, size, type == 1 ? 1 : type == 2 ? 2 : 3};
  b.Dots = type != 1;
  DrawBoard(s, b);
  cairo_t* cr = s.Cr();
  const double cx = x + size / 2, cy = y + size / 2;
  if (won) {
    // Zaps from the answers, across the board, striking two monsters.
    const double mx[2] = {x + size * 0.8, x + size * 0.8}, my[2] = {y + size * 0.2, y + size * 0.8};
    const double px[2] = {type == 1 ? cx - size / 4 : b.PX(-1), type == 1 ? cx - size / 4 : b.PX(-1)};
    const double py[2] = {type == 1 ? cy + size / 4 : b.PY(-1), type == 1 ? cy - size / 4 : b.PY(1)};
    for (int i = 0; i < 2; ++i) {
      cairo_new_path(cr);
      cairo_move_to(cr, px[i], py[i]);
      const int steps = 7;
      const double len = std::hypot(mx[i] - px[i], my[i] - py[i]);
      const double nx = -(my[i] - py[i]) / len, ny = (mx[i] - px[i]) / len;  // across the bolt
      for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps, jig = k < steps ? (k % 2 ? 4.5 : -4.5) : 0;
        cairo_line_to(cr, px[i] + (mx[i] - px[i]) * t + nx * jig, py[i] + (my[i] - py[i]) * t + ny * jig);
      }
      // A zap takes the colour of the quadrant it comes from (III, then II);
      // a point monster wears its answer's colour, the others one no quadrant has.
      const int from = i ? 2 : 3;
      NeonStroke(s, Mix(QuadrantColor(from), Grey(1), 0.35), 2, 5, 0.9);
      RadialGlow(cr, px[i], py[i], 9, Hex(0xFFFFFF, 0.8));
      const std::uint32_t body = type == 2 ? QuadrantColour(from) : NeutralMonsterColours[i ? 1 : 0];
      DrawTintedCreature(s, mx[i] - 20, my[i] - 20, 40, i ? 4 : 13, LightenColour(64, body));
      RadialGlow(cr, mx[i], my[i], 16, Hex(0xFFFFFF, 0.45));
    }
  } else {
    // The monsters made it to the origin and dance there.
    const std::uint32_t points[3] = {QuadrantColour(1), QuadrantColour(3), ColourTable[5]};
    const std::uint32_t others[3] = {NeutralMonsterColours[3], NeutralMonsterColours[0], NeutralMonsterColours[1]};
    const std::uint32_t* body = type == 2 ? points : others;
    DrawTintedCreature(s, cx - 44, cy - 34, 42, 2, LightenColour(64, body[0]));
    DrawTintedCreature(s, cx + 2, cy - 40, 44, 19, LightenColour(64, body[1]));
    DrawTintedCreature(s, cx - 20, cy - 6, 40, 9, LightenColour(64, body[2]));
  }
}

// A dark slot where the screen writes a value, and its caption on the left.
void CaptionedSlot(TSurface& s, const TGameOverLabel& label) {
  cairo_t* cr = s.Cr();
  const TRect r = label.Rect;
  RoundedRect(cr, r.X - 5, r.Y + 1, GameOverWidth - 14 - (r.X - 5), r.H - 2, 6);
  SetColor(cr, Hex(0x03060F, 0.78));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0x6FD8FF, 0.35));
  cairo_stroke(cr);
  TLettering t;
  t.Size = 17;
  t.Top = Hex(0xFFFFFF);
  t.Bottom = Hex(0xFFE9A0);
  t.OutlineWidth = 1.8;
  t.Outline = Hex(0x03060F, 0.95);
  t.ShadowOffset = 1.5;
  SelectFace(cr, t.Face, t.Size);
  const std::string caption = W(label.Caption.c_str());
  const double w = TextWidth(cr, caption);
  Letter(s, caption, r.X - 12 - w, r.Y + r.H / 2.0 + t.Size * 0.36, t);
}

// Night paper, a title and an optional line under it.
void Heading(TSurface& s, const std::string& title, const std::string& under, std::uint32_t accent, double baseline) {
  NightPage(s, accent);
  const bool warm = accent == Gold;
  Title(s, title, GameOverWidth / 2.0, baseline, 38, GameOverWidth - 40, warm ? Hex(0xFFF6C0) : Hex(0xFFE0E6),
        warm ? Hex(0xFFB02E) : Hex(0xFF4A6A), true);
  if (!under.empty()) {
    TLettering t;
    t.Size = 15;
    t.Top = t.Bottom = Hex(0xDCE8FF);
    t.OutlineWidth = 1.4;
    t.Outline = Hex(0x03060F, 0.9);
    Letter(s, under, GameOverWidth / 2.0, baseline + 26, t, true);
  }
}

TImage Mission(int image) {
  TSurface s(GameOverWidth, GameOverHeight);
  const int type = image % 3 + 1, outcome = image / 3;
  const std::vector<TRect> keep = GameOverButtons(GameOverMissionSet, image);
  const std::string name = W(GameTypeName(type).c_str());
  if (outcome == 0) {
    Heading(s, W("LEVEL COMPLETE!"), name, Gold, 56);
    Scene(s, type, EndCardBoard.X, EndCardBoard.Y, EndCardBoard.Size, true);
    GoldStar(s, 272, 172, 24);
    GoldStar(s, 340, 150, 34);
    GoldStar(s, 408, 172, 24);
    Title(s, W("Well done!"), 340, 232, 20, 200, Hex(0xFFFFFF), Hex(0xDCE8FF), true);
    Confetti(s, 7 + static_cast<std::uint32_t>(image), 70, {16, 96, 448, 250},
             {{30, 96, 154, 154}, keep[0], {230, 100, 220, 140}});
  } else if (outcome == 1) {
    Heading(s, W("LEVEL FAILED"), W("The monsters reached the origin!"), Alarm, 56);
    Scene(s, type, EndCardBoard.X, EndCardBoard.Y, EndCardBoard.Size, false);
    Bubble(s, W("WOOHOO!"), 150, 112, 118, 136);
    CrackedHeart(s, 290, 104, 100);
    Title(s, W("Don't give up!"), 340, 232, 20, 200, Hex(0xFFFFFF), Hex(0xDCE8FF), true);
  } else {
    Heading(s, W("MISSION COMPLETE!"), WF(W("All five levels of %s done!"), {name}), Gold, 56);
    Trophy(s, 240, 98, 150);
    GoldStar(s, 120, 170, 30);
    GoldStar(s, 360, 170, 30);
    GoldStar(s, 70, 130, 18);
    GoldStar(s, 410, 130, 18);
    Confetti(s, 70 + static_cast<std::uint32_t>(type), 110, {16, 90, 448, 256}, {keep[0], {160, 96, 160, 156}});
  }
  CutCorners(s, GameOverCornerRadius);
  return MakeImage("end-" + std::to_string(image), s);
}

TImage Arcade(int image) {
  TSurface s(GameOverWidth, GameOverHeight);
  const std::vector<TRect> keep = GameOverButtons(GameOverArcadeSet, image);
  const TGameOverLabel label = GameOverLabels(GameOverArcadeSet)[0];
  if (image == 0) {
    Heading(s, W("NEW HIGH SCORE!"), W("Your score is in the table!"), Gold, 48);
    Trophy(s, 240, 82, 76);
    GoldStar(s, 150, 122, 22);
    GoldStar(s, 330, 122, 22);
    GoldStar(s, 96, 110, 13);
    GoldStar(s, 384, 110, 13);
    Confetti(s, 81, 110, {16, 84, 448, 260}, {keep[0], keep[1], {0, 155, 480, 40}, {190, 78, 100, 84}});
  } else {
    Heading(s, W("GAME OVER"), W("No high score this time: have another go!"), Alarm, 48);
    // Any game's monsters: colours no quadrant has.
    DrawTintedCreature(s, 110, 84, 70, 14, LightenColour(64, NeutralMonsterColours[3]));
    DrawTintedCreature(s, 202, 80, 76, 29, LightenColour(64, NeutralMonsterColours[0]));
    DrawTintedCreature(s, 300, 84, 70, 10, LightenColour(64, NeutralMonsterColours[1]));
    Bubble(s, W("YAAAY!"), 400, 96, 368, 112);
  }
  CaptionedSlot(s, label);
  CutCorners(s, GameOverCornerRadius);
  return MakeImage("end-" + std::to_string(image), s);
}

TImage Challenge(int image) {
  TSurface s(GameOverWidth, GameOverHeight);
  const std::vector<TRect> keep = GameOverButtons(GameOverChallengeSet, image);
  const bool done = image != 1;
  if (image == 0)
    Heading(s, W("JUST IN TIME!"), "", Gold, 48);
  else if (image == 1)
    Heading(s, W("CHALLENGE FAILED"), "", Alarm, 48);
  else
    Heading(s, W("CHALLENGE COMPLETE!"), "", Gold, 48);
  if (done) {
    DrawMedal(s, {180, 56, 120, 120}, GoldMetal, false);
    if (image == 0)
      DrawStopwatch(s, 318, 82, 56);
    else
      Target(s, 360, 112, 30, true);
  } else {
    // Low enough that the missed dart flies clear of the title.
    Target(s, 240, 120, 32, false);
  }
  for (const TGameOverLabel& label : GameOverLabels(GameOverChallengeSet)) CaptionedSlot(s, label);
  if (done) {
    // No "PLAY AGAIN" here: stars fill its place.
    for (int i = 0; i < 5; ++i) GoldStar(s, 160 + i * 40, 252, i == 2 ? 17 : 12);
    Confetti(s, 90 + static_cast<std::uint32_t>(image), 60, {16, 60, 448, 280},
             {keep[0], {0, 150, 480, 72}, {150, 232, 180, 40}, {170, 48, 140, 130}, {300, 70, 90, 90}});
  }
  CutCorners(s, GameOverCornerRadius);
  return MakeImage("end-" + std::to_string(image), s);
}

}  // namespace

std::vector<TRect> GameOverButtons(int set, int image) {
  // Screen positions less the picture's (400, 204).
  if (set == GameOverMissionSet) return {{130, 260, 220, 50}};
  // The arcade screen puts a second button (to the high scores) above its own.
  if (set == GameOverArcadeSet) return {{110, 225, 260, 50}, {110, 290, 260, 50}};
  if (set == GameOverChallengeSet) {
    if (image == 1) return {{120, 225, 240, 50}, {120, 290, 240, 50}};
    return {{120, 290, 240, 50}};
  }
  return {};
}

std::vector<TGameOverLabel> GameOverLabels(int set) {
  if (set == GameOverArcadeSet) return {{{249, 165, GameOverWidth - 249, 20}, WMark("YOUR TITLE:")}};
  if (set == GameOverChallengeSet)
    return {{{249, 157, GameOverWidth - 249, 30}, WMark("TARGET:")}, {{249, 187, GameOverWidth - 249, 30}, WMark("RESULT:")}};
  return {};
}

std::vector<TImage> GameOverPictures(int set) {
  std::vector<TImage> out;
  if (set == GameOverMissionSet)
    for (int i = 0; i < 9; ++i) out.push_back(Mission(i));
  if (set == GameOverArcadeSet)
    for (int i = 0; i < 2; ++i) out.push_back(Arcade(i));
  if (set == GameOverChallengeSet)
    for (int i = 0; i < 3; ++i) out.push_back(Challenge(i));
  return out;
}
