#pragma once
// The sprite set (data/sprites.asdb): every picture of the game board and its
// HUD, in the image order of the game's table (tables/defSprites.h).
#include <vector>

#include "data/sysImages.h"

// All Sprite::Count images, image i at index i.
std::vector<TImage> SpritePictures();

// The single pictures, for the tests and the review sheets.
TImage MonsterSheetPicture();
TImage PowerUpPicture();
