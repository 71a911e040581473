// Reads the pixel size from BMP and PNG headers, the formats that sceneries and textures
// come in; anything else counts as undecodable (0 x 0), as with a real decoder.
#include <cstring>

#include "platform/platform.h"

namespace platform::detail {
std::span<const std::uint8_t> EmbeddedResource(int id);
}

namespace platform {
namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint32_t Be32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

}  // namespace

ImageSize ImagePixelSize(std::u16string_view path) {
  FileReader reader;
  if (!reader.open(path)) return {};
  std::uint8_t h[26] = {};
  const std::size_t got = reader.read(h, sizeof h);
  static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (got >= 24 && std::memcmp(h, kPng, 8) == 0 && std::memcmp(h + 12, "IHDR", 4) == 0) {
    const std::uint32_t w = Be32(h + 16);
    const std::uint32_t ht = Be32(h + 20);
    if (w == 0 || ht == 0 || w > 0x7FFFFFFF || ht > 0x7FFFFFFF) return {};
    return {static_cast<int>(w), static_cast<int>(ht)};
  }
  if (got >= 26 && h[0] == 'B' && h[1] == 'M') {
    const std::uint32_t headerSize = Le32(h + 14);
    if (headerSize == 12) {  // OS/2 core header: 16-bit sizes
      return {h[18] | (h[19] << 8), h[20] | (h[21] << 8)};
    }
    if (headerSize < 40) return {};
    const auto w = static_cast<std::int32_t>(Le32(h + 18));
    const auto ht = static_cast<std::int32_t>(Le32(h + 22));
    if (w <= 0 || ht == 0 || ht == INT32_MIN) return {};
    return {w, ht < 0 ? -ht : ht};  // a negative height is a top-down bitmap
  }
  return {};
}

std::span<const std::uint8_t> BuiltinResource(int id) {
  return detail::EmbeddedResource(id);
}

GraphicsSession::GraphicsSession() = default;
void GraphicsSession::Token::Release(Value) {}

}  // namespace platform
