#pragma once
// What the monster director tells the answer log: each monster an answer hits,
// and for a miss the question the child most likely meant, written the way the
// reports show them (a quadrant as II, a point as (2,-1), a line as y=2x+3).
#include <string>
#include <vector>

#include "data/sysAnswerRow.h"
#include "game/libMaths.h"

class TobjMonster;
class TsysObjects;
class TsysResources;

// "I".."IV" for quadrant 1..4; "" otherwise.
std::string QuadrantAnswer(std::int32_t quadrant);
// The line through two distinct grid points, exactly: x=2, y=-1, y=(2/3)x-1/3.
std::string LineThrough(TIntPoint a, TIntPoint b);

// A monster's question and its right answer, with what the game knows of
// where and how it was given; the given answer and the verdict are left to the caller.
TAnswerRow AnswerOf(const TobjMonster& monster, const TsysResources& res);

// The living monster a wrong answer was most likely aimed at: in the quadrant
// game the nearest the origin, for a point the one whose answer lies nearest
// it, for a line the one whose line passes through more of the two points;
// ties go to the one nearest the origin. Null when none is asking.
TobjMonster* MissTarget(const TsysObjects& objects, std::int32_t game, const std::vector<TIntPoint>& given);
