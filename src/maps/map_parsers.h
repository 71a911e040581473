// The map and prefab parsers over the bytes of a whole file in memory, with the results and
// checks of ReadPmsMap and ReadPfbPrefab (map_readers.h): 0 or the UI text index of the first
// problem found; a file that ends early is damaged.
#pragma once

#include <cstdint>
#include <span>

#include "maps/map_summary.h"

std::uint32_t ParsePmsMap(std::span<const std::uint8_t> file, MapSummary& summary,
                          bool compiledMode);

std::uint32_t ParsePfbPrefab(std::span<const std::uint8_t> file, MapCounts& counts);
