// A real main window over a demo installation in a temp folder, started as the program
// starts it, and the ways a user reaches it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "config/settings_file.h"
#include "fixtures/soldat_install.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "support/temp_dir.h"
#include "ui/window_geometry.h"

namespace guitest {

// The build gives the stand-in's Linux path; Wine's drive Z: is the Unix root.
inline std::u16string StandinPath() {
  std::u16string path = u"Z:";
  for (const char c : std::string_view(ZEK_STANDIN_EXE)) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

// One item a line, indented by depth: text image[/selected][^overlay][ +expanded][ *selected].
inline std::string Outline(const ui::Tree& tree, ui::TreeItem first, int depth) {
  std::string out;
  for (ui::TreeItem i = first; i != ui::kNoItem; i = tree.nextSibling(i)) {
    out += std::string(2 * depth, ' ') + platform::Utf16ToAnsi(tree.text(i)) + ' ' +
           std::to_string(tree.image(i));
    if (tree.selectedImage(i) != tree.image(i)) out += '/' + std::to_string(tree.selectedImage(i));
    if (tree.overlay(i) != 0) out += '^' + std::to_string(tree.overlay(i));
    out += std::string(tree.expanded(i) ? " +" : "") + (tree.selected() == i ? " *" : "") + '\n';
    const ui::TreeItem child = tree.child(i);
    if (child != ui::kNoItem && tree.parent(child) != i) out += "(wrong parent)\n";
    out += Outline(tree, child, depth + 1);
  }
  return out;
}
inline std::string Outline(const ui::Tree& tree) {
  return Outline(tree, tree.root(), 0);
}

// The first child of `parent` whose text starts with `prefix`.
inline ui::TreeItem ChildOf(const ui::Tree& tree, ui::TreeItem parent, std::u16string_view prefix) {
  for (ui::TreeItem c = tree.child(parent); c != ui::kNoItem; c = tree.nextSibling(c))
    if (tree.text(c).starts_with(prefix)) return c;
  ADD_FAILURE() << "no item " << platform::Utf16ToAnsi(prefix);
  return ui::kNoItem;
}

class MainWindowTest : public ::testing::Test {
 public:
  // Lays out the installation of `options`, once; the program folder is the installation's.
  void Install() {
    if (!install.base.empty()) return;
    install = fixtures::BuildSoldatInstall(dir.path(), options);
    state.programFolder = install.programFolder;
    state.tempFolder = dir.path();
  }
  void WriteSetting(std::u16string_view key, std::u16string_view value) {
    Install();
    ASSERT_TRUE(platform::WriteIniString(SettingsFilePath(state), u"Settings", key, value));
  }
  // Installs, writes the tool paths that exist into the settings file, builds the window and
  // runs start-up with `arguments` after the program's name; message boxes are answered OK.
  std::optional<int> Launch(std::vector<std::u16string> arguments = {}) {
    Install();
    if (options.soldatExe) WriteSetting(u"SoldatPath", install.soldatExe);
    if (options.winRar) WriteSetting(u"WinRARPath", install.winRarExe);
    main = std::make_unique<app::MainWindow>(state);
    if (!app::CreateMainWindow(*main, GetModuleHandleW(nullptr))) return -1;  // no window
    AnswerMessages(IDOK);
    if (!arguments.empty()) arguments.insert(arguments.begin(), u"Soldat ZEK.exe");
    main->arguments = std::move(arguments);
    const std::optional<int> exitCode = app::RunStartup(*main);
    Pump();
    return exitCode;
  }
  void Start() { ASSERT_EQ(Launch(), std::nullopt); }
  void AnswerMessages(int answer) {
    main->controls.answerMessageBox = [this, answer](UINT, std::u16string_view text) {
      messages.emplace_back(text);
      return answer;
    };
  }
  // Runs the queued messages; a quit request is remembered, not obeyed.
  void Pump() {
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) {
      if (m.message == WM_QUIT)
        quitRequested = true;
      else
        TranslateMessage(&m), DispatchMessageW(&m);
    }
  }

  HWND Control(ui::Slot slot) const { return main->slot(slot); }
  std::u16string Text(ui::Slot slot) const {
    wchar_t buffer[512] = {};
    return platform::detail::FromWide(buffer,
                                      std::size_t(GetWindowTextW(Control(slot), buffer, 512)));
  }
  void Click(ui::Slot slot) { SendMessageW(Control(slot), BM_CLICK, 0, 0); }
  // A control's box in the main window's client area; the main window's own on the screen.
  ui::Box BoxOf(HWND window) const {
    RECT r{};
    GetWindowRect(window, &r);
    if (window != main->window)
      MapWindowPoints(nullptr, main->window, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  // With the mouse messages of a click.
  void ClickTab(int tab) {
    RECT item{};
    SendMessageW(main->tabControl, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(main->tabControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(main->tabControl, WM_LBUTTONUP, 0, at);
    Pump();
  }
  int CurrentTab() const { return int(SendMessageW(main->tabControl, TCM_GETCURSEL, 0, 0)); }
  std::vector<int> VisibleSlots() const {
    std::vector<int> visible;
    for (int i = 0; i < ui::kSlotCount; ++i)
      if (IsWindowVisible(main->slots[i])) visible.push_back(i);
    return visible;
  }

  // A tree view's notification to its parent, the main window.
  static LRESULT Notify(app::Win32Tree& tree, UINT code, NMHDR& header) {
    header = {tree.control(), static_cast<UINT_PTR>(GetDlgCtrlID(tree.control())), code};
    return SendMessageW(GetParent(tree.control()), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
  }
  // With the mouse on the item, or below the last item for kNoItem.
  void RightClick(app::Win32Tree& tree, ui::TreeItem item) { Click(tree, item, NM_RCLICK); }
  void DoubleClick(app::Win32Tree& tree, ui::TreeItem item) { Click(tree, item, NM_DBLCLK); }
  void Click(app::Win32Tree& tree, ui::TreeItem item, UINT code) {
    RECT r{};
    GetClientRect(tree.control(), &r);
    POINT p{r.right / 2, r.bottom - 2};
    if (item != ui::kNoItem) {
      tree.ensureVisible(item);
      *reinterpret_cast<HTREEITEM*>(&r) = app::Win32Tree::Handle(item);
      ASSERT_TRUE(
          SendMessageW(tree.control(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
      p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    ClientToScreen(tree.control(), &p);
    ASSERT_TRUE(SetCursorPos(p.x, p.y));
    NMHDR header{};
    Notify(tree, code, header);
  }
  // The info tip the window gives; empty for none.
  std::u16string Tip(app::Win32Tree& tree, ui::TreeItem item) {
    wchar_t buffer[1024] = {};
    NMTVGETINFOTIPW tip{{}, buffer, 1024, app::Win32Tree::Handle(item), 0};
    EXPECT_EQ(Notify(tree, TVN_GETINFOTIPW, tip.hdr), 0);
    return platform::detail::FromWide(tip.pszText, wcslen(tip.pszText));
  }
  void Key(app::Win32Tree& tree, ui::TreeItem item, WPARAM key) {
    tree.select(item);
    SendMessageW(tree.control(), WM_KEYDOWN, key, 0);
    Pump();
  }

  testsupport::TempDir dir;
  fixtures::SoldatInstallOptions options = fixtures::StandardInstall();
  fixtures::SoldatInstall install;
  AppState state;
  std::unique_ptr<app::MainWindow> main;
  std::vector<std::u16string> messages;
  bool quitRequested = false;
};

}  // namespace guitest
