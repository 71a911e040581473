#include <windows.h>

#include "platform/platform.h"
#include "platform/raw_file.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace platform {
namespace detail {

namespace {
HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}
}  // namespace

std::intptr_t RawOpenForReading(std::u16string_view path) {
  const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  return reinterpret_cast<std::intptr_t>(h);
}

void RawClose(std::intptr_t handle) {
  win32::FileHandleTraits::Release(AsHandle(handle));
}

std::size_t RawReadAt(std::intptr_t handle, std::int64_t offset, void* destination, std::size_t n) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  if (offset < 0 || !SetFilePointerEx(AsHandle(handle), to, nullptr, FILE_BEGIN)) return 0;
  std::size_t total = 0;
  auto* out = static_cast<char*>(destination);
  while (total < n) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - total, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle), out + total, want, &got, nullptr) || got == 0) break;
    total += got;
  }
  return total;
}

std::uint64_t RawSize(std::intptr_t handle) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(AsHandle(handle), &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<LocalTime> RawLastWriteLocalTime(std::intptr_t handle) {
  FILETIME written;
  if (!GetFileTime(AsHandle(handle), nullptr, nullptr, &written)) return std::nullopt;
  // Through SYSTEMTIME so that the time-zone rules of that date apply.
  SYSTEMTIME utc;
  SYSTEMTIME local;
  if (!FileTimeToSystemTime(&written, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return LocalTime{local.wYear, local.wMonth,  local.wDay,
                   local.wHour, local.wMinute, local.wSecond};
}

}  // namespace detail

bool Exists(std::u16string_view path) {
  return GetFileAttributesW(detail::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(std::u16string_view path) {
  const DWORD attributes = GetFileAttributesW(detail::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderNames::contains(std::u16string_view name) {
  return IsFile(folder_ + std::u16string(name));
}

bool WriteNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  win32::FileHandle file(CreateFileW(detail::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD done = 0;
    if (!WriteFile(file.get(), bytes.data() + written, want, &done, nullptr) || done == 0) break;
    written += done;
  }
  const bool closed = win32::CloseWrittenFile(file);
  return closed && written == bytes.size();
}

}  // namespace platform
