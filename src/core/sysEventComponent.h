#pragma once
// Base of every module, screen and on-screen object: a subscriber of the bus.
#include <cstdint>
#include <vector>

#include "core/sysEvent.h"

class TsysEventHandler;

class TsysEventComponent {
 public:
  TsysEventComponent();
  virtual ~TsysEventComponent();
  TsysEventComponent(const TsysEventComponent&) = delete;
  TsysEventComponent& operator=(const TsysEventComponent&) = delete;

  virtual void HandleEvent(TsysEvent* event);
  // Per-step entry called by the bus; handles the queued events.
  virtual void ProcessEvents();
  virtual void QueueEvent(TsysEvent* event);
  virtual void DeliverEvent(TsysEvent* event);

  // Allocates a record through the bus this component is registered with and
  // posts it. A component that was never registered cannot post.
  void PostEvent(std::int32_t mode, std::int32_t kind, std::uint16_t code, std::intptr_t param,
                 std::int32_t value);
  void ClearEvents();

  std::vector<TsysEvent*> EventQueue;  // records are owned by the bus
  TsysEvent* CurrentEvent = nullptr;
  std::uint64_t EventMask = 0;
  bool Active = true;
  // Set by the bus on registration: where PostEvent sends its records.
  TsysEventHandler* OnPost = nullptr;
};
