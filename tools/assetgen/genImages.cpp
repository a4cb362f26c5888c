// The image archives. Each archive is a list of images in the order the game
// indexes them.
#include "assetgen.h"
#include "data/ASDbWriter.h"

bool GenerateImageArchives(const TGenContext& ctx) {
  bool ok = true;
  for (const char* name : {"core", "screens", "sprites", "interfaces", "TutsQQ", "TutsWTP", "TutsDTL", "GoTuts",
                           "GoArcade", "GoChallenge"}) {
    TASDbWriter writer;
    ok = writer.Save(ctx.OutDir + name + ".asdb") && ok;
  }
  return ok;
}
