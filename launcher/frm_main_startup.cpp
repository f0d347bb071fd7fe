#include "core/command_line.h"
#include "launcher/captions.h"
#include "launcher/frm_main.h"

namespace launcher {

namespace {

constexpr wchar_t kHotKeyFailed[] = L"ホットキーの設定ができませんでした";
constexpr wchar_t kFallbackNotice[] = L"F11に仮設定しました";

}  // namespace

bool frmMain::Form_Load() {
  if (!system_.ClaimSingleInstance()) return false;
  lblTitle.SetCaption(VersionCaption(system_.VersionMajor(), system_.VersionMinor()));
  shared_.RunHistory[0].clear();
  shared_.RunHistory[1].clear();
  shared_.RunHistory[2].clear();
  shared_.SettingsEffect.clear();
  lblPlatform.SetCaption(L"Working on " + GetPlatformName(system_.GetOsVersion()));

  const std::wstring arguments = core::ArgumentText(system_.CommandLine());
  UseShellComplete_ = core::HasSwitch(arguments, L"/s") ? 0 : 1;
  if (UseShellComplete_ == 1) {
    system_.CoInitialize();
    system_.AttachShellCompletion();  // without an edit field, no completion and no message
  }

  LoadSettings();
  hotKey_.SetHotKeyRegistered(false);
  RegisterWithFallback();

  const bool startHidden = core::HasSwitch(arguments, L"/h");
  if (startHidden) cmdCancel_Click();
  system_.InstallSubclass();
  if (!startHidden) {
    form_.Show();
    cmbRun.SetFocus();
  }
  return true;
}

void frmMain::Form_QueryUnload() {
  if (hotKey_.HotKeyRegistered()) hotKey_.UnregisterLauncherHotKey();
  system_.RemoveSubclass();
  if (UseShellComplete_ == 1) system_.CoUninitialize();
}

void frmMain::RegisterWithFallback() {
  if (hotKey_.RegisterLauncherHotKey(HotKeyValue_) != 0) return;
  WriteFallbackHotKey();
  if (hotKey_.RegisterLauncherHotKey(HotKeyValue_) != 0) {
    messageBoxes_.Show(std::wstring(kHotKeyFailed) + L"\r\n" + kFallbackNotice, L"Mirabelton",
                       platform::kMbOk | platform::kMbIconExclamation);
  } else {
    messageBoxes_.Show(kHotKeyFailed, L"エラー", platform::kMbOk | platform::kMbIconError);
  }
}

void frmMain::lblSet_Click() {
  settingsWindow_.ShowModal();
  if (shared_.SettingsEffect == kEffected) {
    LoadSettings();
  } else if (shared_.SettingsEffect == kEffectedWithHotKey) {
    LoadSettings();
    if (hotKey_.HotKeyRegistered()) hotKey_.UnregisterLauncherHotKey();
    RegisterWithFallback();
  } else {
    return;  // cancelled: nothing was saved, nothing to pick up
  }
  shared_.SettingsEffect.clear();
}

}  // namespace launcher
