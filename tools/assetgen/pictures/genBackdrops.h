#pragma once
// Pieces of the title pictures that other pictures can reuse.
#include <cstdint>

#include "kit/artDraw.h"

// The game's name as a logo, centred on cx with its baseline at y; with a
// plotted curve sweeping under it.
void DrawLogo(art::TSurface& s, double cx, double baseline, double size, bool withCurve);
// Night graph paper with faint neon curves and points.
void PaintNightBackdrop(art::TSurface& s, std::uint32_t seed);
// Chalk formulas scattered over a 1024 x 768 backdrop.
void PaintFormulas(art::TSurface& s, std::uint32_t seed);
