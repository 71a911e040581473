#include "support/image_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace testsupport {
namespace {

constexpr std::uint8_t kGrey = 0x80;

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

// zlib header, stored deflate blocks of up to 65535 bytes, Adler-32 of the raw data.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - offset, 65535);
    const bool last = offset + n == raw.size();
    out.push_back(last ? 1 : 0);
    PutLe16(out, static_cast<std::uint32_t>(n));
    PutLe16(out, static_cast<std::uint32_t>(~n & 0xFFFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + n));
    offset += n;
  } while (offset < raw.size());
  PutBe32(out, Adler32(raw));
  return out;
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> BmpBytes(int width, int height) {
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::uint32_t rowBytes = (w * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * h;
  std::vector<std::uint8_t> out = {'B', 'M'};
  PutLe32(out, 54 + pixelBytes);  // file size
  PutLe32(out, 0);
  PutLe32(out, 54);  // offset of the pixels
  PutLe32(out, 40);  // BITMAPINFOHEADER
  PutLe32(out, w);
  PutLe32(out, h);
  PutLe16(out, 1);   // planes
  PutLe16(out, 24);  // bits per pixel
  PutLe32(out, 0);   // no compression
  PutLe32(out, pixelBytes);
  PutLe32(out, 2835);  // 72 dpi
  PutLe32(out, 2835);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (std::uint32_t y = 0; y < h; ++y) {
    out.insert(out.end(), w * 3, kGrey);
    out.insert(out.end(), rowBytes - w * 3, 0);
  }
  return out;
}

std::vector<std::uint8_t> PngBytes(int width, int height) {
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBe32(header, w);
  PutBe32(header, h);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  std::vector<std::uint8_t> raw;
  for (std::uint32_t y = 0; y < h; ++y) {
    raw.push_back(0);  // filter type None
    raw.insert(raw.end(), w * 3, kGrey);
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace testsupport
