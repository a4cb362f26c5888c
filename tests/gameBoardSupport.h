#pragma once
// A game board on a real bus, built the way the game screen builds it: the map,
// the four quadrant tiles and the grid points, monsters set up from the level,
// the monster director, and a stand-in for the game screen that deletes
// monsters, effects and sparks on their done events. Input is posted as the
// input module posts it, one logic step at a time.
#include <cstdint>
#include <vector>

#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "game/modAI.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

struct TGameEvent {
  std::int32_t Kind;
  std::uint16_t Code;
  std::intptr_t Param;
  std::int32_t Value;
};

// Stands in for the game screen: records what the game core reports and deletes
// what the game screen deletes (monsters on 17, effects on 22, sparks on 47).
class TBoardScreen : public TsysEventComponent {
 public:
  TBoardScreen(TsysObjects* objects, const TsysEventComponent* input) : Objects(objects), Input(input) {
    EventMask = ekGame | ekSound;
  }
  void HandleEvent(TsysEvent* e) override;
  int Count(std::int32_t kind, std::uint16_t code) const;
  const TGameEvent* Last(std::int32_t kind, std::uint16_t code) const;
  void Clear() { Got.clear(); }

  std::vector<TGameEvent> Got;
  bool DeleteDone = true;  // delete objects on their done events

 private:
  TsysObjects* Objects;
  const TsysEventComponent* Input;
};

class TGameBoard {
 public:
  // withDevice: text items get render targets on a recording device.
  explicit TGameBoard(bool withDevice = true);
  ~TGameBoard();
  TGameBoard(const TGameBoard&) = delete;
  TGameBoard& operator=(const TGameBoard&) = delete;

  // Draws on another device from now on (a real one, for pictures of the board).
  void UseDevice(TrndDevice* device);

  // The level of a mission (played at Medium) or of an arcade game after some level-ups.
  void UseMission(std::int32_t gameType, std::int32_t level);
  void UseArcade(std::int32_t gameType, std::int32_t difficulty, std::int32_t levelUps = 0);
  std::int32_t Range() const;
  // Every monster spawned from now on has this size (1..3).
  void ForceSize(std::int32_t size);

  // Map, tiles and grid points, as the game screen's board.
  void Build();
  // A monster set up from the level, placed at (x, y) from the screen centre.
  TobjMonster* Spawn(double x, double y);
  // Spawn, then steps until it has grown in (the game keeps running meanwhile).
  TobjMonster* SpawnGrown(double x, double y);
  // Gives a monster a line question through p and q, as Define the Line would.
  static void GiveLine(TobjMonster* m, TIntPoint p, TIntPoint q);

  TobjGridPoint* Point(std::int32_t x, std::int32_t y) const;  // grid point of a plane point
  TobjGridPoint* Tile(std::int32_t quadrant) const;
  std::vector<TobjMonster*> Monsters() const;
  std::int32_t CountOf(std::int32_t type) const { return Objects()->TypeSize(type); }

  void Step(int n = 1);
  // Posts as another component would (queued) and runs one step.
  void Post(std::int32_t kind, std::uint16_t code, std::intptr_t param = 0, std::int32_t value = 0);
  // As the input module posts them: client pixels, queued, one step each.
  void MoveTo(double x, double y);
  void Release(double x, double y);
  void RightRelease(double x, double y);
  // Moves over the point's centre and releases the left button there; returns
  // once the monster director has handled the click (its verdict arrives one step later).
  void Click(const TobjGridPoint* point);

  TsysObjects* Objects() const { return Iface.Objects.get(); }
  TsysResources& Res() { return *Iface.Resources; }

  TTempDir Dir;
  TrndRecordingDevice Device;
  TsysEventHandler Bus;
  TsysEventComponent Input;
  TsysInterface Iface;
  TmodAI AI;
  TBoardScreen Screen;
  TobjMap* Map = nullptr;
  bool HasDevice;
};
