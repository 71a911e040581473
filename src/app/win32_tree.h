// The Tree seam over a SysTreeView32 control: items are HTREEITEMs, everything else is
// TVM_* messages. The shell makes one per tree view and points AppState at them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "ui/tree.h"

namespace app {

class Win32Tree : public ui::Tree {
 public:
  explicit Win32Tree(HWND control = nullptr) : control_(control) {}
  void attach(HWND control) { control_ = control; }
  HWND control() const { return control_; }

  static HTREEITEM Handle(ui::TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
  static ui::TreeItem Item(HTREEITEM handle) { return reinterpret_cast<ui::TreeItem>(handle); }

  using Tree::insert;
  ui::TreeItem insert(ui::TreeItem parent, Place place, ui::TreeItem after,
                      const ui::NewTreeItem& item) override;
  void deleteItem(ui::TreeItem item) override;
  void deleteAll() override;

  ui::TreeItem root() const override;
  ui::TreeItem child(ui::TreeItem item) const override;
  ui::TreeItem nextSibling(ui::TreeItem item) const override;
  ui::TreeItem parent(ui::TreeItem item) const override;
  int childCount(ui::TreeItem item) const override;

  std::u16string text(ui::TreeItem item, std::size_t maxChars = ui::kMaxItemText) const override;
  void setText(ui::TreeItem item, std::u16string_view text) override;
  int image(ui::TreeItem item) const override;
  int selectedImage(ui::TreeItem item) const override;
  void setImages(ui::TreeItem item, int image, int selectedImage) override;
  int overlay(ui::TreeItem item) const override;
  void setOverlay(ui::TreeItem item, int overlay) override;

  void sortChildren(ui::TreeItem item) override;

  void expand(ui::TreeItem item) override;
  void collapse(ui::TreeItem item) override;
  bool expanded(ui::TreeItem item) const override;

  void select(ui::TreeItem item) override;
  ui::TreeItem selected() const override;
  void ensureVisible(ui::TreeItem item) override;
  void showFocus() override;

  // The item under the mouse cursor, for right and double clicks; kNoItem over empty space.
  ui::TreeItem itemUnderCursor() const;
  // The answer to TVN_ITEMEXPANDING that keeps an item from folding up.
  LRESULT refuseCollapse(ui::TreeItem item);
  // Whether a TVN_ITEMEXPANDING notification asks to fold the item up. TVE_ACTIONMASK is
  // not in every SDK's headers.
  static bool IsCollapse(const NMTREEVIEWW& change) {
    return (change.action & 0x0003) == TVE_COLLAPSE;
  }
  // Answers TVN_GETINFOTIPW with `text`, which must outlive the notification: the tree's
  // buffer takes it when it fits, a longer text is handed over in place.
  static void handOverTip(NMTVGETINFOTIPW& tip, std::u16string& text);

 private:
  ui::TreeItem next(ui::TreeItem item, UINT relation) const;
  bool getItem(TVITEMW& item) const;

  HWND control_ = nullptr;
};

}  // namespace app
