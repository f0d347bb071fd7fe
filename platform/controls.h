// Narrow interfaces through which the forms talk to their controls.
//
// Event contract, identical in the Win32 layer and in the test fakes:
//  - ComboBox::SetText and TextBox::SetText raise the control's Change event
//    (synchronously, before they return), whether or not the text differs.
//  - ComboBox::Clear empties the list and the text and raises no event;
//    ComboBox::SetItems replaces the list, keeps the text and raises none.
//  - ComboBox::SetListIndex and SetSel* raise no event.
//  - ListBox::SetListIndex raises the list's Click event; adding, removing or
//    replacing items raises nothing.
//  - Nothing else the program does raises an event: Click, DblClick, the
//    mouse, the keys, GotFocus and the drops come from the user alone.
// A form binds its handlers to these events once, in its constructor, and
// lets them go in its destructor (platform/event_bindings.h), so a control
// that outlives its form raises nothing. An event nobody bound does nothing.
// Positions are twips in the parent's client area unless a name says otherwise.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Raises an event; one that nobody bound does nothing.
template <class Event, class... Args>
auto Raise(const Event& event, Args&&... args) {
  using Result = decltype(event(std::forward<Args>(args)...));
  if (!event) return Result();
  return event(std::forward<Args>(args)...);
}

class Control {
 public:
  virtual ~Control() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetFocus() = 0;
};

// Mouse events: the button that changed or the buttons held (1 left,
// 2 right, 4 middle), the shift state (kShiftMask, kCtrlMask, kAltMask), and
// the pointer in twips from the control's top left corner.
using MouseEvent = std::function<void(int button, int shift, double x, double y)>;
// Key events: the virtual-key code and the shift state.
using KeyEvent = std::function<void(int keyCode, int shift)>;

// Files dragged over and dropped on a control. DragOver answers the effect
// to show (kDropEffectCopy, kDropEffectNone) for data that does or does not
// offer a file list; DragDrop brings the list, empty when the data held none.
struct DropEvents {
  std::function<int(bool offersFiles)> OLEDragOver;
  std::function<void(const std::vector<std::wstring>& files)> OLEDragDrop;
};

// A push button. Click comes from the mouse, the keyboard (Space, or Enter
// where the window passes it on) and the window's shortcuts, and only while
// the button is enabled.
class Button : public Control {
 public:
  std::function<void()> Click;
};

class Label : public Control {
 public:
  virtual void SetCaption(const std::wstring& caption) = 0;
  virtual std::wstring Caption() const = 0;
  // MouseUp comes before Click, so a pressed look is gone before the
  // action runs; Click only for the left button released over the label.
  MouseEvent MouseDown, MouseMove, MouseUp;
  std::function<void()> Click;
};

// A picture or a panel that the program moves or hides.
class Panel : public Control {
 public:
  virtual int Top() const = 0;
  virtual void SetTop(int twips) = 0;
  std::function<void()> GotFocus;
};

class TextBox : public Control, public DropEvents {
 public:
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  std::function<void()> Change;
  std::function<void()> DblClick;
};

// Edit field with a drop-down list (a "ComboBox" of the platform).
class ComboBox : public Control, public DropEvents {
 public:
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual int SelStart() const = 0;
  virtual void SetSel(int start, int length) = 0;

  virtual void Clear() = 0;
  // The whole list at once, in order: the file may hold 32,767 names.
  virtual void SetItems(std::vector<std::wstring> items) = 0;
  virtual int ListCount() const = 0;
  virtual std::wstring List(int index) const = 0;
  virtual void SetTopIndex(int index) = 0;
  virtual void SetListIndex(int index) = 0;
  // First item that begins with (or, when exact, equals) text, letters
  // compared without case; -1 for none and for an empty text.
  virtual int FindString(const std::wstring& text, bool exact) const = 0;

  std::function<void()> Change;
  // A key pressed in the box, before the box acts on it.
  KeyEvent KeyDown;
};

class ListBox : public Control {
 public:
  virtual void Clear() = 0;
  virtual void AddItem(const std::wstring& item) = 0;
  // Appends them all at once, in order: a whole file's names or paths.
  virtual void AddItems(std::span<const std::wstring> items) = 0;
  virtual void RemoveItem(int index) = 0;
  virtual void SetItem(int index, const std::wstring& item) = 0;
  virtual int ListCount() const = 0;
  virtual std::wstring List(int index) const = 0;
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
  std::function<void()> Click;
  std::function<void()> DblClick;
};

// The top-level window a form lives in. Left/Top are screen twips.
class Window {
 public:
  virtual ~Window() = default;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual void Move(int leftTwips, int topTwips) = 0;
  // Destroys the window; the platform then raises QueryUnload and ends
  // the program.
  virtual void Unload() = 0;

  // Every key pressed while the window or one of its controls has the
  // focus, before the focused control sees it.
  KeyEvent KeyDown;
  // The window is going, whatever the cause; raised once.
  std::function<void()> QueryUnload;
};

}  // namespace platform
