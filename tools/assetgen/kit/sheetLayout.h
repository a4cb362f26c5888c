#pragma once
// Where each piece lies on the picture sheets that the widgets cut from. The
// drawing code places its pieces by these tables and the tests check them.
#include <cstdint>
#include <vector>

struct TRect {
  int X = 0, Y = 0, W = 0, H = 0;
};

// A position or length inside a widget: PerSize * (widget width or height) + Offset.
struct TSpan {
  int PerSize = 0;
  int Offset = 0;
  int At(int size) const { return PerSize * size + Offset; }
};

// How a piece is drawn inside its widget: x and width follow the widget's width,
// y and height its height.
struct TPlace {
  TSpan X, Y, W, H;
};

// One rectangle of a sheet. A piece whose sheet rectangle is one pixel wide (or
// high) is stretched across the widget; Place says where it goes in the widget.
struct TSheetPiece {
  const char* Name;
  TRect Sheet;
  TPlace Place;
  bool StretchX() const { return Sheet.W == 1 && (Place.W.PerSize != 0 || Place.W.Offset > 1); }
  bool StretchY() const { return Sheet.H == 1 && (Place.H.PerSize != 0 || Place.H.Offset > 1); }
};

// A widget's look in one state: its pieces, and the size at which the generator
// draws it whole before cutting the pieces out.
struct TSheetFrame {
  const char* Name;
  int DrawWidth, DrawHeight;
  std::vector<TSheetPiece> Pieces;
};

// The widget sheet (interfaces image 0), 512 x 256.
constexpr int WidgetSheetWidth = 512;
constexpr int WidgetSheetHeight = 256;
const std::vector<TSheetFrame>& WidgetFrames();

// The picture digits 0..9 of the number widget, 26 x 31 at y 97.
TRect DigitRect(int digit);

// Mission progress pictures, in the free area below y 170 of the widget sheet.
constexpr TRect ProgressBarRect = {2, 172, 250, 35};
constexpr TRect ProgressSegmentRect = {256, 172, 42, 27};
constexpr TRect ProgressMarkerRect = {302, 172, 42, 27};
// Where the game puts the segments on a bar: 4 pixels in, 50 apart.
constexpr int ProgressSegmentInsetX = 4;
constexpr int ProgressSegmentInsetY = 4;
constexpr int ProgressSegmentPitch = 50;

// Rectangles of the widget sheet that nothing shows by default (the push
// button's stock highlight, which the game replaces, and a spare picture).
constexpr TRect PushHighlightRect = {280, 108, 59, 59};
constexpr TRect SparePushRect = {451, 47, 59, 59};

// The challenge sheet (interfaces image 4), 512 x 512, by rectangle number.
constexpr int ChallengeSheetSize = 512;
struct TChallengeRect {
  int Index;
  TRect Rect;
};
const std::vector<TChallengeRect>& ChallengeRects();
TRect ChallengeRect(int index);  // zero rectangle for an unused index
