#pragma once

#include <string>
#include <string_view>

namespace platform::detail {

// A Windows path as this system spells it: UTF-8, with slashes for backslashes.
std::string NativePath(std::u16string_view path);

}  // namespace platform::detail
