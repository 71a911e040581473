// The file step of the map and prefab readers: opening the file and reading the byte ranges
// their parsers need, each in one call. What the bytes mean is left to the parsers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/file_kind.h"
#include "core/ui_text_ids.h"
#include "maps/kind_path.h"
#include "platform/platform.h"

namespace maps_detail {

// 0, or the UI text index of the reason the file could not be opened. A name that is not a
// plain file name is never joined to the folder and counts as missing. The existence test is
// needed only to tell a missing file from one that cannot be opened.
inline std::uint32_t OpenMapFile(const AppState& state, FileKind kind, std::u16string_view name,
                                 platform::FileReader& file) {
  const std::optional<std::u16string> path = PathInKindFolder(state, kind, name);
  if (!path) return uitext::kFileNotFound;
  if (file.open(*path)) return 0;
  return platform::Exists(*path) ? uitext::kFailedToOpen : uitext::kFileNotFound;
}

inline std::int64_t FileSize(const platform::FileReader& file) {
  constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  return static_cast<std::int64_t>(std::min(file.size(), kLargest));
}

// Bytes read from a file: fewer than asked for when the file ends early.
class FileBytes {
 public:
  FileBytes() = default;
  // From `offset` up to the end of a file of `fileSize` bytes, but no more than `most`.
  FileBytes(platform::FileReader& file, std::int64_t offset, std::int64_t fileSize,
            std::int64_t most) {
    const std::int64_t wanted = std::clamp<std::int64_t>(fileSize - offset, 0, most);
    if (offset < 0 || wanted == 0) return;
    // Left uninitialised: every byte the parser may look at is written by the read.
    bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(wanted));
    size_ = file.readAt(offset, bytes_.get(), static_cast<std::size_t>(wanted));
  }

  std::span<const std::uint8_t> span() const { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t size_ = 0;
};

}  // namespace maps_detail
