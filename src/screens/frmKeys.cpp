#include "screens/frmKeys.h"

#include <string>

#include "core/sysCatalogue.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

const TKeyRow KeysOfScreens[4] = {
    {TrMark("Tab, arrows"), TrMark("Move the white ring to another control.")},
    {TrMark("Shift+Tab"), TrMark("Move the ring back.")},
    {TrMark("Enter, Space"), TrMark("Use the control the ring is on.")},
    {TrMark("Esc"), TrMark("Go back, or open the game menu.")},
};

const TKeyRow KeysOfGame[10] = {
    {TrMark("Arrows"), TrMark("Move the ring over the grid or the quadrants.")},
    {TrMark("Enter, Space"), TrMark("Answer at the ring (two points for a line).")},
    {TrMark("Backspace, Delete"), TrMark("Take back the first point of a line.")},
    {TrMark("Home"), TrMark("Jump the ring to the origin.")},
    {TrMark("Page Up, Page Down"), TrMark("Jump the ring five points up or down.")},
    {TrMark("1 to 5"), TrMark("Use the power-up above that number.")},
    {TrMark("D, 6"), TrMark("Fire the Zorbex Doom Device when it is full.")},
    {TrMark("P"), TrMark("Pause the game, and play on.")},
    {TrMark("F1"), TrMark("Open the help page of a tutorial level.")},
    {TrMark("F12"), TrMark("Save a picture of the screen.")},
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
  frm::Label(objects, Group, Left, Top + 10, Layer, Width, 24, Tr("KEYS"), 16, false);

  double y = Top + 42;
  const auto section = [&](const char* heading, const TKeyRow* rows, int count) {
    TobjLabel* label = frm::Label(objects, Group, Left + 15, y, Layer, Width - 30, 26, heading, 10, true);
    label->SetColor(HeadingTint);
    y += 30;
    for (int i = 0; i < count; ++i) {
      frm::Caption(objects, Group, Left + 20, y, Layer, KeyWidth, RowHeight, Tr(rows[i].Keys), 10);
      frm::Caption(objects, Group, Left + 20 + KeyWidth, y, Layer, Width - 40 - KeyWidth, RowHeight, Tr(rows[i].Use), 8);
      y += RowHeight;
    }
    y += 6;
  };
  section(Tr("ON EVERY SCREEN"), KeysOfScreens, 4);
  section(Tr("IN THE GAME"), KeysOfGame, 10);

  Back = frm::Button(objects, Group, Left + (Width - 220) / 2.0, Top + 462, Layer, 220, 50, Tr("BACK"), 10, ekForm,
                     sidKeys, 0, 0);
  EscapeButton = Back;
}
