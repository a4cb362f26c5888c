#pragma once
// The classes of the game's own object types (map, grid point, monster, effect,
// spark), put into the object manager's factory table. The object system sits
// below the game, so the game fills in its entries itself.
#include <array>

#include "objects/sysObjects.h"

void AddGameObjectFactories(std::array<TObjectFactory, ObjectTypeCount>& factories);
