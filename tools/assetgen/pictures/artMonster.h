#pragma once
// Monsters: rectangular creatures with big eyes, mouths, horns and feet.
#include <cstdint>
#include <string>

#include "kit/artDraw.h"

struct TMonsterLook {
  int Mouth = 0;      // 0 grin with teeth, 1 open "O", 2 zigzag, 3 smile with fangs
  int Head = 0;       // 0 nothing, 1 horns, 2 antennae, 3 tuft
  bool Arms = true;
  double LookX = 0;   // pupils: -1 .. 1 left to right
  double LookY = 0;
  double Aspect = 1;  // width / height of the body
};

// Draws a monster centred on (cx, cy) whose body is `size` pixels high, in a
// body colour (white and greys for tinted sprites), with a soft shadow.
void DrawMonster(art::TSurface& s, double cx, double cy, double size, const art::TRGBA& body, const TMonsterLook& look);

// The question a monster carries: a dark tag with bright monospace text, centred
// on (cx, bottom edge at y).
void DrawQuestionTag(art::TSurface& s, const std::string& text, double cx, double bottom, double size,
                     const art::TRGBA& ink);

// A mouse pointer with its tip at (x, y).
void DrawPointer(art::TSurface& s, double x, double y, double scale);
