#pragma once
// Where CLASS LEVELS finds the teachers' level sets: a "levels" folder beside
// the saves, the user's data folder, the folders given by --levels and the
// examples shipped with the data. Every *.txt there is read and checked.
#include <cstdint>
#include <string>
#include <vector>

#include "data/sysLevelSet.h"

struct TLevelSetFile {
  std::string Path;
  std::string FileName;  // as a teacher would recognise it
  TLevelSetRead Read;    // a bad file keeps its faults
  bool Example = false;  // one of the examples shipped with the game
};

// A folder list need not be long; a folder with thousands of files is not one
// a teacher made for a class.
constexpr std::size_t LevelSetFilesMax = 200;

// The folders to search, each ending in '/', without repeats: the saves'
// "levels/", $XDG_DATA_HOME/plotfray/levels/ (or ~/.local/share's), the extra
// folders, then the examples in the data folder's "levels/".
std::vector<std::string> LevelSetFolders(const std::string& saveFolder, const std::vector<std::string>& extra,
                                         const std::string& dataFolder);
// Every *.txt of the folders, by name within a folder, each read; the data
// folder's are marked as examples. A missing folder is skipped.
std::vector<TLevelSetFile> FindLevelSets(const std::vector<std::string>& folders, const std::string& dataFolder);
