// The catalogue: the Main page's tree of maps and prefabs found on disk, from which the user
// picks what to pack. Root "All maps ( n )", then the groups Recent PW maps, Uncompiled
// maps, Prefabs and one per game-mode filter, each holding its files as entries whose image
// tells the kind (11 map, 12 uncompiled map, 13 prefab).
#pragma once

#include <cstddef>

#include "state/app_state.h"
#include "ui/images.h"
#include "ui/tree.h"

// Names of this many characters or more (extension included) are not listed.
constexpr std::size_t kCatalogueNameLimit = 51;

// Group slots of AppState::catalogueGroups; game-mode filter f is at kFirstGameModeGroup + f.
constexpr std::size_t kRecentGroup = 0;
constexpr std::size_t kUncompiledGroup = 1;
constexpr std::size_t kPrefabGroup = 2;
constexpr std::size_t kFirstGameModeGroup = 3;

// Tree images of the catalogue.
constexpr int kTopImage = ui::ImageIndex(ui::Image::kSearchFolder);
constexpr int kClosedGroupImage = ui::ImageIndex(ui::Image::kClosedFolder);
constexpr int kOpenGroupImage = ui::ImageIndex(ui::Image::kOpenFolder);
constexpr int kMapImage = ui::FileImage(kKindMap);
constexpr int kUncompiledMapImage = ui::FileImage(kKindUncompiledMap);
constexpr int kPrefabImage = ui::FileImage(kKindPrefab);

// Rebuilds the catalogue tree from Soldat's maps folder, PolyWorks' recent files, its
// Uncompiled and its Prefabs folder; then empties the pack list, so that a refresh always
// starts a new selection.
void RefreshCatalogue(AppState& state);

// The catalogue's root stays expanded.
bool CatalogueMayCollapse(const AppState& state, ui::TreeItem item);

// After a group was expanded or collapsed: its folder image follows, and an expanded group
// closes every other one, so that at most one is open.
void CatalogueItemExpanded(AppState& state, ui::TreeItem item, bool expanded);
