#include "screens/frmBackground.h"

#include "objects/sysScreenIds.h"
#include "objects/sysObjects.h"
#include "screens/frmParts.h"

TfrmBackground::TfrmBackground(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grBackground, -1, true) {}

void TfrmBackground::BuildScreen() {
  for (int i = 0; i < 4; ++i)
    Quarters[static_cast<std::size_t>(i)] =
        frm::Picture(Objects(), Group, (i % 2) * 512, (i / 2) * 384, 1, 512, 384, 1, i);
  Corner = frm::Picture(Objects(), Group, 0, 708, 1, 300, 60, 1, 8);
}
