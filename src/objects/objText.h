#pragma once
// A one-line text entry field. While focused it owns the input module's text
// mode and takes typed characters and editing keys.
#include <array>
#include <string>

#include "objects/objBase.h"

class TobjText : public TobjBase {
 public:
  TobjText(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
           std::int32_t width, std::int32_t height);
  ~TobjText() override;

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  void Focus();
  // Gives the keys back, as a click outside the box does.
  void Leave() { Unfocus(true); }
  // Clamps the cursor and scrolls the text so that the caret stays inside the box.
  void UpdateCaret();
  const std::string& GetText() const { return EditText->Text; }
  // A name's characters: letters (accented ones too), digits, a space and some signs.
  static bool IsAllowedCharacter(std::intptr_t code);
  // Posted (with the character, or UnwritableCharacter) when a typed character is refused.
  static constexpr std::uint16_t RefusedCode = 81;

  std::array<TrndGfx*, 8> Frame{};
  TrndGfx* Caret = nullptr;
  TrndText* EditText = nullptr;
  bool Focused = false;
  bool MouseOver = false;
  std::int32_t BlinkCounter = 25;
  std::int32_t BlinkPeriod = 25;
  std::int32_t CursorPos = 0;
  std::int32_t VisibleChars = 0;
  std::int32_t MaxLength = 255;

 private:
  void Unfocus(bool postTextModeOff);
  void SetEditText(const std::string& text);
  void HandleMouse(TsysEvent* event);
  void HandleKeys(TsysEvent* event);
};
