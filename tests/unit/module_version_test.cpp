// The launcher's title shows the numbers of its own version resource,
// read without VERSION.dll. Windows only.
#ifdef _WIN32

#include "platform/win32/module_version.h"

#include <gtest/gtest.h>

#include <string>

#include "mirabelton_version.h"

TEST(ModuleVersion, IsTheProjectVersionInTheExeAndNothingWhereThereIsNone) {
  // The build hands over a Linux path; under Wine the Linux root is Z:.
  std::string path = "Z:" MIRABELTON_EXE;
  for (char& c : path) c = c == '/' ? '\\' : c;
  HMODULE exe = LoadLibraryExA(path.c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(exe) << path;
  const auto version = win32::ReadModuleVersion(exe);
  FreeLibrary(exe);
  ASSERT_TRUE(version);
  EXPECT_EQ(version->major, MIRABELTON_VERSION_MAJOR);
  EXPECT_EQ(version->minor, MIRABELTON_VERSION_MINOR);
  EXPECT_FALSE(win32::ReadModuleVersion(GetModuleHandleW(nullptr)));
}

#endif  // _WIN32
