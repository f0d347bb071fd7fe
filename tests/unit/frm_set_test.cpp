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

constexpr wchar_t kFolder[] = L"C:\\Tools\\Mirabelton";
constexpr wchar_t kPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";
constexpr std::int32_t kCtrlAltZ = 1626;  // 0x065A: Z with control (2) and alt (4)
const std::wstring kSaveFailed = L"設定ファイルに書き込めませんでした\r\n" + std::wstring(kPath);
constexpr wchar_t kFieldsMissing[] =
    L"短縮名、実在パス名のいずれか、もしくは両方が入力されていません";

class SettingsForm : public ::testing::Test {
 protected:
  fakes::FakeModalWindow window;
  fakes::FakeListBox lstIPath, lstRPath;
  fakes::FakeTextBox txtIPath, txtRPath;
  fakes::FakeButton cmdAdd, cmdDel, cmdEdit, cmdSet, cmdCancel;
  fakes::FakeHotKeyField hotKey;
  fakes::FakeEnvironment environment;
  fakes::MemoryFileAccess files;
  fakes::FakeMessageBoxes messageBoxes;
  fakes::FakeFileDialog fileDialog;
  std::unique_ptr<core::AnsiCodePage> codePage = fakes::MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Ansi, kPath};
  launcher::SharedState shared;
  settings::frmSet set{{window, lstIPath, lstRPath, txtIPath, txtRPath, cmdAdd, cmdDel, cmdEdit,
                        cmdSet, cmdCancel, hotKey},
                       {environment, store, messageBoxes, fileDialog},
                       shared};

  void SetUp() override {
    environment.folder = kFolder;
    window.OnUnload = [this] { set.Form_QueryUnload(); };
    messageBoxes.answer = platform::kIdYes;
  }
  // A settings file that the folder lists under its exact name.
  void WriteSettings(const std::string& bytes) {
    files.files[kPath] = bytes;
    files.exactNames.insert({kFolder, L"Mirabelton.ini"});
  }
  // Aliases nameN -> C:\pathN, then Form_Load.
  void Open(int count, std::int32_t hotKeyValue = kCtrlAltZ) {
    fakes::Aliases aliases;
    for (int i = 1; i <= count; ++i) {
      aliases.push_back({"name" + std::to_string(i), "C:\\path" + std::to_string(i)});
    }
    WriteSettings(fakes::SettingsText(aliases, "HotKey=" + std::to_string(hotKeyValue) + "\r\n"));
    set.Form_Load();
  }
  std::string FileText() { return files.files[kPath]; }
  void Fill(const std::wstring& shortName, const std::wstring& realPath) {
    txtIPath.SetText(shortName);
    txtRPath.SetText(realPath);
  }
  // The lists, the working arrays and the selections agree position by
  // position, and the buttons follow the count.
  void ExpectConsistent(const std::vector<std::wstring>& names) {
    EXPECT_EQ(lstIPath.Items(), names);
    ASSERT_EQ(set.ItemCount(), static_cast<int>(names.size()));
    ASSERT_EQ(lstRPath.ListCount(), set.ItemCount());
    ASSERT_EQ(set.IPath().size(), names.size() + 1);
    for (std::size_t p = 0; p < names.size(); ++p) {
      EXPECT_EQ(set.IPath()[p + 1], names[p]);
      EXPECT_EQ(lstRPath.List(static_cast<int>(p)), set.RPath()[p + 1]) << p;
    }
    EXPECT_EQ(lstRPath.ListIndex(), lstIPath.ListIndex());
    for (auto* button : {&cmdSet, &cmdCancel, &cmdAdd}) EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(cmdDel.Enabled(), !names.empty());
    EXPECT_EQ(cmdEdit.Enabled(), !names.empty());
  }
  void ExpectOneWarning(const std::wstring& text, unsigned style = 0x30) {
    ASSERT_EQ(messageBoxes.shown.size(), 1u);
    EXPECT_EQ(messageBoxes.shown[0].text, text);
    EXPECT_EQ(messageBoxes.shown[0].title, L"Mirabelton");
    EXPECT_EQ(messageBoxes.shown[0].style, style);
    messageBoxes.shown.clear();
  }
  void ExpectFields(const std::wstring& shortName, const std::wstring& realPath) {
    EXPECT_EQ(txtIPath.Text(), shortName);
    EXPECT_EQ(txtRPath.Text(), realPath);
  }
};

TEST_F(SettingsForm, EveryOpeningShowsTheFileAloneAndAnotherLetterCaseIsNoFile) {
  Open(3);
  EXPECT_EQ(lstRPath.Items(),
            (std::vector<std::wstring>{L"C:\\path1", L"C:\\path2", L"C:\\path3"}));
  EXPECT_EQ(lstIPath.ListIndex(), 0);
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  EXPECT_EQ(set.StoredCount(), 3);
  ExpectConsistent({L"name1", L"name2", L"name3"});

  Fill(L"added", L"C:\\added.exe");
  set.cmdAdd_Click();
  hotKey.Press(0x7A);
  Fill(L"typed", L"");
  set.cmdCancel_Click();
  EXPECT_EQ(hotKey.destroyCount, 1);
  set.Form_Load();
  EXPECT_EQ(hotKey.createCount, 2);
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  ExpectFields(L"", L"");
  ExpectConsistent({L"name1", L"name2", L"name3"});

  files.exactNames = {{kFolder, L"mirabelton.INI"}};
  set.Form_Load();
  EXPECT_EQ(hotKey.GetHotKey(), 123);
  EXPECT_EQ(set.StoredCount(), 0);
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  ExpectConsistent({});
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(SettingsForm, NumbersThatAreNotValidFallBackInsteadOfFailing) {
  WriteSettings("[Programs]\r\nHotKey=F12\r\nTotalNumber=-4\r\n1=a\r\n1R=b\r\n");
  set.Form_Load();
  EXPECT_EQ(set.OldHotKey(), 123);
  EXPECT_EQ(set.ItemCount(), 0);

  WriteSettings("[Programs]\r\nHotKey=4294967296\r\nTotalNumber=99999\r\n1=a\r\n1R=b\r\n");
  set.Form_Load();
  EXPECT_EQ(set.OldHotKey(), 123);
  EXPECT_EQ(set.ItemCount(), 32767);  // capped; the entries the file lacks load empty
  EXPECT_EQ(lstIPath.List(0), L"a");
  EXPECT_EQ(lstRPath.List(32766), L"");
}

TEST_F(SettingsForm, ValuesAreReadWholeBeyondTheOldBufferSize) {
  const std::string longPath = "C:\\" + std::string(400, 'x') + "\\tool.exe";
  WriteSettings("[Programs]\r\nTotalNumber=1\r\n1=long\r\n1R=" + longPath + "\r\n");
  set.Form_Load();
  EXPECT_EQ(set.RPath()[1], std::wstring(longPath.begin(), longPath.end()));
}

TEST_F(SettingsForm, ApplyWritesTheListAndBlanksTheKeysItNoLongerUses) {
  WriteSettings("; kept by hand\r\n[Other]\r\nKey=value\r\n" +
                fakes::SettingsText({{"a", "A"}, {"b", "B"}, {"c", "C"}, {"d", "D"}, {"e", "E"}},
                                    "HotKey=1626\r\nUnknown=stays\r\n"));
  set.Form_Load();
  lstIPath.SetListIndex(1);
  set.cmdDel_Click();  // b
  lstIPath.SetListIndex(2);
  set.cmdDel_Click();  // d
  set.cmdSet_Click();
  EXPECT_EQ(FileText(),
            "; kept by hand\r\n[Other]\r\nKey=value\r\n[Programs]\r\nTotalNumber=3\r\n"
            "1=a\r\n1R=A\r\n2=c\r\n2R=C\r\n3=e\r\n3R=E\r\n4=\r\n4R=\r\n5=\r\n5R=\r\n"
            "HotKey=1626\r\nUnknown=stays\r\n");
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(shared.SettingsEffect, L"Effected");
  EXPECT_EQ(window.unloadCount, 1);
  EXPECT_EQ(hotKey.destroyCount, 1);
}

TEST_F(SettingsForm, ApplyOnAMissingFileCreatesItAndReportsAChangedKey) {
  set.Form_Load();
  set.cmdSet_Click();
  EXPECT_EQ(FileText(), "[Programs]\r\nHotKey=123\r\nTotalNumber=0\r\n");
  EXPECT_EQ(shared.SettingsEffect, L"Effected");

  Open(1);
  hotKey.Press(0x7A);
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("HotKey=122\r\n"), std::string::npos);
  // Bits above the low 16 never reach the field: the value read back
  // differs from the stored one although the user changed nothing.
  Open(1, 0x1065A);
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("HotKey=1626\r\n"), std::string::npos);
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(SettingsForm, ApplyWithoutAKeyAndCancelAndTheCloseBoxWriteNothing) {
  Open(1);
  const std::string before = FileText();
  Fill(L"x", L"y");
  set.cmdAdd_Click();
  hotKey.Press(0);
  set.cmdSet_Click();
  ExpectOneWarning(L"ホットキーが設定されていません");
  EXPECT_EQ(window.unloadCount, 0);
  EXPECT_EQ(set.ItemCount(), 2);
  set.cmdCancel_Click();
  EXPECT_EQ(window.unloadCount, 1);
  set.Form_Load();
  set.Form_QueryUnload();
  EXPECT_EQ(hotKey.destroyCount, 2);

  hotKey.createSucceeds = false;  // no field: never a key, nothing to destroy
  set.Form_Load();
  set.cmdSet_Click();
  ExpectOneWarning(L"ホットキーが設定されていません");
  set.cmdCancel_Click();
  EXPECT_EQ(hotKey.destroyCount, 2);
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(shared.SettingsEffect, L"");
}

TEST_F(SettingsForm, AFailedSaveWarnsAndKeepsTheWindowOpenWithItsEdits) {
  Open(2);
  const std::string before = FileText();
  Fill(L"new", L"C:\\new.exe");
  set.cmdAdd_Click();
  hotKey.Press(0x7A);
  auto expectNothingChanged = [&] {
    ExpectOneWarning(kSaveFailed);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(window.unloadCount, 0);
    EXPECT_EQ(shared.SettingsEffect, L"");
    EXPECT_EQ(hotKey.GetHotKey(), 0x7A);
    ExpectConsistent({L"name1", L"name2", L"new"});
  };
  files.replaceFails = true;
  set.cmdSet_Click();
  expectNothingChanged();
  files.replaceFails = false;
  files.readFails = true;  // a file that exists but cannot be read is not replaced
  set.cmdSet_Click();
  EXPECT_EQ(files.replaceCalls, 1);
  expectNothingChanged();

  files.readFails = false;
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("3=new\r\n3R=C:\\new.exe\r\n"), std::string::npos);
}

TEST_F(SettingsForm, AValueTheFileCannotHoldWritesNothingAtAll) {
  Open(1);
  Fill(L"two\r\nlines", L"C:\\x.exe");
  set.cmdAdd_Click();
  set.cmdSet_Click();
  EXPECT_EQ(files.replaceCalls, 0);
  ExpectOneWarning(kSaveFailed);
}

TEST_F(SettingsForm, AddOverwriteAndDeleteKeepTheListsAndArraysInStep) {
  set.Form_Load();
  ExpectConsistent({});
  Fill(L"name1", L"C:\\other.exe");  // duplicates and blank names are taken as typed
  set.cmdAdd_Click();
  Fill(L"  ", L"C:\\blank.exe");
  set.cmdAdd_Click();
  ExpectFields(L"", L"");
  EXPECT_EQ(lstIPath.ListIndex(), -1);  // adding selects nothing
  ExpectConsistent({L"name1", L"  "});

  lstIPath.SetListIndex(1);
  Fill(L"second", L"D:\\second.exe");
  set.cmdEdit_Click();
  EXPECT_EQ(set.RPath()[2], L"D:\\second.exe");
  EXPECT_EQ(lstIPath.ListIndex(), 1);
  ExpectFields(L"", L"");
  ExpectConsistent({L"name1", L"second"});

  Fill(L"typed", L"C:\\typed.exe");
  messageBoxes.answer = 7;  // IDNO
  set.cmdDel_Click();
  ExpectOneWarning(L"本当に登録を削除してもいいですか？", 4);
  ExpectFields(L"typed", L"C:\\typed.exe");
  EXPECT_EQ(lstIPath.ListIndex(), 1);
  messageBoxes.answer = platform::kIdYes;
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();
  EXPECT_EQ(set.RPath()[1], L"D:\\second.exe");
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  ExpectFields(L"", L"");
  ExpectConsistent({L"second"});

  // With nothing selected, overwrite and delete do nothing, silently.
  messageBoxes.shown.clear();
  Fill(L"typed", L"C:\\typed.exe");
  set.cmdEdit_Click();
  set.cmdDel_Click();
  EXPECT_TRUE(messageBoxes.shown.empty());
  ExpectConsistent({L"second"});
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();
  ExpectConsistent({});
}

TEST_F(SettingsForm, AnEmptyFieldIsRefusedAndTheOtherKeepsItsText) {
  Open(1);
  for (auto [shortName, realPath] :
       {std::pair{L"name", L""}, std::pair{L"", L"C:\\x"}, std::pair{L"", L""}}) {
    for (auto handler : {&settings::frmSet::cmdAdd_Click, &settings::frmSet::cmdEdit_Click}) {
      Fill(shortName, realPath);
      (set.*handler)();
      ExpectOneWarning(kFieldsMissing);
      ExpectFields(shortName, realPath);
      ExpectConsistent({L"name1"});
    }
  }
}

TEST_F(SettingsForm, AddRefusesAFullListWithoutWrappingTheCount) {
  WriteSettings("[Programs]\r\nTotalNumber=32767\r\n");
  set.Form_Load();
  Fill(L"one more", L"C:\\more.exe");
  set.cmdAdd_Click();
  ExpectOneWarning(settings::kListFullMessage);
  EXPECT_EQ(lstIPath.ListCount(), 32767);
  EXPECT_EQ(txtIPath.Text(), L"one more");
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();
  Fill(L"one more", L"C:\\more.exe");
  set.cmdAdd_Click();
  EXPECT_EQ(lstIPath.List(32766), L"one more");
  EXPECT_EQ(set.ItemCount(), 32767);
}

TEST_F(SettingsForm, DoubleClicksFetchTheSelectedEntryOrEmptyAField) {
  Open(3);
  lstIPath.SetListIndex(2);
  EXPECT_EQ(lstRPath.ListIndex(), 2);
  EXPECT_EQ(txtIPath.Text(), L"");  // a single click fetches nothing
  set.lstIPath_DblClick();
  ExpectFields(L"name3", L"C:\\path3");
  set.txtRPath_DblClick();
  ExpectFields(L"name3", L"");
  set.txtIPath_DblClick();
  ExpectFields(L"", L"");
  Fill(L"a", L"b");
  lstIPath.SetListIndex(-1);
  set.lstIPath_DblClick();
  ExpectFields(L"", L"");
}

TEST_F(SettingsForm, BrowsingAndDroppingFillThePathAndProposeItsLastComponent) {
  set.Form_Load();
  Fill(L"typed", L"typed path");
  set.cmdDialog_Click();
  ASSERT_EQ(fileDialog.shown.size(), 1u);
  EXPECT_EQ(fileDialog.shown[0].title, L"実在パスを開く");
  EXPECT_EQ(fileDialog.shown[0].filter, L"すべてのﾌｧｲﾙ (*.*)|*.*");
  ExpectFields(L"typed", L"typed path");  // cancelled
  fileDialog.chosen = L"C:\\Windows\\notepad.exe";
  set.cmdDialog_Click();
  ExpectFields(L"notepad.exe", L"C:\\Windows\\notepad.exe");

  EXPECT_EQ(set.txtIPath_OLEDragOver(true), 1);
  EXPECT_EQ(set.txtRPath_OLEDragOver(false), 0);
  set.txtRPath_OLEDragDrop({});  // no file list
  ExpectFields(L"notepad.exe", L"C:\\Windows\\notepad.exe");
  set.txtIPath_OLEDragDrop({L"C:\\Program Files\\Editor\\edit.exe", L"C:\\second.txt"});
  ExpectFields(L"edit.exe", L"C:\\Program Files\\Editor\\edit.exe");
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\", L""},
      {L"C:\\ソフト\\表計算\\予算表.xls", L"予算表.xls"},
      {L"C:\\ソフト\\表", L"表"},
      {L"https://example.org/x", L"表"},  // no backslash: the name stays
  };
  for (const auto& [path, shortName] : cases) {
    set.txtRPath_OLEDragDrop({path});
    ExpectFields(shortName, path);
  }
  ExpectConsistent({});
}

}  // namespace
