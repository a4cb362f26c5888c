// The teacher's reports and what they are made of: the skills read from a
// question, the summary of a player, the CSV (read back by a strict reader of
// another program), the HTML (escaped, self-contained, valid), reports of
// several computers merged, and the command line that asks for them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/sysCommandLine.h"
#include "data/sysFiles.h"
#include "data/sysLanguage.h"
#include "data/sysProgress.h"
#include "data/sysReport.h"
#include "data/sysReportFiles.h"
#include "data/sysSkills.h"
#include "game/libAnswerLog.h"
#include "game/objMonster.h"
#include "testSupport.h"

namespace {

TAnswerRow ReportRow(const std::string& profile, std::int64_t session, std::int32_t game, const std::string& question,
                     const std::string& answer, bool correct, std::int32_t ms = 1000) {
  TAnswerRow r;
  r.Profile = profile;
  r.Session = session;
  r.Time = "2025-05-20T10:00:00+02:00";
  r.Kind = 2;
  r.Game = game;
  r.Level = 1;
  r.Difficulty = 1;
  r.Question = question;
  r.Answer = answer;
  r.Given = correct ? answer : "I";
  r.Correct = correct;
  r.Ms = ms;
  return r;
}

void WriteText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(WriteFileAtomic(path, std::vector<std::uint8_t>(text.begin(), text.end())));
}

bool HavePython() { return std::system("python3 -c 'import csv' >/dev/null 2>&1") == 0; }

TEST(Skills, AreReadFromTheQuestionAndItsAnswer) {
  auto has = [](std::uint32_t skills, TSkill s) { return (skills & (1u << s)) != 0; };
  EXPECT_EQ(SkillsOf(1, "(-X,Y)", "II"), 1u << skQuadrant2);
  EXPECT_EQ(SkillsOf(1, "(X,-Y)", "IV"), 1u << skQuadrant4);
  EXPECT_EQ(SkillsOf(2, "(3,-2)", "(3,-2)"), (1u << skQuadrant4) | (1u << skPlainPoint));
  EXPECT_EQ(SkillsOf(2, "(-3,-2)", "(-3,-2)"), (1u << skQuadrant3) | (1u << skPlainPoint)) << "a minus is no sum";
  EXPECT_EQ(SkillsOf(2, "(0,2)", "(0,2)"), (1u << skAxes) | (1u << skPlainPoint));
  EXPECT_EQ(SkillsOf(2, "(-3+5,0)", "(2,0)"), (1u << skAxes) | (1u << skOneSum));
  EXPECT_EQ(SkillsOf(2, "(1-2,-4-1)", "(-1,-5)"), (1u << skQuadrant3) | (1u << skTwoSums));
  EXPECT_EQ(SkillsOf(3, "x=2", "x=2"), 1u << skLevelLine);
  EXPECT_EQ(SkillsOf(3, "y=-1", "y=-1"), 1u << skLevelLine);
  EXPECT_EQ(SkillsOf(3, "y=-2x", "y=-2x"), (1u << skThroughOrigin) | (1u << skWholeSlope));
  EXPECT_EQ(SkillsOf(3, "y=-(1/2)x", "y=-(1/2)x"), (1u << skThroughOrigin) | (1u << skFractionSlope));
  EXPECT_TRUE(has(SkillsOf(3, "y=x-2", "y=x-2"), skIntercept));
  EXPECT_TRUE(has(SkillsOf(3, "y=(1/3)x+1", "y=(1/3)x+1"), skFractionSlope));
  EXPECT_EQ(SkillsOf(2, "AAARGH!", "garbage"), 0u);
  EXPECT_EQ(SkillsOf(9, "(1,1)", "(1,1)"), 0u);
}

TEST(Skills, EachIsTaughtByTheFirstTutorialLevelThatAsksIt) {
  struct TCase {
    TSkill Skill;
    std::int32_t Game, Level;
  };
  // From the mission tables: I and III open level 1, II and IV level 3; the
  // axes open in the second level of points; sums come in its fifth; the
  // line levels bring one kind of line each.
  for (const TCase& c : {TCase{skQuadrant1, 1, 1}, TCase{skQuadrant2, 1, 3}, TCase{skQuadrant3, 1, 1},
                         TCase{skQuadrant4, 1, 3}, TCase{skAxes, 2, 2}, TCase{skPlainPoint, 2, 1},
                         TCase{skOneSum, 2, 5}, TCase{skTwoSums, 2, 5}, TCase{skLevelLine, 3, 1},
                         TCase{skThroughOrigin, 3, 2}, TCase{skFractionSlope, 3, 2}, TCase{skIntercept, 3, 3}}) {
    SCOPED_TRACE(SkillName(c.Skill));
    EXPECT_EQ(TutorialFor(c.Skill).Game, c.Game);
    EXPECT_EQ(TutorialFor(c.Skill).Level, c.Level);
  }
}

TEST(Skills, TheSummaryCountsTakesMediansKeepsTenGamesAndNamesTheWeakest) {
  std::vector<TAnswerRow> rows;
  // Twelve games of quadrant II, the first eleven right, the last wrong.
  for (int s = 1; s <= 12; ++s) rows.push_back(ReportRow("A", s, 1, "(-X,Y)", "II", s != 12, 1000 * s));
  // Quadrant I: 3 of 5 right; quadrant III: 3 of 5 right too, but
  // quadrant IV 2 of 4 (too few answers to be named).
  for (int i = 0; i < 5; ++i) rows.push_back(ReportRow("A", 12, 1, "(X,Y)", "I", i < 3, 500));
  for (int i = 0; i < 5; ++i) rows.push_back(ReportRow("A", 12, 1, "(-X,-Y)", "III", i < 3, 700));
  for (int i = 0; i < 4; ++i) rows.push_back(ReportRow("A", 12, 1, "(X,-Y)", "IV", i < 2, 700));
  const TProgressSummary s = Summarise(rows);
  EXPECT_EQ(s.All, 26);
  EXPECT_EQ(s.Sessions, 12);
  const TSkillStats& two = s.Skills[skQuadrant2];
  EXPECT_EQ(two.All, 12);
  EXPECT_EQ(two.Right, 11);
  EXPECT_EQ(two.MedianMs, 6500) << "the mean of the two middle times of twelve";
  ASSERT_EQ(two.LastSessions.size(), 10u);
  EXPECT_EQ(two.LastSessions.front().Session, 3) << "the newest ten";
  EXPECT_EQ(two.LastSessions.back().Right, 0);
  EXPECT_EQ(s.Skills[skQuadrant1].MedianMs, 500);
  // I and III tie at 3 of 5: the first shown is named; IV has too few answers.
  EXPECT_EQ(s.Weakest, skQuadrant1);
  EXPECT_EQ(WeakestLine(s), "Quadrant I: 3 of 5 right. Tutorial: Rozir Ivivuruda level 1.");
  rows.push_back(ReportRow("A", 12, 1, "(-X,-Y)", "III", true, 700));
  EXPECT_EQ(Summarise(rows).Weakest, skQuadrant1) << "3 of 5 is below 4 of 6";
  rows.push_back(ReportRow("A", 12, 1, "(X,-Y)", "IV", false, 700));
  EXPECT_EQ(Summarise(rows).Weakest, skQuadrant4) << "2 of 5 once it has five answers";
  EXPECT_NE(WeakestLine(Summarise({})).find("No answers yet"), std::string::npos);
}

TEST(AnswerLines, AreWrittenExactlyAndAsTheMonstersWriteThem) {
  EXPECT_EQ(LineThrough({2, 5}, {2, -1}), "x=2");
  EXPECT_EQ(LineThrough({-3, 4}, {1, 4}), "y=4");
  EXPECT_EQ(LineThrough({0, 1}, {1, 3}), "y=2x+1");
  EXPECT_EQ(LineThrough({0, 0}, {3, 1}), "y=(1/3)x");
  EXPECT_EQ(LineThrough({3, 1}, {0, 0}), "y=(1/3)x") << "either order";
  EXPECT_EQ(LineThrough({1, 2}, {3, 3}), "y=(1/2)x+3/2");
  EXPECT_EQ(LineThrough({0, 0}, {-29, 1}), "y=-(1/29)x") << "no rounding to a near fraction";
  EXPECT_EQ(LineThrough({1, -1}, {2, -3}), "y=-2x+1");
  // The game's own lines read the same either way.
  for (const auto& [a, b] : std::vector<std::pair<TIntPoint, TIntPoint>>{
           {{0, 0}, {2, 1}}, {{0, 0}, {1, -3}}, {{1, 3}, {2, 5}}, {{-2, 0}, {0, -1}}, {{0, 4}, {1, 3}}})
    EXPECT_EQ(LineThrough(a, b), LineLabel(a, b));
}

TEST(CsvReport, NamesWithCommasQuotesLineBreaksAndFormulasComeBackThroughAStrictReader) {
  if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  const std::vector<std::string> names = {"Smith, Jo", "Say \"hi\"", "Two\r\nlines", "=1+1", "+44", "-3", "@home",
                                          "'quoted", "Zoë", "plain"};
  std::vector<TAnswerRow> rows;
  for (std::size_t i = 0; i < names.size(); ++i)
    rows.push_back(ReportRow(names[i], static_cast<std::int64_t>(i + 1), 3, "y=-(1/2)x+3", "y=-(1/2)x+3", i % 2 == 0));
  rows[1].Given = "=HYPERLINK(\"x\")";
  const std::string csv = CsvReport(rows);
  ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF") << "a byte-order mark for the spreadsheets";
  EXPECT_EQ(csv.substr(3, std::string(CsvHeader).size() + 2), std::string(CsvHeader) + "\r\n");
  TTempDir dir;
  WriteText(dir.File("r.csv"), csv);
  const std::string script = dir.File("read.py");
  WriteText(script,
            "import csv, sys\n"
            "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
            "    rows = list(csv.reader(f, strict=True))\n"
            "with open(sys.argv[2], 'w', encoding='utf-8', newline='') as out:\n"
            "    for r in rows:\n"
            "        assert len(r) == 13, r\n"
            "        out.write(repr(r[0]) + '\\t' + repr(r[9]) + '\\t' + r[10] + '\\n')\n");
  ASSERT_EQ(std::system(("python3 " + script + " " + dir.File("r.csv") + " " + dir.File("out.txt")).c_str()), 0);
  const std::string out = ReadText(dir.File("out.txt"));
  auto unquote = [](std::string repr) { return repr; };
  std::vector<std::string> lines;
  for (std::size_t at = 0, nl; (nl = out.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(out.substr(at, nl - at));
  ASSERT_EQ(lines.size(), names.size() + 1);
  EXPECT_EQ(lines[0], "'profile'\t'given'\tcorrect");
  // What the strict reader got, less the apostrophe before a formula.
  const std::vector<std::string> expected = {"'Smith, Jo'", "'Say \"hi\"'", "'Two\\r\\nlines'", "\"'=1+1\"",
                                             "\"'+44\"",      "\"'-3\"",      "\"'@home\"",        "\"''quoted\"",
                                             "'Zoë'",         "'plain'"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(lines[i + 1].substr(0, lines[i + 1].find('\t')), unquote(expected[i])) << names[i];
    EXPECT_EQ(lines[i + 1].back(), i % 2 == 0 ? '1' : '0');
  }
  EXPECT_NE(lines[2].find("\\'=HYPERLINK"), std::string::npos) << "a formula in any text cell is made text";

  // And our own reader gives every field back exactly.
  std::vector<TAnswerRow> back;
  std::string why;
  ASSERT_TRUE(ReadCsvReport(csv, back, why)) << why;
  ASSERT_EQ(back.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(back[i].Profile, rows[i].Profile);
    EXPECT_EQ(back[i].Given, rows[i].Given);
    EXPECT_EQ(back[i].Question, rows[i].Question);
    EXPECT_EQ(back[i].Session, rows[i].Session);
    EXPECT_EQ(back[i].Correct, rows[i].Correct);
    EXPECT_EQ(back[i].Time, rows[i].Time);
    EXPECT_EQ(back[i].Game, rows[i].Game);
    EXPECT_EQ(back[i].Difficulty, rows[i].Difficulty);
  }
}

TEST(CsvReport, TheReaderRefusesWhatIsNotAReportAndSaysWhere) {
  const std::string header = std::string(CsvHeader) + "\r\n";
  const std::string good = "Ada,1,2025-05-20T10:00:00+02:00,arcade,Define the Line,1,Easy,x=1,x=1,x=1,1,900,keys\r\n";
  struct TCase {
    std::string Text, Told;
  };
  for (const TCase& c : std::vector<TCase>{
           {"", "empty"},
           {"name,score\r\n", "line 1"},
           {header + good + "A\"da,1\r\n", "line 3: a quote inside"},
           {header + "\"Ada,1\r\n", "line 2: a quoted field is never closed"},
           {header + "\"Ada\"x,1\r\n", "text after the closing quote"},
           {header + "Ada,1,2025-05-20,arcade\r\n", "4 fields"},
           {header + "Ada,x,2025,arcade,Define the Line,1,Easy,x=1,x=1,x=1,1,900,keys\r\n", "session"},
           {header + "Ada,1,2025,arcade,Define the Line,1,Easy,x=1,x=1,x=1,2,900,keys\r\n", "correct"},
           {header + "Ada,1,2025,arcade,Another Game,1,Easy,x=1,x=1,x=1,1,900,keys\r\n", "game"},
           {header + "Ada,1,2025,arcade,Define the Line,1,Easy,x=1,x=1,x=1,1,900,mouse\r\n", "input"},
       }) {
    std::vector<TAnswerRow> rows;
    std::string why;
    EXPECT_FALSE(ReadCsvReport(c.Text, rows, why)) << c.Text;
    EXPECT_NE(why.find(c.Told), std::string::npos) << why;
  }
  std::vector<TAnswerRow> rows;
  std::string why;
  EXPECT_TRUE(ReadCsvReport(header + good + good.substr(0, good.size() - 2), rows, why)) << why;
  EXPECT_EQ(rows.size(), 2u) << "the last line may end without a line break";
}

TEST(HtmlReport, EscapesEveryNameAndQuestionAndFetchesNothing) {
  std::vector<TAnswerRow> rows = {ReportRow("<b>Bo</b>", 1, 2, "(1,<i>)", "(1,1)", false),
                                  ReportRow("Ada & \"Co\"", 2, 1, "(X,Y)", "I", true)};
  rows[0].Given = "<script>alert(1)</script>";
  THtmlReportInfo info;
  info.Made = "today";
  info.Powers.push_back(TPowerRow{"Ada & \"Co\"", 2, "2025", "Doom Device", 4});
  const std::string html = HtmlReport(rows, info);
  EXPECT_NE(html.find("&lt;b&gt;Bo&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<b>Bo"), std::string::npos);
  EXPECT_EQ(html.find("<i>"), std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_NE(html.find("Ada &amp; &quot;Co&quot;"), std::string::npos);
  EXPECT_EQ(html.find("http"), std::string::npos) << "nothing from elsewhere";
  EXPECT_EQ(html.find(" src="), std::string::npos);
  EXPECT_NE(html.find("<h2>The class</h2>"), std::string::npos) << "two players: the class side by side";
  EXPECT_NE(html.find("stopped 4 monsters"), std::string::npos);
  EXPECT_NE(html.find("<svg"), std::string::npos);
  EXPECT_EQ(HtmlReport({rows[1]}, info).find("The class"), std::string::npos) << "one player: no class table";
  // Written so that an XML parser reads it too, which catches any tag left
  // open or any text left unescaped.
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  TTempDir dir;
  WriteText(dir.File("r.html"), html);
  EXPECT_EQ(std::system(("sed 1d " + dir.File("r.html") + " | xmllint --noout - 2>" + dir.File("err2.txt")).c_str()),
            0)
      << ReadText(dir.File("err2.txt"));
}

TEST(ReportFiles, ReportsOfSeveralComputersMergeIntoOneClass) {
  TTempDir dir;
  // The same session numbers on two computers stay two games.
  WriteText(dir.File("a.csv"), CsvReport({ReportRow("Ada", 1, 1, "(X,Y)", "I", true),
                                          ReportRow("Ada", 1, 1, "(X,Y)", "I", false)}));
  WriteText(dir.File("b.csv"), CsvReport({ReportRow("Ada", 1, 1, "(X,Y)", "I", true),
                                          ReportRow("Bo", 1, 2, "(1,1)", "(1,1)", true)}));
  TReportRequest request;
  request.Output = dir.File("class.csv");
  request.Inputs = {dir.File("a.csv"), dir.File("b.csv")};
  std::string message;
  ASSERT_EQ(WriteReportFile(request, message), 0) << message;
  EXPECT_EQ(message, "wrote 4 answers of 2 players to " + dir.File("class.csv"));
  std::vector<TAnswerRow> rows;
  std::string why;
  ASSERT_TRUE(ReadCsvReport(ReadText(dir.File("class.csv")), rows, why)) << why;
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].Profile, "Ada");
  EXPECT_EQ(rows[2].Profile, "Ada");
  EXPECT_EQ(rows[3].Profile, "Bo");
  EXPECT_EQ(rows[0].Session, rows[1].Session);
  EXPECT_NE(rows[0].Session, rows[2].Session) << "another computer's game";
  EXPECT_EQ(Summarise({rows[0], rows[1], rows[2]}).Sessions, 2);

  request.Output = dir.File("class.html");
  request.Profile = "Bo";
  ASSERT_EQ(WriteReportFile(request, message), 0) << message;
  EXPECT_EQ(ReadText(dir.File("class.html")).find(">Ada<"), std::string::npos) << "--profile keeps one player";

  WriteText(dir.File("bad.csv"), "name,score\r\n");
  request.Inputs.push_back(dir.File("bad.csv"));
  EXPECT_EQ(WriteReportFile(request, message), 1);
  EXPECT_NE(message.find("bad.csv: line 1"), std::string::npos) << message;
}

TEST(ReportFiles, TheTeacherIsToldInTheirLanguageWhileTheCsvStaysTheSame) {
  // The report's columns and words are read back and by spreadsheets: the
  // same bytes in every language. What the teacher is told is translated,
  // in UTF-8.
  TTempDir dir;
  // In the merged report's order: players by name.
  const std::vector<TAnswerRow> rows = {ReportRow("Bo", 1, 2, "(1,1)", "(1,1)", false),
                                        ReportRow("Zo\xC3\xAB", 1, 1, "(X,Y)", "I", true)};
  const std::string english = CsvReport(rows);
  WriteText(dir.File("a.csv"), english);
  WriteText(dir.File("bad.csv"), std::string(CsvHeader) + "\r\n\"Ada,1\r\n");
  struct TCase {
    const char* Code;
    std::string Wrote, Unclosed;
  };
  const TCase cases[] = {
      {"fr", "2 r\xC3\xA9ponses de 2 joueurs \xC3\xA9" "crites dans ",
       "ligne 2\xC2\xA0: un champ entre guillemets n'est jamais ferm\xC3\xA9"},
      {"de", "2 Antworten von 2 Spielern nach ", "Zeile 2: ein Feld in Anf\xC3\xBChrungszeichen wird nie geschlossen"},
      {"es", "se escribieron 2 respuestas de 2 jugadores en ", "l\xC3\xADnea 2: un campo entre comillas no se cierra nunca"},
      {"pt_BR", "2 respostas de 2 jogadores gravadas em ", "linha 2: um campo entre aspas nunca \xC3\xA9 fechado"},
      {"en", "wrote 2 answers of 2 players to ", "line 2: a quoted field is never closed"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    ASSERT_TRUE(UseLanguage(PLOTFRAY_DATA_DIR, c.Code));
    EXPECT_EQ(CsvReport(rows), english);
    TReportRequest request;
    request.Output = dir.File(std::string(c.Code) + ".csv");
    request.Inputs = {dir.File("a.csv")};
    std::string message;
    ASSERT_EQ(WriteReportFile(request, message), 0) << message;
    EXPECT_EQ(message.substr(0, c.Wrote.size()), c.Wrote);
    EXPECT_EQ(ReadText(request.Output), english) << "the merged report of one computer is the same file";
    request.Inputs = {dir.File("bad.csv")};
    EXPECT_EQ(WriteReportFile(request, message), 1);
    EXPECT_EQ(message, dir.File("bad.csv") + ": " + c.Unclosed);
  }
}

TEST(ReportFiles, TheSaveFolderLogIsReportedWithoutBeingChanged) {
  TTempDir dir;
  {
    TsysProgress log(dir.Path());
    log.BeginSession("Ada", 2, 3, 0);
    TAnswerRow r = ReportRow("", 0, 3, "x=1", "x=1", true);
    log.Record(r);
    log.BeginSession("Bo", 2, 3, 0);
    log.Record(r);
  }
  std::vector<std::uint8_t> before;
  ReadFileBytes(dir.File(ProgressFile), before);
  TReportRequest request;
  request.SaveFolder = dir.Path();
  request.Output = dir.File("r.csv");
  request.Since = "2000-01-01";
  std::string message;
  ASSERT_EQ(WriteReportFile(request, message), 0) << message;
  EXPECT_EQ(message, "wrote 2 answers of 2 players to " + dir.File("r.csv"));
  std::vector<std::uint8_t> after;
  ReadFileBytes(dir.File(ProgressFile), after);
  EXPECT_EQ(after, before);
  request.Since = "2999-01-01";
  ASSERT_EQ(WriteReportFile(request, message), 0);
  EXPECT_EQ(message, "wrote 0 answers of 0 players to " + dir.File("r.csv"));
  WriteText(dir.File(ProgressFile), "not a database");
  EXPECT_EQ(WriteReportFile(request, message), 1);
}

TEST(ReportCommandLine, AsksForAReportOnlyWithAFileToWriteAndAKnownDay) {
  auto parse = [](std::vector<std::string> args) { return ParseCommandLine(args, "plotfray", "1.0"); };
  TsysCommandLine r = parse({"--report", "class.html", "--profile", "Zoë", "--since=2025-02-28", "a.csv", "b.CSV"});
  EXPECT_EQ(r.Action, TsysCommandLine::TAction::Report);
  EXPECT_EQ(r.ReportFile, "class.html");
  EXPECT_EQ(r.ReportProfile, "Zoë");
  EXPECT_EQ(r.ReportSince, "2025-02-28");
  EXPECT_EQ(r.ReportInputs, (std::vector<std::string>{"a.csv", "b.CSV"}));
  EXPECT_EQ(parse({"--report=r.csv"}).Action, TsysCommandLine::TAction::Report);
  EXPECT_EQ(parse({"--report", "r.csv", "--since", "2024-02-29"}).Action, TsysCommandLine::TAction::Report);
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--report"}, {"--report", "r.txt"}, {"--report", "r.csv", "--since", "2025-02-29"},
           {"--report", "r.csv", "--since", "20-05-2025"}, {"--profile", "Ada"}, {"a.csv"},
           {"--report", "r.html", "notes.txt"}}) {
    const TsysCommandLine e = parse(bad);
    EXPECT_EQ(e.Action, TsysCommandLine::TAction::Error) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
    EXPECT_EQ(e.ExitCode, 2);
  }
}

}  // namespace
