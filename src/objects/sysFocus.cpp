#include "objects/sysFocus.h"

#include <algorithm>
#include <cmath>

#include "core/sysEvent.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabel.h"
#include "objects/objHintLabelButton.h"
#include "objects/objListbox.h"
#include "objects/objPushButton.h"
#include "objects/objSheet.h"
#include "objects/objSlider.h"
#include "objects/objText.h"
#include "objects/sysObjects.h"
#include "render/modInput.h"

namespace {

// The core set's plain white picture.
constexpr std::int32_t PlainSet = 0;
constexpr std::int32_t PlainImage = 0;
// Above every control of every screen.
constexpr double RingLayer = 33;
constexpr std::int32_t RingGap = 4;     // between the control and the ring
constexpr std::int32_t RingWidth = 3;   // the bright band
constexpr std::int32_t EdgeWidth = 1;   // the dark edge each side of it, so it shows on light and dark alike
constexpr std::uint32_t RingColour = 0xFFFFFF;
constexpr std::uint32_t EdgeColour = 0x000000;
constexpr std::int32_t EdgeAlpha = 220;
// Rows of the reading order are this many pixels tall.
constexpr double RowHeight = 20;
// How far two frames may overlap and still lie one beyond the other.
constexpr double EdgeSlack = 8;

double CentreX(const TFocusStop& s) { return s.X + s.W / 2; }
double CentreY(const TFocusStop& s) { return s.Y + s.H / 2; }

}  // namespace

TsysFocus::TsysFocus(TsysObjects* objects, TsysResources* resources, std::int32_t group)
    : Objects(objects), Resources(resources), Group(group) {}

TsysFocus::~TsysFocus() = default;

bool TsysFocus::StopOf(TobjBase* object, std::int32_t entry, TFocusStop& stop) {
  if (object == nullptr || !object->Visible) return false;
  stop = TFocusStop{object, -1, object->X, object->Y, static_cast<double>(object->Width),
                    static_cast<double>(object->Height)};
  switch (object->ObjType) {
    case otButton: {
      const auto* b = dynamic_cast<const TobjButton*>(object);
      return b != nullptr && b->ActionKind != 0 && entry < 0;
    }
    case otPushButton: {
      const auto* b = dynamic_cast<const TobjPushButton*>(object);
      return b != nullptr && b->Enabled && !b->Shrinking && entry < 0;
    }
    case otHintLabelButton: {
      const auto* b = dynamic_cast<const TobjHintLabelButton*>(object);
      return b != nullptr && b->ActionKind != 0 && b->ActionKind != -1 && entry < 0;
    }
    case otGroupButton: {
      const auto* g = dynamic_cast<const TobjGroupButton*>(object);
      if (g == nullptr || entry < 0 || entry >= g->EntryCount()) return false;
      const TobjGroupButton::TEntry& e = g->Entries[static_cast<std::size_t>(entry)];
      if (e.W <= 0 || e.H <= 0) return false;
      stop = TFocusStop{object, entry, object->X + e.X, object->Y + e.Y, static_cast<double>(e.W),
                        static_cast<double>(e.H)};
      return true;
    }
    case otListbox: {
      const auto* l = dynamic_cast<const TobjListbox*>(object);
      return l != nullptr && l->LineCount() > 0 && entry < 0;
    }
    case otCheckbox:
    case otSlider:
    case otTextbox:
      return entry < 0;
    default:
      return false;
  }
}

void TsysFocus::Collect(std::vector<TFocusStop>& out) const {
  out.clear();
  for (std::int32_t i = 0; i < Objects->GroupSize(Group); ++i) {
    TobjBase* object = Objects->GroupObject(Group, i);
    if (object == nullptr || object == Ring) continue;
    TFocusStop stop;
    if (object->ObjType == otGroupButton) {
      const auto* g = dynamic_cast<const TobjGroupButton*>(object);
      for (std::int32_t e = 0; g != nullptr && e < g->EntryCount(); ++e)
        if (StopOf(object, e, stop)) out.push_back(stop);
    } else if (StopOf(object, -1, stop)) {
      out.push_back(stop);
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const TFocusStop& a, const TFocusStop& b) {
    const auto rowA = static_cast<std::int64_t>(std::floor(a.Y / RowHeight));
    const auto rowB = static_cast<std::int64_t>(std::floor(b.Y / RowHeight));
    return rowA != rowB ? rowA < rowB : a.X < b.X;
  });
}

std::vector<TFocusStop> TsysFocus::Stops() const {
  std::vector<TFocusStop> stops;
  Collect(stops);
  return stops;
}

TobjBase* TsysFocus::TypingBox() const {
  for (std::int32_t i = 0; i < Objects->GroupSize(Group); ++i) {
    auto* box = dynamic_cast<TobjText*>(Objects->GroupObject(Group, i));
    if (box != nullptr && box->Focused) return box;
  }
  return nullptr;
}

bool TsysFocus::Find(const std::vector<TFocusStop>& stops, std::size_t& at) const {
  for (std::size_t i = 0; i < stops.size(); ++i)
    if (stops[i].Object == Focus && stops[i].Entry == Entry) {
      at = i;
      return true;
    }
  return false;
}

void TsysFocus::SetFocus(TobjBase* object, std::int32_t entry, bool tell) {
  if (object != Focus && Objects->IsAlive(Focus)) {
    if (auto* box = dynamic_cast<TobjText*>(Focus); box != nullptr && box->Focused) box->Leave();
    if (auto* hinted = dynamic_cast<TobjHintLabel*>(Focus)) hinted->HintFor(false);
  }
  const bool moved = object != Focus;
  Focus = object;
  Entry = entry;
  TFocusStop stop;
  if (!StopOf(Focus, Entry, stop)) {
    Focus = nullptr;
    Entry = -1;
    HideRing();
    return;
  }
  // A text box takes the keys as soon as the focus reaches it, as a click on it does.
  if (auto* box = dynamic_cast<TobjText*>(Focus); box != nullptr && !box->Focused) box->Focus();
  ShowRing(stop);
  // What the pointer resting there would tell, the focus tells too.
  if (auto* hinted = dynamic_cast<TobjHintLabel*>(Focus); hinted != nullptr && moved && tell) hinted->HintFor(true);
}

std::size_t TsysFocus::FirstStop() const {
  std::size_t first = 0;
  if (FirstPlace >= 0 && static_cast<std::size_t>(FirstPlace) < Scratch.size()) first = static_cast<std::size_t>(FirstPlace);
  for (std::size_t i = 0; i < Scratch.size() && FirstPlace < 0; ++i)
    if (Scratch[i].Object == First) {
      first = i;
      break;
    }
  if (TobjBase* typing = TypingBox())
    for (std::size_t i = 0; i < Scratch.size(); ++i)
      if (Scratch[i].Object == typing) first = i;
  return first;
}

void TsysFocus::DropPointerHover() {
  Resources->PointerHoverShown = false;
  for (std::int32_t i = 0; i < Objects->GroupSize(Group); ++i) {
    TobjBase* object = Objects->GroupObject(Group, i);
    if (object != nullptr && object != Focus) object->Unhover();
  }
}

bool TsysFocus::Move(int key, int shift) {
  Collect(Scratch);
  if (Scratch.empty()) return false;
  std::size_t at = 0;
  const bool have = Objects->IsAlive(Focus) && Find(Scratch, at);
  if (!have) {
    const std::size_t first = FirstStop();
    SetFocus(Scratch[first].Object, Scratch[first].Entry);
    DropPointerHover();
    return true;
  }
  if (key == vkTab) {
    const std::size_t n = Scratch.size();
    const std::size_t next = (shift & ShiftBit) != 0 ? (at + n - 1) % n : (at + 1) % n;
    SetFocus(Scratch[next].Object, Scratch[next].Entry);
    DropPointerHover();
    return true;
  }
  // Controls that use the arrows themselves.
  if (auto* slider = dynamic_cast<TobjSlider*>(Focus); slider != nullptr && (key == vkArrowLeft || key == vkArrowRight)) {
    slider->Nudge(key == vkArrowLeft ? -1 : 1);
    return true;
  }
  if (auto* list = dynamic_cast<TobjListbox*>(Focus); list != nullptr && (key == vkArrowUp || key == vkArrowDown)) {
    const std::int32_t next = list->SelectedIndex + (key == vkArrowUp ? -1 : 1);
    if (next >= 0 && next < list->LineCount()) {
      list->SelectLine(next);
      RequestSound(list, 7);
      return true;
    }
  }
  // The nearest control that way, measured between the frames' edges (not
  // their centres: a wide row of choices must not hide the row under it), a
  // control off to the side counting its distance across twice.
  const TFocusStop& from = Scratch[at];
  double best = 0;
  std::size_t chosen = Scratch.size();
  for (std::size_t i = 0; i < Scratch.size(); ++i) {
    if (i == at) continue;
    const TFocusStop& to = Scratch[i];
    double centreAhead = 0;
    double gap = 0;   // from the near edge of the focus to the far side's edge of the other
    double aside = 0; // between the frames across the way, 0 where they overlap
    const auto apart = [](double a0, double a1, double b0, double b1) {
      return b0 > a1 ? b0 - a1 : a0 > b1 ? a0 - b1 : 0.0;
    };
    switch (key) {
      case vkArrowLeft:
        centreAhead = CentreX(from) - CentreX(to), gap = from.X - (to.X + to.W);
        aside = apart(from.Y, from.Y + from.H, to.Y, to.Y + to.H);
        break;
      case vkArrowRight:
        centreAhead = CentreX(to) - CentreX(from), gap = to.X - (from.X + from.W);
        aside = apart(from.Y, from.Y + from.H, to.Y, to.Y + to.H);
        break;
      case vkArrowUp:
        centreAhead = CentreY(from) - CentreY(to), gap = from.Y - (to.Y + to.H);
        aside = apart(from.X, from.X + from.W, to.X, to.X + to.W);
        break;
      case vkArrowDown:
        centreAhead = CentreY(to) - CentreY(from), gap = to.Y - (from.Y + from.H);
        aside = apart(from.X, from.X + from.W, to.X, to.X + to.W);
        break;
      default: return false;
    }
    // Beyond the focus that way: frames may touch or overlap by a few pixels.
    if (centreAhead < 1 || gap < -EdgeSlack) continue;
    const double score = std::max(gap, 0.0) + 2 * aside;
    if (chosen == Scratch.size() || score < best) {
      best = score;
      chosen = i;
    }
  }
  if (chosen == Scratch.size()) return true;  // nothing that way: the focus stays
  SetFocus(Scratch[chosen].Object, Scratch[chosen].Entry);
  DropPointerHover();
  RequestSound(Scratch[chosen].Object, 7);
  return true;
}

void TsysFocus::FollowPointer(double x, double y) {
  // A name being typed keeps the keys, wherever the pointer goes.
  if (auto* box = dynamic_cast<TobjText*>(Focus); box != nullptr && Objects->IsAlive(Focus) && box->Focused) return;
  // Every move of the pointer comes here: the controls are looked at where they
  // lie, without sorting them into reading order.
  for (std::int32_t i = 0; i < Objects->GroupSize(Group); ++i) {
    TobjBase* object = Objects->GroupObject(Group, i);
    if (object == nullptr || object == Ring || !object->Visible || !object->Contains(x, y)) continue;
    const auto* row = dynamic_cast<const TobjGroupButton*>(object);
    const std::int32_t entries = row != nullptr ? row->EntryCount() : 0;
    for (std::int32_t e = row != nullptr ? 0 : -1; e < entries; ++e) {
      TFocusStop stop;
      if (!StopOf(object, e, stop) || x < stop.X || x > stop.X + stop.W || y < stop.Y || y > stop.Y + stop.H)
        continue;
      if (dynamic_cast<TobjText*>(object) != nullptr) return;
      if (object != Focus || e != Entry) SetFocus(object, e, false);
      return;
    }
  }
}

std::int32_t TsysFocus::CurrentPlace() const {
  std::vector<TFocusStop> stops;
  Collect(stops);
  for (std::size_t i = 0; i < stops.size(); ++i)
    if (stops[i].Object == Focus && stops[i].Entry == Entry) return static_cast<std::int32_t>(i);
  return -1;
}

void TsysFocus::SetFirstPlace(std::int32_t place) { FirstPlace = place; }

bool TsysFocus::Activate(int key) {
  if (key != vkReturn && key != vkSpace) return false;
  TFocusStop stop;
  if (!Objects->IsAlive(Focus) || !StopOf(Focus, Entry, stop) || !RingShown()) return false;
  switch (Focus->ObjType) {
    case otButton: {
      auto* b = static_cast<TobjButton*>(Focus);
      RequestSound(b, 9);
      b->Click();
      return true;
    }
    case otPushButton:
      static_cast<TobjPushButton*>(Focus)->Press();
      return true;
    case otHintLabelButton:
      return static_cast<TobjHintLabelButton*>(Focus)->Click();
    case otGroupButton:
      static_cast<TobjGroupButton*>(Focus)->Choose(Entry);
      return true;
    case otCheckbox:
      RequestSound(Focus, 9);
      static_cast<TobjCheckBox*>(Focus)->Toggle();
      return true;
    default:
      // A list's choice is its screen's to make on Enter; a slider has nothing to use.
      return false;
  }
}

bool TsysFocus::HandleKey(const TsysEvent& event) {
  if (event.Kind != ekKeys) return false;
  const int key = static_cast<int>(event.Param);
  if (event.Code == 7) {
    const bool moves = key == vkTab || (key >= vkArrowLeft && key <= vkArrowDown);
    if (!moves) return false;
    Resources->KeyboardPlay = true;
    return Move(key, event.Value);
  }
  if (event.Code != 8 || (key != vkReturn && key != vkSpace)) return false;
  Resources->KeyboardPlay = true;
  if (!RingShown()) {
    // No control can take the focus yet (the screen is still empty).
    Step();
    return true;
  }
  return Activate(key);
}

void TsysFocus::Step() {
  TFocusStop stop;
  if (Focus != nullptr && Objects->IsAlive(Focus) && StopOf(Focus, Entry, stop)) {
    ShowRing(stop);
    return;
  }
  Focus = nullptr;
  Entry = -1;
  // The ring shows from the first frame, on the control the screen puts first.
  Collect(Scratch);
  if (Scratch.empty()) {
    HideRing();
    return;
  }
  const std::size_t first = FirstStop();
  SetFocus(Scratch[first].Object, Scratch[first].Entry, false);
  // A pointer resting on another control lets go of its look: one is marked.
  DropPointerHover();
}

bool TsysFocus::RingShown() const {
  return Ring != nullptr && Objects->IsAlive(Ring) && Ring->Visible;
}

bool TsysFocus::RingFrame(double& x, double& y, double& w, double& h) const {
  if (!RingShown()) return false;
  x = Ring->X;
  y = Ring->Y;
  w = Ring->Width;
  h = Ring->Height;
  return true;
}

void TsysFocus::HideRing() {
  if (Ring != nullptr && Objects->IsAlive(Ring) && Ring->Visible) Ring->SetVisible(false);
}

void PlaceOutlinedRing(TobjBase* ring, std::int32_t left, std::int32_t top, std::int32_t w, std::int32_t h,
                       std::int32_t lineWidth, std::int32_t edgeWidth) {
  const std::int32_t band = lineWidth + 2 * edgeWidth;
  const auto place = [&](int i, std::int32_t rx, std::int32_t ry, std::int32_t rw, std::int32_t rh) {
    TrndGfx* bar = ring->Item(i);
    bar->RelX = left + rx;
    bar->RelY = top + ry;
    bar->Width = rw;
    bar->Height = rh;
  };
  place(1, 0, 0, w, band);
  place(2, 0, h - band, w, band);
  place(3, 0, band, band, h - 2 * band);
  place(4, w - band, band, band, h - 2 * band);
  place(5, edgeWidth, edgeWidth, w - 2 * edgeWidth, lineWidth);
  place(6, edgeWidth, h - band + edgeWidth, w - 2 * edgeWidth, lineWidth);
  place(7, edgeWidth, band - edgeWidth, lineWidth, h - 2 * band + 2 * edgeWidth);
  place(8, w - band + edgeWidth, band - edgeWidth, lineWidth, h - 2 * band + 2 * edgeWidth);
}

void TsysFocus::ShowRing(const TFocusStop& stop) {
  if (Ring == nullptr || !Objects->IsAlive(Ring)) {
    Ring = Objects->CreateObject(Group, otStatic, 0, 0, RingLayer, 0, 0);
    if (Ring == nullptr) return;
    Ring->Space = csScreen;
    Ring->MainItem->Visible = false;
    // Four dark bars under four bright ones: top, bottom, left, right.
    for (int i = 0; i < 8; ++i) {
      TrndGfx* bar = Ring->AddItem(0, 0);
      bar->SetImage(PlainSet, PlainImage, 0);
      bar->SetColorAlpha(i < 4 ? EdgeColour : RingColour, i < 4 ? EdgeAlpha : 255);
    }
  }
  const std::int32_t pad = RingGap + RingWidth + EdgeWidth;
  const auto x = static_cast<std::int32_t>(std::lround(stop.X)) - pad;
  const auto y = static_cast<std::int32_t>(std::lround(stop.Y)) - pad;
  const auto w = static_cast<std::int32_t>(std::lround(stop.W)) + 2 * pad;
  const auto h = static_cast<std::int32_t>(std::lround(stop.H)) + 2 * pad;
  if (Ring->Visible && Ring->X == x && Ring->Y == y && Ring->Width == w && Ring->Height == h) return;
  Ring->X = x;
  Ring->Y = y;
  Ring->Width = w;
  Ring->Height = h;
  PlaceOutlinedRing(Ring, 0, 0, w, h, RingWidth, EdgeWidth);
  Ring->SetVisible(true);
}
