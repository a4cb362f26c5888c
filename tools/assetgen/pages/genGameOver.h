#pragma once
// The end-of-game pictures (data/GoTuts.asdb, GoArcade.asdb, GoChallenge.asdb),
// 480 x 360. The end-of-game screen lays buttons and labels over them; the
// pictures keep those places calm and write the captions the labels need.
#include <string>
#include <vector>

#include "data/sysImages.h"
#include "kit/sheetLayout.h"

constexpr int GameOverWidth = 480;
constexpr int GameOverHeight = 360;
// The cards' corners are cut round, concentric with their neon frame.
constexpr double GameOverCornerRadius = 17.5;

// Image sets of the pictures, as the game numbers them.
constexpr int GameOverMissionSet = 7;    // 0-2 level complete, 3-5 failed, 6-8 mission complete (by game type)
constexpr int GameOverArcadeSet = 8;     // 0 new high score, 1 game over
constexpr int GameOverChallengeSet = 9;  // 0 done as the game ended, 1 failed, 2 done

// A label the screen puts over a picture, and the caption written to its left.
struct TGameOverLabel {
  TRect Rect;           // relative to the picture, cut at its right edge
  std::string Caption;  // e.g. "TARGET:"
};

// The buttons of picture `image` of set `set`, relative to the picture.
std::vector<TRect> GameOverButtons(int set, int image);
std::vector<TGameOverLabel> GameOverLabels(int set);

// All pictures of a set (7, 8 or 9) in image order.
std::vector<TImage> GameOverPictures(int set);
