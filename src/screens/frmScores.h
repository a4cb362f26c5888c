#pragma once
// The twelve high-score tables, one shown at a time, with the result just
// entered highlighted; the tables of slowed games are chosen by their speed.
#include <array>
#include <string>

#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;
class TobjGroupButton;

class TfrmScores : public TsysForm {
 public:
  static constexpr int Rows = 12;
  static constexpr int Columns = 7;

  TfrmScores(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  void HandleEvent(TsysEvent* event) override;
  // Shows the table chosen by the three group buttons.
  void Refresh();

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjGroupButton* GameTypes = nullptr;
  TobjGroupButton* Difficulties = nullptr;
  // 100 %, 75 %, 50 %: whose tables are shown.
  TobjGroupButton* Speeds = nullptr;
  TobjLabel* TableFrame = nullptr;
  std::array<std::array<TobjLabel*, Columns>, Rows> Cells{};
  TobjButton* Back = nullptr;

 private:
  void SetCell(int row, int column, const std::string& text, std::int32_t size);
  // The speed of the tables shown, in percent.
  std::int32_t SpeedShown() const;
};
