// The few lines shown for one file of the catalogue or of the archive content: in tree
// tooltips, in the details panel, and as the source of the archive comment's date and
// description.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "maps/kind_path.h"
#include "core/string_list.h"

// Fills `lines` (emptied first; its index is built in every case) with the name, then for
// maps the description and for images the pixel size, the local last-write time and the
// size in kb. Kinds 0 to 5 are looked up in their folder; any other kind means that `name`
// is the whole path. False when the file is missing or cannot be opened: the second line
// then says so instead.
bool FileDetails(const AppState& state, StringList& lines, std::u16string_view name, int kind);
