#include "settings/frm_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/fake_settings_controls.h"
#include "tests/fakes/memory_file_access.h"
#include "tests/fakes/test_code_page.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\Tools\\Mirabelton";
constexpr wchar_t kPath[] = L"C:\\Tools\\Mirabelton\\Mirabelton.ini";
constexpr std::int32_t kCtrlAltZ = 1626;  // 0x065A: Z with control (2) and alt (4)

class SettingsForm : public ::testing::Test {
 protected:
  fakes::FakeModalWindow window;
  fakes::FakeListBox lstIPath, lstRPath;
  fakes::FakeTextBox txtIPath, txtRPath;
  fakes::FakeButton cmdAdd, cmdDel, cmdEdit, cmdSet, cmdCancel;
  fakes::FakeHotKeyField hotKey;
  fakes::MemoryFileAccess files;
  fakes::FakeMessageBoxes messageBoxes;
  fakes::FakeFileDialog fileDialog;
  std::unique_ptr<core::AnsiCodePage> codePage = fakes::MakeCodePage932();
  core::SettingsStore store{files, *codePage, core::FileEncoding::Ansi, kPath};
  launcher::SharedState shared;
  settings::frmSet set{{window, lstIPath, lstRPath, txtIPath, txtRPath, cmdAdd, cmdDel, cmdEdit,
                        cmdSet, cmdCancel, hotKey},
                       {store, messageBoxes, fileDialog},
                       shared};

  void SetUp() override {
    window.OnUnload = [this] { set.Form_QueryUnload(); };
  }

  // A settings file that the folder lists under its exact name.
  void WriteSettings(const std::string& bytes) {
    files.files[kPath] = bytes;
    files.exactNames.insert({kFolder, L"Mirabelton.ini"});
  }
  void WriteAliases(int count, std::int32_t hotKeyValue = kCtrlAltZ) {
    std::string ini = "[Programs]\r\nHotKey=" + std::to_string(hotKeyValue) +
                      "\r\nTotalNumber=" + std::to_string(count) + "\r\n";
    for (int i = 1; i <= count; ++i) {
      ini += std::to_string(i) + "=name" + std::to_string(i) + "\r\n";
      ini += std::to_string(i) + "R=C:\\path" + std::to_string(i) + "\r\n";
    }
    WriteSettings(ini);
  }
  std::string FileText() { return files.files[kPath]; }

  void Fill(const std::wstring& shortName, const std::wstring& realPath) {
    txtIPath.SetText(shortName);
    txtRPath.SetText(realPath);
  }

  // The four structures agree position by position.
  void ExpectInvariants() {
    const int count = set.ItemCount();
    ASSERT_EQ(lstIPath.ListCount(), count);
    ASSERT_EQ(lstRPath.ListCount(), count);
    ASSERT_EQ(set.IPath().size(), static_cast<std::size_t>(count) + 1);
    ASSERT_EQ(set.RPath().size(), static_cast<std::size_t>(count) + 1);
    for (int p = 0; p < count; ++p) {
      EXPECT_EQ(lstIPath.List(p), set.IPath()[static_cast<std::size_t>(p) + 1]) << p;
      EXPECT_EQ(lstRPath.List(p), set.RPath()[static_cast<std::size_t>(p) + 1]) << p;
    }
    EXPECT_EQ(lstRPath.ListIndex(), lstIPath.ListIndex());
  }
  void ExpectButtons(bool setCancelAdd, bool delEdit) {
    EXPECT_EQ(cmdSet.Enabled(), setCancelAdd);
    EXPECT_EQ(cmdCancel.Enabled(), setCancelAdd);
    EXPECT_EQ(cmdAdd.Enabled(), setCancelAdd);
    EXPECT_EQ(cmdDel.Enabled(), delEdit);
    EXPECT_EQ(cmdEdit.Enabled(), delEdit);
  }
  void ExpectOneWarning(const std::wstring& text) {
    ASSERT_EQ(messageBoxes.shown.size(), 1u);
    EXPECT_EQ(messageBoxes.shown[0].text, text);
    EXPECT_EQ(messageBoxes.shown[0].title, L"Mirabelton");
    EXPECT_EQ(messageBoxes.shown[0].style, 0x30u);
  }
};

// ---- Opening ----------------------------------------------------------------

TEST_F(SettingsForm, LoadShowsTheFileAliasesInKeyOrderAndItsHotKey) {
  WriteAliases(3);
  set.Form_Load();
  EXPECT_EQ(hotKey.createCount, 1);
  EXPECT_EQ(lstIPath.Items(), (std::vector<std::wstring>{L"name1", L"name2", L"name3"}));
  EXPECT_EQ(lstRPath.Items(),
            (std::vector<std::wstring>{L"C:\\path1", L"C:\\path2", L"C:\\path3"}));
  EXPECT_EQ(lstIPath.ListIndex(), 0);
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  EXPECT_EQ(set.OldHotKey(), kCtrlAltZ);
  EXPECT_EQ(set.StoredCount(), 3);
  ExpectInvariants();
  ExpectButtons(true, true);
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"");
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(SettingsForm, LoadWithNoAliasesKeepsTheHotKeyAndDisablesDeleteAndOverwrite) {
  WriteAliases(0);
  set.Form_Load();
  EXPECT_EQ(lstIPath.ListCount(), 0);
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  ExpectButtons(true, false);
}

TEST_F(SettingsForm, MissingFileOrOneNamedInAnotherCaseGivesF12AndAnEmptyList) {
  set.Form_Load();
  EXPECT_EQ(hotKey.GetHotKey(), 123);
  EXPECT_EQ(set.ItemCount(), 0);
  ExpectButtons(true, false);

  // The folder lists "mirabelton.INI": the bytes are readable, but the
  // name is not the program's.
  WriteAliases(2);
  files.exactNames = {{kFolder, L"mirabelton.INI"}};
  set.Form_Load();
  EXPECT_EQ(hotKey.GetHotKey(), 123);
  EXPECT_EQ(set.StoredCount(), 0);
  EXPECT_EQ(lstIPath.ListCount(), 0);
  ExpectButtons(true, false);
}

TEST_F(SettingsForm, NumbersThatAreNotValidFallBackInsteadOfFailing) {
  WriteSettings("[Programs]\r\nHotKey=F12\r\nTotalNumber=-4\r\n1=a\r\n1R=b\r\n");
  set.Form_Load();
  EXPECT_EQ(set.OldHotKey(), 123);
  EXPECT_EQ(set.ItemCount(), 0);

  WriteSettings("[Programs]\r\nHotKey=4294967296\r\nTotalNumber=99999\r\n1=a\r\n1R=b\r\n");
  set.Form_Load();
  EXPECT_EQ(set.OldHotKey(), 123);
  // Counts above the limit are capped; the entries the file lacks load empty.
  EXPECT_EQ(set.ItemCount(), 32767);
  EXPECT_EQ(lstIPath.List(0), L"a");
  EXPECT_EQ(lstRPath.List(32766), L"");
  ExpectInvariants();
}

TEST_F(SettingsForm, ValuesAreReadWholeAtAnyLength) {
  const std::string longPath = "C:\\" + std::string(400, 'x') + "\\tool.exe";
  WriteSettings("[Programs]\r\nTotalNumber=1\r\n1=long\r\n1R=" + longPath + "\r\n");
  set.Form_Load();
  EXPECT_EQ(set.RPath()[1], std::wstring(longPath.begin(), longPath.end()));
}

TEST_F(SettingsForm, EveryOpeningStartsFromTheFileAlone) {
  WriteAliases(2);
  set.Form_Load();
  Fill(L"added", L"C:\\added.exe");
  set.cmdAdd_Click();
  lstIPath.SetListIndex(1);
  set.cmdDel_Click();  // answered "OK", not "Yes": declined
  cmdAdd.SetEnabled(false);
  hotKey.Press(0x7A);
  Fill(L"typed", L"");
  set.cmdCancel_Click();
  EXPECT_EQ(hotKey.destroyCount, 1);

  set.Form_Load();
  EXPECT_EQ(lstIPath.Items(), (std::vector<std::wstring>{L"name1", L"name2"}));
  EXPECT_EQ(lstIPath.ListIndex(), 0);
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  EXPECT_EQ(txtIPath.Text(), L"");
  ExpectButtons(true, true);
  ExpectInvariants();
  EXPECT_EQ(files.replaceCalls, 0);
}

// ---- Apply, cancel and close ------------------------------------------------

TEST_F(SettingsForm, ApplyWithoutAKeyWarnsAndLeavesEverythingAsItWas) {
  WriteAliases(1);
  const std::string before = FileText();
  shared.SettingsEffect = L"";
  set.Form_Load();
  Fill(L"x", L"y");
  set.cmdAdd_Click();
  hotKey.Press(0);
  set.cmdSet_Click();
  ExpectOneWarning(L"ホットキーが設定されていません");
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(window.unloadCount, 0);
  EXPECT_EQ(shared.SettingsEffect, L"");
  EXPECT_EQ(set.ItemCount(), 2);
}

TEST_F(SettingsForm, WithoutAHotKeyFieldApplyAlwaysFindsNoKeyAndCloseSkipsDestroying) {
  hotKey.createSucceeds = false;
  WriteAliases(1);
  set.Form_Load();
  set.cmdSet_Click();
  ExpectOneWarning(L"ホットキーが設定されていません");
  EXPECT_EQ(files.replaceCalls, 0);
  set.cmdCancel_Click();
  EXPECT_EQ(window.unloadCount, 1);
  EXPECT_EQ(hotKey.destroyCount, 0);
}

TEST_F(SettingsForm, ApplyOnAMissingFileCreatesItAndKeepingF12CountsAsUnchanged) {
  set.Form_Load();
  set.cmdSet_Click();
  EXPECT_EQ(FileText(), "[Programs]\r\nHotKey=123\r\nTotalNumber=0\r\n");
  EXPECT_EQ(shared.SettingsEffect, L"Effected");
  EXPECT_EQ(window.unloadCount, 1);
  EXPECT_EQ(hotKey.destroyCount, 1);
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(SettingsForm, ApplyReportsWhetherTheWholeHotKeyValueChanged) {
  WriteAliases(1);
  set.Form_Load();
  hotKey.Press(0x7A);
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("HotKey=122\r\n"), std::string::npos);

  // Bits above the low 16 never reach the field, so the value read back
  // differs from the stored one even when the user changed nothing.
  WriteAliases(1, 0x1065A);
  set.Form_Load();
  EXPECT_EQ(hotKey.GetHotKey(), kCtrlAltZ);
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("HotKey=1626\r\n"), std::string::npos);
}

TEST_F(SettingsForm, ApplyAfterDeletingTwoOfFiveBlanksTheStaleKeysAndKeepsTheRest) {
  WriteSettings(
      "; kept by hand\r\n"
      "[Other]\r\n"
      "Key=value\r\n"
      "[Programs]\r\n"
      "TotalNumber=5\r\n"
      "1=a\r\n1R=C:\\a.exe\r\n"
      "2=b\r\n2R=C:\\b.exe\r\n"
      "3=c\r\n3R=C:\\c.exe\r\n"
      "4=d\r\n4R=C:\\d.exe\r\n"
      "5=e\r\n5R=C:\\e.exe\r\n"
      "HotKey=1626\r\n"
      "Unknown=stays\r\n");
  set.Form_Load();
  messageBoxes.answer = platform::kIdYes;
  lstIPath.SetListIndex(1);
  set.cmdDel_Click();  // b
  lstIPath.SetListIndex(2);
  set.cmdDel_Click();  // d
  set.cmdSet_Click();
  EXPECT_EQ(FileText(),
            "; kept by hand\r\n"
            "[Other]\r\n"
            "Key=value\r\n"
            "[Programs]\r\n"
            "TotalNumber=3\r\n"
            "1=a\r\n1R=C:\\a.exe\r\n"
            "2=c\r\n2R=C:\\c.exe\r\n"
            "3=e\r\n3R=C:\\e.exe\r\n"
            "4=\r\n4R=\r\n"
            "5=\r\n5R=\r\n"
            "HotKey=1626\r\n"
            "Unknown=stays\r\n");
  EXPECT_EQ(files.writes, 1);  // one replacement of the whole file
  EXPECT_EQ(shared.SettingsEffect, L"Effected");
}

TEST_F(SettingsForm, CancelAndTheCloseBoxWriteNothingAndLeaveTheEffectAlone) {
  WriteAliases(2);
  const std::string before = FileText();
  set.Form_Load();
  Fill(L"new", L"C:\\new.exe");
  set.cmdAdd_Click();
  hotKey.Press(0x7A);
  set.cmdCancel_Click();
  EXPECT_EQ(window.unloadCount, 1);
  EXPECT_EQ(hotKey.destroyCount, 1);
  // The close box unloads without any button.
  set.Form_Load();
  set.Form_QueryUnload();
  EXPECT_EQ(hotKey.destroyCount, 2);
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(shared.SettingsEffect, L"");
}

// ---- A save that fails ------------------------------------------------------

class FailedSave : public SettingsForm {
 protected:
  void SetUp() override {
    SettingsForm::SetUp();
    WriteAliases(2);
    before_ = FileText();
    set.Form_Load();
    Fill(L"new", L"C:\\new.exe");
    set.cmdAdd_Click();
    hotKey.Press(0x7A);
  }
  void ExpectNothingChanged() {
    ExpectOneWarning(L"設定ファイルに書き込めませんでした\r\n" + std::wstring(kPath));
    EXPECT_EQ(FileText(), before_);
    EXPECT_EQ(window.unloadCount, 0);
    EXPECT_EQ(hotKey.destroyCount, 0);
    EXPECT_EQ(shared.SettingsEffect, L"");
    EXPECT_EQ(set.ItemCount(), 3);
    EXPECT_EQ(hotKey.GetHotKey(), 0x7A);
    ExpectInvariants();
  }
  std::string before_;
};

TEST_F(FailedSave, WhenTheFileCannotBeReplacedTheWindowStaysOpenWithItsEdits) {
  files.replaceFails = true;
  set.cmdSet_Click();
  ExpectNothingChanged();

  // Once the cause is gone the same edits are saved.
  files.replaceFails = false;
  set.cmdSet_Click();
  EXPECT_EQ(shared.SettingsEffect, L"EffectedWithHotKey");
  EXPECT_NE(FileText().find("3=new\r\n3R=C:\\new.exe\r\n"), std::string::npos);
}

TEST_F(FailedSave, AValueTheFileCannotHoldIsNamedAndNothingIsWritten) {
  const struct {
    std::wstring shortName, realPath, warning;
  } cases[] = {
      {L"two\r\nlines", L"C:\\x.exe", L"短縮名に改行を含めることはできません\r\n「two↵lines」"},
      {L"x", L"C:\\a\nb\rc", L"実在パス名に改行を含めることはできません\r\n「C:\\a↵b↵c」"},
  };
  for (const auto& c : cases) {
    Fill(c.shortName, c.realPath);
    set.cmdAdd_Click();
    messageBoxes.shown.clear();
    set.cmdSet_Click();
    ExpectOneWarning(c.warning);
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(FileText(), before_);
    EXPECT_EQ(window.unloadCount, 0);
    EXPECT_EQ(shared.SettingsEffect, L"");
    lstIPath.SetListIndex(set.ItemCount() - 1);
    messageBoxes.answer = platform::kIdYes;
    set.cmdDel_Click();
  }
}

TEST_F(FailedSave, AFileThatExistsButCannotBeReadIsNotReplaced) {
  files.readFails = true;
  set.cmdSet_Click();
  EXPECT_EQ(files.replaceCalls, 0);
  ExpectNothingChanged();
}

// ---- List editing -----------------------------------------------------------

class ListEditing : public SettingsForm {
 protected:
  void SetUp() override {
    SettingsForm::SetUp();
    messageBoxes.answer = platform::kIdYes;
  }
};

TEST_F(ListEditing, AddAppendsWithoutMovingTheSelection) {
  WriteAliases(2);
  set.Form_Load();
  lstIPath.SetListIndex(1);
  // Duplicates and names of blanks are taken as typed.
  Fill(L"name1", L"C:\\other.exe");
  set.cmdAdd_Click();
  Fill(L"  ", L"C:\\blank.exe");
  set.cmdAdd_Click();
  EXPECT_EQ(set.ItemCount(), 4);
  EXPECT_EQ(lstIPath.Items(), (std::vector<std::wstring>{L"name1", L"name2", L"name1", L"  "}));
  EXPECT_EQ(set.RPath()[4], L"C:\\blank.exe");
  EXPECT_EQ(lstIPath.ListIndex(), 1);
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"");
  ExpectInvariants();
  ExpectButtons(true, true);
  EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(ListEditing, AnEmptyFieldIsRefusedAndTheOtherKeepsItsText) {
  WriteAliases(1);
  set.Form_Load();
  for (auto [shortName, realPath] :
       {std::pair{L"name", L""}, std::pair{L"", L"C:\\x"}, std::pair{L"", L""}}) {
    for (auto handler : {&settings::frmSet::cmdAdd_Click, &settings::frmSet::cmdEdit_Click}) {
      messageBoxes.shown.clear();
      Fill(shortName, realPath);
      (set.*handler)();
      ExpectOneWarning(L"短縮名、実在パス名のいずれか、もしくは両方が入力されていません");
      EXPECT_EQ(txtIPath.Text(), shortName);
      EXPECT_EQ(txtRPath.Text(), realPath);
      EXPECT_EQ(lstIPath.Items(), std::vector<std::wstring>{L"name1"});
      EXPECT_EQ(set.RPath()[1], L"C:\\path1");
      ExpectButtons(true, true);
    }
  }
}

TEST_F(ListEditing, AddingTheFirstEntryEnablesDeleteAndOverwriteAndDeletingTheLastDisablesThem) {
  set.Form_Load();
  ExpectButtons(true, false);
  Fill(L"only", L"C:\\only.exe");
  set.cmdAdd_Click();
  ExpectButtons(true, true);
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();
  EXPECT_EQ(set.ItemCount(), 0);
  ExpectButtons(true, false);
  ExpectInvariants();
}

TEST_F(ListEditing, OverwriteChangesOnlyTheSelectedEntry) {
  WriteAliases(5);
  set.Form_Load();
  lstIPath.SetListIndex(2);
  Fill(L"third", L"D:\\third.exe");
  set.cmdEdit_Click();
  EXPECT_EQ(lstIPath.Items(),
            (std::vector<std::wstring>{L"name1", L"name2", L"third", L"name4", L"name5"}));
  EXPECT_EQ(set.RPath()[3], L"D:\\third.exe");
  EXPECT_EQ(set.RPath()[4], L"C:\\path4");
  EXPECT_EQ(lstIPath.ListIndex(), 2);
  EXPECT_EQ(set.ItemCount(), 5);
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"");
  ExpectInvariants();
}

TEST_F(ListEditing, DeleteAsksAndMovesTheLaterEntriesUp) {
  WriteAliases(4);
  set.Form_Load();
  lstIPath.SetListIndex(1);
  Fill(L"typed", L"C:\\typed.exe");
  set.cmdDel_Click();
  ASSERT_EQ(messageBoxes.shown.size(), 1u);
  EXPECT_EQ(messageBoxes.shown[0].text, L"本当に登録を削除してもいいですか？");
  EXPECT_EQ(messageBoxes.shown[0].title, L"Mirabelton");
  EXPECT_EQ(messageBoxes.shown[0].style, 4u);
  EXPECT_EQ(lstIPath.Items(), (std::vector<std::wstring>{L"name1", L"name3", L"name4"}));
  EXPECT_EQ(set.RPath()[2], L"C:\\path3");
  EXPECT_EQ(lstIPath.ListIndex(), -1);
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"");
  ExpectInvariants();
  ExpectButtons(true, true);
}

TEST_F(ListEditing, DeclinedDeleteChangesNothing) {
  WriteAliases(3);
  set.Form_Load();
  lstIPath.SetListIndex(2);
  Fill(L"typed", L"C:\\typed.exe");
  messageBoxes.answer = 7;  // IDNO
  set.cmdDel_Click();
  EXPECT_EQ(set.ItemCount(), 3);
  EXPECT_EQ(lstIPath.ListIndex(), 2);
  EXPECT_EQ(txtIPath.Text(), L"typed");
  EXPECT_EQ(txtRPath.Text(), L"C:\\typed.exe");
  ExpectInvariants();
}

TEST_F(ListEditing, OverwriteAndDeleteWithNothingSelectedDoNothing) {
  WriteAliases(3);
  set.Form_Load();
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();  // leaves no entry selected
  messageBoxes.shown.clear();
  ExpectButtons(true, true);
  Fill(L"typed", L"C:\\typed.exe");
  set.cmdEdit_Click();
  set.cmdDel_Click();
  EXPECT_TRUE(messageBoxes.shown.empty());
  EXPECT_EQ(lstIPath.Items(), (std::vector<std::wstring>{L"name2", L"name3"}));
  EXPECT_EQ(txtIPath.Text(), L"typed");
  ExpectInvariants();
}

TEST_F(ListEditing, AddRefusesAFullListWithoutWrappingTheCount) {
  WriteSettings("[Programs]\r\nTotalNumber=32767\r\n");
  set.Form_Load();
  Fill(L"one more", L"C:\\more.exe");
  set.cmdAdd_Click();
  ExpectOneWarning(settings::kListFullMessage);
  EXPECT_EQ(set.ItemCount(), 32767);
  EXPECT_EQ(lstIPath.ListCount(), 32767);
  EXPECT_EQ(txtIPath.Text(), L"one more");
  ExpectButtons(true, true);

  // One fewer, and the same entry fits as the last one.
  lstIPath.SetListIndex(0);
  set.cmdDel_Click();
  Fill(L"one more", L"C:\\more.exe");
  set.cmdAdd_Click();
  ASSERT_EQ(set.ItemCount(), 32767);
  EXPECT_EQ(lstIPath.List(32766), L"one more");
  ExpectInvariants();
}

TEST_F(ListEditing, SelectionIsMirroredAndDoubleClickFetchesTheEntrysOwnPath) {
  WriteAliases(3);
  set.Form_Load();
  lstIPath.SetListIndex(2);
  EXPECT_EQ(lstRPath.ListIndex(), 2);
  EXPECT_EQ(txtIPath.Text(), L"");  // a single click fetches nothing
  set.lstIPath_DblClick();
  EXPECT_EQ(txtIPath.Text(), L"name3");
  EXPECT_EQ(txtRPath.Text(), L"C:\\path3");

  lstIPath.SetListIndex(-1);
  set.lstIPath_DblClick();
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"");
}

// ---- Browsing and dropping --------------------------------------------------

class PathTaking : public SettingsForm {
 protected:
  void SetUp() override {
    SettingsForm::SetUp();
    set.Form_Load();
    Fill(L"typed", L"typed path");
  }
};

TEST_F(PathTaking, BrowseUsesTheFixedTitleAndFilterAndCancelKeepsBothFields) {
  set.cmdDialog_Click();
  ASSERT_EQ(fileDialog.shown.size(), 1u);
  EXPECT_EQ(fileDialog.shown[0].title, L"実在パスを開く");
  EXPECT_EQ(fileDialog.shown[0].filter, L"すべてのﾌｧｲﾙ (*.*)|*.*");
  EXPECT_EQ(txtIPath.Text(), L"typed");
  EXPECT_EQ(txtRPath.Text(), L"typed path");

  fileDialog.chosen = L"C:\\Windows\\notepad.exe";
  set.cmdDialog_Click();
  EXPECT_EQ(txtRPath.Text(), L"C:\\Windows\\notepad.exe");
  EXPECT_EQ(txtIPath.Text(), L"notepad.exe");
}

TEST_F(PathTaking, ADropOnEitherFieldFillsBothFromTheFirstFile) {
  using Drop = void (settings::frmSet::*)(const std::vector<std::wstring>&);
  for (Drop drop : {Drop{&settings::frmSet::txtIPath_OLEDragDrop},
                    Drop{&settings::frmSet::txtRPath_OLEDragDrop}}) {
    Fill(L"typed", L"typed path");
    (set.*drop)({L"C:\\Program Files\\Editor\\edit.exe", L"C:\\second.txt", L"C:\\third.txt"});
    EXPECT_EQ(txtRPath.Text(), L"C:\\Program Files\\Editor\\edit.exe");
    EXPECT_EQ(txtIPath.Text(), L"edit.exe");
  }
  EXPECT_EQ(set.ItemCount(), 0);  // the list is not touched
}

TEST_F(PathTaking, TheShortNameIsTheLastComponentByCharacters) {
  const struct {
    const wchar_t* path;
    const wchar_t* shortName;
  } cases[] = {
      {L"C:\\Data\\Reports", L"Reports"},
      {L"C:\\", L""},
      {L"C:\\ソフト\\表計算\\予算表.xls", L"予算表.xls"},
      {L"C:\\ソフト\\表", L"表"},
      {L"\\\\server\\share\\Read Me.TXT", L"Read Me.TXT"},
  };
  for (const auto& c : cases) {
    set.txtRPath_OLEDragDrop({c.path});
    EXPECT_EQ(txtRPath.Text(), c.path);
    EXPECT_EQ(txtIPath.Text(), c.shortName) << c.path;
  }
  // Without a backslash the short name stays as it was.
  txtIPath.SetText(L"kept");
  set.txtIPath_OLEDragDrop({L"https://example.org/x"});
  EXPECT_EQ(txtRPath.Text(), L"https://example.org/x");
  EXPECT_EQ(txtIPath.Text(), L"kept");
}

TEST_F(PathTaking, OnlyFileListsAreAccepted) {
  EXPECT_EQ(set.txtIPath_OLEDragOver(true), 1);
  EXPECT_EQ(set.txtRPath_OLEDragOver(true), 1);
  EXPECT_EQ(set.txtIPath_OLEDragOver(false), 0);
  EXPECT_EQ(set.txtRPath_OLEDragOver(false), 0);
  set.txtRPath_OLEDragDrop({});
  EXPECT_EQ(txtIPath.Text(), L"typed");
  EXPECT_EQ(txtRPath.Text(), L"typed path");
}

TEST_F(PathTaking, DoubleClickEmptiesOnlyThatField) {
  set.txtRPath_DblClick();
  EXPECT_EQ(txtRPath.Text(), L"");
  EXPECT_EQ(txtIPath.Text(), L"typed");
  txtRPath.SetText(L"again");
  set.txtIPath_DblClick();
  EXPECT_EQ(txtIPath.Text(), L"");
  EXPECT_EQ(txtRPath.Text(), L"again");
}

}  // namespace
