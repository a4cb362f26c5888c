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

// Numbers of our own choosing.
constexpr std::int32_t Backdrop = 0;         // 128 x 128 tiles, patterns 0..5; the map picks 1..4
constexpr std::int32_t GridDot = 1;          // one pattern, white, drawn at 9..20 pixels
constexpr std::int32_t AnswerHighlight = 5;  // one pattern, white ring/glow drawn over an answer
constexpr std::int32_t QuadrantTiles = 9;    // 4 patterns of 128 x 128: quadrant 1, 2, 3, 4
constexpr std::int32_t Status = 10;          // 2 patterns of 64 x 64: StatusStopped, StatusSlowed
constexpr std::int32_t HudPanel = 11;        // one picture, 256 x 768, the HUD strip left of the board
constexpr std::int32_t LifeIcon = 12;        // one pattern, 48 x 48
constexpr std::int32_t ComboIcons = 13;      // 2 patterns of 16 x 16: ComboBasic, ComboTime
constexpr std::int32_t DoomBar = 14;         // one picture, 256 x 48, stretched to the charge
constexpr std::int32_t DoomButton = 15;      // 2 patterns of 64 x 64: normal, lit (charge full)
constexpr std::int32_t HelpButton = 16;      // 2 patterns of 64 x 64: normal, hovered
constexpr std::int32_t PushHighlight = 17;   // one pattern, 64 x 64, push-button highlight
constexpr std::int32_t Count = 18;           // images in the set

// Patterns inside the pictures above.
constexpr std::int32_t StatusStopped = 0;
constexpr std::int32_t StatusSlowed = 1;
constexpr std::int32_t ComboBasic = 0;
constexpr std::int32_t ComboTime = 1;
constexpr std::int32_t PowerUpGlow = 10;
constexpr std::int32_t MonsterPatterns = 44;

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
