#include "data/sysLevelSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <array>
#include <cstdlib>
#include <fstream>

#include "data/sysLanguage.h"
#include "game/libMaths.h"
#include "tables/defColours.h"
#include "tables/defPowerUps.h"

namespace {

const char* const TeacherExampleSet = R"(# A lesson for Friday
[set]
title = Left side only
author = Room 12 maths

[level]
title = Quadrants II and III
game = point
range = 4
quadrants = II, III
questions = plain
monsters = 10
at-once = 3
speed = 2
help = Left of the y axis, x is negative. Count left first, then up or down.

[level]
title = Now with sums
game = point
range = 5
quadrants = II, III, axes
questions = plain, one-sum, two-sums
monsters = 15
at-once = 4
speed = 3
lives = 3
power-ups = translation-inhibiter, velocity-bisector
)";

// The set header takes lines 1..2 and [level] line 3, so a body's first line is line 4.
std::string SetOfOneLevel(const std::string& body) { return "[set]\ntitle = Test\n[level]\n" + body; }

// Lines 4..11 of a good point level.
const std::string GoodPointBody =
    "title = A\ngame = point\nrange = 4\nquadrants = II, III\nquestions = plain\nmonsters = 10\nat-once = 3\nspeed = 2\n";

std::string ReplacedIn(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "no '" << from << "' to replace";
  else text.replace(at, from.size(), to);
  return text;
}

std::string SetOfLevels(int n) {
  std::string text = "[set]\ntitle = Many\n";
  for (int i = 0; i < n; ++i) text += "[level]\n" + GoodPointBody;
  return text;
}

std::string FaultList(const TLevelSetRead& read) {
  std::string out;
  for (const TLevelFault& f : read.Faults) out += std::to_string(f.Line) + ": " + f.Text + "\n";
  return out;
}

struct TBadLevelFile {
  const char* Name;
  std::string Text;
  std::string Expected;  // every fault, "LINE: text\n" each, in line order
};

}  // namespace

TEST(LevelSet, TheTeachersExampleLoadsAndMapsOntoTheGamesLevels) {
  const TLevelSetRead read = ReadLevelSet(TeacherExampleSet);
  ASSERT_TRUE(read.Ok()) << FaultList(read);
  EXPECT_EQ(read.Set.Title, "Left side only");
  EXPECT_EQ(read.Set.Author, "Room 12 maths");
  ASSERT_EQ(read.Set.Levels.size(), 2u);

  const TSetLevel& first = read.Set.Levels[0];
  EXPECT_EQ(first.Title, "Quadrants II and III");
  EXPECT_EQ(first.Help, "Left of the y axis, x is negative. Count left first, then up or down.");
  EXPECT_EQ(first.Lives, 5) << "the default";
  EXPECT_TRUE(first.QuestionKinds[0]);
  EXPECT_FALSE(first.QuestionKinds[1]);
  const TLevel& r = first.Rules;
  EXPECT_EQ(r.Name, "Quadrants II and III");
  EXPECT_EQ(r.GameType, GameType::WhatsThePoint);
  const bool leftHalf[5] = {false, false, true, true, false};
  for (int q = 0; q < 5; ++q) EXPECT_EQ(r.QuadrantAllowed[q], leftHalf[q]) << q;
  EXPECT_EQ(r.QuadrantColour[1], ClosedQuadrantRow);
  EXPECT_EQ(r.QuadrantColour[2], QuadrantColourRow[2]);
  for (bool p : r.PowerUpAllowed) EXPECT_FALSE(p);
  for (int d = 0; d < DifficultyCount; ++d) {
    EXPECT_EQ(r.GridRange[d], 4);
    EXPECT_EQ(r.KillsPerLevel[d], 9) << "the game completes a level on the kill after KillsPerLevel";
    EXPECT_EQ(r.MaxMonsters[d], 3);
    EXPECT_EQ(r.SizeWeights[d][0], 10);
    EXPECT_EQ(r.SizeWeights[d][1], 0);
    EXPECT_EQ(r.SizeWeights[d][2], 0);
  }

  const TSetLevel& second = read.Set.Levels[1];
  EXPECT_EQ(second.Lives, 3);
  EXPECT_TRUE(second.Rules.QuadrantAllowed[0]) << "axes";
  EXPECT_TRUE(second.Rules.PowerUpAllowed[2]);
  EXPECT_TRUE(second.Rules.PowerUpAllowed[4]);
  EXPECT_FALSE(second.Rules.PowerUpAllowed[3]);
  EXPECT_GT(second.Rules.PowerUpScoreStep[Difficulty::Medium], 0) << "power-ups need a score to be awarded at";
  for (int k = 0; k < 3; ++k) EXPECT_EQ(second.Rules.SizeWeights[Difficulty::Medium][k], 10) << "equal shares";
  // Speed 3 is the missions' pace; speed 2 is slower and spawns less often.
  EXPECT_LT(first.Rules.BaseSpeed[Difficulty::Medium], second.Rules.BaseSpeed[Difficulty::Medium]);
  EXPECT_GT(first.Rules.SpawnInterval[Difficulty::Medium], second.Rules.SpawnInterval[Difficulty::Medium]);
  EXPECT_EQ(second.Rules.SpawnInterval[Difficulty::Medium], 100);
}

TEST(LevelSet, TextsAreKeptInTheGamesOwnBytesAndTheSetIsReadThroughAnyLineEnding) {
  std::string text = ReplacedIn(TeacherExampleSet, "Left side only", "Côté gauche – 2€");
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.insert(at, "\r");
  const TLevelSetRead read = ReadLevelSet("\xEF\xBB\xBF" + text);
  ASSERT_TRUE(read.Ok()) << FaultList(read);
  EXPECT_EQ(read.Set.Title, "C\xF4t\xE9 gauche \x96 2\x80");
  EXPECT_EQ(read.Set.Levels[1].Rules.KillsPerLevel[0], 14);
}

TEST(LevelSet, EveryBadFileIsRejectedWithItsFaultsAndLines) {
  const std::vector<TBadLevelFile> cases = {
      {"unknown key", SetOfOneLevel(ReplacedIn(GoodPointBody, "title =", "tilte =")),
       "3: this [level] has no 'title' (a name of up to 40 characters)\n"
       "4: unknown key 'tilte' in [level] (did you mean 'title'?)\n"},
      {"key twice", SetOfOneLevel(GoodPointBody + "range = 5\n"),
       "12: 'range' is given twice in this [level] (first on line 6)\n"},
      {"missing speed", SetOfOneLevel(ReplacedIn(GoodPointBody, "speed = 2\n", "")),
       "3: this [level] has no 'speed' (1 slowest to 5)\n"},
      {"range too wide", SetOfOneLevel(ReplacedIn(GoodPointBody, "range = 4", "range = 11")),
       "6: 'range' must be from 1 to 10, not 11\n"},
      {"not a number", SetOfOneLevel(ReplacedIn(GoodPointBody, "monsters = 10", "monsters = ten")),
       "9: 'monsters' must be a whole number from 1 to 100, not 'ten'\n"},
      {"fraction", SetOfOneLevel(ReplacedIn(GoodPointBody, "speed = 2", "speed = 2.5")),
       "11: 'speed' must be a whole number from 1 to 5, not '2.5'\n"},
      {"at-once over", SetOfOneLevel(ReplacedIn(GoodPointBody, "at-once = 3", "at-once = 16")),
       "10: 'at-once' must be from 1 to 15, not 16\n"},
      {"no lives", SetOfOneLevel(GoodPointBody + "lives = 0\n"), "12: 'lives' must be from 1 to 9, not 0\n"},
      {"line question in a point level", SetOfOneLevel(ReplacedIn(GoodPointBody, "questions = plain", "questions = plain, origin")),
       "8: 'origin' is a question of the line game; this level's 'questions' can be plain, one-sum, two-sums\n"},
      {"unknown question", SetOfOneLevel(ReplacedIn(GoodPointBody, "questions = plain", "questions = one-sums")),
       "8: 'one-sums' is not one of plain, one-sum, two-sums (did you mean 'one-sum'?)\n"},
      {"undrawable title", SetOfOneLevel(ReplacedIn(GoodPointBody, "title = A", "title = Stars \xE2\x98\x85")),
       "4: 'title' has a character the game cannot draw such as '\xE2\x98\x85'; use letters, digits and common "
       "punctuation\n"},
      {"title too long", SetOfOneLevel(ReplacedIn(GoodPointBody, "title = A", "title = " + std::string(41, 'x'))),
       "4: 'title' is 41 characters long; at most 40 fit\n"},
      {"help too long", SetOfOneLevel(GoodPointBody + "help = " + std::string(401, 'h') + "\n"),
       "12: 'help' is 401 characters long; at most 400 fit\n"},
      {"lines that cannot be drawn",
       SetOfOneLevel("title = L\ngame = line\nrange = 1\nquadrants = II\nquestions = flat, origin, any\nmonsters = 5\n"
                "at-once = 2\nspeed = 1\n"),
       "7: this level can never ask a question: no line of its kinds has two grid points in its quadrants on a "
       "range of 1\n"},
      {"quadrants on the axes only", SetOfOneLevel("title = Q\ngame = quadrant\nquadrants = axes\nmonsters = 5\n"
                                              "at-once = 2\nspeed = 1\n"),
       "6: this level can never ask a question: the quadrant game asks for quadrants I to IV, not the axes\n"},
      {"range in the quadrant game", SetOfOneLevel("title = Q\ngame = quadrant\nrange = 3\nquadrants = I\nmonsters = 5\n"
                                              "at-once = 2\nspeed = 1\n"),
       "6: the quadrant game has no 'range'; remove this line\n"},
      {"no questions in a line level", SetOfOneLevel(ReplacedIn(ReplacedIn(GoodPointBody, "game = point", "game = line"),
                                                        "questions = plain\n", "")),
       "3: this [level] has no 'questions' (any of flat, origin, any)\n"},
      {"unknown section", "[set]\ntitle = T\n[levle]\n" + GoodPointBody,
       "1: the file has no [level] section\n"
       "3: unknown section [levle] (did you mean [level]?)\n"},
      {"a line that is no key", SetOfOneLevel(GoodPointBody + "speed 3\n"),
       "12: this line is not 'key = value', a [section] or a comment\n"},
      {"key before any section", "title = Early\n" + SetOfOneLevel(GoodPointBody),
       "1: this line comes before the first section; start the file with [set]\n"},
      {"no set", "[level]\n" + GoodPointBody, "1: the file has no [set] section with the set's title\n"},
      {"unknown power-up", SetOfOneLevel(GoodPointBody + "power-ups = radial-blsat\n"),
       "12: 'radial-blsat' is not one of none or translation-inhibiter, radial-blast, velocity-bisector, "
       "quadrant-blitz, functional-analyser (did you mean 'radial-blast'?)\n"},
      {"walls never handed out", SetOfOneLevel(GoodPointBody + "power-ups = plane-walls\n"),
       "12: 'plane-walls' is never handed out as a power-up button, so no level can give it; remove it from the list\n"},
      {"twenty-one levels", SetOfLevels(21), "183: a set holds at most 20 levels; this is level 21\n"},
      {"not UTF-8", SetOfOneLevel(ReplacedIn(GoodPointBody, "title = A", "title = C\xF4t\xE9")),
       "3: this [level] has no 'title' (a name of up to 40 characters)\n"
       "4: this line is not UTF-8 text; save the file as UTF-8 in your editor\n"},
      {"over 64 KB", SetOfOneLevel(GoodPointBody) + "#" + std::string(LevelSetMaxBytes, 'x') + "\n",
       "1: the file is larger than 64 KB; a level set is a small text file\n"},
      {"every fault at once",
       SetOfOneLevel(ReplacedIn(ReplacedIn(GoodPointBody, "range = 4", "range = 0"), "speed = 2", "sped = 2")) +
           "[level]\ntitle = B\ngame = plot\n",
       "3: this [level] has no 'speed' (1 slowest to 5)\n"
       "6: 'range' must be from 1 to 10, not 0\n"
       "11: unknown key 'sped' in [level] (did you mean 'speed'?)\n"
       "12: this [level] has no 'quadrants' (a list of I, II, III, IV, axes)\n"
       "12: this [level] has no 'monsters' (answers to finish the level, 1 to 100)\n"
       "12: this [level] has no 'at-once' (monsters on the board at most, 1 to 15)\n"
       "12: this [level] has no 'speed' (1 slowest to 5)\n"
       "14: 'game' must be quadrant, point or line, not 'plot' (did you mean 'point'?)\n"},
  };
  for (const TBadLevelFile& c : cases) {
    const TLevelSetRead read = ReadLevelSet(c.Text);
    EXPECT_FALSE(read.Ok()) << c.Name;
    EXPECT_TRUE(read.Set.Levels.empty()) << c.Name << ": nothing of a bad file loads";
    EXPECT_EQ(FaultList(read), c.Expected) << c.Name;
  }
}

TEST(LevelSet, TwentyLevelsAndFortyCharactersAreStillAllowed) {
  EXPECT_EQ(ReadLevelSet(SetOfLevels(20)).Set.Levels.size(), 20u);
  const TLevelSetRead read = ReadLevelSet(SetOfOneLevel(ReplacedIn(GoodPointBody, "title = A", "title = " + std::string(40, 'x'))));
  EXPECT_TRUE(read.Ok()) << FaultList(read);
}

TEST(LevelSet, QuestionsAreAskableExactlyWhereTheMonstersCanAskThem) {
  const bool flat[3] = {true, false, false};
  const bool origin[3] = {false, true, false};
  const bool any[3] = {false, false, true};
  const bool onlyII[5] = {false, false, true, false, false};
  const bool axes[5] = {true, false, false, false, false};
  // On a range of 2 quadrant II holds (-1,1), (-2,2): y = -x passes both.
  EXPECT_FALSE(LevelCanAsk(GameType::DefineTheLine, onlyII, 1, origin));
  EXPECT_TRUE(LevelCanAsk(GameType::DefineTheLine, onlyII, 2, origin));
  EXPECT_FALSE(LevelCanAsk(GameType::DefineTheLine, onlyII, 1, flat));
  EXPECT_TRUE(LevelCanAsk(GameType::DefineTheLine, onlyII, 2, flat));
  // y = x + 3 runs through (-1,2) and (-2,1) on a range of 3, not before.
  EXPECT_FALSE(LevelCanAsk(GameType::DefineTheLine, onlyII, 2, any));
  EXPECT_TRUE(LevelCanAsk(GameType::DefineTheLine, onlyII, 3, any));
  // On the axes alone a line through the origin needs slope 0 or no slope: never asked.
  EXPECT_FALSE(LevelCanAsk(GameType::DefineTheLine, axes, 10, origin));
  EXPECT_TRUE(LevelCanAsk(GameType::DefineTheLine, axes, 1, flat));
  EXPECT_TRUE(LevelCanAsk(GameType::WhatsThePoint, axes, 1, flat));
  EXPECT_FALSE(LevelCanAsk(GameType::QuickQuadrants, axes, 1, flat));
  EXPECT_TRUE(LevelCanAsk(GameType::QuickQuadrants, onlyII, 1, flat));
}

TEST(LevelSet, TheCheckPrintsOkOrOneLinePerFault) {
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "levelset_check";
  std::filesystem::create_directories(dir);
  const std::string good = (dir / "good.txt").string();
  const std::string bad = (dir / "bad.txt").string();
  std::ofstream(good) << TeacherExampleSet;
  std::ofstream(bad) << SetOfOneLevel(ReplacedIn(ReplacedIn(GoodPointBody, "range = 4", "range = 0"), "at-once = 3", "at-once = x"));
  std::string out;
  EXPECT_EQ(CheckLevelSetFile(good, out), 0);
  EXPECT_EQ(out, good + ": ok, 2 levels\n");
  EXPECT_EQ(CheckLevelSetFile(bad, out), 2);
  EXPECT_EQ(out, bad + ":6: 'range' must be from 1 to 10, not 0\n" + bad +
                     ":10: 'at-once' must be a whole number from 1 to 15, not 'x'\n");
  EXPECT_EQ(CheckLevelSetFile((dir / "missing.txt").string(), out), 2);
  EXPECT_EQ(out, (dir / "missing.txt").string() + ":1: the file cannot be read\n");
}

TEST(LevelSet, TheCheckSpeaksTheReadersLanguageInUtf8) {
  // The faults come from the catalogue in its one-byte letters and go out in
  // UTF-8, with the file's own words (its keys, what it says) as they are.
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "levelset_check_language";
  std::filesystem::create_directories(dir);
  const std::string good = (dir / "good.txt").string();
  const std::string bad = (dir / "bad.txt").string();
  std::ofstream(good) << TeacherExampleSet;
  // Line 6 out of range; line 12 a key the file's writer spelt in French.
  std::ofstream(bad) << SetOfOneLevel(ReplacedIn(GoodPointBody, "range = 4", "range = 0") + "r\xC3\xA9gle = 2\n");
  struct TCase {
    const char* Code;
    std::string Ok, Range, UnknownKey;
  };
  const TCase cases[] = {
      {"fr", ": ok, 2 niveaux\n", ":6: 'range' doit aller de 1 \xC3\xA0 10, pas 0\n",
       ":12: cl\xC3\xA9 inconnue 'r\xC3\xA9gle' dans [level] (voulais-tu dire 'range'\xC2\xA0?)\n"},
      {"de", ": in Ordnung, 2 Level\n", ":6: 'range' muss von 1 bis 10 gehen, nicht 0\n",
       ":12: unbekannter Schl\xC3\xBCssel 'r\xC3\xA9gle' in [level] (meintest du 'range'?)\n"},
      {"es", ": bien, 2 niveles\n", ":6: 'range' debe ir de 1 a 10, no 0\n",
       ":12: clave desconocida 'r\xC3\xA9gle' en [level] (\xC2\xBFquer\xC3\xAD" "as decir 'range'?)\n"},
      {"pt_BR", ": ok, 2 fases\n", ":6: 'range' deve ir de 1 a 10, n\xC3\xA3o 0\n",
       ":12: chave desconhecida 'r\xC3\xA9gle' em [level] (voc\xC3\xAA quis dizer 'range'?)\n"},
      {"en", ": ok, 2 levels\n", ":6: 'range' must be from 1 to 10, not 0\n",
       ":12: unknown key 'r\xC3\xA9gle' in [level] (did you mean 'range'?)\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    ASSERT_TRUE(UseLanguage(PLOTFRAY_DATA_DIR, c.Code));
    std::string out;
    EXPECT_EQ(CheckLevelSetFile(good, out), 0);
    EXPECT_EQ(out, good + c.Ok);
    EXPECT_EQ(CheckLevelSetFile(bad, out), 2);
    EXPECT_EQ(out, bad + c.Range + bad + c.UnknownKey);
  }
}

TEST(LevelSet, TheShippedSetsPassTheCheck) {
  const std::filesystem::path dir = std::filesystem::path(PLOTFRAY_SOURCE_DIR) / "data" / "levels";
  std::size_t sets = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string out;
    EXPECT_EQ(CheckLevelSetFile(entry.path().string(), out), 0) << out;
    ++sets;
  }
  EXPECT_EQ(sets, 3u);
}

TEST(LevelSet, EveryAskableLineHasTwoOpenGridPointsOfItsKind) {
  const std::vector<std::array<bool, 5>> boards = {
      {true, true, true, true, true}, {false, false, true, false, false}, {true, false, false, false, false},
      {false, true, false, true, false}, {true, false, true, true, false}};
  for (const auto& board : boards) {
    for (std::int32_t range = 1; range <= 10; ++range) {
      for (std::int32_t kind = 1; kind <= 3; ++kind) {
        SCOPED_TRACE("range " + std::to_string(range) + ", kind " + std::to_string(kind));
        const std::vector<TLineChoice> lines = AskableLines(kind, range, board.data());
        const bool kinds[3] = {kind == 1, kind == 2, kind == 3};
        EXPECT_EQ(LevelCanAsk(GameType::DefineTheLine, board.data(), range, kinds), !lines.empty());
        for (const TLineChoice& l : lines) {
          EXPECT_TRUE(l.X1 != l.X2 || l.Y1 != l.Y2);
          for (auto [x, y] : {std::pair{l.X1, l.Y1}, std::pair{l.X2, l.Y2}}) {
            EXPECT_LE(std::abs(x), range);
            EXPECT_LE(std::abs(y), range);
            EXPECT_TRUE(board[static_cast<std::size_t>(QuadrantOf(x, y))]) << x << "," << y;
          }
          const bool flat = l.X1 == l.X2 || l.Y1 == l.Y2;
          EXPECT_EQ(flat, kind == 1);
          if (flat) continue;
          // The intercept, where x = 0: zero exactly for the lines through the origin.
          const std::int64_t dy = l.Y2 - l.Y1, dx = l.X2 - l.X1;
          EXPECT_EQ((static_cast<std::int64_t>(l.Y1) * dx - dy * l.X1) == 0, kind == 2);
          // A whole slope or one over a whole number, as the monsters ask.
          EXPECT_TRUE(dy % dx == 0 || dx % dy == 0) << dy << "/" << dx;
        }
      }
    }
  }
  // The same line is not listed twice: slope 1 is one slope, not also 1/1.
  const bool all[5] = {true, true, true, true, true};
  EXPECT_EQ(AskableLines(2, 1, all).size(), 2u) << "y=x and y=-x on a range of 1";
}
