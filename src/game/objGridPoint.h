#pragma once
// A clickable answer on the board: a dot on an integer point of the grid, or one
// of the four large quadrant tiles. It grows while the pointer is over it,
// flashes when clicked, can show an answer highlight, and reports hover
// (ekGame 24) and click (ekGame 16) to the monster director.
#include <cstdint>

#include "objects/objBase.h"

class TobjGridPoint : public TobjBase {
 public:
  TobjGridPoint(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                double layer, std::int32_t width, std::int32_t height);

  // Makes this point one of the quadrant tiles (quadrant 1..4): the tile picture,
  // sizes 128..150, dimmed, answering the point (+-1, +-1).
  void MakeTile(std::int32_t quadrant);
  // Stores the plane point and takes the colour of its quadrant from the level.
  void SetPoint(std::int32_t x, std::int32_t y);
  // The answer highlight in a colour for that many steps, fading in and out.
  void ShowAnswer(std::int32_t frames, std::uint32_t colour);
  void SetSelected(bool selected) { Selected = selected; }
  // Answers with this point as a click on it does (the flash and ekGame 16).
  void Answer();
  // Reports the point as under the pointer (ekGame 24), as the pointer does.
  void ReportHover();
  // Whether a point of the world (from the screen centre) lies on this point's cell.
  bool Under(double mx, double my) const;

  void HandleEvent(TsysEvent* event) override;
  // Growth, flash and highlight, every step while the game runs.
  void ProcessEvents() override;

  std::int32_t PointX = 0;
  std::int32_t PointY = 0;
  // A resting dot is drawn no fainter than this.
  static constexpr std::int32_t DotMinAlpha = 224;
  // A playable quadrant tile is drawn no fainter than this.
  static constexpr std::int32_t TileMinAlpha = 190;
  double DotSize = 9;
  double MinSize = 9;
  double MaxSize = 20;
  bool Hovered = false;
  bool Selected = false;
  bool PeakSounded = false;
  bool Dim = false;
  bool IsTile = false;
  std::uint8_t BaseRed = 255;
  std::uint8_t BaseGreen = 255;
  std::uint8_t BaseBlue = 255;
  std::int32_t FlashRed = 255;
  std::int32_t FlashGreen = 255;
  std::int32_t FlashBlue = 255;
  bool Flashing = false;
  bool FlashRising = false;
  std::int32_t AnswerTime = 0;
  std::int32_t AnswerLeft = 0;
  TrndGfx* Highlight = nullptr;
  TrndGfx* Numeral = nullptr;  // a tile's numeral, drawn over it untinted

 private:
  void DrawDot();
  std::uint32_t DrawnColour() const;
};
