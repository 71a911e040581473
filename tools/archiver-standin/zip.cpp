#include "zip.h"

#include <windows.h>
#include <zlib.h>

#include "platform/owned.h"
#include "text.h"

namespace standin {
namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::size_t kLocalHeader = 30;
constexpr std::size_t kCentralHeader = 46;
constexpr std::size_t kEndRecord = 22;
constexpr std::uint16_t kEncrypted = 1;
constexpr std::uint16_t kDataDescriptor = 1u << 3;
constexpr std::uint16_t kUtf8Names = 1u << 11;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
// Host 11 (NTFS), ZIP 2.0: DOS attributes as with FAT, but Debian's unzip reads the names of
// FAT-made entries in the OEM code page even when flag bit 11 says UTF-8.
constexpr std::uint16_t kMadeByNtfs20 = 11 << 8 | 20;
constexpr std::uint32_t kLimit32 = 0xFFFFFFFFu;
constexpr std::size_t kChunk = 1u << 16;
constexpr int kRawDeflate = -15;  // no zlib header: ZIP stores bare deflate data

struct DeflateTraits {
  using Value = z_stream*;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(const Value& stream) { return stream == nullptr; }
  static void Release(Value& stream) { deflateEnd(stream); }
};

struct InflateTraits {
  using Value = z_stream*;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(const Value& stream) { return stream == nullptr; }
  static void Release(Value& stream) { inflateEnd(stream); }
};

// Callers check that `at` plus the width lies within `bytes`.
std::uint16_t Get16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
  return Get16(bytes, at) | static_cast<std::uint32_t>(Get16(bytes, at + 2)) << 16;
}

bool Fits(std::size_t size, std::size_t at, std::size_t length) {
  return at <= size && size - at >= length;
}

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// The fields a local header and its central directory entry share, from the version needed
// to the name's length. Sizes are known when writing, so no data descriptor follows the data.
void PutSharedHeader(std::string& out, const ZipEntry& entry) {
  Put16(out, entry.method == kDeflated ? 20 : 10);
  Put16(out, entry.flags & ~kDataDescriptor);
  Put16(out, entry.method);
  Put16(out, entry.dosTime);
  Put16(out, entry.dosDate);
  Put32(out, entry.crc);
  Put32(out, static_cast<std::uint32_t>(entry.data.size()));
  Put32(out, entry.size);
  Put16(out, static_cast<std::uint32_t>(entry.name.size()));
}

Bytef* In(std::string_view bytes) {
  return reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
}

// The end record is the last 22 bytes followed by exactly its comment.
std::optional<std::size_t> FindEndRecord(std::string_view bytes) {
  if (bytes.size() < kEndRecord) return std::nullopt;
  const std::size_t last = bytes.size() - kEndRecord;
  for (std::size_t back = 0; back <= kLongestComment && back <= last; ++back) {
    const std::size_t at = last - back;
    if (Get32(bytes, at) == kEndSignature && Get16(bytes, at + 20) == back) return at;
  }
  return std::nullopt;
}

// The entry whose central record starts at `at`; `end` is where the central directory ends.
std::optional<ZipEntry> ReadEntry(std::string_view bytes, std::size_t at, std::size_t end,
                                  std::size_t& next) {
  if (!Fits(end, at, kCentralHeader) || Get32(bytes, at) != kCentralSignature) return std::nullopt;
  const std::size_t nameLength = Get16(bytes, at + 28);
  const std::size_t recordLength =
      kCentralHeader + nameLength + Get16(bytes, at + 30) + Get16(bytes, at + 32);
  if (!Fits(end, at, recordLength)) return std::nullopt;
  ZipEntry entry;
  entry.flags = Get16(bytes, at + 8);
  entry.method = Get16(bytes, at + 10);
  entry.dosTime = Get16(bytes, at + 12);
  entry.dosDate = Get16(bytes, at + 14);
  entry.crc = Get32(bytes, at + 16);
  const std::uint32_t packedSize = Get32(bytes, at + 20);
  entry.size = Get32(bytes, at + 24);
  entry.externalAttributes = Get32(bytes, at + 38);
  entry.name = bytes.substr(at + kCentralHeader, nameLength);
  entry.wideName = entry.flags & kUtf8Names ? FromUtf8(entry.name) : Widen(entry.name, 437);

  const std::size_t local = Get32(bytes, at + 42);
  if (!Fits(bytes.size(), local, kLocalHeader) || Get32(bytes, local) != kLocalSignature)
    return std::nullopt;
  const std::size_t data =
      local + kLocalHeader + Get16(bytes, local + 26) + Get16(bytes, local + 28);
  if (!Fits(bytes.size(), data, packedSize)) return std::nullopt;
  entry.data = bytes.substr(data, packedSize);
  next = at + recordLength;
  return entry;
}

// Flag bits 1 and 2 tell how hard deflate tried, as Info-ZIP maps its levels.
std::uint16_t DeflateOptionFlags(int level) {
  if (level >= 8) return 0x2;  // maximum
  if (level == 2) return 0x4;  // fast
  if (level == 1) return 0x6;  // super fast
  return 0;                    // normal
}

std::optional<std::string> Deflate(std::string_view content, int level) {
  z_stream stream{};
  if (deflateInit2(&stream, level, Z_DEFLATED, kRawDeflate, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return std::nullopt;
  const platform::Owned<DeflateTraits> ending(&stream);
  stream.next_in = In(content);
  stream.avail_in = static_cast<uInt>(content.size());
  std::string packed;
  int result = Z_OK;
  while (result == Z_OK) {
    const std::size_t done = packed.size();
    packed.resize(done + kChunk);
    stream.next_out = reinterpret_cast<Bytef*>(packed.data() + done);
    stream.avail_out = kChunk;
    result = deflate(&stream, Z_FINISH);
    packed.resize(done + kChunk - stream.avail_out);
  }
  if (result != Z_STREAM_END) return std::nullopt;
  return packed;
}

}  // namespace

bool ParseZip(std::string_view bytes, ZipArchive& archive) {
  const std::optional<std::size_t> end = FindEndRecord(bytes);
  if (!end) return false;
  const std::uint16_t disk = Get16(bytes, *end + 4);
  const std::uint16_t directoryDisk = Get16(bytes, *end + 6);
  const std::uint16_t entriesHere = Get16(bytes, *end + 8);
  const std::uint16_t entries = Get16(bytes, *end + 10);
  const std::uint32_t directorySize = Get32(bytes, *end + 12);
  const std::uint32_t directoryOffset = Get32(bytes, *end + 16);
  if (disk != 0 || directoryDisk != 0 || entriesHere != entries) return false;
  if (entries == 0xFFFF || directorySize == kLimit32 || directoryOffset == kLimit32) return false;
  if (!Fits(*end, directoryOffset, directorySize)) return false;

  ZipArchive read;
  read.comment = bytes.substr(*end + kEndRecord);
  const std::size_t directoryEnd = std::size_t{directoryOffset} + directorySize;
  std::size_t at = directoryOffset;
  for (std::uint16_t i = 0; i < entries; ++i) {
    std::optional<ZipEntry> entry = ReadEntry(bytes, at, directoryEnd, at);
    if (!entry) return false;
    read.entries.push_back(std::move(*entry));
  }
  archive = std::move(read);
  return true;
}

std::optional<std::string> WriteZip(const ZipArchive& archive) {
  if (archive.entries.size() >= 0xFFFF || archive.comment.size() > kLongestComment)
    return std::nullopt;
  std::string out;
  std::vector<std::uint32_t> offsets;
  for (const ZipEntry& entry : archive.entries) {
    if (out.size() >= kLimit32 || entry.data.size() >= kLimit32 || entry.name.size() > 0xFFFF)
      return std::nullopt;
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    Put32(out, kLocalSignature);
    PutSharedHeader(out, entry);
    Put16(out, 0);  // extra field
    out += entry.name;
    out += entry.data;
  }
  const std::size_t directoryOffset = out.size();
  for (std::size_t i = 0; i < archive.entries.size(); ++i) {
    const ZipEntry& entry = archive.entries[i];
    Put32(out, kCentralSignature);
    Put16(out, kMadeByNtfs20);
    PutSharedHeader(out, entry);
    Put16(out, 0);  // extra field
    Put16(out, 0);  // entry comment
    Put16(out, 0);  // disk
    Put16(out, 0);  // internal attributes
    Put32(out, entry.externalAttributes);
    Put32(out, offsets[i]);
    out += entry.name;
  }
  const std::size_t directorySize = out.size() - directoryOffset;
  if (directoryOffset >= kLimit32 || directorySize >= kLimit32) return std::nullopt;
  Put32(out, kEndSignature);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(archive.entries.size()));
  Put16(out, static_cast<std::uint32_t>(archive.entries.size()));
  Put32(out, static_cast<std::uint32_t>(directorySize));
  Put32(out, static_cast<std::uint32_t>(directoryOffset));
  Put16(out, static_cast<std::uint32_t>(archive.comment.size()));
  out += archive.comment;
  return out;
}

std::optional<ZipEntry> MakeEntry(const std::u16string& name, std::string_view content, int level,
                                  std::uint16_t dosTime, std::uint16_t dosDate) {
  if (content.size() >= kLimit32) return std::nullopt;
  ZipEntry entry;
  entry.name = ToUtf8(name);
  if (entry.name.empty()) return std::nullopt;
  entry.wideName = name;
  entry.flags = kUtf8Names;
  entry.dosTime = dosTime;
  entry.dosDate = dosDate;
  entry.crc = static_cast<std::uint32_t>(crc32_z(0, In(content), content.size()));
  entry.size = static_cast<std::uint32_t>(content.size());
  entry.externalAttributes = FILE_ATTRIBUTE_ARCHIVE;
  std::optional<std::string> packed;
  if (level > 0) {
    packed = Deflate(content, level);
    if (!packed) return std::nullopt;
  }
  if (packed && packed->size() < content.size()) {
    entry.method = kDeflated;
    entry.flags |= DeflateOptionFlags(level);
    entry.data = std::move(*packed);
  } else {
    entry.method = kStored;
    entry.data = content;
  }
  return entry;
}

void AddOrReplace(ZipArchive& archive, ZipEntry entry) {
  for (ZipEntry& old : archive.entries) {
    const bool same =
        CompareStringOrdinal(Wide(old.wideName), static_cast<int>(old.wideName.size()),
                             Wide(entry.wideName), static_cast<int>(entry.wideName.size()),
                             TRUE) == CSTR_EQUAL;
    if (same) {
      old = std::move(entry);
      return;
    }
  }
  archive.entries.push_back(std::move(entry));
}

bool EntryIntact(const ZipEntry& entry) {
  if (entry.flags & kEncrypted) return false;
  if (entry.method == kStored) {
    return entry.data.size() == entry.size &&
           crc32_z(0, In(entry.data), entry.data.size()) == entry.crc;
  }
  if (entry.method != kDeflated) return false;
  z_stream stream{};
  if (inflateInit2(&stream, kRawDeflate) != Z_OK) return false;
  const platform::Owned<InflateTraits> ending(&stream);
  stream.next_in = In(entry.data);
  stream.avail_in = static_cast<uInt>(entry.data.size());
  std::string chunk(kChunk, '\0');
  std::uint64_t total = 0;
  uLong crc = crc32_z(0, nullptr, 0);
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
    stream.avail_out = kChunk;
    result = inflate(&stream, Z_NO_FLUSH);
    // Z_BUF_ERROR here means the data ended before the deflate stream did.
    if (result != Z_OK && result != Z_STREAM_END) return false;
    const std::size_t produced = kChunk - stream.avail_out;
    total += produced;
    if (total > entry.size) return false;
    crc = crc32_z(crc, reinterpret_cast<const Bytef*>(chunk.data()), produced);
  }
  return total == entry.size && crc == entry.crc;
}

}  // namespace standin
