#include "catalogue/game_mode_filters.h"

#include <vector>

#include "core/text_helpers.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t kBuiltinFilterCount = 5;
// File names are held in path-sized buffers.
constexpr std::size_t kMaxNameLength = 260;

}  // namespace

std::optional<GameModeFilter> ParseFilterLine(std::u16string_view line) {
  // Positions of every '%' and of the line end, looking at no more than kFilterMaxLine
  // characters: a line that fills them has no end, so text behind its last '%' is dropped.
  std::vector<std::size_t> marks;
  for (std::size_t i = 0; i < static_cast<std::size_t>(kFilterMaxLine); ++i) {
    const char16_t c = i < line.size() ? line[i] : u'\0';
    if (c < 0x20) {
      marks.push_back(i);
      break;
    }
    if (c == u'%') marks.push_back(i);
  }
  if (marks.size() < 3 || marks[0] == 0) return std::nullopt;
  for (std::size_t k = 1; k < marks.size(); ++k) {
    if (marks[k] - marks[k - 1] == 1) return std::nullopt;
  }

  auto field = [&](std::size_t k) {
    return std::u16string(line.substr(marks[k] + 1, marks[k + 1] - marks[k] - 1));
  };
  GameModeFilter filter;
  filter.label = std::u16string(line.substr(0, marks[0]));
  const char16_t style = line[marks[0] + 1];
  filter.gameStyle = style >= u'0' && style <= u'6' ? std::u16string(1, style) : u"0";
  for (std::size_t k = 1; k + 1 < marks.size(); ++k) filter.prefixes.push_back(field(k));
  return filter;
}

void AppendUserFilters(GameModeFilterTable& table, const StringList& lines) {
  // With more valid lines than room, the earliest lines of the file are kept: they are the
  // ones that win a tie, so dropping later lines never changes where a map falls among the
  // filters that remain.
  const std::size_t room =
      table.size() < kMaxGameModeFilters ? kMaxGameModeFilters - table.size() : 0;
  std::vector<GameModeFilter> valid;
  for (std::int32_t i = 0; i < lines.count() && valid.size() < room; ++i) {
    if (auto filter = ParseFilterLine(lines.textAt(i))) valid.push_back(std::move(*filter));
  }
  for (auto it = valid.rbegin(); it != valid.rend(); ++it) table.push_back(std::move(*it));
}

bool LoadGameModeFilters(AppState& state, std::span<const std::uint8_t> builtinText) {
  state.filters.clear();
  StringList lines;
  if (lines.loadFromBuffer(builtinText, kFilterMaxLine) <
      static_cast<std::int32_t>(kBuiltinFilterCount)) {
    return false;
  }
  if (static_cast<std::size_t>(lines.count()) > kMaxGameModeFilters) return false;
  GameModeFilterTable table;
  for (std::int32_t i = 0; i < lines.count(); ++i) {
    auto filter = ParseFilterLine(lines.textAt(i));
    if (!filter) return false;
    table.push_back(std::move(*filter));
  }
  lines.clear();

  // A missing or unreadable file simply adds nothing.
  if (lines.loadFromFile(state.programFolder + u"filters.txt", kFilterMaxLine)) {
    AppendUserFilters(table, lines);
  }
  state.filters = std::move(table);
  return true;
}

bool LoadGameModeFilters(AppState& state) {
  return LoadGameModeFilters(state, platform::BuiltinResource(kFilterResourceId));
}

std::uint32_t FindGameModeFilter(const AppState& state, std::u16string_view fileName) {
  const std::u16string name = platform::LowerCase(fileName.substr(0, kMaxNameLength));
  for (std::size_t f = state.filters.size(); f-- > 0;) {
    const auto& prefixes = state.filters[f].prefixes;
    for (std::size_t p = prefixes.size(); p-- > 0;) {
      if (StartsWith(name, prefixes[p])) return static_cast<std::uint32_t>(f);
    }
  }
  return 0;
}
