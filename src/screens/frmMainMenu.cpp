#include "screens/frmMainMenu.h"

#include <string>

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "screens/frmParts.h"

namespace {

struct TMenuEntry {
  const char* Caption;
  const char* Hint;
  std::uint16_t Target;  // 0: quit
};

constexpr int EntryCount = 7;
// Rows of the column, 50 high with 10 between.
constexpr int RowStep = 60;

constexpr TMenuEntry Entries[EntryCount] = {
    {TrMark("TUTORIAL"), TrMark("Save the Origin! Click here, or press Enter, to learn the game."), sidMissions},
    {TrMark("ARCADE"), TrMark("Play an arcade mode game. Click here, or press Enter, if you know the game and want to play for a high score"),
     sidArcade},
    {TrMark("CHALLENGES"), TrMark("Pick from a variety of challenges!"), sidChallenge},
    {TrMark("HIGH SCORES"), TrMark("View the high score lists"), sidScores},
    {TrMark("PROGRESS"), TrMark("See how each skill is going: quadrants, points and lines, right answers and times"), sidProgress},
    {TrMark("OPTIONS"), TrMark("Configure game options"), sidOptions},
    {TrMark("EXIT"), TrMark("But... the origin needs you!"), 0},
};

}  // namespace

TfrmMainMenu::TfrmMainMenu(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grMainMenu, sidMainMenu, true) {}

void TfrmMainMenu::BuildScreen() {
  TsysObjects* objects = Objects();
  Panel = frm::Panel(objects, Group, 372, 240, 2, 280, 480, 196);
  Title = frm::Label(objects, Group, 397, 247, 2, 230, 50, Tr("MAIN MENU"), 16, false);

  for (int i = 0; i < EntryCount; ++i) {
    const TMenuEntry& e = Entries[i];
    TobjButton* b = frm::Button(objects, Group, 397, 300 + RowStep * i, 2, 230, 50, Tr(e.Caption), 10, 0, 0, 0, 0);
    if (e.Target == 0)
      b->SetAction(ekSystem, 2, 0, 0);
    else
      b->SetAction(ekForm, sidMainMenu, e.Target, 0);
    frm::Hint(b, 232, 0, 220, 100, Tr(e.Hint));
    b->SetAlpha(200);
    Buttons[static_cast<std::size_t>(i)] = b;
  }

  Version = frm::Label(objects, Group, 804, 0, 2, 220, 30, Tr("Version: v1.0"), 10, true);

  TobjButton* credits = frm::Button(objects, Group, 804, 30, 2, 220, 50, Tr("CREDITS"), 10, ekForm, sidMainMenu,
                                    sidCredits, 0);
  frm::Hint(credits, 0, 50, 220, 80, Tr("Who made this thing anyway?"));
  credits->SetAlpha(200);
  Buttons[EntryCount] = credits;

  TsysResources* res = Resources();
  // TRANSLATORS: the greeting at the top left, in a box 220 pixels wide.
  const std::string greeting = Format(Tr("Hi %s!"), {res->GetActiveProfile().Name.substr(0, 17)}) + " ";
  Greeting = frm::Label(objects, Group, 0, 0, 2, 220, 30, greeting, 10, true);

  TobjButton* profile = frm::Button(objects, Group, 0, 30, 2, 220, 50, Tr("CHANGE PROFILE"), 10, ekForm, sidMainMenu,
                                    sidProfile, 0);
  frm::Hint(profile, 0, 50, 220, 80, Tr("Change the active player profile, or add a new profile"));
  profile->SetAlpha(255);
  Buttons[EntryCount + 1] = profile;

  Focus->SetFirst(Buttons[0]);
  res->GameKind = GameKind::Mission;
  res->GameType = GameType::QuickQuadrants;
  res->PlayingSet = nullptr;  // a teacher's set is chosen on CLASS LEVELS each time
  res->ScoreRank = -1;
}
