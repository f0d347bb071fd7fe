// The settings window of the real launcher under Wine: opened with Alt+S,
// driven with keys, observed through its windows, the settings file and
// the launcher's behaviour afterwards.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/unique_handle.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

constexpr wchar_t kSettingsClass[] = L"MirabeltonSettings";
constexpr wchar_t kSettingsTitle[] = L"Mirabeltonの設定";

SettingsWriter OneAlias() {
  return [](const std::filesystem::path& folder) {
    return "[Programs]\r\nTotalNumber=1\r\n1=mail\r\n1R=" + Utf8((folder / L"mail.exe").wstring()) +
           "\r\n";
  };
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

// The descendant that shows exactly this text (a button by its caption).
HWND DescendantWithText(HWND parent, std::wstring_view text) {
  for (HWND child : Descendants(parent)) {
    if (WindowText(child) == std::wstring(text)) return child;
  }
  return nullptr;
}

// The control that has the keyboard focus in window's thread.
HWND GetFocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// Every control of the window shows on the screen: none is still the
// black of a window not painted yet.
bool Painted(HWND window) {
  HDC screen = GetDC(nullptr);
  bool painted = true;
  for (HWND child : Descendants(window)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    const COLORREF pixel = GetPixel(screen, (rect.left + rect.right) / 2, rect.top + 2);
    if (pixel == RGB(0, 0, 0) || pixel == CLR_INVALID) painted = false;
  }
  ReleaseDC(nullptr, screen);
  return painted;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM lParam) {
  auto& [processId, count] = *reinterpret_cast<std::pair<DWORD, int>*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == processId) count += 1 + static_cast<int>(Descendants(window).size());
  return TRUE;
}

int WindowsOf(DWORD processId) {
  std::pair<DWORD, int> search{processId, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class SettingsE2e : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!HasFailure()) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    SaveScreenshot(ArtifactFolder() /
                   (std::string(test->test_suite_name()) + "." + test->name() + ".bmp"));
  }

  LauncherSession& Start(const SettingsWriter& settings) {
    session_.emplace(settings);
    return *session_;
  }
  std::filesystem::path SettingsFile() const { return session_->Folder() / L"Mirabelton.ini"; }

  // Alt+S on the launcher; the settings window once it shows and has the
  // keyboard, or null.
  HWND OpenSettings() {
    HWND window = nullptr;
    auto shown = [&] {
      window = FindTopLevelWindow(session_->ProcessId(), kSettingsClass, kSettingsTitle);
      return window && IsWindowVisible(window) && IsForeground(window);
    };
    // Wine takes the state of the modifier keys from the X server when one
    // of its windows gains the X focus; an injected Alt that meets such a
    // moment is dropped and the S arrives alone, as a letter in the box.
    // That, and only that, is worth a second Alt+S.
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!session_->Press({VK_MENU, 'S'})) break;
      if (!WaitUntil([&] { return shown() || session_->ComboText() == L"s"; })) break;
      if (shown()) return window;
      if (!session_->Present()) break;
    }
    openFailure_ = "Alt+S: settings window " + std::string(window ? "found" : "missing") +
                   (window && IsWindowVisible(window) ? ", shown" : "") +
                   (window && IsForeground(window) ? ", in front" : "") +
                   "; the command box holds \"" + Utf8(session_->ComboText()) + "\"";
    return nullptr;
  }
  ::testing::AssertionResult Closes(HWND window) {
    if (WaitUntil([&] { return !IsWindow(window); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the settings window stayed open";
  }
  // Types a new alias into the two fields, from the list where the focus
  // starts, and presses 追加(&A).
  static bool EnterAlias(const std::wstring& shortName, const std::wstring& realPath) {
    return PressKeys({VK_TAB}) && TypeText(shortName) && PressKeys({VK_TAB}) &&
           TypeText(realPath) && PressKeys({VK_MENU, 'A'});
  }
  static std::optional<LRESULT> ListCount(HWND settings) {
    HWND list = FindDescendant(settings, L"ListBox");  // lstIPath lies above lstRPath
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count))
      return {};
    return static_cast<LRESULT>(count);
  }
  ::testing::AssertionResult Completes(const std::wstring& typed, const std::wstring& completed) {
    if (!session_->Present() || !session_->Type(typed)) {
      return ::testing::AssertionFailure() << "cannot type into the launcher";
    }
    if (WaitUntil([&] { return session_->ComboText() == completed; }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "box holds \"" << Utf8(session_->ComboText()) << "\"";
  }

  std::optional<LauncherSession> session_;
  std::string openFailure_;
};

TEST_F(SettingsE2e, AnAliasAddedAndAppliedIsSavedAndCompletesAtOnce) {
  auto& session = Start(OneAlias());
  const std::filesystem::path note = session.AddProbe(L"note.exe");
  SetCursorPos(0, 0);  // no tooltip in the picture
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings) << openFailure_;
  if (WaitUntil([&] { return Painted(settings); }))
    SaveScreenshot(ArtifactFolder() / "settings-window.bmp");
  EXPECT_FALSE(IsWindowEnabled(session.Window())) << "the launcher takes no input meanwhile";

  ASSERT_TRUE(EnterAlias(L"note", note.wstring()));
  ASSERT_TRUE(WaitUntil([&] { return ListCount(settings) == 2; }));
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  ASSERT_TRUE(Closes(settings));

  const std::string file = ReadBytes(SettingsFile());
  EXPECT_NE(file.find("TotalNumber=2\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("2=note\r\n2R=" + Utf8(note.wstring()) + "\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("HotKey=123\r\n"), std::string::npos) << file;

  EXPECT_TRUE(IsWindowEnabled(session.Window()));
  ASSERT_TRUE(Completes(L"no", L"note"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return !session.ProbeLog().empty(); })) << "note.exe never started";
  EXPECT_NE(session.ProbeLog()[0].find("note.exe"), std::string::npos) << session.ProbeLog()[0];
}

TEST_F(SettingsE2e, CancelEscapeAndTheOpenFileDialogChangeNothing) {
  auto& session = Start(OneAlias());
  const std::string before = ReadBytes(SettingsFile());

  HWND settings = OpenSettings();
  ASSERT_TRUE(settings) << openFailure_;
  ASSERT_TRUE(EnterAlias(L"temp", L"C:\\temp.exe"));
  ASSERT_TRUE(WaitUntil([&] { return ListCount(settings) == 2; }));
  ASSERT_TRUE(PressKeys({VK_MENU, 'C'}));
  ASSERT_TRUE(Closes(settings));

  // The browse button's dialog, cancelled, then Esc in the window.
  settings = OpenSettings();
  ASSERT_TRUE(settings) << openFailure_;
  EXPECT_EQ(ListCount(settings), 1) << "the next opening shows the file, not the cancelled edits";
  HWND browse = DescendantWithText(settings, L"...");
  ASSERT_TRUE(browse);
  PostMessageW(browse, BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = FindTopLevelWindow(session.ProcessId(), L"#32770", L"実在パスを開く");
    return dialog && IsWindowVisible(dialog);
  })) << "no open-file dialog titled 実在パスを開く";
  EXPECT_TRUE(DescendantWithText(dialog, L"すべてのﾌｧｲﾙ (*.*)")) << "the filter lists all files";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(WaitUntil([&] { return IsForeground(settings); }));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  ASSERT_TRUE(Closes(settings));

  EXPECT_EQ(ReadBytes(SettingsFile()), before);
  EXPECT_TRUE(Completes(L"te", L"te")) << "nothing was added to the launcher";
}

TEST_F(SettingsE2e, ASaveThatCannotBeWrittenWarnsAndKeepsTheWindowOpen) {
  auto& session = Start(OneAlias());
  const std::string before = ReadBytes(SettingsFile());
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings) << openFailure_;
  ASSERT_TRUE(EnterAlias(L"kept", L"C:\\kept.exe"));
  ASSERT_TRUE(WaitUntil([&] { return ListCount(settings) == 2; }));

  // As root under Wine a read-only file is written all the same; an open
  // handle that shares reading only stops the replacement.
  UniqueHandle lock(CreateFileW(SettingsFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock);
  ASSERT_TRUE(PressKeys({VK_MENU, 'S'}));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = session.FindMessageBox(L"Mirabelton")) != nullptr; }))
      << "no warning";
  const std::wstring text = MessageBoxText(box).value_or(L"");
  const std::wstring expected = L"設定ファイルに書き込めませんでした\r\n";
  EXPECT_EQ(text.substr(0, expected.size()), expected) << Utf8(text);
  EXPECT_TRUE(text.ends_with(L"\\Mirabelton.ini")) << Utf8(text);
  EXPECT_TRUE(IsWindowVisible(settings));
  EXPECT_EQ(ReadBytes(SettingsFile()), before);

  ASSERT_TRUE(WaitUntil([&] { return IsForeground(box); }));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindowVisible(settings)) << "the window stays open after the warning";
  EXPECT_EQ(ListCount(settings), 2) << "with every edit";

  // With the file free again the same edits are saved. (The button is
  // clicked: keys right after a change of focus may lose their Alt.)
  lock = UniqueHandle();
  HWND apply = DescendantWithText(settings, L"設定(&S)");
  ASSERT_TRUE(apply);
  PostMessageW(apply, BM_CLICK, 0, 0);
  ASSERT_TRUE(Closes(settings));
  EXPECT_NE(ReadBytes(SettingsFile()).find("2=kept\r\n2R=C:\\kept.exe\r\n"), std::string::npos);
}

TEST_F(SettingsE2e, ANewHotKeyPressedIntoTheFieldWorksAtOnce) {
  auto& session = Start(OneAlias());
  HWND settings = OpenSettings();
  ASSERT_TRUE(settings) << openFailure_;
  HWND field = FindDescendant(settings, L"msctls_hotkey32");
  ASSERT_TRUE(field);

  // Shift+Tab from the list reaches the hot-key panel, which hands the
  // focus to its field.
  ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'K'}));
  const LRESULT ctrlShiftK = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
  ASSERT_TRUE(WaitUntil([&] {
    DWORD_PTR value = 0;
    return SendMessageTimeoutW(field, HKM_GETHOTKEY, 0, 0, SMTO_ABORTIFHUNG, 5000, &value) &&
           static_cast<LRESULT>(LOWORD(value)) == ctrlShiftK;
  })) << "the field did not take Ctrl+Shift+K";
  // A modifier pressed in the field would start a new combination, so the
  // way out is Tab alone: round to the list, then on to 設定(&S), where
  // Enter presses the button that has the focus.
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(GetFocusOf(settings)) == L"設定(&S)"; }));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  ASSERT_TRUE(Closes(settings));
  EXPECT_NE(ReadBytes(SettingsFile()).find("HotKey=" + std::to_string(ctrlShiftK) + "\r\n"),
            std::string::npos);

  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'K'}));
  EXPECT_TRUE(WaitUntil([&] { return session.Visible(); }))
      << "Ctrl+Shift+K did not bring the launcher back";
  EXPECT_FALSE(session.FindMessageBox(L"Mirabelton")) << "no fallback message";
}

TEST_F(SettingsE2e, OpeningAndClosingAHundredTimesLeavesNoObjectsBehind) {
  auto& session = Start(OneAlias());
  UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, session.ProcessId()));
  ASSERT_TRUE(process);
  auto cycle = [&]() -> ::testing::AssertionResult {
    HWND settings = OpenSettings();
    if (!settings) return ::testing::AssertionFailure() << openFailure_;
    if (!PressKeys({VK_ESCAPE})) return ::testing::AssertionFailure() << "SendInput refused Esc";
    if (!Closes(settings)) return Closes(settings);
    // The launcher has its command box back before the next Alt+S.
    HWND combo = session.Combo();
    if (!WaitUntil([&] {
          HWND focus = GetFocusOf(session.Window());
          return focus && (focus == combo || GetParent(focus) == combo);
        })) {
      return ::testing::AssertionFailure() << "the command box did not get the focus back";
    }
    return ::testing::AssertionSuccess();
  };
  // The first opening loads classes and libraries for good.
  ASSERT_TRUE(cycle());
  const DWORD gdiBefore = GetGuiResources(process.Get(), GR_GDIOBJECTS);
  const DWORD userBefore = GetGuiResources(process.Get(), GR_USEROBJECTS);
  const int windowsBefore = WindowsOf(session.ProcessId());
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(cycle()) << "opening " << i;
  // Wine answers 0 for both counts; the windows are counted there as well.
  EXPECT_EQ(GetGuiResources(process.Get(), GR_GDIOBJECTS), gdiBefore);
  EXPECT_EQ(GetGuiResources(process.Get(), GR_USEROBJECTS), userBefore);
  EXPECT_EQ(WindowsOf(session.ProcessId()), windowsBefore);
}

}  // namespace
}  // namespace e2e
