#include "game/defColours.h"

const std::array<std::uint32_t, 9> ColourTable = {
    0xFF0000,  // red
    0x00FF00,  // green
    0x0000FF,  // blue
    0xFFFF00,  // yellow
    0xFF00FF,  // magenta
    0x00FFFF,  // cyan
    0x004EFF,  // deep blue
    0xFFFFFF,  // white
    0x808080,  // grey
};
