#pragma once
// Keyboard focus of one screen: which control the keys act on, a ring drawn
// round it from the screen's first frame, Tab / Shift+Tab through the controls
// in reading order, the arrows to the nearest control that way (or along a
// slider or a list), and Enter or Space to use it as a click would. The
// pointer moves the focus too, so that one control is marked at a time: the
// one the keys would use. Every screen has one (TsysForm).
#include <cstdint>
#include <vector>

struct TsysEvent;
class TobjBase;
class TsysObjects;
class TsysResources;

// Lays out the eight bars of an outlined ring (four dark edge bars, items 1-4,
// under four bright ones, items 5-8) as a w x h frame whose top left is at
// (left, top) relative to the ring object: bright lines lineWidth wide with
// edgeWidth of dark on either side. The keyboard focus and the board cursor
// both draw their rings this way.
void PlaceOutlinedRing(TobjBase* ring, std::int32_t left, std::int32_t top, std::int32_t w, std::int32_t h,
                       std::int32_t lineWidth, std::int32_t edgeWidth);

struct TFocusStop {
  TobjBase* Object = nullptr;
  std::int32_t Entry = -1;  // the entry of a row of choices, -1 for other controls
  // The frame in screen pixels.
  double X = 0;
  double Y = 0;
  double W = 0;
  double H = 0;
};

class TsysFocus {
 public:
  TsysFocus(TsysObjects* objects, TsysResources* resources, std::int32_t group);
  ~TsysFocus();
  TsysFocus(const TsysFocus&) = delete;
  TsysFocus& operator=(const TsysFocus&) = delete;

  // ekKeys 7 (a key went down) moves the focus, ekKeys 8 (a key came up) uses
  // the focused control. True when the key was taken.
  bool HandleKey(const TsysEvent& event);
  // Keeps the ring on its control every step: it follows a moving control and
  // lets go of one that went away or was hidden (for the first control then).
  void Step();
  // The pointer went to (x, y): a control there takes the focus (not a text box:
  // that takes the keys only when clicked or reached by the keys).
  void FollowPointer(double x, double y);
  // The reading-order place of the focused control, -1 for none; and the focus
  // put back on the control at such a place (a screen opened again).
  std::int32_t CurrentPlace() const;
  void SetFirstPlace(std::int32_t place);

  // The controls that can take the focus now, in reading order.
  std::vector<TFocusStop> Stops() const;
  // The frame of a control that can take the focus now; false when it cannot.
  static bool StopOf(TobjBase* object, std::int32_t entry, TFocusStop& stop);
  // The control that the first key focuses (else the first in reading order).
  void SetFirst(TobjBase* object) { First = object; }
  // tell: the control's hint opens, as for a pointer resting there (not when
  // the screen places its first focus, nor when the pointer brought it).
  void SetFocus(TobjBase* object, std::int32_t entry = -1, bool tell = true);
  TobjBase* Current() const { return Focus; }
  std::int32_t CurrentEntry() const { return Entry; }
  // Whether the ring is on screen.
  bool RingShown() const;
  // The ring's frame (for tests): x, y, width, height in screen pixels.
  bool RingFrame(double& x, double& y, double& w, double& h) const;

 private:
  bool Move(int key, int shift);
  bool Activate(int key);
  void ShowRing(const TFocusStop& stop);
  void HideRing();
  bool Find(const std::vector<TFocusStop>& stops, std::size_t& at) const;
  // The keys moved the focus: the control under a resting pointer lets go of its look.
  void DropPointerHover();
  // The place the focus starts from when it has none (First, or a typing box).
  std::size_t FirstStop() const;
  void Collect(std::vector<TFocusStop>& out) const;
  // The text box that holds the keys now, if one of this screen's does.
  TobjBase* TypingBox() const;

  TsysObjects* Objects;
  TsysResources* Resources;
  std::int32_t Group;
  TobjBase* Focus = nullptr;
  std::int32_t Entry = -1;
  TobjBase* First = nullptr;
  std::int32_t FirstPlace = -1;
  TobjBase* Ring = nullptr;
  std::vector<TFocusStop> Scratch;  // reused so that a step allocates nothing
};
