// The sprite set, drawn in the order of the game's table of image numbers.
#include "pictures/genSprites.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "pictures/artCreature.h"
#include "pictures/artIcons.h"
#include "pictures/genWidgets.h"
#include "tables/defSprites.h"
#include "genArt.h"

using namespace art;

namespace {

// ---------------------------------------------------------------- backdrop tiles

// Tiles repeat edge to edge under a cycling tint at half alpha: grey lines on
// nothing, nothing crossing an edge that the next tile does not continue.
void TileGrid(cairo_t* cr, double minor, double major) {
  cairo_set_line_width(cr, 1);
  for (int pass = 0; pass < 2; ++pass) {
    SetColor(cr, Grey(pass == 0 ? minor : major));
    for (int i = 0; i < 128; i += pass == 0 ? 16 : 64) {
      if (pass == 0 && i % 64 == 0) continue;
      cairo_move_to(cr, i + 0.5, 0);
      cairo_line_to(cr, i + 0.5, 128);
      cairo_move_to(cr, 0, i + 0.5);
      cairo_line_to(cr, 128, i + 0.5);
    }
    cairo_stroke(cr);
  }
}

// Only the lines: the board lays them over its navy ground, so the cycling
// tint colours the lines and leaves the ground navy.
void BackdropTile(TSurface& s, int pattern) {
  cairo_t* cr = s.Cr();
  switch (pattern) {
    case 1:  // graph paper with crosses where the major lines meet
      TileGrid(cr, 0.26, 0.36);
      cairo_set_line_width(cr, 2);
      SetColor(cr, Grey(0.5));
      for (int y = 0; y <= 128; y += 64)
        for (int x = 0; x <= 128; x += 64) {
          cairo_move_to(cr, x - 5 + 0.5, y + 0.5);
          cairo_line_to(cr, x + 5 + 0.5, y + 0.5);
          cairo_move_to(cr, x + 0.5, y - 5 + 0.5);
          cairo_line_to(cr, x + 0.5, y + 5 + 0.5);
        }
      cairo_stroke(cr);
      break;
    case 2:  // a dot grid
      for (int y = 0; y <= 128; y += 16)
        for (int x = 0; x <= 128; x += 16) {
          const bool major = x % 64 == 0 && y % 64 == 0;
          cairo_new_sub_path(cr);
          cairo_arc(cr, x, y, major ? 2.6 : 1.3, 0, 2 * M_PI);
          SetColor(cr, Grey(major ? 0.55 : 0.38));
          cairo_fill(cr);
        }
      break;
    case 3: {  // graph paper with a sine wave running from tile to tile
      TileGrid(cr, 0.24, 0.32);
      cairo_move_to(cr, 0, 64);
      for (int x = 1; x <= 128; ++x) cairo_line_to(cr, x, 64 - 22 * std::sin(2 * M_PI * x / 128));
      cairo_set_line_width(cr, 4);
      SetColor(cr, Grey(0.26));
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, Grey(0.5));
      cairo_stroke(cr);
      break;
    }
    case 4: {  // maths signs in a loose grid
      TileGrid(cr, 0.21, 0.27);
      const char* signs[8] = {"+", "\xE2\x88\x92", "\xC3\x97", "\xC3\xB7", "=", "\xCF\x80", "x", "y"};
      SelectFace(cr, TFace::SansBold, 15);
      SetColor(cr, Grey(0.44));
      for (int i = 0; i < 8; ++i) {
        const double cx = 16 + (i % 4) * 32 + (i / 4 ? 16 : 0), cy = 32 + (i / 4) * 64;
        cairo_text_extents_t e;
        cairo_text_extents(cr, signs[i], &e);
        // A sign on the edge is drawn on both sides, so the tiles join it up.
        for (double x : {cx, cx - 128}) {
          cairo_move_to(cr, x - e.x_bearing - e.width / 2, cy - e.y_bearing - e.height / 2);
          cairo_show_text(cr, signs[i]);
        }
      }
      break;
    }
    case 5: {  // polar graph paper: rings about the middle and the corners
      cairo_set_line_width(cr, 1);
      SetColor(cr, Grey(0.3));
      for (int r = 16; r <= 48; r += 16) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 64, 64, r, 0, 2 * M_PI);
        for (int k = 0; k < 4; ++k) {
          cairo_new_sub_path(cr);
          cairo_arc(cr, (k % 2) * 128, (k / 2) * 128, r, 0, 2 * M_PI);
        }
      }
      cairo_stroke(cr);
      SetColor(cr, Grey(0.4));
      cairo_move_to(cr, 64.5, 0);
      cairo_line_to(cr, 64.5, 128);
      cairo_move_to(cr, 0, 64.5);
      cairo_line_to(cr, 128, 64.5);
      cairo_stroke(cr);
      break;
    }
    default:  // plain graph paper
      TileGrid(cr, 0.26, 0.4);
  }
}

// ---------------------------------------------------------------- board pieces

void GridDot(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double c = Sprite::GridDotSize / 2.0;
  RadialGlow(cr, c, c, c - 0.5, Grey(1, 0.55));
  cairo_arc(cr, c, c, c * 0.36, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_radial(c - 1.5, c - 1.5, 0.5, c, c, c * 0.36);
  AddStop(p, 0, Grey(1));
  AddStop(p, 1, Grey(0.82));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void AnswerRing(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double c = Sprite::GridDotSize / 2.0;
  TLayer glow(s, 0, 0, s.Width(), s.Height(), 0);
  cairo_arc(glow.Cr(), c, c, c * 0.52, 0, 2 * M_PI);
  cairo_set_line_width(glow.Cr(), 4.5);
  SetColor(glow.Cr(), Grey(1, 0.9));
  cairo_stroke(glow.Cr());
  glow.Blur(1.2);
  glow.Composite();
  cairo_arc(cr, c, c, c * 0.52, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2.4);
  SetColor(cr, Grey(1));
  cairo_stroke(cr);
}

// The tile takes its quadrant's colour on its rim; its middle darkens the
// quadrant's ground under it a little, so that the white numeral drawn over
// it reads on every quadrant colour.
void QuadrantTile(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double in = 6, size = Sprite::QuadrantTileSize - 2 * in;
  RoundedRect(cr, in, in, size, size, 16);
  cairo_pattern_t* p = Linear(0, in, 0, in + size, Grey(0, 0.4), Grey(0, 0.55));
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Grey(1, 0.95));
  cairo_stroke(cr);
  RoundedRect(cr, in + 5, in + 5, size - 10, size - 10, 11);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Grey(1, 0.45));
  cairo_stroke(cr);
}

// Only the numeral, white with a dark outline: the signs are what the player
// works out. Drawn untinted over its tile.
void QuadrantNumeral(TSurface& s, int quadrant) {
  static const char* const numerals[4] = {"I", "II", "III", "IV"};
  TLettering big;
  big.Face = TFace::SerifBold;
  big.Size = 54;
  big.Top = Grey(1);
  big.Bottom = Grey(0.94);
  big.OutlineWidth = 3.5;
  big.Outline = Hex(0x050A18, 0.95);
  big.ShadowOffset = 2;
  big.ShadowBlur = 2;
  Letter(s, numerals[quadrant - 1], 64, 84, big, true);
}

// ---------------------------------------------------------------- zaps and rings

// One lightning bolt from the middle of the left edge to the middle of the
// right, jagged by midpoint displacement, with a few forks.
void Lightning(TSurface& s, int segments, double amplitude, std::uint32_t seed) {
  TRandom rnd(seed);
  const double w = s.Width(), mid = Sprite::ZapHeight / 2.0;
  std::vector<double> ys(static_cast<std::size_t>(segments) + 1, mid);
  for (int step = segments; step > 1; step /= 2)
    for (int i = step / 2; i < segments; i += step) {
      const double avg = (ys[static_cast<std::size_t>(i - step / 2)] + ys[static_cast<std::size_t>(i + step / 2)]) / 2;
      // Coarse bends and a fine jitter: lightning is rough at every scale.
      const double spread = amplitude * 0.55 * std::sqrt(static_cast<double>(step) / segments);
      ys[static_cast<std::size_t>(i)] = std::clamp(avg + rnd.Uniform(-spread, spread), 8.0, 56.0);
    }
  cairo_t* cr = s.Cr();
  auto mainPath = [&](cairo_t* k) {
    for (int i = 0; i <= segments; ++i) {
      const double x = w * i / segments;
      if (i == 0)
        cairo_move_to(k, x, ys[0]);
      else
        cairo_line_to(k, x, ys[static_cast<std::size_t>(i)]);
    }
  };
  // Forks leave the bolt at a few joints and fade out.
  struct TFork {
    double X0, Y0, X1, Y1, X2, Y2;
  };
  std::vector<TFork> forks;
  const int forkCount = 1 + static_cast<int>(rnd.Next() % 3);
  for (int f = 0; f < forkCount; ++f) {
    const int at = 1 + static_cast<int>(rnd.Next() % static_cast<std::uint32_t>(segments - 1));
    const double x0 = w * at / segments, y0 = ys[static_cast<std::size_t>(at)];
    const double dir = y0 < mid ? -1 : 1, len = w / segments * rnd.Uniform(1.5, 3);
    const double x1 = x0 + len * 0.5, y1 = std::clamp(y0 + dir * rnd.Uniform(4, 9), 4.0, 60.0);
    const double x2 = std::min(w, x0 + len), y2 = std::clamp(y1 + dir * rnd.Uniform(3, 8), 3.0, 61.0);
    forks.push_back({x0, y0, x1, y1, x2, y2});
  }
  auto forkPath = [&](cairo_t* k) {
    for (const TFork& f : forks) {
      cairo_move_to(k, f.X0, f.Y0);
      cairo_line_to(k, f.X1, f.Y1);
      cairo_line_to(k, f.X2, f.Y2);
    }
  };
  {
    TLayer glow(s, 0, 0, w, Sprite::ZapHeight, 0);
    cairo_t* g = glow.Cr();
    cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(g, CAIRO_LINE_CAP_ROUND);
    mainPath(g);
    cairo_set_line_width(g, 9);
    SetColor(g, Grey(1, 0.55));
    cairo_stroke(g);
    forkPath(g);
    cairo_set_line_width(g, 5);
    SetColor(g, Grey(1, 0.35));
    cairo_stroke(g);
    glow.Blur(4);
    glow.Composite();
  }
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  forkPath(cr);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Grey(1, 0.75));
  cairo_stroke(cr);
  mainPath(cr);
  cairo_set_line_width(cr, 3.4);
  SetColor(cr, Grey(1, 0.7));
  cairo_stroke(cr);
  mainPath(cr);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Grey(1));
  cairo_stroke(cr);
}

TImage ZapPicture(const std::string& name, int width, std::uint32_t seed) {
  // Row 0 serves the longest zaps, row 16 the shortest: the longer the zap is
  // stretched, the more joints its bolt needs.
  return MakeSheet(name, width, Sprite::ZapHeight, width == Sprite::ZapLongWidth ? 2 : 4, Sprite::ZapPatterns,
                   [&](TSurface& s, int i) {
                     const int row = i / 8;
                     const int segments = width == Sprite::ZapLongWidth ? (row == 0 ? 32 : 16) : (row == 2 ? 8 : 16);
                     Lightning(s, segments, row == 2 ? 30 : 40, seed + static_cast<std::uint32_t>(i));
                   });
}

// A soft glowing ring on transparent: a bright core and a wide halo, for the
// additive blend.
void Ring(TSurface& s, double radius, double width, const TRGBA& core, const TRGBA& halo, bool sparks) {
  cairo_t* cr = s.Cr();
  const double c = s.Width() / 2.0;
  {
    TLayer glow(s, 0, 0, s.Width(), s.Height(), 0);
    cairo_arc(glow.Cr(), c, c, radius, 0, 2 * M_PI);
    cairo_set_line_width(glow.Cr(), width * 2.2);
    SetColor(glow.Cr(), halo);
    cairo_stroke(glow.Cr());
    glow.Blur(width * 0.9);
    glow.Composite();
  }
  // A faint fill inside, strongest toward the ring: a wave front.
  cairo_pattern_t* inner = cairo_pattern_create_radial(c, c, radius * 0.4, c, c, radius);
  AddStop(inner, 0, {halo.R, halo.G, halo.B, 0});
  AddStop(inner, 1, {halo.R, halo.G, halo.B, 0.22});
  cairo_set_source(cr, inner);
  cairo_arc(cr, c, c, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(inner);
  cairo_arc(cr, c, c, radius, 0, 2 * M_PI);
  cairo_set_line_width(cr, width * 0.5);
  SetColor(cr, core);
  cairo_stroke(cr);
  if (sparks) {
    TRandom rnd(77);
    for (int i = 0; i < 28; ++i) {
      const double a = rnd.Uniform(0, 2 * M_PI), r = radius + rnd.Uniform(-width, width);
      RadialGlow(cr, c + r * std::cos(a), c + r * std::sin(a), rnd.Uniform(2, 4.5), core);
    }
  }
}

// ---------------------------------------------------------------- HUD

// The panel of the HUD strip: a raised grey panel (tinted like the widgets)
// with a tray for the power-up row and the number keys under it.
void HudPanel(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double w = Sprite::HudPanelWidth, h = Sprite::HudPanelHeight;
  // Body: open to the left screen edge, rounded toward the board.
  auto body = [&] { RoundedRect(cr, -12, 3, w - 3 + 12, h - 6, 12); };
  body();
  cairo_pattern_t* fill = Linear(0, 0, 0, h, Grey(0.42, 0.88), Grey(0.24, 0.88));
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_save(cr);
  body();
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  for (int x = 0; x < w; x += 16) {
    SetColor(cr, Grey(1, x % 64 == 0 ? 0.09 : 0.045));
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, h);
    cairo_stroke(cr);
  }
  for (int y = 0; y < h; y += 16) {
    SetColor(cr, Grey(1, y % 64 == 0 ? 0.09 : 0.045));
    cairo_move_to(cr, 0, y + 0.5);
    cairo_line_to(cr, w, y + 0.5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // Rim: light along the top, dark along the bottom, a bright edge toward the board.
  body();
  cairo_set_line_width(cr, 2);
  SetColor(cr, Grey(0, 0.85));
  cairo_stroke(cr);
  cairo_move_to(cr, 0, 5.5);
  cairo_line_to(cr, w - 15, 5.5);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Grey(1, 0.8));
  cairo_stroke(cr);
  cairo_move_to(cr, w - 5.5, 16);
  cairo_line_to(cr, w - 5.5, h - 16);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Grey(1, 0.55));
  cairo_stroke(cr);
  cairo_move_to(cr, 0, h - 5.5);
  cairo_line_to(cr, w - 15, h - 5.5);
  SetColor(cr, Grey(0.08, 0.9));
  cairo_stroke(cr);
  // The power-up tray: an inset shelf with five round slots, open to the screen's left edge.
  const double ty = Sprite::HudTrayY, th = Sprite::HudTrayHeight, tr = Sprite::HudTrayRight;
  RoundedRect(cr, -12, ty, tr + 12, th, 10);
  SetColor(cr, Grey(0.06, 0.55));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Grey(0, 0.7));
  cairo_stroke(cr);
  cairo_move_to(cr, 0, ty + th - 0.5);
  cairo_line_to(cr, tr - 10, ty + th - 0.5);
  SetColor(cr, Grey(1, 0.45));
  cairo_stroke(cr);
  TLettering key;
  key.Size = 10;
  key.Top = key.Bottom = Grey(0.85);
  key.OutlineWidth = 1.4;
  key.Outline = Grey(0, 0.8);
  for (int i = 0; i < 5; ++i) {
    // Slot i under the button that key i+1 presses: the first button rests rightmost.
    const double half = Sprite::HudSlotSize / 2.0;
    const double cx = Sprite::HudFirstSlotX - Sprite::HudSlotPitch * (4 - i) + half, cy = Sprite::HudSlotY + half;
    cairo_arc(cr, cx, cy, half - 1, 0, 2 * M_PI);
    SetColor(cr, Grey(0, 0.35));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Grey(1, 0.22));
    cairo_stroke(cr);
    Letter(s, std::to_string(i + 1), cx, ty + th - 5, key, true);
  }
}

void DoomBarFill(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double w = Sprite::DoomBarWidth, h = Sprite::DoomBarHeight;
  RoundedRect(cr, 1, 6, w - 2, h - 12, 9);
  cairo_pattern_t* heat = Linear(0, 0, w, 0, Hex(0xB0101E), Hex(0xFFE05A));
  AddStop(heat, 0.55, Hex(0xFF5A1E));
  cairo_set_source(cr, heat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(heat);
  cairo_pattern_t* shade = Linear(0, 6, 0, h - 6, Grey(1, 0.45), Grey(0, 0.35));
  AddStop(shade, 0.45, Grey(1, 0));
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x2A0006, 0.9));
  cairo_stroke(cr);
  RoundedRect(cr, 6, 9, w - 12, 7, 3.5);
  SetColor(cr, Grey(1, 0.35));
  cairo_fill(cr);
}

void DoomBarTrack(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double w = Sprite::DoomBarWidth, h = Sprite::DoomBarHeight;
  RoundedRect(cr, 1, 6, w - 2, h - 12, 9);
  cairo_pattern_t* p = Linear(0, 6, 0, h - 6, Hex(0x05070F, 0.9), Hex(0x1A2238, 0.9));
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x8A94B0, 0.9));
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Grey(1, 0.22));
  for (int i = 1; i < 10; ++i) {
    cairo_move_to(cr, std::round(w * i / 10) + 0.5, h - 12);
    cairo_line_to(cr, std::round(w * i / 10) + 0.5, h - 8);
  }
  cairo_stroke(cr);
}

void PushHighlight(TSurface& s) {
  cairo_t* cr = s.Cr();
  const double c = Sprite::ButtonSize / 2.0;
  RadialGlow(cr, c, c, c, Grey(1, 0.5));
  cairo_arc(cr, c, c, c - 6, 0, 2 * M_PI);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Grey(1, 0.95));
  cairo_stroke(cr);
}

TImage Single(const std::string& name, int w, int h, const std::function<void(TSurface&)>& draw) {
  TSurface s(w, h);
  draw(s);
  return MakeImage(name, s);
}

}  // namespace

TImage MonsterSheetPicture() {
  const std::vector<TCreature>& recipes = CreatureRecipes();
  return MakeSheet(
      "monsters", Sprite::MonsterSize, Sprite::MonsterSize, 11, Sprite::MonsterPatterns,
      [&](TSurface& s, int i) { DrawCreature(s, 0, 0, Sprite::MonsterSize, recipes[static_cast<std::size_t>(i)]); });
}

TImage PowerUpPicture() {
  return MakeSheet("powerups", Sprite::PowerUpSize, Sprite::PowerUpSize, 4, Sprite::PowerUpFrames,
                   [](TSurface& s, int frame) {
                     if (frame == Sprite::PowerUpGlow)
                       DrawPowerUpGlow(s, 0, 0, Sprite::PowerUpSize);
                     else
                       DrawPowerUpIcon(s, 0, 0, Sprite::PowerUpSize, frame);
                   });
}

std::vector<TImage> SpritePictures() {
  std::vector<TImage> images(Sprite::Count);
  images[Sprite::Backdrop] =
      MakeSheet("backdrop", Sprite::BackdropSize, Sprite::BackdropSize, 3, Sprite::BackdropPatterns, BackdropTile);
  images[Sprite::GridDot] = Single("dot", Sprite::GridDotSize, Sprite::GridDotSize, GridDot);
  images[Sprite::Monsters] = MonsterSheetPicture();
  images[Sprite::ZapLong] = ZapPicture("zap-long", Sprite::ZapLongWidth, 1000);
  images[Sprite::ZapShort] = ZapPicture("zap-short", Sprite::ZapShortWidth, 2000);
  images[Sprite::AnswerHighlight] = Single("answer", Sprite::GridDotSize, Sprite::GridDotSize, AnswerRing);
  images[Sprite::PowerUps] = PowerUpPicture();
  images[Sprite::BlastRing] = Single("blast-ring", Sprite::BlastRingSize, Sprite::BlastRingSize, [](TSurface& s) {
    Ring(s, Sprite::BlastRingSize * 0.36, 10, Hex(0xF0FFFF), Hex(0x6FE0FF, 0.8), false);
  });
  images[Sprite::DoomRing] = Single("doom-ring", Sprite::DoomRingSize, Sprite::DoomRingSize, [](TSurface& s) {
    Ring(s, Sprite::DoomRingSize * 0.34, 9, Hex(0xFFF2C0), Hex(0xFF5A1E, 0.85), true);
  });
  images[Sprite::QuadrantTiles] = MakeSheet("quadrants", Sprite::QuadrantTileSize, Sprite::QuadrantTileSize, 2, 4,
                                            [](TSurface& s, int) { QuadrantTile(s); });
  images[Sprite::QuadrantNumerals] =
      MakeSheet("quadrant-numerals", Sprite::QuadrantTileSize, Sprite::QuadrantTileSize, 2, 4,
                [](TSurface& s, int i) { QuadrantNumeral(s, i + 1); });
  images[Sprite::Status] = MakeSheet("status", Sprite::StatusSize, Sprite::StatusSize, 2, 2, [](TSurface& s, int i) {
    if (i == Sprite::StatusStopped)
      DrawFrozen(s, 0, 0, Sprite::StatusSize);
    else
      DrawSlowed(s, 0, 0, Sprite::StatusSize);
  });
  images[Sprite::HudPanel] = Single("hud-panel", Sprite::HudPanelWidth, Sprite::HudPanelHeight, HudPanel);
  // Tinted like the widgets, and given their navy lean.
  for (std::uint32_t& p : images[Sprite::HudPanel].Textures[0]) p = NavyTone(p);
  images[Sprite::LifeIcon] = Single("life", Sprite::LifeIconSize, Sprite::LifeIconSize,
                                    [](TSurface& s) { DrawHeart(s, 0, 0, Sprite::LifeIconSize); });
  images[Sprite::ComboIcons] =
      MakeSheet("combos", Sprite::ComboIconSize, Sprite::ComboIconSize, 2, 2, [](TSurface& s, int i) {
        if (i == Sprite::ComboBasic)
          DrawFlame(s, 0, 0, Sprite::ComboIconSize);
        else
          DrawStopwatch(s, 0, 0, Sprite::ComboIconSize);
      });
  images[Sprite::DoomBar] =
      MakeSheet("doom-bar", Sprite::DoomBarWidth, Sprite::DoomBarHeight, 1, 2, [](TSurface& s, int i) {
        if (i == Sprite::DoomBarFill)
          DoomBarFill(s);
        else
          DoomBarTrack(s);
      });
  images[Sprite::DoomButton] =
      MakeSheet("doom-button", Sprite::ButtonSize, Sprite::ButtonSize, 2, 2,
                [](TSurface& s, int i) { DrawDoomButton(s, 0, 0, Sprite::ButtonSize, i == Sprite::ButtonLit); });
  images[Sprite::HelpButton] =
      MakeSheet("help-button", Sprite::ButtonSize, Sprite::ButtonSize, 2, 2,
                [](TSurface& s, int i) { DrawHelpButton(s, 0, 0, Sprite::ButtonSize, i == Sprite::ButtonLit); });
  images[Sprite::PushHighlight] = Single("push-highlight", Sprite::ButtonSize, Sprite::ButtonSize, PushHighlight);
  return images;
}
