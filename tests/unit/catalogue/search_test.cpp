#include "catalogue/search.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_controls.h"
#include "ui/memory_tree.h"

namespace {

// A catalogue laid out by hand: the same map under Recent PW maps and under its game mode.
class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    state.controls = &controls;
    state.catalogueTree = &tree;
    root = tree.insertLast(ui::kNoItem, {u"All maps ( 4 )", 0, 0});
    state.catalogueRoot = root;
    recent = tree.insertLast(root, {u"Recent PW maps ( 1 )", 1, 1});
    ashRecent = tree.insertLast(recent, {u"ctf_Ash.PMS", 11, 11});
    ctf = tree.insertLast(root, {u"Capture The Flag ( 2 )", 1, 1});
    ash = tree.insertLast(ctf, {u"ctf_Ash.PMS", 11, 11});
    rotten = tree.insertLast(ctf, {u"CTF_Rotten.PMS", 11, 11});
    dm = tree.insertLast(root, {u"DeathMatch ( 1 )", 1, 1});
    tree.insertLast(dm, {u"Arena.PMS", 11, 11});
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
  ui::TreeItem root{}, recent{}, ashRecent{}, ctf{}, ash{}, rotten{}, dm{};
};

TEST_F(Search, MatchAfterMatchThenFoldUpAndStartOver) {
  EXPECT_EQ(Go(u"CTF"), ashRecent);  // Recent PW maps come first
  EXPECT_EQ(tree.lastEnsuredVisible(), ashRecent);
  EXPECT_TRUE(tree.expanded(recent));  // a collapsed group opens to show its match
  EXPECT_EQ(Go(u"CTF"), ash);
  EXPECT_EQ(Go(u"CTF"), rotten);
  EXPECT_EQ(state.mainSearchPos, 3);
  EXPECT_EQ(controls.beeps, 0);
  EXPECT_EQ(tree.focusShows(), 3);

  tree.setImages(ctf, 2, 2);
  EXPECT_EQ(Go(u"CTF"), root);
  EXPECT_EQ(controls.beeps, 1);
  EXPECT_EQ(state.mainSearchPos, 0);
  EXPECT_EQ(tree.lastEnsuredVisible(), root);
  for (const ui::TreeItem group : {recent, ctf, dm}) {
    EXPECT_FALSE(tree.expanded(group));
    EXPECT_EQ(tree.image(group), 1);
    EXPECT_EQ(tree.selectedImage(group), 1);
  }
  EXPECT_TRUE(tree.expanded(root));

  EXPECT_EQ(Go(u"CTF"), ashRecent);
  EXPECT_EQ(controls.beeps, 1);
}

TEST_F(Search, NewTextStartsAtItsFirstMatch) {
  Go(u"ash");
  EXPECT_EQ(Go(u"ash"), ash);
  EXPECT_EQ(Go(u"rotten"), rotten);
  EXPECT_EQ(state.mainSearchPos, 1);
}

TEST_F(Search, ChangedTreeKeepsTheCount) {
  EXPECT_EQ(Go(u"ctf_"), ashRecent);
  // The tree changes between presses: the next press shows the second match of the tree
  // as it is now.
  tree.deleteItem(ashRecent);
  EXPECT_EQ(Go(u"ctf_"), rotten);
}

TEST_F(Search, OnlyEntriesTwoLevelsDownAreSearched) {
  const ui::TreeItem deeper = tree.insertLast(rotten, {u"hidden.PMS", 11, 11});
  ASSERT_NE(deeper, ui::kNoItem);
  tree.select(ash);
  for (const std::u16string_view text : {u"maps ( ", u"All", u"hidden"}) {
    EXPECT_EQ(Go(text), root) << std::string(text.begin(), text.end());
  }
  EXPECT_EQ(controls.beeps, 3);
}

TEST_F(Search, EmptyTextChangesNothing) {
  tree.select(ash);
  state.mainSearchPos = 2;
  controls.setText(ui::Slot::mainSearchEdit, u"");
  SearchCatalogue(state);
  EXPECT_EQ(tree.selected(), ash);
  EXPECT_EQ(state.mainSearchPos, 2);
  EXPECT_EQ(controls.beeps, 0);
  EXPECT_EQ(tree.focusShows(), 0);
}

TEST_F(Search, LetterCaseIsIgnoredBeyondAscii) {
  const ui::TreeItem umlaut = tree.insertLast(dm, {u"dm_\u00C4rger.PMS", 11, 11});
  EXPECT_EQ(Go(u"\u00E4RGER"), umlaut);
}

TEST_F(Search, ContentTreeKeepsTheImagesOfItsLeaves) {
  ui::MemoryTree content;
  const ui::TreeItem top = content.insertLast(ui::kNoItem, {u"Archive content", 0, 0});
  const ui::TreeItem textures = content.insertLast(top, {u"Textures ( 1 )", 2, 2});
  const ui::TreeItem rock = content.insertLast(textures, {u"rock.bmp", 5, 5});
  const ui::TreeItem mapslist = content.insertLast(top, {u"mapslist.txt", 4, 4});
  content.expand(textures);
  controls.setText(ui::Slot::contentSearchEdit, u"ROCK");

  SearchTree(state, ui::Slot::contentSearchEdit, content, top, state.contentSearchPos);
  EXPECT_EQ(content.selected(), rock);
  EXPECT_EQ(state.contentSearchPos, 1);
  EXPECT_EQ(state.mainSearchPos, 0);

  SearchTree(state, ui::Slot::contentSearchEdit, content, top, state.contentSearchPos);
  EXPECT_EQ(content.selected(), top);
  EXPECT_EQ(content.image(textures), 1);
  EXPECT_FALSE(content.expanded(textures));
  EXPECT_EQ(content.image(mapslist), 4);

  state.contentSearchPos = 5;
  ResetSearch(state, ui::Slot::contentSearchEdit);
  EXPECT_EQ(state.contentSearchPos, 0);
}

}  // namespace
