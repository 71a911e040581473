#include "app/mapslist_handlers.h"

#include <commctrl.h>

#include "packing/mapslists.h"

namespace app {

namespace {

constexpr int kLoadMapslistId = SlotCommand(ui::Slot::loadMapslistButton);
constexpr int kSaveMapslistId = SlotCommand(ui::Slot::saveMapslistButton);
constexpr int kLoadMapslistTitle = 81;
constexpr int kSaveMapslistTitle = 82;

// Both dialogs start in the Soldat folder, where the game keeps its own mapslist.
std::optional<std::u16string> ChooseMapslist(MainWindow& main, bool save) {
  ui::FileDialogRequest request;
  request.save = save;
  request.title = UiString(main.state, save ? kSaveMapslistTitle : kLoadMapslistTitle);
  request.filter = {u"Text files", u"*.txt"};
  request.defaultExtension = u"txt";
  request.initialFolder = main.state.soldatFolder;
  return main.controls.chooseFile(request);
}

Win32Tree* TreeOf(MainWindow& main, HWND control) {
  for (Win32Tree* tree : {&main.catalogueTree, &main.packTree, &main.contentTree}) {
    if (tree->control() == control) return tree;
  }
  return nullptr;
}

}  // namespace

bool OnMapslistCommand(MainWindow& main, int id) {
  if (id != kLoadMapslistId && id != kSaveMapslistId) return false;
  const bool save = id == kSaveMapslistId;
  if (const std::optional<std::u16string> path = ChooseMapslist(main, save)) {
    if (save) {
      SaveMapslist(main.state, main.controls, *path);
    } else {
      LoadMapslist(main.state, main.controls, *path);
    }
  }
  return true;
}

bool OnTreeDoubleClick(MainWindow& main, const NMHDR& header) {
  Win32Tree* tree = TreeOf(main, header.hwndFrom);
  if (tree == nullptr) return false;
  const ui::TreeItem item = tree->itemUnderCursor();
  if (item == ui::kNoItem) return true;
  if (OpenMapOnDoubleClick(main.state, main.controls, tree->text(item), tree->image(item))) {
    ShowWindow(main.window, SW_MINIMIZE);
  }
  return true;
}

}  // namespace app
