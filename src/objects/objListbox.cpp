#include "objects/objListbox.h"

#include <algorithm>

#include "core/sysRound.h"
#include "objects/objSheet.h"

TobjListbox::TobjListbox(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                         double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekMouse;
  const std::int32_t w = Width;
  const std::int32_t h = Height;
  ThumbMax = h - 42 - 41;
  PlaceSheetPicture(MainItem, Sheet::ListArea, 8, 25, w - 32, h - 50);
  MainItem->SetColorAlpha(0xFFFFFF, 255);
  AddSheetPicture(this, Sheet::ListTopLeft, 0, 0, 25, 25);
  AddSheetPicture(this, Sheet::ListTop, 25, 0, w - 65, 25);
  AddSheetPicture(this, Sheet::ListTopRight, w - 40, 0, 40, 25);
  AddSheetPicture(this, Sheet::ListBottomLeft, 0, h - 25, 25, 25);
  AddSheetPicture(this, Sheet::ListBottom, 25, h - 25, w - 65, 25);
  AddSheetPicture(this, Sheet::ListBottomRight, w - 40, h - 25, 40, 25);
  AddSheetPicture(this, Sheet::ListLeft, 0, 25, 8, h - 50);
  Track = AddSheetPicture(this, Sheet::ListTrack, w - 24, 25, 24, h - 50);
  ScrollUp = AddSheetPicture(this, Sheet::ListArrow, w - 21, 25, 18, 18);
  ScrollDown = AddSheetPicture(this, Sheet::ListArrow, w - 21, h - 43, 18, 18);
  ScrollDown->TexCoord.Mirror = true;
  Thumb = AddSheetPicture(this, Sheet::ListThumb, w - 21, ThumbMin, 18, 42);
  SelectionBar = AddSheetPicture(this, Sheet::ListSelection, 8, 25, w - 32, LineHeight);
  ListText = AddText();
  ListText->RelX = 15;
  ListText->RelY = 26;
  ListText->Width = w - 40;
  // Whole lines only: the row below the last full one is not shown cut in half.
  VisibleHeight = std::max(0, (h - 50) / LineHeight * LineHeight);
  ListText->Height = VisibleHeight;
  ListText->SetMarkUpWrapped("", 8, false, true, false);
  SetColor(WidgetTint);
  ScrollTo(ThumbMin);
  SelectedIndex = 0;
  RebuildList();
}

void TobjListbox::AddLine(const std::string& text) { Lines.push_back(text); }

void TobjListbox::RebuildList() {
  if (Lines.empty()) {
    SelectionBar->Visible = false;
    SelectedIndex = -1;
    ListText->SetMarkUpWrapped("", 8, false, true, false);
  } else {
    // Lines are names: shown as typed, never read as mark-up, so every line
    // stays on the row that a click on it selects.
    // A line longer than the list is wide ends in "..." rather than being cut
    // mid-letter at the edge (a long title, a longer language).
    const auto fits = static_cast<std::size_t>(std::max(4, ListText->Width / FontMetrics(8).CharWidth));
    std::vector<std::string> shown = Lines;
    for (std::string& line : shown)
      if (line.size() > fits) line = line.substr(0, fits - 3) + "...";
    ListText->SetPlainLines(shown, 8, false, true);
    SelectionBar->Visible = true;
    SelectedIndex = 0;
  }
  Overflow = LineCount() * LineHeight - (Height - 50);
  const bool overflowing = Overflow >= 0;
  // The range ends with the last line whole at the bottom of the shown lines. A
  // list box too short for a thumb range has nothing to scroll with.
  const std::int32_t hidden = std::max(0, LineCount() * LineHeight - VisibleHeight);
  ScrollRatio = overflowing && ThumbMax > ThumbMin ? static_cast<double>(hidden) / (ThumbMax - ThumbMin) : 0;
  Thumb->Visible = overflowing;
  ScrollUp->Visible = overflowing;
  ScrollDown->Visible = overflowing;
}

void TobjListbox::SelectLine(std::int32_t index) {
  SelectedIndex = index;
  // Scrolled just far enough that the selected line shows whole.
  double thumb = ThumbPos;
  if (index >= 0 && ScrollRatio > 0) {
    const double top = static_cast<double>(index) * LineHeight;
    double scrolled = ScrolledBy;
    if (top < scrolled) scrolled = top;
    if (top + LineHeight > scrolled + VisibleHeight) scrolled = top + LineHeight - VisibleHeight;
    thumb = ThumbMin + scrolled / ScrollRatio;
  }
  ScrollTo(thumb);
}

void TobjListbox::ScrollTo(double thumb) {
  if (thumb < ThumbMin) thumb = ThumbMin;
  if (thumb > ThumbMax) thumb = ThumbMax;
  ThumbPos = thumb;
  Thumb->RelX = Width - 21;
  Thumb->RelY = ThumbPos;
  ScrolledBy = (ThumbPos - ThumbMin) * ScrollRatio;
  ListText->SetGlyphShift(TPointD{0, static_cast<double>(-Round32(ScrolledBy))});

  const double listTop = 25;
  const double listBottom = std::min<double>(Height - 25, listTop - 1 + VisibleHeight);
  double y = SelectedIndex * LineHeight + listTop - ScrolledBy - 1;
  double height = LineHeight;
  SelectionBar->RelX = 8;
  SelectionBar->Width = Width - 32;
  SelectionBar->Visible = SelectedIndex >= 0;
  if (y < listTop) {
    // Sticks out above the list area: only the part inside shows.
    height = static_cast<double>(Round(LineHeight - (listTop - y)));
    y = listTop;
    if (height < 0) SelectionBar->Visible = false;
  }
  if (y + LineHeight > listBottom) {
    height = static_cast<double>(Round(listBottom - y));
    if (height < 0) SelectionBar->Visible = false;
  }
  SelectionBar->RelY = y;
  SelectionBar->Height = static_cast<std::int32_t>(height);
}

bool TobjListbox::OnItem(const TrndGfx* item, double x, double y) const {
  const double left = X + item->RelX;
  const double top = Y + item->RelY;
  return left <= x && x <= left + item->Width && top <= y && y <= top + item->Height;
}

void TobjListbox::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (!Visible || event->Kind != ekMouse) return;
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1:
      MouseOver = Contains(x, y);
      if (DraggingThumb) ScrollTo(y - Y - GrabY);
      break;
    case 2:
      if (DraggingThumb) break;
      if (Thumb->Visible && OnItem(Thumb, x, y)) {
        DraggingThumb = true;
        GrabY = y - Y - Thumb->RelY;
      } else if (ScrollUp->Visible && OnItem(ScrollUp, x, y)) {
        ScrollTo(ThumbPos - 2);
      } else if (ScrollDown->Visible && OnItem(ScrollDown, x, y)) {
        ScrollTo(ThumbPos + 2);
      } else if (OnItem(MainItem, x, y) && !Lines.empty()) {
        auto index = static_cast<std::int32_t>((y - Y - 25 + ScrolledBy) / LineHeight);
        if (index > LineCount() - 1) index = LineCount() - 1;
        if (index < 0) index = 0;
        SelectedIndex = index;
        ScrollTo(ThumbPos);
      }
      break;
    case 3:
      DraggingThumb = false;
      break;
    case 6:  // wheel up
    case 7:  // wheel down
      if (Contains(x, y) && ScrollRatio > 0)
        ScrollTo(ThumbPos + (event->Code == 7 ? 1 : -1) * WheelLines * LineHeight / ScrollRatio);
      break;
    default:
      break;
  }
}
