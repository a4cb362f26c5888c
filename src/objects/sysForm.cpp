#include "objects/sysForm.h"

#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objSheet.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"

TsysForm::TsysForm(TsysMainWindow* owner, TsysInterface* iface, std::int32_t group, std::int32_t closeCode,
                   bool fades)
    : TsysModule(owner), Fades(fades), Group(group), CloseCode(closeCode), Interface(iface) {
  EventMask = ekScreen | ekForm | ekKeys | ekMouse;
}

TsysForm::~TsysForm() { TsysForm::FreeScreen(); }

TsysObjects* TsysForm::Objects() const { return Interface->Objects.get(); }

TsysResources* TsysForm::Resources() const { return Interface->Resources.get(); }

void TsysForm::Start() {
  Closing = false;
  Focus = std::make_unique<TsysFocus>(Objects(), Resources(), Group);
  BuildScreen();
  if (ReturnsToFocus()) {
    const std::int32_t place = Resources()->ReturnPlaces[static_cast<std::size_t>(CloseCode)];
    if (place >= 0) Focus->SetFirstPlace(place);
  }
  if (Fades) {
    FadingIn = true;
    FadeAlpha = 0;
    FadeStep = 0;
    DoFadeStep();  // records each item's alpha and makes it transparent
    FadeStep = 18;
  }
}

void TsysForm::FreeScreen() {
  if (Interface != nullptr && Interface->Objects) Interface->Objects->DeleteGroup(Group);
}

void TsysForm::Suspend() {
  if (Suspended) return;
  Suspended = true;
  HiddenWhileSuspended.clear();
  TsysObjects* objects = Objects();
  for (std::int32_t i = 0; i < objects->GroupSize(Group); ++i) {
    TobjBase* object = objects->GroupObject(Group, i);
    if (object == nullptr || !object->Visible) continue;
    HiddenWhileSuspended.push_back(object);
    object->SetVisible(false);
  }
}

void TsysForm::Resume() {
  if (!Suspended) return;
  Suspended = false;
  for (TobjBase* object : HiddenWhileSuspended)
    if (Objects()->IsAlive(object)) object->SetVisible(true);
  HiddenWhileSuspended.clear();
}

bool TsysForm::ReturnsToFocus() const {
  // The menus one comes back to; never a panel over the game, where Enter
  // pressed on at once must not leave the game.
  switch (CloseCode) {
    case sidMainMenu: case sidMissions: case sidProfile: case sidOptions: case sidArcade: case sidScores:
    case sidChallenge:
      return CloseCode >= 0 && CloseCode < 32;
    default:
      return false;
  }
}

void TsysForm::BeginClose() {
  // Coming back to this screen, the ring is where it was left: on the control just used.
  if (ReturnsToFocus() && Focus && !Closing)
    Resources()->ReturnPlaces[static_cast<std::size_t>(CloseCode)] = Focus->CurrentPlace();
  Closing = true;
  FadeAlpha = 255;
}

void TsysForm::CloseTo(std::uint16_t nextScreen, std::int32_t nextValue) {
  BeginClose();
  NextScreen = nextScreen;
  NextValue = nextValue;
}

void TsysForm::EnableFade(bool value) {
  Fades = value;
  if (!value) return;
  FadingIn = false;
  FadeAlpha = 255;
  FadeStep = 18;
  TsysObjects* objects = Objects();
  for (std::int32_t i = 0; i < objects->GroupSize(Group); ++i) {
    TobjBase* object = objects->GroupObject(Group, i);
    for (auto& item : object->Items) item->FadeBaseAlpha = 255;
  }
}

void TsysForm::DoFadeStep() {
  if (!Fades) {
    ScreenShown();
    if (Closing) {
      PostEvent(pmQueued, ekScreen, NextScreen, Group, NextValue);
      Closing = false;
    }
    return;
  }
  if (FadingIn) {
    FadeAlpha += FadeStep;
    if (FadeAlpha > 255) {
      FadeAlpha = 255;
      FadingIn = false;
      ScreenShown();
    }
  }
  if (Closing) {
    FadeAlpha -= FadeStep;
    if (FadeAlpha < 0) {
      FadeAlpha = 0;
      PostEvent(pmQueued, ekScreen, NextScreen, Group, NextValue);
      Closing = false;
    }
  }
  TsysObjects* objects = Objects();
  for (std::int32_t i = 0; i < objects->GroupSize(Group); ++i) {
    TobjBase* object = objects->GroupObject(Group, i);
    for (auto& item : object->Items) {
      if (FadeAlpha <= 0 && FadingIn) item->FadeBaseAlpha = item->Alpha;
      item->SetAlpha(static_cast<std::int32_t>(item->FadeBaseAlpha / 256.0 * FadeAlpha));
    }
  }
}

void TsysForm::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  if (Suspended) return;
  if (event->Kind == ekForm && event->Code == CloseCode) {
    BeginClose();
    NextScreen = static_cast<std::uint16_t>(event->Param);
    NextValue = event->Value;
  }
  if (event->Kind == ekMouse && event->Code == 2 && Interface != nullptr) Resources()->KeyboardPlay = false;
  // The pointer takes the focus along: one control is marked at a time.
  if (event->Kind == ekMouse && event->Code == 1 && KeyFocus && Focus && !Closing)
    Focus->FollowPointer(static_cast<double>(event->Param), event->Value);
  // Enter typed into a text box: the keys are in use from here on.
  if (event->Kind == ekKeys && event->Code == 6 && event->Param == 13) Resources()->KeyboardPlay = true;
  if (event->Kind != ekKeys || !KeyFocus || Closing || !Focus) return;
  if (event->Code == 1) {
    Resources()->KeyboardPlay = true;
    if (EscapeButton != nullptr && EscapeButton->Visible && EscapeButton->ActionKind != 0) {
      RequestSound(EscapeButton, 9);
      EscapeButton->Click();
    }
    return;
  }
  Focus->HandleKey(*event);
}

void TsysForm::ProcessEvents() {
  TsysModule::ProcessEvents();
  if (KeyFocus && Focus && !Closing && !Suspended) Focus->Step();
  if (Fades) {
    if (FadingIn) DoFadeStep();
    if (Closing) DoFadeStep();
  } else {
    DoFadeStep();
  }
}
