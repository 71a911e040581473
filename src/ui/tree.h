// What the portable operations need from a tree view. The window's trees hold the catalogue,
// the pack list and the archive content as items, and the operations read those items back
// (text, image, overlay) instead of keeping copies. The shell implements this over a
// SysTreeView32; MemoryTree implements it in memory for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// An opaque item handle; kNoItem stands for "none" (and for the top level as a parent).
using TreeItem = std::uintptr_t;
constexpr TreeItem kNoItem = 0;

// The longest item text that is read back, as the 261-character buffers of the window do.
constexpr std::size_t kMaxItemText = 260;

struct NewTreeItem {
  std::u16string_view text;
  int image = 0;
  int selectedImage = 0;
  int overlay = 0;  // 0: none
};

class Tree {
 public:
  virtual ~Tree() = default;

  enum class Place { kFirst, kLast, kAfter };

  // Inserts under `parent` (kNoItem: at the top level). With Place::kAfter the new item
  // follows `after`, which must be a child of `parent`. Returns the new item, or kNoItem
  // when it could not be inserted.
  virtual TreeItem insert(TreeItem parent, Place place, TreeItem after,
                          const NewTreeItem& item) = 0;
  TreeItem insertFirst(TreeItem parent, const NewTreeItem& item) {
    return insert(parent, Place::kFirst, kNoItem, item);
  }
  TreeItem insertLast(TreeItem parent, const NewTreeItem& item) {
    return insert(parent, Place::kLast, kNoItem, item);
  }
  TreeItem insertAfter(TreeItem parent, TreeItem after, const NewTreeItem& item) {
    return insert(parent, Place::kAfter, after, item);
  }

  // Deletes the item with everything below it.
  virtual void deleteItem(TreeItem item) = 0;
  virtual void deleteAll() = 0;

  // Walking; each gives kNoItem when there is no such item.
  virtual TreeItem root() const = 0;  // the first item of the top level
  virtual TreeItem child(TreeItem item) const = 0;
  virtual TreeItem nextSibling(TreeItem item) const = 0;
  virtual TreeItem parent(TreeItem item) const = 0;
  virtual int childCount(TreeItem item) const = 0;

  // The item's text, cut to maxChars characters.
  virtual std::u16string text(TreeItem item, std::size_t maxChars = kMaxItemText) const = 0;
  virtual void setText(TreeItem item, std::u16string_view text) = 0;
  virtual int image(TreeItem item) const = 0;
  virtual int selectedImage(TreeItem item) const = 0;
  virtual void setImages(TreeItem item, int image, int selectedImage) = 0;
  virtual int overlay(TreeItem item) const = 0;
  virtual void setOverlay(TreeItem item, int overlay) = 0;

  // Orders the item's children (one level) by text with the system's case-insensitive
  // comparison; kNoItem sorts the top level.
  virtual void sortChildren(TreeItem item) = 0;

  virtual void expand(TreeItem item) = 0;
  virtual void collapse(TreeItem item) = 0;
  virtual bool expanded(TreeItem item) const = 0;

  virtual void select(TreeItem item) = 0;
  virtual TreeItem selected() const = 0;
  // Scrolls the item into view, opening its collapsed parents.
  virtual void ensureVisible(TreeItem item) = 0;
  // Draws the selection as in a focused tree, without moving the keyboard focus for good.
  virtual void showFocus() = 0;
};

}  // namespace ui
