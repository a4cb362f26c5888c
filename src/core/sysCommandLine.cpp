#include "core/sysCommandLine.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/sysCatalogue.h"

namespace {

std::string HelpText(const std::string& program) {
  // TRANSLATORS: the command line's help; keep the options (--data, DIR, FILE...) as
  // they are and the lines under 80 characters. %s is the program's name.
  return Format(Tr("Usage: %s [OPTION]...\n"
         "An arcade game about the coordinate plane: stop the monsters by clicking\n"
         "the answers to their questions before they reach the origin.\n"
         "\n"
         "  --data DIR   read the game's data (*.asdb, *.sl) from DIR\n"
         "  --help       show this help and exit\n"
         "  --version    show the version and exit\n"
         "  --levels DIR folder of level sets for CLASS LEVELS (may be given again)\n"
         "  --check-levels FILE\n"
         "               check a level set and list every fault in it, then exit\n"
         "\n"
         "  --report FILE.csv|FILE.html [--profile NAME] [--since YYYY-MM-DD] [REPORT.csv]...\n"
         "               write what each player has learnt (every answer recorded) and\n"
         "               exit: from this computer's saves, or merged from CSV reports\n"
         "               made on other computers\n"
         "\n"
         "Settings, profiles and high scores are kept in $XDG_DATA_HOME/plotfray\n"
         "(~/.local/share/plotfray when it is not set). A copy run from a folder\n"
         "with its data beside it keeps them there when it can.\n"),
                {program});
}

TsysCommandLine UsageError(const std::string& program, const std::string& what) {
  TsysCommandLine result;
  result.Action = TsysCommandLine::TAction::Error;
  // TRANSLATORS: the program's name, what is wrong with the command line, the program's name.
  result.Message = Format(Tr("%1$s: %2$s (try '%3$s --help')"), {program, what, program}) + "\n";
  result.ExitCode = 2;
  return result;
}

bool EndsWithAny(const std::string& text, std::initializer_list<const char*> ends) {
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  for (const char* end : ends) {
    const std::string e = end;
    if (lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0) return true;
  }
  return false;
}

// YYYY-MM-DD naming a real day.
bool IsDay(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return false;
  if (text[4] != '-' || text[7] != '-' || m < 1 || m > 12 || d < 1) return false;
  static constexpr int days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= (m == 2 && !leap ? 28 : days[m - 1]);
}

}  // namespace

TsysCommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& program,
                                 const std::string& version) {
  TsysCommandLine result;
  // The whole line is checked before --help or --version is answered, so that
  // nothing typed after them is taken silently.
  TsysCommandLine answer;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      if (answer.Action == TsysCommandLine::TAction::Run) {
        answer.Action = TsysCommandLine::TAction::Help;
        answer.Message = HelpText(program);
      }
      continue;
    }
    if (arg == "--version") {
      if (answer.Action == TsysCommandLine::TAction::Run) {
        answer.Action = TsysCommandLine::TAction::Version;
        answer.Message = program + " " + version + "\n";
      }
      continue;
    }
    // --report and its companions, as "--opt VALUE" or "--opt=VALUE".
    std::string* reportValue = nullptr;
    std::string value;
    for (auto [name, field] : {std::pair{"--report", &result.ReportFile}, std::pair{"--profile", &result.ReportProfile},
                               std::pair{"--since", &result.ReportSince}}) {
      const std::string opt = name;
      if (arg == opt) {
        if (i + 1 == args.size()) return UsageError(program, Format(Tr("option '%s' needs a value"), {opt}));
        reportValue = field;
        value = args[++i];
      } else if (arg.rfind(opt + "=", 0) == 0) {
        reportValue = field;
        value = arg.substr(opt.size() + 1);
      }
    }
    if (reportValue != nullptr) {
      if (value.empty()) return UsageError(program, Tr("an option of --report is given no value"));
      *reportValue = value;
      continue;
    }
    if (arg == "--check-levels" || arg.rfind("--check-levels=", 0) == 0) {
      if (arg == "--check-levels" && i + 1 == args.size())
        return UsageError(program, Tr("option '--check-levels' needs a file"));
      const std::string file = arg == "--check-levels" ? args[++i] : arg.substr(15);
      if (file.empty()) return UsageError(program, Tr("option '--check-levels' needs a file"));
      if (!result.LevelsFile.empty()) return UsageError(program, Tr("--check-levels checks one file at a time"));
      result.LevelsFile = file;
      continue;
    }
    // Reports to merge; only meant with --report, wherever it stands.
    if (!arg.empty() && arg[0] != '-') {
      result.ReportInputs.push_back(arg);
      continue;
    }
    if (arg == "--levels" || arg.rfind("--levels=", 0) == 0) {
      if (arg == "--levels" && i + 1 == args.size()) return UsageError(program, "option '--levels' needs a folder");
      const std::string dir = arg == "--levels" ? args[++i] : arg.substr(9);
      std::error_code ec;
      if (dir.empty() || !std::filesystem::is_directory(dir, ec))
        return UsageError(program, "'" + dir + "' is not a folder");
      std::string absolute = std::filesystem::absolute(dir, ec).lexically_normal().string();
      if (absolute.back() != '/') absolute += '/';
      result.LevelFolders.push_back(absolute);
      continue;
    }
    std::string folder;
    if (arg == "--data") {
      if (i + 1 == args.size()) return UsageError(program, Tr("option '--data' needs a folder"));
      folder = args[++i];
    } else if (arg.rfind("--data=", 0) == 0) {
      folder = arg.substr(7);
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError(program, Format(Tr("unknown option '%s'"), {arg}));
    } else {
      return UsageError(program, Format(Tr("unexpected argument '%s'"), {arg}));
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
      return UsageError(program, Format(Tr("'%s' is not a folder"), {folder}));
    // Absolute, so that the log says plainly where the data came from.
    folder = std::filesystem::absolute(folder, ec).lexically_normal().string();
    if (folder.back() != '/') folder += '/';
    result.DataFolder = folder;
  }
  // A name without --report is no report to merge, even after --help.
  if (result.ReportFile.empty() && !result.ReportInputs.empty())
    return UsageError(program, Format(Tr("unexpected argument '%s'"), {result.ReportInputs[0]}));
  if (answer.Action != TsysCommandLine::TAction::Run) return answer;
  if (!result.LevelsFile.empty()) {
    if (!result.ReportFile.empty()) return UsageError(program, Tr("--check-levels and --report go one at a time"));
    if (!result.ReportProfile.empty() || !result.ReportSince.empty())
      return UsageError(program, Tr("--profile and --since go with --report"));
    result.Action = TsysCommandLine::TAction::CheckLevels;
    return result;
  }
  if (result.ReportFile.empty()) {
    if (!result.ReportProfile.empty() || !result.ReportSince.empty())
      return UsageError(program, Tr("--profile and --since go with --report"));
    return result;
  }
  if (!EndsWithAny(result.ReportFile, {".csv", ".html", ".htm"}))
    return UsageError(program, Format(Tr("the report '%s' must end in .csv or .html"), {result.ReportFile}));
  if (!result.ReportSince.empty() && !IsDay(result.ReportSince))
    return UsageError(program, Format(Tr("--since wants a day as YYYY-MM-DD, not '%s'"), {result.ReportSince}));
  for (const std::string& input : result.ReportInputs)
    if (!EndsWithAny(input, {".csv"})) return UsageError(program, Format(Tr("only CSV reports can be merged, not '%s'"), {input}));
  result.Action = TsysCommandLine::TAction::Report;
  return result;
}
