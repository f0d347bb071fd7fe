#include "platform/win32/win_file_access.h"

#include <windows.h>

// <windows.h> maps ReplaceFile to ReplaceFileW, which would rename our member.
#undef ReplaceFile

#include <algorithm>
#include <utility>

#include "platform/win32/scoped_handle.h"

namespace win32 {
namespace {

// One call moves at most this much, well inside a DWORD.
constexpr DWORD kChunk = 1u << 30;

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, wanted, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace

std::optional<std::string> WinFileAccess::ReadFile(const std::wstring& path) {
  ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                    ::CloseHandle);
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return std::nullopt;
  // The size is a hint only: another writer may change the file meanwhile.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;
    bytes.append(buffer.data(), read);
  }
  return bytes;
}

bool WinFileAccess::ReplaceFile(const std::wstring& path, const std::string& bytes) {
  // Windows will not move over a read-only file, but Wine does: asking
  // first gives the same answer on both.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  const std::wstring temp = path + L".tmp";
  ScopedHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr),
                    ::CloseHandle);
  if (!file.Valid()) return false;
  bool ok = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
  ok = file.Close() && ok;
  ok = ok && ::MoveFileExW(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) ::DeleteFileW(temp.c_str());
  return ok;
}

bool WinFileAccess::PathExists(const std::wstring& path) {
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  // Any other failure (a denied folder, a network error) may hide a file.
  const DWORD error = ::GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool WinFileAccess::FileExistsExactName(const std::wstring& folder, const std::wstring& name) {
  WIN32_FIND_DATAW data{};
  ScopedHandle find(::FindFirstFileW(JoinPath(folder, name).c_str(), &data), ::FindClose);
  if (!find.Valid()) return false;
  constexpr DWORD kNotOrdinary =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  // The search ignores case and also matches 8.3 short names, so only an
  // exact long name counts.
  do {
    if ((data.dwFileAttributes & kNotOrdinary) == 0 && name == data.cFileName) return true;
  } while (::FindNextFileW(find.Get(), &data));
  return false;
}

}  // namespace win32
