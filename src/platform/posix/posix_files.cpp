#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"
#include "platform/raw_file.h"

namespace platform {
namespace detail {
namespace {

// The entry of `folder` that is `name` in another letter case; the first by byte order
// when several are, so that the answer does not depend on the listing's order.
std::optional<std::string> SpellingOnDisk(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const std::u16string wanted = LowerCase(FromNative(name));
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string n = entry->d_name;
    if ((!found || n < *found) && LowerCase(FromNative(n)) == wanted) found = n;
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::string ExistingNativePath(std::u16string_view path) {
  const std::string native = NativePath(path);
  struct stat st {};
  if (native.empty() || ::lstat(native.c_str(), &st) == 0) return native;
  std::string out = native.front() == '/' ? "/" : "";
  for (std::size_t at = out.size(); at <= native.size();) {
    std::size_t end = native.find('/', at);
    if (end == std::string::npos) end = native.size();
    std::string part = native.substr(at, end - at);
    if (!part.empty() && part != "." && part != ".." && ::lstat((out + part).c_str(), &st) != 0) {
      const std::optional<std::string> spelt = SpellingOnDisk(out, part);
      if (!spelt) return out + native.substr(at);
      part = *spelt;
    }
    out += part;
    if (end < native.size()) out += '/';
    at = end + 1;
  }
  return out;
}

std::string NativePath(std::u16string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    char32_t c = path[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 &&
        path[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
      ++i;
    }
    if (c == u'\\') c = u'/';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::intptr_t RawOpenForReading(std::u16string_view path) {
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  // Only a name spelt in another letter case than on disk needs the slower way.
  if (fd < 0 && errno == ENOENT)
    fd = ::open(ExistingNativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  // Windows cannot open a folder as a file; neither do we.
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void RawClose(std::intptr_t handle) {
  ::close(static_cast<int>(handle));
}

std::size_t RawReadAt(std::intptr_t handle, std::int64_t offset, void* destination, std::size_t n) {
  std::size_t total = 0;
  auto* out = static_cast<char*>(destination);
  while (total < n) {
    const ssize_t got = ::pread(static_cast<int>(handle), out + total, n - total,
                                static_cast<off_t>(offset + static_cast<std::int64_t>(total)));
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

std::uint64_t RawSize(std::intptr_t handle) {
  struct stat st {};
  if (::fstat(static_cast<int>(handle), &st) != 0) return 0;
  return static_cast<std::uint64_t>(st.st_size);
}

std::optional<LocalTime> RawLastWriteLocalTime(std::intptr_t handle) {
  struct stat st {};
  if (::fstat(static_cast<int>(handle), &st) != 0) return std::nullopt;
  std::tm tm{};
  const std::time_t t = st.st_mtime;
  if (!::localtime_r(&t, &tm)) return std::nullopt;
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace detail

bool Exists(std::u16string_view path) {
  struct stat st {};
  return ::stat(detail::ExistingNativePath(path).c_str(), &st) == 0;
}

bool IsFile(std::u16string_view path) {
  struct stat st {};
  return ::stat(detail::ExistingNativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderNames::contains(std::u16string_view name) {
  if (!read_) {
    read_ = true;
    const std::string folder = detail::ExistingNativePath(folder_);
    if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        // Links and unknown types are asked about what they lead to.
        struct stat st {};
        const bool folder =
            entry->d_type == DT_DIR ||
            ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
             ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
        if (!folder) folded_.insert(LowerCase(detail::FromNative(entry->d_name)));
      }
      ::closedir(dir);
    }
  }
  return folded_.contains(LowerCase(name));
}

bool WriteNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(detail::ExistingNativePath(path).c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool closed = ::close(fd) == 0;
  return closed && written == bytes.size();
}

}  // namespace platform
