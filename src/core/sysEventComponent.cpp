#include "core/sysEventComponent.h"

#include "core/sysEventHandler.h"
#include "core/sysLog.h"

TsysEventComponent::TsysEventComponent() { EventQueue.reserve(8); }

TsysEventComponent::~TsysEventComponent() = default;

void TsysEventComponent::HandleEvent(TsysEvent*) {}

void TsysEventComponent::ProcessEvents() {
  if (!Active) return;
  const std::size_t count = EventQueue.size();
  for (std::size_t i = 0; i < count && i < EventQueue.size(); ++i) {
    CurrentEvent = EventQueue[i];
    if (!CurrentEvent->Handled) HandleEvent(CurrentEvent);
  }
  EventQueue.clear();
}

void TsysEventComponent::QueueEvent(TsysEvent* event) { EventQueue.push_back(event); }

void TsysEventComponent::DeliverEvent(TsysEvent* event) { HandleEvent(event); }

void TsysEventComponent::PostEvent(std::int32_t mode, std::int32_t kind, std::uint16_t code,
                                   std::intptr_t param, std::int32_t value) {
  if (OnPost == nullptr) {
    LogLine("event posted by an unregistered component dropped (kind " + std::to_string(kind) +
            ", code " + std::to_string(code) + ")");
    return;
  }
  TsysEvent* event = OnPost->NewEvent();
  event->Sender = this;
  event->Kind = kind;
  event->Code = code;
  event->Param = param;
  event->Value = value;
  event->Handled = false;
  CurrentEvent = event;
  OnPost->Post(event, mode);
}

void TsysEventComponent::ClearEvents() { EventQueue.clear(); }
