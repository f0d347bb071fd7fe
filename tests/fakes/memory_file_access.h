// Files held in memory, with switches for the failures a real disk has.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/file_access.h"

namespace fakes {

class MemoryFileAccess : public core::FileAccess {
 public:
  std::optional<std::string> ReadFile(const std::wstring& path) override {
    auto it = files.find(path);
    if (readFails || it == files.end()) return std::nullopt;
    return it->second;
  }
  // Counts every attempt; when replaceFails is set, files stay as they were.
  bool ReplaceFile(const std::wstring& path, const std::string& bytes) override {
    ++replaceCalls;
    if (replaceFails) return false;
    files[path] = bytes;
    ++writes;
    return true;
  }
  // Answers from exactNames only, not from files: a test states which
  // names the folder lists with their exact letter case.
  bool FileExistsExactName(const std::wstring& folder, const std::wstring& name) override {
    return exactNames.count({folder, name}) != 0;
  }
  // As on Windows, a name in another letter case is held under the path.
  bool PathExists(const std::wstring& path) override { return files.count(path) != 0; }

  std::map<std::wstring, std::string> files;                   // path -> bytes
  std::set<std::pair<std::wstring, std::wstring>> exactNames;  // (folder, name)
  bool readFails = false;                                      // every ReadFile returns nullopt
  bool replaceFails = false;                                   // every ReplaceFile returns false
  int replaceCalls = 0;
  int writes = 0;  // successful replacements
};

}  // namespace fakes
