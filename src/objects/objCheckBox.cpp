#include "objects/objCheckBox.h"

#include "objects/objSheet.h"

TobjCheckBox::TobjCheckBox(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                           double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekMouse;
  PlaceSheetPicture(MainItem, Sheet::CheckBar, 35, 0, Width - 44, Height);
  Box = AddSheetPicture(this, Sheet::CheckBoxNormal, 0, 0, 35, 30);
  RightCap = AddSheetPicture(this, Sheet::CheckCap, Width - 9, 0, 9, 30);
  CheckCaption = AddText();
  CheckCaption->RelX = 39;
  CheckCaption->RelY = 11;
  CheckCaption->Width = Width - 52;
  CheckCaption->Height = Height - 18;
  CheckCaption->SetText("", 8, false, true, false, false, false);
  SetColor(WidgetTint);
}

void TobjCheckBox::SetChecked(bool checked) {
  Checked = checked;
  UpdateBox();
}

void TobjCheckBox::SetAction(std::int32_t kind, std::uint16_t code) {
  ActionKind = kind;
  ActionCode = code;
}

void TobjCheckBox::Toggle() {
  Checked = !Checked;
  if (ActionKind != 0) PostEvent(pmQueued, ActionKind, ActionCode, Checked ? 1 : 0, 0);
  UpdateBox();
}

void TobjCheckBox::UpdateBox() {
  SetSheetPicture(Box, Checked ? Sheet::CheckBoxChecked : MouseOver ? Sheet::CheckBoxHover : Sheet::CheckBoxNormal);
}

void TobjCheckBox::Unhover() {
  if (!MouseOver) return;
  MouseOver = false;
  UpdateBox();
}

void TobjCheckBox::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (!Visible || event->Kind != ekMouse) return;
  switch (event->Code) {
    case 1:
      MouseOver = Contains(static_cast<double>(event->Param), event->Value);
      UpdateBox();
      break;
    case 3:
      // Where it is released, whether or not the pointer moved since the keys did.
      MouseOver = Contains(static_cast<double>(event->Param), event->Value);
      if (MouseOver) Toggle();
      UpdateBox();
      break;
    default:
      break;
  }
}
