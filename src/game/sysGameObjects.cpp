#include "game/sysGameObjects.h"

#include "game/objEffect.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "game/objSpark.h"

namespace {

template <class T>
TObjectFactory Make() {
  return [](TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
            double layer, std::int32_t width, std::int32_t height) -> std::unique_ptr<TobjBase> {
    return std::make_unique<T>(resources, group, objType, x, y, layer, width, height);
  };
}

}  // namespace

void AddGameObjectFactories(std::array<TObjectFactory, ObjectTypeCount>& factories) {
  factories[otMap] = Make<TobjMap>();
  factories[otGridPoint] = Make<TobjGridPoint>();
  factories[otMonster] = Make<TobjMonster>();
  factories[otEffect] = Make<TobjEffect>();
  factories[otSpark] = Make<TobjSpark>();
}
