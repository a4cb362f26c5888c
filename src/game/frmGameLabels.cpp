// Where the monsters' questions go: each above its monster when there is room,
// otherwise at the nearest free spot, never over another question, never under
// the HUD strip or the challenge text, never off the screen.
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "game/objMonster.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"

namespace {

// The HUD strip covers the screen's left 256 pixels.
constexpr double BoardLeft = 256;
constexpr double ScreenWidth = 1024;
constexpr double ScreenHeight = 768;
constexpr double Margin = 2;
// The creature fills about this much of its drawn square either side of its middle.
constexpr double BodyShare = 0.4;

}  // namespace

void TfrmGame::PlaceLabels() {
  const TsysResources& res = *Resources();
  TsysObjects* objects = Objects();
  const double zoom = res.Zoom;
  const double originX = 512 - res.CameraX * zoom;
  const double originY = 384 - res.CameraY * zoom;
  LabelPlacer.Begin(TLabelBox{BoardLeft + Margin, Margin, ScreenWidth - BoardLeft - 2 * Margin,
                              ScreenHeight - 2 * Margin});
  if (Hud.ChallengeText != nullptr && Hud.ChallengeText->Visible)
    LabelPlacer.AddObstacle(TLabelBox{Hud.ChallengeText->X, Hud.ChallengeText->Y,
                                      static_cast<double>(Hud.ChallengeText->Width),
                                      static_cast<double>(Hud.ChallengeText->Height)});
  // Oldest first: a monster's question keeps its place as newer ones arrive.
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
    auto* m = static_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
    if (m->Question.empty()) continue;
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
    m->LabelPlacedOutside = true;
    m->LabelPixels = m->NextDrawnPixels();
    m->LabelBoxAt(m->LabelPixels, x, y, w, h);
    const TLabelBox natural{m->X * zoom + originX + x * zoom, m->Y * zoom + originY + y * zoom, w * zoom, h * zoom};
    // The question never hides the creature that carries it (at the screen's
    // edges it would be pushed over it).
    const double half = m->LabelPixels * BodyShare * zoom;
    const TLabelBox body{m->X * zoom + originX - half, m->Y * zoom + originY - half, 2 * half, 2 * half};
    double sx = 0;
    double sy = 0;
    m->LabelHidden = !LabelPlacer.Place(natural, m->LabelShiftX * zoom, m->LabelShiftY * zoom, sx, sy, body);
    m->LabelShiftX = m->LabelHidden ? 0 : sx / zoom;
    m->LabelShiftY = m->LabelHidden ? 0 : sy / zoom;
    m->PlaceLabel();
  }
}
