#include "launcher/frm_main.h"

#include <utility>

namespace launcher {

frmMain::frmMain(const MainFormControls& controls, const MainFormServices& services,
                 SharedState& shared)
    : form_(controls.form),
      cmbRun(controls.cmbRun),
      cmdOK(controls.cmdOK),
      cmdCancel(controls.cmdCancel),
      picAbout(controls.picAbout),
      lblTitle(controls.lblTitle),
      lblPlatform(controls.lblPlatform),
      imgRunRaised(controls.imgRunRaised),
      imgSetRaised(controls.imgSetRaised),
      shell_(services.shell),
      environment_(services.environment),
      settings_(services.settings),
      messageBoxes_(services.messageBoxes),
      system_(services.system),
      hotKey_(services.hotKey),
      settingsWindow_(services.settingsWindow),
      shared_(shared) {
  cmbRun.Change = [this] { cmbRun_Change(); };
}

void frmMain::LoadSettings() {
  core::AliasTable table = core::ReadAliasTable(settings_.Load());
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
  core::ProfileFile file = settings_.Load();
  // A file that exists but cannot be read must not be replaced by one that
  // holds only the hot key: the aliases would be lost.
  core::FileAccess& files = settings_.Files();
  if (file.Serialize().empty() && !files.ReadFile(settings_.Path()) &&
      files.FileExistsExactName(environment_.ProgramFolder(), core::kSettingsFileName)) {
    return;
  }
  if (file.Set(core::kSection, core::kHotKeyKey, std::to_wstring(core::kFallbackHotKey))) {
    settings_.Save(file);  // a failed write leaves the file as it was
  }
}

bool frmMain::AboutShown() const { return picAbout.Top() < kAboutShownBelow; }

void frmMain::cmdCancel_Click() {
  if (AboutShown()) picAbout.SetTop(kAboutHiddenTop);
  form_.Hide();
}

void frmMain::cmdEnd_Click() { form_.Unload(); }

}  // namespace launcher
