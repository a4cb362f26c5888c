#include "screens/frmCredits.h"

#include "core/sysCatalogue.h"
#include "objects/sysScreenIds.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

namespace {

struct TCreditPanel {
  std::int32_t X, Y, W, H;
  std::int32_t ListHeight;
  const char* Heading;
  const char* List;
};

// The panels are the controls' navy; the headings in the neon of the pages'
// headings (the green they wore is quadrant I's).
constexpr std::uint32_t HeadingColour = 0xFFE36A;

// TRANSLATORS: a credits line holds at most 23 characters; <r> breaks the line.
// The team is named by its roles only. A line holds at most 23 characters:
// the panels are 225 wide and the text starts 10 in.
constexpr TCreditPanel Panels[6] = {
    {282, 288, 225, 72, 50, TrMark("GAME DESIGN"), TrMark("- The Plotfray team")},
    {517, 288, 225, 72, 50, TrMark("PROGRAMMING"), TrMark("- The Plotfray team")},
    {282, 368, 225, 102, 60, TrMark("ART"), TrMark("- The Plotfray team<r>- Letters: DejaVu fonts<r> dejavu-fonts.github.io")},
    {517, 368, 225, 102, 50, TrMark("GAME TESTERS"), TrMark("- The Plotfray team")},
    {282, 478, 225, 87, 60, TrMark("SOUND & MUSIC"), TrMark("- The Plotfray team<r>- Every sound is made<r>  in code")},
    {517, 478, 225, 87, 50, TrMark("THANKS TO"), TrMark("- The SDL developers<r>- The Debian project<r>- The Cairo authors")},
};

TobjLabel* Text(TsysObjects* objects, std::int32_t group, double x, double y, std::int32_t w, std::int32_t h) {
  return objects->Create<TobjLabel>(group, otLabel, x, y, 2, w, h);
}

}  // namespace

TfrmCredits::TfrmCredits(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grCredits, sidCredits, true) {}

void TfrmCredits::BuildScreen() {
  TsysObjects* objects = Objects();
  frm::Panel(objects, Group, 272, 240, 2, 480, 480, 220);
  TobjLabel* title = Text(objects, Group, 272, 242, 480, 50);
  title->Caption->SetMarkUp(Tr("CREDITS"), 16, true, true, false, true, true);

  for (const TCreditPanel& p : Panels) {
    frm::Panel(objects, Group, p.X, p.Y, 2, p.W, p.H, 196);
    TobjLabel* heading = Text(objects, Group, p.X + 10, p.Y + 12, 230, 50);
    heading->Caption->SetMarkUp(Tr(p.Heading), 12, true, true, false, false, false);
    heading->Caption->SetColor(HeadingColour);
    TobjLabel* list = Text(objects, Group, p.X + 10, p.Y + 37, 230, p.ListHeight);
    list->Caption->SetMarkUp(Tr(p.List), 10, true, true, false, false, false);
  }

  TobjLabel* publisher = Text(objects, Group, 267, 578, 460, 50);
  publisher->Caption->SetMarkUp(Tr("Made by the Plotfray team"), 12, true, true, false, true, false);

  TobjLabel* libraries = Text(objects, Group, 272, 605, 460, 100);
  // Broken by hand: centring counts 7 pixels a character, so long lines would run off.
  // TRANSLATORS: <r> breaks the line; a line holds about 60 characters.
  libraries->Caption->SetMarkUp(
      Tr("Plotfray is built with <b>SDL2</b> and <b>SDL2_mixer</b><r>(libsdl.org), <b>zlib</b>, <b>Nettle</b>, "
      "<b>Cairo</b>, <b>FreeType</b><r>and <b>libvorbis</b>, with the <b>DejaVu</b> fonts."),
      8, false, true, false, true, false);

  Back = frm::Button(objects, Group, 397, 650, 2, 220, 50, Tr("BACK"), 8, ekForm, sidCredits, sidMainMenu, 0);
  EscapeButton = Back;
}
