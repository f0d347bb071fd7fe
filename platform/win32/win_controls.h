// The control interfaces over real Win32 child windows. Each control raises
// its own events: attached to its child window, it sees that window's
// messages (a subclass), and the window that holds it finds it from the
// handle (WinChild::FromHandle) to hand on the notifications a child sends
// its parent. No control knows the form that binds its events.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "core/prefix_index.h"
#include "platform/controls.h"

namespace win32 {

class FileDropTarget;

// What every control over a child window has: its handle, and the messages
// and notifications of that window.
class WinChild {
 public:
  WinChild() = default;
  virtual ~WinChild();
  WinChild(const WinChild&) = delete;
  WinChild& operator=(const WinChild&) = delete;

  // Binds the control to its window for the window's life; nullptr binds
  // nothing, and the control then acts on no window.
  void Attach(HWND hwnd);
  HWND Handle() const { return hwnd_; }

  // The control attached to hwnd; nullptr for none.
  static WinChild* FromHandle(HWND hwnd);

  // A notification the child sent its parent (the code of its WM_COMMAND).
  virtual void OnNotify(int /*code*/) {}
  // A key pressed while the child (or a part of it) has the focus, before
  // the child sees it.
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  // Enter on a focused control: a push button raises its Click (when
  // enabled) and answers true; any other control answers false.
  virtual bool Press() { return false; }

 protected:
  // A message of the child window, after the window itself has handled it.
  virtual void OnMessage(UINT /*message*/) {}
  // Runs OnLater from the message queue, once the current message is done.
  void PostLater() const;
  virtual void OnLater() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  void Detach();
};

// Hands a WM_COMMAND from a child to the control attached to it; false
// when the sender has none.
bool RaiseNotification(WPARAM wParam, LPARAM lParam);

template <class Base>
class WinControl : public Base, public WinChild {
 public:
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const override { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void SetFocus() override { ::SetFocus(hwnd_); }
};

std::wstring WindowText(HWND hwnd);

class WinButton : public WinControl<platform::Button> {
 public:
  void OnNotify(int code) override;
  bool Press() override;
  // The button wears the default frame while it has the focus, as the one
  // that Enter presses.
  void FrameAsDefaultWhileFocused() { framesFocus_ = true; }

 private:
  void OnMessage(UINT message) override;
  bool framesFocus_ = false;
};

class WinPanel : public WinControl<platform::Panel> {
 public:
  int Top() const override;
  void SetTop(int twips) override;

 private:
  void OnMessage(UINT message) override;
  int topTwips_ = 0;  // kept exactly: pixels would round the twips away
  bool topKnown_ = false;
};

// What the text box and the command box share: a text that the program
// sets, raising Change once, and files dropped on the control.
template <class Base>
class WinTextControl : public WinControl<Base> {
 public:
  ~WinTextControl() override { RevokeDrops(); }
  std::wstring Text() const override { return WindowText(this->hwnd_); }
  void SetText(const std::wstring& text) override;
  // A change the edit field reports; ignored while the program sets the text.
  void RaiseChange() {
    if (!settingText_) platform::Raise(this->Change);
  }
  // Registers the control as a drop target raising OLEDragOver and
  // OLEDragDrop; OLE must be initialised on this thread. Revoked when the
  // control or its window goes.
  void AcceptDrops();
  // The drop target; nullptr when none is registered.
  FileDropTarget* DropTarget() const { return dropTarget_; }

 protected:
  void OnMessage(UINT message) override;
  virtual void BeforeDrop() {}
  void RevokeDrops();
  bool settingText_ = false;

 private:
  FileDropTarget* dropTarget_ = nullptr;
};

class WinTextBox : public WinTextControl<platform::TextBox> {
 public:
  void OnNotify(int code) override;

 private:
  void OnMessage(UINT message) override;
};

class WinComboBox : public WinTextControl<platform::ComboBox> {
 public:
  void SetText(const std::wstring& text) override { WinTextControl::SetText(text); }
  int SelStart() const override;
  void SetSel(int start, int length) override;
  void Clear() override;
  void SetItems(std::vector<std::wstring> items) override;
  int ListCount() const override;
  std::wstring List(int index) const override;
  void SetTopIndex(int index) override;
  void SetListIndex(int index) override;
  int FindString(const std::wstring& text, bool exact) const override;

  // CBN_EDITCHANGE; a choice from the list, once the edit field shows it;
  // the list dropping down.
  void OnNotify(int code) override;
  void OnKeyDown(int keyCode, int shift) override { platform::Raise(KeyDown, keyCode, shift); }
  HWND EditField() const;

  // The names go into the control's own list when something first needs
  // it, not at start-up: 32,767 of them would take longer than the rest of
  // the start. The window calls this before every key and wheel turn that
  // reaches it; a drop and the list dropping down call it too. So the
  // control's list holds every name before it can be seen or stepped
  // through, and follows every change of the text as it would have from
  // the start.
  void FillListIfEmpty();

 private:
  void OnLater() override { RaiseChange(); }
  void BeforeDrop() override { FillListIfEmpty(); }
  HWND ListWindow() const;

  core::PrefixIndex index_;  // also the list's names, in order
  bool listFilled_ = true;   // the control's list holds index_'s items
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
  // LBN_SELCHANGE and LBN_DBLCLK.
  void OnNotify(int code) override;
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
