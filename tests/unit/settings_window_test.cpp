// The real settings window, built in this process over an in-memory
// settings file: what the layout table becomes, and that notifications
// reach the form. Windows only.
#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>
#undef ReplaceFile

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/settings_window.h"
#include "settings/frm_set_layout.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_file_access.h"
#include "tests/fakes/test_code_page.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\Tools\\Mirabelton";
constexpr wchar_t kPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) { return win32::WindowText(hwnd); }

// A data object offering nothing but, optionally, a file list.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(std::vector<std::wstring> files, bool offerFiles = true)
      : files_(std::move(files)), offerFiles_(offerFiles) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::wstring names;
    for (const auto& file : files_) names += file + L'\0';
    names += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL global = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(global));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(),
           names.size() * sizeof(wchar_t));
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return offerFiles_ && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::wstring> files_;
  bool offerFiles_;
};

class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    files.files[kPath] =
        "[Programs]\r\nHotKey=1626\r\nTotalNumber=3\r\n1=mail\r\n1R=C:\\mail.exe\r\n2=web\r\n"
        "2R=https://example.org/\r\n3=calc\r\n3R=C:\\calc.exe\r\n";
    files.exactNames.insert({kFolder, L"Mirabelton.ini"});
    window =
        std::make_unique<win32::SettingsWindow>(GetModuleHandleW(nullptr), nullptr, store, shared);
    ASSERT_TRUE(window->Create());
    dpi = win32::WindowDpi(window->Handle());
  }
  void TearDown() override {
    window.reset();
    if (oleInitialized_) OleUninitialize();
  }
  HWND Control(const char* name) { return window->Control(name); }
  HWND HotKeyField() {
    return FindWindowExW(Control("picHotkey"), nullptr, L"msctls_hotkey32", nullptr);
  }
  int Px(int twips) const { return win32::TwipsToPixels(twips, dpi); }
  RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, window->Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  void Click(const char* name) { SendMessageW(Control(name), BM_CLICK, 0, 0); }

  fakes::MemoryFileAccess files;
  std::unique_ptr<core::AnsiCodePage> codePage = fakes::MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Ansi, kPath};
  launcher::SharedState shared;
  std::unique_ptr<win32::SettingsWindow> window;
  UINT dpi = 96;
  bool oleInitialized_ = false;
};

TEST_F(SettingsWindowTest, AFixedDialogFrameWithTheTitleAndClientSize) {
  HWND hwnd = window->Handle();
  EXPECT_EQ(TextOf(hwnd), L"Mirabeltonの設定");
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, Px(5295));
  EXPECT_EQ(client.bottom, Px(3330));

  RECT frame{};
  GetWindowRect(hwnd, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR((frame.left + frame.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
}

TEST_F(SettingsWindowTest, AMoveToAMonitorOfAnotherDpiLaysTheWindowOutAgain) {
  RECT suggested{100, 100, 700, 500};
  SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  dpi = 144;
  RECT client{};
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.right, Px(5295));
  EXPECT_EQ(client.bottom, Px(3330));
  const RECT set = ClientRectOf(Control("cmdSet"));
  EXPECT_EQ(set.left, Px(2280));
  EXPECT_EQ(set.bottom - set.top, Px(345));
  RECT interior{}, field{};
  GetClientRect(Control("picHotkey"), &interior);
  GetWindowRect(HotKeyField(), &field);
  EXPECT_EQ(field.right - field.left, interior.right);
}

TEST_F(SettingsWindowTest, EveryControlOfTheTableIsAStandardControlInItsPlace) {
  for (const auto& layout : settings::kSetLayout) {
    HWND control = Control(layout.name);
    ASSERT_NE(control, nullptr) << layout.name;
    const RECT rect = ClientRectOf(control);
    EXPECT_EQ(rect.left, Px(layout.left)) << layout.name;
    EXPECT_EQ(rect.top, Px(layout.top)) << layout.name;
    if (layout.kind == settings::ControlKind::Label) continue;  // sized to their text
    EXPECT_EQ(rect.right - rect.left, Px(layout.width)) << layout.name;
    EXPECT_EQ(rect.bottom - rect.top, Px(layout.height)) << layout.name;
    EXPECT_EQ(TextOf(control), layout.text) << layout.name;
  }
  EXPECT_EQ(ClassOf(Control("lstIPath")), L"ListBox");
  EXPECT_EQ(ClassOf(Control("txtIPath")), L"Edit");
  EXPECT_EQ(ClassOf(Control("txtRPath")), L"Edit");
  EXPECT_EQ(ClassOf(Control("cmdSet")), L"Button");
  EXPECT_EQ(TextOf(Control("Label1")), L"呼び出しに使うホットキー");
  EXPECT_EQ(GetDlgCtrlID(Control("cmdCancel")), IDCANCEL);
  for (const char* name : {"cmdAdd", "cmdDel", "cmdEdit", "cmdSet", "cmdCancel", "cmdDialog"}) {
    EXPECT_EQ(GetWindowLongPtrW(Control(name), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << name;
  }

  // The hot-key field fills the panel's interior and shows the stored key.
  HWND field = HotKeyField();
  ASSERT_NE(field, nullptr);
  RECT interior{}, fieldRect{};
  GetClientRect(Control("picHotkey"), &interior);
  GetWindowRect(field, &fieldRect);
  EXPECT_EQ(fieldRect.right - fieldRect.left, interior.right);
  EXPECT_EQ(fieldRect.bottom - fieldRect.top, interior.bottom);
  EXPECT_EQ(LOWORD(SendMessageW(field, HKM_GETHOTKEY, 0, 0)), 1626);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(SettingsWindowTest, TabOrderToolTipsAndTheHiddenPathList) {
  ShowWindow(window->Handle(), SW_SHOWNA);
  std::vector<std::string> order;
  std::map<HWND, std::string> names;
  for (const auto& layout : settings::kSetLayout) names[Control(layout.name)] = layout.name;
  HWND control = Control("lstIPath");
  for (int i = 0; i < 11; ++i) {
    order.push_back(names[control]);
    control = GetNextDlgTabItem(window->Handle(), control, FALSE);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"lstIPath", "txtIPath", "txtRPath", "cmdDialog",
                                             "cmdEdit", "cmdAdd", "cmdDel", "cmdSet", "cmdCancel",
                                             "picHotkey", "lstIPath"}));
  // lstRPath lies right beneath lstIPath and takes neither mouse nor focus.
  EXPECT_EQ(GetWindow(Control("lstIPath"), GW_HWNDNEXT), Control("lstRPath"));
  EXPECT_FALSE(IsWindowEnabled(Control("lstRPath")));

  HWND tips = window->ToolTip();
  ASSERT_NE(tips, nullptr);
  std::map<std::string, std::wstring> texts;
  const int count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool));
    texts[names[reinterpret_cast<HWND>(tool.uId)]] = text;
  }
  EXPECT_EQ(texts,
            (std::map<std::string, std::wstring>{{"cmdDialog", L"参照"},
                                                 {"Label3", L"Ｗクリックで短縮名・実在パス名表示"},
                                                 {"Label4", L"Ｄ＆Ｄで参照可能"},
                                                 {"Label5", L"Ｄ＆Ｄで参照可能"}}));

  // Tabbing onto the panel hands the focus to the field inside it, and
  // tabbing on from the field leaves the panel.
  SetFocus(Control("picHotkey"));
  EXPECT_EQ(GetFocus(), HotKeyField());
  EXPECT_EQ(GetNextDlgTabItem(window->Handle(), HotKeyField(), FALSE), Control("lstIPath"));
  EXPECT_EQ(GetNextDlgTabItem(window->Handle(), HotKeyField(), TRUE), Control("cmdCancel"));
}

TEST_F(SettingsWindowTest, TheListsAreLoadedAndEditedThroughTheRealControls) {
  HWND names = Control("lstIPath");
  HWND paths = Control("lstRPath");
  EXPECT_EQ(SendMessageW(names, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(names, LB_GETCURSEL, 0, 0), 0);
  // Nobody sees the paths' list: they stay out of its window.
  EXPECT_EQ(SendMessageW(paths, LB_GETCOUNT, 0, 0), 0);

  SetWindowTextW(Control("txtIPath"), L"メモ帳");
  SetWindowTextW(Control("txtRPath"), L"C:\\Windows\\notepad.exe");
  Click("cmdAdd");
  EXPECT_EQ(SendMessageW(names, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(TextOf(Control("txtIPath")), L"");

  // A double click on an entry fetches it; one on a field empties it.
  SendMessageW(names, LB_SETCURSEL, 3, 0);
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(names), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(names));
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(names), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(names));
  EXPECT_EQ(TextOf(Control("txtIPath")), L"メモ帳");
  EXPECT_EQ(TextOf(Control("txtRPath")), L"C:\\Windows\\notepad.exe");
  SendMessageW(Control("txtRPath"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(TextOf(Control("txtRPath")), L"");
  EXPECT_EQ(TextOf(Control("txtIPath")), L"メモ帳");

  // Overwrite keeps the entry selected in both lists.
  SetWindowTextW(Control("txtRPath"), L"C:\\Tools\\memo.exe");
  Click("cmdEdit");
  EXPECT_EQ(SendMessageW(names, LB_GETCURSEL, 0, 0), 3);
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(names), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(names));
  EXPECT_EQ(TextOf(Control("txtRPath")), L"C:\\Tools\\memo.exe");
  EXPECT_EQ(window->Form().RPath()[4], L"C:\\Tools\\memo.exe");

  Click("cmdSet");
  EXPECT_EQ(window->Handle(), nullptr);
  EXPECT_EQ(shared.SettingsEffect, L"Effected");
  EXPECT_NE(files.files[kPath].find("4=\x83\x81\x83\x82\x92\xA0\r\n4R=C:\\Tools\\memo.exe\r\n"),
            std::string::npos);
}

TEST_F(SettingsWindowTest, OnlyAButtonWithTheFocusIsTheDefault) {
  ShowWindow(window->Handle(), SW_SHOW);
  SetForegroundWindow(window->Handle());
  SetFocus(Control("cmdAdd"));
  EXPECT_EQ(GetWindowLongPtrW(Control("cmdAdd"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(SendMessageW(Control("cmdAdd"), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  SetFocus(Control("txtIPath"));
  EXPECT_EQ(GetWindowLongPtrW(Control("cmdAdd"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(SettingsWindowTest, EscapeAndTheCloseBoxCancel) {
  SendMessageW(window->Handle(), WM_COMMAND, IDCANCEL, 0);  // what the dialog manager sends for Esc
  EXPECT_EQ(window->Handle(), nullptr);
  EXPECT_EQ(shared.SettingsEffect, L"");
  EXPECT_EQ(files.replaceCalls, 0);

  window =
      std::make_unique<win32::SettingsWindow>(GetModuleHandleW(nullptr), nullptr, store, shared);
  ASSERT_TRUE(window->Create());
  SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window->Handle(), nullptr);
  EXPECT_EQ(files.replaceCalls, 0);
}

TEST_F(SettingsWindowTest, BothFieldsTakeFileListsDroppedOnThem) {
  for (const char* name : {"txtIPath", "txtRPath"}) {
    win32::FileDropTarget* target = window->DropTargetOf(name);
    ASSERT_NE(target, nullptr) << name;
    FileListData text({}, false);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(&text, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();

    SetWindowTextW(Control("txtIPath"), L"typed");
    FileListData dropped({L"C:\\ソフト\\表計算\\calc.exe", L"C:\\second.txt"});
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(&dropped, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target->DragOver(MK_LBUTTON, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target->Drop(&dropped, 0, {1, 1}, &effect);
    EXPECT_EQ(TextOf(Control("txtRPath")), L"C:\\ソフト\\表計算\\calc.exe");
    EXPECT_EQ(TextOf(Control("txtIPath")), L"calc.exe");
  }
}

}  // namespace

#endif  // _WIN32
