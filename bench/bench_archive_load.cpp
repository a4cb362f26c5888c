// Loading an image archive of 20 MB of pictures (unpacked) through LoadArchive:
// open, table, decompression, digest, payload parsing; then the game's own
// archives. Reported as unpacked bytes per second of CPU time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "data/ASDbWriter.h"
#include "data/sysResources.h"

namespace {

constexpr int ImageCount = 20;
constexpr int Side = 512;  // 512 x 512 x 4 bytes = 1 MiB per picture

// Smooth shapes with a little grain, compressing about as well as drawn sprites.
TImage Picture(int index, std::mt19937& random) {
  TImage image;
  image.Name = "picture" + std::to_string(index);
  image.PatternWidth = image.VisibleWidth = image.TextureWidth = Side;
  image.PatternHeight = image.VisibleHeight = image.TextureHeight = Side;
  image.PatternCount = 1;
  image.Textures.emplace_back(static_cast<std::size_t>(Side) * Side);
  auto& pixels = image.Textures.back();
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) {
      const int dx = x - Side / 2, dy = y - Side / 2;
      const bool inside = dx * dx + dy * dy < (Side / 3) * (Side / 3);
      const std::uint32_t grain = random() & 0x03;
      const std::uint32_t alpha = inside ? 0xFF : 0x00;
      pixels[static_cast<std::size_t>(y) * Side + x] =
          alpha << 24 | ((x + index * 16) & 0xFF) << 16 | ((y + grain) & 0xFF) << 8 | ((x ^ y) & 0xFF);
    }
  return image;
}

// A scratch folder for the save files the resources object writes, removed at exit.
const std::string& Dir() {
  static const struct TSaves {
    TSaves() {
      Path = (std::filesystem::temp_directory_path() / ("plotfray-bench-saves-" + std::to_string(::getpid()))).string() + "/";
      std::filesystem::create_directories(Path);
    }
    ~TSaves() { std::filesystem::remove_all(Path); }
    std::string Path;
  } saves;
  return saves.Path;
}

struct TFixture {
  TFixture() {
    Dir = (std::filesystem::temp_directory_path() / ("plotfray-bench-" + std::to_string(::getpid()))).string() + "/";
    std::filesystem::create_directories(Dir);
    std::mt19937 random(1);
    TASDbWriter writer;
    for (int i = 0; i < ImageCount; ++i) {
      const TImage image = Picture(i, random);
      Unpacked += static_cast<std::int64_t>(EncodeImagePayload(image).size());
      writer.AddImage(image);
    }
    writer.Save(Dir + "bench.asdb");
    Packed = static_cast<std::int64_t>(std::filesystem::file_size(Dir + "bench.asdb"));
  }
  ~TFixture() { std::filesystem::remove_all(Dir); }
  std::string Dir;
  std::int64_t Unpacked = 0;
  std::int64_t Packed = 0;
};

void BM_LoadArchive(benchmark::State& state) {
  static TFixture fixture;
  for (auto _ : state) {
    state.PauseTiming();
    auto resources = std::make_unique<TsysResources>(nullptr, fixture.Dir);
    state.ResumeTiming();
    const std::int32_t set = resources->LoadArchive(fixture.Dir + "bench.asdb");
    if (resources->ImageSet(set)->Count() != ImageCount) state.SkipWithError("images missing");
    benchmark::DoNotOptimize(resources->ImageSet(set)->Image(ImageCount - 1)->Textures[0][0]);
    state.PauseTiming();
    resources.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * fixture.Unpacked);
  state.counters["unpacked_MB"] = static_cast<double>(fixture.Unpacked) / 1e6;
  state.counters["file_MB"] = static_cast<double>(fixture.Packed) / 1e6;
}
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The game's own image archives as the build generated them, one after the
// other as the director loads them (no device: the pictures stay as pixels).
void BM_LoadGameArchives(benchmark::State& state) {
  const std::string data = PLOTFRAY_DATA_DIR;
  const char* const names[] = {"core.asdb",   "screens.asdb", "sprites.asdb", "interfaces.asdb", "TutsQQ.asdb",
                               "TutsWTP.asdb", "TutsDTL.asdb", "GoTuts.asdb",  "GoArcade.asdb",   "GoChallenge.asdb"};
  std::int64_t unpacked = 0;
  std::int64_t images = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto resources = std::make_unique<TsysResources>(nullptr, Dir());
    state.ResumeTiming();
    for (const char* name : names) resources->LoadArchive(data + name);
    state.PauseTiming();
    unpacked = 0;
    images = 0;
    for (std::int32_t s = 0; s < resources->ImageSetCount(); ++s)
      for (std::int32_t i = 0; i < resources->ImageSet(s)->Count(); ++i, ++images) {
        const TImage* image = resources->ImageSet(s)->Image(i);
        unpacked += 33 + static_cast<std::int64_t>(image->TextureWidth) * image->TextureHeight * 4 * image->TextureCount;
      }
    resources.reset();
    state.ResumeTiming();
  }
  if (images == 0) state.SkipWithError(("no pictures in " + data).c_str());
  state.SetBytesProcessed(state.iterations() * unpacked);
  state.counters["unpacked_MB"] = static_cast<double>(unpacked) / 1e6;
  state.counters["pictures"] = static_cast<double>(images);
}
BENCHMARK(BM_LoadGameArchives)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
