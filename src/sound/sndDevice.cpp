#include "sound/sndDevice.h"

#include <cmath>

double LinearVolume(std::int32_t centibels) { return std::pow(10.0, static_cast<double>(centibels) / 2000.0); }
