#include "platform/win32/win_controls.h"

#include <commctrl.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/file_drop_target.h"

namespace win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The property of a child window that names its control object.
constexpr wchar_t kControlProperty[] = L"Mirabelton.Control";
// Posted to a child for its OnLater; only the control's own procedure sees it.
constexpr UINT kMsgLater = WM_APP + 1;

// Resets a flag however the scope ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// Tens of thousands of items: storage reserved for all of them at once, and
// the list neither repaints nor updates its scroll bar until the last is in.
void AppendToList(HWND list, std::span<const std::wstring> items) {
  std::size_t characters = 0;
  for (const std::wstring& item : items) characters += item.size() + 1;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
  for (const std::wstring& item : items)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

WinChild::~WinChild() { Detach(); }

void WinChild::Attach(HWND hwnd) {
  Detach();
  if (!hwnd) return;
  hwnd_ = hwnd;
  SetPropW(hwnd, kControlProperty, this);
  SetWindowSubclass(hwnd, ChildProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void WinChild::Detach() {
  if (!hwnd_) return;
  RemoveWindowSubclass(hwnd_, ChildProc, kSubclassId);
  RemovePropW(hwnd_, kControlProperty);
  hwnd_ = nullptr;
}

WinChild* WinChild::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<WinChild*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void WinChild::PostLater() const { PostMessageW(hwnd_, kMsgLater, 0, 0); }

LRESULT CALLBACK WinChild::ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<WinChild*>(data);
  if (message == WM_NCDESTROY) {
    self->Detach();
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  // Nothing may unwind into the system's code: an event that fails leaves
  // the message handled as the window itself handled it.
  if (message == kMsgLater) {
    try {
      self->OnLater();
    } catch (...) {
    }
    return 0;
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  try {
    self->OnMessage(message);
  } catch (...) {
  }
  return result;
}

bool RaiseNotification(WPARAM wParam, LPARAM lParam) {
  WinChild* control = WinChild::FromHandle(reinterpret_cast<HWND>(lParam));
  if (!control) return false;
  control->OnNotify(HIWORD(wParam));
  return true;
}

void WinButton::OnNotify(int code) {
  if (code == BN_CLICKED) Press();
}

bool WinButton::Press() {
  if (Enabled()) platform::Raise(Click);
  return true;
}

void WinButton::OnMessage(UINT message) {
  if (!framesFocus_ || (message != WM_SETFOCUS && message != WM_KILLFOCUS)) return;
  SendMessageW(hwnd_, BM_SETSTYLE, message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void WinPanel::OnMessage(UINT message) {
  if (message == WM_SETFOCUS) platform::Raise(GotFocus);
}

template <class Base>
void WinTextControl<Base>::SetText(const std::wstring& text) {
  {
    FlagScope scope(settingText_);
    SetWindowTextW(this->hwnd_, text.c_str());
  }
  platform::Raise(this->Change);
}

template <class Base>
void WinTextControl<Base>::AcceptDrops() {
  RevokeDrops();
  dropTarget_ = FileDropTarget::Register(
      this->hwnd_,
      [this](bool offersFiles) {
        return this->OLEDragOver ? this->OLEDragOver(offersFiles) : DROPEFFECT_NONE;
      },
      [this](const std::vector<std::wstring>& files) {
        BeforeDrop();
        platform::Raise(this->OLEDragDrop, files);
      });
}

template <class Base>
void WinTextControl<Base>::RevokeDrops() {
  if (dropTarget_) dropTarget_->Revoke();
  dropTarget_ = nullptr;
}

template <class Base>
void WinTextControl<Base>::OnMessage(UINT message) {
  if (message == WM_DESTROY) RevokeDrops();  // the target must go before its window
}

template class WinTextControl<platform::TextBox>;
template class WinTextControl<platform::ComboBox>;

void WinTextBox::OnNotify(int code) {
  if (code == EN_CHANGE) RaiseChange();
}

void WinTextBox::OnMessage(UINT message) {
  WinTextControl::OnMessage(message);
  if (message == WM_LBUTTONDBLCLK) platform::Raise(DblClick);
}

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

int WinPanel::Top() const {
  if (topKnown_) return topTwips_;
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  return PixelsToTwips(rect.top, WindowDpi(hwnd_));
}

void WinPanel::SetTop(int twips) {
  topTwips_ = twips;
  topKnown_ = true;
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  SetWindowPos(hwnd_, nullptr, rect.left, TwipsToPixels(twips, WindowDpi(hwnd_)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinComboBox::OnNotify(int code) {
  if (code == CBN_DROPDOWN) FillListIfEmpty();
  if (code == CBN_EDITCHANGE) RaiseChange();
  // The choice reaches the edit field only after CBN_SELCHANGE returns.
  if (code == CBN_SELCHANGE) PostLater();
}

HWND WinComboBox::EditField() const { return FindWindowExW(hwnd_, nullptr, L"EDIT", nullptr); }

int WinComboBox::SelStart() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void WinComboBox::SetSel(int start, int length) {
  const int end = length < 0 ? start : start + length;
  SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

void WinComboBox::Clear() {
  FlagScope scope(settingText_);
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  SetWindowTextW(hwnd_, L"");
  index_.Clear();
  listFilled_ = true;
}

void WinComboBox::SetItems(std::vector<std::wstring> items) {
  index_.Assign(std::move(items));
  if (const HWND list = ListWindow()) SendMessageW(list, LB_RESETCONTENT, 0, 0);
  listFilled_ = index_.Items().empty();
}

void WinComboBox::FillListIfEmpty() {
  if (listFilled_) return;
  listFilled_ = true;
  // Straight to the list: one message per name rather than two through the box.
  if (const HWND list = ListWindow()) AppendToList(list, index_.Items());
}

HWND WinComboBox::ListWindow() const {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  return GetComboBoxInfo(hwnd_, &parts) ? parts.hwndList : nullptr;
}

// From the names as given rather than from the control: the same text,
// without two messages per call.
int WinComboBox::ListCount() const { return static_cast<int>(index_.Items().size()); }

std::wstring WinComboBox::List(int index) const {
  const std::vector<std::wstring>& items = index_.Items();
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return {};
  return items[static_cast<std::size_t>(index)];
}

void WinComboBox::SetTopIndex(int index) {
  SendMessageW(hwnd_, CB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void WinComboBox::SetListIndex(int index) {
  FlagScope scope(settingText_);
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// Our own search rather than CB_FINDSTRING: the same case folding on every
// system and in every test, and logarithmic over tens of thousands of aliases.
int WinComboBox::FindString(const std::wstring& text, bool exact) const {
  return index_.Find(text, exact);
}

void WinListBox::AddItem(const std::wstring& item) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void WinListBox::AddItems(std::span<const std::wstring> items) { AppendToList(hwnd_, items); }

void WinListBox::SetItem(int index, const std::wstring& item) {
  const int selected = ListIndex();
  SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(item.c_str()));
  if (selected == index) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring WinListBox::List(int index) const {
  const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void WinListBox::SetListIndex(int index) {
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  platform::Raise(Click);
}

void WinListBox::OnNotify(int code) {
  if (code == LBN_SELCHANGE) platform::Raise(Click);
  if (code == LBN_DBLCLK) platform::Raise(DblClick);
}

void CoveredListBox::Clear() {
  items_.clear();
  selected_ = -1;
}

void CoveredListBox::AddItems(std::span<const std::wstring> items) {
  items_.insert(items_.end(), items.begin(), items.end());
}

// The selection follows its item, as in the list control.
void CoveredListBox::RemoveItem(int index) {
  if (!Holds(index)) return;
  items_.erase(items_.begin() + index);
  if (index == selected_) {
    selected_ = -1;
  } else if (index < selected_) {
    --selected_;
  }
}

void CoveredListBox::SetItem(int index, const std::wstring& item) {
  if (Holds(index)) items_[static_cast<std::size_t>(index)] = item;
}

std::wstring CoveredListBox::List(int index) const {
  return Holds(index) ? items_[static_cast<std::size_t>(index)] : std::wstring();
}

void CoveredListBox::SetListIndex(int index) {
  if (index == -1 || Holds(index)) selected_ = index;
  platform::Raise(Click);
}

}  // namespace win32
