#include "app/content_page_handlers.h"

#include <commctrl.h>

#include <string_view>

#include "app/main_page_handlers.h"
#include "catalogue/search.h"
#include "content/archive_content.h"
#include "content/content_page.h"

namespace app {

namespace {

// The hooks outlive no window: they find it again through its handle and do nothing once it
// is gone.
MainWindow* LiveWindow(HWND window) {
  if (window == nullptr || !IsWindow(window)) return nullptr;
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void RepaintPreview(MainWindow& main) {
  InvalidateRect(main.slot(ui::Slot::previewBox), nullptr, TRUE);
}

// The preview box shows only on the Content page, and only while there is an image.
void ShowPreview(MainWindow& main) {
  const bool show = !main.state.previewPath.empty() && CurrentPage(main) == kContentPage;
  ShowWindow(main.slot(ui::Slot::previewBox), show ? SW_SHOW : SW_HIDE);
  RepaintPreview(main);
}

LRESULT OnInfoTip(MainWindow& main, NMTVGETINFOTIPW& tip) {
  // The tip's text is kept in detailsText, which outlives the notification.
  if (ContentInfoTip(main.state, Win32Tree::Item(tip.hItem)))
    Win32Tree::handOverTip(tip, main.state.detailsText);
  return 0;
}

}  // namespace

void WireContentPage(MainWindow& main) {
  AppState& state = main.state;
  WireArchiveContent(state);
  const HWND window = main.window;
  state.layoutControls = [window](AppState&) {
    if (MainWindow* live = LiveWindow(window)) LayoutControls(*live);
  };
  state.showLog = [window](AppState&) {
    if (MainWindow* live = LiveWindow(window)) ShowLog(*live);
  };
  state.showPreview = [window](AppState&) {
    if (MainWindow* live = LiveWindow(window)) ShowPreview(*live);
  };
  PressOnEnter(main.slot(ui::Slot::contentSearchEdit), main.slot(ui::Slot::contentSearchButton));
}

bool OnContentCommand(MainWindow& main, int id, int notification) {
  AppState& state = main.state;
  switch (id) {
    case kContentSearchEditId:
      if (notification == EN_CHANGE) ResetSearch(state, ui::Slot::contentSearchEdit);
      return true;
    case kContentSearchButtonId:
      SearchContent(state);
      return true;
    case kShowLogButtonId:
      ShowLog(main);
      return true;
    case kFitImageCheckId:
      RepaintPreview(main);
      return true;
    case kRefreshContentButtonId:
      BuildArchiveContent(state);
      return true;
    default:
      return false;
  }
}

std::optional<LRESULT> OnContentTreeNotify(MainWindow& main, NMHDR& header) {
  AppState& state = main.state;
  switch (header.code) {
    case NM_RCLICK:
      // The clicked item is toggled, not selected.
      ToggleContentInclusion(state, main.contentTree.itemUnderCursor());
      return std::nullopt;
    case TVN_GETINFOTIPW:
      return OnInfoTip(main, reinterpret_cast<NMTVGETINFOTIPW&>(header));
    case TVN_SELCHANGEDW: {
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      ShowContentDetails(state, Win32Tree::Item(change.itemNew.hItem));
      return std::nullopt;
    }
    case TVN_ITEMEXPANDINGW: {
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      const ui::TreeItem item = Win32Tree::Item(change.itemNew.hItem);
      if (Win32Tree::IsCollapse(change) && !ContentMayCollapse(state, item)) {
        return main.contentTree.refuseCollapse(item);
      }
      return std::nullopt;
    }
    case TVN_ITEMEXPANDEDW: {
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      const ui::TreeItem item = Win32Tree::Item(change.itemNew.hItem);
      ContentItemExpanded(state, item, main.contentTree.expanded(item));
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace app
