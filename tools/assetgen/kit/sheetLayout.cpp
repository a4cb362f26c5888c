#include "kit/sheetLayout.h"

#include <string>

namespace {

// Place helpers: F(n) a fixed n pixels, S(n) the widget's size plus n.
constexpr TSpan F(int n) { return {0, n}; }
constexpr TSpan S(int n) { return {1, n}; }

// One piece drawn at its own size at the widget's corner.
TSheetPiece Whole(const char* name, TRect r) { return {name, r, {F(0), F(0), F(r.W), F(r.H)}}; }

std::vector<TSheetFrame> BuildWidgetFrames() {
  std::vector<TSheetFrame> f;
  // Label frame: 7 px sides, 5 px top and bottom, 7 x 10 corners.
  f.push_back({"label frame", 48, 40,
               {{"label fill", {252, 32, 1, 1}, {F(7), F(5), S(-14), S(-10)}},
                {"label top-left", {251, 2, 7, 10}, {F(0), F(0), F(7), F(10)}},
                {"label top", {253, 44, 1, 5}, {F(7), F(0), S(-14), F(5)}},
                {"label top-right", {260, 2, 7, 10}, {S(-7), F(0), F(7), F(10)}},
                {"label left", {251, 38, 7, 1}, {F(0), F(10), F(7), S(-20)}},
                {"label right", {260, 38, 7, 1}, {S(-7), F(10), F(7), S(-20)}},
                {"label bottom-left", {251, 19, 7, 10}, {F(0), S(-10), F(7), F(10)}},
                {"label bottom", {262, 44, 1, 5}, {F(7), S(-5), S(-14), F(5)}},
                {"label bottom-right", {260, 19, 7, 10}, {S(-7), S(-10), F(7), F(10)}}}});
  // Hint box: 10 px sides, 7 px top and bottom, 10 x 25 corners.
  f.push_back({"hint box", 64, 60,
               {{"hint fill", {138, 38, 1, 1}, {F(10), F(7), S(-20), S(-14)}},
                {"hint top-left", {124, 2, 10, 25}, {F(0), F(0), F(10), F(25)}},
                {"hint top", {126, 29, 1, 7}, {F(10), F(0), S(-20), F(7)}},
                {"hint top-right", {148, 2, 10, 25}, {S(-10), F(0), F(10), F(25)}},
                {"hint left", {136, 31, 10, 1}, {F(0), F(25), F(10), S(-50)}},
                {"hint right", {148, 31, 10, 1}, {S(-10), F(25), F(10), S(-50)}},
                {"hint bottom-left", {136, 2, 10, 25}, {F(0), S(-25), F(10), F(25)}},
                {"hint bottom", {126, 38, 1, 7}, {F(10), S(-7), S(-20), F(7)}},
                {"hint bottom-right", {160, 2, 10, 25}, {S(-10), S(-25), F(10), F(25)}}}});
  // Text box: 10 px sides, 6 px top and bottom, 10 x 15 corners.
  f.push_back({"text box", 60, 40,
               {{"text fill", {179, 37, 1, 1}, {F(10), F(6), S(-20), S(-12)}},
                {"text top-left", {171, 2, 10, 15}, {F(0), F(0), F(10), F(15)}},
                {"text top", {173, 36, 1, 6}, {F(10), F(0), S(-20), F(6)}},
                {"text top-right", {183, 2, 10, 15}, {S(-10), F(0), F(10), F(15)}},
                {"text left", {183, 38, 10, 1}, {F(0), F(15), F(10), S(-30)}},
                {"text right", {183, 46, 10, 1}, {S(-10), F(15), F(10), S(-30)}},
                {"text bottom-left", {171, 19, 10, 15}, {F(0), S(-15), F(10), F(15)}},
                {"text bottom", {173, 44, 1, 6}, {F(10), S(-6), S(-20), F(6)}},
                {"text bottom-right", {183, 19, 10, 15}, {S(-10), S(-15), F(10), F(15)}}}});
  f.push_back({"text caret", 2, 12, {{"caret", {179, 45, 1, 1}, {F(0), F(0), S(0), S(0)}}}});
  // Menu button: 25 px caps, 50 high.
  f.push_back({"button", 80, 50,
               {{"button left", {2, 2, 25, 50}, {F(0), F(0), F(25), F(50)}},
                {"button middle", {31, 2, 1, 50}, {F(25), F(0), S(-50), F(50)}},
                {"button right", {36, 2, 25, 50}, {S(-25), F(0), F(25), F(50)}}}});
  f.push_back({"button hovered", 80, 50,
               {{"button hovered left", {63, 2, 25, 50}, {F(0), F(0), F(25), F(50)}},
                {"button hovered middle", {92, 2, 1, 50}, {F(25), F(0), S(-50), F(50)}},
                {"button hovered right", {97, 2, 25, 50}, {S(-25), F(0), F(25), F(50)}}}});
  // Group button entries: 9 px caps, 30 high.
  const char* groupNames[3] = {"group entry", "group entry hovered", "group entry selected"};
  const TRect groupRects[3][3] = {{{195, 2, 9, 30}, {208, 2, 1, 30}, {213, 2, 9, 30}},
                                  {{223, 2, 9, 30}, {236, 2, 1, 30}, {241, 2, 9, 30}},
                                  {{195, 36, 9, 30}, {208, 36, 1, 30}, {213, 36, 9, 30}}};
  for (int i = 0; i < 3; ++i)
    f.push_back({groupNames[i], 40, 30,
                 {{"group left", groupRects[i][0], {F(0), F(0), F(9), F(30)}},
                  {"group middle", groupRects[i][1], {F(9), F(0), S(-18), F(30)}},
                  {"group right", groupRects[i][2], {S(-9), F(0), F(9), F(30)}}}});
  // Check box: the box, then a bar under the caption and a right cap.
  f.push_back({"check box", 60, 30,
               {{"check box normal", {124, 54, 35, 30}, {F(0), F(0), F(35), F(30)}},
                {"check bar", {163, 54, 1, 30}, {F(35), F(0), S(-44), S(0)}},
                {"check cap", {168, 54, 9, 30}, {S(-9), F(0), F(9), F(30)}}}});
  f.push_back({"check box hovered", 35, 30, {Whole("check box hovered", {124, 84, 35, 30})}});
  f.push_back({"check box checked", 35, 30, {Whole("check box checked", {161, 84, 35, 30})}});
  // Slider: a track with caps, and the knob on its own.
  f.push_back({"slider", 60, 30,
               {{"slider track", {295, 2, 1, 30}, {F(10), F(0), S(-20), S(0)}},
                {"slider left", {269, 2, 10, 30}, {F(0), F(0), F(10), F(30)}},
                {"slider right", {281, 2, 10, 30}, {S(-10), F(0), F(10), F(30)}}}});
  f.push_back({"slider knob", 18, 18, {Whole("slider knob", {300, 2, 18, 18})}});
  f.push_back({"slider knob hovered", 18, 18, {Whole("slider knob hovered", {320, 2, 18, 18})}});
  // List box: frame, list area and scroll track; arrow, thumb and selection bar
  // are drawn over it on their own.
  f.push_back({"list box", 120, 120,
               {{"list area", {80, 100, 1, 1}, {F(8), F(25), S(-32), S(-50)}},
                {"list top-left", {2, 54, 25, 25}, {F(0), F(0), F(25), F(25)}},
                {"list top", {31, 54, 1, 25}, {F(25), F(0), S(-65), F(25)}},
                {"list top-right", {36, 54, 40, 25}, {S(-40), F(0), F(40), F(25)}},
                {"list bottom-left", {2, 81, 25, 25}, {F(0), S(-25), F(25), F(25)}},
                {"list bottom", {31, 81, 1, 25}, {F(25), S(-25), S(-65), F(25)}},
                {"list bottom-right", {36, 81, 40, 25}, {S(-40), S(-25), F(40), F(25)}},
                {"list left", {98, 83, 8, 1}, {F(0), F(25), F(8), S(-50)}},
                {"list scroll track", {98, 76, 24, 1}, {S(-24), F(25), F(24), S(-50)}}}});
  f.push_back({"list arrow", 18, 18, {Whole("list arrow", {98, 55, 18, 18})}});
  f.push_back({"list thumb", 18, 42, {Whole("list thumb", {78, 54, 18, 42})}});
  f.push_back({"list selection", 40, 12, {{"list selection", {87, 100, 1, 1}, {F(0), F(0), S(0), S(0)}}}});
  // Picture digits.
  static const char* digitNames[10] = {"digit 0", "digit 1", "digit 2", "digit 3", "digit 4",
                                       "digit 5", "digit 6", "digit 7", "digit 8", "digit 9"};
  for (int d = 0; d < 10; ++d) f.push_back({digitNames[d], 26, 31, {Whole(digitNames[d], DigitRect(d))}});
  // Mission progress pictures.
  f.push_back({"progress bar", 250, 35, {Whole("progress bar", ProgressBarRect)}});
  f.push_back({"progress segment", 42, 27, {Whole("progress segment", ProgressSegmentRect)}});
  f.push_back({"progress marker", 42, 27, {Whole("progress marker", ProgressMarkerRect)}});
  return f;
}

}  // namespace

const std::vector<TSheetFrame>& WidgetFrames() {
  static const std::vector<TSheetFrame> frames = BuildWidgetFrames();
  return frames;
}

TRect DigitRect(int digit) {
  if (digit == 0) return {486, 97, 26, 31};
  return {252 + 26 * (digit - 1), 97, 26, 31};
}

const std::vector<TChallengeRect>& ChallengeRects() {
  static const std::vector<TChallengeRect> rects = {
      {0, {2, 2, 108, 108}},     {1, {112, 2, 108, 108}},   {2, {222, 2, 108, 108}},
      {3, {2, 112, 54, 54}},     {4, {58, 112, 54, 54}},    {5, {114, 112, 54, 54}},
      {6, {170, 112, 54, 54}},   {8, {112, 168, 108, 108}}, {9, {222, 168, 108, 108}},
      {10, {332, 168, 108, 108}}, {11, {2, 168, 108, 108}}, {15, {2, 388, 285, 50}},
  };
  return rects;
}

TRect ChallengeRect(int index) {
  for (const TChallengeRect& r : ChallengeRects())
    if (r.Index == index) return r.Rect;
  return {};
}
