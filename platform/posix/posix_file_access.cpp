#include "platform/posix/posix_file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "core/text_codec.h"

namespace posix {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Makes the rename itself durable; a failure here cannot undo it, so it
// is not reported.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> PosixFileAccess::ReadFile(const std::wstring& path) {
  std::ifstream in(core::EncodeUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[64 * 1024];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;  // e.g. a folder of that name
  return bytes;
}

bool PosixFileAccess::ReplaceFile(const std::wstring& path, const std::string& bytes) {
  const std::string target = core::EncodeUtf8(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists &&
      (!S_ISREG(existing.st_mode) || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
    return false;
  }

  const std::string temp = target + ".tmp-" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(target);
  return true;
}

bool PosixFileAccess::PathExists(const std::wstring& path) {
  struct stat info {};
  if (::stat(core::EncodeUtf8(path).c_str(), &info) == 0) return true;
  return errno != ENOENT && errno != ENOTDIR;
}

bool PosixFileAccess::FileExistsExactName(const std::wstring& folder, const std::wstring& name) {
  DIR* dir = ::opendir(core::EncodeUtf8(folder).c_str());
  if (dir == nullptr) return false;
  const std::string wanted = core::EncodeUtf8(name);
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (wanted != entry->d_name) continue;
    struct stat info {};
    found = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    break;
  }
  ::closedir(dir);
  return found;
}

}  // namespace posix
