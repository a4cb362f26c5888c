// The screen class of each director slot.
#include "core/modScripting.h"
#include "objects/sysForm.h"

TScreenFactories DefaultScreenFactories() {
  TScreenFactories f;
  return f;
}
