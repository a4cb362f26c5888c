#include "data/sysLevelSetFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/sysLog.h"

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The same folder however it is written: a save folder reached by a link is
// still searched once.
std::string SameFolder(const std::string& folder) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::weakly_canonical(folder, ec);
  return ec ? folder : WithSlash(real.string());
}

std::string UserLevelsFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') return WithSlash(xdg) + "plotfray/levels/";
  if (home != nullptr && home[0] == '/') return WithSlash(home) + ".local/share/plotfray/levels/";
  return {};
}

}  // namespace

std::vector<std::string> LevelSetFolders(const std::string& saveFolder, const std::vector<std::string>& extra,
                                         const std::string& dataFolder) {
  std::vector<std::string> wanted;
  if (!saveFolder.empty()) wanted.push_back(WithSlash(saveFolder) + "levels/");
  wanted.push_back(UserLevelsFolder());
  for (const std::string& folder : extra) wanted.push_back(WithSlash(folder));
  if (!dataFolder.empty()) wanted.push_back(WithSlash(dataFolder) + "levels/");
  std::vector<std::string> folders;
  std::vector<std::string> seen;
  for (const std::string& folder : wanted) {
    if (folder.empty()) continue;
    const std::string same = SameFolder(folder);
    if (std::find(seen.begin(), seen.end(), same) != seen.end()) continue;
    seen.push_back(same);
    folders.push_back(folder);
  }
  return folders;
}

std::vector<TLevelSetFile> FindLevelSets(const std::vector<std::string>& folders, const std::string& dataFolder) {
  std::vector<TLevelSetFile> found;
  const std::string examples = dataFolder.empty() ? std::string() : SameFolder(WithSlash(dataFolder) + "levels/");
  for (const std::string& folder : folders) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) continue;
    std::vector<std::filesystem::path> names;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::filesystem::path& path = it->path();
      std::error_code fileError;
      if (path.extension() != ".txt" || !it->is_regular_file(fileError)) continue;
      names.push_back(path);
      if (names.size() > LevelSetFilesMax) break;
    }
    if (ec) LogLine("level sets: cannot list " + folder + ": " + ec.message());
    std::sort(names.begin(), names.end());
    const bool example = !examples.empty() && SameFolder(folder) == examples;
    for (const std::filesystem::path& path : names) {
      if (found.size() >= LevelSetFilesMax) {
        LogLine("level sets: more than " + std::to_string(LevelSetFilesMax) + " files; the rest are not listed");
        return found;
      }
      TLevelSetFile file;
      file.Path = path.string();
      file.FileName = path.filename().string();
      file.Read = ReadLevelSetFile(file.Path);
      file.Example = example;
      found.push_back(std::move(file));
    }
  }
  return found;
}
