// A picture of the progress screen of a player part of the way through the
// tutorial, drawn by the real SDL device (build/screens/progress.png), and the
// HTML report of the same answers beside it (build/screens/report.html), for
// people to look at. The answers are made up by the test, skill by skill.
#include <gtest/gtest.h>

#include "data/sysReportFiles.h"
#include "drawnScreenSupport.h"
#include "screens/frmProgress.h"

namespace {

class ProgressGallery : public DrawnScreenTest {};

TEST_F(ProgressGallery, TheProgressScreenOfAPlayerPartOfTheWayThrough) {
  if (!HaveImage(0, 2) || !HaveImage(3, 0)) GTEST_SKIP() << "the widget art is not in the data yet";
  TProfileRecord p;
  p.Name = "Ada";
  StartAs(p);
  TsysProgress& log = *Res()->Progress;
  struct TSkillPlay {
    std::int32_t Game;
    const char* Question;
    const char* Answer;
    int Percent;  // share right
  };
  const TSkillPlay plays[] = {
      {1, "(X,Y)", "I", 95},         {1, "(-X,Y)", "II", 80},        {1, "(-X,-Y)", "III", 90},
      {1, "(X,-Y)", "IV", 70},       {2, "(0,3)", "(0,3)", 60},      {2, "(3,-2)", "(3,-2)", 90},
      {2, "(-3+5,1)", "(2,1)", 55},  {3, "x=2", "x=2", 85},          {3, "y=2x", "y=2x", 75},
  };
  // Twelve games, each a little better than the one before.
  for (int game = 0; game < 12; ++game) {
    log.BeginSession("Ada", 2, plays[game % 9].Game, 1);
    for (const TSkillPlay& s : plays) {
      if (game >= 6 && s.Game == 3) continue;
      for (int i = 0; i < 6; ++i) {
        TAnswerRow r;
        r.Game = s.Game;
        r.Level = 1;
        r.Question = s.Question;
        r.Answer = s.Answer;
        r.Correct = (i * 17 + game * 5) % 100 < s.Percent - 20 + game * 3;
        r.Given = r.Correct ? s.Answer : "I";
        r.Ms = 1200 + 300 * i + 100 * game;
        log.Record(r);
      }
    }
  }
  log.EndSession();
  Click(510, 565, 40);  // PROGRESS
  ASSERT_NE(Director->Screen(ssProgress), nullptr);
  Shot("progress");
  const std::vector<std::string> written = ExportReports(log, std::string(PLOTFRAY_BINARY_DIR) + "screens/", "gallery");
  EXPECT_EQ(written.size(), 2u);
  for (const std::string& path : written) {
    const std::string plain = path.substr(0, path.rfind('/') + 1) + "report" + path.substr(path.rfind('.'));
    std::rename(path.c_str(), plain.c_str());
  }
}

}  // namespace
