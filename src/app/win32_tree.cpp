#include "app/win32_tree.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace app {

namespace {

using platform::detail::FromWide;
using platform::detail::Wide;

}  // namespace

ui::TreeItem Win32Tree::insert(ui::TreeItem parent, Place place, ui::TreeItem after,
                               const ui::NewTreeItem& item) {
  std::wstring text = Wide(item.text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent == ui::kNoItem ? TVI_ROOT : Handle(parent);
  switch (place) {
    case Place::kFirst:
      insert.hInsertAfter = TVI_FIRST;
      break;
    case Place::kLast:
      insert.hInsertAfter = TVI_LAST;
      break;
    case Place::kAfter:
      if (after == ui::kNoItem) return ui::kNoItem;
      insert.hInsertAfter = Handle(after);
      break;
  }
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  insert.item.pszText = text.data();
  insert.item.iImage = item.image;
  insert.item.iSelectedImage = item.selectedImage;
  insert.item.state = INDEXTOOVERLAYMASK(item.overlay);
  insert.item.stateMask = TVIS_OVERLAYMASK;
  const auto result = SendMessageW(control_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  return static_cast<ui::TreeItem>(result);
}

void Win32Tree::deleteItem(ui::TreeItem item) {
  if (item == ui::kNoItem) return;  // TVI_ROOT is 0: it would delete everything
  SendMessageW(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Handle(item)));
}

void Win32Tree::deleteAll() {
  SendMessageW(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

ui::TreeItem Win32Tree::next(ui::TreeItem item, UINT relation) const {
  return static_cast<ui::TreeItem>(
      SendMessageW(control_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(Handle(item))));
}

ui::TreeItem Win32Tree::root() const {
  return next(ui::kNoItem, TVGN_ROOT);
}

ui::TreeItem Win32Tree::child(ui::TreeItem item) const {
  // TVGN_CHILD of no item gives the first top-level item, which is not a child of anything.
  return item == ui::kNoItem ? ui::kNoItem : next(item, TVGN_CHILD);
}

ui::TreeItem Win32Tree::nextSibling(ui::TreeItem item) const {
  return item == ui::kNoItem ? ui::kNoItem : next(item, TVGN_NEXT);
}

ui::TreeItem Win32Tree::parent(ui::TreeItem item) const {
  return item == ui::kNoItem ? ui::kNoItem : next(item, TVGN_PARENT);
}

int Win32Tree::childCount(ui::TreeItem item) const {
  // The control only tells whether an item has children; count them.
  int count = 0;
  for (ui::TreeItem c = child(item); c != ui::kNoItem; c = nextSibling(c)) ++count;
  return count;
}

bool Win32Tree::getItem(TVITEMW& item) const {
  if (item.hItem == nullptr) return false;
  return SendMessageW(control_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::u16string Win32Tree::text(ui::TreeItem item, std::size_t maxChars) const {
  maxChars = std::min(maxChars, ui::kMaxItemText);
  std::vector<wchar_t> buffer(maxChars + 1, L'\0');
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = Handle(item);
  query.pszText = buffer.data();
  query.cchTextMax = static_cast<int>(buffer.size());
  if (!getItem(query)) return {};
  // The control may hand back its own text instead of filling the buffer.
  const wchar_t* text = query.pszText != nullptr ? query.pszText : buffer.data();
  std::size_t length = 0;
  while (length < maxChars && text[length] != L'\0') ++length;
  return FromWide(text, length);
}

void Win32Tree::setText(ui::TreeItem item, std::u16string_view text) {
  if (item == ui::kNoItem) return;
  std::wstring copy = Wide(text);
  TVITEMW change{};
  change.mask = TVIF_TEXT;
  change.hItem = Handle(item);
  change.pszText = copy.data();
  SendMessageW(control_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

int Win32Tree::image(ui::TreeItem item) const {
  TVITEMW query{};
  query.mask = TVIF_IMAGE;
  query.hItem = Handle(item);
  return getItem(query) ? query.iImage : 0;
}

int Win32Tree::selectedImage(ui::TreeItem item) const {
  TVITEMW query{};
  query.mask = TVIF_SELECTEDIMAGE;
  query.hItem = Handle(item);
  return getItem(query) ? query.iSelectedImage : 0;
}

void Win32Tree::setImages(ui::TreeItem item, int image, int selectedImage) {
  if (item == ui::kNoItem) return;
  TVITEMW change{};
  change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = Handle(item);
  change.iImage = image;
  change.iSelectedImage = selectedImage;
  SendMessageW(control_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

int Win32Tree::overlay(ui::TreeItem item) const {
  TVITEMW query{};
  query.mask = TVIF_STATE;
  query.hItem = Handle(item);
  query.stateMask = TVIS_OVERLAYMASK;
  if (!getItem(query)) return 0;
  return static_cast<int>((query.state & TVIS_OVERLAYMASK) >> 8);
}

void Win32Tree::setOverlay(ui::TreeItem item, int overlay) {
  if (item == ui::kNoItem) return;
  TVITEMW change{};
  change.mask = TVIF_STATE;
  change.hItem = Handle(item);
  change.state = INDEXTOOVERLAYMASK(overlay);
  change.stateMask = TVIS_OVERLAYMASK;
  SendMessageW(control_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void Win32Tree::sortChildren(ui::TreeItem item) {
  // The control's own sort compares the texts with lstrcmpiW, the system comparison.
  const HTREEITEM parent = item == ui::kNoItem ? TVI_ROOT : Handle(item);
  SendMessageW(control_, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(parent));
}

void Win32Tree::expand(ui::TreeItem item) {
  if (item == ui::kNoItem) return;
  SendMessageW(control_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Handle(item)));
}

void Win32Tree::collapse(ui::TreeItem item) {
  if (item == ui::kNoItem) return;
  SendMessageW(control_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(Handle(item)));
}

bool Win32Tree::expanded(ui::TreeItem item) const {
  if (item == ui::kNoItem) return false;
  const auto state = SendMessageW(control_, TVM_GETITEMSTATE,
                                  reinterpret_cast<WPARAM>(Handle(item)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void Win32Tree::select(ui::TreeItem item) {
  SendMessageW(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Handle(item)));
}

ui::TreeItem Win32Tree::selected() const {
  return next(ui::kNoItem, TVGN_CARET);
}

void Win32Tree::ensureVisible(ui::TreeItem item) {
  if (item == ui::kNoItem) return;
  SendMessageW(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Handle(item)));
}

void Win32Tree::showFocus() {
  // Paints the selection as in a focused tree while the "Go" button keeps the focus.
  SendMessageW(control_, WM_SETFOCUS, 0, 0);
}

ui::TreeItem Win32Tree::itemUnderCursor() const {
  TVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(control_, &hit.pt);
  return static_cast<ui::TreeItem>(
      SendMessageW(control_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

LRESULT Win32Tree::refuseCollapse(ui::TreeItem item) {
  // Wine's tree view folds the item even so; it opens again once the fold is done.
  PostMessageW(control_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Handle(item)));
  return TRUE;
}

void Win32Tree::handOverTip(NMTVGETINFOTIPW& tip, std::u16string& text) {
  if (tip.pszText != nullptr && tip.cchTextMax > static_cast<int>(text.size())) {
    std::copy(text.begin(), text.end(), tip.pszText);
    tip.pszText[text.size()] = L'\0';
    return;
  }
  tip.pszText = reinterpret_cast<wchar_t*>(text.data());
  tip.cchTextMax = static_cast<int>(text.size() + 1);
}

}  // namespace app
