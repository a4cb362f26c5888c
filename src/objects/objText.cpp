#include "objects/objText.h"

#include <algorithm>

#include "core/sysMainWindow.h"
#include "core/sysRound.h"
#include "core/sysSceneSchedule.h"
#include "objects/objSheet.h"

namespace {

constexpr std::int32_t CharPitch = 8;  // size-8 text

enum : std::intptr_t {
  vkBackspace = 8,
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkRight = 39,
  vkDelete = 46,
};

}  // namespace

TobjText::TobjText(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                   double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekKeys | ekMouse;
  const std::int32_t w = Width;
  const std::int32_t h = Height;
  PlaceSheetPicture(MainItem, Sheet::TextFill, 10, 6, w - 20, h - 12);
  MainItem->SetColorAlpha(0xFFFFFF, 255);
  Frame[0] = AddSheetPicture(this, Sheet::TextTopLeft, 0, 0, 10, 15);
  Frame[1] = AddSheetPicture(this, Sheet::TextTop, 10, 0, w - 20, 6);
  Frame[2] = AddSheetPicture(this, Sheet::TextTopRight, w - 10, 0, 10, 15);
  Frame[3] = AddSheetPicture(this, Sheet::TextLeft, 0, 15, 10, h - 30);
  Frame[4] = AddSheetPicture(this, Sheet::TextRight, w - 10, 15, 10, h - 30);
  Frame[5] = AddSheetPicture(this, Sheet::TextBottomLeft, 0, h - 15, 10, 15);
  Frame[6] = AddSheetPicture(this, Sheet::TextBottom, 10, h - 6, w - 20, 6);
  Frame[7] = AddSheetPicture(this, Sheet::TextBottomRight, w - 10, h - 15, 10, 15);
  Caret = AddSheetPicture(this, Sheet::TextCaret, 8, 8, 2, 12);
  Caret->SetAlpha(200);
  Caret->Visible = false;
  EditText = AddText();
  EditText->RelX = 9;
  EditText->RelY = 9;
  EditText->Width = w - 18;
  EditText->Height = h - 18;
  EditText->SetMarkUp("", 8, false, true, false, false, false);
  VisibleChars = (w - 20) / CharPitch;
  SetColor(WidgetTint);
}

TobjText::~TobjText() {
  // Text entry must not stay on for a box that no longer exists.
  if (Focused) PostEvent(pmImmediate, ekKeys, 4, reinterpret_cast<std::intptr_t>(this), 0);
}

bool TobjText::IsAllowedCharacter(std::intptr_t c) {
  // The letters of Western European names in the code page the font draws:
  // Š Œ Ž š œ ž Ÿ and À..ÿ, but for × and ÷.
  const bool accented = c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F ||
                        (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
  return (c >= 32 && c <= 33) || (c >= 35 && c <= 41) || (c >= 43 && c <= 46) || (c >= 48 && c <= 57) ||
         c == 59 || c == 61 || (c >= 64 && c <= 91) || (c >= 93 && c <= 95) || (c >= 97 && c <= 123) || c == 125 ||
         accented;
}

void TobjText::Focus() {
  Focused = true;
  Caret->Visible = true;
  BlinkCounter = BlinkPeriod;
  PostEvent(pmImmediate, ekKeys, 3, reinterpret_cast<std::intptr_t>(this), 0);
}

void TobjText::Unfocus(bool postTextModeOff) {
  Focused = false;
  Caret->Visible = false;
  if (postTextModeOff) PostEvent(pmImmediate, ekKeys, 4, reinterpret_cast<std::intptr_t>(this), 0);
}

void TobjText::UpdateCaret() {
  const auto length = static_cast<std::int32_t>(GetText().size());
  if (CursorPos < 0) CursorPos = 0;
  if (CursorPos > length) CursorPos = length;
  if (CursorPos > VisibleChars) {
    EditText->SetGlyphShift(TPointD{static_cast<double>((VisibleChars - CursorPos) * CharPitch), 0});
    Caret->RelX = VisibleChars * CharPitch + 8;
  } else {
    if (EditText->GlyphShiftX != 0 || EditText->GlyphShiftY != 0) EditText->SetGlyphShift(TPointD{0, 0});
    Caret->RelX = CursorPos * CharPitch + 8;
  }
  Caret->RelY = 8;
}

void TobjText::SetEditText(const std::string& text) { EditText->SetPlainText(text); }

void TobjText::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (!Visible) return;
  if (event->Kind == ekMouse)
    HandleMouse(event);
  else if (event->Kind == ekKeys)
    HandleKeys(event);
}

void TobjText::HandleMouse(TsysEvent* event) {
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1:
      MouseOver = Contains(x, y);
      break;
    case 2:
      if (MouseOver && !Focused)
        Focus();
      else if (!MouseOver && Focused)
        Unfocus(true);
      break;
    case 3: {
      if (!MouseOver || !Focused) break;
      const std::int64_t cx = Round(x - X) - 9;
      const std::int64_t cy = Round(y - Y) - 8;
      if (!(cx > 0 && cx < Width - 18 && cy > 0 && cy < Height - 18)) break;
      const auto column = static_cast<std::int32_t>(cx / CharPitch);
      if (CursorPos > VisibleChars)
        CursorPos = CursorPos - VisibleChars + column;
      else
        CursorPos = column;
      UpdateCaret();
      break;
    }
    default:
      break;
  }
}

void TobjText::HandleKeys(TsysEvent* event) {
  // Another box took the text entry: this one lets go without switching it off.
  if (event->Code == 3) {
    if (Focused && event->Param != reinterpret_cast<std::intptr_t>(this)) Unfocus(false);
    return;
  }
  // Keys belong to the focused box only; two boxes must not both take them.
  if (!Focused) return;
  std::string text = GetText();
  const auto length = static_cast<std::int32_t>(text.size());
  if (event->Code == 5) {
    switch (event->Param) {
      case vkBackspace:
        --CursorPos;
        if (CursorPos >= 0 && CursorPos < length) {
          text.erase(static_cast<std::size_t>(CursorPos), 1);
          SetEditText(text);
        }
        UpdateCaret();
        break;
      case vkDelete:
        if (CursorPos >= 0 && CursorPos < length) {
          text.erase(static_cast<std::size_t>(CursorPos), 1);
          SetEditText(text);
        }
        break;
      case vkEnd:
        CursorPos = length;
        UpdateCaret();
        break;
      case vkHome:
        CursorPos = 0;
        UpdateCaret();
        break;
      case vkLeft:
        --CursorPos;
        UpdateCaret();
        break;
      case vkRight:
        ++CursorPos;
        UpdateCaret();
        break;
      default:
        break;
    }
  } else if (event->Code == 6) {
    const std::intptr_t c = event->Param;
    if (length < MaxLength && IsAllowedCharacter(c)) {
      const auto at = static_cast<std::size_t>(std::clamp(CursorPos, 0, length));
      text.insert(at, 1, static_cast<char>(c));
      SetEditText(text);
      CursorPos = static_cast<std::int32_t>(at) + 1;
      UpdateCaret();
    } else if (c == UnwritableCharacter || (c >= 32 && c != 127 && !IsAllowedCharacter(c))) {
      // The screen says why nothing appeared.
      PostEvent(pmQueued, ekGame, RefusedCode, c, 0);
    }
    if (c == 13) PostEvent(pmQueued, ekGame, 43, 0, 0);
  }
}

void TobjText::ProcessEvents() {
  TobjBase::ProcessEvents();
  if (!Focused) return;
  if (--BlinkCounter < 0) {
    BlinkCounter = BlinkPeriod;
    Caret->Visible = !Caret->Visible;
  }
  // The caret's next blink wakes a resting screen.
  SceneSchedule.ChangeIn(BlinkCounter + 1);
}
