#pragma once
// Legibility of a text as the real device draws it: the frame is drawn twice,
// with the text and without it; the pixels the text changes are its glyphs
// (and their shadow), and the pixels there in the frame without it are the
// background the text is read against. The ratio is the usual relative
// luminance ratio, (L1 + 0.05) / (L2 + 0.05).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/modGraphics.h"
#include "render/rndItems.h"

namespace contrast {

inline double Linear(std::uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance of 0xRRGGBB.
inline double Luminance(std::uint32_t rgb) {
  return 0.2126 * Linear((rgb >> 16) & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) + 0.0722 * Linear(rgb & 0xFF);
}

inline double Ratio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// How a child sees the screen: with usual colour vision, in greyscale (the
// luminance alone), or with full-severity deuteranopia or protanopia
// (dichromacy simulated on linear RGB).
enum class TVision { Normal, Greyscale, Deuteranopia, Protanopia };
constexpr TVision Visions[] = {TVision::Normal, TVision::Greyscale, TVision::Deuteranopia, TVision::Protanopia};

inline const char* VisionName(TVision v) {
  switch (v) {
    case TVision::Normal: return "normal vision";
    case TVision::Greyscale: return "greyscale";
    case TVision::Deuteranopia: return "deuteranopia";
    default: return "protanopia";
  }
}

// Linear RGB (0..1 a channel) of 0xRRGGBB as seen in that way.
inline std::array<double, 3> SeenLinear(std::uint32_t rgb, TVision v) {
  const double l[3] = {Linear((rgb >> 16) & 0xFF), Linear((rgb >> 8) & 0xFF), Linear(rgb & 0xFF)};
  static constexpr double Deuteranopia[3][3] = {
      {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
  static constexpr double Protanopia[3][3] = {
      {0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
  std::array<double, 3> out{l[0], l[1], l[2]};
  if (v == TVision::Greyscale) {
    const double y = 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
    return {y, y, y};
  }
  if (v == TVision::Normal) return out;
  const auto& m = v == TVision::Deuteranopia ? Deuteranopia : Protanopia;
  for (int i = 0; i < 3; ++i) out[i] = std::clamp(m[i][0] * l[0] + m[i][1] * l[1] + m[i][2] * l[2], 0.0, 1.0);
  return out;
}

// Relative luminance of 0xRRGGBB as seen in that way.
inline double LuminanceSeen(std::uint32_t rgb, TVision v) {
  const auto c = SeenLinear(rgb, v);
  return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}

// The contrast ratio of two colours as seen in that way.
inline double RatioSeen(std::uint32_t a, std::uint32_t b, TVision v) {
  return Ratio(LuminanceSeen(a, v), LuminanceSeen(b, v));
}

// CIELAB of 0xRRGGBB as seen in that way (D65 white).
inline std::array<double, 3> LabSeen(std::uint32_t rgb, TVision v) {
  const auto c = SeenLinear(rgb, v);
  const double x = (0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2]) / 0.95047;
  const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
  const double z = (0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2]) / 1.08883;
  const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// How far apart two colours look (CIE76 colour difference; about 2.3 is the
// smallest difference an eye notices side by side).
inline double DifferenceSeen(std::uint32_t a, std::uint32_t b, TVision v) {
  const auto p = LabSeen(a, v), q = LabSeen(b, v);
  return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
}

// The middle colour of some pixels (each channel's median), so that a stray
// pixel decides nothing.
inline std::uint32_t MedianColour(std::vector<std::uint32_t> pixels) {
  if (pixels.empty()) return 0;
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    std::vector<std::uint32_t> c;
    c.reserve(pixels.size());
    for (std::uint32_t p : pixels) c.push_back((p >> shift) & 0xFF);
    std::nth_element(c.begin(), c.begin() + static_cast<std::ptrdiff_t>(c.size() / 2), c.end());
    out |= c[c.size() / 2] << shift;
  }
  return out;
}

struct TMeasure {
  double Ratio = 0;
  int GlyphPixels = 0;  // pixels the text lightens (a light text) or darkens
};

// The text's colour against the background behind its glyphs, as seen in that
// way. The worst tenth of the background pixels counts, so a bright spot
// behind a few letters shows.
inline TMeasure MeasureText(TmodGraphics* graphics, TrndText* text, TVision vision = TVision::Normal) {
  TMeasure m;
  std::vector<std::uint32_t> with;
  std::vector<std::uint32_t> without;
  const bool shown = text->Visible;
  text->Visible = true;
  graphics->RenderFrame();
  if (!graphics->GetDevice()->CaptureFrame(graphics->Frame(), with)) return m;
  text->Visible = false;
  graphics->RenderFrame();
  graphics->GetDevice()->CaptureFrame(graphics->Frame(), without);
  text->Visible = shown;
  graphics->RenderFrame();
  if (with.size() != without.size()) return m;

  const double ink = LuminanceSeen(text->Color, vision);
  std::vector<double> behind;
  for (std::size_t i = 0; i < with.size(); ++i) {
    const double a = LuminanceSeen(with[i] & 0xFFFFFF, vision);
    const double b = LuminanceSeen(without[i] & 0xFFFFFF, vision);
    // The glyphs' own pixels move the picture toward the ink, and well.
    if (std::abs(a - b) < 0.02 || std::abs(a - ink) >= std::abs(b - ink)) continue;
    behind.push_back(b);
  }
  m.GlyphPixels = static_cast<int>(behind.size());
  if (behind.empty()) return m;
  std::sort(behind.begin(), behind.end());
  const std::size_t tenth = behind.size() / 10;
  const double worst = ink >= behind[behind.size() / 2] ? behind[behind.size() - 1 - tenth] : behind[tenth];
  m.Ratio = Ratio(ink, worst);
  return m;
}

}  // namespace contrast

namespace contrast {

// The box of the pixels an item changes in the drawn frame (empty: Pixels 0).
struct TInkBox {
  int Left = 1 << 20;
  int Top = 1 << 20;
  int Right = -1;
  int Bottom = -1;
  int Pixels = 0;
};

inline TInkBox InkBox(TmodGraphics* graphics, TrndGfx* item) {
  TInkBox box;
  std::vector<std::uint32_t> with;
  std::vector<std::uint32_t> without;
  const bool shown = item->Visible;
  item->Visible = true;
  graphics->RenderFrame();
  if (!graphics->GetDevice()->CaptureFrame(graphics->Frame(), with)) return box;
  item->Visible = false;
  graphics->RenderFrame();
  graphics->GetDevice()->CaptureFrame(graphics->Frame(), without);
  item->Visible = shown;
  graphics->RenderFrame();
  if (with.size() != without.size() || with.empty()) return box;
  const int width = 1024;
  for (std::size_t i = 0; i < with.size(); ++i) {
    if ((with[i] & 0xFFFFFF) == (without[i] & 0xFFFFFF)) continue;
    const int x = static_cast<int>(i % width);
    const int y = static_cast<int>(i / width);
    box.Left = std::min(box.Left, x);
    box.Right = std::max(box.Right, x);
    box.Top = std::min(box.Top, y);
    box.Bottom = std::max(box.Bottom, y);
    ++box.Pixels;
  }
  return box;
}

}  // namespace contrast
