#include "main_window_fixture.h"

#include "config/settings_file.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace guitest {

std::u16string WindowText(HWND window) {
  wchar_t buffer[512] = {};
  const int n = GetWindowTextW(window, buffer, 512);
  return platform::detail::FromWide(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

namespace {

void OutlineLevel(const ui::Tree& tree, ui::TreeItem first, int depth, std::string& out) {
  for (ui::TreeItem i = first; i != ui::kNoItem; i = tree.nextSibling(i)) {
    out += std::string(2 * depth, ' ') + platform::Utf16ToAnsi(tree.text(i)) + ' ' +
           std::to_string(tree.image(i));
    if (tree.selectedImage(i) != tree.image(i)) out += '/' + std::to_string(tree.selectedImage(i));
    if (tree.overlay(i) != 0) out += '^' + std::to_string(tree.overlay(i));
    out += std::string(tree.expanded(i) ? " +" : "") + (tree.selected() == i ? " *" : "") + '\n';
    const ui::TreeItem child = tree.child(i);
    if (child != ui::kNoItem && tree.parent(child) != i) out += "(wrong parent)\n";
    OutlineLevel(tree, child, depth + 1, out);
  }
}

// A tree view's notification to its parent, the main window.
LRESULT Notify(app::Win32Tree& tree, UINT code, NMHDR& header) {
  header = {tree.control(), static_cast<UINT_PTR>(GetDlgCtrlID(tree.control())), code};
  return SendMessageW(GetParent(tree.control()), WM_NOTIFY, header.idFrom,
                      reinterpret_cast<LPARAM>(&header));
}

}  // namespace

std::string Outline(const ui::Tree& tree) {
  std::string out;
  OutlineLevel(tree, tree.root(), 0, out);
  return out;
}

ui::TreeItem ChildOf(const ui::Tree& tree, ui::TreeItem parent, std::u16string_view prefix) {
  for (ui::TreeItem c = tree.child(parent); c != ui::kNoItem; c = tree.nextSibling(c))
    if (tree.text(c).starts_with(prefix)) return c;
  ADD_FAILURE() << "no item " << platform::Utf16ToAnsi(prefix);
  return ui::kNoItem;
}

void MainWindowTest::Install() {
  if (installed) return;
  installed = true;
  install = fixtures::BuildSoldatInstall(dir.path(), options);
  // The test program lies elsewhere: the program folder is the installation's.
  state.programFolder = install.programFolder;
  state.tempFolder = dir.path();
}

void MainWindowTest::Start() {
  Install();
  if (options.soldatExe) WriteSetting(u"SoldatPath", install.soldatExe);
  if (options.winRar) WriteSetting(u"WinRARPath", install.winRarExe);
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

void MainWindowTest::WriteSetting(std::u16string_view key, std::u16string_view value) {
  Install();
  ASSERT_TRUE(platform::WriteIniString(SettingsFilePath(state), u"Settings", key, value));
}

ui::Box MainWindowTest::BoxOf(HWND control) const {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, main->window, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

ui::Box MainWindowTest::WindowBox() const {
  RECT r{};
  GetWindowRect(main->window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MainWindowTest::SetWindowHeight(int height) {
  const ui::Box b = WindowBox();
  SetWindowPos(main->window, nullptr, b.x, b.y, b.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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

std::vector<int> MainWindowTest::VisibleSlots() const {
  std::vector<int> visible;
  for (int i = 0; i < ui::kSlotCount; ++i)
    if (IsWindowVisible(main->slots[i])) visible.push_back(i);
  return visible;
}

void MainWindowTest::RightClick(app::Win32Tree& tree, ui::TreeItem item) {
  RECT r{};
  GetClientRect(tree.control(), &r);
  POINT p{r.right / 2, r.bottom - 2};
  if (item != ui::kNoItem) {
    tree.ensureVisible(item);
    *reinterpret_cast<HTREEITEM*>(&r) = app::Win32Tree::Handle(item);
    ASSERT_TRUE(SendMessageW(tree.control(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  ClientToScreen(tree.control(), &p);
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  NMHDR header{};
  Notify(tree, NM_RCLICK, header);
}

std::u16string MainWindowTest::Tip(app::Win32Tree& tree, ui::TreeItem item) {
  wchar_t buffer[1024] = {};
  NMTVGETINFOTIPW tip{{}, buffer, 1024, app::Win32Tree::Handle(item), 0};
  EXPECT_EQ(Notify(tree, TVN_GETINFOTIPW, tip.hdr), 0);
  return platform::detail::FromWide(tip.pszText, wcslen(tip.pszText));
}

void MainWindowTest::Key(app::Win32Tree& tree, ui::TreeItem item, WPARAM key) {
  tree.select(item);
  SendMessageW(tree.control(), WM_KEYDOWN, key, 0);
  Pump();
}

}  // namespace guitest
