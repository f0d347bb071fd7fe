#include "launcher/frm_main.h"

#include <utility>

#include "core/decimal_text.h"

namespace launcher {

frmMain::frmMain(const MainFormControls& controls, const MainFormServices& services,
                 SharedState& shared)
    : MainFormControls(controls), MainFormServices(services), shared_(shared) {
  cmbRun.Change = [this] { cmbRun_Change(); };
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
