#pragma once

#include <string>
#include <vector>

// One game mode of the catalogue: maps whose lower-cased name starts with a prefix belong
// to it; gameStyle is what a test game writes into Soldat's settings.
struct GameModeFilter {
  std::u16string label;      // group caption up to the count, e.g. "DeathMatch ( "
  std::u16string gameStyle;  // one digit, "0" to "6"
  std::vector<std::u16string> prefixes;
};

// Built-in filters first, then the user's. At most 255 in all.
using GameModeFilterTable = std::vector<GameModeFilter>;
constexpr std::size_t kMaxGameModeFilters = 255;
