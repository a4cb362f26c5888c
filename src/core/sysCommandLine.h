#pragma once
// The program's few options: --help, --version, --data DIR, --check-levels FILE
// and --report FILE
// (with --profile NAME, --since YYYY-MM-DD and CSV reports to merge). They are read
// before anything starts, so a mistyped option is reported at once on the
// terminal instead of opening the game.
#include <string>
#include <vector>

struct TsysCommandLine {
  enum class TAction { Run, Help, Version, Error, Report, CheckLevels };
  TAction Action = TAction::Run;
  // --data DIR: the folder to read the game's data from, '/'-ended; empty for
  // the usual one.
  std::string DataFolder;
  // --report FILE.csv|FILE.html: the teacher's report is written, then the
  // program ends. The other fields narrow it or name CSV reports to merge.
  std::string ReportFile;
  std::string ReportProfile;
  std::string ReportSince;
  std::vector<std::string> ReportInputs;
  // --check-levels FILE: a teacher's level set is checked, then the program ends.
  std::string LevelsFile;
  // Folders of level sets given by --levels, absolute, each ending in '/'.
  std::vector<std::string> LevelFolders;
  // What to print before exiting: the help, the version line or the one-line
  // error (to stderr). Empty when the game runs.
  std::string Message;
  int ExitCode = 0;  // 0, or 2 for a usage error
};

// args are the arguments after the program name; program names the program in
// messages; version is printed by --version.
TsysCommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& program,
                                 const std::string& version);
