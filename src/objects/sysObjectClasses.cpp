// The class each object type is built as. A type whose class does not exist
// yet is built as a plain object.
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabel.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objMinimap.h"
#include "objects/objNumber.h"
#include "objects/objPushButton.h"
#include "objects/objSlider.h"
#include "objects/objText.h"
#include "objects/sysObjects.h"

namespace {

template <class T>
TObjectFactory Make() {
  return [](TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
            double layer, std::int32_t width, std::int32_t height) -> std::unique_ptr<TobjBase> {
    return std::make_unique<T>(resources, group, objType, x, y, layer, width, height);
  };
}

}  // namespace

std::array<TObjectFactory, ObjectTypeCount> DefaultObjectFactories() {
  std::array<TObjectFactory, ObjectTypeCount> f;
  for (auto& entry : f) entry = Make<TobjBase>();
  f[otLabel] = Make<TobjLabel>();
  f[otHintLabel] = Make<TobjHintLabel>();
  f[otButton] = Make<TobjButton>();
  f[otListbox] = Make<TobjListbox>();
  f[otTextbox] = Make<TobjText>();
  f[otGroupButton] = Make<TobjGroupButton>();
  f[otCheckbox] = Make<TobjCheckBox>();
  f[otMinimap] = Make<TobjMinimap>();
  f[otPushButton] = Make<TobjPushButton>();
  f[otSlider] = Make<TobjSlider>();
  f[otNumber] = Make<TobjNumber>();
  f[otHintLabelButton] = Make<TobjHintLabelButton>();
  return f;
}
