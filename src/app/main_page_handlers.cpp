#include "app/main_page_handlers.h"

#include <commctrl.h>

#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/pack_list.h"
#include "catalogue/search.h"
#include "core/file_kind.h"
#include "core/string_list.h"
#include "maps/file_details.h"

namespace app {

namespace {

constexpr UINT_PTR kSearchEditSubclass = 1;

// Holds back a visible tree's painting while many of its items change, so that the control
// lays out and paints once instead of for each item added under an open parent. A hidden
// tree is left alone: turning redrawing back on may show a window.
class PaintingHeld {
 public:
  explicit PaintingHeld(HWND tree) : tree_(IsWindowVisible(tree) ? tree : nullptr) {
    if (tree_ != nullptr) SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
  }
  ~PaintingHeld() {
    if (tree_ == nullptr) return;
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(tree_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
  }
  PaintingHeld(const PaintingHeld&) = delete;
  PaintingHeld& operator=(const PaintingHeld&) = delete;

 private:
  HWND tree_;
};

// The window has no dialog keyboard handling, so Enter in a search line would only beep;
// it presses that line's "Go" instead. refData is the "Go" button.
LRESULT CALLBACK SearchEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR subclass, DWORD_PTR refData) {
  if (message == WM_CHAR && wParam == VK_RETURN) {
    const auto button = reinterpret_cast<HWND>(refData);
    SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, SearchEditProc, subclass);
  return DefSubclassProc(edit, message, wParam, lParam);
}

// The details of the file under the mouse. Groups and both roots stand for no file.
LRESULT OnInfoTip(MainWindow& main, const Win32Tree& tree, NMTVGETINFOTIPW& tip) {
  AppState& state = main.state;
  const ui::TreeItem item = Win32Tree::Item(tip.hItem);
  if (item == ui::kNoItem || item == state.packRoot || tree.child(item) != ui::kNoItem) return 0;
  const int kind = tree.image(item) - kMapImage;
  if (kind < kKindMap || kind > kKindPrefab) return 0;
  StringList lines;
  FileDetails(state, lines, tree.text(item), kind);
  state.detailsText = lines.join();
  Win32Tree::handOverTip(tip, state.detailsText);
  return 0;
}

// A right click chooses (catalogue) or drops (pack list) the item under the mouse, as "->"
// and "<-" do with the selected one.
void OnRightClick(MainWindow& main, Win32Tree& tree) {
  const ui::TreeItem item = tree.itemUnderCursor();
  if (item == ui::kNoItem) return;
  tree.select(item);
  const PaintingHeld held(main.packTree.control());
  if (&tree == &main.catalogueTree) {
    AddToPackList(main.state);
  } else {
    RemovePackListItem(main.state);
  }
}

}  // namespace

void PressOnEnter(HWND edit, HWND button) {
  SetWindowSubclass(edit, SearchEditProc, kSearchEditSubclass, reinterpret_cast<DWORD_PTR>(button));
}

void WireMainPage(MainWindow& main) {
  PressOnEnter(main.slot(ui::Slot::mainSearchEdit), main.slot(ui::Slot::mainSearchButton));
}

bool OnMainCommand(MainWindow& main, int id, int notification) {
  AppState& state = main.state;
  switch (id) {
    case kMainSearchEditId:
      // The labels and the temp folder's box share the id; only a text change counts.
      if (notification == EN_CHANGE) ResetSearch(state, ui::Slot::mainSearchEdit);
      return true;
    case kMainSearchButtonId:
      SearchCatalogue(state);
      return true;
    case kAddButtonId: {
      const PaintingHeld held(main.packTree.control());
      AddToPackList(state);
      return true;
    }
    case kRemoveButtonId: {
      const PaintingHeld held(main.packTree.control());
      RemovePackListItem(state);
      return true;
    }
    case kRefreshCatalogueButtonId: {
      const PaintingHeld catalogue(main.catalogueTree.control());
      const PaintingHeld pack(main.packTree.control());
      RefreshCatalogue(state);
      return true;
    }
    case kClearButtonId: {
      const PaintingHeld held(main.packTree.control());
      ClearPackList(state);
      return true;
    }
    default:
      return false;
  }
}

std::optional<LRESULT> OnMainTreeNotify(MainWindow& main, NMHDR& header) {
  const bool isCatalogue = header.hwndFrom == main.catalogueTree.control();
  if (!isCatalogue && header.hwndFrom != main.packTree.control()) return std::nullopt;
  Win32Tree& tree = isCatalogue ? main.catalogueTree : main.packTree;
  AppState& state = main.state;
  switch (header.code) {
    case NM_RCLICK:
      OnRightClick(main, tree);
      return std::nullopt;
    case TVN_GETINFOTIPW:
      return OnInfoTip(main, tree, reinterpret_cast<NMTVGETINFOTIPW&>(header));
    case TVN_ITEMEXPANDINGW: {
      // The pack list is never folded; the catalogue keeps its root open.
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      if (!Win32Tree::IsCollapse(change)) return std::nullopt;
      const ui::TreeItem item = Win32Tree::Item(change.itemNew.hItem);
      if (isCatalogue && CatalogueMayCollapse(state, item)) return std::nullopt;
      return tree.refuseCollapse(item);
    }
    case TVN_ITEMEXPANDEDW: {
      if (!isCatalogue) return std::nullopt;
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      const ui::TreeItem item = Win32Tree::Item(change.itemNew.hItem);
      CatalogueItemExpanded(state, item, tree.expanded(item));
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace app
