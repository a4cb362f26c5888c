#include "screens/frmParts.h"

#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"

namespace frm {

TobjLabel* Label(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, const std::string& text, std::int32_t size, bool framed) {
  auto* label = objects->Create<TobjLabel>(group, otLabel, x, y, layer, w, h);
  label->Caption->SetText(text, size, true, true, false, true, true);
  if (framed) label->SetFramed(true);
  return label;
}

TobjLabel* Panel(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, std::int32_t alpha) {
  auto* panel = objects->Create<TobjLabel>(group, otLabel, x, y, layer, w, h);
  panel->SetFramed(true);
  panel->SetAlpha(alpha);
  return panel;
}

TobjButton* Button(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& caption, std::int32_t size, std::int32_t kind,
                   std::uint16_t code, std::intptr_t param, std::int32_t value) {
  auto* button = objects->Create<TobjButton>(group, otButton, x, y, layer, w, h);
  button->Caption->SetText(caption, size, true, true, false, true, true);
  button->SetAction(kind, code, param, value);
  return button;
}

void Hint(TobjButton* button, double hx, double hy, std::int32_t w, std::int32_t h, const std::string& text) {
  button->SetHint(hx, hy, TPointI{w, h});
  button->HintText->SetMarkUpAt(text, 8, false, false, true, false, false, TPointD{20, 10});
  button->HintEnabled = true;
}

TobjBase* Picture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                  std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex) {
  TobjBase* picture = objects->CreateObject(group, otStatic, x, y, layer, w, h);
  picture->Space = csScreen;
  picture->MainItem->SetImage(imageSet, imageIndex, 0);
  return picture;
}

}  // namespace frm
