// The tree view behind the Tree seam behaves as the memory tree that the unit tests use:
// the same operations leave both in the same state, and the catalogue, pack list and search
// give the same results on either.
#include "app/win32_tree.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "catalogue/search.h"
#include "config/ui_text.h"
#include "support/fake_controls.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using ui::kNoItem;
using ui::TreeItem;

// A hidden popup window holding one tree view with the program's tree styles.
class TreeWindow {
 public:
  TreeWindow() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 450, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    control_ = CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_INFOTIP,
        0, 0, 282, 425, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
    tree.attach(control_);
  }
  ~TreeWindow() { DestroyWindow(parent_); }
  TreeWindow(const TreeWindow&) = delete;
  TreeWindow& operator=(const TreeWindow&) = delete;

  bool ok() const { return control_ != nullptr; }
  app::Win32Tree tree;

 private:
  HWND parent_ = nullptr;
  HWND control_ = nullptr;
};

// Everything the seam tells about a tree, one item per line; the selection is marked '*'.
void DumpLevel(const ui::Tree& tree, TreeItem first, int depth, std::string& out) {
  for (TreeItem item = first; item != kNoItem; item = tree.nextSibling(item)) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    for (const char16_t c : tree.text(item)) out.push_back(c < 0x80 ? char(c) : '?');
    out += " [" + std::to_string(tree.image(item)) + "/" +
           std::to_string(tree.selectedImage(item)) + "]";
    if (tree.expanded(item)) out += " +";
    if (tree.overlay(item) != 0) out += " o" + std::to_string(tree.overlay(item));
    if (tree.selected() == item) out += " *";
    out += " (" + std::to_string(tree.childCount(item)) + ")\n";
    if (tree.child(item) != kNoItem && tree.parent(tree.child(item)) != item) out += "!parent\n";
    DumpLevel(tree, tree.child(item), depth + 1, out);
  }
}

std::string Dump(const ui::Tree& tree) {
  std::string out;
  DumpLevel(tree, tree.root(), 0, out);
  return out;
}

class Win32TreeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.ok()); }

  // Runs the same steps on both trees and compares them.
  void Both(const std::function<void(ui::Tree&)>& steps) {
    steps(memory);
    steps(window.tree);
    EXPECT_EQ(Dump(window.tree), Dump(memory));
  }

  TreeWindow window;
  ui::MemoryTree memory;
};

TEST_F(Win32TreeTest, InsertWalkAndChangeItems) {
  Both([](ui::Tree& t) {
    const TreeItem top = t.insertLast(kNoItem, {u"top", 0, 0});
    const TreeItem b = t.insertLast(top, {u"b", 11, 12});
    t.insertFirst(top, {u"a", 11, 11, 1});
    const TreeItem d = t.insertLast(top, {u"d", 13, 13, 3});
    t.insertAfter(top, b, {u"c", 5, 5, 2});
    t.setText(b, u"b renamed");
    t.setImages(d, 1, 2);
    t.setOverlay(b, 2);
    t.setOverlay(d, 0);
    t.insertLast(kNoItem, {u"second top", 4, 4});
  });
  const TreeItem top = window.tree.root();
  EXPECT_EQ(window.tree.text(window.tree.child(top), 0), u"");
  EXPECT_EQ(window.tree.text(window.tree.nextSibling(window.tree.child(top)), 3), u"b r");
  EXPECT_EQ(window.tree.parent(top), kNoItem);
  EXPECT_EQ(window.tree.child(kNoItem), kNoItem);
}

TEST_F(Win32TreeTest, LongTextIsReadUpToTheLimit) {
  const std::u16string longText(300, u'x');
  const TreeItem item = window.tree.insertLast(kNoItem, {longText, 0, 0});
  EXPECT_EQ(window.tree.text(item), longText.substr(0, ui::kMaxItemText));
  EXPECT_EQ(window.tree.text(item, 64), longText.substr(0, 64));
}

TEST_F(Win32TreeTest, SortExpandSelectAndDelete) {
  Both([](ui::Tree& t) {
    const TreeItem top = t.insertLast(kNoItem, {u"top", 0, 0});
    const TreeItem g = t.insertLast(top, {u"Zeta", 1, 1});
    t.insertLast(g, {u"b", 0, 0});
    t.insertLast(g, {u"A", 0, 0});
    t.insertLast(top, {u"beta", 0, 0});
    t.insertLast(top, {u"alpha", 0, 0});
    const TreeItem empty = t.insertLast(top, {u"Empty", 1, 1});
    t.sortChildren(top);
    t.expand(top);
    t.expand(empty);       // nothing to open
    t.select(t.child(g));  // opens the collapsed group
  });
  Both([](ui::Tree& t) {
    const TreeItem top = t.root();
    TreeItem zeta = t.child(top);
    while (t.text(zeta) != u"Zeta") zeta = t.nextSibling(zeta);
    t.collapse(zeta);
    t.ensureVisible(t.child(zeta));
    t.deleteItem(t.selected());  // the selection moves on
  });
  Both([](ui::Tree& t) {
    t.select(t.root());
    t.deleteItem(t.child(t.root()));
    t.select(kNoItem);
  });
  Both([](ui::Tree& t) { t.deleteAll(); });
  EXPECT_EQ(window.tree.root(), kNoItem);
}

// The catalogue, the pack list and the search run on both kinds of tree alike.
TEST_F(Win32TreeTest, CatalogueOperationsAgree) {
  testsupport::TempDir dir;
  dir.folder(u"maps");
  const std::u16string maps = dir.path() + u"maps\\";
  for (const auto* name : {u"ctf_Ash.PMS", u"CTF_bay.pms", u"ctf_Cove.PMS", u"Arena.PMS",
                           u"inf_Moon.PMS", u"inf_moon2.PMS", u"htf_Void.PMS"}) {
    testsupport::WriteBytes(maps + name, testsupport::PmsBytes({}));
  }

  struct Side {
    AppState state;
    testsupport::FakeControls controls;
  };
  Side sides[2];
  TreeWindow packWindow;
  ui::MemoryTree memoryPack;
  ui::Tree* catalogues[2] = {&memory, &window.tree};
  ui::Tree* packs[2] = {&memoryPack, &packWindow.tree};
  for (int i = 0; i < 2; ++i) {
    AppState& state = sides[i].state;
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &sides[i].controls;
    state.catalogueTree = catalogues[i];
    state.packTree = packs[i];
    state.kindFolders[kKindMap] = maps;
    RefreshCatalogue(state);
  }
  EXPECT_EQ(Dump(window.tree), Dump(memory));
  EXPECT_EQ(Dump(packWindow.tree), Dump(memoryPack));

  // Choose the Capture The Flag group and one Infiltration map.
  for (int i = 0; i < 2; ++i) {
    AppState& state = sides[i].state;
    ui::Tree& tree = *state.catalogueTree;
    tree.select(state.catalogueGroups[kFirstGameModeGroup + 1]);
    AddToPackList(state);
    tree.select(tree.child(state.catalogueGroups[kFirstGameModeGroup + 3]));
    AddToPackList(state);
    AddToPackList(state);
  }
  EXPECT_EQ(Dump(packWindow.tree), Dump(memoryPack));

  // Search 'moon' through both matches and past the end.
  for (int press = 0; press < 3; ++press) {
    for (int i = 0; i < 2; ++i) {
      sides[i].controls.setText(ui::Slot::mainSearchEdit, u"MOON");
      SearchCatalogue(sides[i].state);
    }
    EXPECT_EQ(window.tree.text(window.tree.selected()), memory.text(memory.selected()));
    EXPECT_EQ(sides[0].state.mainSearchPos, sides[1].state.mainSearchPos);
  }
  EXPECT_EQ(sides[1].controls.beeps, 1);
  EXPECT_EQ(Dump(window.tree), Dump(memory));

  // Remove the selected pack entry on both.
  for (int i = 0; i < 2; ++i) {
    ui::Tree& pack = *packs[i];
    pack.select(pack.child(sides[i].state.packRoot));
    RemovePackListItem(sides[i].state);
  }
  EXPECT_EQ(Dump(packWindow.tree), Dump(memoryPack));
}

// Entries of one name with different images: whatever order the control's sort leaves them
// in, a group adds only what the pack list lacks.
TEST_F(Win32TreeTest, SameNamesWithOtherImagesAreNotAddedTwice) {
  TreeWindow packWindow;
  AppState state;
  testsupport::FakeControls controls;
  ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
  state.controls = &controls;
  state.catalogueTree = &window.tree;
  state.packTree = &packWindow.tree;
  ui::Tree& catalogue = window.tree;
  state.catalogueRoot = catalogue.insertLast(kNoItem, {u"All maps ( 0 )", 0, 0});
  const TreeItem recent = catalogue.insertLast(state.catalogueRoot, {u"Recent", 1, 1});
  catalogue.insertLast(recent, {u"TWIN.pms", 12, 12});
  catalogue.insertLast(recent, {u"other.PMS", 11, 11});
  catalogue.insertLast(recent, {u"twin.PMS", 11, 11});
  catalogue.insertLast(recent, {u"other.PMS", 12, 12});
  catalogue.sortChildren(recent);
  ClearPackList(state);

  // One entry first, so that the pack list's order of equal names is its own.
  catalogue.select(catalogue.child(recent));
  AddToPackList(state);
  catalogue.select(recent);
  AddToPackList(state);
  AddToPackList(state);
  EXPECT_EQ(state.packCount, 4);
  EXPECT_EQ(packWindow.tree.childCount(state.packRoot), 4);
  EXPECT_EQ(packWindow.tree.text(state.packRoot), u"Maps to pack ( 4 )");
}

}  // namespace
