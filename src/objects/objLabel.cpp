#include "objects/objLabel.h"

#include "objects/objSheet.h"

TobjLabel::TobjLabel(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                     double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  const std::int32_t w = Width;
  const std::int32_t h = Height;
  PlaceSheetPicture(MainItem, Sheet::LabelFill, 7, 5, w - 14, h - 10);
  Frame[0] = AddSheetPicture(this, Sheet::LabelTopLeft, 0, 0, 7, 10);
  Frame[1] = AddSheetPicture(this, Sheet::LabelTop, 7, 0, w - 14, 5);
  Frame[2] = AddSheetPicture(this, Sheet::LabelTopRight, w - 7, 0, 7, 10);
  Frame[3] = AddSheetPicture(this, Sheet::LabelLeft, 0, 10, 7, h - 20);
  Frame[4] = AddSheetPicture(this, Sheet::LabelRight, w - 7, 10, 7, h - 20);
  Frame[5] = AddSheetPicture(this, Sheet::LabelBottomLeft, 0, h - 10, 7, 10);
  Frame[6] = AddSheetPicture(this, Sheet::LabelBottom, 7, h - 5, w - 14, 5);
  Frame[7] = AddSheetPicture(this, Sheet::LabelBottomRight, w - 7, h - 10, 7, 10);
  MainItem->Visible = false;
  for (TrndGfx* piece : Frame) piece->Visible = false;
  // After the frame, so that the text is drawn over it.
  Caption = AddText();
  Caption->SetMarkUp("", 8, true, false, false, false, false);
  SetColor(WidgetTint);
}

void TobjLabel::SetFramed(bool framed) {
  Framed = framed;
  MainItem->Visible = framed;
  for (TrndGfx* piece : Frame) piece->Visible = framed;
  if (!framed) return;
  Caption->SetMargin(TPointD{10, 0});
  Caption->SetAlignMiddle(true);
}
