#pragma once
// How each skill is going for the active player, as pictures: the quadrants
// and the axes, the three kinds of point, the five kinds of line; for each the
// right answers out of all, the median time and the last ten games. A line
// names the weakest skill and the tutorial level that teaches it. EXPORT writes
// the teacher's reports beside the saves (and offers them as downloads in a
// browser).
#include <array>
#include <string>

#include "data/sysSkills.h"
#include "objects/sysForm.h"

class TobjBase;
class TobjButton;
class TobjLabel;

class TfrmProgress : public TsysForm {
 public:
  TfrmProgress(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  void HandleEvent(TsysEvent* event) override;

  // The code EXPORT posts (ekGame).
  static constexpr std::uint16_t ExportCode = 61;
  // Where the tiles lie: five to a row, a row for each group of skills.
  static constexpr double TileWidth = 190;
  static constexpr double TileHeight = 166;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjLabel* Summary = nullptr;
  std::array<TobjBase*, SkillCount> Tiles{};
  TobjLabel* Weakest = nullptr;
  TobjLabel* Notice = nullptr;
  TobjButton* Export = nullptr;
  TobjButton* Back = nullptr;
  // What the tiles show (read once, when the screen is built).
  TProgressSummary Shown;

 private:
  void BuildTile(TSkill skill, double x, double y);
  void ExportReports();
};
