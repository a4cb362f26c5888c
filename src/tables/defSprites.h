#pragma once
// Where the game's pictures are: the image numbers of the sprite set (image set 2)
// and of the other sets the game screen draws from. The generator writes the
// archives from this same table, so the code and the pictures cannot drift apart.
#include <cstdint>

namespace Sprite {

constexpr std::int32_t Set = 2;  // data/sprites.asdb

// Fixed numbers: the director forces the geometry of Monsters and PowerUps.
constexpr std::int32_t Monsters = 2;   // 44 patterns of 68 x 68: 0-19 small, 20-33 medium, 34-43 large
constexpr std::int32_t ZapLong = 3;    // 24 flicker patterns in rows 0, 8, 16; zaps over 384 pixels
constexpr std::int32_t ZapShort = 4;   // the same for shorter zaps
constexpr std::int32_t PowerUps = 6;   // frames of 48 x 48; frame 10 the glow behind every icon
constexpr std::int32_t BlastRing = 7;  // Radial Blast ring, additive
constexpr std::int32_t DoomRing = 8;   // Doom Device ring, additive

// Numbers of our own choosing. "Grey" pictures are drawn in white and greys for
// a tint (quadrant colour, cycling colour, or the widgets' control colour);
// "colour" pictures are finished and want the white vertex colour.
constexpr std::int32_t Backdrop = 0;         // grey, 128 x 128 tiles, patterns 0..5; the map picks 1..4
constexpr std::int32_t GridDot = 1;          // grey, one pattern of 32 x 32, drawn at 9..20 pixels
constexpr std::int32_t AnswerHighlight = 5;  // grey, one pattern of 32 x 32: a ring drawn over an answer dot
constexpr std::int32_t QuadrantTiles = 9;    // grey, 4 patterns of 128 x 128: quadrant 1, 2, 3, 4 (the tile, its numeral apart)
constexpr std::int32_t Status = 10;          // colour, 2 patterns of 64 x 64: StatusStopped, StatusSlowed
constexpr std::int32_t HudPanel = 11;        // grey (tint it like the widgets), 256 x 768, the strip left of the board
constexpr std::int32_t LifeIcon = 12;        // colour, one pattern, 48 x 48
constexpr std::int32_t ComboIcons = 13;      // colour, 2 patterns of 16 x 16: ComboBasic, ComboTime
constexpr std::int32_t DoomBar = 14;         // colour, 2 patterns of 256 x 48: DoomBarFill (stretched to the charge), DoomBarTrack
constexpr std::int32_t DoomButton = 15;      // colour, 2 patterns of 64 x 64: ButtonNormal, ButtonLit (charge full)
constexpr std::int32_t HelpButton = 16;      // colour, 2 patterns of 64 x 64: ButtonNormal, ButtonLit (hovered)
constexpr std::int32_t PushHighlight = 17;   // grey, one pattern, 64 x 64, push-button highlight
constexpr std::int32_t QuadrantNumerals = 18;  // colour, 4 patterns of 128 x 128: white numerals I..IV drawn over the tiles
constexpr std::int32_t Count = 19;           // images in the set

// Pattern sizes. Monsters and power-ups are forced by the director; the others
// are what the generator draws, no bigger than the game shows them.
constexpr std::int32_t MonsterSize = 68;
constexpr std::int32_t PowerUpSize = 48;
constexpr std::int32_t BackdropSize = 128;
constexpr std::int32_t BackdropPatterns = 6;
constexpr std::int32_t ZapPatterns = 24;   // rows 0, 8 and 16 of 8 flicker frames each
constexpr std::int32_t ZapHeight = 64;     // across the strip; the bolt runs along x at y 32
constexpr std::int32_t ZapLongWidth = 256;
constexpr std::int32_t ZapShortWidth = 128;
constexpr std::int32_t BlastRingSize = 256;
constexpr std::int32_t DoomRingSize = 192;
constexpr std::int32_t GridDotSize = 32;
constexpr std::int32_t QuadrantTileSize = 128;
constexpr std::int32_t StatusSize = 64;
constexpr std::int32_t HudPanelWidth = 256;
constexpr std::int32_t HudPanelHeight = 768;
constexpr std::int32_t LifeIconSize = 48;
constexpr std::int32_t ComboIconSize = 16;
constexpr std::int32_t DoomBarWidth = 256;
constexpr std::int32_t DoomBarHeight = 48;
constexpr std::int32_t ButtonSize = 64;  // Doom, help and the push highlight

// The HUD panel shows a tray for the power-up row (buttons at y 600, 48 high,
// resting at x 0, 50, 100, 150, 200) with the number keys 1..5 under it. The
// tray runs in from the screen's left edge and ends at HudTrayRight, clear of
// the panel's rim, so the fifth button sits inside it.
constexpr std::int32_t HudTrayY = 592;
constexpr std::int32_t HudTrayHeight = 80;
constexpr std::int32_t HudTrayRight = 250;
constexpr std::int32_t HudSlotY = 600;
constexpr std::int32_t HudSlotSize = 48;
constexpr std::int32_t HudSlotPitch = 50;
constexpr std::int32_t HudFirstSlotX = 200;  // the first (rightmost) button's place

// Patterns inside the pictures above.
constexpr std::int32_t StatusStopped = 0;
constexpr std::int32_t StatusSlowed = 1;
constexpr std::int32_t ComboBasic = 0;
constexpr std::int32_t ComboTime = 1;
constexpr std::int32_t DoomBarFill = 0;
constexpr std::int32_t DoomBarTrack = 1;
constexpr std::int32_t ButtonNormal = 0;
constexpr std::int32_t ButtonLit = 1;
constexpr std::int32_t PowerUpGlow = 10;
constexpr std::int32_t PowerUpFrames = 11;  // frames 6..9 are blank
constexpr std::int32_t MonsterPatterns = 44;
constexpr std::int32_t FirstMediumMonster = 20;
constexpr std::int32_t FirstLargeMonster = 34;
}  // namespace Sprite

// The spark dot and the plain white picture live in the core set (image set 0).
namespace CoreSprite {
constexpr std::int32_t Set = 0;
constexpr std::int32_t White = 0;  // a small plain white picture (answer lines, cells, bands)
constexpr std::int32_t FontSheet = 2;
constexpr std::int32_t SparkX = 146;  // a 2 x 2 opaque white dot on the font sheet
constexpr std::int32_t SparkY = 165;
}  // namespace CoreSprite

// Image sets of the tutorial pages (4, 5, 6 by game type) and the end-of-game
// pictures (7 missions, 8 arcade, 9 challenges).
namespace PictureSet {
constexpr std::int32_t TutorialFirst = 4;  // + game type - 1
constexpr std::int32_t GameOverMission = 7;
constexpr std::int32_t GameOverArcade = 8;
constexpr std::int32_t GameOverChallenge = 9;
}  // namespace PictureSet
