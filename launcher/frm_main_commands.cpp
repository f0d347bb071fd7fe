#include "core/command_text.h"
#include "launcher/frm_main.h"
#include "launcher/open_path.h"

namespace launcher {

void frmMain::cmdOK_Click() {
  if (AboutShown()) picAbout.SetTop(kAboutHiddenTop);
  const std::wstring text = cmbRun.Text();
  if (text.empty()) {
    form.Hide();
    return;
  }
  if (text != L"@re") LastCommand_ = text;

  if (core::BeginsWithKeyword(text, L"@about")) {
    picAbout.SetTop(kAboutShownTop);
    cmdCancel.SetFocus();
    return;
  }
  if (core::BeginsWithKeyword(text, L"@re") && !LastCommand_.empty()) {
    // A change like any other: completion matches a recalled short name
    // again and may lengthen the text, so the selection covers what the
    // box shows rather than what was recalled.
    cmbRun.SetText(LastCommand_);
    cmbRun.SetSel(0, static_cast<int>(cmbRun.Text().size()));
    return;
  }
  if (text.front() == L'@') {
    RunBuiltInCommand(text);
    // "@exit" has destroyed the window by now; hiding it is harmless.
    form.Hide();
    return;
  }
  if (text.find(L'\\') != std::wstring::npos) {
    OpenPath(shell, shared_, text);
  } else if (MatchIndex_ > 0 && MatchIndex_ < static_cast<int>(RealPaths_.size())) {
    OpenPath(shell, shared_, RealPaths_[MatchIndex_]);
  } else {
    OpenPath(shell, shared_, text);
  }
  form.Hide();
}

void frmMain::RunBuiltInCommand(const std::wstring& text) {
  if (core::BeginsWithKeyword(text, L"@prev")) {
    const std::wstring& entry = shared_.RunHistory[core::PrevHistoryIndex(text)];
    if (!entry.empty()) OpenPathNoHistory(shell, entry);
  } else if (core::BeginsWithKeyword(text, L"@mypath") || core::BeginsWithKeyword(text, L"@me")) {
    OpenPath(shell, shared_, environment.ProgramFolder());
  } else if (core::BeginsWithKeyword(text, L"@exit")) {
    cmdEnd_Click();
  }
}

}  // namespace launcher
