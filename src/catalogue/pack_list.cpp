#include "catalogue/pack_list.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/string_list.h"
#include "core/text_helpers.h"
#include "platform/platform.h"
#include "ui/controls.h"
#include "ui/images.h"
#include "ui/tree.h"

namespace {

constexpr int kPackRootImage = ui::ImageIndex(ui::Image::kOpenFolder);
// The longest entry text taken over from the catalogue; file names there are shorter.
constexpr std::size_t kMaxEntryText = 64;

// The children of `parent` as (text, tag = image) in tree order, indexed. The tree orders
// by name alone, so within a run of equal names the entries are put in image order: the
// forward merge of StringList::subtract only finds every (name, image) pair when both lists
// agree on that order too.
void CollectEntries(const ui::Tree& tree, ui::TreeItem parent, StringList& list) {
  std::vector<std::pair<std::u16string, std::uint8_t>> run;
  const auto flush = [&] {
    std::stable_sort(run.begin(), run.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [text, tag] : run) list.add(text, tag);
    run.clear();
  };
  for (ui::TreeItem c = tree.child(parent); c != ui::kNoItem; c = tree.nextSibling(c)) {
    std::u16string text = tree.text(c, kMaxEntryText);
    if (!run.empty() && platform::CompareNoCase(run.back().first, text) != 0) flush();
    run.emplace_back(std::move(text), static_cast<std::uint8_t>(tree.image(c)));
  }
  flush();
  list.buildIndex();
}

bool HasEntry(const ui::Tree& tree, ui::TreeItem root, std::u16string_view text, int image) {
  for (ui::TreeItem c = tree.child(root); c != ui::kNoItem; c = tree.nextSibling(c)) {
    if (tree.image(c) == image && platform::CompareNoCase(tree.text(c, kMaxEntryText), text) == 0) {
      return true;
    }
  }
  return false;
}

// The root is made by ClearPackList; a start-up without valid tool paths relabels the list
// before any catalogue refresh ran, so it may not be there yet.
ui::TreeItem PackRoot(AppState& state) {
  if (state.packRoot == ui::kNoItem) {
    state.packRoot = state.packTree->insertLast(ui::kNoItem, {u"", kPackRootImage, kPackRootImage});
  }
  return state.packRoot;
}

}  // namespace

void AddToPackList(AppState& state) {
  if (state.catalogueTree == nullptr || state.packTree == nullptr) return;
  ui::Tree& catalogue = *state.catalogueTree;
  ui::Tree& pack = *state.packTree;
  const ui::TreeItem chosen = catalogue.selected();
  if (chosen == ui::kNoItem || chosen == state.catalogueRoot) return;
  const ui::TreeItem root = PackRoot(state);

  if (catalogue.child(chosen) == ui::kNoItem) {
    const std::u16string text = catalogue.text(chosen, kMaxEntryText);
    const int image = catalogue.image(chosen);
    // Already chosen: nothing changes, not even the caption or the content.
    if (HasEntry(pack, root, text, image)) return;
    pack.insertLast(root, {text, image, catalogue.selectedImage(chosen)});
    pack.sortChildren(root);
    ++state.packCount;
  } else {
    StringList present;
    StringList group;
    CollectEntries(pack, root, present);
    CollectEntries(catalogue, chosen, group);
    group.subtract(present, false);
    for (std::int32_t i = 0; i < group.count(); ++i) {
      const StringNode* entry = group.nodeAt(i);
      pack.insertLast(root, {entry->text(), entry->tag, entry->tag});
      ++state.packCount;
    }
    pack.sortChildren(root);
  }
  UpdatePackListLabel(state);
}

void RemovePackListItem(AppState& state) {
  if (state.packTree == nullptr) return;
  ui::Tree& pack = *state.packTree;
  const ui::TreeItem chosen = pack.selected();
  if (chosen == ui::kNoItem) return;
  if (chosen == state.packRoot) {
    ClearPackList(state);
    return;
  }
  if (pack.parent(chosen) != state.packRoot) return;
  pack.deleteItem(chosen);
  if (state.packCount > 0) --state.packCount;
  UpdatePackListLabel(state);
}

void ClearPackList(AppState& state) {
  if (state.packTree == nullptr) return;
  ui::Tree& pack = *state.packTree;
  pack.deleteAll();
  state.packRoot = pack.insertLast(ui::kNoItem, {u"", kPackRootImage, kPackRootImage});
  state.packCount = 0;
  pack.select(state.packRoot);
  UpdatePackListLabel(state);
}

void UpdatePackListLabel(AppState& state) {
  state.contentStale = true;
  if (state.packCount < kPackRebuildThreshold && state.rebuildArchiveContent) {
    state.rebuildArchiveContent(state);
  }

  if (state.packTree != nullptr) {
    const ui::TreeItem root = PackRoot(state);
    state.packTree->setText(
        root, CountCaption(UiString(state, uitext::kMapsToPackLabel), state.packCount));
  }

  if (state.controls != nullptr) {
    const bool any = state.packCount > 0;
    state.controls->setEnabled(ui::Slot::packButton, any);
    state.controls->setEnabled(ui::Slot::saveMapslistButton, any);
    state.controls->setEnabled(ui::Slot::clearButton, any);
  }

  if (state.packTree != nullptr) state.packTree->expand(state.packRoot);
}
