#include <windows.h>

#include "platform/platform.h"
#include "platform/wildcard.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace platform {

std::vector<std::u16string> ListFiles(std::u16string_view folder, std::u16string_view pattern) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found;
  const std::u16string query = std::u16string(folder) + std::u16string(pattern);
  const win32::FindHandle search(FindFirstFileW(detail::Wide(query).c_str(), &found));
  if (!search) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::u16string name = detail::FromWide(found.cFileName, wcslen(found.cFileName));
    // FindFirstFileW also matches 8.3 short names ("*.pms" finds "x.pmsx"); match again.
    if (WildcardMatch(name, pattern)) names.push_back(std::move(name));
  } while (FindNextFileW(search.get(), &found));
  return names;
}

bool CreateFolder(std::u16string_view path) {
  return CreateDirectoryW(detail::Wide(path).c_str(), nullptr) != 0;
}

bool DeleteFilePath(std::u16string_view path) {
  return DeleteFileW(detail::Wide(path).c_str()) != 0;
}

std::u16string ProgramFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(n);
  buffer.erase(buffer.rfind(L'\\') + 1);
  return detail::FromWide(buffer.data(), buffer.size());
}

std::u16string TempFolder() {
  wchar_t buffer[MAX_PATH + 2] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  return detail::FromWide(buffer, n <= MAX_PATH + 1 ? n : 0);
}

}  // namespace platform
