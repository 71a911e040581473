#pragma once

#include <string_view>

namespace platform {

// '*' matches any run, '?' one character; letters compare ignoring case.
bool WildcardMatch(std::u16string_view name, std::u16string_view pattern);

}  // namespace platform
