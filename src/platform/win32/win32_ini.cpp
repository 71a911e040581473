#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace platform {

std::u16string ReadIniString(std::u16string_view path, std::u16string_view section,
                             std::u16string_view key, std::u16string_view fallback,
                             std::size_t maxChars) {
  std::wstring buffer(maxChars + 1, L'\0');
  const DWORD n = GetPrivateProfileStringW(
      detail::Wide(section).c_str(), detail::Wide(key).c_str(), detail::Wide(fallback).c_str(),
      buffer.data(), static_cast<DWORD>(buffer.size()), detail::Wide(path).c_str());
  return detail::FromWide(buffer.data(), n);
}

bool WriteIniString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                    std::u16string_view value, NewIniFile newFile) {
  const std::wstring file = detail::Wide(path);
  // The profile API writes a new file in the ANSI code page, which would lose the letters
  // of a path outside it; a file that starts as UTF-16 stays UTF-16, an empty one ANSI.
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    static constexpr std::uint8_t kMark[] = {0xFF, 0xFE};
    const std::span<const std::uint8_t> start = newFile == NewIniFile::kUtf16
                                                    ? std::span<const std::uint8_t>(kMark)
                                                    : std::span<const std::uint8_t>();
    if (!WriteNewFile(path, start)) return false;
  }
  return WritePrivateProfileStringW(detail::Wide(section).c_str(), detail::Wide(key).c_str(),
                                    detail::Wide(value).c_str(), file.c_str()) != 0;
}

}  // namespace platform
