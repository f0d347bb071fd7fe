#include "tests/e2e/screenshot.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <type_traits>
#include <vector>

#include "tests/e2e/build_paths.h"

namespace e2e {

namespace {

struct ScreenDcRelease {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDelete {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct BitmapDelete {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Dc = std::remove_pointer_t<HDC>;

}  // namespace

std::filesystem::path ArtifactFolder() {
  const std::filesystem::path folder = WindowsPath(E2E_ARTIFACT_DIR);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

bool SaveScreenshot(const std::filesystem::path& file) {
  const std::unique_ptr<Dc, ScreenDcRelease> screen(GetDC(nullptr));
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const std::unique_ptr<Dc, DcDelete> memory(CreateCompatibleDC(screen.get()));
  const std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDelete> bitmap(
      CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return false;
  // The bitmap leaves the DC again before GetDIBits reads it.
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const bool copied =
      BitBlt(memory.get(), 0, 0, width, height, screen.get(), GetSystemMetrics(SM_XVIRTUALSCREEN),
             GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY) != FALSE;
  SelectObject(memory.get(), previous);

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
  if (!copied || GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                           reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != height) {
    return false;
  }
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  header.biSizeImage = static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace e2e
