#pragma once
// A burst of small dots flying out from a monster that was hit, fading as they
// go. When done it posts ekGame 47 so that the game screen deletes it.
#include <cstdint>
#include <vector>

#include "game/libMaths.h"
#include "objects/objBase.h"

class TobjSpark : public TobjBase {
 public:
  TobjSpark(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
            std::int32_t width, std::int32_t height);

  // Moves to position and sends count dots out in random directions at speed
  // pixels per step, for life steps.
  void Burst(TVector2 position, std::int32_t count, std::uint32_t colour, std::int32_t life, double speed);

  // Moves and fades the dots, every step while the game runs.
  void ProcessEvents() override;

  std::int32_t Count = 0;
  std::vector<TVector2> Velocities;
  std::int32_t Total = 0;
  std::int32_t Left = 0;
  bool Done = false;

 private:
  std::vector<TrndGfx*> Dots;
};
