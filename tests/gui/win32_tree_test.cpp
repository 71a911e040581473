// The tree view behind the Tree seam: the same steps leave it as the unit tests' memory tree.
#include "app/win32_tree.h"

#include "main_window_fixture.h"
#include "ui/memory_tree.h"

namespace {

using guitest::Outline;
using ui::kNoItem;
using ui::TreeItem;

TEST(Win32Tree, TheSameStepsLeaveItAsTheMemoryTree) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 450, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  app::Win32Tree tree(CreateWindowExW(
      0, WC_TREEVIEWW, L"",
      WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_INFOTIP, 0,
      0, 282, 425, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_NE(tree.control(), nullptr);
  ui::MemoryTree memory;
  const auto both = [&](auto&& steps) {
    steps(memory);
    steps(tree);
    EXPECT_EQ(Outline(tree), Outline(memory));
  };
  both([](ui::Tree& t) {
    const TreeItem top = t.insertLast(kNoItem, {u"top", 0, 0});
    const TreeItem zeta = t.insertLast(top, {u"Zeta", 11, 12});
    t.insertLast(zeta, {u"b", 0, 0});
    t.insertFirst(zeta, {u"A", 0, 0, 1});
    const TreeItem beta = t.insertLast(top, {u"beta", 13, 13, 3});
    t.insertAfter(top, zeta, {u"alpha", 5, 5, 2});
    const TreeItem empty = t.insertLast(top, {u"Empty", 1, 1});
    t.setText(beta, u"beta renamed");
    t.setImages(beta, 1, 2);
    t.setOverlay(zeta, 2);
    t.setOverlay(beta, 0);
    t.insertLast(kNoItem, {u"second top", 4, 4});
    t.sortChildren(top);
    t.expand(top);
    t.expand(empty);          // nothing to open
    t.select(t.child(zeta));  // opens the collapsed group
  });
  both([](ui::Tree& t) {
    TreeItem zeta = t.child(t.root());
    while (t.text(zeta) != u"Zeta") zeta = t.nextSibling(zeta);
    t.collapse(zeta);
    t.ensureVisible(t.child(zeta));
    t.deleteItem(t.selected());  // the selection moves on
  });
  both([](ui::Tree& t) {
    t.select(t.root());
    t.deleteItem(t.child(t.root()));
    t.select(kNoItem);
  });
  const std::u16string longText(300, u'x');
  const TreeItem item = tree.insertLast(kNoItem, {longText, 0, 0});
  EXPECT_EQ(tree.text(item), longText.substr(0, ui::kMaxItemText));
  EXPECT_EQ(tree.text(item, 64), longText.substr(0, 64));
  tree.deleteAll();
  EXPECT_EQ(tree.root(), kNoItem);
  DestroyWindow(parent);
}

}  // namespace
