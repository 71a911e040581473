// A real main window over a demo installation in a temp folder, started as the program
// starts it, and the ways a user reaches it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fixtures/soldat_install.h"
#include "support/temp_dir.h"
#include "ui/window_geometry.h"

namespace guitest {

std::u16string WindowText(HWND window);

// Everything the Tree seam tells, one item per line indented by depth: text, image, then
// "/selected image" and "^overlay" when they differ from the plain case, "+" when expanded
// and "*" when selected.
std::string Outline(const ui::Tree& tree);
// The first child of `parent` whose text starts with `prefix`.
ui::TreeItem ChildOf(const ui::Tree& tree, ui::TreeItem parent, std::u16string_view prefix);

class MainWindowTest : public ::testing::Test {
 public:
  // Lays out the installation of `options`, once.
  void Install();
  // Installs, writes the tool paths that exist into the settings file, builds the window and
  // runs start-up. Message boxes are recorded and answered with OK.
  void Start();
  // The user's close request; the window is dropped.
  void Close();
  // Runs the queued messages; a quit request is remembered, not obeyed.
  void Pump();

  void WriteSetting(std::u16string_view key, std::u16string_view value);

  HWND Control(ui::Slot slot) const { return main->slot(slot); }
  ui::Box BoxOf(HWND control) const;  // in the main window's client area
  ui::Box WindowBox() const;          // the outer rectangle on the screen
  void SetWindowHeight(int height);
  void ClickTab(int tab);  // with the mouse messages of a click
  int CurrentTab() const { return int(SendMessageW(main->tabControl, TCM_GETCURSEL, 0, 0)); }
  std::vector<int> VisibleSlots() const;
  void Click(ui::Slot slot) { SendMessageW(Control(slot), BM_CLICK, 0, 0); }

  // With the mouse on the item, or below the last item for kNoItem.
  void RightClick(app::Win32Tree& tree, ui::TreeItem item);
  // The info tip the window gives; empty for none.
  std::u16string Tip(app::Win32Tree& tree, ui::TreeItem item);
  void Key(app::Win32Tree& tree, ui::TreeItem item, WPARAM key);

  testsupport::TempDir dir;
  fixtures::SoldatInstallOptions options = fixtures::StandardInstall();
  fixtures::SoldatInstall install;
  bool installed = false;
  AppState state;
  std::unique_ptr<app::MainWindow> main;
  std::vector<std::u16string> messages;
  bool quitRequested = false;
};

}  // namespace guitest
