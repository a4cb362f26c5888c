#include "core/sysCommandLine.h"

#include <filesystem>
#include <system_error>

namespace {

std::string HelpText(const std::string& program) {
  return "Usage: " + program +
         " [OPTION]...\n"
         "An arcade game about the coordinate plane: stop the monsters by clicking\n"
         "the answers to their questions before they reach the origin.\n"
         "\n"
         "  --data DIR   read the game's data (*.asdb, *.sl) from DIR\n"
         "  --help       show this help and exit\n"
         "  --version    show the version and exit\n"
         "\n"
         "Settings, profiles and high scores are kept in $XDG_DATA_HOME/plotfray\n"
         "(~/.local/share/plotfray when it is not set). A copy run from a folder\n"
         "with its data beside it keeps them there when it can.\n";
}

TsysCommandLine UsageError(const std::string& program, const std::string& what) {
  TsysCommandLine result;
  result.Action = TsysCommandLine::TAction::Error;
  result.Message = program + ": " + what + " (try '" + program + " --help')\n";
  result.ExitCode = 2;
  return result;
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
    std::string folder;
    if (arg == "--data") {
      if (i + 1 == args.size()) return UsageError(program, "option '--data' needs a folder");
      folder = args[++i];
    } else if (arg.rfind("--data=", 0) == 0) {
      folder = arg.substr(7);
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError(program, "unknown option '" + arg + "'");
    } else {
      return UsageError(program, "unexpected argument '" + arg + "'");
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
      return UsageError(program, "'" + folder + "' is not a folder");
    // Absolute, so that the log says plainly where the data came from.
    folder = std::filesystem::absolute(folder, ec).lexically_normal().string();
    if (folder.back() != '/') folder += '/';
    result.DataFolder = folder;
  }
  return answer.Action == TsysCommandLine::TAction::Run ? result : answer;
}
