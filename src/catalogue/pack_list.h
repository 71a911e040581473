// The pack list: the tree beside the catalogue that holds the maps, uncompiled maps and
// prefabs chosen for packing, one entry per file, in alphabetical order. Everything that is
// packed starts from it.
#pragma once

#include <cstdint>

#include "state/app_state.h"

// From this many entries on, a change only marks the archive content stale; below it the
// content is rebuilt at once, since that rereads every chosen map file.
constexpr std::int32_t kPackRebuildThreshold = 6;

// Adds the catalogue's selected entry, or every entry of the selected group, unless an entry
// of the same name (ignoring case) and image is there already. The catalogue root adds nothing.
void AddToPackList(AppState& state);

// Removes the pack list's selected entry; with its root selected, empties the list.
void RemovePackListItem(AppState& state);

// Empties the list, leaving its root selected.
void ClearPackList(AppState& state);

// After any change of the list: marks the content stale (rebuilding it below the threshold),
// renews the root's caption with the count and enables the buttons that need an entry.
void UpdatePackListLabel(AppState& state);
