// The real launcher under Wine, driven by keys, the pointer and drops, and
// observed through its windows and probe.exe: each alias opens a copy of
// probe.exe named for it, so the probe's log tells which one was opened.
#include <gtest/gtest.h>
#include <shlobj.h>  // DROPFILES

#include <atomic>
#include <cstring>

#include "tests/e2e/harness.h"
#include "tests/fakes/settings_text.h"

namespace e2e {
namespace {

using Log = std::vector<std::string>;

// Aliases opening <name>.exe, each a probe in the session's folder.
SettingsWriter Probes(const std::vector<std::string>& names) {
  return [names](const std::filesystem::path& folder) {
    fakes::Aliases aliases;
    for (const std::string& name : names) {
      aliases.push_back({name, Utf8((folder / (name + ".exe")).wstring())});
      std::filesystem::copy_file(folder / L"probe.exe", folder / (name + ".exe"));
    }
    return fakes::SettingsText(aliases);
  };
}

POINT At(HWND window, int x, int y) {  // from the window's top left, on the screen
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left + x, rect.top + y};
}

// The about panel's top below the window's, in pixels.
LONG AboutPanelOffset(const LauncherSession& session) {
  HWND panel = FindChild(session.Window(), L"MirabeltonAboutPanel");
  return panel ? At(panel, 0, 0).y - At(session.Window(), 0, 0).y : -1;
}

// The pictures are the README's.
TEST(LauncherE2e, TheHotKeyShowsTheStripWhichCompletesOpensHidesAndShowsAbout) {
  E2E_SKIP_UNLESS_96_DPI();
  machine::UseRealPixels();
  SetCursorPos(0, 0);  // no tooltip in the pictures
  LauncherSession session(Probes({"notepad", "mail"}), L"/h", false);
  ASSERT_FALSE(session.Visible());
  for (const wchar_t* typed : {L"m", L"n"}) {  // the second time with text left behind
    ASSERT_TRUE(session.Present()) << "F12 did not show the launcher with an empty box in front";
    if (*typed == L'n') SaveScreenshot("ChromeE2e.launcher");
    ASSERT_TRUE(TypeText(typed));  // straight into the box: it has the focus
    ASSERT_TRUE(session.BoxHolds(*typed == L'm' ? L"mail" : L"notepad"));
    if (*typed == L'm') {
      ASSERT_TRUE(session.Press({VK_ESCAPE}) && session.Hides()) << "Esc did not hide";
    }
  }
  RECT rect{};
  GetWindowRect(session.Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, 50);
  EXPECT_NEAR(rect.left + 120, GetSystemMetrics(SM_CXSCREEN) / 2, 1);  // centred
  EXPECT_EQ(GetWindowLongW(session.Window(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_EQ(session.Selection(), MAKELONG(1, 7)) << "the completed part is selected";
  SaveScreenshot("ChromeE2e.launcher-completed");
  ASSERT_TRUE(session.Press({VK_RETURN}));
  EXPECT_EQ(session.ProbeLog(1), Log{"notepad.exe"});
  EXPECT_TRUE(session.Hides());

  // The about panel slides up over the box and its Cancel takes the focus:
  // Enter hides the launcher, and the hot key brings it back without it.
  EXPECT_GE(AboutPanelOffset(session), 50);
  ASSERT_TRUE(session.Run(L"@about"));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  SaveScreenshot("ChromeE2e.launcher-about");
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(session.Hides());
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);  // put away, 1000 twips

  // F4 opens the list of every short name, in file order, not sorted.
  ASSERT_TRUE(session.Present() && session.Press({VK_F4}));
  HWND list = session.AwaitWindow(L"ComboLBox", nullptr);
  ASSERT_TRUE(list) << "F4 did not open the list";
  std::vector<std::string> shown(static_cast<size_t>(SendBounded(list, LB_GETCOUNT).value_or(0)));
  for (size_t i = 0; i < shown.size(); ++i) {
    wchar_t text[64] = {};
    SendBounded(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    shown[i] = Utf8(text);
  }
  EXPECT_EQ(shown, (Log{"notepad", "mail"}));
}

TEST(LauncherE2e,
     PrevAndReBringBackEarlierCommandsASecondStartEndsMyPathOpensTheFolderAndExitEnds) {
  LauncherSession session(Probes({"a1", "a2", "a3"}));
  for (size_t i = 1; i <= 3; ++i) {  // one at a time, so that the log keeps their order
    ASSERT_TRUE(session.Run(L"a" + std::to_wstring(i)));
    ASSERT_EQ(session.ProbeLog(i).size(), i);
    ASSERT_TRUE(session.Hides());
  }
  ASSERT_TRUE(session.Run(L"@prev 2"));
  ASSERT_EQ(session.ProbeLog(4).size(), 4u);
  ASSERT_TRUE(session.Run(L"@re"));
  ASSERT_TRUE(session.BoxHolds(L"@prev 2"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  EXPECT_EQ(session.ProbeLog(5), (Log{"a1.exe", "a2.exe", "a3.exe", "a1.exe", "a1.exe"}));

  // A second start ends at once and shows no window while it runs (its
  // hidden window exists for a moment), and this one runs on.
  DWORD second = 0, code = STILL_ACTIVE;
  const Handle process = StartProgram(session.Folder() / L"Mirabelton.exe", L"", &second);
  HWND shown = nullptr;
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
       !shown && WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT &&
       std::chrono::steady_clock::now() < end;) {
    shown = FindTopLevelWindow(second, nullptr, nullptr, true);
  }
  EXPECT_EQ(shown, nullptr) << "the second start showed a window";
  EXPECT_EQ(WaitForSingleObject(process.get(), 20'000), WAIT_OBJECT_0) << "it kept running";
  TerminateProcess(process.get(), 1);
  EXPECT_TRUE(GetExitCodeProcess(process.get(), &code) && code == 0) << "exit code " << code;

  // @mypath asks the shell to open the program's folder. Wine's shell starts
  // explorer.exe by its bare name, so a probe beside the launcher takes its
  // place and logs the very folder asked for. Windows opens folders inside
  // its running shell, where nothing stands in: there this step is left out.
  if (RunningUnderWine()) {
    std::filesystem::copy_file(session.Folder() / L"probe.exe", session.Folder() / L"explorer.exe");
    ASSERT_TRUE(session.Run(L"@mypath"));
    EXPECT_EQ(session.ProbeLog(6).back(),
              "explorer.exe \"" + Utf8(session.Folder().wstring()) + "\"");
  }

  ASSERT_TRUE(session.Run(L"@exit"));  // the host tests show that it lets go of the hot key
  ASSERT_TRUE(WaitUntil([&] { return session.ExitCode().has_value(); })) << "it still runs";
  EXPECT_EQ(session.ExitCode(), 0u);
}

TEST(LauncherE2e, ATakenKeyFallsBackToF11AndATakenF11ShowsTheError) {
  // Keys held as other programs would hold them: F12, then F12 and F11;
  // let go when the test ends, as its process may run the next test.
  struct LetGo {
    ~LetGo() {
      for (int key : {VK_F12, VK_F11}) UnregisterHotKey(nullptr, key);
    }
  } letGo;
  for (const auto& [held, title, text] :
       {std::tuple{VK_F12, L"Mirabelton",
                   L"ホットキーの設定ができませんでした\r\nF11に仮設定しました"},
        std::tuple{VK_F11, L"エラー", L"ホットキーの設定ができませんでした"}}) {
    // A launcher of an earlier test may still be letting go of the key.
    ASSERT_TRUE(WaitUntil([&] { return RegisterHotKey(nullptr, held, 0, held) != FALSE; }));
    LauncherSession session(Probes({"mail"}), L"", false);
    HWND box = session.AwaitWindow(L"#32770", title);
    ASSERT_TRUE(box) << "no message box titled " << Utf8(title);
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_TRUE(session.SettingsBytes().ends_with("\r\nHotKey=122\r\n"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return session.Visible(); })) << "start-up did not go on";
    if (held == VK_F11) continue;
    ASSERT_TRUE(session.Press({VK_ESCAPE}) && session.Hides());
    ASSERT_TRUE(PressKeys({VK_F11}));
    EXPECT_TRUE(WaitUntil([&] { return session.Visible(); })) << "F11 did not show the launcher";
  }
}

// The source of a drag that the test moves by injected moves (no button:
// the system gives a button's state only to the foreground thread); it
// drops once `release` is set. Each turn of the drag loop that goes on
// asks it for the feedback to show, after the target under the pointer
// answered: `turns` counts them.
struct DropSource final : IDropSource {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    const bool known =
        IsEqualIID(iid, __uuidof(IDropSource)) || IsEqualIID(iid, __uuidof(IUnknown));
    *object = known ? this : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : release ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
    ++turns;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  std::atomic<bool> release{false};
  std::atomic<int> turns{0};
};

// Drags the bytes, in this clipboard format, from start onto target and
// drops them; the effect the drop ended with. OLE's data object over the
// clipboard carries them, so no data object of our own is needed.
DWORD DragAndDrop(UINT format, const std::wstring& bytes, POINT start, POINT target) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  // A clipboard opened without a window takes no data once emptied.
  HWND owner =
      CreateWindowW(L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  IDataObject* data = nullptr;
  const bool offered = OpenClipboard(owner) && EmptyClipboard() &&
                       SetClipboardData(format, memory) && CloseClipboard() &&
                       SUCCEEDED(OleGetClipboard(&data));
  DestroyWindow(owner);
  if (!offered) return ADD_FAILURE() << "no data on the clipboard", DROPEFFECT_NONE;
  DropSource source;
  std::thread hand([&] {
    // A turn may have read the pointer before it moved; the next one after
    // that meets the target where the pointer now is.
    const bool over =
        WaitUntil([&] { return source.turns > 0; }) && MovePointer(target) &&
        WaitUntil([&, moved = source.turns.load()] { return source.turns > moved + 1; });
    if (!over) ADD_FAILURE() << "the drag loop never turned with the pointer over the target";
    source.release = true;
  });
  MovePointer(start);
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  hand.join();
  data->Release();
  return effect;
}

// A CF_HDROP block: the header, then each name ending in NUL, then a NUL.
std::wstring FileList(const std::vector<std::wstring>& files) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::wstring block(sizeof header / sizeof(wchar_t), L'\0');
  std::memcpy(block.data(), &header, sizeof header);
  for (const std::wstring& file : files) block += file + L'\0';
  return block + L'\0';
}

TEST(LauncherE2e, AFileDroppedOnTheCommandBoxBecomesItsText) {
  E2E_SKIP_UNLESS_96_DPI();
  machine::UseRealPixels();
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  LauncherSession session(Probes({"notepad"}));
  ASSERT_TRUE(session.Present() && session.Type(L"no"));
  ASSERT_TRUE(session.BoxHolds(L"notepad"));
  const POINT start = At(session.Window(), 120, 120), box = At(session.Window(), 90, 34);
  ASSERT_TRUE(IsChild(FindChild(session.Window(), L"ComboBox"), WindowFromPoint(box)));
  EXPECT_EQ(DragAndDrop(CF_UNICODETEXT, std::wstring(L"C:\\plain.txt", 13), start, box),
            static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(session.ComboText(), L"notepad");
  // The same drag with a file list, taken where the text was refused: the
  // refusal was the box's. The file is a probe, so opening it would show.
  const std::filesystem::path file = session.Folder() / L"my edit.exe";
  std::filesystem::copy_file(session.Folder() / L"probe.exe", file);
  EXPECT_EQ(DragAndDrop(CF_HDROP, FileList({file.wstring(), L"C:\\b.txt"}), start, box),
            static_cast<DWORD>(DROPEFFECT_COPY))
      << "no file list is taken there either: the drags never reached the box";
  EXPECT_TRUE(session.BoxHolds(file.wstring()));
  EXPECT_TRUE(session.Visible());
  // Nothing is opened: a launch would have logged by then.
  EXPECT_FALSE(WaitUntil([&] { return !session.ProbeLog().empty(); }, std::chrono::seconds(3)));
  OleUninitialize();
}

}  // namespace
}  // namespace e2e
