#include "catalogue/search.h"

#include <string>

#include "core/text_helpers.h"
#include "platform/platform.h"
#include "ui/controls.h"
#include "ui/images.h"

namespace {

constexpr int kClosedGroupImage = ui::ImageIndex(ui::Image::kClosedFolder);

}  // namespace

void SearchTree(AppState& state, ui::Slot searchEdit, ui::Tree& tree, ui::TreeItem start,
                std::int32_t& position) {
  if (state.controls == nullptr) return;
  const std::u16string typed = state.controls->text(searchEdit).substr(0, ui::kMaxItemText);
  if (typed.empty()) return;
  const std::u16string searched = platform::LowerCase(typed);

  // Nothing is remembered between presses but the count: the tree may have changed.
  std::int32_t matches = 0;
  for (ui::TreeItem group = tree.child(start); group != ui::kNoItem;
       group = tree.nextSibling(group)) {
    for (ui::TreeItem entry = tree.child(group); entry != ui::kNoItem;
         entry = tree.nextSibling(entry)) {
      const std::u16string name = platform::LowerCase(tree.text(entry));
      if (FindText(name, searched) == std::u16string::npos) continue;
      if (++matches <= position) continue;
      tree.ensureVisible(entry);
      tree.select(entry);
      tree.showFocus();
      ++position;
      return;
    }
  }

  // Past the last match: fold up and start over. Children without children of their own
  // (the content's mapslist item) keep their images.
  for (ui::TreeItem group = tree.child(start); group != ui::kNoItem;
       group = tree.nextSibling(group)) {
    if (tree.child(group) == ui::kNoItem) continue;
    tree.collapse(group);
    tree.setImages(group, kClosedGroupImage, kClosedGroupImage);
  }
  tree.ensureVisible(start);
  tree.select(start);
  tree.showFocus();
  state.controls->beep();
  position = 0;
}

void SearchCatalogue(AppState& state) {
  if (state.catalogueTree == nullptr) return;
  SearchTree(state, ui::Slot::mainSearchEdit, *state.catalogueTree, state.catalogueRoot,
             state.mainSearchPos);
}

void ResetSearch(AppState& state, ui::Slot searchEdit) {
  if (searchEdit == ui::Slot::mainSearchEdit) state.mainSearchPos = 0;
  if (searchEdit == ui::Slot::contentSearchEdit) state.contentSearchPos = 0;
}
