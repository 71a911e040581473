#include "platform/wildcard.h"

#include "platform/platform.h"

namespace platform {

bool WildcardMatch(std::u16string_view name, std::u16string_view pattern) {
  const std::u16string n = LowerCase(name);
  const std::u16string p = LowerCase(pattern);
  // Iterative matching with one backtrack point: linear in practice, never recursive.
  std::size_t i = 0;
  std::size_t j = 0;
  std::size_t star = std::u16string::npos;
  std::size_t resume = 0;
  while (i < n.size()) {
    if (j < p.size() && (p[j] == u'?' || p[j] == n[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j] == u'*') {
      star = j++;
      resume = i;
    } else if (star != std::u16string::npos) {
      j = star + 1;
      i = ++resume;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j] == u'*') ++j;
  return j == p.size();
}

}  // namespace platform
