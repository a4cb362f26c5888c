#pragma once
// CLASS LEVELS: the level sets teachers wrote, found beside the saves, in the
// user's data folder, in the --levels folders and among the shipped examples.
// A row per file with its title, author, levels and the player's progress; the
// chosen set's levels (or, for a bad file, its faults as the checker words
// them) beside the list; PLAY opens the set at its first unfinished level.
// In the browser, OPEN A LEVEL FILE copies one of the player's files beside the
// saves, where it is kept, and lists it.
#include <cstdint>
#include <string>
#include <vector>

#include "data/sysLevelSetFiles.h"
#include "data/sysProgress.h"
#include "objects/sysForm.h"
#include "screens/frmParts.h"

class TobjButton;
class TobjLabel;
class TobjListbox;

class TfrmClassLevels : public TsysForm {
 public:
  TfrmClassLevels(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  // PLAY (and Enter on the list, and a double click) plays the chosen set.
  void HandleEvent(TsysEvent* event) override;
  // Shows the chosen row's details when the list's selection moves.
  void ProcessEvents() override;

  // The list's row for a file, and the text beside the list for it.
  static std::string RowText(const TLevelSetFile& file, const TSetProgress& progress);
  static std::string DetailText(const TLevelSetFile& file, const TSetProgress& progress);

  // Plays the selected set; false for a bad file or none.
  bool PlaySelected();
  void ShowDetails();
  // Finds and reads the sets again; a file new since the last time is chosen.
  void FillList();

  static constexpr std::uint16_t PlayCode = 82;
  static constexpr std::uint16_t OpenCode = 83;

  std::vector<TLevelSetFile> Files;
  std::vector<TSetProgress> Progress;  // by file
  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjListbox* List = nullptr;
  TobjLabel* DetailTitle = nullptr;
  TobjLabel* Details = nullptr;
  TobjButton* Play = nullptr;
  TobjButton* Back = nullptr;
  TobjButton* Open = nullptr;  // OPEN A LEVEL FILE, where the platform has a file picker
  std::int32_t Shown = -2;  // the row whose details are shown

 private:
  std::int64_t Step = 0;
  std::uint32_t PicksSeen = 0;
  frm::TListClicks Clicks{24};  // two releases on one line within 24 steps play it
};
