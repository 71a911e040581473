#include "catalogue/catalogue.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "config/tool_paths.h"
#include "core/string_list.h"
#include "core/text_helpers.h"
#include "platform/platform.h"
#include "ui/open_group.h"

namespace {

constexpr int kRecentFileKeys = 10;  // "01" .. "10"
constexpr std::size_t kMaxIniValue = 260;

bool Listable(std::u16string_view name) {
  return name.size() < kCatalogueNameLimit;
}

bool IsFolder(std::u16string_view folder, std::u16string_view known) {
  return !known.empty() && platform::CompareNoCase(folder, known) == 0;
}

struct RecentFile {
  std::u16string_view folder;  // with its trailing backslash
  std::u16string_view name;
};

// A recent-file value comes from the editor's settings file, which travels with
// installations: it names a file only when it splits at its last backslash into a folder
// and a plain file name. Anything else (no backslash, "..", a name with '/' or ':') is
// never joined to a folder nor looked up.
std::optional<RecentFile> SplitRecentFile(std::u16string_view value) {
  const std::u16string_view folder = FolderPart(value);
  if (folder.empty()) return std::nullopt;
  RecentFile file{folder, value.substr(folder.size())};
  if (!IsPlainFileName(file.name)) return std::nullopt;
  return file;
}

// The editor's recently opened files that lie in the maps or the Uncompiled folder, tagged
// with the image they get. An uncompiled map whose compiled twin is in the maps folder is
// listed as both.
void CollectRecentFiles(const AppState& state, StringList& scratch) {
  const std::u16string ini = PolyWorksIniPath(state);
  if (ini.empty()) return;
  const std::u16string& mapsFolder = state.kindFolders[kKindMap];
  const std::u16string& uncompiledFolder = state.kindFolders[kKindUncompiledMap];

  for (int k = 1; k <= kRecentFileKeys; ++k) {
    const char16_t key[] = {char16_t(u'0' + k / 10), char16_t(u'0' + k % 10), 0};
    const std::u16string value =
        platform::ReadIniString(ini, u"RecentFiles", key, u"", kMaxIniValue);
    if (value.empty()) continue;
    const std::optional<RecentFile> file = SplitRecentFile(value);
    if (!file) continue;
    const bool inMaps = IsFolder(file->folder, mapsFolder);
    const bool inUncompiled = !inMaps && IsFolder(file->folder, uncompiledFolder);
    if (!inMaps && !inUncompiled) continue;
    if (!platform::Exists(value)) continue;

    if (inMaps) {
      scratch.add(file->name, kMapImage);
    } else {
      scratch.add(file->name, kUncompiledMapImage);
      if (!mapsFolder.empty() && platform::Exists(mapsFolder + std::u16string(file->name))) {
        scratch.add(file->name, kMapImage);
      }
    }
  }
}

// The names of a list that came through sortUnique, in its order.
std::vector<std::u16string_view> SortedNames(const StringList& list) {
  std::vector<std::u16string_view> names;
  names.reserve(static_cast<std::size_t>(list.count()));
  list.forEach([&](const StringNode& node) { names.push_back(node.text()); });
  return names;
}

// Whether the sorted names hold the name, ignoring letter case. A lookup per map instead of
// sorting the whole listing for a merge: a maps folder holds thousands of maps, the default
// list a hundred, and the groups are sorted by the tree anyway.
bool IsNamedIn(const std::vector<std::u16string_view>& sorted, std::u16string_view name) {
  const auto at = std::lower_bound(sorted.begin(), sorted.end(), name,
                                   [](std::u16string_view a, std::u16string_view b) {
                                     return platform::CompareNoCase(a, b) < 0;
                                   });
  return at != sorted.end() && platform::CompareNoCase(*at, name) == 0;
}

// Appends every listable file of the folder under the group; an unset folder lists nothing
// (its pattern would otherwise name the current folder).
void ListFolder(ui::Tree& tree, ui::TreeItem group, const std::u16string& folder,
                std::u16string_view pattern, int image, std::int32_t& count) {
  if (folder.empty()) return;
  for (const std::u16string& name : platform::ListFiles(folder, pattern)) {
    if (!Listable(name)) continue;
    tree.insertLast(group, {name, image, image});
    ++count;
  }
}

}  // namespace

void RefreshCatalogue(AppState& state) {
  if (state.catalogueTree == nullptr) return;
  ui::Tree& tree = *state.catalogueTree;

  tree.deleteAll();
  const ui::TreeItem root =
      tree.insertLast(ui::kNoItem, {UiString(state, uitext::kAllMapsLabel), kTopImage, kTopImage});
  state.catalogueRoot = root;
  const std::size_t groupCount = kFirstGameModeGroup + state.filters.size();
  state.catalogueGroups.assign(groupCount, ui::kNoItem);
  for (ui::TreeItem& group : state.catalogueGroups) {
    group = tree.insertLast(root, {u"", kClosedGroupImage, kClosedGroupImage});
  }
  std::vector<std::int32_t> counts(groupCount, 0);
  StringList scratch;

  // Soldat's maps, one group per game mode.
  const std::u16string& mapsFolder = state.kindFolders[kKindMap];
  if (!mapsFolder.empty()) {
    const std::vector<std::u16string_view> defaults =
        state.skipDefaultMaps ? SortedNames(state.defaultMaps) : std::vector<std::u16string_view>{};
    for (const std::u16string& name : platform::ListFiles(mapsFolder, u"*.pms")) {
      if (!Listable(name) || IsNamedIn(defaults, name)) continue;
      const std::size_t g = kFirstGameModeGroup + FindGameModeFilter(state, name);
      if (g >= groupCount) continue;
      tree.insertLast(state.catalogueGroups[g], {name, kMapImage, kMapImage});
      ++counts[g];
    }
  }

  // Soldat PolyWorks: recent files, uncompiled maps, prefabs.
  if (!state.polyWorksPath.empty()) {
    CollectRecentFiles(state, scratch);
    scratch.sortUnique();
    for (std::int32_t i = 0; i < scratch.count(); ++i) {
      const StringNode* entry = scratch.nodeAt(i);
      if (!Listable(entry->text())) continue;
      tree.insertLast(state.catalogueGroups[kRecentGroup], {entry->text(), entry->tag, entry->tag});
      ++counts[kRecentGroup];
    }
    scratch.clear();

    ListFolder(tree, state.catalogueGroups[kUncompiledGroup], state.kindFolders[kKindUncompiledMap],
               u"*.pms", kUncompiledMapImage, counts[kUncompiledGroup]);
    ListFolder(tree, state.catalogueGroups[kPrefabGroup], state.kindFolders[kKindPrefab], u"*.pfb",
               kPrefabImage, counts[kPrefabGroup]);
  }

  // Recent files are listed elsewhere too, so they do not count towards the total.
  std::int32_t total = 0;
  for (std::size_t g = kRecentGroup + 1; g < groupCount; ++g) total += counts[g];

  for (std::size_t g = 0; g < groupCount; ++g) {
    ui::TreeItem& group = state.catalogueGroups[g];
    if (counts[g] < 1) {
      tree.deleteItem(group);
      group = ui::kNoItem;
      continue;
    }
    const std::u16string_view label =
        g < kFirstGameModeGroup ? UiString(state, uitext::kRecentMapsLabel + static_cast<int>(g))
                                : std::u16string_view(state.filters[g - kFirstGameModeGroup].label);
    tree.setText(group, CountCaption(label, counts[g]));
    tree.sortChildren(group);
  }

  tree.setText(root, CountCaption(UiString(state, uitext::kAllMapsLabel), total));
  tree.expand(root);
  tree.select(root);

  ClearPackList(state);
}

bool CatalogueMayCollapse(const AppState& state, ui::TreeItem item) {
  return item != state.catalogueRoot;
}

void CatalogueItemExpanded(AppState& state, ui::TreeItem item, bool expanded) {
  if (state.catalogueTree == nullptr || item == ui::kNoItem || item == state.catalogueRoot) {
    return;
  }
  ui::FollowOpenGroup(*state.catalogueTree, item, expanded, state.catalogueGroups);
}
