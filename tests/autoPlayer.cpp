#include "autoPlayer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "lineLabelText.h"
#include "game/frmGame.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/objPushButton.h"
#include "objects/sysForm.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/modInput.h"

namespace {

// The board's origin on the screen: where the axes cross.
constexpr double OriginX = 640;
constexpr double OriginY = 384;
constexpr double TileOffset = 128;  // quadrant tiles' centres from the origin

// A signed whole number at s[i]; i moves past it.
bool ReadInt(const std::string& s, std::size_t& i, std::int64_t& v) {
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  v = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) v = v * 10 + (s[i++] - '0');
  if (negative) v = -v;
  return true;
}

// "n", "n+m" or "n-m".
bool ReadSum(const std::string& s, std::size_t& i, std::int64_t& v) {
  if (!ReadInt(s, i, v)) return false;
  while (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    std::int64_t w = 0;
    if (!ReadInt(s, i, w)) return false;
    v += w;
  }
  return true;
}

// "p" or "p/q" as a fraction.
bool ReadFraction(const std::string& s, std::size_t& i, std::int64_t& num, std::int64_t& den) {
  if (!ReadInt(s, i, num)) return false;
  den = 1;
  if (i < s.size() && s[i] == '/') {
    ++i;
    if (!ReadInt(s, i, den) || den == 0) return false;
  }
  return true;
}

}  // namespace

TAutoPlayer::TAutoPlayer(TmodScripting* director, TStyle style, std::uint32_t seed)
    : Director(director), Style(style), Rng(seed) {}

TfrmGame* TAutoPlayer::Game() const { return dynamic_cast<TfrmGame*>(Director->Screen(ssGame)); }

bool TAutoPlayer::SolveQuadrant(const std::string& label, std::int32_t& quadrant) {
  if (label.size() < 5 || label.front() != '(' || label.back() != ')') return false;
  const std::size_t comma = label.find(',');
  if (comma == std::string::npos) return false;
  const std::string a = label.substr(1, comma - 1);
  const std::string b = label.substr(comma + 1, label.size() - comma - 2);
  if ((a != "X" && a != "-X") || (b != "Y" && b != "-Y")) return false;
  const bool right = a == "X";
  const bool up = b == "Y";
  quadrant = up ? (right ? 1 : 2) : (right ? 4 : 3);
  return true;
}

bool TAutoPlayer::SolvePoint(const std::string& label, TIntPoint& point) {
  if (label.empty() || label.front() != '(') return false;
  std::size_t i = 1;
  std::int64_t x = 0;
  std::int64_t y = 0;
  if (!ReadSum(label, i, x) || i >= label.size() || label[i++] != ',') return false;
  if (!ReadSum(label, i, y) || i >= label.size() || label[i++] != ')' || i != label.size()) return false;
  point = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
  return true;
}

bool TAutoPlayer::SolveLine(const std::string& printed, std::int32_t range, TIntPoint& a, TIntPoint& b) {
  const std::string label = PlainLineLabel(printed);
  if (label.size() < 3 || label[1] != '=') return false;
  std::size_t i = 2;
  if (label[0] == 'x') {
    std::int64_t x = 0;
    if (!ReadInt(label, i, x) || i != label.size()) return false;
    a = {static_cast<std::int32_t>(x), 0};
    b = {static_cast<std::int32_t>(x), 1};
    return true;
  }
  if (label[0] != 'y') return false;
  // y = (p/q) x + (r/s)
  std::int64_t p = 0, q = 1, r = 0, s = 1;
  std::size_t j = i;
  std::int64_t first = 0, firstDen = 1;
  if (!ReadFraction(label, j, first, firstDen)) return false;
  if (j == label.size()) {  // y=c: a horizontal line
    if (firstDen != 1) return false;
    a = {0, static_cast<std::int32_t>(first)};
    b = {1, static_cast<std::int32_t>(first)};
    return true;
  }
  if (label[j] != 'x') return false;
  p = first;
  q = firstDen;
  ++j;
  if (j < label.size()) {
    if (!ReadFraction(label, j, r, s) || j != label.size()) return false;
  }
  // Every x of the grid whose y is whole and on the grid.
  std::vector<TIntPoint> found;
  for (std::int64_t x = -range; x <= range && found.size() < 2; ++x) {
    // y = p*x/q + r/s = (p*x*s + r*q) / (q*s)
    const std::int64_t top = p * x * s + r * q;
    const std::int64_t bottom = q * s;
    if (top % bottom != 0) continue;
    const std::int64_t y = top / bottom;
    if (y < -range || y > range) continue;
    found.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
  }
  if (found.size() < 2) return false;
  a = found[0];
  b = found[1];
  return true;
}

bool TAutoPlayer::PlanePixel(TfrmGame* game, TIntPoint p, double& x, double& y) const {
  const TobjMap* map = game->Map;
  if (map == nullptr || map->CellWidth <= 0) return false;
  if (std::abs(p.X) > map->RangeX || std::abs(p.Y) > map->RangeY) return false;
  x = OriginX + p.X * map->CellWidth;
  y = OriginY - p.Y * map->CellHeight;
  return true;
}

void TAutoPlayer::PlanClick(double x, double y) {
  const std::int32_t px = static_cast<std::int32_t>(std::lround(x));
  const std::int32_t py = static_cast<std::int32_t>(std::lround(y));
  Queue.push_back({TAction::Move, px, py});
  Queue.push_back({TAction::Down, px, py});
  Queue.push_back({TAction::Up, px, py});
}

void TAutoPlayer::PlanKey(std::int32_t key) { Queue.push_back({TAction::Key, key, 0}); }

bool TAutoPlayer::PlanAnswer(TfrmGame* game, const TobjMonster* monster) {
  const std::string& label = monster->Label->Text;
  const TsysResources* res = Director->Interface->Resources.get();
  const std::int32_t type = res->Level.GameType;
  double x = 0, y = 0;
  if (type == GameType::QuickQuadrants) {
    std::int32_t q = 0;
    if (!SolveQuadrant(label, q)) return false;
    const bool right = q == 1 || q == 4;
    const bool up = q == 1 || q == 2;
    PlanClick(OriginX + (right ? TileOffset : -TileOffset), OriginY + (up ? -TileOffset : TileOffset));
    return true;
  }
  if (type == GameType::WhatsThePoint) {
    TIntPoint p;
    if (!SolvePoint(label, p) || !PlanePixel(game, p, x, y)) return false;
    PlanClick(x, y);
    return true;
  }
  TIntPoint a, b;
  if (game->Map == nullptr || !SolveLine(label, game->Map->RangeX, a, b)) return false;
  double x2 = 0, y2 = 0;
  if (!PlanePixel(game, a, x, y) || !PlanePixel(game, b, x2, y2)) return false;
  // A point left lit from before would pair with the first click: let it go.
  const TsysObjects* objects = Director->Interface->Objects.get();
  for (std::int32_t i = 0; i < objects->TypeSize(otGridPoint); ++i) {
    const auto* point = dynamic_cast<const TobjGridPoint*>(objects->TypeObject(otGridPoint, i));
    if (point != nullptr && point->Selected) {
      Queue.push_back({TAction::RightClick, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
      break;
    }
  }
  PlanClick(x, y);
  PlanClick(x2, y2);
  return true;
}

void TAutoPlayer::Plan() {
  TfrmGame* game = Game();
  const TsysResources* res = Director->Interface->Resources.get();
  if (const TsysForm* help = Director->Screen(ssTutorial)) {
    if (!help->FadingIn && !help->Closing) PlanClick(640, 638);  // OK under the help page
    Wait = 10;
    return;
  }
  if (game == nullptr || game->FadingIn || res->Paused || res->GameOver) return;
  const TsysObjects* objects = Director->Interface->Objects.get();

  std::vector<const TobjMonster*> seen;
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
    const auto* m = dynamic_cast<const TobjMonster*>(objects->TypeObject(otMonster, i));
    if (m != nullptr && m->Visible && m->DrawnPixels > 8) seen.push_back(m);
  }
  if (Style == TStyle::Random) {
    if (seen.empty()) return;
    if (res->Level.GameType == GameType::QuickQuadrants) {
      const std::int32_t q = static_cast<std::int32_t>(Rng() % 4);
      PlanClick(OriginX + (q % 2 == 0 ? TileOffset : -TileOffset), OriginY + (q < 2 ? -TileOffset : TileOffset));
    } else if (game->Map != nullptr) {
      const std::int32_t r = game->Map->RangeX;
      double x = 0, y = 0;
      const TIntPoint p{static_cast<std::int32_t>(Rng() % (2 * r + 1)) - r,
                        static_cast<std::int32_t>(Rng() % (2 * r + 1)) - r};
      if (PlanePixel(game, p, x, y)) PlanClick(x, y);
    }
    Wait = ThinkSteps;
    return;
  }

  auto distance = [](const TobjMonster* m) { return std::hypot(m->X - 128, m->Y); };
  std::sort(seen.begin(), seen.end(), [&](auto* a, auto* b) { return distance(a) < distance(b); });

  if (UsePowerUps) {
    const bool danger = !seen.empty() && distance(seen.front()) < 140;
    // The Doom Device when its bar is full and the board is crowded.
    const TobjPushButton* doom = game->Hud.DoomButton;
    const bool doomLit = doom != nullptr && doom->Visible && doom->MainItem->GetPattern() == 1;
    if (doomLit && !seen.empty() && (seen.size() >= 2 || danger || Rng() % 200 == 0)) {
      PlanKey('D');
      ++DoomsFired;
      Wait = ThinkSteps;
      return;
    }
    // The rightmost power-up (key 5) when a monster is close to the origin, or
    // when the tray fills up.
    if ((danger || game->PowerUpButtons.size() >= 3) && !game->PowerUpButtons.empty() &&
        game->PowerUpButtons.front()->Enabled &&
        !game->PowerUpButtons.front()->Shrinking) {
      PlanKey('5');
      ++PowerUpsUsed;
      Wait = ThinkSteps;
      return;
    }
  }

  for (const TobjMonster* m : seen) {
    auto done = Answered.find(m);
    if (done != Answered.end() && done->second == m->Label->Text) continue;
    if (!PlanAnswer(game, m)) continue;
    Answered[m] = m->Label->Text;
    ++Answers;
    Wait = ThinkSteps;
    return;
  }
}

void TAutoPlayer::Do(const TAction& action) {
  TmodInput* input = Director->Input.get();
  switch (action.Kind) {
    case TAction::Move: input->PointerMove(action.X, action.Y, 0); break;
    case TAction::Down: input->ButtonDown(0, action.X, action.Y, 0); break;
    case TAction::Up: input->ButtonUp(0, action.X, action.Y, 0); break;
    case TAction::RightClick:
      input->ButtonDown(1, action.X, action.Y, 0);
      input->ButtonUp(1, action.X, action.Y, 0);
      break;
    case TAction::Key:
      input->KeyDown(action.X, 0);
      input->KeyUp(action.X, 0);
      break;
  }
}

void TAutoPlayer::Step() {
  // Forget a monster as soon as it is gone, before the object manager frees it
  // and a new monster can take its address: what the player remembers must not
  // depend on where memory lands.
  const TsysObjects* objects = Director->Interface->Objects.get();
  for (auto it = Answered.begin(); it != Answered.end();)
    it = objects->IsAlive(it->first) ? std::next(it) : Answered.erase(it);
  if (Queue.empty()) {
    if (Wait > 0)
      --Wait;
    else
      Plan();
  }
  if (!Queue.empty()) {
    Do(Queue.front());
    Queue.pop_front();
  }
  Director->Events->Tick();
  ++Steps;
}
