#include "files.h"

#include <windows.h>

#include <algorithm>

#include "platform/owned.h"
#include "text.h"

namespace standin {
namespace {

struct HandleTraits {
  using Value = HANDLE;
  static Value Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsEmpty(const Value& handle) { return handle == INVALID_HANDLE_VALUE; }
  static void Release(Value& handle) { CloseHandle(handle); }
};
using Handle = platform::Owned<HandleTraits>;

// A file that is deleted unless it is released after it has been moved into place.
struct TempFileTraits {
  using Value = std::u16string;
  static Value Empty() { return {}; }
  static bool IsEmpty(const Value& path) { return path.empty(); }
  static void Release(Value& path) { DeleteFileW(Wide(path)); }
};
using TempFile = platform::Owned<TempFileTraits>;

constexpr DWORD kChunk = 1u << 24;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written != size) return false;
    bytes.remove_prefix(size);
  }
  return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::u16string& path, FileData& file) {
  Handle handle(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return ReadResult::kCannotOpen;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle.get(), &size)) return ReadResult::kFailed;
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestFile) return ReadResult::kTooLarge;
  file.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < file.bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(file.bytes.size() - done, kChunk));
    DWORD got = 0;
    if (!ReadFile(handle.get(), file.bytes.data() + done, want, &got, nullptr) || got == 0)
      return ReadResult::kFailed;
    done += got;
  }
  FILETIME written{};
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  if (GetFileTime(handle.get(), nullptr, nullptr, &written) &&
      FileTimeToLocalFileTime(&written, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
    file.dosDate = date;
    file.dosTime = time;
  }
  return ReadResult::kOk;
}

bool FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReplaceFileWith(const std::u16string& target, std::string_view bytes) {
  const std::u16string tempPath =
      target + u"." + FromUtf8(std::to_string(GetCurrentProcessId())) + u".tmp";
  TempFile temp;  // declared first: the handle is closed before the file is deleted
  Handle handle(CreateFileW(Wide(tempPath), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return false;
  temp.reset(tempPath);
  if (!WriteAll(handle.get(), bytes)) return false;
  handle.reset();
  if (!MoveFileExW(Wide(tempPath), Wide(target),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  temp.release();
  return true;
}

bool AppendToFile(const std::u16string& path, std::string_view bytes) {
  Handle handle(CreateFileW(Wide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return handle && WriteAll(handle.get(), bytes);
}

}  // namespace standin
