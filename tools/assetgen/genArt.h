#pragma once
// Every picture of the image archives, one builder per picture or group.
#include <string>
#include <vector>

#include "data/sysImages.h"
#include "kit/diagramMarks.h"

// A plain white square (answer lines, quadrant cells and other flat pieces).
TImage WhitePicture(const std::string& name, int size);
// Core set: the font sheet, the loading panel and the loading backdrop quarters.
TImage FontSheetPicture();
TImage LoadingPanelPicture();
std::vector<TImage> LoadingBackdropQuarters();
// Screens set: the menu backdrop quarters and the corner picture.
std::vector<TImage> MenuBackdropQuarters();
TImage CornerPicture();
// Interfaces set: the widget sheet, the three mode previews, the challenge sheet.
TImage WidgetSheetPicture();
// With marks: what each preview draws over its board, and its numbers.
std::vector<TImage> ModePreviewPictures(std::vector<TDiagramMarks>* marks = nullptr);
TImage ChallengeSheetPicture();

// Writes an image as PNG for review.
bool WriteReviewPng(const TImage& image, const std::string& path);
