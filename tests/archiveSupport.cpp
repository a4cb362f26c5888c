#include "archiveSupport.h"

#include <map>
#include <memory>

#include "data/sysResources.h"
#include "testSupport.h"

namespace {

struct TLoaded {
  TTempDir Folder;  // the resources object's own folder, so nothing is written beside the data
  TsysResources Res{nullptr, Folder.Path()};
  std::vector<const TImage*> Images;
};

}  // namespace

const std::vector<const TImage*>& BuiltArchive(const std::string& name) {
  static std::map<std::string, std::unique_ptr<TLoaded>> loaded;
  auto& slot = loaded[name];
  if (!slot) {
    slot = std::make_unique<TLoaded>();
    const TImageSet* set = slot->Res.ImageSet(slot->Res.LoadArchive(std::string(PLOTFRAY_DATA_DIR) + name));
    for (std::int32_t i = 0; set != nullptr && i < set->Count(); ++i) slot->Images.push_back(set->Image(i));
  }
  return slot->Images;
}
