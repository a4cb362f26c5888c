// Loading an image archive of 20 MB of pictures (unpacked) through LoadArchive:
// open, table, decompression, digest, payload parsing. Reported as unpacked bytes
// per second.
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

}  // namespace

BENCHMARK_MAIN();
