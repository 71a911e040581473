// Tiny valid images for tests: real decoders (GDI+ under Wine) must accept them, so they are
// complete files, not just headers.
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// A 24-bit bottom-up BMP filled with one grey.
std::vector<std::uint8_t> BmpBytes(int width, int height);

// An 8-bit RGB PNG filled with one grey; its pixel data is a stored (uncompressed) zlib
// stream, with the chunk CRCs and the Adler-32 a decoder checks.
std::vector<std::uint8_t> PngBytes(int width, int height);

}  // namespace testsupport
