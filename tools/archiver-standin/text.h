// Text conversions at the edges: command line and names are UTF-16 inside, ZIP names and
// the log are UTF-8, list files without a mark are in the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// The string as the W APIs take it (wchar_t is 16 bits on Windows).
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string Widen(std::string_view bytes, unsigned codePage);
std::string Narrow(std::u16string_view text, unsigned codePage);
std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);

// ASCII letters folded to lower case; commands and switches ignore case.
std::u16string AsciiLower(std::u16string_view text);

// The decimal number that makes up all of `digits`; false for no digits, another
// character, or a value above `limit`.
bool ParseNumber(std::u16string_view digits, unsigned limit, unsigned& value);

}  // namespace standin
