#pragma once
// The object manager: creates objects by type, keeps them by layer, type and
// group, registers them with the bus, and deletes them.
#include <array>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "core/sysModule.h"
#include "objects/objBase.h"

class TsysEventHandler;
class TsysResources;

constexpr std::int32_t LayerCountValue = 35;
constexpr std::int32_t GroupCountValue = 23;

using TObjectFactory = std::function<std::unique_ptr<TobjBase>(
    TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
    std::int32_t width, std::int32_t height)>;

// The class that each object type is built as (objects/sysObjectClasses.cpp).
std::array<TObjectFactory, ObjectTypeCount> DefaultObjectFactories();

class TsysObjects : public TsysModule {
 public:
  TsysObjects(TsysMainWindow* owner, TsysResources* resources, TsysEventHandler* events);
  ~TsysObjects() override;

  // Null (and nothing created) for a layer outside 0..<35, a type outside 0..17
  // or a group outside 0..22.
  TobjBase* CreateObject(std::int32_t group, std::int32_t objType, double x, double y, double layer,
                         std::int32_t width, std::int32_t height);
  template <class T>
  T* Create(std::int32_t group, std::int32_t objType, double x, double y, double layer, std::int32_t width,
            std::int32_t height) {
    return dynamic_cast<T*>(CreateObject(group, objType, x, y, layer, width, height));
  }
  void DeleteObject(std::int32_t index);
  // Draws the object last of its layer (over its neighbours there); a hovered
  // tile does this so that its hint lies over the tiles around it.
  void BringToFront(TobjBase* object);
  void DeleteGroup(std::int32_t group);
  void DeleteAll();

  std::int32_t Count() const { return static_cast<std::int32_t>(Objects.size()); }
  TobjBase* ObjectAt(std::int32_t index) const;
  std::int32_t LayerCount() const { return LayerCountValue; }
  std::int32_t LayerSize(std::int32_t layer) const;
  TobjBase* LayerObject(std::int32_t layer, std::int32_t i) const;
  std::int32_t TypeCount() const { return ObjectTypeCount; }
  std::int32_t TypeSize(std::int32_t type) const;
  TobjBase* TypeObject(std::int32_t type, std::int32_t i) const;
  std::int32_t GroupCount() const { return GroupCountValue; }
  std::int32_t GroupSize(std::int32_t group) const;
  TobjBase* GroupObject(std::int32_t group, std::int32_t i) const;
  // Whether the pointer names an object that is alive now: events carry object
  // references that may have been deleted since they were posted.
  bool IsAlive(const TobjBase* object) const { return Alive.count(object) != 0; }

  void ProcessEvents() override;

  TsysEventHandler* Events;
  TsysResources* Resources;
  std::array<TObjectFactory, ObjectTypeCount> Factories;
  bool NeedsPack = false;

 private:
  std::vector<std::unique_ptr<TobjBase>> Objects;
  std::array<std::vector<TobjBase*>, LayerCountValue> Layers;
  std::array<std::vector<TobjBase*>, ObjectTypeCount> Types;
  std::array<std::vector<TobjBase*>, GroupCountValue> Groups;
  std::unordered_set<const TobjBase*> Alive;
  // Deleted objects are freed at the manager's next step, not inside the handler
  // that deleted them: the caller may still be running inside the object.
  std::vector<std::unique_ptr<TobjBase>> Graveyard;
};
