#include "content/archive_content.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/string_list.h"
#include "core/text_helpers.h"
#include "maps/map_report.h"
#include "maps/map_summary.h"
#include "platform/existence_cache.h"
#include "ui/controls.h"

namespace {

constexpr std::u16string_view kMapslistName = u"mapslist.txt";

// While alive, every lookup of the build goes through the cache.
class CacheScope {
 public:
  CacheScope(AppState& state, platform::ExistenceCache& cache) : state_(state) {
    state_.existenceCache = &cache;
  }
  ~CacheScope() { state_.existenceCache = nullptr; }
  CacheScope(const CacheScope&) = delete;
  CacheScope& operator=(const CacheScope&) = delete;

 private:
  AppState& state_;
};

void SetStatus(const AppState& state, int text) {
  if (state.controls != nullptr) state.controls->setStatusText(UiString(state, text));
}

void EnableContentControls(const AppState& state, bool enabled) {
  ui::Controls* controls = state.controls;
  if (controls == nullptr) return;
  controls->setEnabled(ui::Slot::contentTree, enabled);
  controls->setEnabled(ui::Slot::refreshContentButton, enabled);
  controls->setEnabled(ui::Slot::contentSearchEdit, enabled);
  controls->setEnabled(ui::Slot::contentSearchButton, enabled);
  controls->setEnabled(ui::Slot::showLogButton, false);
}

void SetContentTabImage(const AppState& state, int image) {
  if (state.controls != nullptr) state.controls->setTabImage(kContentTab, image);
}

// Forgets the previous content and everything shown about it.
void ResetContent(AppState& state, ui::Tree& tree) {
  tree.deleteAll();
  state.contentTop = ui::kNoItem;
  state.contentGroups.fill(ui::kNoItem);
  state.mapslistItem = ui::kNoItem;
  state.previewPath.clear();
  if (state.showPreview) state.showPreview(state);
  if (state.layoutControls) state.layoutControls(state);
  state.contentSearchPos = 0;
  state.contentReport.reset();
  if (state.controls != nullptr) state.controls->setText(ui::Slot::detailsEdit, u"");
}

void CreateGroups(AppState& state, ui::Tree& tree) {
  for (int kind = 0; kind < kKindCount; ++kind) {
    state.contentGroups[static_cast<std::size_t>(kind)] =
        tree.insertLast(state.contentTop, {UiString(state, uitext::kFirstContentGroupTitle + kind),
                                           kContentGroupImage, kContentGroupImage, kMarkIncluded});
  }
  const int mapslistMark = state.skipMapslist ? kMarkExcluded : kMarkIncluded;
  state.mapslistItem = tree.insertLast(state.contentTop, {kMapslistName, kContentMapslistImage,
                                                          kContentMapslistImage, mapslistMark});
}

void InsertFile(const AppState& state, ui::Tree& tree, int kind, std::u16string_view name,
                int image, int mark) {
  tree.insertLast(state.contentGroups[static_cast<std::size_t>(kind)], {name, image, image, mark});
}

// Moves to `list` the names of one entry that the cache met for the first time while the
// entry was checked, and drops the rest: maps share most of their images, and listing each
// name once per map would only make the final sort drop it again. The entry lists its names
// in the order it asked about them, so the new ones are found in one walk. Names in another
// letter case are new spellings and still go through: the final sort decides between them.
void TakeNewNames(platform::ExistenceCache& cache, FileKind folder, StringList& entry,
                  StringList& list) {
  std::vector<std::u16string_view> fresh;
  cache.takeNewNames(folder, [&fresh](std::u16string_view name, bool) { fresh.push_back(name); });
  std::size_t next = 0;
  entry.forEach([&](const StringNode& node) {
    if (next < fresh.size() && node.text() == fresh[next]) {
      list.add(node.text(), node.tag);
      ++next;
    }
  });
  entry.clear();
}

// Reads every pack-list entry and files it in its group; collects the names it uses.
void CheckPackList(AppState& state, ui::Tree& tree, std::array<std::int32_t, kKindCount>& counts,
                   StringList& report, StringList& sceneries, StringList& textures) {
  const ui::Tree& pack = *state.packTree;
  const auto summary = std::make_unique<MapSummary>();
  const auto prefabCounts = std::make_unique<MapCounts>();
  platform::ExistenceCache cache;
  const CacheScope scope(state, cache);
  StringList entrySceneries;
  StringList entryTextures;
  for (ui::TreeItem entry = pack.child(state.packRoot); entry != ui::kNoItem;
       entry = pack.nextSibling(entry)) {
    const std::u16string name = pack.text(entry, kMaxPackEntryText);
    const int image = pack.image(entry);
    const FileKind kind = ui::PackEntryKind(image);
    ++counts[kind];
    const bool problem = CheckContentEntry(state, name, kind, report, entrySceneries, entryTextures,
                                           *summary, *prefabCounts);
    TakeNewNames(cache, kKindScenery, entrySceneries, sceneries);
    TakeNewNames(cache, kKindTexture, entryTextures, textures);
    // The entry's own mark comes from its reader alone: warnings and missing images do not
    // keep a map out of the archive.
    InsertFile(state, tree, kind, name, ui::FileImage(kind),
               problem ? kMarkProblem : kMarkIncluded);
    if (sceneries.count() > kSceneryListSortThreshold) sceneries.sortUnique();
  }
}

void RemoveDefaults(StringList& names, StringList& defaults) {
  // The subtraction reads the defaults through their index.
  defaults.buildIndex();
  names.subtract(defaults, true);
}

void InsertImages(AppState& state, ui::Tree& tree, std::array<std::int32_t, kKindCount>& counts,
                  StringList& sceneries, StringList& textures) {
  sceneries.sortUnique();
  if (state.skipDefaultSceneries) RemoveDefaults(sceneries, state.defaultSceneries);
  counts[kKindScenery] = sceneries.count();
  for (std::int32_t i = 0; i < sceneries.count(); ++i) {
    const StringNode* node = sceneries.nodeAt(i);
    InsertFile(state, tree, kKindScenery, node->text(), kContentImageFile, node->tag);
  }
  sceneries.clear();

  textures.sortUnique();
  if (state.skipDefaultTextures) RemoveDefaults(textures, state.defaultTextures);
  counts[kKindTexture] = textures.count();
  counts[kKindEdge] = textures.count();
  for (std::int32_t i = 0; i < textures.count(); ++i) {
    const StringNode* node = textures.nodeAt(i);
    InsertFile(state, tree, kKindTexture, node->text(), kContentImageFile, node->tag / 4);
  }
  for (std::int32_t i = 0; i < textures.count(); ++i) {
    const StringNode* node = textures.nodeAt(i);
    InsertFile(state, tree, kKindEdge, node->text(), kContentImageFile, node->tag % 4);
  }
  textures.clear();
}

void TitleGroups(AppState& state, ui::Tree& tree,
                 const std::array<std::int32_t, kKindCount>& counts) {
  for (int kind = kKindCount - 1; kind >= 0; --kind) {
    ui::TreeItem& group = state.contentGroups[static_cast<std::size_t>(kind)];
    if (counts[static_cast<std::size_t>(kind)] < 1) {
      tree.deleteItem(group);
      group = ui::kNoItem;
      continue;
    }
    tree.setText(group, CountCaption(UiString(state, uitext::kFirstContentGroupTitle + kind),
                                     counts[static_cast<std::size_t>(kind)]));
  }
}

struct GroupMarks {
  bool included = false;
  bool problem = false;
};

GroupMarks ReadGroupMarks(const ui::Tree& tree, ui::TreeItem group) {
  GroupMarks marks;
  for (ui::TreeItem c = tree.child(group); c != ui::kNoItem && !(marks.included && marks.problem);
       c = tree.nextSibling(c)) {
    const int overlay = tree.overlay(c);
    marks.included |= overlay == kMarkIncluded;
    marks.problem |= overlay == kMarkProblem;
  }
  return marks;
}

}  // namespace

void BuildArchiveContent(AppState& state) {
  state.contentStale = false;
  if (state.contentTree == nullptr) return;
  ui::Tree& tree = *state.contentTree;
  ResetContent(state, tree);

  state.contentTop = tree.insertLast(ui::kNoItem, {UiString(state, uitext::kArchiveContentLabel),
                                                   kContentTopImage, kContentTopImage, 0});
  const bool anything =
      state.packCount > 0 && state.packTree != nullptr && state.packRoot != ui::kNoItem;
  EnableContentControls(state, anything);
  if (!anything) {
    SetContentTabImage(state, kContentTabNothingIncluded);
    return;
  }

  CreateGroups(state, tree);
  std::array<std::int32_t, kKindCount> counts{};
  StringList report;
  StringList sceneries;
  StringList textures;
  CheckPackList(state, tree, counts, report, sceneries, textures);

  SetStatus(state, uitext::kBuildingContent);
  InsertImages(state, tree, counts, sceneries, textures);
  TitleGroups(state, tree, counts);
  tree.expand(state.contentTop);

  if (report.count() > 0) {
    report.buildIndex();
    state.contentReport = report.join();
    if (state.controls != nullptr) {
      state.controls->setText(ui::Slot::detailsEdit, *state.contentReport);
    }
  }
  RefreshContentMarks(state);
  SetStatus(state, uitext::kReady);
}

void RefreshContentMarks(AppState& state) {
  if (state.contentTree == nullptr) return;
  ui::Tree& tree = *state.contentTree;
  GroupMarks all;
  for (int kind = 0; kind < kKindCount; ++kind) {
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    GroupMarks marks;
    if (group != ui::kNoItem) {
      marks = ReadGroupMarks(tree, group);
      tree.setOverlay(group, marks.problem    ? kMarkProblem
                             : marks.included ? kMarkIncluded
                                              : kMarkExcluded);
    }
    all.included |= marks.included;
    all.problem |= marks.problem;
    // A mapslist names maps: without one it would be an empty list.
    if (kind == kKindMap && !marks.included && state.mapslistItem != ui::kNoItem) {
      tree.setOverlay(state.mapslistItem, kMarkExcluded);
      if (tree.selected() == state.mapslistItem && state.controls != nullptr) {
        state.controls->setText(ui::Slot::detailsEdit, u"");
      }
    }
  }
  if (!all.included) {
    SetContentTabImage(state, kContentTabNothingIncluded);
  } else if (!state.contentReport && !all.problem) {
    SetContentTabImage(state, kContentTabAllWell);
  } else {
    SetContentTabImage(state, kContentTabProblems);
  }
}

int ContentGroupKind(const AppState& state, ui::TreeItem item) {
  if (item == ui::kNoItem) return -1;
  for (int kind = 0; kind < kKindCount; ++kind) {
    if (state.contentGroups[static_cast<std::size_t>(kind)] == item) return kind;
  }
  return -1;
}

int ContentItemKind(const AppState& state, ui::TreeItem item) {
  if (state.contentTree == nullptr || item == ui::kNoItem) return -1;
  return ContentGroupKind(state, state.contentTree->parent(item));
}
