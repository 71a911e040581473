// The packing controls' share of the main window's messages: the archive name and type, the
// Pack button and the Comment page, handed to the packing operations.
#pragma once

#include "app/main_window.h"

namespace app {

// WM_COMMAND of the archive name's browse button, the archive type, Pack and the Comment
// page's controls; false for any other control id.
bool OnPackingCommand(MainWindow& main, int id, int notification);

}  // namespace app
