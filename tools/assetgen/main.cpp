// assetgen --out DIR [--catalogues DIR] [--review DIR] [--icons DIR]: writes
// every data file into DIR, with --catalogues the pictures with words once more
// in each language compiled there (LANG.mo); with --review also PNG, WAV and
// OGG copies of everything it made, for looking at; with --icons the desktop
// icons (alone, --icons needs no --out); assetgen --font-codes FILE writes the
// codes the font sheet draws, one a line, for the translations' check.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <future>
#include <string>

#include "assetgen.h"
#include "pictures/genFont.h"
#include "pictures/genIcons.h"

namespace {

void MakeDirs(const std::string& path) {
  std::string partial;
  for (std::size_t i = 0; i < path.size(); ++i) {
    partial += path[i];
    if (path[i] == '/' || i + 1 == path.size()) ::mkdir(partial.c_str(), 0755);
  }
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

int main(int argc, char** argv) {
  TGenContext ctx;
  std::string iconDir;
  if (argc == 3 && std::strcmp(argv[1], "--font-codes") == 0) {
    std::FILE* f = std::fopen(argv[2], "w");
    if (f == nullptr) return 1;
    for (const int code : DrawnFontCodes()) std::fprintf(f, "%d\n", code);
    return std::fclose(f) == 0 ? 0 : 1;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--out") == 0) ctx.OutDir = WithSlash(argv[i + 1]);
    if (std::strcmp(argv[i], "--review") == 0) ctx.ReviewDir = WithSlash(argv[i + 1]);
    if (std::strcmp(argv[i], "--icons") == 0) iconDir = WithSlash(argv[i + 1]);
    if (std::strcmp(argv[i], "--catalogues") == 0) ctx.CatalogueDir = WithSlash(argv[i + 1]);
  }
  if (ctx.OutDir.empty() && iconDir.empty()) {
    std::fprintf(stderr, "usage: assetgen --out DIR [--catalogues DIR] [--review DIR] [--icons DIR]\n");
    return 2;
  }
  if (!iconDir.empty()) {
    MakeDirs(iconDir);
    if (!GenerateIcons(iconDir)) return 1;
    if (ctx.OutDir.empty()) return 0;
  }
  MakeDirs(ctx.OutDir);
  if (!ctx.ReviewDir.empty()) MakeDirs(ctx.ReviewDir);
  // Pictures, effects and music are independent: made side by side.
  auto images = std::async(std::launch::async, [&ctx] { return GenerateImageArchives(ctx); });
  auto sounds = std::async(std::launch::async, [&ctx] { return GenerateSoundBanks(ctx); });
  bool ok = GenerateMusic(ctx);
  ok = sounds.get() && ok;
  ok = images.get() && ok;
  if (!ok) {
    std::fprintf(stderr, "assetgen: some files could not be made\n");
    return 1;
  }
  return 0;
}
