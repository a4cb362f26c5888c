#pragma once
// A monster: a tinted creature carrying a question (a quadrant, a point, a line).
// It grows in, is walked toward the origin by the monster director, and shrinks
// away when answered or when it reaches the origin, reporting itself gone
// (ekGame 17) to the game screen.
#include <cstdint>
#include <string>

#include "game/libMaths.h"
#include "objects/objBase.h"

struct TLevel;

class TobjMonster : public TobjBase {
 public:
  TobjMonster(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
              double layer, std::int32_t width, std::int32_t height);

  // Size, picture, question, speed and colour from the current level and difficulty.
  void Setup();
  // A new answer and label for the current level.
  void GenerateQuestion();
  // Answered (false) or reached the origin (true).
  void Hit(bool escaping);
  // Velocity Bisector: half the top speed for that many steps.
  void Halve(std::int32_t frames);
  // Translation Inhibiter: no walking for that many steps.
  void Stop(std::int32_t frames);

  // Size animation, label placement, end-of-life events and status timer.
  void ProcessEvents() override;
  // The drawn size after this step's size animation (the same while the game is stopped).
  std::int32_t NextDrawnPixels() const;
  // The question's plate at drawn size p, relative to the monster's centre, before any shift.
  void LabelBoxAt(std::int32_t p, double& x, double& y, double& w, double& h) const;
  // Lays the question and its plate out for its size and shift.
  void PlaceLabel();

  std::int32_t Size = 0;
  std::int32_t PixelSize = 0;
  std::int32_t DrawnPixels = 1;
  std::int32_t TargetPixels = 0;
  TIntPoint AnswerPoint;
  TIntPoint SecondPoint;  // Define the Line: the second point of the line
  double Slope = 0;
  double Intercept = 0;
  std::string Question;
  // Steps of play since the question could first be read at full size (-1
  // until then): how long the child took to answer it.
  std::int32_t ReadableSteps = -1;
  bool Dying = false;
  bool Escaped = false;
  bool GoneSent = false;
  bool KilledByPower = false;
  TVector2 Velocity;
  TVector2 Push;
  double Acceleration = 0.2;
  double Steering = 1.0;
  double TopSpeed = 0;
  bool Blocked = false;
  std::int32_t Status = 0;  // 0 none, 2 stopped, 4 halved
  std::int32_t StatusTime = 0;
  double SavedTopSpeed = 0;

  TrndGfx* StatusPicture = nullptr;
  TrndGfx* LabelPlate = nullptr;  // a light plate under the question, sized to it
  TrndText* Label = nullptr;
  // Where the game screen moved the question so that it collides with no other
  // (pixels from its own place above the body), and whether it found no room.
  double LabelShiftX = 0;
  double LabelShiftY = 0;
  bool LabelHidden = false;
  // Once the game screen places the question, it also fixes the drawn size the
  // question is laid out for (this step's size, whether or not the monster has
  // yet grown to it), so that what was placed is exactly what is drawn.
  bool LabelPlacedOutside = false;
  std::int32_t LabelPixels = 0;

  static constexpr std::int32_t StatusStopped = 2;
  static constexpr std::int32_t StatusHalved = 4;
  // The label is wide enough for the longest question, "(-10+15,-10+15)".
  static constexpr std::int32_t LabelWidth = 144;
  static constexpr std::int32_t LabelHeight = 16;
  // With the larger-questions option: a bigger font in a label grown to match.
  static constexpr std::int32_t LargeLabelWidth = 192;
  static constexpr std::int32_t LargeLabelHeight = 22;
  // The question's font and label size, chosen once at creation from the options.
  std::int32_t LabelFont = 10;
  std::int32_t LabelW = LabelWidth;
  std::int32_t LabelH = LabelHeight;

 private:
  void QuadrantQuestion(const TLevel& level);
  void PointQuestion(const TLevel& level, std::int32_t range);
  void LineQuestion(const TLevel& level, std::int32_t range);
  // text is the question as it is recorded; shown, when given, as the player reads it.
  void SetQuestion(const std::string& text, const std::string& shown = {});
  void SetStatus(std::int32_t status, std::int32_t frames, double topSpeed);
  void PlaceItems();
};

// The text of an expression worth value for a grid of that range, such as -3+5
// or -3-2, never adding 0; the random parts come from the one generator.
std::string PointExpression(std::int32_t value, std::int32_t range);
// The label of the line through p and q: x=2, y=-1, y=2x+3, y=-(1/2)x, y=x-2.
std::string LineLabel(TIntPoint p, TIntPoint q);
