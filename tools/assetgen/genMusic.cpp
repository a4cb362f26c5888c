// The music archive.
#include "assetgen.h"
#include "data/ASDbWriter.h"

bool GenerateMusic(const TGenContext& ctx) {
  TASDbWriter writer;
  return writer.Save(ctx.OutDir + "Music.asdb");
}
