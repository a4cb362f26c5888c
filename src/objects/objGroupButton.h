#pragma once
// A row of choices of which one is selected.
#include <string>
#include <vector>

#include "objects/objBase.h"

class TobjGroupButton : public TobjBase {
 public:
  struct TEntry {
    TrndGfx* LeftItem = nullptr;
    TrndGfx* MiddleItem = nullptr;
    TrndGfx* RightItem = nullptr;
    TrndText* CaptionItem = nullptr;
    std::string Caption;  // as given; the selected entry shows it in brackets
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t W = 0;
    std::int32_t H = 0;
    bool Hovered = false;
    bool Pressed = false;
    bool PressApplied = false;
    bool Selected = false;
    std::int32_t ActionKind = 0;
    std::uint16_t ActionCode = 0;
    std::intptr_t ActionParam = 0;
    std::int32_t ActionValue = 0;
  };

  TobjGroupButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                  double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  void Unhover() override;

  void AddEntry(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::string& caption);
  void SetEntryAction(std::int32_t index, std::int32_t kind, std::uint16_t code, std::intptr_t param,
                      std::int32_t value);
  void SetEntryColor(std::int32_t index, std::uint32_t color);
  void SetSelected(std::int32_t index);
  // Selects the entry and posts its action, as a click on it does.
  void Choose(std::int32_t index);
  std::int32_t EntryCount() const { return static_cast<std::int32_t>(Entries.size()); }

  std::int32_t GroupAlpha = 255;
  std::int32_t SelectedIndex = 0;
  std::vector<TEntry> Entries;

 private:
  void UpdateLook(TEntry& entry);
  // The caption of a selected entry is bold and between "[ " and " ]", so the
  // choice shows by its shape and not by the brighter bar alone.
  static void ShowCaption(TEntry& entry);
  bool Inside(const TEntry& entry, double x, double y) const;
};
