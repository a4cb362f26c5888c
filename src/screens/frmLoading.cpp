#include "screens/frmLoading.h"

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "objects/sysScreenIds.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

namespace {
// The panel and the backdrop's quarters in core.asdb, shown by this screen alone.
constexpr std::int32_t OwnPictures[] = {3, 4, 5, 6, 7};
}  // namespace

TfrmLoading::TfrmLoading(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grLoading, sidLoading, false) {}

void TfrmLoading::BuildScreen() {
  TsysObjects* objects = Objects();
  // The backdrop's four quarters: its main item is the first of them.
  Backdrop = frm::Picture(objects, Group, 0, 0, 9, 1024, 768, 0, 4);
  Backdrop->MainItem->Width = 512;
  Backdrop->MainItem->Height = 384;
  const double quarters[3][2] = {{512, 0}, {0, 384}, {512, 384}};
  for (int i = 0; i < 3; ++i)
    Backdrop->AddPicture(0, 5 + i, 0, TTexCoord{}, TPointD{quarters[i][0], quarters[i][1]}, TPointI{512, 384},
                         0xFFFFFF, 255);

  Panel = frm::Picture(objects, Group, (1024 - 450) / 2, (768 - 232) / 2, 10, 450, 232, 0, 3);

  Strip = objects->CreateObject(Group, otStatic, 272, 728, 10, 480, 20);
  Strip->Space = csScreen;
  Strip->MainItem->Visible = false;
  Status = Strip->AddText();
  Status->SetColor(0x000000);
  Status->SetImage(0, 2, 0);
  Status->SetText(Tr("LOADING GAME DATA..."), 14, false, false, false, true, true);

  for (TobjBase* o : {Backdrop, Panel, Strip}) o->SetAlpha(255);
  Status->SetAlpha(255);
}

void TfrmLoading::FreeScreen() {
  TsysForm::FreeScreen();
  // Read again from the archive should the screen ever come back.
  if (TImageSet* core = Resources() != nullptr ? Resources()->ImageSet(0) : nullptr)
    for (std::int32_t image : OwnPictures) core->Release(image);
}
