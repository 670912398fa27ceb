#include "platform/ado/field_names.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace orlix::ado {

namespace {

std::string Folded(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

void MakeFieldNamesUnique(std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].empty()) names[i] = "F" + std::to_string(i + 1);
  std::set<std::string> taken;
  for (const auto& name : names) taken.insert(Folded(name));
  std::set<std::string> seen;
  for (auto& name : names) {
    if (seen.insert(Folded(name)).second) continue;
    for (int n = 2;; ++n) {
      std::string candidate = name + "_" + std::to_string(n);
      if (!taken.count(Folded(candidate))) {
        name = candidate;
        taken.insert(Folded(candidate));
        seen.insert(Folded(candidate));
        break;
      }
    }
  }
}

}  // namespace orlix::ado
