#pragma once
// Display, sound, play and language settings; SAVE keeps them, CANCEL takes previews
// back, KEYS lists every key over this screen.
#include <array>
#include <cstdint>
#include <vector>

#include "data/sysLanguage.h"
#include "objects/sysForm.h"

class TobjLabel;
class TobjButton;
class TobjCheckBox;
class TobjGroupButton;
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
  // 100 %, 75 %, 50 %.
  TobjGroupButton* GameSpeed = nullptr;
  // NORMAL, SLOW, OFF.
  TobjGroupButton* KeyRepeat = nullptr;
  // The chosen language named in itself; a click shows the next, SAVE speaks it.
  TobjLabel* LanguagePanel = nullptr;
  TobjButton* Language = nullptr;
  std::vector<TLanguage> Languages;
  std::size_t ChosenLanguage = 0;
  TobjSlider* MusicVolume = nullptr;
  TobjSlider* EffectsVolume = nullptr;
  TobjButton* Save = nullptr;
  TobjButton* Cancel = nullptr;
  TobjButton* Keys = nullptr;
  TobjButton* Exit = nullptr;

 private:
  void BuildLanguages(std::uint32_t tint);
};
