// What is said about a map or prefab: its statistics (details panel, archive comment) and
// its problems, found while the archive content is built (the content report).
#pragma once

#include <string_view>

#include "state/app_state.h"
#include "core/file_kind.h"
#include "core/string_list.h"
#include "maps/map_summary.h"

// Tags of the names collected for the archive content.
constexpr std::uint8_t kSceneryFound = 1;
constexpr std::uint8_t kSceneryMissing = 2;
// A texture's tag is 4 * texture mark + edge mark.
constexpr std::uint8_t kFileFound = 1;
constexpr std::uint8_t kFileMissing = 2;

// Polygons, sceneries, spawns, colliders and waypoints, one "label value" line each (tag 0).
void AppendCountLines(const AppState& state, StringList& lines, const MapCounts& counts);
// Nade kits, med kits, jet, weather and steps of a map.
void AppendMapSettingLines(const AppState& state, StringList& lines, const MapSummary& summary);

// Reads the map and adds all ten statistics lines, or nothing when the reader found a
// problem. The index is built in either case.
void AppendMapStatistics(const AppState& state, StringList& lines, std::u16string_view mapName,
                         bool compiledMode);
// The same for a prefab: the five count lines.
void AppendPrefabStatistics(const AppState& state, StringList& lines,
                            std::u16string_view prefabName);

// Reads one pack-list entry (kind map, uncompiled map or prefab), adds its block to the
// report when it has any problem or warning, and adds the scenery and texture names it uses
// to `sceneries` (tag kSceneryFound / kSceneryMissing) and `textures` (4 * t + e). `summary`
// and `prefabCounts` are work space, left holding what was read. True when the reader found
// a problem: the entry is then never packed.
bool CheckContentEntry(const AppState& state, std::u16string_view name, FileKind kind,
                       StringList& report, StringList& sceneries, StringList& textures,
                       MapSummary& summary, MapCounts& prefabCounts);
