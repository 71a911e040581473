// The text-file side of StringList: reading UTF-16LE or ANSI lines, writing UTF-16LE.
#include <cstring>

#include "core/string_list.h"
#include "platform/platform.h"

namespace {

// Both readers: a line ends at CR, which is skipped together with the unit after it (the
// LF of CR LF); a lone LF stays in the line. A line longer than the caller allows ends the
// reading.
bool ReadUnicodeLine(std::span<const std::uint8_t> bytes, std::size_t& pos, std::size_t end,
                     int maxLine, std::u16string& line) {
  if (pos >= end) return false;
  line.clear();
  auto unitAt = [&](std::size_t i) {
    return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  };
  while (pos < end && unitAt(pos) != u'\r') {
    if (line.size() == static_cast<std::size_t>(maxLine)) return false;
    line += unitAt(pos++);
  }
  pos += 2;
  return true;
}

bool ReadAnsiLine(std::span<const std::uint8_t> bytes, std::size_t& pos, int maxLine,
                  std::u16string& line) {
  if (pos >= bytes.size()) return false;
  std::string raw;
  while (pos < bytes.size() && bytes[pos] != '\r') {
    if (raw.size() + 1 == static_cast<std::size_t>(maxLine)) return false;
    raw += static_cast<char>(bytes[pos++]);
  }
  line = platform::AnsiToUtf16(raw);
  pos += 2;
  return true;
}

// The W APIs and the system's comparison see a text only up to its first zero unit; an
// entry holds no more than that, so that every platform sees the same text.
std::u16string_view UpToZero(const std::u16string& line) {
  return std::u16string_view(line).substr(0, line.find(u'\0'));
}

}  // namespace

std::int32_t StringList::loadFromBuffer(std::span<const std::uint8_t> bytes, int maxLine) {
  clear();
  if (bytes.empty() || maxLine <= 0) return 0;
  std::u16string line;
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    const std::size_t units = bytes.size() / 2;
    std::size_t pos = 1;
    while (ReadUnicodeLine(bytes, pos, units, maxLine, line)) add(UpToZero(line), 1);
  } else {
    std::size_t pos = 0;
    while (ReadAnsiLine(bytes, pos, maxLine, line)) add(UpToZero(line), 1);
  }
  buildIndex();
  return count_;
}

bool StringList::loadFromFile(std::u16string_view path, int maxLine) {
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return false;
  return loadFromBuffer(*bytes, maxLine) != 0;
}

std::u16string StringList::join() {
  std::size_t total = 0;
  for (const StringNode* n : index_) total += n->length + 2;
  std::u16string text;
  text.reserve(total);
  for (const StringNode* n : index_) {
    text += n->text();
    text += u"\r\n";
  }
  clear();
  return text;
}

bool StringList::saveToFile(std::u16string_view path) {
  buildIndex();
  const std::u16string text = join();
  std::vector<std::uint8_t> bytes;
  bytes.reserve(2 + text.size() * 2);
  bytes.push_back(0xFF);
  bytes.push_back(0xFE);
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return platform::WriteNewFile(path, bytes);
}
