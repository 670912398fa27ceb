#include "platform/ado/field_names.h"

#include <set>

namespace orlix::ado {

std::string asciiLowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciiLower(c);
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

void MakeFieldNamesUnique(std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].empty()) names[i] = "F" + std::to_string(i + 1);
  std::set<std::string> taken;
  for (const auto& name : names) taken.insert(asciiLowered(name));
  std::set<std::string> seen;
  for (auto& name : names) {
    if (seen.insert(asciiLowered(name)).second) continue;
    for (int n = 2;; ++n) {
      std::string candidate = name + "_" + std::to_string(n);
      if (!taken.count(asciiLowered(candidate))) {
        name = candidate;
        taken.insert(asciiLowered(candidate));
        seen.insert(asciiLowered(candidate));
        break;
      }
    }
  }
}

}  // namespace orlix::ado
