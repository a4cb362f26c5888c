#pragma once
// The keyboard's place on the board: a ring over one grid point (over one
// quadrant tile in Rozir Ivivuruda) that the arrows move and that follows the
// pointer too; Home takes it to the origin (quadrant I on tiles), Page Up and
// Page Down five points up or down. Enter or Space answers there as a click
// on that point does, so Define the Line takes two, and the band follows the
// cursor from the first. The game screen hands it the keys and the pointer;
// the ring shows while the game is played, and the point it is on is the one
// point that grows.
#include <cstdint>

struct TsysEvent;
class TobjBase;
class TobjGridPoint;
class TobjMap;
class TsysObjects;
class TsysResources;

class TobjCursor {
 public:
  TobjCursor(TsysObjects* objects, TsysResources* resources, std::int32_t group);

  // A new board: the cursor goes to the origin (to quadrant I on tiles).
  void Place(TobjMap* map, bool quadrants);
  // The board is gone: forget it and its points.
  void Clear();
  // Arrows (ekKeys 7), Enter and Space (ekKeys 8) and the pointer (ekMouse 1);
  // true when the cursor used the event.
  bool HandleEvent(const TsysEvent& event);
  // Shows the ring while the game runs, hides it under a panel, every step.
  void Step();

  // Where the cursor is: a plane point, or (on tiles) the quadrant 1..4.
  std::int32_t PointX = 0;
  std::int32_t PointY = 0;
  std::int32_t Quadrant = 1;
  bool OnTiles = false;
  // The ring (null before the first board).
  TobjBase* Ring = nullptr;

  // The grid point or tile under the cursor; null when there is none.
  TobjGridPoint* Target() const;

 private:
  void Move(int key);
  // Home, Page Up, Page Down.
  void Jump(int key);
  void Follow(double screenX, double screenY);
  // The cursor went to a new place: the point there hears of it as of the pointer.
  void Arrived();
  void Draw();
  static std::int32_t QuadrantOfTile(const TobjGridPoint* tile);

  TsysObjects* Objects;
  TsysResources* Resources;
  std::int32_t Group;
  TobjMap* Map = nullptr;
  // The point the cursor made grow, given back when it leaves.
  TobjGridPoint* Grown = nullptr;
};
