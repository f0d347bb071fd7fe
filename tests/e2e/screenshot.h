// Pictures of the screen for people reading a test run: saved as artifacts,
// never compared.
#pragma once

#include <filesystem>
#include <string_view>

namespace e2e {

// build/win64/artifacts, created on first use.
std::filesystem::path ArtifactFolder();

// The whole desktop as a 24-bit BMP at file; false when it could not be
// captured or written.
bool SaveScreenshot(const std::filesystem::path& file);

}  // namespace e2e
