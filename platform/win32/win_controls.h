// The control interfaces over real Win32 child windows. The window that owns
// the controls forwards their notifications (RaiseChange, RaiseClick).
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "core/prefix_index.h"
#include "platform/controls.h"

namespace win32 {

template <class Base>
class WinControl : public Base {
 public:
  explicit WinControl(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const override { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void SetFocus() override { ::SetFocus(hwnd_); }

 protected:
  HWND hwnd_;
};

std::wstring WindowText(HWND hwnd);

class WinButton : public WinControl<platform::Button> {};

class WinLabel : public WinControl<platform::Label> {
 public:
  void SetCaption(const std::wstring& caption) override { SetWindowTextW(hwnd_, caption.c_str()); }
  std::wstring Caption() const override { return WindowText(hwnd_); }
};

class WinPanel : public WinControl<platform::Panel> {
 public:
  int Top() const override;
  void SetTop(int twips) override;

 private:
  int topTwips_ = 0;  // kept exactly: pixels would round the twips away
  bool topKnown_ = false;
};

class WinTextBox : public WinControl<platform::TextBox> {
 public:
  std::wstring Text() const override { return WindowText(hwnd_); }
  void SetText(const std::wstring& text) override;
  // EN_CHANGE from the edit field; ignored while the program sets the text.
  void RaiseChange();

 private:
  bool settingText_ = false;
};

class WinComboBox : public WinControl<platform::ComboBox> {
 public:
  std::wstring Text() const override { return WindowText(hwnd_); }
  void SetText(const std::wstring& text) override;
  int SelStart() const override;
  void SetSel(int start, int length) override;
  void Clear() override;
  void SetItems(std::vector<std::wstring> items) override;
  int ListCount() const override;
  std::wstring List(int index) const override;
  void SetTopIndex(int index) override;
  void SetListIndex(int index) override;
  int FindString(const std::wstring& text, bool exact) const override;

  // CBN_EDITCHANGE, or a choice from the list once the edit field shows it;
  // ignored while the program changes the text itself.
  void RaiseChange();
  HWND EditField() const;

  // The names go into the control's own list when something first needs
  // it, not at start-up: 32,767 of them would take longer than the rest of
  // the start. The window calls this before every key, wheel turn and drop
  // that reaches it and when the list drops down, so the control's list
  // holds every name before it can be seen or stepped through, and follows
  // every change of the text as it would have from the start.
  void FillListIfEmpty();

 private:
  HWND ListWindow() const;

  core::PrefixIndex index_;  // also the list's names, in order
  bool listFilled_ = true;   // the control's list holds index_'s items
  bool settingText_ = false;
};

class WinListBox : public WinControl<platform::ListBox> {
 public:
  void Clear() override { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
  void AddItem(const std::wstring& item) override;
  void AddItems(std::span<const std::wstring> items) override;
  void RemoveItem(int index) override {
    SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  }
  void SetItem(int index, const std::wstring& item) override;
  int ListCount() const override {
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
  }
  std::wstring List(int index) const override;
  int ListIndex() const override {
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
  }
  void SetListIndex(int index) override;
  void RaiseClick() {
    if (Click) Click();
  }
};

// A list that lies wholly beneath another and is never seen, only read: it
// keeps its items and selection in memory, and its window stays empty, so
// that a file of 32,767 paths is not copied into a control nobody sees.
class CoveredListBox : public WinControl<platform::ListBox> {
 public:
  void Clear() override;
  void AddItem(const std::wstring& item) override { items_.push_back(item); }
  void AddItems(std::span<const std::wstring> items) override;
  void RemoveItem(int index) override;
  void SetItem(int index, const std::wstring& item) override;
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::wstring List(int index) const override;
  int ListIndex() const override { return selected_; }
  // An index outside the list leaves the selection as it was, as the list
  // control does.
  void SetListIndex(int index) override;

 private:
  bool Holds(int index) const { return index >= 0 && index < ListCount(); }

  std::vector<std::wstring> items_;
  int selected_ = -1;
};

}  // namespace win32
