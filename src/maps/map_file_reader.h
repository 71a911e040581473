// Opening a map or prefab file and reading its little-endian fields. Map files come from
// strangers, so a field is used only when it was read whole, and a skip that would go
// backwards or beyond the end of the file marks the file as damaged instead of moving.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text_helpers.h"
#include "maps/kind_path.h"
#include "core/ui_text_ids.h"
#include "platform/platform.h"

namespace maps_detail {

// 0, or the UI text index of the reason the file could not be opened. A name that is not a
// plain file name is never joined to the folder and counts as missing.
inline std::uint32_t OpenMapFile(const AppState& state, FileKind kind, std::u16string_view name,
                                 platform::FileReader& file) {
  const std::optional<std::u16string> path = PathInKindFolder(state, kind, name);
  if (!path || !platform::Exists(*path)) return uitext::kFileNotFound;
  if (!file.open(*path)) return uitext::kFailedToOpen;
  return 0;
}

class FieldReader {
 public:
  explicit FieldReader(platform::FileReader& file)
      : file_(file), size_(static_cast<std::int64_t>(file.size())) {}

  bool bytes(void* destination, std::size_t n) { return file_.read(destination, n) == n; }

  bool u8(std::uint8_t& value) { return bytes(&value, 1); }

  bool u16(std::uint16_t& value) {
    std::uint8_t b[2];
    if (!bytes(b, sizeof b)) return false;
    value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
  }

  bool i32(std::int32_t& value) {
    std::uint8_t b[4];
    if (!bytes(b, sizeof b)) return false;
    const std::uint32_t u =
        static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    value = static_cast<std::int32_t>(u);
    return true;
  }

  std::int64_t remaining() const {
    const std::int64_t left = size_ - file_.position();
    return left > 0 ? left : 0;
  }

  // Whether the rest of the file can hold `count` records of `recordBytes` plus `extraBytes`;
  // a negative count never fits. Counts are at most 32-bit and records small, so the product
  // cannot overflow 64 bits.
  bool holds(std::int64_t count, std::int64_t recordBytes, std::int64_t extraBytes = 0) const {
    return count >= 0 && count * recordBytes + extraBytes <= remaining();
  }

  bool skip(std::int64_t count, std::int64_t recordBytes = 1, std::int64_t extraBytes = 0) {
    if (!holds(count, recordBytes, extraBytes)) return false;
    file_.skip(count * recordBytes + extraBytes);
    return true;
  }

  void rewind() { file_.skip(-file_.position()); }

 private:
  platform::FileReader& file_;
  std::int64_t size_;
};

// A length byte followed by a fixed field of fieldBytes, into `out` (fieldBytes + 1 chars):
// the first `length` bytes, zero-terminated. A length above the field yields the whole field,
// or nothing when `overlongIsEmpty`. `out` changes only when the whole record was read.
inline bool ReadLengthText(FieldReader& in, char* out, std::size_t fieldBytes,
                           bool overlongIsEmpty) {
  constexpr std::size_t kLargestField = 64;
  char field[kLargestField + 1] = {};
  std::uint8_t length = 0;
  if (fieldBytes > kLargestField || !in.u8(length) || !in.bytes(field, fieldBytes)) return false;
  std::size_t end = length;
  if (end > fieldBytes) end = overlongIsEmpty ? 0 : fieldBytes;
  for (std::size_t i = 0; i < end; ++i) out[i] = field[i];
  for (std::size_t i = end; i <= fieldBytes; ++i) out[i] = '\0';
  return true;
}

}  // namespace maps_detail
