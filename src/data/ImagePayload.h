#pragma once
// The image payload of an image record: geometry, then the texel rows of every
// texture in one of eleven pixel formats, read into a TImage of 0xAARRGGBB pixels.
#include <cstddef>
#include <cstdint>
#include <string>

struct TImage;

// Bytes per pixel of a format code; 0 for an unknown code.
std::int32_t PixelFormatBytes(std::int32_t format);

// Fills the geometry and the textures of image (its name is left alone). False,
// with the reason in why, when the bytes are not a whole, consistent payload;
// nothing is allocated beyond what the bytes present can fill. Given texels,
// a payload whose texels are already 0xAARRGGBB words in memory fills only the
// geometry and points texels at them (the textures one after the other), so
// they can go to a device without a copy; otherwise texels is set to null.
bool ParseImagePayload(const std::uint8_t* data, std::size_t size, TImage& image, std::string& why,
                       const std::uint8_t** texels = nullptr);
