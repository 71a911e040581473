// The files of one group of the archive content that are marked to be packed, in display
// order.
#pragma once

#include <string>
#include <vector>

#include "content/archive_content.h"
#include "state/app_state.h"

inline std::vector<std::u16string> IncludedFiles(const AppState& state, int kind) {
  std::vector<std::u16string> names;
  const ui::Tree* tree = state.contentTree;
  if (tree == nullptr || kind < 0 || kind >= kKindCount) return names;
  const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
  if (group == ui::kNoItem) return names;
  for (ui::TreeItem item = tree->child(group); item != ui::kNoItem;
       item = tree->nextSibling(item)) {
    if (tree->overlay(item) == kMarkIncluded) names.push_back(tree->text(item));
  }
  return names;
}
