#pragma once
// A screen: builds its objects into its own group, fades them in, fades them out
// when asked to close, then asks the director for the next screen.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/sysModule.h"
#include "objects/sysFocus.h"

class TobjBase;
class TobjButton;
class TsysInterface;
class TsysObjects;
class TsysResources;
class TrndText;

class TsysForm : public TsysModule {
 public:
  // Group, close code and fading are the descendant's choice.
  TsysForm(TsysMainWindow* owner, TsysInterface* iface, std::int32_t group, std::int32_t closeCode,
           bool fades);
  ~TsysForm() override;

  // Builds the screen and starts its fade-in. The director calls it right after
  // construction (a constructor cannot reach the descendant's BuildScreen).
  void Start();

  virtual void BuildScreen() {}
  // Deletes every object of the screen's group; overrides call the inherited one.
  virtual void FreeScreen();
  // Once when the fade-in ends; every step for a screen that does not fade.
  virtual void ScreenShown() {}
  // The loading screen's status line, which the director rewrites; null elsewhere.
  virtual TrndText* StatusText() { return nullptr; }

  // Another screen lies over this one for a while (the keys panel): its objects
  // are hidden and it takes no keys until Resume shows them again.
  void Suspend();
  void Resume();
  bool Suspended = false;

  // Whether this screen, opened again, puts its focus back where it was left.
  bool ReturnsToFocus() const;
  void BeginClose();
  void CloseTo(std::uint16_t nextScreen, std::int32_t nextValue);
  void EnableFade(bool value);
  // One step of the fade (the operation the screen runs every logic step).
  void DoFadeStep();

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  TsysObjects* Objects() const;
  TsysResources* Resources() const;

  bool Fades;
  bool FadingIn = false;
  bool Closing = false;
  std::int32_t FadeAlpha = 255;
  std::int32_t FadeStep = 18;
  std::int32_t Group;
  std::int32_t CloseCode;
  std::uint16_t NextScreen = 0;
  std::int32_t NextValue = 0;
  TsysInterface* Interface;

  // Keyboard play: the focus (made by Start), whether this screen moves it
  // (the game screen steers its own cursor instead), and the button that
  // Escape presses.
  std::unique_ptr<TsysFocus> Focus;
  bool KeyFocus = true;
  TobjButton* EscapeButton = nullptr;

 private:
  std::vector<TobjBase*> HiddenWhileSuspended;
};
