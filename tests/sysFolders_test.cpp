// Where the program finds its data and keeps its files: beside itself when it
// runs from a build folder, in the player's data folder once installed.
#include "data/sysFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/modScripting.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "render/rndRecordingDevice.h"
#include "sndFakeAudio.h"
#include "sound/modSound.h"
#include "testSupport.h"

namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for the life of the object.
class TEnvVar {
 public:
  TEnvVar(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~TEnvVar() {
    if (Old)
      ::setenv(Name, Old->c_str(), 1);
    else
      ::unsetenv(Name);
  }

 private:
  const char* Name;
  std::optional<std::string> Old;
};

bool IsEmptyFolder(const std::string& path) { return fs::is_directory(path) && fs::is_empty(path); }

class Folders : public ::testing::Test {
 protected:
  Folders() : Xdg("XDG_DATA_HOME", (Home.Path() + "xdg").c_str()), HomeVar("HOME", Home.Path().c_str()) {}
  TTempDir Home;  // the player's home
  TTempDir Root;  // a build folder or an install prefix
  TEnvVar Xdg;
  TEnvVar HomeVar;
};

TEST_F(Folders, ABuildFolderReadsItsDataFolderAndKeepsItsFilesBesideTheProgram) {
  fs::create_directories(Root.File("data"));
  const TsysFolders folders = FindFolders(Root.Path(), "../share/plotfray/data", "");
  EXPECT_FALSE(folders.Installed);
  EXPECT_EQ(folders.Program, Root.Path());
  EXPECT_EQ(folders.Data, Root.File("data/"));
  EXPECT_EQ(folders.Saves, Root.Path());
  EXPECT_FALSE(fs::exists(Home.File("xdg"))) << "the player's folder is left alone";
  // The program folder's name may come without its slash.
  const std::string bare = Root.Path().substr(0, Root.Path().size() - 1);
  EXPECT_EQ(FindFolders(bare, "x", "").Data, Root.File("data/"));
}

TEST_F(Folders, AnInstalledProgramReadsTheSharedDataAndWritesOnlyInThePlayersFolder) {
  fs::create_directories(Root.File("bin"));
  fs::create_directories(Root.File("share/plotfray/data"));
  // Its own folder can be written (a prefix in the home folder), yet stays untouched.
  const TsysFolders folders = FindFolders(Root.File("bin/"), "../share/plotfray/data", "");
  EXPECT_TRUE(folders.Installed);
  EXPECT_EQ(folders.Data, Root.File("share/plotfray/data/"));
  EXPECT_EQ(folders.Saves, Home.File("xdg/plotfray/"));
  EXPECT_TRUE(IsEmptyFolder(Home.File("xdg/plotfray"))) << "created, and the write probe cleaned up";
  EXPECT_TRUE(IsEmptyFolder(Root.File("bin")));
}

TEST_F(Folders, ThePlayersFolderFollowsTheBaseDirectoryRules) {
  fs::create_directories(Root.File("bin"));
  {
    TEnvVar unset("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(FindFolders(Root.File("bin/"), "..", "").Saves, Home.File(".local/share/plotfray/"));
  }
  {
    TEnvVar relative("XDG_DATA_HOME", "relative/xdg");
    EXPECT_EQ(UserSaveFolder(), Home.File(".local/share/plotfray/")) << "a relative XDG_DATA_HOME is ignored";
  }
  {
    // Without any home an installed program still keeps its saves somewhere writable.
    TEnvVar noXdg("XDG_DATA_HOME", nullptr);
    TEnvVar noHome("HOME", nullptr);
    EXPECT_EQ(UserSaveFolder(), "");
    EXPECT_EQ(FindFolders(Root.File("bin/"), "..", "").Saves, Root.File("bin/"));
  }
  {
    // A data folder that is a file cannot hold saves.
    { std::FILE* f = std::fopen(Home.File("blocked").c_str(), "wb"); std::fclose(f); }
    TEnvVar blocked("XDG_DATA_HOME", Home.File("blocked").c_str());
    EXPECT_EQ(UserSaveFolder(), "");
  }
}

TEST_F(Folders, AChosenDataFolderReplacesOnlyTheData) {
  fs::create_directories(Root.File("bin"));
  fs::create_directories(Root.File("data"));
  const TsysFolders installed = FindFolders(Root.File("bin/"), "../share/plotfray/data", "/elsewhere");
  EXPECT_EQ(installed.Data, "/elsewhere/");
  EXPECT_EQ(installed.Saves, Home.File("xdg/plotfray/"));
  const TsysFolders build = FindFolders(Root.Path(), "../share/plotfray/data", "/elsewhere/");
  EXPECT_EQ(build.Data, "/elsewhere/");
  EXPECT_EQ(build.Saves, Root.Path());
}

// The director reads every data file from the data folder it is given and
// writes only in the save folder, never in the program folder.
TEST(FoldersInDirector, DataComesFromTheDataFolderAndSavesGoToTheSaveFolder) {
  TTempDir program, saves;
  TFakeWindow window;
  TFakeClock clock;
  TFakeAudio* audio = nullptr;
  TsysPlatform platform;
  platform.Window = &window;
  platform.Clock = &clock;
  platform.CreateDevice = [] { return std::make_unique<TrndRecordingDevice>(); };
  platform.CreateAudio = [&audio]() -> std::unique_ptr<TsndDevice> {
    auto made = std::make_unique<TFakeAudio>();
    audio = made.get();
    return made;
  };
  platform.DataFolder = PLOTFRAY_DATA_DIR;
  platform.SaveFolder = saves.Path();
  auto director = std::make_unique<TmodScripting>(platform, program.Path(), TScreenFactories{});
  TsysResources* resources = director->Interface->Resources.get();
  ASSERT_EQ(resources->ImageSetCount(), 10);
  for (int set : {0, 1, 3}) EXPECT_GT(resources->ImageSet(set)->Count(), 0) << "image set " << set;
  ASSERT_NE(audio, nullptr);
  for (int bank = 0; bank < 8; ++bank) EXPECT_GT(director->Sound->Bank(bank).Count(), 0) << "effect bank " << bank;
  EXPECT_EQ(director->Sound->Music()->Count(), 4);
  EXPECT_EQ(resources->SavePath, saves.Path());
  EXPECT_TRUE(fs::exists(saves.File("Settings.ini")));
  EXPECT_TRUE(fs::exists(saves.File("Scores.dat")));
  director.reset();
  EXPECT_TRUE(IsEmptyFolder(program.Path()));
}

}  // namespace
