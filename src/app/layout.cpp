// The window keeps one width; its height goes to the trees and the multi-line texts, and
// the bottom rows follow the bottom edge. Moves and size drags snap to the work area.
#include <windows.h>

#include "app/main_window.h"
#include "ui/window_geometry.h"

namespace app {

namespace {

ui::Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}
RECT ToRECT(const ui::Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

ui::Rect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return ToRect(r);
}

HWND TargetWindow(const MainWindow& main, int target) {
  if (target == ui::Placement::kTabControl) return main.tabControl;
  if (target == ui::Placement::kStatusBar) return main.statusBar;
  return main.slots[target];
}

}  // namespace

void LayoutControls(MainWindow& main) {
  if (main.tabControl == nullptr) return;  // still being built
  const int dy = ui::ExtraHeight(WindowRect(main.window), main.state.minWindowHeight);
  const bool preview = !main.state.previewPath.empty();
  for (const ui::Placement& p : ui::LayoutPlacements(dy, preview)) {
    const UINT keep = p.move ? SWP_NOSIZE : SWP_NOMOVE;
    SetWindowPos(TargetWindow(main, p.target), nullptr, p.a, p.b, p.a, p.b,
                 keep | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void ShowLog(MainWindow& main) {
  AppState& state = main.state;
  state.previewPath.clear();
  ShowWindow(main.slot(ui::Slot::previewBox), SW_HIDE);
  main.controls.setText(ui::Slot::detailsEdit, state.contentReport
                                                   ? std::u16string_view(*state.contentReport)
                                                   : std::u16string_view());
  LayoutControls(main);
  main.controls.setEnabled(ui::Slot::showLogButton, false);
}

void BeginSizeMove(MainWindow& main) {
  GetCursorPos(&main.moveStartCursor);
  GetWindowRect(main.window, &main.moveStartRect);
}

void SnapMovingRect(MainWindow& main, RECT& proposed) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const ui::Rect r =
      ui::MovingRect(ToRect(main.moveStartRect), {main.moveStartCursor.x, main.moveStartCursor.y},
                     {cursor.x, cursor.y}, main.controls.workArea(), main.state.frameBorder);
  proposed = ToRECT(r);
}

void SnapSizingRect(MainWindow& main, RECT& proposed) {
  const ui::Rect r =
      ui::SizingRect(ToRect(proposed), ToRect(main.moveStartRect), main.controls.workArea(),
                     main.state.frameBorder, main.state.minWindowHeight);
  proposed = ToRECT(r);
}

}  // namespace app
