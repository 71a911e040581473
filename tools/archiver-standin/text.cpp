#include "text.h"

#include <windows.h>

#include <climits>

namespace standin {

std::u16string Widen(std::string_view bytes, unsigned codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                      length);
  return text;
}

std::string Narrow(std::u16string_view text, unsigned codePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, 0, wide, size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide, size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::u16string FromUtf8(std::string_view bytes) {
  return Widen(bytes, CP_UTF8);
}

std::string ToUtf8(std::u16string_view text) {
  return Narrow(text, CP_UTF8);
}

std::u16string AsciiLower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

bool ParseNumber(std::u16string_view digits, unsigned limit, unsigned& value) {
  if (digits.empty()) return false;
  unsigned long long number = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return false;
    number = number * 10 + static_cast<unsigned>(c - u'0');
    if (number > limit) return false;
  }
  value = static_cast<unsigned>(number);
  return true;
}

}  // namespace standin
