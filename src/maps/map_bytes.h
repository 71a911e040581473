// Walking the little-endian fields of a map or prefab held in memory. Map files come from
// strangers, so a field is used only when it was there whole, and a skip that would go
// backwards or beyond the end of the file marks the file as damaged instead of moving.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace maps_detail {

// A walk through a file of `fileSize` bytes of which one window is in memory. Positions are
// file offsets: a skip checks against the whole file and needs no bytes, so the polygons
// between two windows are never read. A read outside the window fails like one past the end.
class ByteCursor {
 public:
  // The whole file in memory.
  explicit ByteCursor(std::span<const std::uint8_t> file)
      : ByteCursor(file, 0, static_cast<std::int64_t>(file.size())) {}

  // The bytes of a file of `fileSize` bytes from offset `start` on; the walk begins there.
  ByteCursor(std::span<const std::uint8_t> bytes, std::int64_t start, std::int64_t fileSize)
      : fileSize_(fileSize), position_(start) {
    window(bytes, start);
  }

  // Other bytes of the same file, from offset `start` on; the position stays.
  void window(std::span<const std::uint8_t> bytes, std::int64_t start) {
    bytes_ = bytes;
    start_ = start;
  }

  std::int64_t position() const { return position_; }

  // The next n bytes, or nullptr when they are not all in the window; the position moves
  // past them only when they are.
  const std::uint8_t* take(std::size_t n) {
    const std::int64_t offset = position_ - start_;
    if (offset < 0 || offset > static_cast<std::int64_t>(bytes_.size()) ||
        n > bytes_.size() - static_cast<std::size_t>(offset))
      return nullptr;
    position_ += static_cast<std::int64_t>(n);
    return bytes_.data() + offset;
  }

  bool u8(std::uint8_t& value) {
    const std::uint8_t* b = take(1);
    if (b == nullptr) return false;
    value = b[0];
    return true;
  }

  bool u16(std::uint16_t& value) {
    const std::uint8_t* b = take(2);
    if (b == nullptr) return false;
    value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
  }

  bool i32(std::int32_t& value) {
    const std::uint8_t* b = take(4);
    if (b == nullptr) return false;
    const std::uint32_t u =
        static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    value = static_cast<std::int32_t>(u);
    return true;
  }

  std::int64_t remaining() const {
    const std::int64_t left = fileSize_ - position_;
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
    position_ += count * recordBytes + extraBytes;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::int64_t start_ = 0;  // file offset of bytes_[0]
  std::int64_t fileSize_;
  std::int64_t position_;
};

// A length byte followed by a fixed field of fieldBytes, into `out` (fieldBytes + 1 chars):
// the first `length` bytes, zero-terminated. A length above the field yields the whole field,
// or nothing when `overlongIsEmpty`. `out` changes only when the whole record was there.
inline bool ReadLengthText(ByteCursor& in, char* out, std::size_t fieldBytes,
                           bool overlongIsEmpty) {
  const std::uint8_t* record = in.take(1 + fieldBytes);
  if (record == nullptr) return false;
  std::size_t end = record[0];
  if (end > fieldBytes) end = overlongIsEmpty ? 0 : fieldBytes;
  for (std::size_t i = 0; i < end; ++i) out[i] = static_cast<char>(record[1 + i]);
  for (std::size_t i = end; i <= fieldBytes; ++i) out[i] = '\0';
  return true;
}

}  // namespace maps_detail
