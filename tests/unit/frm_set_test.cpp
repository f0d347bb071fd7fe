#include "settings/frm_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/fake_settings_controls.h"
#include "tests/fakes/memory_file_access.h"
#include "tests/fakes/settings_text.h"
#include "tests/fakes/test_code_page.h"

namespace {

using Names = std::vector<std::wstring>;
constexpr wchar_t kFolder[] = L"C:\\Tools\\Mirabelton";
constexpr wchar_t kPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";
const std::wstring kSaveFailed = L"設定ファイルに書き込めませんでした\r\n" + std::wstring(kPath);
constexpr wchar_t kNoKey[] = L"ホットキーが設定されていません";
constexpr wchar_t kFieldsMissing[] =
    L"短縮名、実在パス名のいずれか、もしくは両方が入力されていません";

class SettingsForm : public ::testing::Test {
 protected:
  fakes::FakeModalWindow window;
  fakes::FakeListBox lstIPath, lstRPath;
  fakes::FakeTextBox txtIPath, txtRPath;
  fakes::FakeButton cmdAdd, cmdDel, cmdEdit, cmdSet, cmdCancel, cmdDialog;
  fakes::FakePanel picHotkey;
  fakes::FakeHotKeyField hotKey;
  fakes::MemoryFileAccess files;
  fakes::FakeMessageBoxes messageBoxes;
  fakes::FakeFileDialog fileDialog;
  std::unique_ptr<core::AnsiCodePage> codePage = fakes::MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Ansi, kPath};
  core::SharedState shared;
  settings::frmSet set{{window, lstIPath, lstRPath, txtIPath, txtRPath, cmdAdd, cmdDel, cmdEdit,
                        cmdSet, cmdCancel, cmdDialog, picHotkey, hotKey},
                       {store, messageBoxes, fileDialog},
                       shared};

  void SetUp() override { messageBoxes.answer = platform::kIdYes; }
  // A settings file that the folder lists under its exact name, opened.
  void Open(const std::string& bytes) {
    files.files[kPath] = bytes;
    files.exactNames.insert({kFolder, L"Mirabelton.ini"});
    set.Form_Load();
  }
  void Fill(const std::wstring& shortName, const std::wstring& realPath) {
    txtIPath.SetText(shortName);
    txtRPath.SetText(realPath);
  }
  void Add(const std::wstring& shortName, const std::wstring& realPath) {
    Fill(shortName, realPath);
    cmdAdd.Press();
  }
  // The lists, the working arrays and the selections agree position by
  // position, and the buttons follow the count.
  void ExpectList(const Names& names) {
    EXPECT_EQ(lstIPath.Items(), names);
    EXPECT_EQ(Names(set.IPath().begin() + 1, set.IPath().end()), names);
    ASSERT_EQ(set.ItemCount(), static_cast<int>(names.size()));
    ASSERT_EQ(lstRPath.ListCount(), set.ItemCount());
    for (int p = 0; p < set.ItemCount(); ++p) EXPECT_EQ(lstRPath.List(p), set.RPath()[p + 1]);
    EXPECT_EQ(lstRPath.ListIndex(), lstIPath.ListIndex());
    EXPECT_TRUE(cmdSet.Enabled() && cmdCancel.Enabled() && cmdAdd.Enabled());
    EXPECT_EQ(cmdDel.Enabled(), !names.empty());
    EXPECT_EQ(cmdEdit.Enabled(), !names.empty());
  }
  // Each message shown since the last call, as "text|style".
  std::vector<std::wstring> Shown() {
    std::vector<std::wstring> texts;
    for (const auto& m : messageBoxes.shown) {
      EXPECT_EQ(m.title, L"Mirabelton");
      texts.push_back(m.text + L"|" + std::to_wstring(m.style));
    }
    messageBoxes.shown.clear();
    return texts;
  }
  static std::wstring Warning(const std::wstring& text) { return text + L"|48"; }
};

TEST_F(SettingsForm, EditsAreSavedExactlyAndKeysNoLongerUsedAreBlanked) {
  Open("; kept by hand\r\n[Other]\r\nKey=value\r\n" +
       fakes::SettingsText({{"a", "A"}, {"b", "B"}, {"c", "C"}, {"d", "D"}},
                           "HotKey=1626\r\nUnknown=stays\r\n"));
  EXPECT_EQ(lstIPath.ListIndex(), 0);
  EXPECT_EQ(hotKey.GetHotKey(), 1626);
  ExpectList({L"a", L"b", L"c", L"d"});

  Add(L"a", L"C:\\other.exe");  // duplicates and blank names are taken as typed
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"");
  Add(L"  ", L"C:\\blank.exe");
  EXPECT_EQ(lstIPath.ListIndex(), 0);  // adding moves no selection
  lstIPath.SetListIndex(2);
  EXPECT_EQ(lstRPath.ListIndex(), 2);  // the hidden paths follow a click
  lstIPath.DblClick();
  EXPECT_EQ(txtRPath.Text(), L"C");
  Fill(L"third", L"D:\\third.exe");
  cmdEdit.Press();
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"");
  EXPECT_EQ(lstIPath.ListIndex(), 2);
  ExpectList({L"a", L"b", L"third", L"d", L"a", L"  "});

  messageBoxes.answer = 7;  // IDNO
  cmdDel.Press();
  EXPECT_EQ(Shown(), Names{L"本当に登録を削除してもいいですか？|4"});
  messageBoxes.answer = platform::kIdYes;
  lstIPath.SetListIndex(1);
  Fill(L"typed", L"C:\\typed.exe");
  cmdDel.Press();
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"");
  ExpectList({L"a", L"third", L"d", L"a", L"  "});
  Fill(L"typed", L"C:\\typed.exe");  // nothing selected: nothing happens, silently
  cmdEdit.Press();
  cmdDel.Press();
  EXPECT_EQ(txtIPath.Text(), L"typed");
  for (int i = 0; i < 2; ++i) {
    lstIPath.SetListIndex(3);
    cmdDel.Press();
  }
  ExpectList({L"a", L"third", L"d"});
  Shown();

  cmdSet.Press();
  EXPECT_EQ(files.files[kPath],
            "; kept by hand\r\n[Other]\r\nKey=value\r\n[Programs]\r\nTotalNumber=3\r\n"
            "1=a\r\n1R=A\r\n2=third\r\n2R=D:\\third.exe\r\n3=d\r\n3R=D\r\n4=\r\n4R=\r\n"
            "HotKey=1626\r\nUnknown=stays\r\n");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(shared.SettingsEffect, L"Effected");
  EXPECT_EQ(window.unloadCount, 1);
  EXPECT_EQ(hotKey.destroyCount, 1);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SettingsForm, EveryOpeningShowsTheFileAloneAndAnotherLetterCaseIsNoFileNeverReplacedUnread) {
  Open(fakes::SettingsText({{"a", "A"}}, "HotKey=1626\r\n"));
  Add(L"added", L"C:\\added.exe");
  hotKey.Press(0x7A);
  Fill(L"typed", L"typed path");
  cmdCancel.Press();
  set.Form_Load();
  EXPECT_EQ(hotKey.createCount, 2);
  EXPECT_EQ(hotKey.GetHotKey(), 1626);
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"");
  ExpectList({L"a"});
  lstIPath.SetListIndex(0);  // the first entry fetched
  lstIPath.DblClick();
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"aA");
  window.Unload();  // the close box
  EXPECT_EQ(hotKey.destroyCount, 2);

  // Regression: a file under another letter case shows no aliases, yet
  // holds them; when it could not be read, 設定(&S) replaced it with the
  // window's list alone (found by driving the window with generated edits).
  files.exactNames = {{kFolder, L"mirabelton.INI"}};
  set.Form_Load();
  files.readFails = true;
  cmdSet.Press();
  EXPECT_EQ(Shown(), Names{Warning(kSaveFailed)});
  files.readFails = false;
  EXPECT_EQ(hotKey.GetHotKey(), 123);
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  ExpectList({});
  Add(L"first", L"C:\\first.exe");  // the first entry enables Delete and Overwrite
  ExpectList({L"first"});
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_EQ(shared.SettingsEffect, L"");
  cmdSet.Press();  // the first save creates the file
  EXPECT_EQ(files.files[kPath],
            "[Programs]\r\nTotalNumber=1\r\n1=first\r\n1R=C:\\first.exe\r\nHotKey=123\r\n");
}

TEST_F(SettingsForm, RefusalsWarnAndWriteNothingAndAFailedSaveKeepsTheEdits) {
  const std::string before = fakes::SettingsText({{"a", "A"}}, "HotKey=1626\r\n");
  Open(before);
  for (auto [shortName, realPath] :
       {std::pair{L"name", L""}, std::pair{L"", L"C:\\x"}, std::pair{L"", L""}}) {
    for (fakes::FakeButton* button : {&cmdAdd, &cmdEdit}) {
      Fill(shortName, realPath);
      button->Press();
      EXPECT_EQ(Shown(), Names{Warning(kFieldsMissing)});
      EXPECT_EQ(txtIPath.Text() + L"|" + txtRPath.Text(),
                shortName + std::wstring(L"|") + realPath);
    }
  }
  ExpectList({L"a"});
  Add(L"new", L"C:\\new.exe");
  hotKey.Press(0);
  cmdSet.Press();
  files.replaceFails = true;
  hotKey.Press(0x7A);
  cmdSet.Press();
  files.replaceFails = false;
  files.readFails = true;  // a file that exists but cannot be read is not replaced
  cmdSet.Press();
  EXPECT_EQ(Shown(), (Names{Warning(kNoKey), Warning(kSaveFailed), Warning(kSaveFailed)}));
  EXPECT_EQ(files.replaceCalls, 1);
  EXPECT_EQ(files.files[kPath], before);
  EXPECT_EQ(window.unloadCount, 0);
  EXPECT_EQ(shared.SettingsEffect, L"");
  EXPECT_EQ(hotKey.GetHotKey(), 0x7A);
  ExpectList({L"a", L"new"});

  files.readFails = false;
  cmdSet.Press();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(files.files[kPath].find("2=new\r\n2R=C:\\new.exe\r\n"), std::string::npos);

  // A value the file cannot hold is named, and nothing at all is written.
  Open(before);
  Add(L"two\r\nlines", L"C:\\x.exe");
  cmdSet.Press();
  Open(before);
  Add(L"x", L"C:\\a\nb\rc");
  hotKey.createSucceeds = false;  // and without a field there is never a key
  cmdSet.Press();
  set.Form_Load();
  cmdSet.Press();
  EXPECT_EQ(Shown(), (Names{Warning(L"短縮名に改行を含めることはできません\r\n「two↵lines」"),
                            Warning(L"実在パス名に改行を含めることはできません\r\n「C:\\a↵b↵c」"),
                            Warning(kNoKey)}));
  EXPECT_EQ(files.files[kPath], before);
  EXPECT_EQ(window.unloadCount, 1);  // only the one save that went through
}

TEST_F(SettingsForm, AddRefusesAFullListWithoutWrappingTheCount) {
  Open("[Programs]\r\nTotalNumber=99999\r\n32767=last\r\n");  // capped
  Add(L"one more", L"C:\\more.exe");
  EXPECT_EQ(Shown(), Names{Warning(settings::kListFullMessage)});
  EXPECT_EQ(lstIPath.List(32766), L"last");
  lstIPath.SetListIndex(0);
  cmdDel.Press();
  Add(L"one more", L"C:\\more.exe");
  EXPECT_EQ(lstIPath.List(32766), L"one more");
  EXPECT_EQ(set.ItemCount(), 32767);
}

TEST_F(SettingsForm, BrowsingAndDroppingFillThePathAndProposeItsLastComponent) {
  set.Form_Load();
  Fill(L"typed", L"typed path");
  cmdDialog.Press();  // cancelled
  ASSERT_EQ(fileDialog.shown, 1);
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"typedtyped path");
  fileDialog.chosen = L"C:\\Windows\\notepad.exe";
  cmdDialog.Press();
  EXPECT_EQ(txtIPath.Text() + L"|" + txtRPath.Text(), L"notepad.exe|C:\\Windows\\notepad.exe");
  EXPECT_EQ(txtIPath.OLEDragOver(true) + txtRPath.OLEDragOver(false), 1);
  txtRPath.OLEDragDrop({});  // no file list
  txtIPath.OLEDragDrop({L"C:\\ソフト\\表", L"C:\\second.txt"});
  txtRPath.OLEDragDrop({L"https://example.org/x"});  // no backslash: the name stays
  EXPECT_EQ(txtIPath.Text() + L"|" + txtRPath.Text(), L"表|https://example.org/x");
  txtRPath.OLEDragDrop({L"C:\\"});
  EXPECT_EQ(txtIPath.Text(), L"");
  Fill(L"a", L"b");
  txtRPath.DblClick();
  txtIPath.DblClick();
  EXPECT_EQ(txtIPath.Text() + txtRPath.Text(), L"");
  ExpectList({});
}

}  // namespace
