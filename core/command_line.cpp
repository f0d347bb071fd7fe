#include "core/command_line.h"

#include "core/case_fold.h"

namespace core {

std::wstring ArgumentText(std::wstring_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    const std::size_t close = commandLine.find(L'"', 1);
    i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
  }
  while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return std::wstring(commandLine.substr(i));
}

bool HasSwitch(std::wstring_view argumentText, std::wstring_view lowerSwitch) {
  return FoldCase(argumentText).find(lowerSwitch) != std::wstring::npos;
}

}  // namespace core
