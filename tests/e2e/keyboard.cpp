#include "tests/e2e/keyboard.h"

#include <vector>

namespace e2e {

namespace {

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = flags;
  return input;
}

bool Send(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

}  // namespace

bool TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  return Send(inputs);
}

bool PressKeys(std::initializer_list<WORD> virtualKeys) {
  std::vector<INPUT> inputs;
  for (WORD key : virtualKeys) {
    inputs.push_back(KeyInput(key, static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0));
  }
  for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) {
    const WORD scan = static_cast<WORD>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC));
    inputs.push_back(KeyInput(*key, scan, KEYEVENTF_KEYUP));
  }
  return Send(inputs);
}

}  // namespace e2e
