// Mapslists and test play in the main window: "Load mapslist" and "Save as mapslist" with
// their file dialogs, and a double click on a map in any of the three trees.
#pragma once

#include <windows.h>

#include "app/main_window.h"

namespace app {

// WM_COMMAND of the two mapslist buttons; false for any other control id.
bool OnMapslistCommand(MainWindow& main, int id);

// NM_DBLCLK from a tree: the map under the cursor opens in the editor or in a test game.
// The window steps aside (minimizes) when a program was started. False when the
// notification came from no tree of the window.
bool OnTreeDoubleClick(MainWindow& main, const NMHDR& header);

}  // namespace app
