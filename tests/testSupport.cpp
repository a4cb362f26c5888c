#include "testSupport.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

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

}  // namespace
