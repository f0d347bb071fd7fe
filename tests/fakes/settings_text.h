// The bytes of a settings file holding these aliases: the one builder the
// unit tests and the end-to-end tests share.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fakes {

using Aliases = std::vector<std::pair<std::string, std::string>>;  // (short name, real path)

// "[Programs]", "TotalNumber", then each alias's two keys, then `more`.
inline std::string SettingsText(const Aliases& aliases, const std::string& more = "") {
  std::string text = "[Programs]\r\nTotalNumber=" + std::to_string(aliases.size()) + "\r\n";
  for (std::size_t i = 0; i < aliases.size(); ++i) {
    const std::string key = std::to_string(i + 1);
    text += key + "=" + aliases[i].first + "\r\n" + key + "R=" + aliases[i].second + "\r\n";
  }
  return text + more;
}

}  // namespace fakes
