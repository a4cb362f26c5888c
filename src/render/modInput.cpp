#include "render/modInput.h"

#include <algorithm>

#include "core/sysSceneSchedule.h"
#include "data/sysOptions.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"

namespace {

constexpr int ButtonKey[3] = {256, 258, 257};  // left, right, middle
constexpr int LeftButton = 256;

}  // namespace

const std::array<TInputBinding, 24>& TmodInput::Bindings() {
  static const std::array<TInputBinding, 24> table = {{
      {1, trKeyUp, 0x1B, 0, 0, 0, 0, ekKeys, 1},
      {1, trKeyDown, 0x26, 1, 2, 0, 0, ekGame, 6},
      {1, trKeyDown, 0x28, 1, 2, 0, 0, ekGame, 7},
      {1, trKeyDown, 0x25, 1, 2, 0, 0, ekGame, 4},
      {1, trKeyDown, 0x27, 1, 2, 0, 0, ekGame, 5},
      {2, trButtonUp, 256, 0, 0, 0, 0, ekMouse, 3},
      {2, trButtonDown, 256, 0, 0, 0, 0, ekMouse, 2},
      {2, trButtonDown, 258, 1, 0, 0, 0, ekMouse, 4},
      {2, trButtonUp, 258, 1, 0, 0, 0, ekMouse, 5},
      {2, trButtonDown, 257, 1, 0, 0, 0, ekMouse, 8},
      {2, trButtonUp, 257, 1, 0, 0, 0, ekMouse, 9},
      {2, trMouseMove, 0, 0, 0, 0, 0, ekMouse, 1},
      {1, trKeyUp, 0x20, 1, 0, 0, 0, ekGame, 15},
      {1, trKeyUp, 0x50, 1, 0, 0, 0, ekGame, 15},
      {1, trKeyUp, 0x70, 1, 0, 0, 0, ekGame, 15},
      {1, trKeyUp, 0x31, 1, 0, 0, 0, ekGame, 29},
      {1, trKeyUp, 0x32, 1, 0, 0, 0, ekGame, 30},
      {1, trKeyUp, 0x33, 1, 0, 0, 0, ekGame, 31},
      {1, trKeyUp, 0x34, 1, 0, 0, 0, ekGame, 32},
      {1, trKeyUp, 0x35, 1, 0, 0, 0, ekGame, 33},
      {1, trKeyUp, 0x44, 1, 0, 0, 0, ekGame, 39},
      {1, trKeyUp, 0x64, 1, 0, 0, 0, ekGame, 39},
      {1, trKeyUp, 0x0D, 1, 0, 0, 0, ekGame, 43},
      {1, trKeyUp, 0x36, 1, 0, 0, 0, ekGame, 39},
  }};
  return table;
}

TmodInput::TmodInput(TsysMainWindow* owner, TsysInterface* iface) : TsysModule(owner), Interface(iface) {
  EventMask = 0x7FFF;
  if (Owner != nullptr) Owner->SetInputSink(this);
  SetContext(0);
  ReadOptions();
}

TmodInput::~TmodInput() {
  if (Owner != nullptr) Owner->SetInputSink(nullptr);
}

void TmodInput::SetContext(std::int32_t context) {
  Context = context;
  for (int k = 0; k < KeyCount; ++k)
    Keys[static_cast<std::size_t>(k)].Binding = FindBinding(k, k < 256 ? trKeyDown : trButtonDown);
}

std::int32_t TmodInput::FindBinding(int key, std::uint8_t trigger) const {
  const auto& table = Bindings();
  for (int i = static_cast<int>(table.size()) - 1; i >= 0; --i) {
    const TInputBinding& row = table[static_cast<std::size_t>(i)];
    if (row.Key == key && row.Trigger == trigger && row.Context == Context) return i;
  }
  return -1;
}

void TmodInput::Hold(std::int32_t steps) {
  HoldSteps = std::max(HoldSteps, steps);
  // A press already under way would otherwise end on the new panel.
  if (Keys[LeftButton].Held) Stale[LeftButton] = true;
  for (int key : {vkReturn, vkSpace})
    if (Down[static_cast<std::size_t>(key)]) Stale[static_cast<std::size_t>(key)] = true;
}

bool TmodInput::HeldBack(int key) { return key == LeftButton || key == vkReturn || key == vkSpace; }

void TmodInput::ReadOptions() {
  if (Interface != nullptr && Interface->Resources) KeyRepeat = Interface->Resources->Options.KeyRepeat;
}

void TmodInput::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  if (event->Kind == ekSystem && event->Code == 16) ReadOptions();
  if (event->Kind != ekKeys) return;
  if (event->Code == 3) {
    TextMode = true;
    if (Owner != nullptr) Owner->SetTextInput(true);
  } else if (event->Code == 4) {
    TextMode = false;
    for (auto& k : Keys) k.Held = false;
    Down.fill(false);
    Stale.fill(false);
    NavKey = -1;
    if (Owner != nullptr) Owner->SetTextInput(false);
  }
}

void TmodInput::PostRow(const TInputBinding& row, std::intptr_t param, std::int32_t value) {
  PostEvent(pmQueued, row.Kind, static_cast<std::uint16_t>(row.Code), param, value);
}

void TmodInput::ProcessEvents() {
  if (HoldSteps > 0) --HoldSteps;
  if (NavKey >= 0 && Enabled && Context >= 0 && --NavCountdown <= 0) {
    NavCountdown = KeyRepeatPace(KeyRepeat).Interval;
    PostEvent(pmQueued, ekKeys, 7, NavKey, NavShift);
  }
  const auto& table = Bindings();
  for (std::size_t i = 0; i < Keys.size(); ++i) {
    TKeyState& k = Keys[i];
    if (!k.Held || k.Binding < 0 || Stale[i]) continue;
    if (k.RepeatMode & 1) {
      if (k.Countdown > 0) {
        --k.Countdown;
        continue;
      }
      if (k.RepeatMode & 2) k.Countdown = k.Interval;
    } else if (k.RepeatMode & 2) {
      if (k.Countdown > 0) {
        --k.Countdown;
        continue;
      }
      k.Countdown = k.Interval;
    } else {
      continue;
    }
    PostRow(table[static_cast<std::size_t>(k.Binding)], k.DownX, k.DownY);
  }
  AnnounceRepeats();
  TsysModule::ProcessEvents();
}

void TmodInput::AnnounceRepeats() const {
  // A held key repeats by the step, with no event from the window to wake a
  // resting screen: the step that will post its next repeat is announced like
  // any change to come (the timer wakes the step after, which hands it out).
  if (NavKey >= 0 && Enabled && Context >= 0) SceneSchedule.ChangeIn(NavCountdown);
  for (std::size_t i = 0; i < Keys.size(); ++i) {
    const TKeyState& k = Keys[i];
    if (k.Held && k.Binding >= 0 && !Stale[i] && (k.RepeatMode & 3) != 0) SceneSchedule.ChangeIn(k.Countdown + 1);
  }
}

void TmodInput::Press(int key, const TInputBinding& row, std::int32_t binding) {
  TKeyState& k = Keys[static_cast<std::size_t>(key)];
  k.Held = true;
  k.Binding = binding;
  k.RepeatMode = static_cast<std::uint8_t>(row.Repeat + 1);
  k.Interval = row.Interval;
  k.Countdown = row.Delay;
}

void TmodInput::NavPress(int key, int shift) {
  // After a quit request (context -1) no key speaks any more.
  if (Context < 0 || Down[static_cast<std::size_t>(key)]) return;
  Down[static_cast<std::size_t>(key)] = true;
  PostEvent(pmQueued, ekKeys, 7, key, shift);
  if (HeldBack(key) && HoldSteps > 0) Stale[static_cast<std::size_t>(key)] = true;
  const TKeyRepeatPace pace = KeyRepeatPace(KeyRepeat);
  const bool repeats = pace.Interval > 0 && (key == vkTab || (key >= vkArrowLeft && key <= vkArrowDown));
  if (repeats) {
    NavKey = key;
    NavShift = shift;
    NavCountdown = pace.Delay;
  }
}

void TmodInput::KeyDown(int key, int shift) {
  if (!Enabled || key < 0 || key > 255) return;
  if (TextMode) {
    // Tab leaves the text box, so it reports itself as in keyboard play.
    if (key == vkTab) NavPress(key, shift);
    switch (key) {
      case 0x25: case 0x27: case 0x26: case 0x28:  // arrows
      case 0x2E: case 0x24: case 0x23: case 0x08:  // Delete, Home, End, Backspace
        PostEvent(pmQueued, ekKeys, 5, key, shift);
        break;
      default:
        break;
    }
    return;
  }
  NavPress(key, shift);
  if (Keys[static_cast<std::size_t>(key)].Held) return;
  const std::int32_t binding = FindBinding(key, trKeyDown);
  if (binding < 0) return;
  Press(key, Bindings()[static_cast<std::size_t>(binding)], binding);
}

void TmodInput::KeyPress(int character) {
  if (!Enabled || !TextMode) return;
  PostEvent(pmQueued, ekKeys, 6, character, 0);
}

void TmodInput::KeyUp(int key, int shift) {
  if (!Enabled || key < 0 || key > 255) return;
  Down[static_cast<std::size_t>(key)] = false;
  if (key == NavKey) NavKey = -1;
  if (Stale[static_cast<std::size_t>(key)]) {
    // Pressed before the panel could be seen: it was not meant for it.
    Stale[static_cast<std::size_t>(key)] = false;
    Keys[static_cast<std::size_t>(key)].Held = false;
    return;
  }
  if (TextMode) {
    // Escape still backs out of a screen whose text box has the keys.
    if (key == vkEscape && Context >= 0) PostEvent(pmQueued, ekKeys, 1, 0, 0);
    return;
  }
  const std::int32_t binding = FindBinding(key, trKeyUp);
  if (binding >= 0) PostRow(Bindings()[static_cast<std::size_t>(binding)], 0, 0);
  if (Context >= 0) PostEvent(pmQueued, ekKeys, 8, key, shift);
  Keys[static_cast<std::size_t>(key)].Held = false;
}

void TmodInput::NotePointer(int x, int y) {
  if (Interface == nullptr || !Interface->Resources) return;
  TsysResources& res = *Interface->Resources;
  res.PointerKnown = true;
  res.PointerHoverShown = true;
  res.PointerX = x;
  res.PointerY = y;
}

void TmodInput::ButtonDown(int button, int x, int y, int) {
  NotePointer(x, y);
  if (!Enabled || button < 0 || button > 2) return;
  const int key = ButtonKey[button];
  TKeyState& k = Keys[static_cast<std::size_t>(key)];
  if (k.Held) return;
  const std::int32_t binding = FindBinding(key, trButtonDown);
  if (binding < 0) return;
  if (HeldBack(key) && HoldSteps > 0) {
    k.Held = true;
    Stale[static_cast<std::size_t>(key)] = true;
    return;
  }
  const TInputBinding& row = Bindings()[static_cast<std::size_t>(binding)];
  Press(key, row, binding);
  k.DownX = x;
  k.DownY = y;
  // The press is posted at once: a release that follows before the next step
  // must not overtake it (the repeat alone would never post it then).
  PostRow(row, x, y);
}

void TmodInput::ButtonUp(int button, int x, int y, int) {
  NotePointer(x, y);
  if (!Enabled || button < 0 || button > 2) return;
  const int key = ButtonKey[button];
  if (Stale[static_cast<std::size_t>(key)]) {
    Stale[static_cast<std::size_t>(key)] = false;
    Keys[static_cast<std::size_t>(key)].Held = false;
    return;
  }
  const std::int32_t binding = FindBinding(key, trButtonUp);
  if (binding >= 0) PostRow(Bindings()[static_cast<std::size_t>(binding)], x, y);
  Keys[static_cast<std::size_t>(key)].Held = false;
}

void TmodInput::PointerMove(int x, int y, int) {
  NotePointer(x, y);
  if (!Enabled) return;
  const std::int32_t binding = FindBinding(0, trMouseMove);
  if (binding >= 0) PostRow(Bindings()[static_cast<std::size_t>(binding)], x, y);
}

void TmodInput::WheelDown(int x, int y) {
  if (Enabled) PostEvent(pmQueued, ekMouse, 7, x, y);
}

void TmodInput::WheelUp(int x, int y) {
  if (Enabled) PostEvent(pmQueued, ekMouse, 6, x, y);
}
