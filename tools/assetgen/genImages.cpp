// The image archives. Each archive is a list of images in the order the game
// indexes them.
#include "assetgen.h"
#include "data/ASDbWriter.h"
#include "genArt.h"
#include "review/genReview.h"
#include "pages/genGameOver.h"
#include "pictures/genSprites.h"
#include "pages/genTutorials.h"

namespace {

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
  return ok;
}
