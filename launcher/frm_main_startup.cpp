#include "core/command_line.h"
#include "launcher/captions.h"
#include "launcher/frm_main.h"

namespace launcher {

namespace {

constexpr wchar_t kHotKeyFailed[] = L"ホットキーの設定ができませんでした";
constexpr wchar_t kFallbackNotice[] = L"F11に仮設定しました";

}  // namespace

bool frmMain::Form_Load() {
  if (!system.ClaimSingleInstance()) return false;
  lblTitle.SetCaption(VersionCaption(system.VersionMajor(), system.VersionMinor()));
  shared_.RunHistory[0].clear();
  shared_.RunHistory[1].clear();
  shared_.RunHistory[2].clear();
  shared_.SettingsEffect.clear();
  lblPlatform.SetCaption(L"Working on " + GetPlatformName(system.GetOsVersion()));

  const std::wstring arguments = core::ArgumentText(system.CommandLine());
  UseShellComplete_ = core::HasSwitch(arguments, L"/s") ? 0 : 1;
  if (UseShellComplete_ == 1) {
    system.CoInitialize();
    system.AttachShellCompletion();  // without an edit field, no completion and no message
  }

  LoadSettings();
  hotKey.SetHotKeyRegistered(false);
  RegisterWithFallback();

  const bool startHidden = core::HasSwitch(arguments, L"/h");
  if (startHidden) cmdCancel_Click();
  system.InstallSubclass();
  if (!startHidden) {
    form.Show();
    cmbRun.SetFocus();
  }
  return true;
}

void frmMain::Form_QueryUnload() {
  if (hotKey.HotKeyRegistered()) hotKey.UnregisterLauncherHotKey();
  system.RemoveSubclass();
  if (UseShellComplete_ == 1) system.CoUninitialize();
}

void frmMain::RegisterWithFallback() {
  if (hotKey.RegisterLauncherHotKey(HotKeyValue_) != 0) return;
  WriteFallbackHotKey();
  if (hotKey.RegisterLauncherHotKey(HotKeyValue_) != 0) {
    messageBoxes.Show(std::wstring(kHotKeyFailed) + L"\r\n" + kFallbackNotice, L"Mirabelton",
                      platform::kMbOk | platform::kMbIconExclamation);
  } else {
    messageBoxes.Show(kHotKeyFailed, L"エラー", platform::kMbOk | platform::kMbIconError);
  }
}

void frmMain::lblSet_Click() {
  settingsWindow.ShowModal();
  if (shared_.SettingsEffect == core::kEffected) {
    LoadSettings();
  } else if (shared_.SettingsEffect == core::kEffectedWithHotKey) {
    LoadSettings();
    if (hotKey.HotKeyRegistered()) hotKey.UnregisterLauncherHotKey();
    RegisterWithFallback();
  } else {
    return;  // cancelled: nothing was saved, nothing to pick up
  }
  shared_.SettingsEffect.clear();
}

}  // namespace launcher
