// A small stand-in for the Windows profile API: [section] and key=value lines, names
// compared ignoring case, values trimmed. Files are read as UTF-16LE with a mark or as ANSI
// and written back as they were read, as the Windows API does; a new file as asked.
#include <algorithm>
#include <limits>
#include <utility>

#include "core/string_list.h"
#include "platform/platform.h"

namespace platform {
namespace {

// No line limit: a longer line would end the reading, and writing would drop the rest.
constexpr int kMaxIniLine = std::numeric_limits<int>::max();

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\n'))
    s.remove_suffix(1);
  return s;
}

bool IsSection(std::u16string_view line, std::u16string_view section) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != u'[') return false;
  const std::size_t close = line.find(u']');
  return close != std::u16string_view::npos &&
         CompareNoCase(Trim(line.substr(1, close - 1)), section) == 0;
}

bool IsAnySection(std::u16string_view line) {
  line = Trim(line);
  return !line.empty() && line.front() == u'[';
}

// The key's value when the line is "key=value" for that key.
std::optional<std::u16string_view> ValueOf(std::u16string_view line, std::u16string_view key) {
  const std::size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos || CompareNoCase(Trim(line.substr(0, eq)), key) != 0)
    return std::nullopt;
  return Trim(line.substr(eq + 1));
}

std::vector<std::u16string> ReadLines(std::u16string_view path) {
  StringList list;
  std::vector<std::u16string> lines;
  if (!list.loadFromFile(path, kMaxIniLine)) return lines;
  for (int i = 0; i < list.count(); ++i) lines.emplace_back(list.textAt(i));
  return lines;
}

}  // namespace

std::u16string ReadIniString(std::u16string_view path, std::u16string_view section,
                             std::u16string_view key, std::u16string_view fallback,
                             std::size_t maxChars) {
  const auto lines = ReadLines(path);
  bool inSection = false;
  std::u16string result(fallback);
  for (const auto& line : lines) {
    if (IsAnySection(line)) {
      inSection = IsSection(line, section);
      continue;
    }
    if (!inSection) continue;
    if (auto value = ValueOf(line, key)) {
      std::u16string_view v = *value;
      if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
      result = std::u16string(v);
      break;
    }
  }
  if (result.size() > maxChars) result.resize(maxChars);
  return result;
}

bool WriteIniString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                    std::u16string_view value, NewIniFile newFile) {
  const std::optional<std::vector<std::uint8_t>> before = ReadWholeFile(path);
  const bool utf16 = before ? (before->size() >= 2 && (*before)[0] == 0xFF && (*before)[1] == 0xFE)
                            : newFile == NewIniFile::kUtf16;
  auto lines = ReadLines(path);
  const std::u16string entry = std::u16string(key) + u"=" + std::u16string(value);
  auto sectionAt = std::find_if(lines.begin(), lines.end(),
                                [&](const auto& l) { return IsSection(l, section); });
  if (sectionAt == lines.end()) {
    std::u16string header(1, u'[');
    header.append(section).push_back(u']');
    lines.push_back(std::move(header));
    lines.push_back(entry);
  } else {
    auto it = sectionAt + 1;
    auto lastInSection = sectionAt;
    for (; it != lines.end() && !IsAnySection(*it); ++it) {
      if (ValueOf(*it, key)) {
        *it = entry;
        break;
      }
      if (!Trim(*it).empty()) lastInSection = it;
    }
    if (it == lines.end() || IsAnySection(*it)) lines.insert(lastInSection + 1, entry);
  }
  if (!utf16) {
    std::u16string joined;
    for (const auto& l : lines) joined.append(l).append(u"\r\n");
    const std::string text = Utf16ToAnsi(joined);
    return WriteNewFile(path,
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  StringList out;
  for (const auto& l : lines) out.add(l, 0);
  return out.saveToFile(path);
}

}  // namespace platform
