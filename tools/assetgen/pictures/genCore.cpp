// Pictures of the core set that are not backdrops: white squares, the font sheet.
#include "kit/artDraw.h"
#include "genArt.h"
#include "pictures/genFont.h"

TImage WhitePicture(const std::string& name, int size) {
  return art::MakeImage(name, size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, 0xFFFFFFFF));
}

TImage FontSheetPicture() { return art::MakeImage("font", FontSheetWidth, FontSheetHeight, DrawFontSheet()); }

bool WriteReviewPng(const TImage& image, const std::string& path) {
  if (image.Textures.empty()) return false;
  art::TSurface s(image.TextureWidth, image.TextureHeight);
  s.SetPixels(image.Textures[0]);
  return s.WritePng(path);
}
