// Recording fakes of the platform services.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/services.h"

namespace fakes {

// Opens everything with success unless told that a target fails.
class FakeShell : public platform::Shell {
public:
  std::intptr_t Open(const std::wstring& target) override {
    opened.push_back(target);
    auto it = results.find(target);
    return it == results.end() ? 42 : it->second;
  }
  std::vector<std::wstring> opened;
  std::map<std::wstring, std::intptr_t> results;  // target -> code
};

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  unsigned style;
};

class FakeMessageBoxes : public platform::MessageBoxes {
public:
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    shown.push_back({text, title, style});
    return answer;
  }
  std::vector<ShownMessage> shown;
  int answer = 1;  // IDOK
};

class FakeEnvironment : public platform::Environment {
public:
  std::wstring ProgramFolder() const override { return folder; }
  std::wstring folder = L"C:\\Tools\\Mirabelton";
};

} // namespace fakes
