#pragma once
// The whole program headless: the real director, bus, input module, screens and
// widgets on the generated data, with the save files in a temporary folder, a
// recording drawing device and a spy that sees what the screens post.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "render/modInput.h"
#include "render/rndRecordingDevice.h"
#include "sndFakeAudio.h"
#include "testSupport.h"

class FlowTest : public ::testing::Test {
 protected:
  FlowTest() { std::filesystem::create_directory_symlink(PLOTFRAY_DATA_DIR, Dir.Path() + "data"); }
  // withAudio: a recording sound device, so that the sound module works.
  void Start(bool withAudio = false) {
    TsysPlatform platform;
    platform.Window = &Window;
    platform.Clock = &Clock;
    if (withAudio) platform.CreateAudio = [] { return std::make_unique<TFakeAudio>(); };
    platform.CreateDevice = [this]() -> std::unique_ptr<TrndDevice> {
      auto device = std::make_unique<TrndRecordingDevice>();
      Device = device.get();
      return device;
    };
    Director = std::make_unique<TmodScripting>(platform, Dir.Path(), DefaultScreenFactories());
    Director->Events->Register(&Spy);
    Spy.EventMask = ekSound | ekSystem | ekScreen | ekForm | ekGame;
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Director->Events->Tick();
  }
  // Steps until done holds; after limit steps the test fails, naming what did not happen.
  bool TickUntil(const std::function<bool()>& done, int limit, const std::string& what) {
    for (int i = 0; i < limit && !done(); ++i) Tick();
    if (done()) return true;
    ADD_FAILURE() << what << " (not within " << limit << " steps)";
    return false;
  }
  void Move(int x, int y) {
    Director->Input->PointerMove(x, y, 0);
    Tick(2);
  }
  // A panel that has just opened by itself holds clicks, Enter and Space back
  // for a moment; the helpers below press after it, as a child who saw it would.
  void WaitOutHold() {
    for (int i = 0; i < 120 && Director->Input->Holding(); ++i) Tick();
  }
  void Click(int x, int y) {
    WaitOutHold();
    Move(x, y);
    Director->Input->ButtonDown(0, x, y, 0);
    Tick(2);
    Director->Input->ButtonUp(0, x, y, 0);
    Tick(2);
  }
  // Press and release that reach the window between two logic steps.
  void QuickClick(int x, int y) {
    WaitOutHold();
    Move(x, y);
    Director->Input->ButtonDown(0, x, y, 0);
    Director->Input->ButtonUp(0, x, y, 0);
    Tick(2);
  }
  // Drags the options' music volume knob (value 45 of 0..100 on the 215-wide
  // slider at (287, 505): the knob is 45 * 185 / 100 + 6 from its left) to x.
  void DragMusicKnobTo(int x) {
    Move(287 + 89 + 9, 520);
    Director->Input->ButtonDown(0, 287 + 89 + 9, 520, 0);
    Tick(2);
    Director->Input->PointerMove(x, 520, 0);
    Tick(2);
    Director->Input->ButtonUp(0, x, 520, 0);
    Tick(2);
  }
  void Type(const std::string& text) {
    for (char c : text) {
      Director->Input->KeyPress(static_cast<unsigned char>(c));
      Tick();
    }
  }
  TsysResources* Res() { return Director->Interface->Resources.get(); }
  TsysForm* Screen(TScreenSlot slot) { return Director->Screen(slot); }
  // Leaves the loading screen with a click and waits for the next screen's fade-in.
  void PassLoading() {
    Click(500, 400);
    Tick(40);
  }
  std::vector<std::uint8_t> File(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    ReadFileBytes(Res()->SavePath + name, bytes);
    return bytes;
  }
  void CreateFirstProfile(const std::string& name, bool withAudio = false) {
    Start(withAudio);
    PassLoading();
    Type(name);
    Director->Input->KeyPress(13);
    Tick(40);
  }

  struct TSpy : TsysEventComponent {
    struct TSeen {
      std::int32_t Kind;
      std::uint16_t Code;
      std::intptr_t Param;
      std::int32_t Value;
    };
    void HandleEvent(TsysEvent* e) override { Got.push_back({e->Kind, e->Code, e->Param, e->Value}); }
    bool Saw(std::int32_t kind, std::uint16_t code) const { return Count(kind, code) > 0; }
    int Count(std::int32_t kind, std::uint16_t code) const {
      int n = 0;
      for (const TSeen& g : Got) n += g.Kind == kind && g.Code == code;
      return n;
    }
    const TSeen* Last(std::int32_t kind, std::uint16_t code) const {
      for (auto it = Got.rbegin(); it != Got.rend(); ++it)
        if (it->Kind == kind && it->Code == code) return &*it;
      return nullptr;
    }
    std::vector<TSeen> Got;
  };

  TTempDir Dir;
  TFakeWindow Window;
  TFakeClock Clock;
  TrndRecordingDevice* Device = nullptr;
  std::unique_ptr<TmodScripting> Director;
  TSpy Spy;
};

// A little-endian 32-bit value of a saved file.
inline std::int32_t I32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
  return static_cast<std::int32_t>(v);
}

// Where Profiles.dat keeps a game type's mission progress (level, score, kills)
// and a challenge's record, from the start of a profile record.
inline std::size_t LevelsDoneAt(int type) { return 36 + 12 * static_cast<std::size_t>(type - 1); }
inline std::size_t ChallengeAt(int c) { return 72 + 36 * static_cast<std::size_t>(c); }
