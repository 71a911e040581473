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

// The three image groups, from the image names the entries asked the cache about. The sort
// that lists a group is not stable: of names that differ only in letter case, the one it
// keeps depends on every name it is given, in order, and on the interim sorts. Sorting each
// distinct name once gives the same list when no two of them compare equal, which is the
// usual case and cheap; otherwise the group is listed from every entry's names as they came.
class ImageNames {
 public:
  explicit ImageNames(platform::ExistenceCache& cache) : cache_(cache) {}

  // After each entry, so that the names are given to the sort entry by entry.
  void endEntry() {
    for (int kind = kKindScenery; kind <= kKindEdge; ++kind) {
      entryEnds_[static_cast<std::size_t>(kind - kKindScenery)].push_back(cache_.askedCount(kind));
    }
  }

  // The names of the group (scenery, texture or edge) sorted, each once; see
  // StringList::sortUnique for which spelling stays.
  StringList sorted(int kind) {
    StringList list;
    // The listed names of each spelling asked; spellings may share a twin.
    platform::NameTable distinct;
    std::u16string key;
    for (std::size_t s = 0; s < cache_.spellingCount(kind); ++s) {
      ListNames(kind, s, [&](std::u16string_view text, std::uint8_t mark) {
        key.assign(text);  // text and mark, as one key
        key += static_cast<char16_t>(mark);
        const std::size_t hash = platform::NameTable::HashOf(key);
        if (distinct.find(key, hash) != platform::NameTable::kNone) return;
        distinct.add(key, hash, mark);
        list.add(text, mark);
      });
    }
    list.sortUnique();
    if (!SpellingsCollide(list, distinct.size())) return list;

    list.clear();
    std::size_t asked = 0;
    for (const std::size_t end : entryEnds_[static_cast<std::size_t>(kind - kKindScenery)]) {
      for (; asked < end; ++asked) {
        ListNames(kind, cache_.askedAt(kind, asked),
                  [&list](std::u16string_view text, std::uint8_t mark) { list.add(text, mark); });
      }
      // This bounds the list where many maps share their sceneries.
      if (kind == kKindScenery && list.count() > kSceneryListSortThreshold) list.sortUnique();
    }
    list.sortUnique();
    return list;
  }

 private:
  template <typename Visit>
  void ListNames(int kind, std::size_t spelling, Visit&& visit) {
    ForEachListedName(cache_.spelling(kind, spelling), cache_.rememberedValue(kind, spelling),
                      visit);
  }

  // Whether the sort met names that compare equal yet differ in spelling or mark: it then
  // dropped some of `distinctCount` names or kept equal ones side by side.
  static bool SpellingsCollide(const StringList& sorted, std::size_t distinctCount) {
    if (static_cast<std::size_t>(sorted.count()) != distinctCount) return true;
    for (std::int32_t i = 1; i < sorted.count(); ++i) {
      if (platform::CompareNoCase(sorted.textAt(i - 1), sorted.textAt(i)) == 0) return true;
    }
    return false;
  }

  platform::ExistenceCache& cache_;
  std::array<std::vector<std::size_t>, 3> entryEnds_;  // per group, questions after each entry
};

// Reads every pack-list entry and files it in its group; the images they use are asked
// about through `cache`.
void CheckPackList(AppState& state, ui::Tree& tree, std::array<std::int32_t, kKindCount>& counts,
                   StringList& report, platform::ExistenceCache& cache, ImageNames& names) {
  const ui::Tree& pack = *state.packTree;
  const auto summary = std::make_unique<MapSummary>();
  const auto prefabCounts = std::make_unique<MapCounts>();
  const CacheScope scope(state, cache);
  for (ui::TreeItem entry = pack.child(state.packRoot); entry != ui::kNoItem;
       entry = pack.nextSibling(entry)) {
    const std::u16string name = pack.text(entry, kMaxPackEntryText);
    const int image = pack.image(entry);
    const FileKind kind = ui::PackEntryKind(image);
    ++counts[kind];
    // The names come from the cache's record of lookups.
    const bool problem = CheckContentEntry(state, name, kind, report, *summary, *prefabCounts);
    names.endEntry();
    // The entry's own mark comes from its reader alone: warnings and missing images do not
    // keep a map out of the archive.
    InsertFile(state, tree, kind, name, ui::FileImage(kind),
               problem ? kMarkProblem : kMarkIncluded);
  }
}

// Whether `name` is in `sorted`, a list that came through sortUnique.
bool InSortedList(const StringList& sorted, std::u16string_view name) {
  std::int32_t low = 0;
  std::int32_t high = sorted.count();
  while (low < high) {
    const std::int32_t middle = low + (high - low) / 2;
    const int order = platform::CompareNoCase(sorted.textAt(middle), name);
    if (order == 0) return true;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

// Leaves out the game's own files: a name counts as one when it or its .png twin is in the
// default list, or when it is the twin of a name there, whichever extension the list or
// the installation uses.
void RemoveDefaults(StringList& names, const StringList& defaults) {
  StringList listed;  // the defaults and their twins
  defaults.forEach([&listed](const StringNode& node) {
    listed.add(node.text(), 0);
    if (const auto twin = PngTwin(node.text())) listed.add(*twin, 0);
  });
  listed.sortUnique();
  StringList named;
  defaults.forEach([&named](const StringNode& node) { named.add(node.text(), 0); });
  named.sortUnique();

  StringList gone;  // in the order of `names`, for one forward subtraction
  names.forEach([&](const StringNode& node) {
    const auto twin = PngTwin(node.text());
    if (InSortedList(listed, node.text()) || (twin && InSortedList(named, *twin))) {
      gone.add(node.text(), node.tag);
    }
  });
  gone.buildIndex();
  names.subtract(gone, false);
}

void InsertGroup(AppState& state, ui::Tree& tree, std::array<std::int32_t, kKindCount>& counts,
                 int kind, StringList names, const StringList* defaults) {
  if (defaults != nullptr) RemoveDefaults(names, *defaults);
  counts[static_cast<std::size_t>(kind)] = names.count();
  for (std::int32_t i = 0; i < names.count(); ++i) {
    const StringNode* node = names.nodeAt(i);
    InsertFile(state, tree, kind, node->text(), kContentImageFile, node->tag);
  }
}

void InsertImages(AppState& state, ui::Tree& tree, std::array<std::int32_t, kKindCount>& counts,
                  ImageNames& names) {
  InsertGroup(state, tree, counts, kKindScenery, names.sorted(kKindScenery),
              state.skipDefaultSceneries ? &state.defaultSceneries : nullptr);
  const StringList* textureDefaults = state.skipDefaultTextures ? &state.defaultTextures : nullptr;
  InsertGroup(state, tree, counts, kKindTexture, names.sorted(kKindTexture), textureDefaults);
  InsertGroup(state, tree, counts, kKindEdge, names.sorted(kKindEdge), textureDefaults);
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
  platform::ExistenceCache cache;
  ImageNames names(cache);
  CheckPackList(state, tree, counts, report, cache, names);

  SetStatus(state, uitext::kBuildingContent);
  InsertImages(state, tree, counts, names);
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
