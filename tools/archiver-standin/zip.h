// Our own ZIP container over zlib: local headers, central directory and end record with the
// archive comment. No ZIP64, no encryption, no split archives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct ZipEntry {
  std::string name;         // as stored: UTF-8 when flag bit 11 is set
  std::u16string wideName;  // for matching names
  std::uint16_t flags = 0;
  std::uint16_t method = 0;  // 0 stored, 8 deflated
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0;
  std::uint32_t crc = 0;
  std::uint32_t size = 0;  // uncompressed
  std::uint32_t externalAttributes = 0;
  std::string data;  // as stored in the archive
};

struct ZipArchive {
  std::vector<ZipEntry> entries;
  std::string comment;
};

inline constexpr std::size_t kLongestComment = 0xFFFF;

// Reads every entry and the comment; false when `bytes` are not an archive this reader
// understands (damaged, split, ZIP64 or cut short).
bool ParseZip(std::string_view bytes, ZipArchive& archive);

// The archive's bytes; nullopt when it holds more than ZIP can say without ZIP64.
std::optional<std::string> WriteZip(const ZipArchive& archive);

// A new entry named `name` (forward slashes) holding `content`: stored for level 0,
// otherwise deflated at that zlib level, or stored when deflating does not make it smaller.
std::optional<ZipEntry> MakeEntry(const std::u16string& name, std::string_view content, int level,
                                  std::uint16_t dosTime, std::uint16_t dosDate);

// Puts `entry` into the archive in place of one with the same name, letter case aside.
void AddOrReplace(ZipArchive& archive, ZipEntry entry);

// Whether the entry's data unpacks to its size and CRC-32.
bool EntryIntact(const ZipEntry& entry);

}  // namespace standin
