// The rule the catalogue and the content share for their groups: a group's folder image
// shows whether it is open, and opening one closes every other, so that at most one is open.
#pragma once

#include <span>

#include "ui/tree.h"

namespace ui {

// After `item` was expanded or collapsed. `groups` are the tree's group items (kNoItem for
// a group that is not there); the others are closed from the last to the first.
void FollowOpenGroup(Tree& tree, TreeItem item, bool expanded, std::span<const TreeItem> groups);

}  // namespace ui
