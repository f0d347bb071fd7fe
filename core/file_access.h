// Whole-file access for the settings file, implemented per platform.
#pragma once

#include <optional>
#include <string>

namespace core {

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  // nullopt when the file is missing or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::wstring& path) = 0;
  // Writes a temporary file in path's folder, flushes it to disk, then
  // replaces path with it in one step. False, with path as it was, on any
  // failure (read-only folder or file, full disk, locked file, ...).
  virtual bool ReplaceFile(const std::wstring& path, const std::string& bytes) = 0;
  // True when folder holds an ordinary (not hidden, not system) file whose
  // name is exactly name, letter case included.
  virtual bool FileExistsExactName(const std::wstring& folder, const std::wstring& name) = 0;
  // True when something may be there under path, whatever its letter case
  // and attributes: false only when the name is certainly free.
  virtual bool PathExists(const std::wstring& path) = 0;
};

}  // namespace core
