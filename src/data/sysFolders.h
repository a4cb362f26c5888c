#pragma once
// Where the program reads its data and writes its files. A copy with a data
// folder beside the program (a build folder, an unpacked archive) keeps
// everything together, as it always has. An installed program reads its data
// from the install's shared folder and writes nothing there: settings, saves,
// the log and screenshots go to the player's own data folder.
#include <string>

struct TsysFolders {
  std::string Program;  // the program's own folder
  std::string Data;     // the folder holding the archives and effect banks
  std::string Saves;    // settings, profiles, scores, the log, screenshots
  bool Installed = false;
};

// The data folder alone, as FindFolders chooses it, with nothing created.
std::string FindDataFolder(const std::string& programFolder, const std::string& installedData,
                           const std::string& dataOverride);
// programFolder: the folder of the executable; installedData: the data folder
// of an install, relative to the program folder; dataOverride: a data folder
// chosen on the command line, or empty. Every folder returned ends in '/'.
TsysFolders FindFolders(const std::string& programFolder, const std::string& installedData,
                        const std::string& dataOverride);

// $XDG_DATA_HOME/plotfray/ (~/.local/share/plotfray/ when that is unset or not
// absolute), created as needed; empty when there is no home folder or the
// folder cannot be made or written.
std::string UserSaveFolder();
