#include "core/sysEventHandler.h"

#include <algorithm>

#include "core/sysEventComponent.h"

namespace {

bool Receives(const TsysEventComponent* component, const TsysEvent* event) {
  if (event->Handled || component == nullptr) return false;
  if (component == event->Sender && event->Kind != ekSystem) return false;
  const auto kind = static_cast<std::uint64_t>(static_cast<std::int64_t>(event->Kind));
  return (component->EventMask & kind) == kind;
}

}  // namespace

TsysEventHandler::TsysEventHandler(void* owner) : Owner(owner) {
  Components.reserve(256);
  Pending.reserve(64);
  Retired.reserve(64);
}

TsysEventHandler::~TsysEventHandler() = default;

bool TsysEventHandler::Register(TsysEventComponent* component) {
  if (component == nullptr) return false;
  Components.push_back(component);
  component->OnPost = this;
  return true;
}

void TsysEventHandler::Unregister(TsysEventComponent* component) {
  for (auto& entry : Components)
    if (entry == component) entry = nullptr;
}

TsysEvent* TsysEventHandler::NewEvent() {
  if (Free.empty()) {
    Store.emplace_back();
    return &Store.back();
  }
  TsysEvent* event = Free.back();
  Free.pop_back();
  *event = TsysEvent{};
  return event;
}

void TsysEventHandler::Release(TsysEvent* event) { Free.push_back(event); }

void TsysEventHandler::Post(TsysEvent* event, int mode) {
  if (mode == pmImmediate) {
    Dispatch(event, pmImmediate);
    Release(event);
  } else {
    Pending.push_back(event);
  }
}

void TsysEventHandler::Dispatch(TsysEvent* event, int mode) {
  // Components registered during the dispatch are not visited; the vector may
  // grow meanwhile, so it is walked by index.
  const std::size_t count = Components.size();
  for (std::size_t i = 0; i < count; ++i) {
    TsysEventComponent* component = Components[i];
    if (!Receives(component, event)) continue;
    if (mode == pmImmediate)
      component->HandleEvent(event);
    else
      component->QueueEvent(event);
    if (event->Handled) break;
  }
}

void TsysEventHandler::Tick() {
  if (Components.empty()) return;
  if (Active) {
    for (std::size_t i = 0; i < Pending.size(); ++i) Dispatch(Pending[i], pmQueued);
    for (TsysEvent* event : Retired) Release(event);
    Retired.clear();
    std::swap(Pending, Retired);
    const std::size_t count = Components.size();
    for (std::size_t i = 0; i < count; ++i)
      if (Components[i] != nullptr) Components[i]->ProcessEvents();
  }
  Components.erase(std::remove(Components.begin(), Components.end(), nullptr), Components.end());
  for (TsysEventComponent* component : Components) component->ClearEvents();
}
