// The launcher's own chrome on the real window under Wine: its size at two
// DPIs, its looks, dragging by the title band, the glyphs, the pressed run
// button, the about panel and the Alt shortcuts.
#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>  // DROPFILES

#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/keyboard.h"
#include "tests/e2e/launcher_session.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

SettingsWriter TwoAliases() {
  return [](const std::filesystem::path& folder) {
    return "[Programs]\r\nTotalNumber=2\r\n1=notepad\r\n1R=C:\\windows\\notepad.exe\r\n2="
           "probe\r\n2R=" +
           Utf8((folder / L"probe.exe").wstring()) + "\r\n";
  };
}

// Geometry in real pixels: an unaware test would see the window scaled.
void ReadPhysicalPixels() {
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

struct Colour {
  int r = 0, g = 0, b = 0;
};

Colour ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
}

// A point of the launcher's client area, in pixels at 96 DPI, on the screen.
POINT At(HWND window, int x, int y) {
  const RECT rect = WindowRect(window);
  return {rect.left + x, rect.top + y};
}

bool SendMouse(DWORD flags, POINT screen) {
  // Absolute coordinates run over 0..65536 of the screen; rounding up lands
  // exactly on the pixel whatever way the system scales them back.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x) * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof input) == 1;
}

bool PointerAt(POINT screen) {
  POINT now{};
  return WaitUntil([&] { return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; });
}

bool MoveMouse(POINT screen) { return SendMouse(0, screen) && PointerAt(screen); }

bool Click(POINT screen) {
  return MoveMouse(screen) && SendMouse(MOUSEEVENTF_LEFTDOWN, screen) &&
         SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

// The about panel's top relative to the window's, in pixels.
std::optional<int> AboutPanelOffset(const LauncherSession& session) {
  HWND panel = FindDescendant(session.Window(), L"MirabeltonAboutPanel");
  if (!panel) return std::nullopt;
  return WindowRect(panel).top - WindowRect(session.Window()).top;
}

struct VisibleTooltip {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK MatchVisibleTooltip(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<VisibleTooltip*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner != search.processId || !IsWindowVisible(window) ||
      std::wstring_view(name) != L"tooltips_class32") {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

HWND ShownTooltip(const LauncherSession& session) {
  VisibleTooltip search{session.ProcessId()};
  EnumWindows(MatchVisibleTooltip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A drag source that the test drives: data that offers either a file list
// (CF_HDROP) or plain text, dropped where the pointer is when the test says
// so. The pointer moves by injected input; no button is pressed, as the
// system gives a button's state only to the foreground thread.
class DragData final : public IDataObject, public IDropSource {
 public:
  explicit DragData(const std::vector<std::wstring>& files) : format_(CF_HDROP) {
    std::wstring list;
    for (const std::wstring& file : files) list += file + L'\0';
    list += L'\0';
    bytes_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::memcpy(bytes_.data(), &header, sizeof header);
    std::memcpy(bytes_.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
  }
  explicit DragData(const std::wstring& text) : format_(CF_UNICODETEXT) {
    bytes_.resize((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes_.data(), text.c_str(), bytes_.size());
  }

  // IUnknown: lives on the test's stack for the whole drag.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDataObject))) {
      *object = static_cast<IDataObject*>(this);
    } else if (IsEqualIID(iid, __uuidof(IDropSource))) {
      *object = static_cast<IDropSource*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IDropSource
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return release.load() ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  // IDataObject: one format in one global memory block.
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

  std::atomic<bool> release{false};

 private:
  CLIPFORMAT format_;
  std::vector<char> bytes_;
};

// OLE, looked up at run time so the test program links what the others do.
class Ole {
 public:
  Ole() : module_(LoadLibraryW(L"ole32.dll")) {
    initialize_ = reinterpret_cast<HRESULT(WINAPI*)(void*)>(Find("OleInitialize"));
    uninitialize_ = reinterpret_cast<void(WINAPI*)()>(Find("OleUninitialize"));
    doDragDrop_ = reinterpret_cast<HRESULT(WINAPI*)(IDataObject*, IDropSource*, DWORD, DWORD*)>(
        Find("DoDragDrop"));
    ready_ = initialize_ && uninitialize_ && doDragDrop_ && SUCCEEDED(initialize_(nullptr));
  }
  ~Ole() {
    if (ready_) uninitialize_();
    if (module_) FreeLibrary(module_);
  }
  Ole(const Ole&) = delete;
  Ole& operator=(const Ole&) = delete;
  bool Ready() const { return ready_; }
  HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect) const {
    return doDragDrop_(data, source, allowed, effect);
  }

 private:
  void* Find(const char* name) const {
    return module_ ? reinterpret_cast<void*>(GetProcAddress(module_, name)) : nullptr;
  }
  HMODULE module_;
  HRESULT(WINAPI* initialize_)(void*) = nullptr;
  void(WINAPI* uninitialize_)() = nullptr;
  HRESULT(WINAPI* doDragDrop_)(IDataObject*, IDropSource*, DWORD, DWORD*) = nullptr;
  bool ready_ = false;
};

// Drags the data from a point off the launcher onto target and drops it
// there; returns the effect the drop ended with.
DWORD DragAndDrop(const Ole& ole, DragData& data, POINT start, POINT target) {
  std::thread hand([&] {
    for (int step = 1; step <= 8; ++step) {
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
      SendMouse(0, {start.x + (target.x - start.x) * step / 8,
                    start.y + (target.y - start.y) * step / 8});
    }
    // Long enough for the drag loop to see the target under the pointer.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    data.release = true;
  });
  MoveMouse(start);
  DWORD effect = DROPEFFECT_NONE;
  ole.DoDragDrop(&data, &data, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  hand.join();
  return effect;
}

// Sets the DPI that Wine reports to programs started afterwards, and puts
// the old value back, so no other test sees it.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                          sizeof dpi) == ERROR_SUCCESS;
  }
  ~SystemDpi() {
    if (!key_) return;
    if (had_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  SystemDpi(const SystemDpi&) = delete;
  SystemDpi& operator=(const SystemDpi&) = delete;
  bool Set() const { return set_; }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
  bool set_ = false;
};

void SaveLauncherShot(const std::string& name) {
  SaveScreenshot(ArtifactFolder() / ("ChromeE2e." + name + ".bmp"));
}

TEST(ChromeE2e, TheStripIs240By50AndLooksItsPart) {
  ReadPhysicalPixels();
  SetCursorPos(0, 0);  // no tooltip in the pictures
  LauncherSession session(TwoAliases());
  const RECT rect = WindowRect(session.Window());
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, 50);
  const LONG style = GetWindowLongW(session.Window(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
  // Centred on the screen.
  EXPECT_NEAR(rect.left + 120, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(WaitUntil([&] {
    const Colour band = ScreenPixel(rect.left + 6, rect.top + 9);
    return band.b > band.r + 40;  // the title band is blue at its left
  })) << "the title band is not blue";
  const Colour body = ScreenPixel(rect.left + 4, rect.top + 40);
  EXPECT_FALSE(body.r == 255 && body.g == 255 && body.b == 255) << "the body is plain white";
  const Colour triangle = ScreenPixel(rect.left + 221, rect.top + 34);
  EXPECT_LT(triangle.r, 90);  // the run button's dark-blue triangle
  EXPECT_GT(triangle.b, triangle.r + 50);
  SaveLauncherShot("launcher");

  ASSERT_TRUE(session.Type(L"not"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"notepad"; }));
  SaveLauncherShot("launcher-completed");

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  SaveLauncherShot("launcher-about");
}

TEST(ChromeE2e, TheProgramCarriesItsIconAtTheUsualSizes) {
  LauncherSession session(TwoAliases(), {L"/h", false});
  HMODULE exe = LoadLibraryExW((session.Folder() / L"Mirabelton.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(exe, group)));
  for (int size : {16, 32, 48}) {
    // The image the system would pick must be drawn at that size, not stretched.
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(exe, MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biBitCount, 32) << size;
  }
  FreeLibrary(exe);
}

TEST(ChromeE2e, TheStripScalesWithTheDpi) {
  ReadPhysicalPixels();
  SystemDpi dpi(144);
  ASSERT_TRUE(dpi.Set());
  LauncherSession session(TwoAliases());
  const RECT rect = WindowRect(session.Window());
  EXPECT_EQ(rect.right - rect.left, 360);
  EXPECT_EQ(rect.bottom - rect.top, 75);
  RECT box{};
  GetWindowRect(session.Combo(), &box);
  EXPECT_EQ(box.left - rect.left, 48);   // 480 twips
  EXPECT_EQ(box.right - box.left, 254);  // 2535 twips
  ASSERT_TRUE(session.Present());
  SaveLauncherShot("launcher-144dpi");
}

TEST(ChromeE2e, DraggingTheTitleBandMovesTheWindowByThePointersTravel) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  const RECT before = WindowRect(session.Window());
  POINT pointer = At(session.Window(), 60, 8);
  ASSERT_TRUE(MoveMouse(pointer));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTDOWN, pointer));
  for (int step = 0; step < 3; ++step) {
    pointer.x += 10;
    pointer.y += step == 0 ? 12 : 0;
    ASSERT_TRUE(MoveMouse(pointer));
    ASSERT_TRUE(WaitUntil([&] {
      return WindowRect(session.Window()).left == before.left + 10 * (step + 1);
    })) << "step "
        << step;
  }
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_LEFTUP, pointer));
  const RECT after = WindowRect(session.Window());
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 12);
  EXPECT_EQ(after.right - after.left, 240);

  // Released: moving on leaves the window where it is.
  ASSERT_TRUE(MoveMouse({pointer.x + 40, pointer.y + 40}));
  ASSERT_TRUE(PressKeys({VK_SHIFT}));  // something after the move, to know it was handled
  EXPECT_EQ(WindowRect(session.Window()).left, after.left);
}

TEST(ChromeE2e, TheRunButtonLooksPressedUntilTheReleaseEvenOffTheWindow) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  const POINT run = At(session.Window(), 221, 34);
  auto pressed = [&] { return ScreenPixel(run.x, run.y).g > 150; };  // light blue and cyan

  ASSERT_TRUE(MoveMouse(run));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_RIGHTDOWN, run));
  ASSERT_TRUE(WaitUntil(pressed)) << "no pressed look";
  const POINT outside = At(session.Window(), -80, 160);
  ASSERT_TRUE(MoveMouse(outside));
  ASSERT_TRUE(SendMouse(MOUSEEVENTF_RIGHTUP, outside));
  EXPECT_TRUE(WaitUntil([&] { return !pressed(); })) << "the pressed look outlasted the release";
  EXPECT_TRUE(session.Visible());  // a release elsewhere is no click

  // A real click runs the (empty) command, which hides the launcher.
  ASSERT_TRUE(Click(run));
  EXPECT_TRUE(WaitUntil([&] { return !session.Visible(); }));
}

TEST(ChromeE2e, HoveringAPictureButtonShowsItsTooltip) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(MoveMouse(At(session.Window(), 120, 100)));  // off the window
  EXPECT_EQ(ShownTooltip(session), nullptr);
  ASSERT_TRUE(MoveMouse(At(session.Window(), 220, 33)));
  ASSERT_TRUE(MoveMouse(At(session.Window(), 221, 34)));
  HWND tip = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tip = ShownTooltip(session)) != nullptr; }));
  SaveLauncherShot("launcher-tooltip");
  const std::optional<std::wstring> text = WindowText(tip);
  if (text && !text->empty()) {
    EXPECT_EQ(*text, L"実行(Enter)");
  }
}

TEST(ChromeE2e, AFileDroppedOnTheCommandBoxBecomesItsText) {
  ReadPhysicalPixels();
  Ole ole;
  ASSERT_TRUE(ole.Ready());
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"no"));
  ASSERT_TRUE(WaitUntil([&] { return session.ComboText() == L"notepad"; }));
  const POINT start = At(session.Window(), 120, 120);
  const POINT box = At(session.Window(), 90, 34);

  DragData text(std::wstring(L"C:\\plain.txt"));
  EXPECT_EQ(DragAndDrop(ole, text, start, box), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(session.ComboText(), L"notepad");

  DragData files(std::vector<std::wstring>{L"C:\\Program Files\\Editor\\edit.exe", L"C:\\b.txt",
                                           L"C:\\c.txt"});
  EXPECT_EQ(DragAndDrop(ole, files, start, box), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_TRUE(WaitUntil([&] {
    return session.ComboText() == L"C:\\Program Files\\Editor\\edit.exe";
  })) << Utf8(session.ComboText());
  EXPECT_TRUE(session.Visible());
  EXPECT_TRUE(session.ProbeLog().empty());
}

TEST(ChromeE2e, TheGlyphsHideAndEnd) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(Click(At(session.Window(), 208, 10)));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); })) << "the minimise glyph did not hide";
  EXPECT_FALSE(session.ExitCode().has_value());

  // The about panel's Close hides the whole launcher.
  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  ASSERT_TRUE(Click(At(session.Window(), 208, 40)));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); })) << "Close did not hide";

  ASSERT_TRUE(session.Present());
  ASSERT_TRUE(Click(At(session.Window(), 226, 10)));
  EXPECT_TRUE(session.WaitForExit(20'000)) << "the close glyph did not end the program";
}

TEST(ChromeE2e, AltXEndsTheProgramFromTheCommandBox) {
  LauncherSession session(TwoAliases());
  // Wine may drop an injected Alt while one of its windows takes the X
  // focus; the X then arrives alone, typed into the box, and only that is
  // worth another try.
  for (int attempt = 0; attempt < 3 && !session.ExitCode(); ++attempt) {
    ASSERT_TRUE(session.Present());
    ASSERT_TRUE(session.Press({VK_MENU, 'X'}));
    ASSERT_TRUE(WaitUntil([&] { return session.ExitCode() || session.ComboText() == L"x"; }))
        << "neither ended nor typed: the box holds " << Utf8(session.ComboText());
  }
  ASSERT_TRUE(session.WaitForExit(20'000));
  EXPECT_EQ(session.ExitCode(), 0u);
}

TEST(ChromeE2e, EnterAfterAboutHidesAndTheHotKeyBringsItBackWithoutThePanel) {
  ReadPhysicalPixels();
  LauncherSession session(TwoAliases());
  ASSERT_TRUE(session.Present());
  EXPECT_GE(AboutPanelOffset(session).value_or(0), 50);  // below the visible strip

  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  EXPECT_TRUE(session.Visible());
  ASSERT_TRUE(session.Press({VK_RETURN}));  // the focus is on the Cancel button now
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);  // put away, 1000 twips

  ASSERT_TRUE(PressKeys({VK_F12}));  // shows it with the focus in the command box
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  ASSERT_TRUE(session.Type(L"@about"));
  ASSERT_TRUE(session.Press({VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return AboutPanelOffset(session) == 18; }));
  ASSERT_TRUE(session.Press({VK_ESCAPE}));
  ASSERT_TRUE(WaitUntil([&] { return !session.Visible(); }));
  ASSERT_TRUE(PressKeys({VK_F12}));
  ASSERT_TRUE(WaitUntil([&] { return session.Visible(); }));
  EXPECT_EQ(AboutPanelOffset(session), 67);
}

}  // namespace
}  // namespace e2e
