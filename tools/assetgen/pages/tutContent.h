#pragma once
// What each tutorial page says, worked out from the row of its mission level:
// the quadrants, range, kinds of question and power-ups that the level really
// has, and a worked example made by the same rules the monsters follow.
#include <cstdint>
#include <string>
#include <vector>

#include "game/libMaths.h"

// One question as a monster shows it, and its answer.
struct TTutorialExample {
  std::string Label;               // exactly as on the monster, e.g. "(-X,Y)", "(-3+5,2)", "y=2x+3"
  std::vector<TIntPoint> Answer;   // the point to click; two points for a line
  std::int32_t Quadrant = 0;       // QuadrantOf the point (Rozir Ivivuruda and Vove'r uda Zerir?)
  std::vector<std::string> Steps;  // how to work it out, short lines
  // A sloped line's staircase: from where it is started (the y-intercept, or
  // the origin) across Run steps and up Rise steps to the other answer point.
  bool HasWalk = false;
  TIntPoint WalkFrom;
  std::int32_t Run = 0, Rise = 0;  // signed: left and down are negative
  // One line for a row of worked examples: the walk and the points to pick.
  std::string Summary;
  bool OnPlane = true;  // drawn on the page's plane (a row of the examples only, when false)
};

struct TTutorialPage {
  std::int32_t GameType = 0;
  std::int32_t Level = 0;  // 1..5
  std::string Kicker;      // "ROZIR IVIVURUDA - LEVEL 1"
  std::string Headline;
  // Three to five short sentences. Words between asterisks are highlighted.
  std::vector<std::string> Sentences;
  std::int32_t Range = 0;  // grid points run from -Range to Range
  bool QuadrantAllowed[5] = {};
  std::int32_t QuadrantColour[5] = {};  // ColourTable rows, as the board shows them
  std::vector<TTutorialExample> Examples;
  std::vector<std::int32_t> PowerUps;  // PowerUpTable rows the page shows (0: the Doom Device)
  std::int32_t ComboMin = 0;           // set where combos first start to pay: the combo length
  std::int32_t KillsToWin = 0;
};

// The page of mission level 1..5 of game type 1..3.
TTutorialPage TutorialPage(std::int32_t gameType, std::int32_t level);

// "(X,Y)", "(-X,Y)", ... for the quadrant corner (x, y).
std::string QuadrantLabel(std::int32_t x, std::int32_t y);
// " = " that keeps an equation on one line when text wraps.
extern const char* const KeptEquals;
// Roman numeral of a quadrant 1..4.
std::string QuadrantNumeral(std::int32_t quadrant);
