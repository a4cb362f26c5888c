// One look on every screen: walked through the real screens as a child goes
// (the menus, each set-up screen, a game with its HUD, its menu and its end
// card), every widget piece wears a colour no quadrant has, and the panels
// and buttons are navy under their neon rims (no olive metal beside navy
// neon). Skipped while the widget art is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "contrastSupport.h"
#include "drawnScreenSupport.h"
#include "game/frmGame.h"
#include "objects/objBase.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objSheet.h"
#include "objects/sysObjects.h"
#include "tables/defColours.h"
#include "tables/defSprites.h"

namespace {

// Hue in degrees of a saturated colour; negative for one too grey to have one.
double HueOf(std::uint32_t c) {
  const double r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  if (d < 64) return -1;
  double h = mx == r ? std::fmod((g - b) / d, 6.0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
  h *= 60;
  return h < 0 ? h + 360 : h;
}

// The quadrant a colour's hue lies within 25 degrees of, or 0.
int QuadrantLike(std::uint32_t colour) {
  const double h = HueOf(colour);
  if (h < 0) return 0;
  for (int q = 1; q <= 4; ++q) {
    const double d = std::abs(h - HueOf(QuadrantColour(q)));
    if (std::min(d, 360 - d) < 25) return q;
  }
  return 0;
}

class OneLook : public DrawnScreenTest {
 protected:
  void SetUp() override {
    DrawnScreenTest::SetUp();
    if (HasFatalFailure()) return;
    StartAsNewPlayer();
  }
  bool HaveArt() { return HaveImage(3, 0) && HaveImage(Sprite::Set, Sprite::HudPanel); }
  void Open(int x, int y) { Click(x, y, 40); }
  // Every widget piece on the screen now: cut from the widget sheet and
  // tinted by the screen. None wears a quadrant's hue.
  void ExpectNoQuadrantColours(const std::string& screen, int atLeast = 10) {
    TsysObjects* objects = Director->Interface->Objects.get();
    int pieces = 0;
    for (std::int32_t type : {otLabel, otHintLabel, otButton, otListbox, otTextbox, otGroupButton, otCheckbox, otSlider,
                              otNumber, otHintLabelButton}) {
      for (std::int32_t i = 0; i < objects->TypeSize(type); ++i) {
        const TobjBase* o = objects->TypeObject(type, i);
        if (!o->Visible) continue;
        for (std::int32_t k = 0; k < o->ItemCount(); ++k) {
          const TrndGfx* item = o->Item(k);
          if (item->IsText() || !item->Visible || item->ImageSet != SheetImageSet || item->ImageIndex != SheetImageIndex)
            continue;
          ++pieces;
          const int q = QuadrantLike(item->Color);
          EXPECT_EQ(q, 0) << screen << ": a " << ObjectTypeName(type) << " piece wears " << std::hex << item->Color
                          << ", the hue of quadrant " << std::dec << q;
        }
      }
    }
    EXPECT_GE(pieces, atLeast) << screen << ": the widgets are there";
  }
  // The body of a widget as drawn: the middle colour of a band just inside its
  // left rim (its middle may hold pictures, lists or other widgets).
  std::uint32_t BodyOf(const std::vector<std::uint32_t>& frame, const TobjBase* o) {
    std::vector<std::uint32_t> px;
    const int x0 = static_cast<int>(o->X) + 5, y0 = static_cast<int>(o->Y) + 10;
    for (int y = y0; y < static_cast<int>(o->Y) + o->Height - 10; ++y)
      for (int x = x0; x < x0 + 4; ++x)
        if (x >= 0 && x < 1024 && y >= 0 && y < 768) px.push_back(frame[static_cast<std::size_t>(y) * 1024 + x] & 0xFFFFFF);
    return contrast::MedianColour(px);
  }
  // Navy: dark, and blue well above red and green.
  static bool Navy(std::uint32_t c) {
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return b > 40 && b < 190 && r * 10 < b * 7 && g * 10 < b * 9;
  }
  void ExpectNavy(const std::vector<std::uint32_t>& frame, const TobjBase* o, const std::string& what) {
    ASSERT_NE(o, nullptr) << what;
    const std::uint32_t body = BodyOf(frame, o);
    std::printf("  %-28s body %06X\n", what.c_str(), body);
    EXPECT_TRUE(Navy(body)) << what << " is " << std::hex << body << ", not navy";
  }
  // Clicks the visible button of that caption; false when there is none.
  bool ClickButton(const std::string& caption) {
    TsysObjects* objects = Director->Interface->Objects.get();
    for (std::int32_t i = 0; i < objects->TypeSize(otButton); ++i) {
      const auto* b = static_cast<const TobjButton*>(objects->TypeObject(otButton, i));
      if (!b->Visible || b->Caption->Text != caption) continue;
      Click(static_cast<int>(b->X) + b->Width / 2, static_cast<int>(b->Y) + b->Height / 2, 2);
      return true;
    }
    return false;
  }
  // Every framed panel and every button of the screen in the controls'
  // colour: navy under its rim.
  void ExpectNavyBodies(const std::string& screen) {
    const std::vector<std::uint32_t> frame = Capture();
    TsysObjects* objects = Director->Interface->Objects.get();
    int checked = 0;
    for (std::int32_t type : {otButton, otLabel}) {
      for (std::int32_t i = 0; i < objects->TypeSize(type); ++i) {
        const TobjBase* o = objects->TypeObject(type, i);
        if (!o->Visible || o->Width < 60 || o->Height < 40 || o->MainItem->ImageSet != SheetImageSet) continue;
        if (type == otLabel && !static_cast<const TobjLabel*>(o)->Framed) continue;
        if (o->MainItem->Color != WidgetTint) continue;
        ExpectNavy(frame, o, screen + " " + ObjectTypeName(type));
        ++checked;
      }
    }
    EXPECT_GT(checked, 0) << screen;
  }
};

TEST_F(OneLook, EveryMenuScreensWidgetsAreNavyAndWearNoQuadrantColour) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  Move(900, 740);
  Tick(20);
  ExpectNoQuadrantColours("main menu");
  ExpectNavyBodies("main menu");

  const struct {
    const char* Name;
    const char* Button;  // on the main menu
    TScreenSlot Slot;
  } screens[] = {{"arcade", "ARCADE", ssArcade},         {"tutorial", "TUTORIAL", ssMissions},
                 {"challenges", "CHALLENGES", ssChallenge}, {"high scores", "HIGH SCORES", ssScores},
                 {"progress", "PROGRESS", ssProgress},    {"options", "OPTIONS", ssOptions},
                 {"credits", "CREDITS", ssCredits},       {"profiles", "CHANGE PROFILE", ssProfile}};
  for (const auto& s : screens) {
    ASSERT_TRUE(ClickButton(s.Button)) << "no " << s.Button << " on the main menu";
    Tick(40);
    ASSERT_NE(Director->Screen(s.Slot), nullptr) << s.Name << " did not open";
    Move(900, 740);
    Tick(20);
    ExpectNoQuadrantColours(s.Name);
    ExpectNavyBodies(s.Name);
    for (int i = 0; i < 3 && Director->Screen(ssMainMenu) == nullptr; ++i) {
      Press(0x1B);
      Tick(40);
    }
    ASSERT_NE(Director->Screen(ssMainMenu), nullptr) << "Esc did not lead back from " << s.Name;
  }
  // CLASS LEVELS, one screen further, from the tutorial screen.
  ASSERT_TRUE(ClickButton("TUTORIAL"));
  Tick(40);
  ASSERT_TRUE(ClickButton("CLASS LEVELS")) << "no CLASS LEVELS on the tutorial screen";
  Tick(40);
  ASSERT_NE(Director->Screen(ssClassLevels), nullptr);
  Move(900, 740);
  Tick(20);
  ExpectNoQuadrantColours("class levels");
  ExpectNavyBodies("class levels");
}

// The game's HUD strip, its MENU button and the in-game menu are navy too, and
// the board's backdrop is a navy ground (the colour cycle only tints its lines).
TEST_F(OneLook, TheHudTheGameMenuAndTheBackdropAreNavy) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  Tick(60);
  auto* game = dynamic_cast<TfrmGame*>(Director->Screen(ssGame));
  ASSERT_NE(game, nullptr);
  ExpectNoQuadrantColours("the game", 3);
  std::vector<std::uint32_t> frame = Capture();
  // The strip between the lives and the tray, where nothing is drawn on it.
  std::vector<std::uint32_t> strip;
  for (int y = 450; y < 560; ++y)
    for (int x = 20; x < 230; ++x) strip.push_back(frame[static_cast<std::size_t>(y) * 1024 + x] & 0xFFFFFF);
  const std::uint32_t hud = contrast::MedianColour(strip);
  std::printf("  the HUD strip %06X\n", hud);
  EXPECT_TRUE(Navy(hud)) << "the HUD strip is " << std::hex << hud;
  ExpectNavy(frame, game->Hud.MenuButton, "the MENU button");
  // The backdrop right of the board, between its lines.
  std::vector<std::uint32_t> side;
  for (int y = 200; y < 560; ++y)
    for (int x = 920; x < 1010; ++x) side.push_back(frame[static_cast<std::size_t>(y) * 1024 + x] & 0xFFFFFF);
  const std::uint32_t ground = contrast::MedianColour(side);
  std::printf("  the backdrop %06X\n", ground);
  EXPECT_TRUE(Navy(ground)) << "the backdrop is " << std::hex << ground;
  Press(0x1B);
  Tick(30);
  ASSERT_NE(Director->Screen(ssGameMenu), nullptr);
  ExpectNoQuadrantColours("the game menu", 3);
  frame = Capture();
  TsysObjects* objects = Director->Interface->Objects.get();
  int buttons = 0;
  for (std::int32_t i = 0; i < objects->TypeSize(otButton); ++i) {
    const TobjBase* b = objects->TypeObject(otButton, i);
    if (!b->Visible || b->Group != grGameMenu) continue;
    ExpectNavy(frame, b, "a game menu button");
    ++buttons;
  }
  EXPECT_EQ(buttons, 4) << "RETURN TO GAME, RESTART, KEYS and EXIT TO MENU";
}

}  // namespace
