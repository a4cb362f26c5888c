#include "objects/objGroupButton.h"

#include "objects/objSheet.h"

TobjGroupButton::TobjGroupButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x,
                                 double y, double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekMouse;
  MainItem->Visible = false;
  Entries.reserve(8);
  SetColor(WidgetTint);
}

void TobjGroupButton::AddEntry(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                               const std::string& caption) {
  TEntry entry;
  entry.X = x;
  entry.Y = y;
  entry.W = w;
  entry.H = h;
  entry.LeftItem = AddSheetPicture(this, Sheet::GroupLeft, x, y, 9, 30);
  entry.MiddleItem = AddSheetPicture(this, Sheet::GroupMiddle, x + 9, y, w - 18, 30);
  entry.RightItem = AddSheetPicture(this, Sheet::GroupRight, x + w - 9, y, 9, 30);
  // Only the new entry takes the widget tint: colours a screen gave the earlier
  // entries stay.
  for (TrndGfx* piece : {entry.LeftItem, entry.MiddleItem, entry.RightItem})
    piece->SetColorAlpha(WidgetTint, GroupAlpha);
  // The caption may run over the rounded ends (a selected one in its brackets,
  // a longer word of another language); the box keeps a letter's whole height,
  // an accented capital's included.
  entry.CaptionItem = AddText();
  entry.CaptionItem->RelX = x;
  entry.CaptionItem->RelY = y + 8;
  entry.CaptionItem->Width = w;
  entry.CaptionItem->Height = h - 16;
  entry.CaptionItem->SetMarkUpAt(caption, 8, false, true, false, true, true, TPointD{0, 0});
  entry.Caption = caption;
  Entries.push_back(entry);
  Color = WidgetTint;
}

void TobjGroupButton::SetEntryAction(std::int32_t index, std::int32_t kind, std::uint16_t code, std::intptr_t param,
                                     std::int32_t value) {
  if (index < 0 || index >= EntryCount()) return;
  TEntry& e = Entries[static_cast<std::size_t>(index)];
  e.ActionKind = kind;
  e.ActionCode = code;
  e.ActionParam = param;
  e.ActionValue = value;
}

void TobjGroupButton::SetEntryColor(std::int32_t index, std::uint32_t color) {
  if (index < 0 || index >= EntryCount()) return;
  TEntry& e = Entries[static_cast<std::size_t>(index)];
  for (TrndGfx* piece : {e.LeftItem, e.MiddleItem, e.RightItem}) piece->SetColor(color);
}

void TobjGroupButton::SetSelected(std::int32_t index) {
  if (index < 0) index = 0;
  if (index >= EntryCount()) index = -1;
  SelectedIndex = index;
  if (index < 0) return;
  TEntry& e = Entries[static_cast<std::size_t>(index)];
  e.Selected = true;
  ShowCaption(e);
  UpdateLook(e);
}

void TobjGroupButton::ShowCaption(TEntry& e) {
  const std::string shown = e.Selected ? "[ " + e.Caption + " ]" : e.Caption;
  // A longer language's word takes smaller letters rather than leaving the bar.
  if (e.CaptionItem->Text != shown)
    e.CaptionItem->SetMarkUpAt(shown, FittingFontSize(shown.size(), e.CaptionItem->Width, 8), e.Selected, true, false,
                               true, true, TPointD{0, 0});
  if (e.CaptionItem->Bold != e.Selected) e.CaptionItem->SetBold(e.Selected);
}

void TobjGroupButton::Choose(std::int32_t chosen) {
  if (chosen < 0 || chosen >= EntryCount()) return;
  for (std::int32_t i = 0; i < EntryCount(); ++i) {
    TEntry& e = Entries[static_cast<std::size_t>(i)];
    e.Selected = i == chosen;
    if (e.Selected) e.Pressed = false;
    ShowCaption(e);
  }
  SelectedIndex = chosen;
  RequestSound(this, 9);
  const TEntry& picked = Entries[static_cast<std::size_t>(chosen)];
  if (picked.ActionKind != 0)
    PostEvent(pmQueued, picked.ActionKind, picked.ActionCode, picked.ActionParam, picked.ActionValue);
  for (TEntry& e : Entries) UpdateLook(e);
}

void TobjGroupButton::UpdateLook(TEntry& e) {
  TrndGfx* pieces[4] = {e.LeftItem, e.MiddleItem, e.RightItem, e.CaptionItem};
  if (e.Pressed && !e.PressApplied) {
    for (TrndGfx* piece : pieces) ShiftItem(piece, 1, 1);
    e.PressApplied = true;
  } else if (!e.Pressed && e.PressApplied) {
    for (TrndGfx* piece : pieces) ShiftItem(piece, -1, -1);
    e.PressApplied = false;
  }
  if (e.Selected) {
    SetSheetPicture(e.LeftItem, Sheet::GroupSelectedLeft);
    SetSheetPicture(e.MiddleItem, Sheet::GroupSelectedMiddle);
    SetSheetPicture(e.RightItem, Sheet::GroupSelectedRight);
  } else if (e.Hovered) {
    SetSheetPicture(e.LeftItem, Sheet::GroupHoverLeft);
    SetSheetPicture(e.MiddleItem, Sheet::GroupHoverMiddle);
    SetSheetPicture(e.RightItem, Sheet::GroupHoverRight);
  } else {
    SetSheetPicture(e.LeftItem, Sheet::GroupLeft);
    SetSheetPicture(e.MiddleItem, Sheet::GroupMiddle);
    SetSheetPicture(e.RightItem, Sheet::GroupRight);
  }
}

bool TobjGroupButton::Inside(const TEntry& e, double x, double y) const {
  return X + e.X <= x && x <= X + e.X + e.W && Y + e.Y <= y && y <= Y + e.Y + e.H;
}

void TobjGroupButton::Unhover() {
  for (TEntry& e : Entries) {
    if (!e.Hovered || e.Pressed) continue;
    e.Hovered = false;
    UpdateLook(e);
  }
}

void TobjGroupButton::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (!Visible || event->Kind != ekMouse) return;
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1:
      for (TEntry& e : Entries) {
        const bool inside = Inside(e, x, y);
        if (inside && !e.Hovered) RequestSound(this, 7);
        e.Hovered = inside;
        UpdateLook(e);
      }
      break;
    case 2:
      for (TEntry& e : Entries) {
        // The pointer may rest where it was when the keys moved the focus on.
        if (!e.Pressed) e.Hovered = Inside(e, x, y);
        e.Pressed = e.Hovered;
        UpdateLook(e);
      }
      break;
    case 3: {
      std::int32_t chosen = -1;
      for (std::int32_t i = 0; i < EntryCount() && chosen < 0; ++i)
        if (Entries[static_cast<std::size_t>(i)].Hovered) chosen = i;
      if (chosen >= 0) Choose(chosen);
      break;
    }
    default:
      break;
  }
}

