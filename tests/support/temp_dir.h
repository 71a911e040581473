// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Writes bytes to a file given as a program path; creates missing parent folders.
void WriteBytes(std::u16string_view path, std::span<const std::uint8_t> bytes);
void WriteText(std::u16string_view path, std::string_view bytes);
std::vector<std::uint8_t> ReadBytes(std::u16string_view path);

// A text file's bytes: UTF-16LE with the mark and CR LF after every line.
std::vector<std::uint8_t> Utf16File(std::initializer_list<std::u16string_view> lines);

// A program path to the same file in std::filesystem terms.
std::filesystem::path NativePath(std::u16string_view path);

}  // namespace testsupport
