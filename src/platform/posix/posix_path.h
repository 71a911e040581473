#pragma once

#include <string>
#include <string_view>

namespace platform::detail {

// A Windows path as this system spells it: UTF-8, with slashes for backslashes.
std::string NativePath(std::u16string_view path);

// A name as the file system spells it (UTF-8) in UTF-16.
std::u16string FromNative(const std::string& name);

// The native path of an existing file or folder in whatever letter case it is spelt on
// disk, as Windows finds it; parts that match nothing stay as given.
std::string ExistingNativePath(std::u16string_view path);

}  // namespace platform::detail
