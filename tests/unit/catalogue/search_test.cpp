#include "catalogue/search.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_controls.h"
#include "ui/memory_tree.h"

namespace {

// A catalogue laid out by hand: the same map under Recent PW maps and under its game mode,
// one entry a level deeper than entries lie and a top-level item without children.
class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    state.controls = &controls;
    state.catalogueTree = &tree;
    root = state.catalogueRoot = tree.insertLast(ui::kNoItem, {u"All maps ( 4 )", 0, 0});
    const ui::TreeItem recent = tree.insertLast(root, {u"Recent PW maps ( 1 )", 1, 1});
    ashRecent = tree.insertLast(recent, {u"ctf_Ash.PMS", 11, 11});
    const ui::TreeItem ctf = tree.insertLast(root, {u"Capture The Flag ( 2 )", 2, 2});
    ash = tree.insertLast(ctf, {u"ctf_Ash.PMS", 11, 11});
    rotten = tree.insertLast(ctf, {u"CTF_Rotten.PMS", 11, 11});
    tree.insertLast(rotten, {u"hidden.PMS", 11, 11});
    const ui::TreeItem dm = tree.insertLast(root, {u"DeathMatch ( 1 )", 1, 1});
    umlaut = tree.insertLast(dm, {u"dm_\u00C4rger.PMS", 11, 11});
    tree.insertLast(root, {u"mapslist.txt", 4, 4});  // as in the archive content
    tree.expand(root);
  }

  ui::TreeItem Go(std::u16string_view text) {
    if (controls.text(ui::Slot::mainSearchEdit) != text) {
      controls.setText(ui::Slot::mainSearchEdit, text);
      ResetSearch(state, ui::Slot::mainSearchEdit);  // as the edit's change notification does
    }
    SearchCatalogue(state);
    return tree.selected();
  }

  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree tree;
  ui::TreeItem root{}, ashRecent{}, ash{}, rotten{}, umlaut{};
};

TEST_F(Search, MatchAfterMatchThenFoldUpBeepAndStartOver) {
  // Recent PW maps come first, an empty text does nothing, a new text starts at its first
  // match, and only entries two levels down are searched.
  const struct {
    std::u16string_view text;
    ui::TreeItem shown;
    int beeps;
  } presses[] = {{u"CTF", ashRecent, 0},     {u"CTF", ash, 0},       {u"CTF", rotten, 0},
                 {u"CTF", root, 1},          {u"CTF", ashRecent, 1}, {u"ash", ashRecent, 1},
                 {u"ash", ash, 1},           {u"", ash, 1},          {u"rotten", rotten, 1},
                 {u"\u00E4RGER", umlaut, 1}, {u"hidden", root, 2},   {u"All", root, 3}};
  for (std::size_t i = 0; i < std::size(presses); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Go(presses[i].text), presses[i].shown);
    EXPECT_EQ(tree.lastEnsuredVisible(), presses[i].shown);
    EXPECT_EQ(controls.beeps, presses[i].beeps);
  }
  EXPECT_EQ(tree.focusShows(), 11);
  EXPECT_EQ(state.mainSearchPos, 0);
  // Folded up: every group closed with its closed image, the root still open; the item
  // without children keeps its own image.
  EXPECT_EQ(tree.outline(),
            "All maps ( 4 ) [0/0] +\n  Recent PW maps ( 1 ) [1/1]\n    ctf_Ash.PMS [11/11]\n"
            "  Capture The Flag ( 2 ) [1/1]\n    ctf_Ash.PMS [11/11]\n    CTF_Rotten.PMS [11/11]\n"
            "      hidden.PMS [11/11]\n  DeathMatch ( 1 ) [1/1]\n    dm_?rger.PMS [11/11]\n"
            "  mapslist.txt [4/4]\n");
}

TEST_F(Search, ChangedTreeKeepsTheCount) {
  EXPECT_EQ(Go(u"ctf_"), ashRecent);
  tree.deleteItem(ashRecent);
  EXPECT_EQ(Go(u"ctf_"), rotten);  // the second match of the tree as it is now
}

}  // namespace
