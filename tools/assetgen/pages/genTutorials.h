#pragma once
// The tutorial pages (data/TutsQQ.asdb, TutsWTP.asdb, TutsDTL.asdb): 512 x 512,
// page n for mission level n + 1, drawn from the page content of tutContent.h.
#include <vector>

#include "data/sysImages.h"
#include "kit/diagramMarks.h"
#include "pages/tutContent.h"

constexpr int TutorialPageSize = 512;
// The square of the page's plane.
constexpr double TutorialPlaneX = 286, TutorialPlaneY = 92, TutorialPlaneSize = 204;

// How a page's text fared when it was laid out.
struct TPageFit {
  bool Fits = true;  // every text block ended inside its box
  double SentencesBottom = 0, StepsBottom = 0, CardBottom = 0;
  TDiagramMarks Diagram;  // the plane's marks and the numbers placed clear of them
};

TImage TutorialPicture(const TTutorialPage& page, TPageFit* fit = nullptr);
// The five pages of a game type (1..3), in level order.
std::vector<TImage> TutorialPictures(int gameType);
