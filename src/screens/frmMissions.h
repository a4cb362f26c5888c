#pragma once
// The tutorial missions: the game's story, the player's progress through the five
// mission levels of each game mode, a button per mode that plays its next level,
// the reached levels to replay, and a reset of each mode's progress.
#include <array>
#include <cstdint>

#include "objects/sysForm.h"

class TobjBase;
class TobjLabel;
class TobjButton;

class TfrmMissions : public TsysForm {
 public:
  TfrmMissions(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // RESET of a mode (ekGame 42), the pointer over the level segments (ekMouse 1)
  // and a release on a reached level (ekMouse 3).
  void HandleEvent(TsysEvent* event) override;
  // The fade; the heading over the bars names what lies under it: the progress,
  // or a mode's preview while the pointer rests on that mode.
  void ProcessEvents() override;

  // The completed levels of each mode show filled; the rest are hidden.
  void ShowProgress();

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjLabel* Story = nullptr;
  TobjLabel* BarsHeading = nullptr;
  bool ShowingPreview = false;
  std::array<TobjButton*, 3> Modes{};
  std::array<TobjBase*, 3> Bars{};
  std::array<std::array<TobjBase*, 5>, 3> Segments{};
  std::array<TobjButton*, 3> Resets{};
  TobjBase* Marker = nullptr;
  TobjButton* Back = nullptr;
  // To the teachers' level sets.
  TobjButton* ClassLevels = nullptr;
  static constexpr std::uint16_t ClassLevelsCode = 81;
  std::int32_t HoveredMode = -1;   // 1..3
  std::int32_t HoveredLevel = -1;  // 0..4
  // Each mode's completed levels as last shown.
  std::array<std::int32_t, 3> LevelsDone{};

 private:
  void PointerMoved(std::int32_t x, std::int32_t y);
};
