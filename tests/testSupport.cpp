#include "testSupport.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "data/ASDbWriter.h"
#include "data/sysImages.h"

TTempDir::TTempDir() {
  static std::atomic<int> counter{0};
  const auto base = std::filesystem::temp_directory_path() /
                    ("plotfray-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(base);
  std::filesystem::create_directories(base);
  Dir = base.string() + "/";
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(Dir, ec);
}

TMessageCatcher::TMessageCatcher() {
  Previous = SetMessageBoxHandler([this](const std::string& caption, const std::string& text) {
    Messages.emplace_back(caption, text);
  });
}

TMessageCatcher::~TMessageCatcher() { SetMessageBoxHandler(std::move(Previous)); }

namespace {

// Every test runs on SDL's silent, windowless drivers unless told otherwise.
const bool HeadlessDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

// And in English, whatever language the machine running them speaks: a test
// that wants another sets it itself.
const bool EnglishTests = [] {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
  setenv("LANG", "C.UTF-8", 1);
  return true;
}();

}  // namespace

void WriteStandInCore(const std::string& dataFolder) {
  std::filesystem::create_directories(dataFolder);
  TASDbWriter writer;
  for (const char* name : {"white", "white-2", "font"}) {
    TImage image;
    image.Name = name;
    image.PatternWidth = image.PatternHeight = image.VisibleWidth = image.VisibleHeight = 2;
    image.TextureWidth = image.TextureHeight = 2;
    image.PatternCount = 1;
    image.Textures.push_back(std::vector<std::uint32_t>(4, 0xFFFFFFFF));
    writer.AddImage(image);
  }
  writer.Save(dataFolder + "core.asdb");
}
