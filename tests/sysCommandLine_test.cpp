#include "core/sysCommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "testSupport.h"

namespace {

TsysCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args, "plotfray", "9.8"); }

using TAction = TsysCommandLine::TAction;

}  // namespace

TEST(CommandLine, WithoutOptionsTheGameRunsOnItsUsualData) {
  const TsysCommandLine line = Parse({});
  EXPECT_EQ(line.Action, TAction::Run);
  EXPECT_EQ(line.DataFolder, "");
  EXPECT_EQ(line.Message, "");
}

TEST(CommandLine, HelpAndVersionAnswerAndEndTheProgram) {
  const TsysCommandLine help = Parse({"--help"});
  EXPECT_EQ(help.Action, TAction::Help);
  EXPECT_EQ(help.ExitCode, 0);
  for (const char* option : {"--data DIR", "--help", "--version"})
    EXPECT_NE(help.Message.find(option), std::string::npos) << option;
  EXPECT_EQ(help.Message.rfind("Usage: plotfray ", 0), 0u);
  EXPECT_EQ(Parse({"-h"}).Action, TAction::Help);

  const TsysCommandLine version = Parse({"--version"});
  EXPECT_EQ(version.Action, TAction::Version);
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Message, "plotfray 9.8\n");
  EXPECT_EQ(ParseCommandLine({"--version"}, "pf", "2").Message, "pf 2\n") << "named as it was started";
}

TEST(CommandLine, AMistakeIsOneLineNamingItAndExitCodeTwo) {
  TTempDir dir;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--fullscreen"}, "'--fullscreen'"},
      {{"-x"}, "'-x'"},
      {{"levels.txt"}, "'levels.txt'"},
      {{"--data"}, "'--data' needs a folder"},
      {{"--data="}, "'' is not a folder"},
      {{"--data", dir.File("missing")}, dir.File("missing")},
      {{"--data", dir.Path(), "--bogus"}, "'--bogus'"},
      // Nothing after an answering option is taken silently.
      {{"--version", "extra"}, "'extra'"},
      {{"--help", "--bogus"}, "'--bogus'"},
      {{"--version", "--data"}, "'--data' needs a folder"},
  };
  for (const auto& [args, named] : cases) {
    const TsysCommandLine line = Parse(args);
    EXPECT_EQ(line.Action, TAction::Error) << args[0];
    EXPECT_EQ(line.ExitCode, 2) << args[0];
    EXPECT_EQ(std::count(line.Message.begin(), line.Message.end(), '\n'), 1) << line.Message;
    EXPECT_EQ(line.Message.back(), '\n');
    EXPECT_EQ(line.Message.rfind("plotfray: ", 0), 0u) << line.Message;
    EXPECT_NE(line.Message.find(named), std::string::npos) << line.Message;
  }
  // A file is not a data folder either.
  std::filesystem::create_directories(dir.File("data"));
  { std::FILE* f = std::fopen(dir.File("data/core.asdb").c_str(), "wb"); std::fclose(f); }
  EXPECT_EQ(Parse({"--data", dir.File("data/core.asdb")}).Action, TAction::Error);
}

TEST(CommandLine, TheDataFolderIsTakenAbsoluteAndEndedBySlash) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("my data"));
  const std::string folder = dir.File("my data");
  EXPECT_EQ(Parse({"--data", folder}).DataFolder, folder + "/");
  EXPECT_EQ(Parse({"--data=" + folder + "/"}).DataFolder, folder + "/");
  // Relative to where the program was started from.
  const std::string relative = std::filesystem::relative(folder).string();
  ASSERT_NE(relative[0], '/');
  const TsysCommandLine line = Parse({"--data", relative});
  EXPECT_EQ(line.Action, TAction::Run);
  EXPECT_EQ(line.DataFolder, std::filesystem::weakly_canonical(folder).string() + "/");
}

TEST(CommandLine, CheckLevelsTakesOneFileAndNothingOfTheReport) {
  const TsysCommandLine line = Parse({"--check-levels", "friday.txt"});
  EXPECT_EQ(line.Action, TAction::CheckLevels);
  EXPECT_EQ(line.LevelsFile, "friday.txt");
  EXPECT_EQ(Parse({"--check-levels=friday.txt"}).LevelsFile, "friday.txt");
  EXPECT_EQ(Parse({"--data", ".", "--check-levels", "a.txt"}).Action, TAction::CheckLevels);
  EXPECT_NE(Parse({"--help"}).Message.find("--check-levels FILE"), std::string::npos);
  // The report's options keep working beside it.
  EXPECT_EQ(Parse({"--report", "r.csv", "--since", "2026-01-02"}).Action, TAction::Report);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--check-levels"}, {"--check-levels="}, {"--check-levels", "a.txt", "b.txt"},
        {"--check-levels", "a.txt", "--check-levels", "b.txt"}, {"--check-levels", "a.txt", "--report", "r.csv"},
        {"--check-levels", "a.txt", "--profile", "Ann"}}) {
    const TsysCommandLine bad = Parse(args);
    EXPECT_EQ(bad.Action, TAction::Error) << args.back();
    EXPECT_EQ(bad.ExitCode, 2) << args.back();
  }
}
