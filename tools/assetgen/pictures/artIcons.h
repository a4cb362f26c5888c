#pragma once
// The game's small pictures in full colour: power-up icons, the Doom and help
// buttons, the life heart, combo icons and the status pictures. Each is drawn
// into a square at any size, so the tutorial pages show the very same icons.
#include "kit/artDraw.h"

// Power-up icon frames of the sprite set (0 Quadrant Blitz and the Doom Device,
// 1 Functional Analyser, 2 Plane Walls, 3 Velocity Bisector, 4 Translation
// Inhibiter, 5 Radial Blast); any other frame draws nothing.
void DrawPowerUpIcon(art::TSurface& s, double x, double y, double size, int frame);
// The soft glow drawn behind every power-up icon.
void DrawPowerUpGlow(art::TSurface& s, double x, double y, double size);

// The big red button of the Doom Device; lit when the charge is full.
void DrawDoomButton(art::TSurface& s, double x, double y, double size, bool lit);
// The round help button; lit while hovered.
void DrawHelpButton(art::TSurface& s, double x, double y, double size, bool lit);
// A glossy heart: one life.
void DrawHeart(art::TSurface& s, double x, double y, double size);
// The basic combo (a flame) and the time combo (a stopwatch).
void DrawFlame(art::TSurface& s, double x, double y, double size);
void DrawStopwatch(art::TSurface& s, double x, double y, double size);
// Over a monster: frozen in ice (stopped) or carrying a snail (slowed).
void DrawFrozen(art::TSurface& s, double x, double y, double size);
void DrawSlowed(art::TSurface& s, double x, double y, double size);
