#include "tests/fakes/memory_file_access.h"

namespace fakes {

std::optional<std::string> MemoryFileAccess::ReadFile(const std::wstring& path) {
  if (readFails) return std::nullopt;
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

bool MemoryFileAccess::ReplaceFile(const std::wstring& path, const std::string& bytes) {
  ++replaceCalls;
  if (replaceFails) return false;
  files[path] = bytes;
  ++writes;
  return true;
}

bool MemoryFileAccess::FileExistsExactName(const std::wstring& folder, const std::wstring& name) {
  return exactNames.count({folder, name}) != 0;
}

}  // namespace fakes
