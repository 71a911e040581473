// The archive content: everything an archive made from the pack list will hold (the chosen
// maps and prefabs and every scenery, texture and edge image they use) as the Content
// page's tree, each file with its pack mark, and the content report beside it. The tree is
// the content: the pack sequence packs exactly the items marked included.
#pragma once

#include "state/app_state.h"
#include "ui/images.h"
#include "ui/tree.h"

// Pack marks, shown as the items' overlays.
constexpr int kMarkIncluded = 1;
constexpr int kMarkProblem = 2;  // missing or faulty: never packed, and the user cannot switch it
constexpr int kMarkExcluded = 3;

// Tree images of the content.
constexpr int kContentTopImage = ui::ImageIndex(ui::Image::kSearchFolder);
constexpr int kContentGroupImage = ui::ImageIndex(ui::Image::kClosedFolder);
constexpr int kContentOpenGroupImage = ui::ImageIndex(ui::Image::kOpenFolder);
constexpr int kContentMapslistImage = ui::ImageIndex(ui::Image::kMapslist);
constexpr int kContentImageFile = ui::ImageIndex(ui::Image::kPicture);

// The Content tab and its images, which the pack sequence reads back.
constexpr int kContentTab = 1;
constexpr int kContentTabAllWell = ui::ImageIndex(ui::Image::kContentAllWell);
constexpr int kContentTabProblems = ui::ImageIndex(ui::Image::kContentProblems);
constexpr int kContentTabNothingIncluded = ui::ImageIndex(ui::Image::kContentNothingIncluded);

// The scenery list is made unique on the way once it holds more than this many names, so
// that many maps sharing their sceneries do not make it grow without bound.
constexpr std::int32_t kSceneryListSortThreshold = 10000;

// The longest pack-list entry text taken over; catalogue names are shorter.
constexpr std::size_t kMaxPackEntryText = 64;

// Rebuilds the whole content from the pack list: reads every chosen map and prefab once,
// looks up the files they use, fills the tree, the content report and the Content tab's
// icon. Discards the user's toggles and clears contentStale.
void BuildArchiveContent(AppState& state);

// Recomputes the group marks, the mapslist mark and the Content tab's icon from the files'
// marks; after every build and every toggle.
void RefreshContentMarks(AppState& state);

// The kind (0..5) of the group that holds `item`; -1 for the top item, a group, the mapslist
// item or an item not in the content.
int ContentItemKind(const AppState& state, ui::TreeItem item);

// The index of `item` among the group items (0..5), or -1 when it is none of them.
int ContentGroupKind(const AppState& state, ui::TreeItem item);
