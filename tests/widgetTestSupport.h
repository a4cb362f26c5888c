#pragma once
// A bus, an object manager and a recording device for driving widgets with
// real ekMouse and ekKeys events, one logic step at a time.
#include <gtest/gtest.h>

#include <vector>

#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

struct TLoggedEvent {
  const TsysEventComponent* Sender;
  std::int32_t Kind;
  std::uint16_t Code;
  std::intptr_t Param;
  std::int32_t Value;
};

// Records every event of the kinds widgets post (not the test's own input).
class TEventLog : public TsysEventComponent {
 public:
  explicit TEventLog(const TsysEventComponent* input) : Input(input) {
    EventMask = ekSystem | ekForm | ekKeys | ekGame | ekSound;
  }
  void HandleEvent(TsysEvent* e) override {
    if (e->Sender != Input) Got.push_back({e->Sender, e->Kind, e->Code, e->Param, e->Value});
  }
  int Count(std::int32_t kind, std::uint16_t code) const {
    int n = 0;
    for (const auto& g : Got) n += g.Kind == kind && g.Code == code;
    return n;
  }
  const TLoggedEvent* Last(std::int32_t kind, std::uint16_t code) const {
    for (auto it = Got.rbegin(); it != Got.rend(); ++it)
      if (it->Kind == kind && it->Code == code) return &*it;
    return nullptr;
  }
  std::vector<TLoggedEvent> Got;

 private:
  const TsysEventComponent* Input;
};

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() : Log(&Input), Iface(nullptr, &Bus, Dir.Path()) {
    Iface.Resources->SetDevice(&Device);
    Bus.Register(&Input);
    Bus.Register(Iface.Objects.get());
    Bus.Register(&Log);
  }
  ~WidgetTest() override {
    Iface.Objects->DeleteAll();
    Iface.Resources->SetDevice(nullptr);
  }

  template <class T>
  T* Make(std::int32_t type, double x, double y, std::int32_t w, std::int32_t h) {
    T* widget = Iface.Objects->Create<T>(1, type, x, y, 2, w, h);
    EXPECT_NE(widget, nullptr);
    return widget;
  }
  TsysResources& Res() { return *Iface.Resources; }

  // Each posts one queued event as the input module would and runs one logic step.
  void Post(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value) {
    Input.PostEvent(pmQueued, kind, code, param, value);
    Bus.Tick();
  }
  void Move(double x, double y) { Post(ekMouse, 1, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y)); }
  void Down(double x, double y) { Post(ekMouse, 2, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y)); }
  void Up(double x, double y) { Post(ekMouse, 3, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y)); }
  void Click(double x, double y) {
    Move(x, y);
    Down(x, y);
    Up(x, y);
  }
  void EditKey(int virtualKey) { Post(ekKeys, 5, virtualKey, 0); }
  void Type(int character) { Post(ekKeys, 6, character, 0); }
  void Type(const std::string& text) {
    for (char c : text) Type(static_cast<unsigned char>(c));
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) Bus.Tick();
  }

  TTempDir Dir;
  TrndRecordingDevice Device;
  TsysEventHandler Bus;
  TsysEventComponent Input;
  TEventLog Log;
  TsysInterface Iface;
};

// Whether a drawn item shows exactly this piece of the widget sheet.
inline bool SourceIs(const TrndGfx* item, const TSheetRect& r) {
  return item->ImageSet == SheetImageSet && item->ImageIndex == SheetImageIndex && item->TexCoord.SrcX == r.X &&
         item->TexCoord.SrcY == r.Y && item->TexCoord.SrcWidth == r.W && item->TexCoord.SrcHeight == r.H;
}
