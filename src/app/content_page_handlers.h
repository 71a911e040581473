// The Content page's share of the main window's messages: its buttons, its search line and
// the notifications of its tree, handed to the portable Content page operations.
#pragma once

#include <windows.h>

#include <optional>

#include "app/main_window.h"

namespace app {

// Lets the portable operations reach this window: the content follows the pack list, and
// the details panel, the layout and the preview box follow the content; Enter in the search
// line presses "Go". Once, after the window's trees are in AppState.
void WireContentPage(MainWindow& main);

// WM_COMMAND of the Content page's controls; false for any other control id.
bool OnContentCommand(MainWindow& main, int id, int notification);

// WM_NOTIFY from the content tree; a result when the notification has one of its own.
// Double clicks are not handled here.
std::optional<LRESULT> OnContentTreeNotify(MainWindow& main, NMHDR& header);

}  // namespace app
