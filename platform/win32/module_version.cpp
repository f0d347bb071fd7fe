#include "platform/win32/module_version.h"

#include <cstring>

namespace win32 {

std::optional<ModuleVersion> ReadModuleVersion(HMODULE module) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const auto* block = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (!block) return std::nullopt;
  // VS_VERSIONINFO: three WORDs, the key L"VS_VERSION_INFO" with its NUL,
  // padding to a 32-bit boundary, then the fixed file information.
  constexpr wchar_t kKey[] = L"VS_VERSION_INFO";
  constexpr size_t kInfoOffset = (3 * sizeof(WORD) + sizeof kKey + 3) & ~size_t{3};
  VS_FIXEDFILEINFO info;
  if (SizeofResource(module, resource) < kInfoOffset + sizeof info ||
      std::memcmp(block + 3 * sizeof(WORD), kKey, sizeof kKey) != 0) {
    return std::nullopt;
  }
  std::memcpy(&info, block + kInfoOffset, sizeof info);
  if (info.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
  return ModuleVersion{HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS)};
}

}  // namespace win32
