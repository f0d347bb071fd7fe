// The figures that keep the launcher instant with the largest alias list
// the file can hold (32,767 entries).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/settings_file.h"
#include "hotkey/launcher_hot_key.h"
#include "launcher/frm_main.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_file_access.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_file_access.h"

namespace {

constexpr int kAliases = core::kMaxAliases;

std::string LargeSettingsFile() {
  std::string ini = "[Programs]\r\nHotKey=1618\r\nTotalNumber=" + std::to_string(kAliases) + "\r\n";
  for (int i = 1; i <= kAliases; ++i) {
    // Names share long prefixes, the hard case for a prefix search.
    ini += std::to_string(i) + "=alias" + std::to_string(100000 + i) + "\r\n";
    ini +=
        std::to_string(i) + "R=C:\\Program Files\\Tools\\program" + std::to_string(i) + ".exe\r\n";
  }
  return ini;
}

// A launcher form over fakes, holding the large list.
struct Launcher {
  fakes::FakeWindow form;
  fakes::FakeComboBox cmbRun;
  fakes::FakeButton cmdOK, cmdCancel, cmdOther, cmdEnd;
  fakes::FakePicture imgRun, imgSet;
  fakes::FakePanel picAbout{960};
  fakes::FakeLabel lblTitle, lblPlatform, lblClose, lblBlue, lblRun, lblSet, lblHide, lblEnd;
  fakes::FakeShell shell;
  fakes::FakeEnvironment environment;
  fakes::FakeMessageBoxes messageBoxes;
  fakes::FakeStartupServices system;
  fakes::FakeHotKeyService hotKeyService;
  hotkey::LauncherHotKey hotKey{hotKeyService};
  fakes::FakeSettingsWindowHost settingsWindow;
  fakes::MemoryFileAccess files;
  posix::IconvCodePage ansi{"CP932"};
  core::SettingsStore store{files, ansi, core::FileEncoding::Ansi, L"/bench/Mirabelton.ini"};
  core::SharedState shared;
  launcher::frmMain main{
      {form, cmbRun, cmdOK, cmdCancel, cmdOther, cmdEnd, picAbout, lblTitle, lblPlatform, lblClose,
       lblBlue, lblRun, lblSet, lblHide, lblEnd, imgRun, imgSet},
      {shell, environment, store, messageBoxes, system, hotKey, settingsWindow},
      shared};
  Launcher() { files.files[L"/bench/Mirabelton.ini"] = LargeSettingsFile(); }
};

// One keystroke: the change handler's search and completion, over the whole list.
void BM_CompletionStep(benchmark::State& state) {
  Launcher launcher;
  launcher.main.LoadSettings();
  launcher.main.cmbRun_KeyDown('A', 0);
  const std::wstring texts[] = {L"alias13276", L"alias1", L"nomatch", L"ALIAS132767"};
  launcher.cmbRun.SetText(L"a");  // the index is built once, at the first search
  std::size_t i = 0;
  for (auto _ : state) {
    launcher.cmbRun.SetText(texts[i++ % 4]);
    benchmark::DoNotOptimize(launcher.main.MatchIndex());
  }
}
BENCHMARK(BM_CompletionStep)->Unit(benchmark::kMicrosecond);

void BM_LoadSettings(benchmark::State& state) {
  Launcher launcher;
  for (auto _ : state) {
    launcher.main.LoadSettings();
    launcher.cmbRun.SetText(L"a");  // includes building the search index
    benchmark::DoNotOptimize(launcher.main.RealPaths().size());
  }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

// The core's part of loading: parsing the file and reading every alias.
void BM_ReadAliasTable(benchmark::State& state) {
  const std::string bytes = LargeSettingsFile();
  posix::IconvCodePage ansi{"CP932"};
  for (auto _ : state) {
    const core::AliasTable table =
        core::ReadAliasTable(core::ProfileFile::Parse(bytes, ansi, core::FileEncoding::Ansi));
    benchmark::DoNotOptimize(table.realPaths.size());
  }
}
BENCHMARK(BM_ReadAliasTable)->Unit(benchmark::kMillisecond);

// What apply does: the file loaded, every key rewritten, the file replaced
// on disk.
void BM_SaveSettings(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("mirabelton-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::wstring path = (folder / "Mirabelton.ini").wstring();
  posix::PosixFileAccess files;
  posix::IconvCodePage ansi{"CP932"};
  core::SettingsStore store(files, ansi, core::FileEncoding::Ansi, path);
  files.ReplaceFile(path, LargeSettingsFile());
  for (auto _ : state) {
    const core::UpdateResult result = store.Update([](core::ProfileFile& file) {
      file.Set(core::kSection, core::kHotKeyKey, L"1618");
      file.Set(core::kSection, core::kTotalNumberKey, std::to_wstring(kAliases));
      for (int i = 1; i <= kAliases; ++i) {
        file.Set(core::kSection, core::ShortNameKey(i), L"alias" + std::to_wstring(200000 + i));
        file.Set(core::kSection, core::RealPathKey(i),
                 L"C:\\Tools\\p" + std::to_wstring(i) + L".exe");
      }
      return true;
    });
    if (result != core::UpdateResult::kSaved) state.SkipWithError("save failed");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
