// Every screen and panel of the game, in the pseudo-language of the tests and
// in each real language, through the real director and the real SDL device on
// the generated data: no text leaves its box, no two texts lie over each other,
// and (in the pseudo-language) every sentence came from the catalogue. The
// pseudo-language's catalogue (build/pseudo/lang/qps.mo) is read by the game's
// own loader from a data folder that links the generated one.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "archiveSupport.h"
#include "autoPlayer.h"
#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "core/sysLog.h"
#include "data/sysOptions.h"
#include "drawnScreenSupport.h"
#include "game/frmGame.h"
#include "tables/defMonsters.h"
#include "objects/objButton.h"
#include "render/modInput.h"
#include "screens/frmMissions.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "textFitSupport.h"

namespace {

class EveryScreenFits : public DrawnScreenTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    Language = GetParam();
    // The names the high-score tables start with are names, not sentences.
    for (const char* name : MonsterNames) {
      std::string word;
      for (const char* c = name;; ++c) {
        if (*c == ' ' || *c == 0) {
          OwnWords.insert(word);
          word.clear();
        } else {
          word += *c;
        }
        if (*c == 0) break;
      }
    }
    // The generated data with the pseudo-language's catalogue beside the real ones.
    namespace fs = std::filesystem;
    for (const fs::directory_entry& e : fs::directory_iterator(PLOTFRAY_DATA_DIR))
      if (e.path().filename() != "lang") fs::create_symlink(e.path(), LinkedData.File(e.path().filename().string()));
    fs::create_directory(LinkedData.File("lang"));
    for (const fs::directory_entry& e : fs::directory_iterator(std::string(PLOTFRAY_DATA_DIR) + "lang"))
      fs::create_symlink(e.path(), LinkedData.File("lang/" + e.path().filename().string()));
    fs::create_symlink(std::string(PLOTFRAY_PSEUDO_DIR) + "lang/qps.mo", LinkedData.File("lang/qps.mo"));
    DataFolder = LinkedData.Path();
    // The language as OPTIONS keeps it, read at start as a saved choice is.
    TOptionsRecord options;
    options.Language = Language;
    const std::vector<std::uint8_t> bytes = EncodeOptions(options);
    std::ofstream(Dir.File("Options.ini"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // The message-box test starts on a damaged high-score file.
    Boxes = std::make_unique<TMessageCatcher>();
    if (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()).rfind("MessageBoxes", 0) == 0)
      std::ofstream(Dir.File("Scores.dat"), std::ios::binary) << "not a score table";
    DrawnScreenTest::SetUp();
  }
  void TearDown() override {
    DrawnScreenTest::TearDown();
    Boxes.reset();
    SetCatalogue(nullptr);
  }
  bool HaveArt() { return HaveImage(0, 2) && HaveImage(3, 0) && HaveImage(3, 4); }
  bool Pseudo() const { return Language == "qps"; }

  // Measures every text drawn now; a fault fails the test, naming the screen.
  void Check(const std::string& where) {
    ++Checks;
    Director->Graphics->RenderFrame();  // paints each changed text into its target
    static const textfit::TFontInk font(BuiltArchive("core.asdb").size() > 2 ? BuiltArchive("core.asdb")[2] : nullptr);
    ASSERT_TRUE(font.Ready) << "the font sheet of core.asdb could not be read";
    const std::vector<textfit::TShown> shown = textfit::Collect(font, Director->Interface->Objects.get(), *Res());
    Texts += static_cast<int>(shown.size());
    EXPECT_GE(shown.size(), 1u) << where << ": nothing is written on the screen";
    std::vector<std::string> faults;
    textfit::FitFaults(font, shown, faults);
    textfit::OverlapFaults(shown, faults);
    if (Pseudo()) textfit::CatalogueFaults(shown, OwnWords, faults);
    for (const std::string& f : faults) {
      // Numbers (a score, a position) change from run to run of a fault.
      std::string fault;
      for (char c : CodePageToUtf8(f))
        if (c < '0' || c > '9') fault += c;
        else if (fault.empty() || fault.back() != '#') fault += '#';
      // Told once, with the first screen it showed on.
      if (Seen.insert(fault).second) Where[fault] = where + ": " + CodePageToUtf8(f);
    }
  }
  // Fails on every fault the known list does not hold, and on every listed
  // fault of this walk that no longer shows (so the list only shrinks).
  void Judge(const std::string& walk) {
    std::set<std::string> known;
    std::ifstream list(std::string(PLOTFRAY_SOURCE_DIR) + "tests/textFit_known.txt");
    const std::string prefix = walk + " " + Language + ": ";
    for (std::string line; std::getline(list, line);)
      if (line.rfind(prefix, 0) == 0) known.insert(line.substr(prefix.size()));
    int fresh = 0;
    for (const std::string& f : Seen)
      if (known.count(f) == 0) {
        ++fresh;
        ADD_FAILURE() << Language << ", " << Where[f] << "\n  (known-list form: " << prefix << f << ")";
      }
    for (const std::string& k : known)
      if (Seen.count(k) == 0) ADD_FAILURE() << "listed in tests/textFit_known.txt but no longer seen: " << prefix << k;
    std::printf("  %s %s: %d screens measured, %d texts, %zu faults (%zu known, %d new)\n", walk.c_str(),
                Language.c_str(), Checks, Texts, Seen.size(), known.size(), fresh);
  }
  // Rests the pointer on every button of the screen in turn, so that each
  // hint shows, and measures each.
  void CheckHints(const std::string& where, std::int32_t group) {
    TsysObjects* objects = Director->Interface->Objects.get();
    std::vector<std::pair<int, int>> spots;
    for (std::int32_t i = 0; i < objects->GroupSize(group); ++i) {
      const auto* b = dynamic_cast<const TobjHintLabel*>(objects->GroupObject(group, i));
      if (b == nullptr || !b->Visible || b->Space != csScreen || !b->HintEnabled) continue;
      spots.push_back({static_cast<int>(b->X + b->Width / 2), static_cast<int>(b->Y + b->Height / 2)});
    }
    for (const auto& [x, y] : spots) {
      Move(x, y);
      Tick(12);
      Check(where + " (pointer at " + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    Move(2, 2);
    Tick(12);
  }
  // Clicks the button of the group whose caption is the text's translation.
  void ClickCaption(std::int32_t group, const char* caption) {
    TsysObjects* objects = Director->Interface->Objects.get();
    for (std::int32_t i = 0; i < objects->GroupSize(group); ++i) {
      const auto* b = dynamic_cast<const TobjButton*>(objects->GroupObject(group, i));
      if (b == nullptr || !b->Visible) continue;
      std::string text = b->Caption->Text;
      while (!text.empty() && text.back() == ' ') text.pop_back();
      if (text != Tr(caption)) continue;
      Click(static_cast<int>(b->X + b->Width / 2), static_cast<int>(b->Y + b->Height / 2), 40);
      return;
    }
    ADD_FAILURE() << "no button " << caption << " in group " << group;
  }
  // Opens a screen from the main menu, measures it with its hints, and goes back.
  void Visit(const std::string& where, std::uint16_t screen, std::int32_t group) {
    Director->SwitchScreen(screen, grMainMenu, 0);
    Tick(40);
    Check(where);
    CheckHints(where, group);
  }
  void BackToMainMenu(std::int32_t fromGroup) {
    Director->SwitchScreen(sidMainMenu, fromGroup, 0);
    Tick(40);
  }
  // The player's progress part of the way through everything.
  void GiveProgress() {
    GiveSampleProgress(Res()->Profiles[static_cast<std::size_t>(Res()->Settings.ActiveProfile)]);
  }
  void WaitFor(TScreenSlot slot) {
    for (int i = 0; i < 200 && (Director->Screen(slot) == nullptr || Director->Screen(slot)->FadingIn); ++i) Tick();
  }

  std::string Language;
  TTempDir LinkedData;
  std::unique_ptr<TMessageCatcher> Boxes;
  // What the test types or writes itself: no catalogue gives it.
  // (and the pseudo-language's name on OPTIONS' language button: it has none of its own).
  std::set<std::string> OwnWords = {"Ada",       "Friday", "friday", "txt", "Left", "side", "only", "Room",
                                    "maths",     "Quadrants", "and",  "Now", "with", "sums", "qps"};
  std::set<std::string> Seen;
  std::map<std::string, std::string> Where;
  int Checks = 0;
  int Texts = 0;
};

// The screens around the game, from the first start on.
TEST_P(EveryScreenFits, SetUpScreens) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ASSERT_EQ(LanguageCode(), Language) << "the catalogue was not taken";
  if (Pseudo()) {
    ASSERT_STREQ(Tr("OK"), "[\xD4K~]") << "the pseudo-language is not the one the build makes";
  }
  Tick(60);
  Check("loading");
  Director->Input->ButtonUp(0, 500, 400, 0);
  Tick(40);
  ASSERT_NE(Director->Screen(ssProfileCreate), nullptr);
  Check("welcome");
  for (char c : std::string("Ada")) {
    Director->Input->KeyPress(static_cast<unsigned char>(c));
    Tick();
  }
  Director->Input->KeyPress('*');
  Tick(3);
  Check("welcome, a sign refused");
  Director->Input->KeyPress(UnwritableCharacter);
  Tick(3);
  Check("welcome, a letter refused");
  Director->Input->KeyPress(13);
  Tick(40);
  ASSERT_NE(Director->Screen(ssMainMenu), nullptr);
  GiveProgress();
  Check("main menu");
  CheckHints("main menu", grMainMenu);

  Visit("profiles", sidProfile, grProfile);
  ClickCaption(grProfile, "RENAME");
  Check("profiles, renaming");
  Director->Input->KeyPress(UnwritableCharacter);
  Tick(3);
  Check("profiles, renaming, a letter refused");
  ClickCaption(grProfile, "CANCEL");
  ClickCaption(grProfile, "DELETE");
  Check("profiles, deleting");
  ClickCaption(grProfile, "KEEP");
  ClickCaption(grProfile, "NEW PROFILE");
  ASSERT_NE(Director->Screen(ssProfileCreate), nullptr);
  Director->Input->KeyPress('*');
  Tick(3);
  Check("add player, a sign refused");
  Director->Input->KeyPress(13);
  Tick(3);
  Check("add player, no name");
  BackToMainMenu(grProfileCreate);
  Visit("options", sidOptions, grOptions);
  Director->SwitchScreen(sidKeys, grOptions, 0);
  Tick(40);
  Check("keys panel");
  BackToMainMenu(grKeys);
  Visit("arcade", sidArcade, grArcade);
  BackToMainMenu(grArcade);
  Visit("tutorial", sidMissions, grMissions);
  {
    // The story is written in capitals, the accented letters' too.
    auto* missions = dynamic_cast<TfrmMissions*>(Director->Screen(ssMissions));
    ASSERT_NE(missions, nullptr);
    int small = 0;
    for (char c : missions->Story->Caption->Text) {
      const auto u = static_cast<unsigned char>(c);
      small += (u >= 'a' && u <= 'z') || (u >= 0xE0 && u != 0xF7) || u == 0x9A || u == 0x9C || u == 0x9E;
    }
    EXPECT_EQ(small, 0) << CodePageToUtf8(missions->Story->Caption->Text);
  }
  // A teacher's set beside a bad file, and the bad file's faults.
  WriteSampleLevelSets();
  Director->SwitchScreen(sidClassLevels, grMissions, 0);
  Tick(40);
  Check("class levels");
  Press(vkArrowDown);
  Tick(20);
  Check("class levels, a teacher's set");
  Press(vkArrowUp);
  Tick(20);
  Check("class levels, a bad file's faults");
  CheckHints("class levels", grClassLevels);
  BackToMainMenu(grClassLevels);
  Visit("challenges", sidChallenge, grChallenge);
  BackToMainMenu(grChallenge);
  Visit("high scores", sidScores, grScores);
  BackToMainMenu(grScores);
  Visit("progress", sidProgress, grProgress);
  BackToMainMenu(grProgress);
  Visit("credits", sidCredits, grCredits);
  for (int i = 0; i < 6; ++i) {
    Tick(150);
    Check("credits, later");
  }
  BackToMainMenu(grCredits);
  Judge("SetUpScreens");
}

// The game in its three types at every difficulty (the HUD with combos and
// power-ups, paused, the game menu), a mission level's help page and its end,
// an arcade game lost with its title, a challenge against the clock to its end.
TEST_P(EveryScreenFits, GameScreens) {
  if (!HaveArt() || !HaveImage(Sprite::Set, Sprite::HudPanel)) GTEST_SKIP() << "the game's art is not in the data yet";
  StartAsNewPlayer();
  const char* types[] = {"", "quadrants", "points", "lines"};
  const char* levels[] = {"Easy", "Medium", "Hard", "Crazy"};
  for (std::int32_t type : {GameType::QuickQuadrants, GameType::WhatsThePoint, GameType::DefineTheLine})
    for (std::int32_t d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Crazy}) {
      const std::string where = std::string("arcade, ") + types[type] + ", " + levels[d];
      OpenGame(GameKind::Arcade, type, d);
      TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, static_cast<std::uint32_t>(type * 10 + d));
      for (int i = 0; i < 700; ++i) player.Step();
      Check(where);
      TfrmGame* game = player.Game();
      ASSERT_NE(game, nullptr) << where;
      game->BasicCombo = game->TimeCombo = 12;
      game->TimeComboTimer = Res()->Level.TimeComboWindow;
      game->UpdateHud();
      Tick();
      Check(where + ", both combos");
      if (d != Difficulty::Medium) continue;
      Press(vkP);
      Tick(3);
      Check(where + ", paused");
      Press(vkP);
      Tick(3);
      Press(vkEscape);
      Tick(30);
      ASSERT_NE(Director->Screen(ssGameMenu), nullptr) << where;
      Check(where + ", game menu");
      CheckHints(where + ", game menu", grGameMenu);
      Press(vkEscape);
      Tick(30);
    }

  // A mission level: its help page, play to its end (the rising texts on the
  // way), the level-complete panel.
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium, 3);
  WaitFor(ssTutorial);
  ASSERT_NE(Director->Screen(ssTutorial), nullptr);
  Check("help page");
  CheckHints("help page", grTutorial);
  Press(vkReturn);
  Tick(10);
  TAutoPlayer missionPlayer(Director.get(), TAutoPlayer::TStyle::Solver, 5);
  for (int i = 0; i < 40 && Director->Screen(ssGameOver) == nullptr; ++i) {
    for (int k = 0; k < 100; ++k) missionPlayer.Step();
    Check("mission level, playing");
  }
  ASSERT_TRUE(PlayUntilShown(missionPlayer, ssGameOver, 20000)) << "the mission level did not end";
  Tick(60);
  Check("level complete");
  CheckHints("level complete", grGameOver);

  // An arcade game lost: the end card with the title earned, then the high
  // scores with the new entry.
  Director->SwitchScreen(sidArcade, grGameOver, 7);
  for (int i = 0; i < 200 && Director->Screen(ssGame) != nullptr; ++i) Tick();
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Hard);
  TAutoPlayer loser(Director.get(), TAutoPlayer::TStyle::Random, 9);
  ASSERT_TRUE(PlayUntilShown(loser, ssGameOver, 200000)) << "the arcade game was not lost";
  Tick(60);
  Check("game over, arcade");
  CheckHints("game over, arcade", grGameOver);
  Director->SwitchScreen(sidScores, grGameOver, 0);
  Tick(40);
  Check("high scores, the new entry");

  // A challenge against the clock, played to its end.
  Director->SwitchScreen(sidMainMenu, grScores, 0);
  Tick(40);
  OpenGame(GameKind::Challenge, 3, Difficulty::Easy);
  TAutoPlayer winner(Director.get(), TAutoPlayer::TStyle::Solver, 11);
  for (int i = 0; i < 600; ++i) winner.Step();
  Check("challenge, the clock running");
  ASSERT_TRUE(PlayUntilShown(winner, ssGameOver, 20 * 3600)) << "the challenge did not end";
  Tick(60);
  Check("challenge complete");
  CheckHints("challenge complete", grGameOver);

  // What the games left behind: the progress of every skill played.
  Director->SwitchScreen(sidMainMenu, grGameOver, 0);
  Tick(40);
  Visit("progress after play", sidProgress, grProgress);
  BackToMainMenu(grProgress);
  Judge("GameScreens");
}

// A box the game shows at start-up (here: a damaged high-score file) says its
// sentences in the player's language too.
TEST_P(EveryScreenFits, MessageBoxes) {
  if (!Pseudo()) GTEST_SKIP() << "the boxes' words are checked in the pseudo-language";
  Tick(60);
  ASSERT_FALSE(Boxes->Messages.empty()) << "the damaged file was not told about";
  for (const auto& [caption, text] : Boxes->Messages) {
    EXPECT_EQ(textfit::UncataloguedWord(caption, OwnWords), "") << caption;
    // The box names the file and the folder, which are no sentences.
    std::string sentences = text;
    for (const std::string& path : {Dir.Path(), std::string("Scores.dat")})
      for (std::size_t at; (at = sentences.find(path)) != std::string::npos;) sentences.erase(at, path.size());
    EXPECT_EQ(textfit::UncataloguedWord(sentences, OwnWords), "") << text;
  }
}

INSTANTIATE_TEST_SUITE_P(InLanguage, EveryScreenFits, ::testing::Values("qps", "en", "es", "fr", "de", "pt_BR"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
