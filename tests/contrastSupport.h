#pragma once
// Legibility of a text as the real device draws it: the frame is drawn twice,
// with the text and without it; the pixels the text changes are its glyphs
// (and their shadow), and the pixels there in the frame without it are the
// background the text is read against. The ratio is the usual relative
// luminance ratio, (L1 + 0.05) / (L2 + 0.05).
#include <algorithm>
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

struct TMeasure {
  double Ratio = 0;
  int GlyphPixels = 0;  // pixels the text lightens (a light text) or darkens
};

// The text's colour against the background behind its glyphs. The worst tenth
// of the background pixels counts, so a bright spot behind a few letters shows.
inline TMeasure MeasureText(TmodGraphics* graphics, TrndText* text) {
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

  const double ink = Luminance(text->Color);
  std::vector<double> behind;
  for (std::size_t i = 0; i < with.size(); ++i) {
    const double a = Luminance(with[i] & 0xFFFFFF);
    const double b = Luminance(without[i] & 0xFFFFFF);
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
