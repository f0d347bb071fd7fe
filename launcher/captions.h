// The captions that start-up fills in.
#pragma once

#include <optional>
#include <string>

#include "platform/services.h"

namespace launcher {

// "Mirabelton Ver1.05": a one-digit minor version gets a leading zero.
std::wstring VersionCaption(int major, int minor);

// The platform's name for the about panel; "Windows" for every system the
// table does not name, and when the system does not say.
std::wstring GetPlatformName(const std::optional<platform::OsVersion>& version);

}  // namespace launcher
