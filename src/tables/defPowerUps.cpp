#include "tables/defPowerUps.h"

#include "core/sysCatalogue.h"

const std::array<TPowerUp, 7> PowerUpTable = {{
    {TrMark("Zorbex Doom Device"), TrMark("Zorbex Doom Device"), 0},
    {TrMark("Plane Walls"), TrMark("Erects monster proof walls on two sides of the screen."), 2},
    {TrMark("Translation Inhibiter"), TrMark("Stops Monster Movement."), 4},
    {TrMark("Radial Blast"), TrMark("Knocks All Monsters Back."), 5},
    {TrMark("Velocity Bisector"), TrMark("Halves Monster Movement Speed."), 3},
    {TrMark("Quadrant Blitz"), TrMark("Kills All Monsters In One Quadrant."), 0},
    {TrMark("Functional Analyser"), TrMark("Shows The Answers For All Monsters."), 1},
}};
