#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace platform {

std::optional<std::u16string> FirstRegistryValue(RegistryRoot root, std::u16string_view subkey) {
  const HKEY rootKey = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(rootKey, detail::Wide(subkey).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  const win32::RegistryKey key(opened);
  wchar_t name[256];
  DWORD nameLength = 256;
  DWORD type = 0;
  wchar_t data[261] = {};
  DWORD dataBytes = sizeof(data) - sizeof(wchar_t);
  const LONG status = RegEnumValueW(key.get(), 0, name, &nameLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data), &dataBytes);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::size_t length = dataBytes / sizeof(wchar_t);
  while (length > 0 && data[length - 1] == L'\0') --length;
  return detail::FromWide(data, length);
}

}  // namespace platform
