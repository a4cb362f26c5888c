#pragma once
// An overview of the world map with a rectangle for the visible part; the
// player picks a point by pressing or dragging on it (ekGame 10).
#include "objects/objBase.h"

class TobjMinimap : public TobjBase {
 public:
  TobjMinimap(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
              double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;

  // The item that marks the visible part; only one of this minimap's own items is accepted.
  bool SetViewItem(TrndGfx* item);
  TrndGfx* GetViewItem() const { return ViewItem; }

  bool MouseOver = false;
  bool Dragging = false;
  // The world's size in world units; the view item is scaled by it.
  double WorldWidth = 0;
  double WorldHeight = 0;

 private:
  void PlaceView();
  void PostPick(double x, double y);
  TrndGfx* ViewItem = nullptr;
};
