// A real main window over a demo installation in a temp folder, started as the program
// starts it, and ways to look at it as a user would.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "support/soldat_install.h"
#include "support/temp_dir.h"
#include "ui/window_geometry.h"

namespace guitest {

class MainWindowTest : public ::testing::Test {
 public:
  // Lays out the installation of `options` (once).
  void Install();
  // Installs, writes Soldat's and WinRAR's paths into the settings file (unless
  // writeToolPaths is off or they are set already), builds the window and runs start-up.
  // Message boxes are recorded and answered with OK.
  void Start();
  // Closes the window as the user does (the close request), and drops the window.
  void Close();

  // Runs the queued messages; a quit request is remembered, not obeyed.
  void Pump();

  void WriteSetting(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value);
  std::u16string ReadSetting(std::u16string_view section, std::u16string_view key);
  std::u16string SettingsPath() const;

  HWND Control(ui::Slot slot) const { return main->slot(slot); }
  // A control's rectangle in the main window's client area.
  ui::Box BoxOf(HWND control) const;
  ui::Box BoxOf(ui::Slot slot) const { return BoxOf(Control(slot)); }
  RECT WindowRect() const;
  // Sets the window's outer height, keeping its place and width.
  void SetWindowHeight(int height);

  // Clicks a page tab with the mouse messages a user's click sends.
  void ClickTab(int tab);
  int CurrentTab() const;
  std::u16string TabTextOf(int tab) const;
  // The slots that are visible now.
  std::vector<int> VisibleSlots() const;

  testsupport::TempDir dir;
  testsupport::SoldatInstallOptions options = testsupport::StandardInstall();
  bool writeToolPaths = true;
  testsupport::SoldatInstall install;
  bool installed = false;
  AppState state;
  std::unique_ptr<app::MainWindow> main;
  std::vector<std::u16string> messages;
  bool quitRequested = false;
};

std::u16string WindowText(HWND window);

}  // namespace guitest
