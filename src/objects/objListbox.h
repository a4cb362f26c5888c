#pragma once
// A scrollable column of text lines with a selection bar and a vertical scroll bar.
#include <string>
#include <vector>

#include "objects/objBase.h"

class TobjListbox : public TobjBase {
 public:
  static constexpr std::int32_t LineHeight = 12;
  static constexpr std::int32_t ThumbMin = 41;
  static constexpr std::int32_t WheelLines = 3;  // lines scrolled by one notch of the wheel

  TobjListbox(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
              double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;

  // Appends a line (shown as plain text); RebuildList shows it.
  void AddLine(const std::string& text);
  void RebuildList();
  // Selects a line and scrolls it into view.
  void SelectLine(std::int32_t index);
  // Moves the thumb to y = thumb (clamped) and scrolls the content with it.
  void ScrollTo(double thumb);
  std::int32_t LineCount() const { return static_cast<std::int32_t>(Lines.size()); }

  std::vector<std::string> Lines;
  bool MouseOver = false;
  bool DraggingThumb = false;
  std::int32_t ThumbMax = 0;
  double ThumbPos = ThumbMin;
  double GrabY = 0;
  std::int32_t Overflow = 0;
  double ScrollRatio = 0;
  double ScrolledBy = 0;
  std::int32_t SelectedIndex = -1;
  // The height of the whole lines the list area shows.
  std::int32_t VisibleHeight = 0;

  TrndGfx* Track = nullptr;
  TrndGfx* ScrollUp = nullptr;
  TrndGfx* ScrollDown = nullptr;
  TrndGfx* Thumb = nullptr;
  TrndGfx* SelectionBar = nullptr;
  TrndText* ListText = nullptr;

 private:
  bool OnItem(const TrndGfx* item, double x, double y) const;
};
