#include "ui/memory_tree.h"

#include <algorithm>

#include "platform/platform.h"

namespace ui {

MemoryTree::Node* MemoryTree::node(TreeItem item) {
  return const_cast<Node*>(static_cast<const MemoryTree*>(this)->node(item));
}

const MemoryTree::Node* MemoryTree::node(TreeItem item) const {
  if (item <= base_ || item - base_ > nodes_.size()) return nullptr;
  const Node& n = nodes_[item - base_ - 1];
  return n.alive ? &n : nullptr;
}

TreeItem& MemoryTree::firstOf(TreeItem parent) {
  return parent == kNoItem ? firstTop_ : node(parent)->firstChild;
}

TreeItem& MemoryTree::lastOf(TreeItem parent) {
  return parent == kNoItem ? lastTop_ : node(parent)->lastChild;
}

TreeItem MemoryTree::insert(TreeItem parent, Place place, TreeItem after, const NewTreeItem& item) {
  if (parent != kNoItem && node(parent) == nullptr) return kNoItem;
  if (place == Place::kAfter) {
    const Node* a = node(after);
    if (a == nullptr || a->parent != parent) return kNoItem;
  }

  Node fresh;
  fresh.text = item.text;
  fresh.image = item.image;
  fresh.selectedImage = item.selectedImage;
  fresh.overlay = item.overlay;
  fresh.parent = parent;
  nodes_.push_back(std::move(fresh));
  const TreeItem handle = base_ + nodes_.size();
  Node& n = nodes_.back();

  TreeItem& first = firstOf(parent);
  TreeItem& last = lastOf(parent);
  if (place == Place::kFirst || first == kNoItem) {
    n.next = first;
    if (first != kNoItem) node(first)->previous = handle;
    first = handle;
    if (last == kNoItem) last = handle;
  } else {
    const TreeItem before = place == Place::kLast ? last : after;
    Node& b = *node(before);
    n.previous = before;
    n.next = b.next;
    if (b.next != kNoItem) {
      node(b.next)->previous = handle;
    } else {
      last = handle;
    }
    b.next = handle;
  }

  if (parent == kNoItem) {
    ++topCount_;
  } else {
    ++node(parent)->childCount;
  }
  ++liveCount_;
  return handle;
}

bool MemoryTree::within(TreeItem item, TreeItem ancestor) const {
  for (TreeItem i = item; i != kNoItem; i = node(i)->parent) {
    if (i == ancestor) return true;
  }
  return false;
}

void MemoryTree::unlink(TreeItem item) {
  Node& n = *node(item);
  if (n.previous != kNoItem) {
    node(n.previous)->next = n.next;
  } else {
    firstOf(n.parent) = n.next;
  }
  if (n.next != kNoItem) {
    node(n.next)->previous = n.previous;
  } else {
    lastOf(n.parent) = n.previous;
  }
  if (n.parent == kNoItem) {
    --topCount_;
  } else {
    --node(n.parent)->childCount;
  }
  n.previous = n.next = kNoItem;
}

void MemoryTree::kill(TreeItem item) {
  for (TreeItem c = node(item)->firstChild; c != kNoItem;) {
    const TreeItem next = node(c)->next;
    kill(c);
    c = next;
  }
  Node& n = *node(item);
  n.alive = false;
  n.text.clear();
  n.text.shrink_to_fit();
  --liveCount_;
}

void MemoryTree::deleteItem(TreeItem item) {
  const Node* n = node(item);
  if (n == nullptr) return;

  // Like the tree view, a deleted selection moves to the next sibling, else to the parent,
  // else (at the top level) to the previous sibling.
  const bool selectionGoes = within(selected_, item);
  const TreeItem heir = n->next != kNoItem     ? n->next
                        : n->parent != kNoItem ? n->parent
                                               : n->previous;
  unlink(item);
  kill(item);
  if (selectionGoes) selected_ = heir;
  if (node(lastEnsuredVisible_) == nullptr) lastEnsuredVisible_ = kNoItem;
}

void MemoryTree::deleteAll() {
  base_ += nodes_.size();
  nodes_.clear();
  firstTop_ = lastTop_ = kNoItem;
  topCount_ = 0;
  liveCount_ = 0;
  selected_ = kNoItem;
  lastEnsuredVisible_ = kNoItem;
}

TreeItem MemoryTree::child(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->firstChild : kNoItem;
}

TreeItem MemoryTree::nextSibling(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->next : kNoItem;
}

TreeItem MemoryTree::parent(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->parent : kNoItem;
}

int MemoryTree::childCount(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->childCount : 0;
}

std::u16string MemoryTree::text(TreeItem item, std::size_t maxChars) const {
  const Node* n = node(item);
  if (n == nullptr) return {};
  return n->text.substr(0, maxChars);
}

void MemoryTree::setText(TreeItem item, std::u16string_view text) {
  if (Node* n = node(item)) n->text = text;
}

int MemoryTree::image(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->image : 0;
}

int MemoryTree::selectedImage(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->selectedImage : 0;
}

void MemoryTree::setImages(TreeItem item, int image, int selectedImage) {
  if (Node* n = node(item)) {
    n->image = image;
    n->selectedImage = selectedImage;
  }
}

int MemoryTree::overlay(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr ? n->overlay : 0;
}

void MemoryTree::setOverlay(TreeItem item, int overlay) {
  if (Node* n = node(item)) n->overlay = overlay;
}

void MemoryTree::sortChildren(TreeItem item) {
  if (item != kNoItem && node(item) == nullptr) return;
  std::vector<TreeItem> children;
  for (TreeItem c = firstOf(item); c != kNoItem; c = node(c)->next) children.push_back(c);
  const auto less = [this](TreeItem a, TreeItem b) {
    return platform::CompareNoCase(node(a)->text, node(b)->text) < 0;
  };
  // Lists often arrive sorted already (a sorted name list, a folder listing on NTFS).
  if (std::is_sorted(children.begin(), children.end(), less)) return;
  // Stable, so that equal names keep their order and tests see one outcome.
  std::stable_sort(children.begin(), children.end(), less);
  TreeItem previous = kNoItem;
  for (const TreeItem c : children) {
    Node& n = *node(c);
    n.previous = previous;
    n.next = kNoItem;
    if (previous != kNoItem) node(previous)->next = c;
    previous = c;
  }
  firstOf(item) = children.front();
  lastOf(item) = children.back();
}

void MemoryTree::expand(TreeItem item) {
  // Like the tree view: an item without children has nothing to open.
  Node* n = node(item);
  if (n != nullptr && n->firstChild != kNoItem) n->expanded = true;
}

void MemoryTree::collapse(TreeItem item) {
  Node* n = node(item);
  if (n == nullptr) return;
  n->expanded = false;
  // Like the tree view, a selection that would be hidden moves to the collapsed item.
  if (selected_ != item && within(selected_, item)) selected_ = item;
}

bool MemoryTree::expanded(TreeItem item) const {
  const Node* n = node(item);
  return n != nullptr && n->expanded;
}

void MemoryTree::select(TreeItem item) {
  if (item != kNoItem && node(item) == nullptr) return;
  // Like the tree view, a selection inside a collapsed group opens it.
  for (TreeItem p = parent(item); p != kNoItem; p = node(p)->parent) node(p)->expanded = true;
  selected_ = item;
}

void MemoryTree::ensureVisible(TreeItem item) {
  const Node* n = node(item);
  if (n == nullptr) return;
  for (TreeItem p = n->parent; p != kNoItem; p = node(p)->parent) node(p)->expanded = true;
  lastEnsuredVisible_ = item;
}

void MemoryTree::outlineLevel(TreeItem first, int depth, std::string& out) const {
  for (TreeItem c = first; c != kNoItem; c = node(c)->next) {
    const Node& n = *node(c);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    for (const char16_t ch : n.text) out.push_back(ch >= 0x20 && ch < 0x7F ? char(ch) : '?');
    out += " [" + std::to_string(n.image) + "/" + std::to_string(n.selectedImage) + "]";
    if (n.expanded) out += " +";
    if (n.overlay != 0) out += " o" + std::to_string(n.overlay);
    out += '\n';
    outlineLevel(n.firstChild, depth + 1, out);
  }
}

std::string MemoryTree::outline(TreeItem item) const {
  std::string out;
  if (item == kNoItem) {
    outlineLevel(firstTop_, 0, out);
  } else if (node(item) != nullptr) {
    outlineLevel(node(item)->firstChild, 0, out);
  }
  return out;
}

}  // namespace ui
