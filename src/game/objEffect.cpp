#include "game/objEffect.h"

#include <algorithm>
#include <cstdlib>

#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defSprites.h"

namespace {

constexpr std::int32_t ZapLife = 20;
constexpr std::int32_t TextLife = 300;
constexpr std::int32_t DoomLife = 256;
constexpr std::int32_t BlastLife = 512;
constexpr std::int32_t LineFadeStep = 8;
constexpr std::int32_t TextSize = 14;
// The navy plate under a rising text, the game's one look for its messages.
constexpr std::uint32_t PlateColour = 0x0A1230;
constexpr std::int32_t PlateAlpha = 210;
constexpr std::int32_t PlatePadX = 10;
constexpr std::int32_t PlatePadY = 5;

std::uint32_t TableColour(std::int32_t index) {
  return ColourTable[static_cast<std::size_t>(std::clamp(index, 0, ColourCount - 1))];
}

// A line is a light band with a dark groove along its middle: the light
// stands out from the dark quadrants, the groove from a light axis under it.
constexpr double LineWiden = 1;   // the band, beyond the quad it is given, each side
constexpr double GrooveHalf = 1;  // the groove's half width
constexpr std::uint32_t GrooveColour = 0x050A18;
constexpr std::int32_t GrooveAlpha = 230;

// A line's quad (corners along one side, then back along the other) with its
// half width across set to `half` and its ends moved by `along` (out when positive).
std::array<TVector2, 4> Reshaped(const std::array<TVector2, 4>& c, double half, double along) {
  const TVector2 from = VecScale(VecAdd(c[0], c[3]), 0.5);
  const TVector2 to = VecScale(VecAdd(c[1], c[2]), 0.5);
  const TVector2 dir = VecSub(to, from);
  const TVector2 across = VecSub(c[0], c[3]);
  if (VecLength(dir) <= 0 || VecLength(across) <= 0) return c;
  const TVector2 a = VecScale(VecNormalize(dir), along);
  const TVector2 n = VecScale(VecNormalize(across), half);
  const TVector2 f = VecSub(from, a), t = VecAdd(to, a);
  return {VecAdd(f, n), VecAdd(t, n), VecSub(t, n), VecSub(f, n)};
}

void SetQuad(TrndGfx* item, const std::array<TVector2, 4>& corners, const int order[4]) {
  item->DrawMode = 4;
  for (int k = 0; k < 4; ++k) item->SetCorner(k, TPointD{corners[order[k]].X, corners[order[k]].Y});
}

// A square of size pixels at (x, y) relative to the object.
void SetSquare(TrndGfx* item, std::int32_t size, double x, double y, std::int32_t alpha) {
  item->Width = size;
  item->Height = size;
  item->RelX = x;
  item->RelY = y;
  item->SetAlpha(std::clamp(alpha, 0, 255));
}

}  // namespace

TobjEffect::TobjEffect(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                       double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Main = MainItem;
  Second = AddItem(0, 0);
  Third = AddItem(0, 0);
  Caption = AddText();
  for (TrndGfx* item : {Main, Second, Third, static_cast<TrndGfx*>(Caption)}) item->Visible = false;
}

void TobjEffect::Start(std::int32_t kind, const std::array<TVector2, 4>& corners, std::int32_t colourIndex) {
  static constexpr int Straight[4] = {0, 1, 2, 3};
  static constexpr int Mirrored[4] = {1, 0, 3, 2};
  Kind = kind;
  Corners = corners;
  const std::uint32_t colour = TableColour(colourIndex);
  switch (kind) {
    case ekZap: {
      const std::int64_t length = Round(VecDistance(corners[0], corners[1]));
      Row = length <= 192 ? 16 : (length <= 384 ? 8 : 0);
      const std::int32_t picture = length > 384 ? Sprite::ZapLong : Sprite::ZapShort;
      Main->SetImage(Sprite::Set, picture, Row);
      SetQuad(Main, corners, Straight);
      Main->DrawEffect = beAdd;
      Main->SetColorAlpha(LightenColour(0, colour), 255);
      Main->Visible = true;
      Second->SetImage(Sprite::Set, picture, Row);
      SetQuad(Second, corners, Mirrored);
      Second->DrawEffect = beAdd;
      Second->SetColorAlpha(LightenColour(48, colour), 255);
      Second->Visible = false;
      FrameCount = 8;
      FirstFrame = Random(8);
      Age = 0;
      Life = ZapLife;
      break;
    }
    case ekLine: {
      Main->SetImage(CoreSprite::Set, CoreSprite::White, 0);
      const double half = VecLength(VecSub(corners[0], corners[3])) / 2;
      SetQuad(Main, Reshaped(corners, half + LineWiden, LineWiden), Straight);
      Main->SetColorAlpha(colour, 255);
      Main->Visible = true;
      Second->SetImage(CoreSprite::Set, CoreSprite::White, 0);
      SetQuad(Second, Reshaped(corners, GrooveHalf, -GrooveHalf), Straight);
      Second->SetColorAlpha(GrooveColour, GrooveAlpha);
      Second->Visible = true;
      Visible = true;
      break;
    }
    case ekText:
      Caption->SetColor(colour);
      Caption->Visible = true;
      Age = TextLife;
      Life = TextLife;
      break;
    case ekDoomRings:
      for (TrndGfx* ring : {Main, Second, Third}) {
        ring->SetImage(Sprite::Set, Sprite::DoomRing, 0);
        ring->DrawEffect = beAdd;
        ring->SetColor(colour);
        SetSquare(ring, 0, 0, 0, 255);
        ring->Visible = true;
      }
      Age = 0;
      Life = DoomLife;
      break;
    case ekBlastRing:
      Main->SetImage(Sprite::Set, Sprite::BlastRing, 0);
      Main->DrawEffect = beAdd;
      Main->SetColor(colour);
      SetSquare(Main, 0, 128, 0, 255);
      Main->Visible = true;
      Age = 0;
      Life = BlastLife;
      break;
    default:
      break;
  }
}

void TobjEffect::Fade(bool fadeIn) {
  // A band that never showed (no pointer went over another point) still ends.
  if (Kind == 0) Kind = ekLine;
  Fading = true;
  FadeIn = fadeIn;
}

void TobjEffect::SetText(const std::string& text) {
  Caption->Width = Width;
  Caption->Height = Height;
  // Bold on a dark plate: thin white letters over the bright board and the
  // monsters read as faint grey.
  // A longer language's line takes smaller letters rather than being cut.
  const std::int32_t size = FittingFontSize(text.size(), Width, TextSize);
  Caption->SetText(text, size, true, true, false, true, true);
  const TFontMetrics& font = FontMetrics(size);
  const std::int32_t w = std::min(static_cast<std::int32_t>(Width),
                                  static_cast<std::int32_t>(text.size()) * font.CharWidth + 2 * PlatePadX);
  const std::int32_t h = font.CharHeight + 2 * PlatePadY;
  Second->SetImage(CoreSprite::Set, CoreSprite::White, 0);
  Second->DrawMode = 1;
  Second->Width = w;
  Second->Height = h;
  Second->RelX = (Width - w) / 2.0;
  PlateY = (Height - h) / 2.0;
  Second->RelY = PlateY;
  Second->SetColorAlpha(PlateColour, PlateAlpha);
  Second->Visible = !text.empty();
}

void TobjEffect::ProcessEvents() {
  TobjBase::ProcessEvents();
  if (Finished || Resources->GameOver || Resources->Paused) return;
  switch (Kind) {
    case ekZap: StepZap(); break;
    case ekLine: StepLine(); break;
    case ekText: StepText(); break;
    case ekDoomRings: StepDoomRings(); break;
    case ekBlastRing: StepBlastRing(); break;
    case ekMark: StepMark(); break;
    default: break;
  }
}

void TobjEffect::Finish() {
  Finished = true;
  // The game screen deletes this effect while it handles the event.
  PostEvent(pmImmediate, ekGame, 22, Index, 0);
}

void TobjEffect::StepZap() {
  ++Age;
  const std::int32_t pattern = (FirstFrame + Age) % FrameCount + Row;
  for (TrndGfx* item : {Main, Second, Third}) item->SetPattern(pattern);
  if (Age > Life) {
    Visible = false;
    Finish();
  }
}

void TobjEffect::StepLine() {
  if (!Fading) return;
  const std::int32_t alpha = Main->Alpha + (FadeIn ? LineFadeStep : -LineFadeStep);
  const auto groove = [this](std::int32_t a) { Second->SetAlpha(a * GrooveAlpha / 255); };
  if (FadeIn && alpha >= 256) {
    Main->SetAlpha(255);
    groove(255);
  } else if (!FadeIn && alpha < 0) {
    Main->SetAlpha(0);
    groove(0);
  } else {
    Main->SetAlpha(alpha);
    groove(alpha);
    return;
  }
  Main->Visible = false;
  Second->Visible = false;
  Fading = false;
  Finish();
}

void TobjEffect::StepText() {
  Age -= 3;
  if (Age < 256) {
    const std::int32_t alpha = std::max(Age, 0);
    Caption->SetAlpha(alpha);
    Caption->RelX = 0;
    Caption->RelY = Age / 10.0 - 25;
    Second->SetAlpha(PlateAlpha * alpha / 255);
    Second->RelY = PlateY + Caption->RelY;
  }
  if (Age <= 0) Finish();
}

void TobjEffect::StepDoomRings() {
  Age += 4;
  if (Age >= 0 && Age <= 128) {
    const double size = Age * 1.5;
    SetSquare(Main, Round32(size), 32 - size / 2, 32 - size / 2, 256 - 2 * Age);
  }
  if (Age > 64 && Age <= 192) {
    const double size = (Age - 64) * 1.25;
    SetSquare(Second, Round32(size), 32 - size / 2, 32 - size / 2, 384 - 2 * Age);
  }
  if (Age > 128 && Age <= 256) {
    const double size = Age - 128;
    SetSquare(Third, Age - 128, 32 - size / 2, 32 - size / 2, 512 - 2 * Age);
  }
  if (Age >= DoomLife) Finish();
}

void TobjEffect::StepBlastRing() {
  Age += 15;
  SetSquare(Main, Age, 128 - Age / 2.0, -Age / 2.0, std::abs(255 - Age / 3));
  if (Age >= 768) Finish();
}
