// Filter lines come from the user's filters.txt, which may have been downloaded: parsing
// never reads past the line, and what it accepts is usable as a filter.
#include <span>

#include "catalogue/game_mode_filters.h"
#include "core/string_list.h"
#include "fuzz_support.h"

using fuzzsupport::Check;

void CheckFilter(const GameModeFilter& filter) {
  Check(!filter.label.empty() && filter.gameStyle.size() == 1);
  Check(filter.gameStyle[0] >= u'0' && filter.gameStyle[0] <= u'6');
  Check(!filter.prefixes.empty() && filter.prefixes.size() <= 255);
  std::size_t total = filter.label.size() + 2;
  for (const auto& prefix : filter.prefixes) {
    Check(!prefix.empty() && prefix.find(u'%') == std::u16string::npos);
    for (const char16_t c : prefix) Check(c >= 0x20);
    total += prefix.size() + 1;
  }
  Check(total <= static_cast<std::size_t>(kFilterMaxLine));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto filter = ParseFilterLine(fuzzsupport::Units(data, size))) CheckFilter(*filter);

  // The input as a whole filters.txt behind the built-in filters.
  AppState state;
  state.programFolder = u"\\nonexistent\\zek-fuzz\\";
  if (!LoadGameModeFilters(state)) std::abort();
  const std::size_t builtIn = state.filters.size();
  StringList lines;
  lines.loadFromBuffer(std::span<const std::uint8_t>(data, size), kFilterMaxLine);
  AppendUserFilters(state.filters, lines);
  Check(state.filters.size() <= kMaxGameModeFilters);
  for (std::size_t f = builtIn; f < state.filters.size(); ++f) CheckFilter(state.filters[f]);
  for (std::int32_t i = 0; i < lines.count() && i < 4; ++i)
    Check(FindGameModeFilter(state, lines.textAt(i)) < state.filters.size());
  return 0;
}
