// The few unbuffered file calls that FileReader is built on; one implementation per system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace platform::detail {

std::intptr_t RawOpenForReading(std::u16string_view path);  // -1 when it cannot be opened
void RawClose(std::intptr_t handle);
// Reads at an absolute offset; returns the bytes read (0 at or past the end, or on error).
std::size_t RawReadAt(std::intptr_t handle, std::int64_t offset, void* destination, std::size_t n);
std::uint64_t RawSize(std::intptr_t handle);
std::optional<LocalTime> RawLastWriteLocalTime(std::intptr_t handle);

}  // namespace platform::detail
