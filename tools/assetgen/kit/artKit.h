#pragma once
// Pieces shared by the big pictures (tutorial pages and end-of-game pictures):
// wrapped text with highlighted words, tinted monsters, the dark card look.
#include <cstdint>
#include <string>

#include "kit/artDraw.h"

// Text wrapped to a width; words between asterisks are drawn bold in the
// highlight colour. The first baseline is at y; returns the baseline after
// the last line.
double RichParagraph(art::TSurface& s, const std::string& text, double x, double y, double width, double size,
                     double lineGap, const art::TRGBA& ink, const art::TRGBA& highlight);

// Monster `pattern` of the sheet's recipes in a size x size square, tinted
// like the game tints it (0xRRGGBB).
void DrawTintedCreature(art::TSurface& s, double x, double y, double size, int pattern, std::uint32_t rgb);

// A dark rounded card with a coloured neon rim.
void Card(art::TSurface& s, double x, double y, double w, double h, double radius, std::uint32_t rim);

// Night graph paper over the whole surface, with a neon frame in the accent colour.
void NightPage(art::TSurface& s, std::uint32_t accent);
// The radius of the rounded rim concentric with a night page's frame.
constexpr double NightPageCornerRadius = 17.5;
// Clears the corners outside the surface's rounded rim of that radius, so that
// what lies under the picture shows there rather than dark squares.
void CutCorners(art::TSurface& s, double radius = NightPageCornerRadius);

// A title in the game's lettering: bold, gradient, dark outline and shadow;
// shrunk until it fits the width. Returns the drawn width.
double Title(art::TSurface& s, const std::string& text, double x, double baseline, double size, double maxWidth,
             const art::TRGBA& top, const art::TRGBA& bottom, bool centred);
