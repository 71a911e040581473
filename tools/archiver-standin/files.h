// Whole-file reads and the safe replacement of an archive, through the W file APIs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

// ZIP without its 64-bit extension holds sizes and offsets below 4 GiB.
inline constexpr std::uint64_t kLargestFile = 0xFFFFFFFEu;

enum class ReadResult { kOk, kCannotOpen, kTooLarge, kFailed };

struct FileData {
  std::string bytes;
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0x21;  // 1980-01-01, the earliest a DOS date can say
};

ReadResult ReadWholeFile(const std::u16string& path, FileData& file);
bool FileExists(const std::u16string& path);

// Writes `bytes` into a new file beside `target` and moves it over the target, so a failed
// run leaves the old file (or none) rather than a half-written one.
bool ReplaceFileWith(const std::u16string& target, std::string_view bytes);

// Appends one line to a log shared by runs that may follow each other quickly.
bool AppendToFile(const std::u16string& path, std::string_view bytes);

}  // namespace standin
