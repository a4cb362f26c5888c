#pragma once
// The mark a judged answer leaves where the child clicked: a tick for a right
// answer, a cross for a wrong one. Shape alone tells them apart (a child who
// cannot tell the colours apart still can), and each has its own colour on a
// dark outline so that it stands out on any quadrant and over any monster. It
// shows in the step of the click, holds for a moment and fades; play never
// waits for it. It is an effect (kind ekMark) and ends like every effect.
#include <cstdint>

#include "game/libMaths.h"

class TobjEffect;
class TsysObjects;

namespace AnswerMark {
constexpr std::uint32_t HitColour = 0x33FF66;
constexpr std::uint32_t MissColour = 0xFF3333;
constexpr std::uint32_t OutlineColour = 0x000000;
constexpr std::int32_t HoldSteps = 24;  // at full strength
constexpr std::int32_t FadeSteps = 12;
constexpr double Layer = 5;
}  // namespace AnswerMark

// A tick (hit) or a cross (miss) centred at a world position (from the screen
// centre); null when the object cannot be made.
TobjEffect* MarkAnswer(TsysObjects* objects, std::int32_t group, TVector2 at, bool hit);
