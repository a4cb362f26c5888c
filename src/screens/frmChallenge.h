#pragma once
// The twelve challenges as a grid of tiles for one difficulty: each tile tells its
// game mode, goal, target, the player's status and best result, wears a medal once
// completed, and starts its challenge when clicked. A challenge just completed gets
// its medal with a small grow-and-settle animation.
#include <array>
#include <cstdint>
#include <string>

#include "objects/objSheet.h"
#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;
class TobjGroupButton;
class TobjHintLabelButton;
class TrndGfx;
struct TProfileRecord;

// Rectangles of the challenge sheet (image set 3, image 4) by number; a zero
// rectangle for a number the sheet does not have.
TSheetRect ChallengeSheetRect(std::int32_t index);
constexpr std::int32_t ChallengeSheetImage = 4;

// The hint of a challenge tile at a difficulty, from the challenge table and the profile.
std::string ChallengeHintText(std::int32_t challenge, std::int32_t difficulty, const TProfileRecord& profile);
// Seconds as whole minutes, ":" and two-digit seconds (187 gives "3:07").
std::string MinutesSeconds(std::int32_t seconds);

class TfrmChallenge : public TsysForm {
 public:
  struct TTile {
    TobjHintLabelButton* Button = nullptr;
    TrndGfx* Backdrop = nullptr;
    TrndGfx* GoalIcon = nullptr;
    TrndGfx* Medal = nullptr;
  };
  // The medal of a challenge just completed grows past its size, then settles.
  struct TMedalAnimation {
    std::int32_t Tile = -1;
    std::int32_t Size = 0;
    std::int32_t Phase = 2;  // 0 grow, 1 shrink, 2 done
    bool Running = false;
  };
  static constexpr std::int32_t MedalSize = 96;

  TfrmChallenge(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // A difficulty entry (ekGame 23) changes the difficulty and refreshes every tile.
  void HandleEvent(TsysEvent* event) override;
  // Runs the medal animation once the screen has faded in.
  void ProcessEvents() override;
  // Wires every tile and sets its hint and medal for the current difficulty.
  void Refresh();

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjGroupButton* Difficulties = nullptr;
  TobjButton* Back = nullptr;
  std::array<TTile, 12> Tiles{};
  // The tile last drawn over the others, for its hint.
  const TobjBase* Raised = nullptr;
  TMedalAnimation Animation;

 private:
  // The medal of a tile drawn size x size, centred on the tile's backdrop.
  void PlaceMedal(std::int32_t tile, std::int32_t size);
};
