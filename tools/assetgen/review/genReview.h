#pragma once
// Review mock-ups: screens put together from the generated pictures the way the
// game draws them (pieces stretched with linear filtering, tinted by multiply,
// text cut from the font sheet), for judging the art in context.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kit/artDraw.h"
#include "data/sysImages.h"
#include "kit/sheetLayout.h"
#include "tables/defColours.h"

class TMockup {
 public:
  TMockup(const TImage& fontSheet, const TImage& widgetSheet);
  ~TMockup();
  TMockup(const TMockup&) = delete;
  TMockup& operator=(const TMockup&) = delete;

  art::TSurface& Screen() { return Canvas; }
  // A whole picture at (x, y), scaled to w x h (0: its own size), multiplied by
  // a colour 0xRRGGBB at an alpha 0..255.
  void Picture(const TImage& image, double x, double y, double w = 0, double h = 0, std::uint32_t tint = 0xFFFFFF,
               int alpha = 255);
  // A region of a picture, drawn like a render item.
  void Region(const TImage& image, const TRect& src, double x, double y, double w, double h, std::uint32_t tint,
              int alpha, bool mirror = false);
  // A widget look from the widget sheet, put together at a size.
  void Widget(const char* frame, double x, double y, int w, int h, std::uint32_t tint = ControlTint, int alpha = 255);
  // Text from the font sheet at a size, as the text engine paints it.
  void Text(const std::string& text, int size, bool bold, bool shadow, double x, double y,
            std::uint32_t color = 0xFFFFFF, int alpha = 255);
  // Text centred in a box, the way centred text items place it.
  void TextCentred(const std::string& text, int size, bool bold, double x, double y, int w, int h,
                   std::uint32_t color = 0xFFFFFF);

 private:
  // Each picture multiplied by a colour, made once per picture and colour.
  const art::TSurface& Tinted(const TImage& image, std::uint32_t tint);
  art::TSurface Canvas;
  const TImage& Font;
  const TImage& Sheet;
  std::map<std::pair<const TImage*, std::uint32_t>, std::unique_ptr<art::TSurface>> Tints;
};

// Writes enlarged contact sheets of the font and widget sheets, the challenge
// sheet and the menu backdrop.
void WriteContactSheets(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& screens,
                        const std::vector<TImage>& interfaces);
// Writes the sprite set's review sheets: monsters at 1x and 2x in every game
// colour, power-ups, HUD pieces and the rest of the board pictures.
void WriteSpriteSheets(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& interfaces,
                       const std::vector<TImage>& sprites);
// A pattern of a picture scaled to w x h at (x, y), multiplied by a tint:
// smooth like the game's filtering or blocky for contact sheets, additive for
// the glowing pictures.
void DrawPattern(art::TSurface& dst, const TImage& image, int pattern, double x, double y, double w, double h,
                 std::uint32_t tint, int alpha, bool smooth, bool additive);
// The colours monsters are tinted with (0..6).
std::uint32_t MonsterTint(int i);
// Writes all fifteen tutorial pages on one sheet, at half size.
void WriteTutorialSheet(const std::string& dir, const std::vector<std::vector<TImage>>& pages);
// Writes the end-of-game pictures with the screen's buttons and labels over them.
void WriteGameOverSheet(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& interfaces,
                        const std::vector<std::vector<TImage>>& sets);
// Writes the loading screen, the main menu and a few widget screens as PNGs.
void WriteMockups(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& screens,
                  const std::vector<TImage>& interfaces);
