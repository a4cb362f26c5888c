// The image archives. Each archive is a list of images in the order the game
// indexes them.
#include "assetgen.h"
#include "data/ASDbWriter.h"
#include "genArt.h"
#include "review/genReview.h"
#include "pages/genGameOver.h"
#include "pictures/genSprites.h"
#include "pages/genTutorials.h"
#include "kit/genWords.h"
#include "data/sysLanguageArt.h"
#include "web/webPictures.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

namespace {

struct TWordPicture {
  std::string Archive;  // the English archive it stands in for, without ".asdb"
  TImage Image;
};

// Every picture that carries words, drawn in the language in use.
std::vector<TWordPicture> WordPictures() {
  std::vector<TWordPicture> out;
  auto add = [&out](const std::string& archive, std::vector<TImage> images) {
    for (TImage& image : images) out.push_back({archive, std::move(image)});
  };
  add("core", {LoadingPanelPicture()});
  add("screens", MenuBackdropQuarters());
  std::vector<TImage> interfaces = ModePreviewPictures();
  interfaces.push_back(ChallengeSheetPicture());
  add("interfaces", std::move(interfaces));
  const char* tutorials[3] = {"TutsQQ", "TutsWTP", "TutsDTL"};
  for (int type = 1; type <= 3; ++type) add(tutorials[type - 1], TutorialPictures(type));
  const char* endings[3] = {"GoTuts", "GoArcade", "GoChallenge"};
  for (int set = GameOverMissionSet; set <= GameOverChallengeSet; ++set)
    add(endings[set - GameOverMissionSet], GameOverPictures(set));
  return out;
}

bool SamePixels(const TImage& a, const TImage& b) {
  return a.TextureWidth == b.TextureWidth && a.TextureHeight == b.TextureHeight && a.Textures == b.Textures;
}

// The compiled catalogues of a folder: "fr.mo" gives language "fr".
std::vector<std::string> LanguagesIn(const std::string& dir) {
  std::vector<std::string> out;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 3 && name.compare(name.size() - 3, 3, ".mo") == 0) out.push_back(name.substr(0, name.size() - 3));
    }
    ::closedir(d);
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool SaveArchive(const TGenContext& ctx, const std::string& name, const std::vector<TImage>& images) {
  TASDbWriter writer;
  for (const TImage& image : images) {
    writer.AddImage(image);
    if (!ctx.ReviewDir.empty()) WriteReviewPng(image, ctx.ReviewDir + name + "-" + image.Name + ".png");
  }
  return writer.Save(ctx.OutDir + name + ".asdb");
}

}  // namespace

bool GenerateImageArchives(const TGenContext& ctx) {
  bool ok = true;
  // Set 0: what the first frame needs.
  std::vector<TImage> core;
  core.push_back(WhitePicture("white", 16));
  core.push_back(WhitePicture("white-2", 16));
  core.push_back(FontSheetPicture());
  core.push_back(LoadingPanelPicture());
  for (TImage& q : LoadingBackdropQuarters()) core.push_back(std::move(q));
  ok = SaveArchive(ctx, "core", core) && ok;
  // Set 1: the menu backdrop; images 4..7 are free, 8 is the corner picture.
  std::vector<TImage> screens = MenuBackdropQuarters();
  for (int i = 4; i < 8; ++i) screens.push_back(WhitePicture("free-" + std::to_string(i), 16));
  screens.push_back(CornerPicture());
  ok = SaveArchive(ctx, "screens", screens) && ok;
  // Set 3: widget sheet, mode previews, challenge sheet.
  std::vector<TImage> interfaces;
  interfaces.push_back(WidgetSheetPicture());
  for (TImage& preview : ModePreviewPictures()) interfaces.push_back(std::move(preview));
  interfaces.push_back(ChallengeSheetPicture());
  ok = SaveArchive(ctx, "interfaces", interfaces) && ok;
  if (!ctx.ReviewDir.empty()) {
    WriteContactSheets(ctx.ReviewDir, core, screens, interfaces);
    WriteMockups(ctx.ReviewDir, core, screens, interfaces);
  }
  // Set 2: the game board and its HUD.
  const std::vector<TImage> sprites = SpritePictures();
  ok = SaveArchive(ctx, "sprites", sprites) && ok;
  if (!ctx.ReviewDir.empty()) WriteSpriteSheets(ctx.ReviewDir, core, interfaces, sprites);
  // Filled by later work; the game reads them as empty sets meanwhile.
  // Sets 4, 5, 6: the tutorial pages of each game type.
  const char* tutorials[3] = {"TutsQQ", "TutsWTP", "TutsDTL"};
  std::vector<std::vector<TImage>> pages;
  for (int type = 1; type <= 3; ++type) {
    pages.push_back(TutorialPictures(type));
    ok = SaveArchive(ctx, tutorials[type - 1], pages.back()) && ok;
  }
  if (!ctx.ReviewDir.empty()) WriteTutorialSheet(ctx.ReviewDir, pages);
  // Sets 7, 8, 9: the end-of-game pictures.
  const char* endings[3] = {"GoTuts", "GoArcade", "GoChallenge"};
  std::vector<std::vector<TImage>> ends;
  for (int set = GameOverMissionSet; set <= GameOverChallengeSet; ++set) {
    ends.push_back(GameOverPictures(set));
    ok = SaveArchive(ctx, endings[set - GameOverMissionSet], ends.back()) && ok;
  }
  if (!ctx.ReviewDir.empty()) WriteGameOverSheet(ctx.ReviewDir, core, interfaces, ends);
  if (!ctx.CatalogueDir.empty()) ok = GenerateLanguageArchives(ctx) && ok;
  return ok;
}

bool GenerateLanguageArchives(const TGenContext& ctx) {
  bool ok = true;
  std::string why;
  UseLanguage("", why);
  const std::vector<TWordPicture> english = WordPictures();
  ::mkdir((ctx.OutDir + "lang").c_str(), 0755);
  std::vector<bool> changed(english.size(), false);  // by some language: the browser keeps it apart
  for (const std::string& language : LanguagesIn(ctx.CatalogueDir)) {
    if (!UseLanguage(ctx.CatalogueDir + language + ".mo", why)) {
      std::fprintf(stderr, "assetgen: %s%s.mo: %s\n", ctx.CatalogueDir.c_str(), language.c_str(), why.c_str());
      ok = false;
      continue;
    }
    const std::vector<TWordPicture> drawn = WordPictures();
    // Only what the language changes: the game shows the English picture for the rest.
    TASDbWriter writer;
    const std::string reviewDir = ctx.ReviewDir.empty() ? "" : ctx.ReviewDir + "lang-" + language + "/";
    if (!reviewDir.empty()) ::mkdir(reviewDir.c_str(), 0755);
    std::vector<std::vector<TImage>> review(3);  // the tutorial pages, by game type
    for (std::size_t i = 0; i < drawn.size() && i < english.size(); ++i) {
      if (SamePixels(drawn[i].Image, english[i].Image)) continue;
      changed[i] = true;
      TImage keyed = drawn[i].Image;
      keyed.Name = LanguageRecordKey(drawn[i].Archive, drawn[i].Image.Name);
      writer.AddImage(keyed);
      if (!reviewDir.empty()) WriteReviewPng(drawn[i].Image, reviewDir + drawn[i].Archive + "-" + drawn[i].Image.Name + ".png");
      const std::string& from = drawn[i].Archive;
      if (!ctx.ReviewDir.empty() && from.rfind("Tuts", 0) == 0)
        review[from == "TutsQQ" ? 0 : from == "TutsWTP" ? 1 : 2].push_back(drawn[i].Image);
    }
    ok = writer.Save(ctx.OutDir + LanguageArchiveName(language)) && ok;
    if (!reviewDir.empty()) WriteTutorialSheet(reviewDir, review);
  }
  UseLanguage("", why);
  std::vector<std::pair<std::string, std::string>> words;
  for (std::size_t i = 0; i < english.size(); ++i)
    if (changed[i]) words.emplace_back(english[i].Archive, english[i].Image.Name);
  return WriteWebPictures(ctx.OutDir, words) && ok;
}
