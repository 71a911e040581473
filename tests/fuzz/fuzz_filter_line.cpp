// Filter lines come from the user's filters.txt, which may have been downloaded: parsing must
// never read past the line, and what it accepts must be usable as a filter.
#include <span>

#include "catalogue/game_mode_filters.h"
#include "core/string_list.h"
#include "fuzz_support.h"

namespace {

using fuzzsupport::Check;

void CheckFilter(const GameModeFilter& filter) {
  Check(!filter.label.empty());
  Check(filter.gameStyle.size() == 1 && filter.gameStyle[0] >= u'0' && filter.gameStyle[0] <= u'6');
  Check(!filter.prefixes.empty() && filter.prefixes.size() <= 255);
  std::size_t total = filter.label.size() + 2;
  for (const auto& prefix : filter.prefixes) {
    Check(!prefix.empty());
    Check(prefix.find(u'%') == std::u16string::npos);
    for (const char16_t c : prefix) Check(c >= 0x20);
    total += prefix.size() + 1;
  }
  Check(total <= static_cast<std::size_t>(kFilterMaxLine));
}

const GameModeFilterTable& BuiltIns() {
  static const GameModeFilterTable table = [] {
    AppState state;
    state.programFolder = u"\\nonexistent\\zek-fuzz\\";
    if (!LoadGameModeFilters(state)) std::abort();
    return state.filters;
  }();
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input as one line of UTF-16 units, in an exactly sized buffer so that a read past
  // its end shows.
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  if (auto filter = ParseFilterLine(units)) CheckFilter(*filter);

  // The input as a whole filters.txt behind the built-in filters.
  StringList lines;
  lines.loadFromBuffer(std::span<const std::uint8_t>(data, size), kFilterMaxLine);
  AppState state;
  state.filters = BuiltIns();
  AppendUserFilters(state.filters, lines);
  Check(state.filters.size() <= kMaxGameModeFilters);
  for (std::size_t f = BuiltIns().size(); f < state.filters.size(); ++f) {
    CheckFilter(state.filters[f]);
  }
  for (std::int32_t i = 0; i < lines.count() && i < 4; ++i) {
    Check(FindGameModeFilter(state, lines.textAt(i)) < state.filters.size());
  }
  return 0;
}
