#pragma once
// Drawing helpers shared by every picture of the generator: a Cairo surface that
// converts to the game's straight-alpha ARGB, rounded panels, glows, gradients,
// graph paper and lettering through FreeType with the DejaVu fonts.
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TImage;

namespace art {

struct TRGBA {
  double R = 0, G = 0, B = 0, A = 1;
};
// 0xRRGGBB and an alpha 0..1.
TRGBA Hex(std::uint32_t rgb, double alpha = 1.0);
TRGBA Grey(double v, double alpha = 1.0);
TRGBA Mix(const TRGBA& a, const TRGBA& b, double t);

// An ARGB32 Cairo surface with its context; starts transparent.
class TSurface {
 public:
  TSurface(int width, int height);
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  cairo_t* Cr() const { return Context; }
  cairo_surface_t* Raw() const { return Surface; }
  int Width() const { return W; }
  int Height() const { return H; }

  // Straight (not premultiplied) 0xAARRGGBB, rows from the top. Fully
  // transparent texels take the colour of their nearest visible neighbour, so
  // linear filtering at the edges of a piece does not pull in black.
  std::vector<std::uint32_t> Pixels() const;
  // Replaces the content with straight ARGB pixels.
  void SetPixels(const std::vector<std::uint32_t>& pixels);
  // Approximate Gaussian blur (three box passes) of the whole surface.
  void Blur(double radius);
  // Draws another surface onto this one at (x, y) with an alpha.
  void Paint(const TSurface& other, double x, double y, double alpha = 1.0);
  bool WritePng(const std::string& path) const;

 private:
  int W, H;
  cairo_surface_t* Surface;
  cairo_t* Context;
};

// A scratch layer over part of a surface, for blurred effects. Draw into Cr()
// in the surface's own coordinates, then blur and composite it back. Only the
// region (grown by the margin, cut to the surface) is allocated and blurred.
class TLayer {
 public:
  TLayer(TSurface& target, double x0, double y0, double x1, double y1, double margin);
  cairo_t* Cr() const { return Scratch.Cr(); }
  void Blur(double radius) { Scratch.Blur(radius); }
  void Composite(double alpha = 1.0) { Target.Paint(Scratch, X, Y, alpha); }

 private:
  static int Span(double from, double to, int limit, int& start);
  TSurface& Target;
  int X = 0, Y = 0;
  TSurface Scratch;
};

// A one-pattern image of the whole surface, as the archives store it.
TImage MakeImage(const std::string& name, const TSurface& surface);
TImage MakeImage(const std::string& name, int width, int height, const std::vector<std::uint32_t>& pixels);
// An image of `count` patterns of pw x ph, `columns` to a row. Each pattern is
// drawn on a surface of its own, so no glow spills into a neighbour.
TImage MakeSheet(const std::string& name, int pw, int ph, int columns, int count,
                 const std::function<void(TSurface& s, int pattern)>& draw);

// Paths and fills.
void SetColor(cairo_t* cr, const TRGBA& c);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A five-pointed star, point up.
void Star(cairo_t* cr, double cx, double cy, double outer, double inner);
// A pattern running from colour a at (x0, y0) to colour b at (x1, y1); caller
// sets it as source and destroys it.
cairo_pattern_t* Linear(double x0, double y0, double x1, double y1, const TRGBA& a, const TRGBA& b);
void AddStop(cairo_pattern_t* p, double offset, const TRGBA& c);
// A soft radial light: colour c at the centre fading to transparent at radius.
void RadialGlow(cairo_t* cr, double cx, double cy, double radius, const TRGBA& c);

// Shading by distance to a rounded rectangle's outline. For every texel (three
// by three samples each) the shader gets the signed distance D (negative
// inside), the outline's outward normal and the sample position, and returns a
// straight colour that is laid over the texel. Along straight sides nothing
// changes, so pieces cut there can be stretched.
struct TShadeInput {
  double D, Nx, Ny, X, Y;
};
using TShader = std::function<TRGBA(const TShadeInput& in)>;
void ShadeRoundedRect(TSurface& s, double x, double y, double w, double h, double r, const TShader& shader);
// Signed distance to a rounded rectangle and the outline's outward normal at
// the nearest point.
TShadeInput RoundedRectDistance(double px, double py, double x, double y, double w, double h, double r);
// Smooth 0..1 step of v between edges a and b.
double Smooth(double a, double b, double v);
// Coverage of a texel by the inside of an outline, from the distance.
double Inside(double d);

// Backdrop pieces.
// Deep navy to ink vertical gradient over the whole surface.
void InkBackground(TSurface& s, const TRGBA& top, const TRGBA& bottom);
// Graph paper: minor lines every 16 px, major every 64 px, axes-free.
void GraphPaper(TSurface& s, const TRGBA& minor, const TRGBA& major);
// Darkens the edges.
void Vignette(TSurface& s, double strength);
// Strokes the current path as a neon line: a wide blurred halo and a bright core.
// The path is consumed.
void NeonStroke(TSurface& s, const TRGBA& color, double coreWidth, double glowRadius, double glowAlpha = 0.8);

// Lettering.
enum class TFace { Sans, SansBold, Mono, MonoBold, Serif, SerifBold };
void SelectFace(cairo_t* cr, TFace face, double size);
// Width of a text in the selected face.
double TextWidth(cairo_t* cr, const std::string& utf8);
struct TLettering {
  TFace Face = TFace::SansBold;
  double Size = 20;
  TRGBA Top = Hex(0xFFFFFF);     // fill gradient from the cap line ...
  TRGBA Bottom = Hex(0xFFFFFF);  // ... to the baseline
  TRGBA Outline = Hex(0x000000, 0.85);
  double OutlineWidth = 0;       // 0: none
  double ShadowOffset = 0;       // drop shadow down and right, 0: none
  double ShadowBlur = 0;
  TRGBA Shadow = Hex(0x000000, 0.6);
  TRGBA Glow = Hex(0x000000, 0);  // soft halo behind, alpha 0: none
  double GlowRadius = 0;
};
// Draws text with its baseline at y; x is the left edge, or the centre when
// centred. Returns the drawn width.
double Letter(TSurface& s, const std::string& utf8, double x, double y, const TLettering& style, bool centred = false);
// Text that looks written by hand: slanted, each glyph slightly turned and
// lifted by a seeded jitter.
void HandText(cairo_t* cr, const std::string& utf8, double x, double y, double size, double angle, const TRGBA& color,
              std::uint32_t seed);

// A FreeType face of its own (not shared with Cairo), for the font sheet's
// rasteriser; loaded once.
FT_Face FreeTypeFace(TFace face);

// A small deterministic generator (fixed seeds, same numbers everywhere).
class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : State(seed * 2654435761u + 1) {}
  std::uint32_t Next();
  double Uniform(double lo, double hi);  // [lo, hi)

 private:
  std::uint64_t State;
};

}  // namespace art
