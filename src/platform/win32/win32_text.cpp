#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace platform {

void AnsiToUtf16(std::string_view bytes, std::u16string& out) {
  out.clear();
  if (bytes.empty()) return;
  const int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return;
  out.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
}

std::u16string AnsiToUtf16(std::string_view bytes) {
  std::u16string out;
  AnsiToUtf16(bytes, out);
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::u16string LowerCase(std::u16string_view text) {
  std::wstring copy = detail::Wide(text);
  if (!copy.empty()) CharLowerBuffW(copy.data(), static_cast<DWORD>(copy.size()));
  return detail::FromWide(copy.data(), copy.size());
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  return lstrcmpiW(detail::Wide(a).c_str(), detail::Wide(b).c_str());
}

}  // namespace platform
