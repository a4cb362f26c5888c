#include "game/objMonster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysLevelSet.h"
#include "data/sysResources.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "render/rndItems.h"

namespace {

// The question in light yellow on a navy plate, as the help pages write it:
// it reads at far more than 4.5:1 in every kind of colour vision.
constexpr std::uint32_t LabelColour = 0xFFF27A;
constexpr std::int32_t LargeLabelFontSize = 14;
constexpr std::uint32_t PlateColour = 0x0A1230;
constexpr std::int32_t PlateAlpha = 232;
constexpr std::int32_t PlatePadding = 3;
constexpr const char* EscapeCries[5] = {TrMark("WOOHOO!"), TrMark("YAAAY!"), TrMark("WIENER!"),
                                         TrMark("JAVOL!"), TrMark("NI!")};
constexpr const char* DeathCries[5] = {TrMark("AAARGH!"), TrMark("CURSES!"), TrMark("NOOOOO!"),
                                        TrMark("OW."), TrMark("BAH!")};
constexpr double FractionTolerance = 0.005;
// Enough tries to find any valid question many times over; only a broken level
// (no allowed quadrant, a grid without points) runs out of them.
constexpr int MaxQuestionTries = 100000;

std::int32_t PixelSizeOf(std::int32_t size) {
  switch (size) {
    case 1: return 48;
    case 2: return 64;
    case 3: return 96;
    default: return 0;
  }
}

std::int32_t GridValue(std::int32_t range) { return -range + Random(2 * range + 1); }

std::int32_t DifficultyIndex(const TsysResources* res) { return std::clamp(res->Difficulty, 0, 3); }

// A real as a reduced fraction; the sign is on the numerator.
void Fraction(double value, std::int64_t& num, std::int64_t& den) {
  double n = 0;
  double d = 1;
  RealToFraction(value, FractionTolerance, n, d);
  num = Round(n);
  den = Round(d);
}

// An intercept already known to be a fraction num/den: 3, -2, 1/2.
std::string FractionText(std::int64_t num, std::int64_t den) {
  const std::int64_t an = std::llabs(num);
  const std::int64_t ad = std::llabs(den);
  if (an == ad) return std::to_string(num);
  if (ad != 0 && an % ad == 0) return std::to_string(num / ad);
  return std::to_string(num) + "/" + std::to_string(den);
}

// The slope and its x as a textbook prints them: x, -x, 2x, (1/2)x, -(1/3)x.
// Brackets keep a fraction from reading as 1 over 2x.
std::string SlopeTerm(std::int64_t num, std::int64_t den) {
  const std::string sign = (num < 0) != (den < 0) ? "-" : "";
  const std::int64_t an = std::llabs(num);
  const std::int64_t ad = std::llabs(den);
  if (ad == 0 || an % ad == 0) {
    const std::int64_t whole = ad == 0 ? an : an / ad;
    return sign + (whole == 1 ? "" : std::to_string(whole)) + "x";
  }
  return sign + "(" + std::to_string(an) + "/" + std::to_string(ad) + ")x";
}

// The rejection rules shared by lines through the origin (throughOrigin) and
// lines off it: no vertical or horizontal line, few slopes of one, slopes of
// whole numbers or unit fractions within the range, and for lines off the
// origin a whole, non-zero intercept within the range.
bool AcceptLine(TIntPoint p, TIntPoint s, std::int32_t range, bool throughOrigin) {
  if (s.X == p.X || s.Y == p.Y) return false;
  const double slope = LineSlope(p, s);
  const std::int64_t roundedSlope = Round(slope);
  if ((roundedSlope == 1 || roundedSlope == -1) && Random(2) == 0) return false;
  const double intercept = LineIntercept(p, s);
  if ((Round(intercept) == 0) != throughOrigin) return false;
  std::int64_t num = 0;
  std::int64_t den = 1;
  Fraction(slope, num, den);
  if (std::llabs(den) > 1 && std::llabs(num) != 1) return false;
  if (std::llabs(den) > range) return false;
  if (std::llabs(den) == 1 && std::llabs(num) > range) return false;
  if (!throughOrigin) {
    Fraction(intercept, num, den);
    if (std::llabs(den) != 1) return false;
    if (std::llabs(num) > range) return false;
  }
  return true;
}

}  // namespace

std::string PointExpression(std::int32_t value, std::int32_t range) {
  std::int32_t n = Random(2 * range) - 2 * range;
  std::int32_t m = value - n;
  // Adding 0 is right but teaches nothing: move one from the first number.
  if (m == 0) {
    --n;
    m = 1;
  }
  if (m < 0) return std::to_string(n) + std::to_string(m);
  return std::to_string(n) + "+" + std::to_string(m);
}

std::string LineLabel(TIntPoint p, TIntPoint q) {
  const double slope = LineSlope(p, q);
  if (!std::isfinite(slope)) return "x=" + std::to_string(p.X);
  if (slope == 0) return "y=" + std::to_string(p.Y);
  std::int64_t num = 0;
  std::int64_t den = 1;
  Fraction(slope, num, den);
  std::string label = "y=" + SlopeTerm(num, den);
  const double intercept = LineIntercept(p, q);
  if (intercept != 0) {
    Fraction(intercept, num, den);
    label += intercept < 0 ? "-" : "+";
    label += FractionText(std::llabs(num), den);
  }
  return label;
}

TobjMonster::TobjMonster(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                         double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  MainItem->SetImage(Sprite::Set, Sprite::Monsters, 0);
  StatusPicture = AddItem(0, 0);
  StatusPicture->SetImage(Sprite::Set, Sprite::Status, Sprite::StatusStopped);
  StatusPicture->Visible = false;
  if (resources != nullptr && resources->Options.LargeLabels != 0) {
    LabelFont = LargeLabelFontSize;
    LabelW = LargeLabelWidth;
    LabelH = LargeLabelHeight;
  }
  LabelPlate = AddItem(0, 0);
  LabelPlate->SetImage(CoreSprite::Set, CoreSprite::White, 0);
  LabelPlate->SetColorAlpha(PlateColour, PlateAlpha);
  LabelPlate->Height = LabelH;
  Label = AddText();
  Label->Width = LabelW;
  Label->Height = LabelH;
  Label->SetColor(LabelColour);
  // Left-aligned and placed by hand: the text engine's centring does not match
  // the glyphs' width, and the question must sit exactly on its plate.
  Label->SetText("", LabelFont, true, false, false, false, true);
  // Over every monster, not only its own: in a crowd a neighbour would hide it.
  LabelPlate->AboveLayer = Label->AboveLayer = true;
  PlaceItems();
}

void TobjMonster::Setup() {
  const TLevel& level = Resources->Level;
  const std::int32_t d = DifficultyIndex(Resources);
  const std::int32_t w1 = std::max(level.SizeWeights[d][0], 0);
  const std::int32_t w2 = std::max(level.SizeWeights[d][1], 0);
  const std::int32_t w3 = std::max(level.SizeWeights[d][2], 0);
  const std::int32_t total = w1 + w2 + w3;
  if (total <= 0) {
    Size = 0;
    ShowMessage("", "Invalid Monster Size: " + std::to_string(Size));
  } else {
    const std::int32_t r = Random(total);
    Size = r < w1 ? 1 : (r < w1 + w2 ? 2 : 3);
  }
  PixelSize = PixelSizeOf(Size);
  std::int32_t pattern = 0;
  if (Size == 1)
    pattern = Random(20);
  else if (Size == 2)
    pattern = 20 + Random(14);
  else if (Size == 3)
    pattern = 34 + Random(10);
  MainItem->SetPattern(pattern);
  Width = PixelSize;
  Height = PixelSize;
  DrawnPixels = 1;
  TargetPixels = PixelSize;

  GenerateQuestion();

  TopSpeed = level.BaseSpeed[d] + Random(Round32(level.SpeedSpread[d] * 1000)) / 1000.0;

  // A point monster wears its answer's quadrant colour; the others wear a
  // colour no quadrant has, which neither gives an answer away nor names a
  // wrong quadrant.
  std::uint32_t colour;
  if (level.GameType == GameType::WhatsThePoint) {
    const std::int32_t row = std::clamp(level.QuadrantColour[QuadrantOf(AnswerPoint.X, AnswerPoint.Y)], 0, ColourCount - 1);
    colour = ColourTable[static_cast<std::size_t>(row)];
  } else {
    colour = NeutralMonsterColours[static_cast<std::size_t>(Random(NeutralMonsterColourCount))];
  }
  MainItem->SetColor(LightenColour(64, colour));
  PlaceItems();
}

void TobjMonster::GenerateQuestion() {
  const TLevel& level = Resources->Level;
  const std::int32_t range = level.GridRange[DifficultyIndex(Resources)];
  switch (level.GameType) {
    case GameType::QuickQuadrants:
      QuadrantQuestion(level);
      break;
    case GameType::WhatsThePoint:
      PointQuestion(level, range);
      break;
    case GameType::DefineTheLine:
      LineQuestion(level, range);
      break;
    default:
      LogLine("monster: no questions for game type " + std::to_string(level.GameType));
      break;
  }
}

void TobjMonster::QuadrantQuestion(const TLevel& level) {
  std::int32_t quadrant = 0;
  for (int tries = 0; tries < MaxQuestionTries && quadrant == 0; ++tries) {
    const std::int32_t i = 1 + Random(4);
    if (level.QuadrantAllowed[i]) quadrant = i;
  }
  if (quadrant == 0) {
    LogLine("monster: the level allows no quadrant; asking for the first");
    quadrant = 1;
  }
  const bool right = quadrant == 1 || quadrant == 4;
  const bool up = quadrant == 1 || quadrant == 2;
  AnswerPoint = {right ? 1 : -1, up ? 1 : -1};
  SetQuestion(std::string("(") + (right ? "X" : "-X") + "," + (up ? "Y" : "-Y") + ")",
              PointText(right ? "X" : "-X", up ? "Y" : "-Y"));
}

void TobjMonster::PointQuestion(const TLevel& level, std::int32_t range) {
  range = std::max(range, 0);
  bool found = false;
  for (int tries = 0; tries < MaxQuestionTries && !found; ++tries) {
    AnswerPoint = {GridValue(range), GridValue(range)};
    found = level.QuadrantAllowed[QuadrantOf(AnswerPoint.X, AnswerPoint.Y)];
  }
  if (!found) {
    LogLine("monster: no grid point of range " + std::to_string(range) + " lies in an allowed quadrant");
    AnswerPoint = {0, 0};
  }
  const std::int32_t x = AnswerPoint.X;
  const std::int32_t y = AnswerPoint.Y;
  std::string a = std::to_string(x);
  std::string b = std::to_string(y);
  if (Size >= 2) a = PointExpression(x, range);
  if (Size >= 3) b = PointExpression(y, range);
  SetQuestion("(" + a + "," + b + ")", PointText(a, b));
}

void TobjMonster::LineQuestion(const TLevel& level, std::int32_t range) {
  TIntPoint p;
  TIntPoint s;
  bool found = false;
  const bool allOpen = std::all_of(std::begin(level.QuadrantAllowed), std::end(level.QuadrantAllowed),
                                   [](bool open) { return open; });
  if (range >= 1 && !allOpen) {
    // Part of the board is closed: only a line with two points the child can
    // click, chosen among all of them by the rule the level checker uses.
    const std::vector<TLineChoice> lines = AskableLines(std::clamp(Size, 1, 3), range, level.QuadrantAllowed);
    if (!lines.empty()) {
      const TLineChoice& line = lines[static_cast<std::size_t>(Random(static_cast<std::int32_t>(lines.size())))];
      p = {line.X1, line.Y1};
      s = {line.X2, line.Y2};
      found = true;
    }
  } else if (range >= 1) {
    if (Size <= 1) {
      p = {GridValue(range), GridValue(range)};
      const TIntPoint step = Random(2) == 1 ? TIntPoint{1, 0} : TIntPoint{0, 1};
      s = {p.X + step.X, p.Y + step.Y};
      // A step off the edge of the grid goes the other way: the same line, and
      // both points stay clickable.
      if (s.X > range || s.Y > range) s = {p.X - step.X, p.Y - step.Y};
      found = true;
    } else {
      const bool throughOrigin = Size == 2;
      for (int tries = 0; tries < MaxQuestionTries && !found; ++tries) {
        if (throughOrigin)
          p = {0, 0};
        else
          p = {GridValue(range), GridValue(range)};
        s = {GridValue(range), GridValue(range)};
        found = AcceptLine(p, s, range, throughOrigin);
      }
    }
  }
  if (!found) {
    LogLine("monster: no line fits a grid of range " + std::to_string(range));
    p = {0, 0};
    s = {1, 0};
  }
  AnswerPoint = p;
  SecondPoint = s;
  Slope = LineSlope(p, s);
  Intercept = LineIntercept(p, s);
  SetQuestion(LineLabel(p, s));
}

void TobjMonster::SetQuestion(const std::string& text, const std::string& shown) {
  Question = text;
  ReadableSteps = -1;
  const std::string& read = shown.empty() ? text : shown;
  Label->SetPlainText(read);
  const std::int32_t width = static_cast<std::int32_t>(read.size()) * FontMetrics(LabelFont).CharWidth;
  LabelPlate->Width = std::min(width + 2 * PlatePadding, LabelW);
  PlaceItems();
}

void TobjMonster::Hit(bool escaping) {
  if (GoneSent) ShowMessage("", "Dead event already sent");
  const TLevel& level = Resources->Level;
  if (escaping) {
    Dying = true;
    Escaped = true;
    TargetPixels = 0;
    SetQuestion(Tr(EscapeCries[Random(5)]));
    PostEvent(pmImmediate, ekSound, 2, 0, 0);
    return;
  }
  if (level.GameType == GameType::QuickQuadrants && Size > 1) {
    --Size;
    PixelSize = PixelSizeOf(Size);
    Width = PixelSize;
    Height = PixelSize;
    TargetPixels = PixelSize;
    if (Dying) {
      // Already on its way out: it keeps shrinking, and keeps the cry it shows,
      // since a new question could no longer be answered.
      TargetPixels = 0;
      Escaped = true;
      return;
    }
    const auto allowed = std::count(std::begin(level.QuadrantAllowed), std::end(level.QuadrantAllowed), true);
    if (allowed > 1) {
      const TIntPoint old = AnswerPoint;
      for (int i = 0; i < 50; ++i) {
        GenerateQuestion();
        if (AnswerPoint.X != old.X || AnswerPoint.Y != old.Y) break;
      }
    }
    return;
  }
  Dying = true;
  TargetPixels = 0;
  SetQuestion(Tr(DeathCries[Random(5)]));
  PostEvent(pmImmediate, ekSound, 1, 0, 0);
}

void TobjMonster::SetStatus(std::int32_t status, std::int32_t frames, double topSpeed) {
  Status = status;
  StatusTime = frames;
  TopSpeed = topSpeed;
  StatusPicture->SetPattern(status == StatusStopped ? Sprite::StatusStopped : Sprite::StatusSlowed);
  StatusPicture->SetAlpha(255);
  StatusPicture->Visible = true;
}

void TobjMonster::Halve(std::int32_t frames) {
  if (Status == 0) SavedTopSpeed = TopSpeed;
  SetStatus(StatusHalved, frames, SavedTopSpeed / 2);
}

void TobjMonster::Stop(std::int32_t frames) {
  if (Status == 0) SavedTopSpeed = TopSpeed;
  SetStatus(StatusStopped, frames, 0);
}

void TobjMonster::PlaceItems() {
  const double p = DrawnPixels;
  MainItem->Width = DrawnPixels;
  MainItem->Height = DrawnPixels;
  MainItem->RelX = -p / 2;
  MainItem->RelY = -p / 2;
  StatusPicture->Width = DrawnPixels;
  StatusPicture->Height = DrawnPixels;
  StatusPicture->RelX = -p / 2;
  StatusPicture->RelY = -p / 2 + p / 10;
  PlaceLabel();
}

void TobjMonster::PlaceLabel() {
  const std::int32_t p = LabelPlacedOutside ? LabelPixels : DrawnPixels;
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;
  LabelBoxAt(p, x, y, w, h);
  Label->Scale = 1;
  Label->RelX = x + PlatePadding + LabelShiftX;
  Label->RelY = y + LabelShiftY;
  Label->Visible = !LabelHidden;
  LabelPlate->Scale = 1;
  LabelPlate->RelX = x + LabelShiftX;
  LabelPlate->RelY = Label->RelY;
  LabelPlate->Visible = !LabelHidden && !Question.empty();
}

void TobjMonster::LabelBoxAt(std::int32_t p, double& x, double& y, double& w, double& h) const {
  // A question is read at its full size from its first frame: a small,
  // growing monster carries it full size too.
  w = LabelPlate->Width;
  h = LabelH;
  x = -w / 2;
  // A larger question stands higher, so that its bottom stays where a plain one's is.
  y = -12 - (LabelH - LabelHeight) - p / 2.0;
}

std::int32_t TobjMonster::NextDrawnPixels() const {
  if (Resources->GameOver || Resources->Paused) return DrawnPixels;
  if (DrawnPixels < TargetPixels) return std::min(DrawnPixels + 1, TargetPixels);
  if (DrawnPixels > TargetPixels) return std::max(DrawnPixels - 2, TargetPixels);
  return DrawnPixels;
}

void TobjMonster::ProcessEvents() {
  TobjBase::ProcessEvents();
  if (Resources->GameOver || Resources->Paused) return;

  DrawnPixels = NextDrawnPixels();
  PlaceItems();
  if (ReadableSteps >= 0)
    ++ReadableSteps;
  else if (!Dying && Label->Visible && Label->Scale >= 1.0)
    ReadableSteps = 0;

  if (StatusTime > 0) {
    --StatusTime;
    if (StatusTime <= 10) StatusPicture->SetAlpha(Round32(StatusTime * 25.5));
    if (StatusTime == 0) {
      TopSpeed = SavedTopSpeed;
      Status = 0;
      StatusPicture->Visible = false;
    }
  }

  if (DrawnPixels == 0 && Dying && !GoneSent) {
    GoneSent = true;
    // The game screen deletes the monster while it handles code 17, so that
    // comes last.
    if (Escaped) {
      PostEvent(pmQueued, ekGame, 21, 0, 0);
      PostEvent(pmImmediate, ekGame, 17, Index, 0);
    } else {
      PostEvent(pmImmediate, ekGame, 17, Index, 1);
    }
  }
}
