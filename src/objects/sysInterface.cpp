#include "objects/sysInterface.h"

#include "data/sysResources.h"
#include "objects/sysObjects.h"

TsysInterface::TsysInterface(TsysMainWindow* owner, TsysEventHandler* events, std::string dataPath,
                             std::string dataFolder, std::string saveFolder)
    : Owner(owner), Events(events), DataPath(std::move(dataPath)), DataFolder(std::move(dataFolder)) {
  if (DataFolder.empty()) DataFolder = DataPath + "data/";
  Resources = std::make_unique<TsysResources>(owner, DataPath, std::move(saveFolder));
  Objects = std::make_unique<TsysObjects>(owner, Resources.get(), events);
}

TsysInterface::~TsysInterface() {
  Objects.reset();
  Resources.reset();
}
