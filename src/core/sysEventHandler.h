#pragma once
// The event bus: delivers records to registered components in registration order.
#include <deque>
#include <vector>

#include "core/sysEvent.h"

class TsysEventComponent;

class TsysEventHandler {
 public:
  explicit TsysEventHandler(void* owner = nullptr);
  ~TsysEventHandler();
  TsysEventHandler(const TsysEventHandler&) = delete;
  TsysEventHandler& operator=(const TsysEventHandler&) = delete;

  bool Register(TsysEventComponent* component);
  // Leaves nil entries; the list is compacted at the end of the next Tick.
  void Unregister(TsysEventComponent* component);
  void Post(TsysEvent* event, int mode);
  void Dispatch(TsysEvent* event, int mode);
  void Tick();

  // A blank record from the bus's pool; records go back to the pool when retired.
  TsysEvent* NewEvent();

  void* Owner;
  std::vector<TsysEventComponent*> Components;
  std::vector<TsysEvent*> Pending;
  std::vector<TsysEvent*> Retired;
  bool Active = true;

 private:
  void Release(TsysEvent* event);

  std::deque<TsysEvent> Store;  // stable addresses; grows to the peak in flight
  std::vector<TsysEvent*> Free;
};
