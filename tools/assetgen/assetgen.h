#pragma once
// The data generator: draws and synthesises every file of the data folder.
#include <string>

// The browser's copies of data files end so, beside the desktop's (which the
// install takes by their own endings): Music.asdb.web, fxdie.sl.web.
constexpr const char* WebSuffix = ".web";

struct TGenContext {
  std::string OutDir;  // the data folder, with trailing '/'
  std::string ReviewDir;  // where review copies (PNG, WAV, OGG) go; empty = none
  // Where the compiled catalogues (LANG.mo) are; empty = English only.
  std::string CatalogueDir;
};

// Image archives: core, screens, sprites, interfaces, tutorial pages, end pictures.
bool GenerateImageArchives(const TGenContext& ctx);
// The pictures with words once more in each language of CatalogueDir, each
// language in an archive of its own (data/lang/LANG.asdb) holding only the
// pictures its words change.
bool GenerateLanguageArchives(const TGenContext& ctx);
// The eight effect banks (*.sl).
bool GenerateSoundBanks(const TGenContext& ctx);
// The music archive (Music.asdb).
bool GenerateMusic(const TGenContext& ctx);
