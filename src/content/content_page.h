// What the Content page does with its tree, search line and buttons: the user's toggles of
// single files, the details panel for the selected item, the tooltips and the search. The
// shell turns the window's messages into these calls.
#pragma once

#include <optional>
#include <string_view>

#include "state/app_state.h"
#include "ui/tree.h"

// Makes the content follow the pack list from now on: a changed pack list, the Refresh
// button and showing a stale Content page rebuild it.
void WireArchiveContent(AppState& state);

// A right click: a file flips between included and excluded, a group flips each of its
// files; problem marks never change, and the top item does nothing. Then the group marks,
// the mapslist mark and the tab icon follow.
void ToggleContentInclusion(AppState& state, ui::TreeItem item);

// Fills the details panel for the newly selected item: the content report for the top item
// and the groups; the included maps for the mapslist; a file's details, its report block and
// statistics, or for a missing image the maps that use it. An image that is there is
// previewed. A file that turns out missing gets the problem mark.
void ShowContentDetails(AppState& state, ui::TreeItem item);

// The tooltip of a file item: its details, kept in state.detailsText. Nothing for the top
// item, the groups and the mapslist item. A file that turns out missing gets the problem mark.
std::optional<std::u16string_view> ContentInfoTip(AppState& state, ui::TreeItem item);

// The "Go" of the Content page: the next file whose name holds the typed text.
void SearchContent(AppState& state);

// The top item stays expanded.
bool ContentMayCollapse(const AppState& state, ui::TreeItem item);
// After a group was expanded or collapsed: its folder image follows, and an expanded group
// closes every other one, so that at most one is open.
void ContentItemExpanded(AppState& state, ui::TreeItem item, bool expanded);
