// Fakes of the settings window's own platform pieces, keeping the contract
// of platform/settings_controls.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/settings_controls.h"

namespace fakes {

class FakeHotKeyField : public platform::HotKeyField {
 public:
  bool Create() override {
    ++createCount;
    created = createSucceeds;
    value_ = 0;
    return created;
  }
  void Destroy() override {
    if (created) ++destroyCount;
    created = false;
  }
  void SetHotKey(std::int32_t value) override {
    if (created) value_ = value & 0xFFFF;
  }
  std::int32_t GetHotKey() const override { return created ? value_ : 0; }
  void SetFocus() override {}

  // What the user does: presses a combination into the field (0 clears it).
  void Press(std::int32_t value) { SetHotKey(value); }

  bool createSucceeds = true;
  bool created = false;
  int createCount = 0;
  int destroyCount = 0;

 private:
  std::int32_t value_ = 0;
};

class FakeFileDialog : public platform::FileDialog {
 public:
  std::wstring ShowOpen(const std::wstring&, const std::wstring&) override {
    ++shown;
    return chosen;
  }
  int shown = 0;
  std::wstring chosen;  // "" acts as Cancel
};

class FakeModalWindow : public platform::ModalWindow {
 public:
  void Unload() override {
    ++unloadCount;
    if (QueryUnload) QueryUnload();
  }
  int unloadCount = 0;
};

}  // namespace fakes
