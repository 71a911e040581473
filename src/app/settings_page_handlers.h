// The Settings page's share of the main window's messages: its edits, check boxes, Browse
// buttons, language list and Apply, handed to the portable Settings page operations.
#pragma once

#include "app/main_window.h"

namespace app {

// WM_COMMAND of the Settings page's controls; false for any other control id.
bool OnSettingsCommand(MainWindow& main, int id, int notification);

}  // namespace app
