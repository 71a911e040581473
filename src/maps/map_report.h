// What is said about a map or prefab: its statistics (details panel, archive comment) and
// its problems, found while the archive content is built (the content report).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "core/file_kind.h"
#include "core/string_list.h"
#include "maps/map_summary.h"

// The image the current game loads in place of `name` when it exists: the name with its
// extension (after the last '.') replaced by "png". None for a name without extension or
// one already ending in ".png" in any letter case.
std::optional<std::u16string> PngTwin(std::u16string_view name);

// Tags of the names collected for the archive content.
constexpr std::uint8_t kSceneryFound = 1;
constexpr std::uint8_t kSceneryMissing = 2;
// A texture's tag is 4 * texture mark + edge mark; a mark of 0 leaves the name out of that
// group (only its twin is there).
constexpr std::uint8_t kFileFound = 1;
constexpr std::uint8_t kFileMissing = 2;

// What an image's folder holds of a name N: N itself, its .png twin, both or neither.
constexpr std::uint8_t kImageNamed = 1;
constexpr std::uint8_t kImageTwin = 2;

// The names an image group lists for N, each with its mark, given what the folder holds
// (`held`): N when it is there, or missing when its twin is not there either; and the twin
// when it is there. The twin is what the current game loads, N what older versions load.
template <typename Visit>
void ForEachListedName(std::u16string_view name, std::uint8_t held, Visit&& visit) {
  if ((held & kImageNamed) != 0) {
    visit(name, kFileFound);
  } else if ((held & kImageTwin) == 0) {
    visit(name, kFileMissing);
  }
  if ((held & kImageTwin) != 0) {
    const std::optional<std::u16string> twin = PngTwin(name);
    if (twin) visit(std::u16string_view(*twin), kFileFound);
  }
}

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
// to `sceneries` (tag kSceneryFound / kSceneryMissing) and `textures` (4 * t + e). A name
// counts as found when it or its .png twin is there, and each of the two that is there is
// added; a name found only as its twin is not added itself. `summary`
// and `prefabCounts` are work space, left holding what was read. True when the reader found
// a problem: the entry is then never packed.
bool CheckContentEntry(const AppState& state, std::u16string_view name, FileKind kind,
                       StringList& report, StringList& sceneries, StringList& textures,
                       MapSummary& summary, MapCounts& prefabCounts);
// The same, for callers that learn the names from the existence cache the lookups fill (the
// content build): nothing is collected, so no list entry is made per reference.
bool CheckContentEntry(const AppState& state, std::u16string_view name, FileKind kind,
                       StringList& report, MapSummary& summary, MapCounts& prefabCounts);
