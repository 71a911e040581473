#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"
#include "platform/wildcard.h"

namespace platform {
namespace detail {

std::u16string FromNative(const std::string& s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    char32_t cp = c;
    std::size_t len = 1;
    if (c >= 0xF0 && i + 3 < s.size() + 0) {
      cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) |
           (s[i + 3] & 0x3Fu);
      len = 4;
    } else if (c >= 0xE0 && i + 2 < s.size()) {
      cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
      len = 3;
    } else if (c >= 0xC0 && i + 1 < s.size()) {
      cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
      len = 2;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += len;
  }
  return out;
}

}  // namespace detail

namespace {

std::u16string WithSlash(std::u16string folder) {
  if (folder.empty() || folder.back() != u'/') folder += u'/';
  return folder;
}

}  // namespace

std::vector<std::u16string> ListFiles(std::u16string_view folder, std::u16string_view pattern) {
  std::vector<std::u16string> names;
  const std::string dirPath = detail::ExistingNativePath(folder);
  DIR* dir = ::opendir(dirPath.empty() ? "." : dirPath.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    const std::string full = dirPath + (dirPath.empty() || dirPath.back() == '/' ? "" : "/") + name;
    if (::stat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
    std::u16string wide = detail::FromNative(name);
    if (WildcardMatch(wide, pattern)) names.push_back(std::move(wide));
  }
  ::closedir(dir);
  return names;
}

bool CreateFolder(std::u16string_view path) {
  return ::mkdir(detail::ExistingNativePath(path).c_str(), 0755) == 0;
}

bool DeleteFilePath(std::u16string_view path) {
  return ::unlink(detail::ExistingNativePath(path).c_str()) == 0;
}

std::u16string ProgramFolder() {
  char buffer[PATH_MAX + 1] = {};
  const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return u"./";
  std::string path(buffer, static_cast<std::size_t>(n));
  path.erase(path.rfind('/') + 1);
  return detail::FromNative(path);
}

std::u16string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return WithSlash(detail::FromNative(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp"));
}

std::optional<std::u16string> FirstRegistryValue(RegistryRoot, std::u16string_view) {
  return std::nullopt;
}

}  // namespace platform
