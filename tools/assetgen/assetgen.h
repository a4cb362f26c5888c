#pragma once
// The data generator: draws and synthesises every file of the data folder.
#include <string>

struct TGenContext {
  std::string OutDir;  // the data folder, with trailing '/'
  std::string ReviewDir;  // where review copies (PNG, WAV, OGG) go; empty = none
};

// Image archives: core, screens, sprites, interfaces, tutorial pages, end pictures.
bool GenerateImageArchives(const TGenContext& ctx);
// The eight effect banks (*.sl).
bool GenerateSoundBanks(const TGenContext& ctx);
// The music archive (Music.asdb).
bool GenerateMusic(const TGenContext& ctx);
