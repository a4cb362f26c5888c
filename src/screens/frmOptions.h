#pragma once
// Display and sound settings; SAVE keeps them, CANCEL takes previews back.
#include <array>

#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;
class TobjCheckBox;
class TobjSlider;

class TfrmOptions : public TsysForm {
 public:
  TfrmOptions(TsysMainWindow* owner, TsysInterface* iface);
  void BuildScreen() override;
  void HandleEvent(TsysEvent* event) override;

  TobjLabel* Panel = nullptr;
  TobjLabel* Title = nullptr;
  TobjCheckBox* Fullscreen = nullptr;
  TobjCheckBox* Antialias = nullptr;
  TobjCheckBox* Blending = nullptr;
  TobjCheckBox* ShowFps = nullptr;
  TobjCheckBox* Music = nullptr;
  TobjCheckBox* Effects = nullptr;
  TobjCheckBox* ColourBlind = nullptr;
  TobjCheckBox* LargeLabels = nullptr;
  TobjSlider* MusicVolume = nullptr;
  TobjSlider* EffectsVolume = nullptr;
  TobjButton* Save = nullptr;
  TobjButton* Cancel = nullptr;
  TobjButton* Exit = nullptr;
};
