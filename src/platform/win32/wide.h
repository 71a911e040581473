// UTF-16 text is handed to the W APIs as it is: wchar_t is 16 bits on Windows.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W APIs take UTF-16");

namespace platform::detail {

// A zero-terminated copy, for APIs that want one.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace platform::detail
