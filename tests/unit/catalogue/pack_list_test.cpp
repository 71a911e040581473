#include "catalogue/pack_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "config/ui_text.h"
#include "support/fake_controls.h"
#include "ui/memory_tree.h"

namespace {

using Entries = std::initializer_list<std::pair<std::u16string_view, int>>;

// A catalogue laid out by hand and an empty pack list; rebuilds of the content are counted.
class PackList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.catalogueTree = &catalogue;
    state.packTree = &pack;
    state.rebuildArchiveContent = [this](AppState& s) { ++rebuilds, s.contentStale = false; };
    state.catalogueRoot = catalogue.insertLast(ui::kNoItem, {u"All maps ( 7 )"});
    recent = Group(u"Recent PW maps", {{u"ctf_Ash.PMS", 11}, {u"twin.PMS", 11}, {u"twin.PMS", 12}});
    ctf = Group(u"Capture The Flag",
                {{u"ctf_Ash.PMS", 11}, {u"ctf_Bay.PMS", 11}, {u"CTF_Cove.PMS", 11}});
    prefabs = Group(u"Prefabs", {{u"tower.PFB", 13}});
    ClearPackList(state);
    rebuilds = 0;
  }
  ui::TreeItem Group(std::u16string_view caption, Entries entries) {
    const ui::TreeItem group = catalogue.insertLast(state.catalogueRoot, {caption, 1, 1});
    for (const auto& [name, image] : entries) catalogue.insertLast(group, {name, image, image});
    return group;
  }
  ui::TreeItem Entry(ui::TreeItem group, int index) const {
    ui::TreeItem item = catalogue.child(group);
    while (index-- > 0) item = catalogue.nextSibling(item);
    return item;
  }
  void Add(ui::TreeItem item) {
    catalogue.select(item);
    AddToPackList(state);
  }
  // Whether the pack, save-mapslist and clear buttons are enabled, as "111" or "000".
  std::string Buttons() const {
    std::string out;
    for (ui::Slot s : {ui::Slot::packButton, ui::Slot::saveMapslistButton, ui::Slot::clearButton})
      out += controls.enabled(s) ? '1' : '0';
    return out;
  }

  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree catalogue;
  ui::MemoryTree pack;
  int rebuilds = 0;
  ui::TreeItem recent{}, ctf{}, prefabs{};
};

TEST_F(PackList, EntriesAndGroupsAddWhatIsNotChosenYetInAlphabeticalOrder) {
  for (ui::TreeItem item : {state.catalogueRoot, ui::kNoItem, Entry(prefabs, 0), Entry(ctf, 2),
                            Entry(ctf, 0), Entry(ctf, 0)})
    Add(item);
  EXPECT_EQ(rebuilds, 3);  // adding what is there, or nothing, changes nothing at all
  // The map from its game-mode group and from Recent PW maps is one entry; its uncompiled
  // source of the same name is another.
  Add(recent);
  Add(recent);  // adds nothing but still relabels
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 5 ) [2/2] +\n  ctf_Ash.PMS [11/11]\n  CTF_Cove.PMS [11/11]\n"
            "  tower.PFB [13/13]\n  twin.PMS [11/11]\n  twin.PMS [12/12]\n");
  EXPECT_EQ(state.packCount, 5);
  EXPECT_EQ(rebuilds, 5);
}

TEST_F(PackList, EqualNamesInAnyImageOrderAreRecognised) {
  // Another part inserted the two entries of one name in the other image order.
  pack.insertLast(state.packRoot, {u"TWIN.pms", 12, 12});
  pack.insertLast(state.packRoot, {u"twin.PMS", 11, 11});
  state.packCount = 2;
  Add(recent);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 3 ) [2/2] +\n  ctf_Ash.PMS [11/11]\n  TWIN.pms [12/12]\n"
            "  twin.PMS [11/11]\n");
}

TEST_F(PackList, RemovingAnEntryOrEverything) {
  Add(ctf);
  pack.select(pack.child(state.packRoot));
  RemovePackListItem(state);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 2 ) [2/2] +\n  ctf_Bay.PMS [11/11]\n  CTF_Cove.PMS [11/11]\n");

  pack.select(state.packRoot);
  RemovePackListItem(state);
  EXPECT_EQ(pack.outline(), "Maps to pack ( 0 ) [2/2]\n");
  EXPECT_EQ(pack.selected(), state.packRoot);
}

TEST_F(PackList, ButtonsNeedAnEntryAndContentIsRebuiltAtOnceBelowSixEntries) {
  const struct {
    int count;
    const char* buttons;
    bool rebuilt;
  } rows[] = {{0, "000", true}, {1, "111", true}, {5, "111", true}, {6, "111", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.count);
    state.packCount = row.count;
    const int before = rebuilds;
    UpdatePackListLabel(state);
    EXPECT_EQ(Buttons(), row.buttons);
    EXPECT_EQ(rebuilds - before, row.rebuilt ? 1 : 0);
    EXPECT_EQ(state.contentStale, !row.rebuilt);
  }
  state.rebuildArchiveContent = nullptr;  // nothing rebuilds it: it stays stale
  state.packCount = 1;
  UpdatePackListLabel(state);
  EXPECT_TRUE(state.contentStale);
}

TEST(PackListLabel, AStartWithoutToolPathsRelabelsBeforeThereIsARoot) {
  AppState state;
  ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
  ui::MemoryTree pack;
  state.packTree = &pack;
  UpdatePackListLabel(state);
  EXPECT_EQ(pack.outline(), "Maps to pack ( 0 ) [2/2]\n");
}

}  // namespace
