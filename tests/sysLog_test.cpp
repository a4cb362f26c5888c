// The log in UTF-8, whichever set a line was written in.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "core/sysLog.h"
#include "testSupport.h"

namespace {

std::string LogFileOf(const TTempDir& dir, const std::function<void()>& write) {
  const std::string path = dir.File("plotfray.log");
  SetLogFile(path);
  write();
  SetLogFile("");
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(LogFile, TranslatedLinesAreWrittenInUtf8AndUtf8LinesAsTheyAre) {
  TTempDir dir;
  testing::internal::CaptureStderr();
  const std::string log = LogFileOf(dir, [] {
    // "Paramètres reçus" in the game's one-byte letters (è E8, ç E7), then already in UTF-8.
    LogLine("Param\xE8tres re\xE7us");
    LogLine("cannot read /home/Fran\xC3\xA7oise/plotfray.log");
  });
  const std::string terminal = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find(" Param\xC3\xA8tres re\xC3\xA7us\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" cannot read /home/Fran\xC3\xA7oise/plotfray.log\n"), std::string::npos) << log;
  EXPECT_EQ(log.find('\xE8'), std::string::npos);
  EXPECT_EQ(terminal, "plotfray: Param\xC3\xA8tres re\xC3\xA7us\nplotfray: cannot read /home/Fran\xC3\xA7oise/plotfray.log\n");
}

TEST(LogFile, AMessageBoxIsLoggedInUtf8AsTheBoxShowsIt) {
  TTempDir dir;
  TMessageCatcher boxes;
  testing::internal::CaptureStderr();
  // A French caption and text in the game's letters: "Données", "Impossible d'écrire « Scores.dat »." (« AB, » BB).
  const std::string log =
      LogFileOf(dir, [] { ShowMessage("Donn\xE9" "es", "Impossible d'\xE9" "crire \xAB Scores.dat \xBB."); });
  testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find(" message [Donn\xC3\xA9" "es]: Impossible d'\xC3\xA9" "crire \xC2\xAB Scores.dat \xC2\xBB.\n"),
            std::string::npos)
      << log;
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].first, "Donn\xC3\xA9" "es");
}

}  // namespace
