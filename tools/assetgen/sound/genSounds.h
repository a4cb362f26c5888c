#pragma once
// The effect banks, made in memory so the tests can examine them.
#include <cstdint>
#include <string>
#include <vector>

#include "sound/synth.h"

struct TEffectWave {
  std::string Name;
  std::int32_t MaxPlayingCount = 0;
  bool Looped = false;
  synth::TBuffer Samples;  // mono, synth::Rate, finished (faded, levelled)
};

struct TEffectBank {
  std::string File;  // e.g. "fxdie.sl"
  std::vector<TEffectWave> Waves;
};

// The eight banks in the game's bank order.
std::vector<TEffectBank> MakeEffectBanks();
