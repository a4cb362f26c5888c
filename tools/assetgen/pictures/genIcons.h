#pragma once
// The program's desktop icon: a tile of night graph paper with the axes, a
// plotted line and a monster on its way to the origin. Drawn with vector paths
// only, so one drawing makes every PNG size and the SVG.
#include <cairo.h>

#include <array>
#include <string>

// The sizes a desktop looks for in the icon theme, in pixels.
constexpr std::array<int, 8> IconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// Draws the icon into a square of `size` pixels at the origin of cr. Small
// sizes leave out the fine grid and the monster and keep lines on whole pixels.
void DrawIcon(cairo_t* cr, int size);

// Writes icon-N.png for every size and icon.svg into dir ('/'-ended).
bool GenerateIcons(const std::string& dir);
