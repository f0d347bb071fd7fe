#include "launcher/frm_main.h"

#include <utility>

#include "core/decimal_text.h"

namespace launcher {

frmMain::frmMain(const MainFormControls& controls, const MainFormServices& services,
                 core::SharedState& shared)
    : MainFormControls(controls), MainFormServices(services), shared_(shared) {
  auto& bind = bindings_;
  bind.Bind(form.KeyDown, this, &frmMain::Form_KeyDown);
  bind.Bind(form.QueryUnload, this, &frmMain::Form_QueryUnload);
  bind.Bind(cmbRun.Change, this, &frmMain::cmbRun_Change);
  bind.Bind(cmbRun.KeyDown, this, &frmMain::cmbRun_KeyDown);
  bind.Bind(cmbRun.OLEDragOver, this, &frmMain::cmbRun_OLEDragOver);
  bind.Bind(cmbRun.OLEDragDrop, this, &frmMain::cmbRun_OLEDragDrop);
  bind.Bind(cmdOK.Click, this, &frmMain::cmdOK_Click);
  bind.Bind(cmdCancel.Click, this, &frmMain::cmdCancel_Click);
  bind.Bind(cmdOther.Click, this, &frmMain::cmdOther_Click);
  bind.Bind(cmdEnd.Click, this, &frmMain::cmdEnd_Click);
  bind.Bind(lblBlue.MouseDown, this, &frmMain::lblBlue_MouseDown);
  bind.Bind(lblBlue.MouseMove, this, &frmMain::lblBlue_MouseMove);
  bind.Bind(lblBlue.MouseUp, this, &frmMain::lblBlue_MouseUp);
  bind.Bind(lblRun.MouseDown, [this](int, int, double, double) { lblRun_MouseDown(); });
  bind.Bind(lblRun.MouseUp, [this](int, int, double, double) { lblRun_MouseUp(); });
  bind.Bind(lblRun.Click, this, &frmMain::lblRun_Click);
  bind.Bind(lblSet.MouseDown, [this](int, int, double, double) { lblSet_MouseDown(); });
  bind.Bind(lblSet.MouseUp, [this](int, int, double, double) { lblSet_MouseUp(); });
  bind.Bind(lblSet.Click, this, &frmMain::lblSet_Click);
  bind.Bind(lblHide.Click, this, &frmMain::lblHide_Click);
  bind.Bind(lblEnd.Click, this, &frmMain::lblEnd_Click);
  bind.Bind(lblClose.Click, this, &frmMain::lblClose_Click);
}

void frmMain::LoadSettings() {
  core::AliasTable table = core::ReadAliasTable(settings.Load());
  TotalNumberText_ = std::move(table.totalNumberText);
  RealPaths_ = std::move(table.realPaths);
  HotKeyValue_ = table.hotKeyValue;
  // Clearing also empties the box's text, and raises no change, so the
  // last match stays as it was until the next change of the text.
  cmbRun.Clear();
  cmbRun.SetItems(std::move(table.shortNames));
}

void frmMain::WriteFallbackHotKey() {
  HotKeyValue_ = core::kFallbackHotKey;
  // A failed write, or a file that could not be read, stays as it was.
  settings.Update([](core::ProfileFile& file) {
    return file.Set(core::kSection, core::kHotKeyKey, core::DecimalText(core::kFallbackHotKey));
  });
}

bool frmMain::AboutShown() const { return picAbout.Top() < kAboutShownBelow; }

void frmMain::cmdCancel_Click() {
  if (AboutShown()) picAbout.SetTop(kAboutHiddenTop);
  form.Hide();
}

void frmMain::cmdEnd_Click() { form.Unload(); }

}  // namespace launcher
