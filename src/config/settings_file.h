// The settings file "Soldat ZEK.ini" in the program folder: window placement, packing
// options, tool paths and flags, read once at start-up and written when the window closes.
#pragma once

#include <string>

#include "state/app_state.h"
#include "ui/controls.h"
#include "ui/window_geometry.h"

// The main window's frame, as worked out when it was created.
struct WindowFrame {
  int frameBorder = 0;  // width of one side frame
  int width = 0;        // the only outer width the window takes
  int minHeight = 0;    // its least outer height
};

// Where the window goes, in screen coordinates.
using WindowPlacement = ui::Box;

WindowFrame WindowFrameOf(const AppState& state);

// Pulls a saved place into the work area: at most frameBorder - 4 pixels stick out at the
// left or right, the bottom stays within the work area (plus the frame), shrinking the
// window down to its least height first, and the caption is never above the top.
WindowPlacement ClampWindowPlacement(int x, int y, int height, const ui::Rect& workArea,
                                     const WindowFrame& frame);

std::u16string SettingsFilePath(const AppState& state);

// Reads every key (a missing file or key gives its default) and applies it to the window,
// the Main/Content/Comment controls and AppState. Never fails.
void LoadSettings(AppState& state, ui::Controls& controls);

// Writes every key back, the window's restored place included. False when the file could
// not be created or a key not written; the user is not told (the keys that could be written
// stay written).
[[nodiscard]] bool SaveSettings(const AppState& state, const ui::Controls& controls);
