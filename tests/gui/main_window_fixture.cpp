#include "main_window_fixture.h"

#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace guitest {

std::u16string WindowText(HWND window) {
  wchar_t buffer[512] = {};
  const int n = GetWindowTextW(window, buffer, 512);
  return platform::detail::FromWide(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

void MainWindowTest::Start() {
  Install();
  if (writeToolPaths) {
    if (ReadSetting(u"Settings", u"SoldatPath").empty() && options.soldatExe) {
      WriteSetting(u"Settings", u"SoldatPath", install.soldatExe);
    }
    if (ReadSetting(u"Settings", u"WinRARPath").empty() && options.winRar) {
      WriteSetting(u"Settings", u"WinRARPath", install.winRarExe);
    }
  }
  main = std::make_unique<app::MainWindow>(state);
  ASSERT_TRUE(app::CreateMainWindow(*main, GetModuleHandleW(nullptr)));
  main->controls.answerMessageBox = [this](UINT, std::u16string_view text) {
    messages.emplace_back(text);
    return IDOK;
  };
  ASSERT_FALSE(app::RunStartup(*main).has_value());
  Pump();
}

void MainWindowTest::Close() {
  SendMessageW(main->window, WM_CLOSE, 0, 0);
  Pump();
  main.reset();
}

void MainWindowTest::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitRequested = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void MainWindowTest::WriteSetting(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value) {
  Install();
  ASSERT_TRUE(platform::WriteIniString(SettingsPath(), section, key, value));
}

std::u16string MainWindowTest::ReadSetting(std::u16string_view section, std::u16string_view key) {
  return platform::ReadIniString(SettingsPath(), section, key, u"", 260);
}

std::u16string MainWindowTest::SettingsPath() const {
  return install.programFolder + u"Soldat ZEK.ini";
}

void MainWindowTest::Install() {
  if (installed) return;
  installed = true;
  install = testsupport::BuildSoldatInstall(dir.path(), options);
  // The test program lies elsewhere: the program folder is the installation's.
  state.programFolder = install.programFolder;
  state.tempFolder = dir.path();
}

ui::Box MainWindowTest::BoxOf(HWND control) const {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, main->window, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT MainWindowTest::WindowRect() const {
  RECT r{};
  GetWindowRect(main->window, &r);
  return r;
}

void MainWindowTest::SetWindowHeight(int height) {
  const RECT r = WindowRect();
  SetWindowPos(main->window, nullptr, r.left, r.top, r.right - r.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

void MainWindowTest::ClickTab(int tab) {
  RECT item{};
  SendMessageW(main->tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(tab),
               reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(main->tabControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(main->tabControl, WM_LBUTTONUP, 0, at);
  Pump();
}

int MainWindowTest::CurrentTab() const {
  return static_cast<int>(SendMessageW(main->tabControl, TCM_GETCURSEL, 0, 0));
}

std::u16string MainWindowTest::TabTextOf(int tab) const {
  wchar_t buffer[128] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 128;
  SendMessageW(main->tabControl, TCM_GETITEMW, static_cast<WPARAM>(tab),
               reinterpret_cast<LPARAM>(&item));
  return platform::detail::FromWide(buffer, wcslen(buffer));
}

std::vector<int> MainWindowTest::VisibleSlots() const {
  std::vector<int> visible;
  for (int i = 0; i < ui::kSlotCount; ++i) {
    if (IsWindowVisible(main->slots[i])) visible.push_back(i);
  }
  return visible;
}

}  // namespace guitest
