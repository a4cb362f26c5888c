#include "objects/sysObjects.h"

#include <algorithm>

#include "core/sysEventHandler.h"
#include "core/sysLog.h"
#include "core/sysRound.h"

namespace {

void Erase(std::vector<TobjBase*>& list, TobjBase* object) {
  auto it = std::find(list.begin(), list.end(), object);
  if (it != list.end()) list.erase(it);
}

}  // namespace

TsysObjects::TsysObjects(TsysMainWindow* owner, TsysResources* resources, TsysEventHandler* events)
    : TsysModule(owner), Events(events), Resources(resources), Factories(DefaultObjectFactories()) {
  EventMask = 0x7FFF;
  Objects.reserve(512);
}

TsysObjects::~TsysObjects() { DeleteAll(); }

TobjBase* TsysObjects::CreateObject(std::int32_t group, std::int32_t objType, double x, double y,
                                    double layer, std::int32_t width, std::int32_t height) {
  if (objType < 0 || objType >= ObjectTypeCount) return nullptr;
  if (!(layer >= 0 && layer < LayerCountValue)) return nullptr;
  if (group < 0 || group >= GroupCountValue) return nullptr;
  if (objType == otMap) layer = 0;
  // 34.5 < 35 would round to 34 but 34.6 would round past the last layer.
  const auto layerIndex = static_cast<std::size_t>(std::min<std::int64_t>(Round(layer), LayerCountValue - 1));
  std::unique_ptr<TobjBase> created = Factories[static_cast<std::size_t>(objType)]
                                          ? Factories[static_cast<std::size_t>(objType)](
                                                Resources, group, objType, x, y, layer, width, height)
                                          : std::make_unique<TobjBase>(Resources, group, objType, x, y, layer,
                                                                       width, height);
  if (!created) return nullptr;
  TobjBase* object = created.get();
  object->Index = Count();
  Objects.push_back(std::move(created));
  Layers[layerIndex].push_back(object);
  MarkSceneChanged();
  Types[static_cast<std::size_t>(objType)].push_back(object);
  Groups[static_cast<std::size_t>(group)].push_back(object);
  Alive.insert(object);
  if (Events != nullptr) Events->Register(object);
  return object;
}

void TsysObjects::BringToFront(TobjBase* object) {
  if (object == nullptr || !IsAlive(object)) return;
  const auto layer = static_cast<std::size_t>(object->GetLayer());
  if (layer >= Layers.size()) return;
  std::vector<TobjBase*>& list = Layers[layer];
  auto it = std::find(list.begin(), list.end(), object);
  if (it != list.end()) std::rotate(it, it + 1, list.end());
}

void TsysObjects::DeleteObject(std::int32_t index) {
  if (index < 0 || index >= Count() || Objects[static_cast<std::size_t>(index)] == nullptr) return;
  std::unique_ptr<TobjBase>& slot = Objects[static_cast<std::size_t>(index)];
  TobjBase* object = slot.get();
  if (object->ObjType < 0 || object->ObjType >= ObjectTypeCount) {
    ShowMessage("", "Object Failed to free");
    return;
  }
  NeedsPack = true;
  MarkSceneChanged();
  if (Events != nullptr) Events->Unregister(object);
  const auto layerIndex = static_cast<std::size_t>(
      std::clamp<std::int64_t>(Round(object->Layer), 0, LayerCountValue - 1));
  Erase(Layers[layerIndex], object);
  Erase(Types[static_cast<std::size_t>(object->ObjType)], object);
  if (object->Group >= 0 && object->Group < GroupCountValue)
    Erase(Groups[static_cast<std::size_t>(object->Group)], object);
  Alive.erase(object);
  object->SetVisible(false);
  Graveyard.push_back(std::move(slot));
}

void TsysObjects::DeleteGroup(std::int32_t group) {
  if (group < 0 || group >= GroupCountValue) return;
  auto& list = Groups[static_cast<std::size_t>(group)];
  while (!list.empty()) {
    const std::size_t before = list.size();
    DeleteObject(list.front()->Index);
    if (list.size() == before) list.erase(list.begin());  // could not be freed
  }
}

void TsysObjects::DeleteAll() {
  for (auto& layer : Layers) layer.clear();
  for (auto& type : Types) type.clear();
  for (std::int32_t i = 0; i < Count(); ++i) DeleteObject(i);
  Objects.clear();
  for (auto& group : Groups) group.clear();
  Graveyard.clear();
  NeedsPack = false;
}

TobjBase* TsysObjects::ObjectAt(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return Objects[static_cast<std::size_t>(index)].get();
}

std::int32_t TsysObjects::LayerSize(std::int32_t layer) const {
  if (layer < 0 || layer >= LayerCountValue) return 0;
  return static_cast<std::int32_t>(Layers[static_cast<std::size_t>(layer)].size());
}

TobjBase* TsysObjects::LayerObject(std::int32_t layer, std::int32_t i) const {
  if (i < 0 || i >= LayerSize(layer)) return nullptr;
  return Layers[static_cast<std::size_t>(layer)][static_cast<std::size_t>(i)];
}

std::int32_t TsysObjects::TypeSize(std::int32_t type) const {
  if (type < 0 || type >= ObjectTypeCount) return 0;
  return static_cast<std::int32_t>(Types[static_cast<std::size_t>(type)].size());
}

TobjBase* TsysObjects::TypeObject(std::int32_t type, std::int32_t i) const {
  if (i < 0 || i >= TypeSize(type)) return nullptr;
  return Types[static_cast<std::size_t>(type)][static_cast<std::size_t>(i)];
}

std::int32_t TsysObjects::GroupSize(std::int32_t group) const {
  if (group < 0 || group >= GroupCountValue) return 0;
  return static_cast<std::int32_t>(Groups[static_cast<std::size_t>(group)].size());
}

TobjBase* TsysObjects::GroupObject(std::int32_t group, std::int32_t i) const {
  if (i < 0 || i >= GroupSize(group)) return nullptr;
  return Groups[static_cast<std::size_t>(group)][static_cast<std::size_t>(i)];
}

void TsysObjects::ProcessEvents() {
  TsysModule::ProcessEvents();
  Graveyard.clear();
  if (!NeedsPack) return;
  Objects.erase(std::remove(Objects.begin(), Objects.end(), nullptr), Objects.end());
  for (std::int32_t i = 0; i < Count(); ++i) Objects[static_cast<std::size_t>(i)]->Index = i;
  NeedsPack = false;
}
