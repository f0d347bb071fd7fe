// In-memory controls that keep the event contract of platform/controls.h.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/prefix_index.h"
#include "platform/controls.h"

namespace fakes {

template <class Base>
class FakeControlBase : public Base {
 public:
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetFocus() override { ++focusCount; }
  int focusCount = 0;

 private:
  bool enabled_ = true;
  bool visible_ = true;
};

class FakeButton : public FakeControlBase<platform::Button> {
 public:
  // What the user does: a real button raises Click only while enabled.
  void Press() {
    if (Enabled() && Click) Click();
  }
};

class FakePicture : public FakeControlBase<platform::Control> {};

class FakeLabel : public FakeControlBase<platform::Label> {
 public:
  void SetCaption(const std::wstring& caption) override { caption_ = caption; }
  std::wstring Caption() const override { return caption_; }

  // What the user does: a left click, which the real label reports as a
  // press, a release and then the click.
  void ClickWithMouse() {
    if (MouseDown) MouseDown(1, 0, 0, 0);
    if (MouseUp) MouseUp(1, 0, 0, 0);
    if (Click) Click();
  }

 private:
  std::wstring caption_;
};

class FakePanel : public FakeControlBase<platform::Panel> {
 public:
  explicit FakePanel(int top = 0) : top_(top) {}
  int Top() const override { return top_; }
  void SetTop(int twips) override { top_ = twips; }

 private:
  int top_;
};

class FakeTextBox : public FakeControlBase<platform::TextBox> {
 public:
  std::wstring Text() const override { return text_; }
  void SetText(const std::wstring& text) override {
    text_ = text;
    if (Change) Change();
  }

 private:
  std::wstring text_;
};

class FakeComboBox : public FakeControlBase<platform::ComboBox> {
 public:
  std::wstring Text() const override { return text_; }
  void SetText(const std::wstring& text) override {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
    if (Change) Change();
  }
  int SelStart() const override { return selStart_; }
  void SetSel(int start, int length) override {
    const int size = static_cast<int>(text_.size());
    selStart_ = start < 0 ? 0 : (start > size ? size : start);
    selLength_ = length < 0 ? 0 : (selStart_ + length > size ? size - selStart_ : length);
  }
  void Clear() override {
    index_.Clear();
    text_.clear();
    selStart_ = selLength_ = 0;
    listIndex_ = topIndex_ = -1;
  }
  void SetItems(std::vector<std::wstring> items) override { index_.Assign(std::move(items)); }
  int ListCount() const override { return static_cast<int>(index_.Items().size()); }
  std::wstring List(int index) const override {
    return index_.Items().at(static_cast<std::size_t>(index));
  }
  void SetTopIndex(int index) override { topIndex_ = index; }
  void SetListIndex(int index) override { listIndex_ = index; }
  int FindString(const std::wstring& text, bool exact) const override {
    return index_.Find(text, exact);
  }

  // What the user does: replaces the selection with typed text and raises
  // Change, as the real edit field does.
  void Type(const std::wstring& typed) {
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), typed);
    selStart_ += static_cast<int>(typed.size());
    selLength_ = 0;
    if (Change) Change();
  }
  void Backspace() {
    if (selLength_ > 0) {
      text_.erase(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
    } else if (selStart_ > 0) {
      text_.erase(static_cast<std::size_t>(--selStart_), 1);
    }
    selLength_ = 0;
    if (Change) Change();
  }
  // Text with the selected part in brackets, as the worked examples show it.
  std::wstring Shown() const {
    std::wstring s = text_;
    if (selLength_ > 0) {
      s.insert(static_cast<std::size_t>(selStart_ + selLength_), L"]");
      s.insert(static_cast<std::size_t>(selStart_), L"[");
    }
    return s;
  }
  int ListIndex() const { return listIndex_; }
  int TopIndex() const { return topIndex_; }

 private:
  std::wstring text_;
  int selStart_ = 0;
  int selLength_ = 0;
  core::PrefixIndex index_;
  int listIndex_ = -1;
  int topIndex_ = -1;
};

class FakeListBox : public FakeControlBase<platform::ListBox> {
 public:
  void Clear() override {
    items_.clear();
    listIndex_ = -1;
  }
  void AddItem(const std::wstring& item) override { items_.push_back(item); }
  void AddItems(std::span<const std::wstring> items) override {
    items_.insert(items_.end(), items.begin(), items.end());
  }
  void RemoveItem(int index) override {
    items_.erase(items_.begin() + index);
    listIndex_ = -1;
  }
  void SetItem(int index, const std::wstring& item) override {
    items_.at(static_cast<std::size_t>(index)) = item;
  }
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::wstring List(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
  int ListIndex() const override { return listIndex_; }
  void SetListIndex(int index) override {
    listIndex_ = index;
    if (Click) Click();
  }
  const std::vector<std::wstring>& Items() const { return items_; }

 private:
  std::vector<std::wstring> items_;
  int listIndex_ = -1;
};

class FakeWindow : public platform::Window {
 public:
  bool Visible() const override { return visible_; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  void Move(int left, int top) override {
    left_ = left;
    top_ = top;
  }
  void Unload() override {
    ++unloadCount;
    if (QueryUnload) QueryUnload();
  }
  int unloadCount = 0;

 private:
  bool visible_ = true;
  int left_ = 0;
  int top_ = 0;
};

}  // namespace fakes
