#include "objects/sysInterface.h"

#include "data/sysResources.h"
#include "objects/sysObjects.h"

TsysInterface::TsysInterface(TsysMainWindow* owner, TsysEventHandler* events, std::string dataPath)
    : Owner(owner), Events(events), DataPath(std::move(dataPath)) {
  Resources = std::make_unique<TsysResources>(owner, DataPath);
  Objects = std::make_unique<TsysObjects>(owner, Resources.get(), events);
}

TsysInterface::~TsysInterface() {
  Objects.reset();
  Resources.reset();
}
