#pragma once
// The archives the build generated (its data folder), read through the game's
// own archive reader and image loader; each is read once per test program.
#include <string>
#include <vector>

#include "data/sysImages.h"

// The images of data/<name> in image order; empty when the file cannot be read.
const std::vector<const TImage*>& BuiltArchive(const std::string& name);
