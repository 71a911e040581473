// The main window's geometry as plain arithmetic on rectangles: where every page control
// sits, how the controls follow the window's height, and how moves and size drags snap to
// the work area. The shell applies the results to the real window.
#pragma once

#include <ostream>
#include <vector>

#include "ui/controls.h"
#include "ui/slots.h"

namespace ui {

// A control's place in the main window's client area.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << '{' << b.x << ", " << b.y << ", " << b.width << ", " << b.height << '}';
}

// The window is created at this outer size; the client size it gets tells the frame metrics.
constexpr int kCreateWindowWidth = 621;
constexpr int kCreateWindowHeight = 594;
constexpr int kClientWidth = 605;
// Client height above the status bar at the minimum window height.
constexpr int kMinPageHeight = 535;
// The tab control is two pixels wider than the client area, so its right border is hidden.
constexpr Box kTabControlBox{0, 0, 607, 537};

struct FrameGeometry {
  int frameBorder = 0;       // width of one side frame
  int fixedWindowWidth = 0;  // the outer width that gives a 605-pixel client area
  int minWindowHeight = 0;   // the least outer height: 535 client pixels plus the status bar
};

// From the client size that a 621 x 594 window got and the status bar's client height.
FrameGeometry ComputeFrameGeometry(int clientWidth, int clientHeight, int statusBarHeight);

// Where a page control is created (and stays at the minimum height).
Box InitialControlBox(Slot slot);

// Extra height over the minimum, from the window's outer rectangle.
inline int ExtraHeight(const Rect& window, int minWindowHeight) {
  return window.bottom - window.top - minWindowHeight;
}

// One change that LayoutControls makes: a move keeps the size, a size keeps the position.
struct Placement {
  static constexpr int kTabControl = -1;
  static constexpr int kStatusBar = -2;
  int target = 0;  // a slot number, or kTabControl / kStatusBar
  bool move = false;
  int a = 0;  // x when moving, width when sizing
  int b = 0;  // y when moving, height when sizing
};

// The controls that follow the height, for extra height dy. While a preview is shown the
// details text makes room for the preview box below it.
std::vector<Placement> LayoutPlacements(int dy, bool previewShown);

// Where a moved window goes: it follows the cursor from the start of the drag and snaps to
// the edges of the work area (b is the frame border).
Rect MovingRect(const Rect& startRect, Point startCursor, Point cursor, const Rect& work,
                int frameBorder);

// A size drag changes only the height, never below the minimum, and its top and bottom
// edges snap to (and cannot pass) the work area.
Rect SizingRect(const Rect& proposed, const Rect& startRect, const Rect& work, int frameBorder,
                int minWindowHeight);

}  // namespace ui
