#include "screens/frmKeys.h"

#include <string>

#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

const TKeyRow KeysOfScreens[4] = {
    {"Tab, arrows", "Move the white ring to another control."},
    {"Shift+Tab", "Move the ring back."},
    {"Enter, Space", "Use the control the ring is on."},
    {"Esc", "Go back, or open the game menu."},
};

const TKeyRow KeysOfGame[10] = {
    {"Arrows", "Move the ring over the grid or the quadrants."},
    {"Enter, Space", "Answer at the ring (two points for a line)."},
    {"Backspace, Delete", "Take back the first point of a line."},
    {"Home", "Jump the ring to the origin."},
    {"Page Up, Page Down", "Jump the ring five points up or down."},
    {"1 to 5", "Use the power-up above that number."},
    {"D, 6", "Fire the Zorbex Doom Device when it is full."},
    {"P", "Pause the game, and play on."},
    {"F1", "Open the help page of a tutorial level."},
    {"F12", "Save a picture of the screen."},
};

namespace {

// Over the in-game menu (layer 8) as well as over the menu screens.
constexpr double Layer = 9;
constexpr double Left = 182;
constexpr double Top = 232;
constexpr std::int32_t Width = 660;
constexpr std::int32_t RowHeight = 24;
constexpr std::int32_t KeyWidth = 190;
constexpr std::uint32_t HeadingTint = 0x6E6E6E;

}  // namespace

TfrmKeys::TfrmKeys(TsysMainWindow* owner, TsysInterface* iface) : TsysForm(owner, iface, grKeys, sidKeys, true) {}

void TfrmKeys::BuildScreen() {
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, Left, Top, Layer, Width, 528, 230);
  frm::Label(objects, Group, Left, Top + 10, Layer, Width, 24, "KEYS", 16, false);

  double y = Top + 42;
  const auto section = [&](const char* heading, const TKeyRow* rows, int count) {
    TobjLabel* label = frm::Label(objects, Group, Left + 15, y, Layer, Width - 30, 26, heading, 10, true);
    label->SetColor(HeadingTint);
    y += 30;
    for (int i = 0; i < count; ++i) {
      frm::Caption(objects, Group, Left + 20, y, Layer, KeyWidth, RowHeight, rows[i].Keys, 10);
      frm::Caption(objects, Group, Left + 20 + KeyWidth, y, Layer, Width - 40 - KeyWidth, RowHeight, rows[i].Use, 8);
      y += RowHeight;
    }
    y += 6;
  };
  section("ON EVERY SCREEN", KeysOfScreens, 4);
  section("IN THE GAME", KeysOfGame, 10);

  Back = frm::Button(objects, Group, Left + (Width - 220) / 2.0, Top + 462, Layer, 220, 50, "BACK", 10, ekForm,
                     sidKeys, 0, 0);
  EscapeButton = Back;
}
