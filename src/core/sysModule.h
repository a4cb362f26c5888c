#pragma once
// Base of every module and screen: a component with an owner window.
#include "core/sysEventComponent.h"

class TsysMainWindow;

class TsysModule : public TsysEventComponent {
 public:
  explicit TsysModule(TsysMainWindow* owner) : Owner(owner) {}

  TsysMainWindow* Owner;
};
