// The game-mode filter table: which catalogue group a map falls into and which game style a
// test game starts. Built once at start-up from the built-in filters and the user's
// "filters.txt" beside the program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "state/game_mode_filter.h"
#include "state/app_state.h"
#include "core/string_list.h"

constexpr int kFilterResourceId = 187;
// Longest filter line read from a text file, and the number of characters of a line that
// ParseFilterLine looks at.
constexpr int kFilterMaxLine = 261;

// "label%digit%prefix[%prefix...]"; the line ends at its first character below U+0020.
// Nothing when the label, the digit field or a prefix is empty. A game style other than
// '0'..'6' becomes "0".
std::optional<GameModeFilter> ParseFilterLine(std::u16string_view line);

// Builds state.filters: the built-in filters, then the valid lines of the program folder's
// "filters.txt", last line first. False (and no filters) when the built-in text has fewer
// than five lines or an invalid one; the user's file may be missing or hold invalid lines.
bool LoadGameModeFilters(AppState& state);
// The same with the built-in text given as a text file's bytes.
bool LoadGameModeFilters(AppState& state, std::span<const std::uint8_t> builtinText);

// Appends the valid lines of a user filter file (in file order in `lines`) to the table,
// last line first, as far as the table has room.
void AppendUserFilters(GameModeFilterTable& table, const StringList& lines);

// The index of the filter a file name belongs to: the last filter with a prefix that starts
// the lower-cased name; 0 when none does.
std::uint32_t FindGameModeFilter(const AppState& state, std::u16string_view fileName);
