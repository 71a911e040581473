#include "ui/memory_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ui::kNoItem;
using ui::MemoryTree;
using ui::TreeItem;

// What the window tests, which compare this tree with a tree view, do not reach.
TEST(MemoryTree, IgnoresUnknownHandlesAndDeletesSubtreesMovingTheSelectionAsTheTreeViewDoes) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem g1 = tree.insertLast(top, {u"g1", 1, 1});
  const TreeItem e1 = tree.insertLast(g1, {u"e1", 11, 11});
  const TreeItem g2 = tree.insertLast(top, {u"g2", 1, 1});
  const TreeItem g3 = tree.insertLast(top, {u"g3", 1, 1});
  const TreeItem second = tree.insertLast(kNoItem, {u"second", 0, 0});
  EXPECT_EQ(tree.insertAfter(kNoItem, e1, {u"x"}), kNoItem);  // under another parent
  EXPECT_EQ(tree.insertLast(9999, {u"x"}), kNoItem);
  tree.setText(9999, u"x");
  EXPECT_EQ(tree.itemCount(), 6);
  EXPECT_EQ(tree.text(9999) + tree.text(kNoItem), u"");
  EXPECT_EQ(tree.image(kNoItem) + tree.overlay(9999) + tree.childCount(9999), 0);
  EXPECT_EQ(tree.text(top, 2), u"to");

  // To the next sibling, else the parent, else (at the top level) the previous sibling.
  const struct {
    TreeItem selected, deleted, heir;
  } steps[] = {{e1, g1, g2}, {g3, g3, top}, {second, second, top}};
  for (const auto& step : steps) {
    tree.select(step.selected);
    tree.deleteItem(step.deleted);
    EXPECT_EQ(tree.selected(), step.heir) << step.deleted;
  }
  EXPECT_EQ(tree.outline(), "top [0/0] +\n  g2 [1/1]\n");
  EXPECT_EQ(tree.itemCount(), 2);

  tree.deleteAll();
  EXPECT_EQ(tree.root(), kNoItem);
  EXPECT_EQ(tree.selected(), kNoItem);
  // Handles from before never name a new item.
  EXPECT_NE(tree.insertLast(kNoItem, {u"fresh", 0, 0}), top);
  EXPECT_EQ(tree.insertLast(top, {u"x", 0, 0}), kNoItem);
}

TEST(MemoryTree, SortsOneLevelIgnoringCaseKeepingEqualNamesInOrder) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem zeta = tree.insertLast(top, {u"Zeta", 1, 1});
  tree.insertLast(zeta, {u"b", 0, 0});
  tree.insertLast(zeta, {u"A", 0, 0});
  for (const char16_t* name : {u"beta", u"Alpha", u"ALPHA"}) tree.insertLast(top, {name, 0, 0});
  tree.sortChildren(top);
  EXPECT_EQ(tree.outline(top),
            "Alpha [0/0]\nALPHA [0/0]\nbeta [0/0]\nZeta [1/1]\n  b [0/0]\n  A [0/0]\n");
  // Linked anew both ways: deleting from its middle and end keeps it whole.
  tree.deleteItem(tree.nextSibling(tree.child(top)));
  tree.deleteItem(zeta);
  tree.insertLast(top, {u"last", 0, 0});
  EXPECT_EQ(tree.outline(top), "Alpha [0/0]\nbeta [0/0]\nlast [0/0]\n");

  tree.insertLast(kNoItem, {u"another top", 0, 0});
  tree.sortChildren(kNoItem);
  EXPECT_EQ(tree.text(tree.root()), u"another top");
}

}  // namespace
