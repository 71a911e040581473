// A Tree held in memory: the portable operations run on it in tests and benchmarks exactly
// as they run on the window's tree views.
#pragma once

#include <string>
#include <vector>

#include "ui/tree.h"

namespace ui {

class MemoryTree : public Tree {
 public:
  using Tree::insert;
  TreeItem insert(TreeItem parent, Place place, TreeItem after, const NewTreeItem& item) override;
  void deleteItem(TreeItem item) override;
  void deleteAll() override;

  TreeItem root() const override { return firstTop_; }
  TreeItem child(TreeItem item) const override;
  TreeItem nextSibling(TreeItem item) const override;
  TreeItem parent(TreeItem item) const override;
  int childCount(TreeItem item) const override;

  std::u16string text(TreeItem item, std::size_t maxChars = kMaxItemText) const override;
  void setText(TreeItem item, std::u16string_view text) override;
  int image(TreeItem item) const override;
  int selectedImage(TreeItem item) const override;
  void setImages(TreeItem item, int image, int selectedImage) override;
  int overlay(TreeItem item) const override;
  void setOverlay(TreeItem item, int overlay) override;

  void sortChildren(TreeItem item) override;

  void expand(TreeItem item) override;
  void collapse(TreeItem item) override;
  bool expanded(TreeItem item) const override;

  void select(TreeItem item) override;
  TreeItem selected() const override { return selected_; }
  void ensureVisible(TreeItem item) override;
  void showFocus() override { ++focusShows_; }

  // What tests look at besides the items.
  bool valid(TreeItem item) const { return node(item) != nullptr; }
  int itemCount() const { return liveCount_; }
  TreeItem lastEnsuredVisible() const { return lastEnsuredVisible_; }
  int focusShows() const { return focusShows_; }

  // The items below `item` (kNoItem: the whole tree), one per line, indented two spaces per
  // level: text, " [image/selectedImage]", " +" when expanded, " o<overlay>" when set.
  // Characters outside ASCII show as '?'.
  std::string outline(TreeItem item = kNoItem) const;

 private:
  struct Node {
    std::u16string text;
    int image = 0;
    int selectedImage = 0;
    int overlay = 0;
    bool expanded = false;
    bool alive = true;
    TreeItem parent = kNoItem;
    TreeItem firstChild = kNoItem;
    TreeItem lastChild = kNoItem;
    TreeItem previous = kNoItem;
    TreeItem next = kNoItem;
    int childCount = 0;
  };

  Node* node(TreeItem item);
  const Node* node(TreeItem item) const;
  TreeItem& firstOf(TreeItem parent);
  TreeItem& lastOf(TreeItem parent);
  // True when `item` is `ancestor` or lies below it.
  bool within(TreeItem item, TreeItem ancestor) const;
  void unlink(TreeItem item);
  void kill(TreeItem item);
  void outlineLevel(TreeItem first, int depth, std::string& out) const;

  // Handles count on from the last deleteAll(), so that a stale handle never names a new
  // item: item h lives at nodes_[h - base_ - 1].
  std::vector<Node> nodes_;
  TreeItem base_ = 0;
  TreeItem firstTop_ = kNoItem;
  TreeItem lastTop_ = kNoItem;
  int topCount_ = 0;
  int liveCount_ = 0;
  TreeItem selected_ = kNoItem;
  TreeItem lastEnsuredVisible_ = kNoItem;
  int focusShows_ = 0;
};

}  // namespace ui
