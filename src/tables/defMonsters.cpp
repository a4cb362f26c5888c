#include "tables/defMonsters.h"

const std::array<const char*, 10> MonsterNames = {
    "Frankencosine", "Sigmoid Floyd", "Draculogarithm", "Geozilla",     "Mathsotaur",
    "Magnigargoyle", "Sphinxentium",  "Pythonagorus",   "King Kurtosis", "Exponosferatu",
};
