// Helpers of the SDL window layer that need no window.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/platWindow.h"

#include <SDL.h>

#include <cstring>
#include <vector>

#include "core/sysMainWindow.h"

namespace {

struct TTypedKeys : TsysInputSink {
  void KeyDown(int, int) override {}
  void KeyPress(int c) override { Typed.push_back(c); }
  void KeyUp(int, int) override {}
  void ButtonDown(int, int, int, int) override {}
  void ButtonUp(int, int, int, int) override {}
  void PointerMove(int, int, int) override {}
  void WheelDown(int, int) override {}
  void WheelUp(int, int) override {}
  std::vector<int> Typed;
};

TEST(TypedText, EveryCharacterOfAnEventArrivesInTheFontsSetAndOthersAreNotTurnedIntoLetters) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    TplatWindow window;
    ASSERT_TRUE(window.Create(false));
    TTypedKeys keys;
    window.SetInputSink(&keys);
    // "Zoë Ü€", then a letter outside the set, then a broken sequence.
    for (const char* text : {"Zo\xC3\xAB \xC3\x9C\xE2\x82\xAC", "\xC4\x99", "a\xC3"}) {
      SDL_Event e{};
      e.type = SDL_TEXTINPUT;
      std::strncpy(e.text.text, text, sizeof(e.text.text) - 1);
      ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    window.PumpOnce();
    EXPECT_EQ(keys.Typed, (std::vector<int>{'Z', 'o', 0xEB, ' ', 0xDC, 0x80, 'a'}));
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(MessageText, LongLinesAreBrokenAtSpacesAndLineBreaksStay) {
  const std::string text =
      "Note: Your audio output device may have exploded, as we are having trouble making it work. Or maybe someone "
      "stole it...\nShort line\n\nabcdefghijklmnopqrstuvwxyz0123456789 end";
  const std::string wrapped = WrapMessageText(text, 30);
  std::istringstream lines(wrapped);
  std::string line;
  std::string words;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_TRUE(line.size() <= 30 || line.find(' ') == std::string::npos) << "'" << line << "'";
    EXPECT_TRUE(line.empty() || line.front() != ' ') << "'" << line << "'";
    words += line + " ";
  }
  EXPECT_GE(count, 8);
  EXPECT_NE(wrapped.find("\nShort line\n\n"), std::string::npos) << wrapped;
  EXPECT_NE(wrapped.find("\nabcdefghijklmnopqrstuvwxyz0123456789\nend"), std::string::npos) << wrapped;
  // Nothing is lost but the spaces where lines were broken.
  std::string squeezed;
  for (char c : words) squeezed += c == '\n' ? ' ' : c;
  for (const char* w : {"exploded,", "trouble", "stole", "it..."}) EXPECT_NE(squeezed.find(w), std::string::npos);
  EXPECT_EQ(WrapMessageText("short", 30), "short");
}

}  // namespace
