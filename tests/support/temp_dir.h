// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fixtures/fixture_files.h"

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder as the program spells paths (UTF-16, ending with the separator).
  const std::u16string& path() const { return path_; }
  std::u16string file(std::u16string_view name) const { return path_ + std::u16string(name); }
  // Creates a sub-folder (and its parents); returns it with a trailing separator.
  std::u16string folder(std::u16string_view relative) const;
  const std::filesystem::path& native() const { return native_; }

 private:
  std::filesystem::path native_;
  std::u16string path_;
};

}  // namespace testsupport
