// Review sheets of the sprite set: the pictures enlarged and tinted the way the
// game tints them, and a game screen put together from them.
#include <cmath>
#include <memory>

#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defSprites.h"
#include "game/libMaths.h"
#include "pages/genGameOver.h"
#include "review/genReview.h"
#include "render/rndItems.h"
#include "kit/sheetLayout.h"

using namespace art;

namespace {

// A pattern of an image multiplied by a colour, as vertex colours do.
std::unique_ptr<TSurface> TintedPattern(const TImage& image, int pattern, std::uint32_t tint, int alpha = 255) {
  std::int32_t tex = 0, ox = 0, oy = 0;
  auto out = std::make_unique<TSurface>(image.PatternWidth, image.PatternHeight);
  if (!image.PatternOrigin(pattern, tex, ox, oy)) return out;
  const std::uint32_t tr = (tint >> 16) & 0xFF, tg = (tint >> 8) & 0xFF, tb = tint & 0xFF;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(image.PatternWidth) * image.PatternHeight);
  for (int y = 0; y < image.PatternHeight; ++y)
    for (int x = 0; x < image.PatternWidth; ++x) {
      const std::uint32_t p =
          image.Textures[static_cast<std::size_t>(tex)][static_cast<std::size_t>(oy + y) * image.TextureWidth + ox + x];
      const std::uint32_t r = ((p >> 16) & 0xFF) * tr / 255, g = ((p >> 8) & 0xFF) * tg / 255,
                          b = (p & 0xFF) * tb / 255;
      const std::uint32_t a = (p >> 24) * static_cast<std::uint32_t>(alpha) / 255;
      px[static_cast<std::size_t>(y) * image.PatternWidth + x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  out->SetPixels(px);
  return out;
}

}  // namespace

// Draws a pattern scaled to w x h at (x, y): smooth like the game's filtering,
// or blocky for enlarged contact sheets; additive for the glowing pictures.
void DrawPattern(TSurface& dst, const TImage& image, int pattern, double x, double y, double w, double h,
                 std::uint32_t tint, int alpha, bool smooth, bool additive) {
  if (w <= 0 || h <= 0) return;
  const std::unique_ptr<TSurface> src = TintedPattern(image, pattern, tint, alpha);
  cairo_t* cr = dst.Cr();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, w / image.PatternWidth, h / image.PatternHeight);
  cairo_set_source_surface(cr, src->Raw(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), smooth ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
  if (additive) cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_paint(cr);
  cairo_restore(cr);
}

// The colours monsters wear, lightened as the game lightens them: 0..3 the
// quadrant colours I..IV (point monsters wear their answer's), 4..8 the
// distinct colours of the other monsters.
std::uint32_t MonsterTint(int i) {
  static const std::uint32_t others[5] = {NeutralMonsterColours[0], NeutralMonsterColours[1], NeutralMonsterColours[2],
                                          NeutralMonsterColours[3], NeutralMonsterColours[4]};
  const std::uint32_t rgb = i >= 0 && i < 4 ? QuadrantColour(i + 1) : others[(i - 4 + 5 * 8) % 5];
  return LightenColour(64, rgb);
}

namespace {

void Dark(TSurface& s) {
  cairo_t* cr = s.Cr();
  SetColor(cr, Hex(0x0B1226));
  cairo_paint(cr);
}

void Number(TSurface& s, int n, double x, double y) {
  TLettering t;
  t.Face = TFace::SansBold;
  t.Size = 10;
  t.Top = t.Bottom = Hex(0x9FB4E0);
  Letter(s, std::to_string(n), x, y, t);
}

}  // namespace

namespace {

// Puts a pattern on a free quadrilateral the way a zap is drawn: along the line
// from a to b, 64 pixels across, added to what is below.
void Strip(TSurface& dst, const TImage& image, int pattern, double ax, double ay, double bx, double by,
           std::uint32_t tint) {
  const double len = std::hypot(bx - ax, by - ay);
  cairo_t* cr = dst.Cr();
  cairo_save(cr);
  cairo_translate(cr, ax, ay);
  cairo_rotate(cr, std::atan2(by - ay, bx - ax));
  DrawPattern(dst, image, pattern, 0, -Sprite::ZapHeight / 2.0, len, Sprite::ZapHeight, tint, 255, true, true);
  cairo_restore(cr);
}

// The HUD strip as the game screen might lay it out, from the sprite set's pieces.
void Hud(TMockup& m, const TImage& sheet, const std::vector<TImage>& sprites) {
  TSurface& s = m.Screen();
  DrawPattern(s, sprites[Sprite::HudPanel], 0, 0, 0, 256, 768, ControlTint, 255, true, false);
  m.Widget("button", 18, 12, 220, 50);
  m.TextCentred("MENU", 12, true, 18, 12, 220, 50);
  m.Text("SCORE", 12, true, true, 20, 82);
  for (int i = 0; i < 6; ++i) m.Region(sheet, DigitRect("012750"[i] - '0'), 20 + 26 * i, 102, 26, 31, ControlTint, 255);
  m.Text("LEVEL", 12, true, true, 190, 82);
  m.Region(sheet, DigitRect(4), 200, 102, 26, 31, ControlTint, 255);
  for (int i = 0; i < 5; ++i)
    DrawPattern(s, sprites[Sprite::LifeIcon], 0, 3 + 50 * i, 150, 48, 48, 0xFFFFFF, i < 3 ? 255 : 60, true, false);
  DrawPattern(s, sprites[Sprite::ComboIcons], Sprite::ComboBasic, 10, 216, 16, 16, 0xFFFFFF, 255, false, false);
  m.Text("Basic Combo x 7!", 14, false, true, 32, 216);
  DrawPattern(s, sprites[Sprite::ComboIcons], Sprite::ComboTime, 10, 240, 16, 16, 0xFFFFFF, 255, false, false);
  m.Text("Time Combo x 5!", 14, false, true, 32, 240, 0xFFFFFF, 170);
  m.Text("ZORBEX DOOM DEVICE", 10, true, true, 14, 280);
  DrawPattern(s, sprites[Sprite::DoomBar], Sprite::DoomBarTrack, 0, 296, 256, 48, 0xFFFFFF, 255, true, false);
  DrawPattern(s, sprites[Sprite::DoomBar], Sprite::DoomBarFill, 0, 296, 256, 48, 0xFFFFFF, 255, true, false);
  DrawPattern(s, sprites[Sprite::DoomButton], Sprite::ButtonLit, 40, 356, 64, 64, 0xFFFFFF, 255, true, false);
  DrawPattern(s, sprites[Sprite::HelpButton], Sprite::ButtonNormal, 152, 356, 64, 64, 0xFFFFFF, 255, true, false);
  // Power-up buttons resting in the tray, the last one still sliding in.
  const int frames[3] = {3, 5, 1};
  for (int i = 0; i < 3; ++i) {
    const double x = i < 2 ? 205 - 50 * i : 70;
    DrawPattern(s, sprites[Sprite::PowerUps], Sprite::PowerUpGlow, x, 600, 48, 48, 0xFFFFFF, 64, true, false);
    DrawPattern(s, sprites[Sprite::PowerUps], frames[i], x, 600, 48, 48, 0xFFFFFF, 255, true, false);
  }
  DrawPattern(s, sprites[Sprite::PushHighlight], 0, 205, 600, 48, 48, 0xFFFFFF, 48, true, false);
}

// The board of a "Vove'r uda Zerir?" level with range 3, as the map lays it out.
void Board(TMockup& m, const std::vector<TImage>& sprites) {
  TSurface& s = m.Screen();
  cairo_t* cr = s.Cr();
  // The navy ground, and the backdrop's lines over it in the cycling tint.
  cairo_rectangle(cr, 256, 0, 768, 768);
  SetColor(cr, Hex(0x0A1430));
  cairo_fill(cr);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i)
      DrawPattern(s, sprites[Sprite::Backdrop], 2, 256 + i * 128, j * 128, 128, 128, 0x9A6E10, 128, true, false);
  const int range = 3, cell = 512 / (2 * range);
  const std::uint32_t axis = ColourTable[5],
                      quad[5] = {0, QuadrantColour(1), QuadrantColour(2), QuadrantColour(3), QuadrantColour(4)};
  const double ox = 640, oy = 384;
  for (int j = 0; j < 2 * range; ++j)
    for (int i = 0; i < 2 * range; ++i) {
      const int q = i >= range ? (j < range ? 1 : 4) : (j < range ? 2 : 3);
      cairo_rectangle(cr, ox + (i - range) * cell, oy + (j - range) * cell, cell, cell);
      SetColor(cr, Hex(QuadrantFill(q)));
      cairo_fill(cr);
    }
  const std::uint32_t lineColour = LightenColour(32, axis);
  for (int i = 0; i <= 2 * range; ++i) {
    const bool isAxis = i == range;
    SetColor(cr, Hex(lineColour, isAxis ? 1.0 : 0.25));
    const double t = isAxis ? 3 : 1;
    cairo_rectangle(cr, ox + (i - range) * cell - (isAxis ? 1 : 0), oy - range * cell, t, 2 * range * cell);
    cairo_rectangle(cr, ox - range * cell, oy + (i - range) * cell - (isAxis ? 1 : 0), 2 * range * cell, t);
    cairo_fill(cr);
    if (i != range) {
      m.Text(std::to_string(i - range), 10, false, false, ox + (i - range) * cell - 11 + 6, oy + 12, lineColour);
      m.Text(std::to_string(range - i), 10, false, false, ox + 12, oy + (i - range) * cell - 7, lineColour);
    }
  }
  m.Text("+x", 14, false, false, ox + range * cell + 15, oy - 11, lineColour);
  m.Text("-x", 14, false, false, ox - range * cell - 40, oy - 11, lineColour);
  m.Text("+y", 14, false, false, ox - 10, oy - range * cell - 40, lineColour);
  m.Text("-y", 14, false, false, ox - 15, oy + range * cell + 15, lineColour);
  for (int y = -range; y <= range; ++y)
    for (int x = -range; x <= range; ++x) {
      const std::uint32_t c = LightenColour(64, x == 0 || y == 0 ? axis : quad[QuadrantOf(x, y)]);
      const double size = x == 2 && y == 1 ? 20 : 9;
      DrawPattern(s, sprites[Sprite::GridDot], 0, ox + x * cell - size / 2, oy - y * cell - size / 2, size, size, c,
                  static_cast<int>(std::lround(size / 20 * 255)), true, false);
    }
  // Functional Analyser: the answer of one monster lit in blue.
  DrawPattern(s, sprites[Sprite::AnswerHighlight], 0, ox - 2 * cell - 10, oy + 2 * cell - 10, 20, 20, ColourTable[2],
              220, true, false);
}

void Monsters(TMockup& m, const std::vector<TImage>& sprites, const TImage& font) {
  TSurface& s = m.Screen();
  const TImage& sheet = sprites[Sprite::Monsters];
  struct TOne {
    int Pattern, Size;
    double X, Y;
    int Colour;
    const char* Label;
    int Status;
  };
  // Each wears its answer's colour: I, III, III, II, and the axis colour.
  const TOne ones[5] = {{3, 48, 880, 150, 0, "(2,1)", -1},
                        {24, 64, 420, 560, 2, "(-2+1,-3)", 0},
                        {38, 96, 900, 600, 2, "(-7+5,-4+1)", -1},
                        {12, 48, 560, 190, 1, "(-3,2)", 1},
                        {29, 64, 760, 470, -1, "(0,-1)", -1}};
  for (const TOne& o : ones) {
    const double x = o.X - o.Size / 2.0, y = o.Y - o.Size / 2.0;
    const std::uint32_t tint = o.Colour < 0 ? LightenColour(64, ColourTable[5]) : MonsterTint(o.Colour);
    DrawPattern(s, sheet, o.Pattern, x, y, o.Size, o.Size, tint, 255, true, false);
    if (o.Status >= 0)
      DrawPattern(s, sprites[Sprite::Status], o.Status, x, y + o.Size / 10.0, o.Size, o.Size, 0xFFFFFF, 255, true,
                  false);
    // The question in light yellow on its navy plate, as the game draws it.
    const std::string label = o.Label;
    const TFontMetrics& f = FontMetrics(10);
    const double w = static_cast<double>(label.size()) * f.CharWidth + 6, top = o.Y - 12 - o.Size / 2.0 - 16;
    cairo_rectangle(s.Cr(), o.X - w / 2, top, w, 16);
    SetColor(s.Cr(), Hex(0x0A1230, 0.91));
    cairo_fill(s.Cr());
    m.Text(label, 10, true, false, o.X - w / 2 + 3, top + 2, 0xFFF27A);
  }
  // A zap from the answered point (2, 1) to its monster, and its sparks.
  const double px = 640 + 2 * 85, py = 384 - 85;
  Strip(s, sprites[Sprite::ZapShort], 11, px, py, 880, 150, LightenColour(0, ColourTable[1]));
  TRandom rnd(5);
  for (int i = 0; i < 40; ++i) {
    const double a = rnd.Uniform(0, 2 * M_PI), r = rnd.Uniform(10, 40);
    m.Region(font, {CoreSprite::SparkX, CoreSprite::SparkY, 2, 2}, 880 + r * std::cos(a), 150 + r * std::sin(a), 4, 4,
             LightenColour(64, ColourTable[1]), 200);
  }
  // The Radial Blast ring on its way out.
  DrawPattern(s, sprites[Sprite::BlastRing], 0, 640 - 260, 384 - 260, 520, 520, 0xFFFFFF, 90, true, true);
}

}  // namespace

void WriteSpriteSheets(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& interfaces,
                       const std::vector<TImage>& sprites) {
  const TImage& monsters = sprites[Sprite::Monsters];
  const int cell = Sprite::MonsterSize;
  {
    // Twice the size, untinted, numbered.
    TSurface s(11 * cell * 2, 4 * cell * 2);
    Dark(s);
    for (int i = 0; i < Sprite::MonsterPatterns; ++i) {
      DrawPattern(s, monsters, i, (i % 11) * cell * 2, (i / 11) * cell * 2, cell * 2, cell * 2, 0xFFFFFF, 255, false,
                  false);
      Number(s, i, (i % 11) * cell * 2 + 4, (i / 11) * cell * 2 + 12);
    }
    s.WritePng(dir + "contact-monsters-2x.png");
  }
  {
    // Once the size, in each colour monsters wear: the four quadrants', then the others'.
    const int bw = 11 * cell + 16, bh = 4 * cell + 16;
    TSurface s(2 * bw, 5 * bh);
    Dark(s);
    for (int c = 0; c < 9; ++c)
      for (int i = 0; i < Sprite::MonsterPatterns; ++i)
        DrawPattern(s, monsters, i, (c % 2) * bw + 8 + (i % 11) * cell, (c / 2) * bh + 8 + (i / 11) * cell, cell, cell,
                    MonsterTint(c), 255, false, false);
    s.WritePng(dir + "contact-monsters-tinted.png");
  }
  {
    // Every monster at the size the game draws it (48, 64, 96), smoothly scaled.
    const int pitch = 104;
    TSurface s(11 * pitch, 4 * pitch);
    Dark(s);
    for (int i = 0; i < Sprite::MonsterPatterns; ++i) {
      const int size = i < Sprite::FirstMediumMonster ? 48 : i < Sprite::FirstLargeMonster ? 64 : 96;
      const double x = (i % 11) * pitch + (pitch - size) / 2.0, y = (i / 11) * pitch + (pitch - size) / 2.0;
      DrawPattern(s, monsters, i, x, y, size, size, MonsterTint(i % 7), 255, true, false);
    }
    s.WritePng(dir + "contact-monsters-ingame.png");
  }
  {
    // Power-ups: the sheet at 1x and 3x, each on its glow as the buttons show them.
    const TImage& p = sprites[Sprite::PowerUps];
    TSurface s(6 * 160, 230);
    Dark(s);
    for (int f = 0; f < 6; ++f) {
      DrawPattern(s, p, Sprite::PowerUpGlow, 20 + f * 160, 10, 144, 144, 0xFFFFFF, 48, true, false);
      DrawPattern(s, p, f, 20 + f * 160, 10, 144, 144, 0xFFFFFF, 255, false, false);
      DrawPattern(s, p, Sprite::PowerUpGlow, 68 + f * 160, 165, 48, 48, 0xFFFFFF, 64, true, false);
      DrawPattern(s, p, f, 68 + f * 160, 165, 48, 48, 0xFFFFFF, 255, true, false);
    }
    s.WritePng(dir + "contact-powerups.png");
  }
  {
    // The other board pictures, enlarged, tinted the way the game tints them.
    TSurface s(1024, 700);
    Dark(s);
    for (int i = 0; i < Sprite::BackdropPatterns; ++i)
      DrawPattern(s, sprites[Sprite::Backdrop], i, 10 + i * 168, 10, 160, 160, i % 2 ? 0x80FF40 : 0xFF8040, 255, false,
                  false);
    for (int q = 0; q < 4; ++q) {
      const std::uint32_t c = LightenColour(64, QuadrantColour(q + 1));
      DrawPattern(s, sprites[Sprite::QuadrantTiles], q, 10 + q * 140, 190, 128, 128, c, 255, false, false);
      DrawPattern(s, sprites[Sprite::QuadrantTiles], q, 10 + q * 140 + 32, 330, 64, 64, c, 64, true, false);
    }
    DrawPattern(s, sprites[Sprite::GridDot], 0, 580, 190, 96, 96, LightenColour(64, ColourTable[5]), 255, false, false);
    DrawPattern(s, sprites[Sprite::AnswerHighlight], 0, 690, 190, 96, 96, ColourTable[2], 255, false, false);
    for (int i = 0; i < 2; ++i) {
      DrawPattern(s, monsters, 5 + i * 20, 800 + i * 110, 190, 96, 96, MonsterTint(4 + i), 255, true, false);
      DrawPattern(s, sprites[Sprite::Status], i, 800 + i * 110, 190 + 9.6, 96, 96, 0xFFFFFF, 255, true, false);
    }
    DrawPattern(s, sprites[Sprite::BlastRing], 0, 580, 420, 256, 256, 0xFFFFFF, 255, false, true);
    DrawPattern(s, sprites[Sprite::DoomRing], 0, 840, 450, 180, 180, 0xFFFFFF, 255, false, true);
    for (int i = 0; i < 3; ++i) {
      Strip(s, sprites[Sprite::ZapLong], i, 20, 430 + 60 * i, 560, 430 + 60 * i,
            LightenColour(0, ColourTable[static_cast<std::size_t>(i)]));
      Strip(s, sprites[Sprite::ZapShort], 8 + i, 20, 610 + 30 * (i % 2), 320, 630 - 30 * (i % 2),
            LightenColour(0, ColourTable[static_cast<std::size_t>(3 + i)]));
    }
    s.WritePng(dir + "contact-sprites.png");
  }
  {
    // The HUD pieces: the panel tinted like the widgets, the rest at 1x and 3x.
    TSurface s(1024, 780);
    Dark(s);
    DrawPattern(s, sprites[Sprite::HudPanel], 0, 6, 6, 256, 768, ControlTint, 255, false, false);
    DrawPattern(s, sprites[Sprite::HudPanel], 0, 270, 6, 256, 768, 0xFFFFFF, 255, false, false);
    double y = 10;
    for (int p = 0; p < 2; ++p) {
      DrawPattern(s, sprites[Sprite::DoomBar], p, 540, y, 256, 48, 0xFFFFFF, 255, false, false);
      y += 56;
    }
    // Doom and help buttons, both looks, at 3x and at 1x.
    for (int b : {Sprite::DoomButton, Sprite::HelpButton}) {
      for (int p = 0; p < 2; ++p) {
        DrawPattern(s, sprites[static_cast<std::size_t>(b)], p, 540 + p * 200, y, 192, 192, 0xFFFFFF, 255, false,
                    false);
        DrawPattern(s, sprites[static_cast<std::size_t>(b)], p, 940, y + p * 80 + 20, 64, 64, 0xFFFFFF, 255, true,
                    false);
      }
      y += 200;
    }
    DrawPattern(s, sprites[Sprite::PushHighlight], 0, 540, y, 144, 144, 0xFFFFFF, 255, false, false);
    DrawPattern(s, sprites[Sprite::LifeIcon], 0, 700, y, 144, 144, 0xFFFFFF, 255, false, false);
    DrawPattern(s, sprites[Sprite::LifeIcon], 0, 860, y, 48, 48, 0xFFFFFF, 255, true, false);
    DrawPattern(s, sprites[Sprite::ComboIcons], 0, 860, y + 60, 64, 64, 0xFFFFFF, 255, false, false);
    DrawPattern(s, sprites[Sprite::ComboIcons], 1, 940, y + 60, 64, 64, 0xFFFFFF, 255, false, false);
    DrawPattern(s, sprites[Sprite::ComboIcons], 0, 880, y + 130, 16, 16, 0xFFFFFF, 255, false, false);
    DrawPattern(s, sprites[Sprite::ComboIcons], 1, 960, y + 130, 16, 16, 0xFFFFFF, 255, false, false);
    s.WritePng(dir + "contact-hud.png");
  }
  {
    // A whole game screen from the pieces.
    TMockup m(core[2], interfaces[0]);
    Board(m, sprites);
    Monsters(m, sprites, core[2]);
    Hud(m, interfaces[0], sprites);
    m.Screen().WritePng(dir + "mockup-game.png");
  }
}

void WriteTutorialSheet(const std::string& dir, const std::vector<std::vector<TImage>>& pages) {
  // One sheet per game type, full size, so every word can be read.
  const char* names[3] = {"qq", "wtp", "dtl"};
  for (std::size_t t = 0; t < pages.size() && t < 3; ++t) {
    TSurface s(static_cast<int>(pages[t].size()) * (512 + 8) + 8, 512 + 16);
    Dark(s);
    for (std::size_t i = 0; i < pages[t].size(); ++i)
      DrawPattern(s, pages[t][i], 0, 8 + i * 520.0, 8, 512, 512, 0xFFFFFF, 255, false, false);
    s.WritePng(dir + "contact-tutorials-" + names[t] + ".png");
  }
}

void WriteGameOverSheet(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& interfaces,
                        const std::vector<std::vector<TImage>>& sets) {
  // The captions the screen puts on the buttons, and sample values for its labels.
  auto buttonCaption = [](int set, int image, std::size_t button) -> std::string {
    if (set == GameOverMissionSet) return image < 3 ? "PLAY NEXT LEVEL" : image < 6 ? "TRY AGAIN" : "BACK TO TUTORIALS";
    if (set == GameOverArcadeSet) return button == 0 ? "HIGH SCORES" : "BACK TO ARCADE";
    return image == 1 && button == 0 ? "PLAY AGAIN" : "RETURN TO CHALLENGES";
  };
  const int cols = 3;
  int count = 0;
  for (const auto& set : sets) count += static_cast<int>(set.size());
  const int rows = (count + cols - 1) / cols;
  TSurface sheet(cols * (GameOverWidth + 8) + 8, rows * (GameOverHeight + 8) + 8);
  Dark(sheet);
  int n = 0;
  for (std::size_t si = 0; si < sets.size(); ++si) {
    const int set = GameOverMissionSet + static_cast<int>(si);
    for (std::size_t i = 0; i < sets[si].size(); ++i, ++n) {
      TMockup m(core[2], interfaces[0]);
      const double px = 400, py = 204;
      m.Widget("label frame", px, py, GameOverWidth, GameOverHeight, ControlTint, 220);
      m.Picture(sets[si][i], px, py);
      const std::vector<TRect> buttons = GameOverButtons(set, static_cast<int>(i));
      for (std::size_t b = 0; b < buttons.size(); ++b) {
        const TRect& r = buttons[b];
        m.Widget("button", px + r.X, py + r.Y, r.W, r.H);
        m.TextCentred(buttonCaption(set, static_cast<int>(i), b), 10, true, px + r.X, py + r.Y, r.W, r.H);
      }
      const std::vector<TGameOverLabel> labels = GameOverLabels(set);
      const char* values[2] = {set == GameOverArcadeSet ? "Fermat Point" : "45000", "52150"};
      for (std::size_t l = 0; l < labels.size(); ++l) {
        const int size = set == GameOverArcadeSet ? 10 : 12;
        const TFontMetrics& f = FontMetrics(size);
        const TRect& r = labels[l].Rect;
        m.Text(values[l], size, true, true, px + r.X, py + r.Y + (r.H - f.CharHeight) / 2 + 2);
      }
      const std::vector<std::uint32_t> px2 = m.Screen().Pixels();
      TSurface crop(GameOverWidth, GameOverHeight);
      std::vector<std::uint32_t> part(static_cast<std::size_t>(GameOverWidth) * GameOverHeight);
      for (int y = 0; y < GameOverHeight; ++y)
        for (int x = 0; x < GameOverWidth; ++x)
          part[static_cast<std::size_t>(y) * GameOverWidth + x] =
              px2[static_cast<std::size_t>(y + 204) * 1024 + x + 400];
      crop.SetPixels(part);
      sheet.Paint(crop, 8 + (n % cols) * (GameOverWidth + 8), 8 + (n / cols) * (GameOverHeight + 8));
    }
  }
  sheet.WritePng(dir + "contact-endings.png");
}
