// The class each object type is built as. A type whose class does not exist
// yet is built as a plain object.
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
  return f;
}
