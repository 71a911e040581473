#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <random>
#include <system_error>

namespace testsupport {
namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

std::u16string ProgramPath(const std::filesystem::path& p) {
  const std::u16string s = p.u16string();
  return s.back() == kSeparator ? s : s + kSeparator;
}

}  // namespace

std::filesystem::path NativePath(std::u16string_view path) {
  std::u16string copy(path);
#ifndef _WIN32
  for (auto& c : copy) {
    if (c == u'\\') c = u'/';
  }
#endif
  return std::filesystem::path(copy);
}

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    native_ = base / ("zek-test-" + std::to_string(random()) + "-" + std::to_string(++counter));
    if (std::filesystem::create_directory(native_)) break;
  }
  path_ = ProgramPath(native_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(native_, ignored);
}

std::u16string TempDir::folder(std::u16string_view relative) const {
  const auto p = NativePath(path_ + std::u16string(relative));
  std::filesystem::create_directories(p);
  return ProgramPath(p);
}

void WriteBytes(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  const auto p = NativePath(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void WriteText(std::u16string_view path, std::string_view bytes) {
  WriteBytes(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::vector<std::uint8_t> ReadBytes(std::u16string_view path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Utf16File(std::initializer_list<std::u16string_view> lines) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (const auto line : lines) {
    for (const char16_t c : std::u16string(line) + u"\r\n") {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  return bytes;
}

}  // namespace testsupport
