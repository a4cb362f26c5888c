#include "data/sysFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/sysLog.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string UserSaveFolder() {
  std::string base;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else if (home != nullptr && home[0] == '/') {
    base = WithSlash(home) + ".local/share";
  } else {
    LogLine("neither XDG_DATA_HOME nor HOME names a folder");
    return {};
  }
  const std::string folder = WithSlash(base) + "plotfray/";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !FolderWritable(folder)) {
    LogLine("cannot write in " + folder + (ec ? ": " + ec.message() : std::string()));
    return {};
  }
  return folder;
}

std::string FindDataFolder(const std::string& programFolder, const std::string& installedData,
                           const std::string& dataOverride) {
  if (!dataOverride.empty()) return WithSlash(dataOverride);
  const std::string program = WithSlash(programFolder);
  std::error_code ec;
  if (std::filesystem::is_directory(program + "data", ec)) return program + "data/";
  return WithSlash((std::filesystem::path(program) / installedData).lexically_normal().string());
}

TsysFolders FindFolders(const std::string& programFolder, const std::string& installedData,
                        const std::string& dataOverride) {
  TsysFolders folders;
  folders.Program = WithSlash(programFolder);
  std::error_code ec;
  folders.Installed = !std::filesystem::is_directory(folders.Program + "data", ec);
  if (!folders.Installed) {
    folders.Data = folders.Program + "data/";
    folders.Saves = ChooseSaveFolder(folders.Program);
  } else {
    const std::filesystem::path data = std::filesystem::path(folders.Program) / installedData;
    folders.Data = WithSlash(data.lexically_normal().string());
    folders.Saves = UserSaveFolder();
    // Without a home folder an installed program still tries to keep its saves.
    if (folders.Saves.empty()) folders.Saves = ChooseSaveFolder(folders.Program);
  }
  if (!dataOverride.empty()) folders.Data = WithSlash(dataOverride);
  return folders;
}
