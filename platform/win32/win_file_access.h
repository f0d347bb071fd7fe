// The settings file on Windows.
#pragma once

#include <optional>
#include <string>

#include "core/file_access.h"

namespace win32 {

class WinFileAccess : public core::FileAccess {
 public:
  std::optional<std::string> ReadFile(const std::wstring& path) override;
  bool ReplaceFile(const std::wstring& path, const std::string& bytes) override;
  bool FileExistsExactName(const std::wstring& folder, const std::wstring& name) override;
  bool PathExists(const std::wstring& path) override;
};

}  // namespace win32
