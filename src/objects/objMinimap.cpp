#include "objects/objMinimap.h"

#include <algorithm>

#include "core/sysRound.h"
#include "data/sysResources.h"

TobjMinimap::TobjMinimap(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                         double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekGame | ekMouse;
}

bool TobjMinimap::SetViewItem(TrndGfx* item) {
  const bool own = std::any_of(Items.begin(), Items.end(),
                               [item](const std::unique_ptr<TrndGfx>& mine) { return mine.get() == item; });
  ViewItem = own ? item : nullptr;
  return own;
}

void TobjMinimap::PlaceView() {
  if (Resources == nullptr || WorldWidth <= 0 || WorldHeight <= 0 || Resources->Zoom <= 0) return;
  // The item may have been deleted since it was given.
  if (!SetViewItem(ViewItem)) return;
  const double hw = 512 / Resources->Zoom;
  const double hh = 384 / Resources->Zoom;
  const double sx = Width / WorldWidth;
  const double sy = Height / WorldHeight;
  ViewItem->RelX = std::max(0.0, (Resources->CameraX - hw) * sx + Width / 2.0);
  ViewItem->RelY = std::max(0.0, (Resources->CameraY - hh) * sy + Height / 2.0);
  ViewItem->Width = Round32(std::min(2 * hw * sx, static_cast<double>(Width)));
  ViewItem->Height = Round32(std::min(2 * hh * sy, static_cast<double>(Height)));
}

void TobjMinimap::PostPick(double x, double y) {
  PostEvent(pmQueued, ekGame, 10, static_cast<std::intptr_t>(Round(x) - Round(X)),
            static_cast<std::int32_t>(Round(y) - Round(Y)));
}

void TobjMinimap::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (event->Kind == ekGame) {
    if (event->Code == 11) PlaceView();
    return;
  }
  if (event->Kind != ekMouse || !Visible) return;
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1:
      MouseOver = Contains(x, y);
      if (Dragging) PostPick(x, y);
      break;
    case 2:
      if (MouseOver && !Dragging) {
        PostPick(x, y);
        Dragging = true;
      }
      break;
    case 3:
      Dragging = false;
      break;
    default:
      break;
  }
}
