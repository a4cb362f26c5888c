#pragma once
// Writes effect-bank files in the component-stream layout that the game reads
// (the layout is described in src/sound/sndWaveBank.h).
#include <cstdint>
#include <string>
#include <vector>

#include "sound/sndWaveBank.h"

std::vector<std::uint8_t> EncodeWaveBank(const std::string& objectName, const std::vector<TWaveItem>& items);
