#pragma once
// The monsters of the game sheet: 44 rectangular creatures, each put together
// from a recipe of body, eyes, mouth, head, feet, arms and markings. Drawn in
// white and greys with black outlines, eyes and mouths, so the game's tint
// colours the body and the face stays readable.
#include <vector>

#include "kit/artDraw.h"

namespace creature {
enum Shape { Box, Soft, Dome, Ghost, Pear, Fluffy, Spiky, Robot };
enum Eyes { Two, TwoBig, One, Three, Wonky, Glasses, Square, Stalks };
enum Mood { Plain, Sleepy, Angry, Happy, Surprised, Worried };
enum Mouth { Grin, Oh, Zigzag, Fangs, Toothy, Tongue, Buck, Smirk, Roar, Tiny, Clenched, Catlike };
enum Head {
  Bare,
  Horns,
  Curled,
  Antennae,
  Antenna,
  Tuft,
  CatEars,
  RoundEars,
  Unicorn,
  Crown,
  Sprout,
  Bunny,
  Mohawk,
  Bolts,
  Propeller
};
enum Feet { Stubs, Claws, BigFeet, Hover, Legs, ThreeStubs };
enum Arms { NoArms, Down, Raised, Waving, ClawsOut, TinyArms };
enum Marks { Clean, Belly, Spots, Stripes, Blush, Freckles, Stitches, Symbol, Mask, Rivets };
}  // namespace creature

struct TCreature {
  int Shape = creature::Box;
  double Aspect = 1;   // body width / height
  double Height = 42;  // body height in units of a 68-unit pattern
  int Eyes = creature::Two;
  int Mood = creature::Plain;
  int Mouth = creature::Grin;
  int Head = creature::Bare;
  int Feet = creature::Stubs;
  int Arms = creature::Down;
  int Marks = creature::Clean;
  const char* Symbol = "";        // the belly symbol of Marks::Symbol, UTF-8
  double LookX = 0, LookY = 0.2;  // pupils, -1..1
};

// Patterns 0..43 of the sheet: 0-19 small, 20-33 medium, 34-43 large.
const std::vector<TCreature>& CreatureRecipes();

// Draws a creature in the square (x, y, size, size); the sheet uses 68.
void DrawCreature(art::TSurface& s, double x, double y, double size, const TCreature& c);
