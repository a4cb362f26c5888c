#include "kit/artDraw.h"

#include <cairo-ft.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/sysImages.h"

namespace art {

namespace {

const char* const FontDir = "/usr/share/fonts/truetype/dejavu/";

const char* FontFile(TFace face) {
  switch (face) {
    case TFace::Sans: return "DejaVuSans.ttf";
    case TFace::SansBold: return "DejaVuSans-Bold.ttf";
    case TFace::Mono: return "DejaVuSansMono.ttf";
    case TFace::MonoBold: return "DejaVuSansMono-Bold.ttf";
    case TFace::Serif: return "DejaVuSerif.ttf";
    case TFace::SerifBold: return "DejaVuSerif-Bold.ttf";
  }
  return "DejaVuSans.ttf";
}

constexpr int FaceCount = 6;

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) {
      std::fprintf(stderr, "assetgen: FreeType could not be initialised\n");
      std::exit(1);
    }
    return l;
  }();
  return lib;
}

FT_Face LoadFace(TFace face) {
  FT_Face f = nullptr;
  const std::string path = std::string(FontDir) + FontFile(face);
  if (FT_New_Face(Library(), path.c_str(), 0, &f) != 0) {
    // Without the fonts no lettering can be drawn; the package fonts-dejavu-core has them.
    std::fprintf(stderr, "assetgen: cannot open %s (install fonts-dejavu-core)\n", path.c_str());
    std::exit(1);
  }
  return f;
}

cairo_font_face_t* CairoFace(TFace face) {
  static cairo_font_face_t* faces[FaceCount] = {};
  const int i = static_cast<int>(face);
  if (faces[i] == nullptr) faces[i] = cairo_ft_font_face_create_for_ft_face(LoadFace(face), 0);
  return faces[i];
}

// One box-blur pass of radius r over Lanes parallel lines at once: n texels
// along each line, `along` apart, the lines `across` apart. On premultiplied
// ARGB32 data; texels beyond the edge count as transparent.
template <int Lanes>
void BoxLines(std::uint32_t* first, int n, std::ptrdiff_t along, std::ptrdiff_t across, int r,
              std::vector<std::uint32_t>& padded) {
  constexpr int Width = Lanes * 4;  // channels of one step
  const std::uint32_t window = static_cast<std::uint32_t>(2 * r + 1), half = window / 2;
  // Exact division by the window for every sum a window of bytes can reach.
  const std::uint64_t reciprocal = ((std::uint64_t{1} << 32) + window - 1) / window;
  padded.assign(static_cast<std::size_t>(n + 2 * r + 1) * Width, 0);
  for (int i = 0; i < n; ++i) {
    const std::uint32_t* line = first + i * along;
    std::uint32_t* q = &padded[static_cast<std::size_t>(i + r) * Width];
    for (int l = 0; l < Lanes; ++l) {
      const std::uint32_t p = line[l * across];
      q[4 * l] = p & 0xFF;
      q[4 * l + 1] = (p >> 8) & 0xFF;
      q[4 * l + 2] = (p >> 16) & 0xFF;
      q[4 * l + 3] = p >> 24;
    }
  }
  std::uint32_t sum[Width] = {};
  for (int i = 0; i < 2 * r + 1; ++i)
    for (int c = 0; c < Width; ++c) sum[c] += padded[static_cast<std::size_t>(i) * Width + c];
  for (int i = 0; i < n; ++i) {
    std::uint32_t* line = first + i * along;
    for (int l = 0; l < Lanes; ++l) {
      std::uint32_t blurred = 0;
      for (int c = 0; c < 4; ++c)
        blurred |= static_cast<std::uint32_t>(((sum[4 * l + c] + half) * reciprocal) >> 32) << (8 * c);
      line[l * across] = blurred;
    }
    const std::uint32_t* out = &padded[static_cast<std::size_t>(i) * Width];
    const std::uint32_t* in = &padded[static_cast<std::size_t>(i + 2 * r + 1) * Width];
    for (int c = 0; c < Width; ++c) sum[c] += in[c] - out[c];
  }
}

// One box-blur pass along rows (horizontal) or columns, eight lines at a time
// so that the loops over channels vectorise and, down columns, each row's
// cache line serves eight of them.
void BoxPass(std::uint32_t* data, int w, int h, int stride, int r, bool horizontal) {
  std::vector<std::uint32_t> padded;
  const int lines = horizontal ? h : w, n = horizontal ? w : h;
  const std::ptrdiff_t along = horizontal ? 1 : stride, across = horizontal ? stride : 1;
  int l = 0;
  for (; l + 8 <= lines; l += 8) BoxLines<8>(data + l * across, n, along, across, r, padded);
  for (; l < lines; ++l) BoxLines<1>(data + l * across, n, along, across, r, padded);
}

}  // namespace

TRGBA Hex(std::uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

TRGBA Grey(double v, double alpha) { return {v, v, v, alpha}; }

TRGBA Mix(const TRGBA& a, const TRGBA& b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

// ---------------------------------------------------------------- TSurface

TSurface::TSurface(int width, int height)
    : W(width), H(height), Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      Context(cairo_create(Surface)) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(Context, options);
  cairo_font_options_destroy(options);
}

TSurface::~TSurface() {
  cairo_destroy(Context);
  cairo_surface_destroy(Surface);
}

std::vector<std::uint32_t> TSurface::Pixels() const {
  cairo_surface_flush(Surface);
  const unsigned char* data = cairo_image_surface_get_data(Surface);
  const int stride = cairo_image_surface_get_stride(Surface);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(W) * H);
  for (int y = 0; y < H; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    for (int x = 0; x < W; ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t a = p >> 24;
      if (a == 0 || a == 255) {
        out[static_cast<std::size_t>(y) * W + x] = a == 0 ? 0 : p;
        continue;
      }
      std::uint32_t v = a << 24;
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t ch = (p >> (8 * c)) & 0xFF;
        v |= std::min<std::uint32_t>(255, (ch * 255 + a / 2) / a) << (8 * c);
      }
      out[static_cast<std::size_t>(y) * W + x] = v;
    }
  }
  // Bleed colour into the transparent border, a few texels deep.
  std::vector<std::uint32_t> next = out;
  std::vector<std::uint8_t> known(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) known[i] = (out[i] >> 24) != 0;
  for (int pass = 0; pass < 3; ++pass) {
    std::vector<std::uint8_t> nowKnown = known;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * W + x;
        if (known[i]) continue;
        int sum[3] = {0, 0, 0}, count = 0;
        const int dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
        for (int k = 0; k < 4; ++k) {
          const int nx = x + dx[k], ny = y + dy[k];
          if (nx < 0 || ny < 0 || nx >= W || ny >= H) continue;
          const std::size_t j = static_cast<std::size_t>(ny) * W + nx;
          if (!known[j]) continue;
          for (int c = 0; c < 3; ++c) sum[c] += static_cast<int>((out[j] >> (8 * c)) & 0xFF);
          ++count;
        }
        if (count == 0) continue;
        std::uint32_t v = 0;
        for (int c = 0; c < 3; ++c) v |= static_cast<std::uint32_t>((sum[c] + count / 2) / count) << (8 * c);
        next[i] = v;
        nowKnown[i] = 1;
      }
    out = next;
    known.swap(nowKnown);
  }
  return out;
}

void TSurface::SetPixels(const std::vector<std::uint32_t>& pixels) {
  cairo_surface_flush(Surface);
  unsigned char* data = cairo_image_surface_get_data(Surface);
  const int stride = cairo_image_surface_get_stride(Surface);
  for (int y = 0; y < H; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < W; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * W + x];
      const std::uint32_t a = p >> 24;
      std::uint32_t v = a << 24;
      for (int c = 0; c < 3; ++c) v |= ((((p >> (8 * c)) & 0xFF) * a + 127) / 255) << (8 * c);
      row[x] = v;
    }
  }
  cairo_surface_mark_dirty(Surface);
}

void TSurface::Blur(double radius) {
  if (radius <= 0) return;
  cairo_surface_flush(Surface);
  auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(Surface));
  const int stride = cairo_image_surface_get_stride(Surface) / 4;
  // Three box passes of this width approximate a Gaussian of sigma = radius.
  // Capped where the passes' division by the window stops being exact; no
  // picture of ours comes near it.
  const int r = std::clamp(static_cast<int>(std::lround(std::sqrt(4.0 * radius * radius + 1.0) / 2.0)), 1, 2000);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(data, W, H, stride, r, true);
    BoxPass(data, W, H, stride, r, false);
  }
  cairo_surface_mark_dirty(Surface);
}

void TSurface::Paint(const TSurface& other, double x, double y, double alpha) {
  cairo_save(Context);
  cairo_set_source_surface(Context, other.Surface, x, y);
  cairo_paint_with_alpha(Context, alpha);
  cairo_restore(Context);
}

bool TSurface::WritePng(const std::string& path) const {
  return cairo_surface_write_to_png(Surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

int TLayer::Span(double from, double to, int limit, int& start) {
  start = std::clamp(static_cast<int>(std::floor(from)), 0, limit);
  const int end = std::clamp(static_cast<int>(std::ceil(to)), start + 1, std::max(limit, start + 1));
  return end - start;
}

TLayer::TLayer(TSurface& target, double x0, double y0, double x1, double y1, double margin)
    : Target(target),
      Scratch(Span(x0 - margin, x1 + margin, target.Width(), X), Span(y0 - margin, y1 + margin, target.Height(), Y)) {
  cairo_translate(Scratch.Cr(), -X, -Y);
}

TImage MakeImage(const std::string& name, int width, int height, const std::vector<std::uint32_t>& pixels) {
  TImage image;
  image.Name = name;
  image.PatternWidth = image.VisibleWidth = image.TextureWidth = width;
  image.PatternHeight = image.VisibleHeight = image.TextureHeight = height;
  image.PatternCount = 1;
  image.Textures.push_back(pixels);
  image.TextureCount = 1;
  return image;
}

TImage MakeSheet(const std::string& name, int pw, int ph, int columns, int count,
                 const std::function<void(TSurface& s, int pattern)>& draw) {
  const int rows = (count + columns - 1) / columns;
  TSurface sheet(pw * columns, ph * rows);
  for (int i = 0; i < count; ++i) {
    TSurface piece(pw, ph);
    draw(piece, i);
    sheet.Paint(piece, (i % columns) * pw, (i / columns) * ph);
  }
  TImage image = MakeImage(name, sheet);
  image.PatternWidth = image.VisibleWidth = pw;
  image.PatternHeight = image.VisibleHeight = ph;
  image.PatternCount = count;
  return image;
}

TImage MakeImage(const std::string& name, const TSurface& surface) {
  return MakeImage(name, surface.Width(), surface.Height(), surface.Pixels());
}

// ---------------------------------------------------------------- paths and fills

void SetColor(cairo_t* cr, const TRGBA& c) { cairo_set_source_rgba(cr, c.R, c.G, c.B, c.A); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min({r, w / 2, h / 2}));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner) {
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? outer : inner;
    if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

cairo_pattern_t* Linear(double x0, double y0, double x1, double y1, const TRGBA& a, const TRGBA& b) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  AddStop(p, 0, a);
  AddStop(p, 1, b);
  return p;
}

void AddStop(cairo_pattern_t* p, double offset, const TRGBA& c) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.R, c.G, c.B, c.A);
}

void RadialGlow(cairo_t* cr, double cx, double cy, double radius, const TRGBA& c) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  AddStop(p, 0, c);
  AddStop(p, 0.35, {c.R, c.G, c.B, c.A * 0.45});
  AddStop(p, 1, {c.R, c.G, c.B, 0});
  cairo_save(cr);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(p);
}

// ---------------------------------------------------------------- distance shading

TShadeInput RoundedRectDistance(double px, double py, double x, double y, double w, double h, double r) {
  const double cx = x + w / 2, cy = y + h / 2;
  const double dx = px - cx, dy = py - cy;
  const double qx = std::fabs(dx) - (w / 2 - r), qy = std::fabs(dy) - (h / 2 - r);
  const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
  const double outer = std::hypot(ox, oy);
  TShadeInput in{outer + std::min(std::max(qx, qy), 0.0) - r, 0, 0, px, py};
  const double sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  if (qx > 0 && qy > 0) {
    in.Nx = sx * ox / outer;
    in.Ny = sy * oy / outer;
  } else if (qx > qy) {
    in.Nx = sx;
  } else {
    in.Ny = sy;
  }
  return in;
}

double Smooth(double a, double b, double v) {
  double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

double Inside(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

void ShadeRoundedRect(TSurface& s, double x, double y, double w, double h, double r, const TShader& shader) {
  cairo_surface_flush(s.Raw());
  unsigned char* data = cairo_image_surface_get_data(s.Raw());
  const int stride = cairo_image_surface_get_stride(s.Raw());
  constexpr int N = 3;
  for (int ty = 0; ty < s.Height(); ++ty) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + ty * stride);
    for (int tx = 0; tx < s.Width(); ++tx) {
      double acc[4] = {0, 0, 0, 0};  // premultiplied
      for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
          const double px = tx + (i + 0.5) / N, py = ty + (j + 0.5) / N;
          const TRGBA c = shader(RoundedRectDistance(px, py, x, y, w, h, r));
          const double a = std::clamp(c.A, 0.0, 1.0);
          acc[0] += c.R * a;
          acc[1] += c.G * a;
          acc[2] += c.B * a;
          acc[3] += a;
        }
      for (double& v : acc) v /= N * N;
      if (acc[3] <= 0) continue;
      const std::uint32_t dst = row[tx];
      const double keep = 1 - acc[3];
      std::uint32_t out = 0;
      const double src[4] = {acc[2], acc[1], acc[0], acc[3]};  // B, G, R, A byte order
      for (int c = 0; c < 4; ++c) {
        const double d = ((dst >> (8 * c)) & 0xFF) / 255.0;
        const double v = std::clamp(src[c] + d * keep, 0.0, 1.0);
        out |= static_cast<std::uint32_t>(std::lround(v * 255)) << (8 * c);
      }
      row[tx] = out;
    }
  }
  cairo_surface_mark_dirty(s.Raw());
}

// ---------------------------------------------------------------- backdrops

void InkBackground(TSurface& s, const TRGBA& top, const TRGBA& bottom) {
  cairo_t* cr = s.Cr();
  cairo_pattern_t* p = Linear(0, 0, 0, s.Height(), top, bottom);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

void GraphPaper(TSurface& s, const TRGBA& minor, const TRGBA& major) {
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (int pass = 0; pass < 2; ++pass) {
    const int step = pass == 0 ? 16 : 64;
    SetColor(cr, pass == 0 ? minor : major);
    for (int x = 0; x < s.Width(); x += step) {
      if (pass == 0 && x % 64 == 0) continue;
      cairo_move_to(cr, x + 0.5, 0);
      cairo_line_to(cr, x + 0.5, s.Height());
    }
    for (int y = 0; y < s.Height(); y += step) {
      if (pass == 0 && y % 64 == 0) continue;
      cairo_move_to(cr, 0, y + 0.5);
      cairo_line_to(cr, s.Width(), y + 0.5);
    }
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void Vignette(TSurface& s, double strength) {
  cairo_t* cr = s.Cr();
  const double cx = s.Width() / 2.0, cy = s.Height() / 2.0;
  const double r = std::hypot(cx, cy);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r * 0.45, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0.02, strength);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

void NeonStroke(TSurface& s, const TRGBA& color, double coreWidth, double glowRadius, double glowAlpha) {
  cairo_t* cr = s.Cr();
  cairo_path_t* path = cairo_copy_path(cr);
  double x0, y0, x1, y1;
  cairo_save(cr);
  cairo_set_line_width(cr, coreWidth + glowRadius);
  cairo_stroke_extents(cr, &x0, &y0, &x1, &y1);
  cairo_restore(cr);
  cairo_new_path(cr);
  TLayer halo(s, x0, y0, x1, y1, 3 * glowRadius + 2);
  cairo_t* hc = halo.Cr();
  cairo_append_path(hc, path);
  cairo_set_line_cap(hc, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(hc, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(hc, coreWidth + glowRadius);
  SetColor(hc, {color.R, color.G, color.B, glowAlpha});
  cairo_stroke(hc);
  halo.Blur(glowRadius);
  halo.Composite(color.A);
  cairo_save(cr);
  cairo_append_path(cr, path);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, coreWidth);
  SetColor(cr, color);
  cairo_stroke_preserve(cr);
  // A whiter thread in the middle makes it read as light.
  cairo_set_line_width(cr, std::max(0.6, coreWidth * 0.4));
  SetColor(cr, Mix(color, Hex(0xFFFFFF, color.A), 0.6));
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_path_destroy(path);
}

// ---------------------------------------------------------------- lettering

void SelectFace(cairo_t* cr, TFace face, double size) {
  cairo_set_font_face(cr, CairoFace(face));
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& utf8) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  return e.x_advance;
}

double Letter(TSurface& s, const std::string& utf8, double x, double y, const TLettering& style, bool centred) {
  cairo_t* cr = s.Cr();
  SelectFace(cr, style.Face, style.Size);
  const double width = TextWidth(cr, utf8);
  if (centred) x -= width / 2;
  auto textPath = [&](cairo_t* c, double dx, double dy) {
    SelectFace(c, style.Face, style.Size);
    cairo_move_to(c, x + dx, y + dy);
    cairo_text_path(c, utf8.c_str());
  };
  const double reach = style.OutlineWidth;
  cairo_text_extents_t ext;
  cairo_text_extents(cr, utf8.c_str(), &ext);
  const double bx0 = x + ext.x_bearing, by0 = y + ext.y_bearing;
  const double bx1 = bx0 + ext.width, by1 = by0 + ext.height;
  const double margin = reach + 3 * std::max(style.GlowRadius, style.ShadowBlur) + style.ShadowOffset + 2;
  if (style.Glow.A > 0 && style.GlowRadius > 0) {
    TLayer glow(s, bx0, by0, bx1, by1, margin);
    textPath(glow.Cr(), 0, 0);
    SetColor(glow.Cr(), {style.Glow.R, style.Glow.G, style.Glow.B, 1});
    cairo_set_line_width(glow.Cr(), 2 * reach + style.GlowRadius);
    cairo_set_line_join(glow.Cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(glow.Cr());
    cairo_fill(glow.Cr());
    glow.Blur(style.GlowRadius);
    glow.Composite(style.Glow.A);
  }
  if (style.ShadowOffset > 0 || style.ShadowBlur > 0) {
    TLayer shadow(s, bx0, by0, bx1, by1, margin);
    textPath(shadow.Cr(), style.ShadowOffset, style.ShadowOffset);
    SetColor(shadow.Cr(), {style.Shadow.R, style.Shadow.G, style.Shadow.B, 1});
    cairo_set_line_width(shadow.Cr(), 2 * reach);
    cairo_set_line_join(shadow.Cr(), CAIRO_LINE_JOIN_ROUND);
    if (reach > 0) cairo_stroke_preserve(shadow.Cr());
    cairo_fill(shadow.Cr());
    shadow.Blur(style.ShadowBlur);
    shadow.Composite(style.Shadow.A);
  }
  cairo_save(cr);
  cairo_new_path(cr);
  textPath(cr, 0, 0);
  if (reach > 0) {
    SetColor(cr, style.Outline);
    cairo_set_line_width(cr, 2 * reach);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  cairo_pattern_t* fill = Linear(0, y - style.Size * 0.75, 0, y, style.Top, style.Bottom);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
  return width;
}

void HandText(cairo_t* cr, const std::string& utf8, double x, double y, double size, double angle, const TRGBA& color,
              std::uint32_t seed) {
  TRandom rnd(seed);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_set_font_face(cr, CairoFace(TFace::Sans));
  cairo_matrix_t m;
  cairo_matrix_init(&m, size, 0, -0.22 * size, size, 0, 0);  // slanted like handwriting
  cairo_set_font_matrix(cr, &m);
  SetColor(cr, color);
  double pen = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = 1;
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead >= 0xF0) len = 4;
    else if (lead >= 0xE0) len = 3;
    else if (lead >= 0xC0) len = 2;
    const std::string glyph = utf8.substr(i, len);
    i += len;
    cairo_text_extents_t e;
    cairo_text_extents(cr, glyph.c_str(), &e);
    cairo_save(cr);
    cairo_translate(cr, pen, rnd.Uniform(-0.06, 0.06) * size);
    cairo_rotate(cr, rnd.Uniform(-0.07, 0.07));
    cairo_move_to(cr, 0, 0);
    cairo_show_text(cr, glyph.c_str());
    cairo_restore(cr);
    pen += e.x_advance * rnd.Uniform(0.96, 1.06);
  }
  cairo_restore(cr);
}

FT_Face FreeTypeFace(TFace face) {
  static FT_Face faces[FaceCount] = {};
  const int i = static_cast<int>(face);
  if (faces[i] == nullptr) faces[i] = LoadFace(face);
  return faces[i];
}

// ---------------------------------------------------------------- random

std::uint32_t TRandom::Next() {
  // SplitMix64: simple, fast and the same on every platform.
  State += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = State;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

double TRandom::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() / 4294967296.0); }

}  // namespace art
