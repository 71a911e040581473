#include "support/temp_dir.h"

#include <atomic>
#include <random>
#include <system_error>

namespace testsupport {
namespace {

// With a trailing separator, as the program spells folders.
std::u16string ProgramPath(const std::filesystem::path& p) {
  const std::u16string s = p.u16string();
  const auto separator = static_cast<char16_t>(std::filesystem::path::preferred_separator);
  return s.back() == separator ? s : s + separator;
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  do {
    native_ = base / ("zek-test-" + std::to_string(random()) + "-" + std::to_string(++counter));
  } while (!std::filesystem::create_directory(native_));
  path_ = ProgramPath(native_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(native_, ignored);
}

std::u16string TempDir::folder(std::u16string_view relative) const {
  const auto p = fixtures::NativePath(path_ + std::u16string(relative));
  std::filesystem::create_directories(p);
  return ProgramPath(p);
}

}  // namespace testsupport
