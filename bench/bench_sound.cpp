// The first play of an effect: its wave read again from the bank file and made
// into a mixer sample (converted to the output's format), for the largest wave
// of the game's banks and for the menu's mouse-over wave. Runs on SDL's dummy
// audio driver unless SDL_AUDIODRIVER says otherwise.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platAudio.h"
#include "sound/modSound.h"
#include "sound/sndWaveBank.h"

namespace {

struct TLargest {
  std::string Path;
  std::int32_t Index = -1;
  std::size_t Size = 0;
};

// The largest wave of every bank, found by loading each one.
TLargest FindLargest(TsndDevice* device) {
  TLargest best;
  for (const char* file : EffectBankFiles) {
    const std::string path = std::string(PLOTFRAY_DATA_DIR) + file;
    TsndWaveBank bank(device);
    if (!bank.LoadFromFile(path)) continue;
    for (std::int32_t i = 0; i < bank.Count(); ++i)
      if (bank.Wave(i).Size > best.Size) best = {path, i, bank.Wave(i).Size};
  }
  return best;
}

void FirstPlay(benchmark::State& state, const std::string& path, std::int32_t index) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  TplatAudio audio;
  if (!audio.Open()) {
    state.SkipWithError("no audio output");
    return;
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TsndWaveBank bank(&audio);
    const bool loaded = bank.LoadFromFile(path);
    state.ResumeTiming();
    if (!loaded || !bank.Prepare(index)) {
      state.SkipWithError("the wave cannot be made");
      return;
    }
    bytes = bank.Wave(index).Size;
    state.PauseTiming();
    bank.Clear();
    state.ResumeTiming();
  }
  state.counters["wave_bytes"] = static_cast<double>(bytes);
}

void BM_FirstPlayLargestEffect(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  TLargest largest;
  {
    TplatAudio probe;
    if (probe.Open()) largest = FindLargest(&probe);
  }
  if (largest.Index < 0) {
    state.SkipWithError("no effect bank in the data folder");
    return;
  }
  state.SetLabel(largest.Path.substr(largest.Path.rfind('/') + 1) + " wave " + std::to_string(largest.Index));
  FirstPlay(state, largest.Path, largest.Index);
}
BENCHMARK(BM_FirstPlayLargestEffect)->Unit(benchmark::kMicrosecond);

void BM_FirstPlayMouseOver(benchmark::State& state) {
  FirstPlay(state, std::string(PLOTFRAY_DATA_DIR) + "fxmouseover.sl", 0);
}
BENCHMARK(BM_FirstPlayMouseOver)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
