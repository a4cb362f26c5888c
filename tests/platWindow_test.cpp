// Helpers of the SDL window layer that need no window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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
    // The letter outside the set arrives as the code page's substitute, to be refused with a word.
    EXPECT_EQ(keys.Typed, (std::vector<int>{'Z', 'o', 0xEB, ' ', 0xDC, 0x80, UnwritableCharacter, 'a'}));
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

// The keys the window hands on, with the shift state each came with.
struct TKeyLog : TsysInputSink {
  struct TKey {
    bool Down;
    int Key;
    int Shift;
  };
  void KeyDown(int key, int shift) override { Keys.push_back({true, key, shift}); }
  void KeyPress(int) override {}
  void KeyUp(int key, int shift) override { Keys.push_back({false, key, shift}); }
  void ButtonDown(int, int, int, int) override {}
  void ButtonUp(int, int, int, int) override {}
  void PointerMove(int, int, int) override {}
  void WheelDown(int, int) override {}
  void WheelUp(int, int) override {}
  std::vector<TKey> Keys;
};

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, Uint16 mod, SDL_Window* window) {
  SDL_Event e{};
  e.type = type;
  e.key.windowID = SDL_GetWindowID(window);
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
  e.key.keysym.mod = mod;
  return e;
}

TEST(WindowKeys, EachKeyCarriesTheModifiersOfItsOwnMomentNotTheKeyboardsStateWhenHandled) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    TplatWindow window;
    ASSERT_TRUE(window.Create(false));
    TKeyLog log;
    window.SetInputSink(&log);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    // A quick Shift+Tab: by the time its Tab is handled, Shift is up again.
    SDL_SetModState(KMOD_NONE);
    SDL_Event down = KeyEvent(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT, window.Handle());
    SDL_Event up = KeyEvent(SDL_KEYUP, SDLK_TAB, KMOD_LSHIFT, window.Handle());
    ASSERT_EQ(SDL_PushEvent(&down), 1);
    ASSERT_EQ(SDL_PushEvent(&up), 1);
    // And the other way: Shift held now, a plain Tab from before it.
    SDL_Event plain = KeyEvent(SDL_KEYDOWN, SDLK_TAB, KMOD_NONE, window.Handle());
    window.PumpOnce();
    SDL_SetModState(KMOD_LSHIFT);
    ASSERT_EQ(SDL_PushEvent(&plain), 1);
    window.PumpOnce();
    SDL_SetModState(KMOD_NONE);
    ASSERT_EQ(log.Keys.size(), 3u);
    EXPECT_TRUE(log.Keys[0].Down);
    EXPECT_EQ(log.Keys[0].Key, 0x09);
    EXPECT_EQ(log.Keys[0].Shift & 1, 1) << "the Tab went down with Shift";
    EXPECT_EQ(log.Keys[1].Shift & 1, 1) << "and came up with it";
    EXPECT_EQ(log.Keys[2].Shift & 1, 0) << "a Tab without Shift stays without it";
    window.SetInputSink(nullptr);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
