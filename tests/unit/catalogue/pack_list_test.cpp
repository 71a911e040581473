#include "catalogue/pack_list.h"

#include <gtest/gtest.h>

#include <string>

#include "config/ui_text.h"
#include "support/fake_controls.h"
#include "ui/memory_tree.h"

namespace {

// A catalogue laid out by hand and an empty pack list; every rebuild of the archive content
// is counted.
class PackList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.catalogueTree = &catalogue;
    state.packTree = &pack;
    state.rebuildArchiveContent = [this](AppState& s) {
      ++rebuilds;
      s.contentStale = false;
    };

    root = catalogue.insertLast(ui::kNoItem, {u"All maps ( 4 )", 0, 0});
    state.catalogueRoot = root;
    recent = catalogue.insertLast(root, {u"Recent PW maps ( 3 )", 1, 1});
    catalogue.insertLast(recent, {u"ctf_Ash.PMS", 11, 11});
    catalogue.insertLast(recent, {u"twin.PMS", 11, 11});
    catalogue.insertLast(recent, {u"twin.PMS", 12, 12});
    ctf = catalogue.insertLast(root, {u"Capture The Flag ( 3 )", 1, 1});
    ash = catalogue.insertLast(ctf, {u"ctf_Ash.PMS", 11, 11});
    catalogue.insertLast(ctf, {u"ctf_Bay.PMS", 11, 11});
    catalogue.insertLast(ctf, {u"CTF_Cove.PMS", 11, 11});
    prefabs = catalogue.insertLast(root, {u"Prefabs ( 1 )", 1, 1});
    tower = catalogue.insertLast(prefabs, {u"tower.PFB", 13, 13});

    ClearPackList(state);
    rebuilds = 0;
  }

  void Add(ui::TreeItem item) {
    catalogue.select(item);
    AddToPackList(state);
  }
  std::string Caption() const {
    const std::u16string text = pack.text(state.packRoot);
    return {text.begin(), text.end()};
  }

  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree catalogue;
  ui::MemoryTree pack;
  int rebuilds = 0;
  ui::TreeItem root{}, recent{}, ctf{}, ash{}, prefabs{}, tower{};
};

TEST_F(PackList, AnEntryIsChosenOnce) {
  Add(ash);
  Add(ash);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 1 ) [2/2] +\n"
            "  ctf_Ash.PMS [11/11]\n");
  EXPECT_EQ(state.packCount, 1);
  EXPECT_EQ(rebuilds, 1);  // the second press changed nothing at all
}

TEST_F(PackList, EntriesStayInAlphabeticalOrder) {
  Add(tower);
  Add(catalogue.child(ctf));
  Add(catalogue.nextSibling(catalogue.nextSibling(catalogue.child(ctf))));
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 3 ) [2/2] +\n"
            "  ctf_Ash.PMS [11/11]\n"
            "  CTF_Cove.PMS [11/11]\n"
            "  tower.PFB [13/13]\n");
}

TEST_F(PackList, GroupsAddWhatIsNotChosenYet) {
  Add(ash);
  Add(recent);
  // The map from its game-mode group and from Recent PW maps is one entry; its uncompiled
  // source of the same name is another.
  EXPECT_EQ(state.packCount, 3);
  EXPECT_EQ(Caption(), "Maps to pack ( 3 )");
  ui::TreeItem e = pack.child(state.packRoot);
  EXPECT_EQ(pack.text(e), u"ctf_Ash.PMS");
  e = pack.nextSibling(e);
  const int first = pack.image(e);
  EXPECT_EQ(pack.text(e), u"twin.PMS");
  e = pack.nextSibling(e);
  EXPECT_EQ(pack.text(e), u"twin.PMS");
  EXPECT_EQ(first + pack.image(e), 11 + 12);
  EXPECT_EQ(pack.selectedImage(e), pack.image(e));

  // A group whose entries are all chosen adds nothing but still relabels.
  const int before = rebuilds;
  Add(recent);
  EXPECT_EQ(state.packCount, 3);
  EXPECT_EQ(pack.childCount(state.packRoot), 3);
  EXPECT_EQ(rebuilds, before + 1);
}

TEST_F(PackList, EqualNamesInAnyImageOrderAreRecognised) {
  // The pack list got its two entries of the same name in the other image order (another
  // part inserted them); adding the group must still find both.
  pack.insertLast(state.packRoot, {u"TWIN.pms", 12, 12});
  pack.insertLast(state.packRoot, {u"twin.PMS", 11, 11});
  state.packCount = 2;
  Add(recent);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 3 ) [2/2] +\n"
            "  ctf_Ash.PMS [11/11]\n"
            "  TWIN.pms [12/12]\n"
            "  twin.PMS [11/11]\n");
}

TEST_F(PackList, TheCatalogueRootOrNothingAddsNothing) {
  Add(root);
  catalogue.select(ui::kNoItem);
  AddToPackList(state);
  EXPECT_EQ(state.packCount, 0);
  EXPECT_EQ(pack.childCount(state.packRoot), 0);
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(PackList, RemovingAnEntryOrEverything) {
  Add(ctf);
  Add(tower);
  ASSERT_EQ(state.packCount, 4);

  pack.select(ui::kNoItem);
  RemovePackListItem(state);
  EXPECT_EQ(state.packCount, 4);

  pack.select(pack.child(state.packRoot));
  RemovePackListItem(state);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 3 ) [2/2] +\n"
            "  ctf_Bay.PMS [11/11]\n"
            "  CTF_Cove.PMS [11/11]\n"
            "  tower.PFB [13/13]\n");

  pack.select(state.packRoot);
  RemovePackListItem(state);
  EXPECT_EQ(pack.outline(), "Maps to pack ( 0 ) [2/2]\n");
  EXPECT_EQ(state.packCount, 0);
  EXPECT_EQ(pack.selected(), state.packRoot);
}

TEST_F(PackList, ButtonsNeedAnEntry) {
  const ui::Slot buttons[] = {ui::Slot::packButton, ui::Slot::saveMapslistButton,
                              ui::Slot::clearButton};
  for (const ui::Slot b : buttons) EXPECT_FALSE(controls.enabled(b));
  Add(ash);
  for (const ui::Slot b : buttons) EXPECT_TRUE(controls.enabled(b));
  ClearPackList(state);
  for (const ui::Slot b : buttons) EXPECT_FALSE(controls.enabled(b));
  EXPECT_EQ(Caption(), "Maps to pack ( 0 )");
}

TEST_F(PackList, ContentIsRebuiltAtOnceOnlyBelowSixEntries) {
  Add(ctf);
  Add(tower);
  Add(catalogue.child(recent));  // already there: no change at all
  Add(catalogue.nextSibling(catalogue.child(recent)));
  EXPECT_EQ(state.packCount, 5);
  EXPECT_EQ(rebuilds, 3);
  EXPECT_FALSE(state.contentStale);

  Add(catalogue.nextSibling(catalogue.nextSibling(catalogue.child(recent))));
  EXPECT_EQ(state.packCount, 6);
  EXPECT_EQ(rebuilds, 3);
  EXPECT_TRUE(state.contentStale);

  pack.select(pack.child(state.packRoot));
  RemovePackListItem(state);
  EXPECT_EQ(state.packCount, 5);
  EXPECT_EQ(rebuilds, 4);
  EXPECT_FALSE(state.contentStale);
}

TEST_F(PackList, WithoutARebuildTheContentStaysStale) {
  state.rebuildArchiveContent = nullptr;
  Add(ash);
  EXPECT_TRUE(state.contentStale);
}

TEST_F(PackList, OtherPartsInsertAndRelabel) {
  // Loading a mapslist or the command line insert entries themselves, keep the count and
  // then relabel; a start without valid tool paths relabels before any refresh.
  AppState fresh;
  ASSERT_TRUE(LoadBuiltinRuntimeUiText(fresh));
  ui::MemoryTree freshPack;
  fresh.packTree = &freshPack;
  UpdatePackListLabel(fresh);
  EXPECT_EQ(freshPack.outline(), "Maps to pack ( 0 ) [2/2]\n");

  pack.insertFirst(state.packRoot, {u"ctf_Ash.PMS", 11, 11});
  state.packCount = 1;
  UpdatePackListLabel(state);
  EXPECT_EQ(Caption(), "Maps to pack ( 1 )");
  EXPECT_TRUE(controls.enabled(ui::Slot::packButton));
  EXPECT_EQ(rebuilds, 1);
}

}  // namespace
