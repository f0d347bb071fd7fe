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
// Positions are twips in the parent's client area unless a name says otherwise.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace platform {

class Control {
 public:
  virtual ~Control() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetFocus() = 0;
};

class Button : public Control {};

class Label : public Control {
 public:
  virtual void SetCaption(const std::wstring& caption) = 0;
  virtual std::wstring Caption() const = 0;
};

// A picture or a panel that the program moves or hides.
class Panel : public Control {
 public:
  virtual int Top() const = 0;
  virtual void SetTop(int twips) = 0;
};

class TextBox : public Control {
 public:
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  std::function<void()> Change;
};

// Edit field with a drop-down list (a "ComboBox" of the platform).
class ComboBox : public Control {
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
  // Destroys the window; the platform then runs the form's unload handler
  // and ends the program.
  virtual void Unload() = 0;
};

}  // namespace platform
