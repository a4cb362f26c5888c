#pragma once
// When the scene next changes by itself. A screen at rest sleeps until input
// comes or until the earliest change something has announced (a caret about
// to blink), so an idle menu costs a few wake-ups a second instead of sixty.
// Whatever waits for a change of its own look announces it on every logic
// step while the wait runs: each step forgets the announcements before it.
#include <algorithm>
#include <cstdint>
#include <limits>

class TsysSceneSchedule {
 public:
  static constexpr std::uint64_t Never = std::numeric_limits<std::uint64_t>::max();

  // A logic step begins.
  void BeginStep() {
    ++Step;
    Due = Never;
  }
  // The scene changes during the given step from now (1: the next one).
  void ChangeIn(std::int64_t steps) {
    Due = std::min(Due, Step + static_cast<std::uint64_t>(std::max<std::int64_t>(steps, 1)));
  }
  // Steps still to run before the earliest announced change; Never when none.
  std::uint64_t StepsToChange() const { return Due == Never ? Never : Due - Step; }

 private:
  std::uint64_t Step = 0;
  std::uint64_t Due = Never;
};

// The program's one schedule (the frame timer begins the steps).
inline TsysSceneSchedule SceneSchedule;
