#pragma once
// The colours of axes, quadrants and zaps, by index, and the one colour each
// quadrant has wherever the game or its pictures show it.
#include <array>
#include <cstdint>

// Held as 0xRRGGBB, the form the renderer takes.
constexpr std::int32_t ColourCount = 9;
extern const std::array<std::uint32_t, 9> ColourTable;

// ColourTable rows of quadrants I..IV (index 0 unused): I green, II yellow,
// III red, IV blue. The board, the monsters that answer in a quadrant, the
// help pages, previews, challenge tiles and end cards all read this one row,
// so a child who learns a quadrant by its colour never meets another.
constexpr std::array<std::int32_t, 5> QuadrantColourRow = {-1, 1, 3, 0, 2};
// Where a level asks nothing from a quadrant, its cells are grey.
constexpr std::int32_t ClosedQuadrantRow = 8;
// Axes take this row where a level's own axis colour is a quadrant's.
constexpr std::int32_t NeutralAxisRow = 5;
// 0xRRGGBB of quadrant 1..4 in the usual palette; white outside.
std::uint32_t QuadrantColour(std::int32_t quadrant);
// True when a ColourTable row is one of the four quadrant colours.
bool IsQuadrantColourRow(std::int32_t row);

// Colours of monsters whose question has no quadrant of its own (the
// quadrant game, where a quadrant colour would give the answer away, and the
// line game): none of them is a quadrant colour. The game draws one of the
// seven by Random(7).
constexpr std::int32_t NeutralMonsterColourCount = 7;
extern const std::array<std::uint32_t, 7> NeutralMonsterColours;

// The controls' colour, the neon of the title and the pages: the widgets'
// pieces and the HUD strip, multiplied by it, come out navy with neon rims.
constexpr std::uint32_t ControlTint = 0x6FD8FF;

// Colours of the game types 1..3 (index 0 for type 1): orange, magenta and
// violet, hues no quadrant has, light enough to read on navy. The mode
// buttons, the high-score tabs, the challenge tiles, the progress bars and the
// help pages all wear them. Difficulties have no colour of their own: the
// hues left over are the quadrants'.
constexpr std::array<std::uint32_t, 3> GameTypeColours = {0xFFA340, 0xF070F0, 0xC08CFF};

// The colour-blind-safe palette of the board, by quadrant 1..4 (entry 0, the
// axes, stays white): green, yellow, red and blue that also differ in
// lightness and in blue against yellow, so they stay apart for the children
// who cannot tell red from green.
extern const std::array<std::uint32_t, 5> ColourBlindQuadrants;

struct TLevel;
// The colour of quadrant 0..4 on the board: the level's own, or the
// colour-blind-safe one when that option is on. White for an index outside the table.
std::uint32_t QuadrantColour(const TLevel& level, bool colourBlind, std::int32_t quadrant);

// The opaque ground of each quadrant 1..4 (entry 0 unused), wherever a board is
// drawn: deep enough for white numbers and numerals to read at 4.5:1, and a
// step of lightness apart from one another (II lightest, then I, III, IV), so
// that the four stay apart in greyscale and to children who cannot tell red
// from green. Opaque, so no backdrop behind a board tints them.
extern const std::array<std::uint32_t, 5> QuadrantFills;
extern const std::array<std::uint32_t, 5> ColourBlindQuadrantFills;
// The ground of a quadrant the level asks nothing from.
constexpr std::uint32_t ClosedQuadrantFill = 0x23262D;
// The ground of quadrant 1..4 on the board of that level; 0 (the axes) and an
// index outside the table give the closed ground.
std::uint32_t QuadrantFill(const TLevel& level, bool colourBlind, std::int32_t quadrant);
// The usual ground of quadrant 1..4, for the pictures.
std::uint32_t QuadrantFill(std::int32_t quadrant);
// True when a ColourTable row's hue lies close to a quadrant colour's (deep
// blue beside blue): an axis in it would point at that quadrant.
bool LooksLikeQuadrantColourRow(std::int32_t row);
