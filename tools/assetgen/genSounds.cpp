// The effect banks.
#include "assetgen.h"

bool GenerateSoundBanks(const TGenContext&) { return true; }
