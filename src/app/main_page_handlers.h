// The Main page's share of the main window's messages: its search line, its buttons and the
// notifications of the catalogue and the pack list, handed to the catalogue operations.
#pragma once

#include <windows.h>

#include <optional>

#include "app/main_window.h"

namespace app {

// Lets Enter in the Main page's search line press "Go". Once, after the controls exist.
void WireMainPage(MainWindow& main);

// Lets Enter in a search line press its "Go" button, as both pages' search lines do.
void PressOnEnter(HWND edit, HWND button);

// WM_COMMAND of the Main page's search line, "->", "<-", Refresh and Clear; false for any
// other control id.
bool OnMainCommand(MainWindow& main, int id, int notification);

// WM_NOTIFY from the catalogue or the pack list; a result when the notification has one of
// its own. Double clicks are not handled here.
std::optional<LRESULT> OnMainTreeNotify(MainWindow& main, NMHDR& header);

}  // namespace app
