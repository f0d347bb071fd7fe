// The settings file on a POSIX file system.
#pragma once

#include <optional>
#include <string>

#include "core/file_access.h"

namespace posix {

// Paths are wide strings converted to UTF-8 bytes.
class PosixFileAccess : public core::FileAccess {
 public:
  std::optional<std::string> ReadFile(const std::wstring& path) override;
  // A file without any write permission bit counts as read-only and is
  // not replaced, as on Windows (even when running as root).
  bool ReplaceFile(const std::wstring& path, const std::string& bytes) override;
  // POSIX has no hidden or system attribute: any regular file counts.
  bool FileExistsExactName(const std::wstring& folder, const std::wstring& name) override;
  bool PathExists(const std::wstring& path) override;
};

}  // namespace posix
