#include "support/temp_dir.h"

#include <atomic>
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
  const auto p = fixtures::NativePath(path_ + std::u16string(relative));
  std::filesystem::create_directories(p);
  return ProgramPath(p);
}

}  // namespace testsupport
