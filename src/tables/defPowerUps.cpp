#include "tables/defPowerUps.h"

const std::array<TPowerUp, 7> PowerUpTable = {{
    {"Zorbex Doom Device", "Zorbex Doom Device", 0},
    {"Plane Walls", "Erects monster proof walls on two sides of the screen.", 2},
    {"Translation Inhibiter", "Stops Monster Movement.", 4},
    {"Radial Blast", "Knocks All Monsters Back.", 5},
    {"Velocity Bisector", "Halves Monster Movement Speed.", 3},
    {"Quadrant Blitz", "Kills All Monsters In One Quadrant.", 0},
    {"Functional Analyser", "Shows The Answers For All Monsters.", 1},
}};
