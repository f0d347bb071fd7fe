// The few things the settings window needs beyond platform/controls.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// The key-capture field that lives inside the settings window's hot-key
// panel. It exists only between Create and Destroy; while it does not, it
// shows nothing and returns 0, as a message to a missing window would.
// A value is the field's 16-bit word: virtual-key code in the low byte,
// modifier flags (shift 1, control 2, alt 4) in the next; 0 is no key.
// Any combination is accepted, with or without modifiers.
class HotKeyField {
 public:
  virtual ~HotKeyField() = default;
  // Creates the field filling the panel's interior, in the stock GUI font.
  // False when the platform could not create it.
  virtual bool Create() = 0;
  virtual void Destroy() = 0;
  // Only the low 16 bits of value reach the field.
  virtual void SetHotKey(std::int32_t value) = 0;
  virtual std::int32_t GetHotKey() const = 0;
  virtual void SetFocus() = 0;
};

// The platform's open-file dialog, shown modally over the settings window.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // filter: "label|pattern" pairs joined by '|'. Returns the full path of
  // the chosen file, or "" when the user cancels.
  virtual std::wstring ShowOpen(const std::wstring& title, const std::wstring& filter) = 0;
};

// A window shown modally.
class ModalWindow {
 public:
  virtual ~ModalWindow() = default;
  // Closes the window: QueryUnload is raised, then the modal display
  // returns. Safe to call from inside an event handler.
  virtual void Unload() = 0;
  // The window is going, whatever the cause (Unload, the close box, its
  // owner's end); raised once.
  std::function<void()> QueryUnload;
};

}  // namespace platform
