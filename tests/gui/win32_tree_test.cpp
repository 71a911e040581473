// The tree view behind the Tree seam behaves as the memory tree that the unit tests use: the
// same steps leave both alike, and the catalogue, pack list and search agree on either.
#include "app/win32_tree.h"

#include "catalogue/catalogue.h"
#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "catalogue/search.h"
#include "config/ui_text.h"
#include "main_window_fixture.h"
#include "support/fake_controls.h"
#include "fixtures/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using guitest::Outline;
using ui::kNoItem;
using ui::TreeItem;

// A hidden tree view with the program's tree styles.
struct TreeWindow {
  TreeWindow() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 450, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    tree.attach(CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_INFOTIP,
        0, 0, 282, 425, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
  }
  ~TreeWindow() { DestroyWindow(parent); }
  HWND parent;
  app::Win32Tree tree;
};

TEST(Win32Tree, TheSameStepsLeaveItAsTheMemoryTree) {
  TreeWindow window;
  ui::MemoryTree memory;
  ASSERT_NE(window.tree.control(), nullptr);
  const auto both = [&](auto&& steps) {
    steps(memory);
    steps(window.tree);
    EXPECT_EQ(Outline(window.tree), Outline(memory));
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
  const TreeItem item = window.tree.insertLast(kNoItem, {longText, 0, 0});
  EXPECT_EQ(window.tree.text(item), longText.substr(0, ui::kMaxItemText));
  EXPECT_EQ(window.tree.text(item, 64), longText.substr(0, 64));
  window.tree.deleteAll();
  EXPECT_EQ(window.tree.root(), kNoItem);
}

TEST(Win32Tree, CatalogueAndPackListAgreeOnBothTrees) {
  testsupport::TempDir dir;
  const std::u16string maps = dir.folder(u"maps");
  for (const auto* name : {u"ctf_Ash.PMS", u"CTF_bay.pms", u"ctf_Cove.PMS", u"Arena.PMS",
                           u"inf_Moon.PMS", u"inf_moon2.PMS", u"htf_Void.PMS"})
    fixtures::WriteBytes(maps + name, fixtures::PmsBytes({}));

  TreeWindow catalogueWindow, packWindow;
  ui::MemoryTree memoryCatalogue, memoryPack;
  ui::Tree* catalogues[2] = {&memoryCatalogue, &catalogueWindow.tree};
  ui::Tree* packs[2] = {&memoryPack, &packWindow.tree};
  AppState states[2];
  testsupport::FakeControls controls[2];
  const auto both = [&](auto&& steps) {
    for (int i = 0; i < 2; ++i) steps(states[i], controls[i]);
    EXPECT_EQ(Outline(catalogueWindow.tree), Outline(memoryCatalogue));
    EXPECT_EQ(Outline(packWindow.tree), Outline(memoryPack));
    EXPECT_EQ(states[0].mainSearchPos, states[1].mainSearchPos);
  };
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(LoadGameModeFilters(states[i]));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(states[i]));
    states[i].controls = &controls[i];
    states[i].catalogueTree = catalogues[i];
    states[i].packTree = packs[i];
    states[i].kindFolders[kKindMap] = maps;
  }
  both([](AppState& state, auto&) { RefreshCatalogue(state); });
  both([](AppState& state, auto&) {
    ui::Tree& tree = *state.catalogueTree;
    tree.select(tree.child(state.catalogueGroups[kFirstGameModeGroup + 3]));
    AddToPackList(state);
    tree.select(state.catalogueGroups[kFirstGameModeGroup + 1]);
    AddToPackList(state);
    AddToPackList(state);
  });
  for (int press = 0; press < 3; ++press) {  // through both matches and past the end
    both([](AppState& state, testsupport::FakeControls& c) {
      c.setText(ui::Slot::mainSearchEdit, u"MOON");
      SearchCatalogue(state);
    });
  }
  EXPECT_EQ(controls[1].beeps, 1);
}

}  // namespace
