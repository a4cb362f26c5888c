#pragma once
// Fakes of the platform for headless tests: a window, a clock, a temp folder.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/sysLog.h"
#include "core/sysMainWindow.h"

class TFakeWindow : public TsysMainWindow {
 public:
  void SetIdleHandler(std::function<void()> handler) override { Idle = std::move(handler); }
  void SetInputSink(TsysInputSink* sink) override { Input = sink; }
  void SetTextInput(bool on) override { TextInput = on; }
  void SnapClientArea() override { ++Snaps; }
  void Minimise() override { ++Minimised; }
  void Terminate() override { Terminated = true; }
  std::uint64_t MessagesHandled() const override { return Messages; }

  std::function<void()> Idle;
  std::uint64_t Messages = 0;
  TsysInputSink* Input = nullptr;
  bool TextInput = false;
  bool Terminated = false;
  int Snaps = 0;
  int Minimised = 0;
};

// A clock the test moves by hand; 1 count = 1 microsecond.
class TFakeClock : public TsysClock {
 public:
  std::uint64_t Counter() override { return Now; }
  std::uint64_t Frequency() override { return Freq; }
  std::uint32_t TickCount() override { return static_cast<std::uint32_t>(Now / 1000); }
  void Sleep(std::uint32_t ms) override {
    Sleeps.push_back(ms);
    if (AdvanceOnSleep) Now += static_cast<std::uint64_t>(ms) * 1000;
  }
  void AdvanceMs(double ms) { Now += static_cast<std::uint64_t>(ms * 1000.0); }

  std::uint64_t Now = 1'000'000;
  std::uint64_t Freq = 1'000'000;
  bool AdvanceOnSleep = false;
  std::vector<std::uint32_t> Sleeps;
};

// A fresh folder under the system temp folder, removed afterwards.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  const std::string& Path() const { return Dir; }  // with trailing '/'
  std::string File(const std::string& name) const { return Dir + name; }

 private:
  std::string Dir;
};

// Collects message boxes while alive.
class TMessageCatcher {
 public:
  TMessageCatcher();
  ~TMessageCatcher();
  std::vector<std::pair<std::string, std::string>> Messages;

 private:
  TMessageBoxHandler Previous;
};

// Writes a core archive of three small pictures (the font sheet's place is the
// third) into dataFolder, creating it: enough for the game to start without
// the generated data.
void WriteStandInCore(const std::string& dataFolder);

// A whole file as text; empty when it cannot be read.
inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
