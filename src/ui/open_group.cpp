#include "ui/open_group.h"

#include "ui/images.h"

namespace ui {

void FollowOpenGroup(Tree& tree, TreeItem item, bool expanded, std::span<const TreeItem> groups) {
  const int closed = ImageIndex(Image::kClosedFolder);
  if (!expanded) {
    tree.setImages(item, closed, closed);
    return;
  }
  const int open = ImageIndex(Image::kOpenFolder);
  tree.setImages(item, open, open);
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    if (*g == kNoItem || *g == item) continue;
    tree.collapse(*g);
    tree.setImages(*g, closed, closed);
  }
  tree.ensureVisible(item);
}

}  // namespace ui
