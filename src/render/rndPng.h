#pragma once
// A small PNG writer for screenshots (8-bit RGBA, no interlace).
#include <cstdint>
#include <string>
#include <vector>

// Pixels are 0xAARRGGBB, rows from the top.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);
