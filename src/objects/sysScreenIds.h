#pragma once
// Screen ids and the object groups of the screens. A screen's id is both the code
// that opens it and the code that closes it.
#include <cstdint>

// Screen ids: the code that opens a screen and the code that closes it.
enum : std::uint16_t {
  sidMainMenu = 1,
  sidMissions = 2,
  sidProfile = 4,
  sidOptions = 5,
  sidCredits = 6,
  sidGame = 7,
  sidArcade = 8,
  sidScores = 9,
  sidGameMenu = 10,
  sidGameOver = 11,
  sidLoading = 12,
  sidProfileCreate = 13,
  sidChallenge = 14,
  sidTutorial = 15,
  sidKeys = 20,
  sidProgress = 16,
  sidClassLevels = 17,
};

// Object groups of the screens.
enum : std::int32_t {
  grLoading = 0,
  grBackground = 1,
  grMainMenu = 2,
  grMissions = 3,
  grProfile = 5,
  grOptions = 6,
  grCredits = 7,
  grGame = 8,
  grGameOver = 13,
  grArcade = 15,
  grScores = 16,
  grGameMenu = 18,
  grProfileCreate = 19,
  grChallenge = 20,
  grTutorial = 21,
  grKeys = 12,
  grProgress = 22,
  grClassLevels = 17,
};
