// The search line above the catalogue and above the archive content: each press of "Go"
// selects the next entry whose name contains the typed text, ignoring letter case; after
// the last match the tree folds up and the system beeps.
#pragma once

#include <cstdint>

#include "state/app_state.h"
#include "ui/slots.h"
#include "ui/tree.h"

// Searches the entries two levels below `start` (its children are groups, theirs are the
// entries) for the text of `searchEdit`. `position` counts the matches shown by earlier
// presses; this press shows the next one and counts it, or, when there is none, folds the
// groups up, selects `start`, beeps and starts over at 0. An empty text does nothing.
void SearchTree(AppState& state, ui::Slot searchEdit, ui::Tree& tree, ui::TreeItem start,
                std::int32_t& position);

// The Main page's "Go": the catalogue from its root.
void SearchCatalogue(AppState& state);

// A new search text starts again at its first match.
void ResetSearch(AppState& state, ui::Slot searchEdit);
