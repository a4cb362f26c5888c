#include "screens/frmOptions.h"

#include <algorithm>
#include <array>

#include "core/sysCatalogue.h"
#include "objects/sysScreenIds.h"
#include "data/sysLanguage.h"
#include "data/sysResources.h"
#include "tables/defColours.h"
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/objSheet.h"
#include "objects/objSlider.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

namespace {

TobjCheckBox* Check(TsysObjects* objects, std::int32_t group, double x, double y, const char* caption, bool checked,
                    std::uint32_t tint) {
  auto* box = objects->Create<TobjCheckBox>(group, otCheckbox, x, y, 2, 215, 30);
  box->CheckCaption->SetPlainText(caption);
  // A caption longer than the bar (in another language) takes the small
  // letters, on two lines if need be, rather than running off its end.
  const auto length = static_cast<std::int32_t>(std::string(caption).size());
  TrndText* text = box->CheckCaption;
  if (length * FontMetrics(8).CharWidth > text->Width) {
    const bool twoLines = length * FontMetrics(6).CharWidth > text->Width;
    if (twoLines) {
      text->RelY = 5;
      text->Height = 20;
    }
    text->SetText(caption, 6, false, true, twoLines, false, false);
  }
  box->SetChecked(checked);
  box->SetColor(tint);
  return box;
}

TobjLabel* Heading(TsysObjects* objects, std::int32_t group, double x, double y, const char* text,
                   std::uint32_t tint, std::int32_t w = 450) {
  TobjLabel* label = frm::Label(objects, group, x, y, 2, w, 30, text, 10, true);
  label->SetColor(tint);
  return label;
}

TobjLabel* SliderCaption(TsysObjects* objects, std::int32_t group, double x, double y, const char* text) {
  auto* label = objects->Create<TobjLabel>(group, otLabel, x, y, 2, 215, 20);
  label->Caption->SetTextAt(text, 10, true, true, false, false, true, TPointD{2, 0});
  return label;
}

// A row of three choices right of its caption, the entry of `selected` chosen.
TobjGroupButton* Choice(TsysObjects* objects, std::int32_t group, double y, const char* caption,
                        const std::array<const char*, 3>& words, std::int32_t selected, std::uint32_t tint) {
  // The caption has the room left of the choices; a longer one (in another
  // language) takes smaller letters on two lines.
  TobjLabel* label = SliderCaption(objects, group, 287, y + 5, caption);
  label->Caption->Width = 136;
  if (static_cast<std::int32_t>(std::string(caption).size()) * FontMetrics(10).CharWidth > 136) {
    label->Caption->RelY = -5;
    label->Caption->Height = 30;
    label->Caption->SetTextAt(caption, 8, true, true, true, false, true, TPointD{2, 0});
  }
  auto* choice = objects->Create<TobjGroupButton>(group, otGroupButton, 427, y, 2, 310, 30);
  for (int i = 0; i < 3; ++i) choice->AddEntry(104 * i, 0, 102, 30, words[static_cast<std::size_t>(i)]);
  for (int i = 0; i < 3; ++i) choice->SetEntryColor(i, tint);
  choice->SetSelected(selected);
  return choice;
}

constexpr std::array<std::uint8_t, 3> Speeds = {SpeedFull, SpeedThreeQuarters, SpeedHalf};
constexpr std::array<std::uint8_t, 3> Repeats = {RepeatUsual, RepeatSlow, RepeatOff};

template <std::size_t N>
std::int32_t IndexOf(const std::array<std::uint8_t, N>& values, std::uint8_t v) {
  for (std::size_t i = 0; i < N; ++i)
    if (values[i] == v) return static_cast<std::int32_t>(i);
  return 0;
}

}  // namespace

TfrmOptions::TfrmOptions(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grOptions, sidOptions, true) {
  EventMask |= ekSystem | ekSound;
}

void TfrmOptions::BuildScreen() {
  TsysObjects* objects = Objects();
  const TSettingsRecord& s = Resources()->Settings;
  // Every heading and box in the controls' colour: the blue, green and yellow
  // they wore are quadrant colours.
  const std::uint32_t tint = WidgetTint;

  Panel = frm::Panel(objects, Group, 272, 240, 2, 480, 520, 196);
  Title = frm::Label(objects, Group, 272, 255, 2, 480, 20, Tr("OPTIONS"), 16, false);

  Heading(objects, Group, 287, 285, Tr("GRAPHICS SETTINGS"), tint);
  Fullscreen = Check(objects, Group, 287, 325, Tr("Fullscreen"), s.Fullscreen != 0, tint);
  Antialias = Check(objects, Group, 522, 325, Tr("Antialiasing"), s.Antialias != 0, tint);
  Blending = Check(objects, Group, 287, 365, Tr("Blending Effects"), s.BlendingEffects != 0, tint);
  ShowFps = Check(objects, Group, 522, 365, Tr("Show Framerate"), s.ShowFPS != 0, tint);

  Heading(objects, Group, 287, 410, Tr("SOUND SETTINGS"), tint);
  Music = Check(objects, Group, 287, 450, Tr("Enable Music"), s.MusicOn != 0, tint);
  Music->SetAction(ekSound, 10);
  Effects = Check(objects, Group, 522, 450, Tr("Enable Sound Effects"), s.SoundEffectsOn != 0, tint);
  Effects->SetAction(ekSound, 11);

  SliderCaption(objects, Group, 287, 485, Tr("Music Volume"));
  MusicVolume = objects->Create<TobjSlider>(Group, otSlider, 287, 505, 2, 215, 30);
  MusicVolume->SetRange(0, 100);
  MusicVolume->SetValue(s.MusicVolume);
  MusicVolume->SetAction(ekSound, 12);
  MusicVolume->LiveUpdate = true;

  SliderCaption(objects, Group, 522, 485, Tr("Sound Volume"));
  EffectsVolume = objects->Create<TobjSlider>(Group, otSlider, 522, 505, 2, 215, 30);
  EffectsVolume->SetRange(0, 4500);
  EffectsVolume->SetValue(s.EffectsVolume);
  EffectsVolume->SetAction(ekSound, 13);
  EffectsVolume->LiveUpdate = false;

  const TOptionsRecord& o = Resources()->Options;
  Heading(objects, Group, 287, 545, Tr("PLAY SETTINGS"), tint);
  ColourBlind = Check(objects, Group, 287, 585, Tr("Colour-Blind Colours"), o.ColourBlindPalette != 0, tint);
  LargeLabels = Check(objects, Group, 522, 585, Tr("Larger Questions"), o.LargeLabels != 0, tint);
  // A slower game for a child who needs more time; its scores have tables of their own.
  GameSpeed = Choice(objects, Group, 622, Tr("Game Speed"), {"100 %", "75 %", "50 %"}, IndexOf(Speeds, o.GameSpeed),
                     tint);
  KeyRepeat = Choice(objects, Group, 657, Tr("Key Repeat"), {Tr("NORMAL"), Tr("SLOW"), Tr("OFF")},
                     IndexOf(Repeats, o.KeyRepeat), tint);
  BuildLanguages(tint);

  Save = frm::Button(objects, Group, 287, 700, 2, 140, 50, Tr("SAVE"), 8, ekSystem, 14, 0, 0);
  Keys = frm::Button(objects, Group, 442, 700, 2, 140, 50, Tr("KEYS"), 8, ekScreen, sidKeys, Group, 0);
  Cancel = frm::Button(objects, Group, 597, 700, 2, 140, 50, Tr("CANCEL"), 8, ekSystem, 15, 0, 0);
  Exit = frm::Button(objects, Group, 597, 700, 2, 140, 50, Tr("EXIT"), 8, ekForm, sidOptions, sidMainMenu, 0);
  Exit->SetVisible(false);
  EscapeButton = Cancel;
  Focus->SetFirst(Fullscreen);
}

void TfrmOptions::BuildLanguages(std::uint32_t tint) {
  // A panel of its own beside the settings, the language named in itself so a
  // child finds theirs whatever the game speaks now; a click (or Enter) shows
  // the next. Above the settings' first row, it comes before them in reading
  // order, so the keys still start on Fullscreen.
  TsysObjects* objects = Objects();
  Languages = AvailableLanguages(Interface->DataFolder);
  ChosenLanguage = 0;
  for (std::size_t i = 0; i < Languages.size(); ++i)
    if (Languages[i].Code == LanguageCode()) ChosenLanguage = i;
  LanguagePanel = frm::Panel(objects, Group, 762, 240, 2, 250, 96, 196);
  Heading(objects, Group, 772, 248, Tr("LANGUAGE"), tint, 230);
  Language = frm::Button(objects, Group, 772, 282, 2, 230, 44, Languages[ChosenLanguage].Name, 10, ekSystem, 17, 0, 0);
}

void TfrmOptions::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (event->Kind != ekSystem || Closing) return;
  if (event->Code == 14) {
    TSettingsRecord s = Resources()->Settings;  // profile index and reserved fields carried over
    s.Fullscreen = Fullscreen->Checked ? 1 : 0;
    s.Antialias = Antialias->Checked ? 1 : 0;
    s.BlendingEffects = Blending->Checked ? 1 : 0;
    s.ShowFPS = ShowFps->Checked ? 1 : 0;
    s.SoundEffectsOn = Effects->Checked ? 1 : 0;
    s.MusicOn = Music->Checked ? 1 : 0;
    s.MusicVolume = MusicVolume->Value;
    s.EffectsVolume = EffectsVolume->Value;
    Resources()->SaveSettings(s);
    TOptionsRecord o = Resources()->Options;  // reserved bytes carried over
    o.ColourBlindPalette = ColourBlind->Checked ? 1 : 0;
    o.LargeLabels = LargeLabels->Checked ? 1 : 0;
    o.GameSpeed = Speeds[static_cast<std::size_t>(std::clamp(GameSpeed->SelectedIndex, 0, 2))];
    o.KeyRepeat = Repeats[static_cast<std::size_t>(std::clamp(KeyRepeat->SelectedIndex, 0, 2))];
    // Kept once chosen here; until then the game follows the system's language.
    const std::string& language = Languages[ChosenLanguage].Code;
    if (language != LanguageCode() || !o.Language.empty()) o.Language = language;
    if (language != LanguageCode()) {
      UseLanguage(Interface->DataFolder, language);
      Resources()->UsePictureLanguage(Interface->DataFolder, LanguageCode());
    }
    if (!(o == Resources()->Options)) Resources()->SaveOptions(o);
    PostEvent(pmImmediate, ekSound, 14, 0, 0);
    PostEvent(pmImmediate, ekSystem, 16, 0, 0);
    Exit->Click();
  } else if (event->Code == 17 && !Languages.empty()) {
    ChosenLanguage = (ChosenLanguage + 1) % Languages.size();
    Language->Caption->SetText(Languages[ChosenLanguage].Name, 10, true, true, false, true, true);
  } else if (event->Code == 15) {
    PostEvent(pmImmediate, ekSound, 14, 0, 0);
    Exit->Click();
  }
}
