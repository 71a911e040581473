// Readers of Soldat maps (.PMS) and prefabs (.PFB). Each returns 0 or the UI text index of
// the first problem found (uitext::kFileNotFound ... uitext::kWaypointLimit); reading stops
// there. Files come from strangers: every count is checked against the file before use.
// Each reads only the byte ranges its parser (map_parsers.h) looks at.
#pragma once

#include <cstdint>
#include <string_view>

#include "state/app_state.h"
#include "maps/map_summary.h"

// `name` is a bare file name in the maps folder (compiledMode) or the Uncompiled folder.
std::uint32_t ReadPmsMap(const AppState& state, std::u16string_view name, MapSummary& summary,
                         bool compiledMode);

// `name` is a bare file name in the Prefabs folder.
std::uint32_t ReadPfbPrefab(const AppState& state, std::u16string_view name, MapCounts& counts);
