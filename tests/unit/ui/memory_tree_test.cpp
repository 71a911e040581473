#include "ui/memory_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ui::kNoItem;
using ui::MemoryTree;
using ui::TreeItem;

TEST(MemoryTree, InsertsFirstLastAndAfter) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem b = tree.insertLast(top, {u"b", 11, 12});
  const TreeItem a = tree.insertFirst(top, {u"a", 11, 11});
  const TreeItem d = tree.insertLast(top, {u"d", 13, 13, 2});
  const TreeItem c = tree.insertAfter(top, b, {u"c", 11, 11});
  EXPECT_EQ(tree.outline(),
            "top [0/0]\n"
            "  a [11/11]\n"
            "  b [11/12]\n"
            "  c [11/11]\n"
            "  d [13/13] o2\n");
  EXPECT_EQ(tree.root(), top);
  EXPECT_EQ(tree.child(top), a);
  EXPECT_EQ(tree.nextSibling(c), d);
  EXPECT_EQ(tree.nextSibling(d), kNoItem);
  EXPECT_EQ(tree.parent(d), top);
  EXPECT_EQ(tree.parent(top), kNoItem);
  EXPECT_EQ(tree.childCount(top), 4);
  EXPECT_EQ(tree.childCount(a), 0);

  // After an item of another parent, or under an unknown parent: nothing is inserted.
  EXPECT_EQ(tree.insertAfter(a, b, {u"x", 0, 0}), kNoItem);
  EXPECT_EQ(tree.insertLast(9999, {u"x", 0, 0}), kNoItem);
  EXPECT_EQ(tree.itemCount(), 5);

  // A second top-level item after the first.
  const TreeItem second = tree.insertAfter(kNoItem, top, {u"second", 0, 0});
  EXPECT_EQ(tree.nextSibling(top), second);
}

TEST(MemoryTree, ReadsAndChangesItems) {
  MemoryTree tree;
  const TreeItem item = tree.insertLast(kNoItem, {u"ctf_Ash.PMS", 11, 11});
  EXPECT_EQ(tree.text(item, 3), u"ctf");
  tree.setText(item, u"renamed");
  tree.setImages(item, 1, 2);
  tree.setOverlay(item, 3);
  EXPECT_EQ(tree.text(item), u"renamed");
  EXPECT_EQ(tree.image(item), 1);
  EXPECT_EQ(tree.selectedImage(item), 2);
  EXPECT_EQ(tree.overlay(item), 3);

  // Unknown handles read as nothing and are ignored.
  tree.setText(item + 1, u"x");
  EXPECT_EQ(tree.text(item + 1), u"");
  EXPECT_EQ(tree.image(kNoItem), 0);
  EXPECT_EQ(tree.child(kNoItem), kNoItem);
}

TEST(MemoryTree, DeletesSubtreesAndMovesTheSelection) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem g1 = tree.insertLast(top, {u"g1", 1, 1});
  const TreeItem e1 = tree.insertLast(g1, {u"e1", 11, 11});
  const TreeItem g2 = tree.insertLast(top, {u"g2", 1, 1});
  const TreeItem g3 = tree.insertLast(top, {u"g3", 1, 1});

  tree.select(e1);
  tree.deleteItem(g1);
  EXPECT_FALSE(tree.valid(g1));
  EXPECT_FALSE(tree.valid(e1));
  EXPECT_EQ(tree.selected(), g2);  // the selection was inside: it moves on
  EXPECT_EQ(tree.child(top), g2);
  EXPECT_EQ(tree.childCount(top), 2);
  EXPECT_EQ(tree.itemCount(), 3);

  tree.select(g3);
  tree.deleteItem(g3);
  EXPECT_EQ(tree.selected(), top);  // no next sibling: the parent
  const TreeItem second = tree.insertLast(kNoItem, {u"second", 0, 0});
  tree.select(second);
  tree.deleteItem(second);
  EXPECT_EQ(tree.selected(), top);  // at the top level: the previous sibling
  EXPECT_EQ(tree.child(top), g2);

  tree.deleteAll();
  EXPECT_EQ(tree.root(), kNoItem);
  EXPECT_EQ(tree.selected(), kNoItem);
  // Handles from before never name a new item.
  const TreeItem fresh = tree.insertLast(kNoItem, {u"fresh", 0, 0});
  EXPECT_NE(fresh, top);
  EXPECT_FALSE(tree.valid(top));
  EXPECT_EQ(tree.insertLast(top, {u"x", 0, 0}), kNoItem);
}

TEST(MemoryTree, SortsOneLevelIgnoringCase) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem g = tree.insertLast(top, {u"Zeta", 1, 1});
  tree.insertLast(g, {u"b", 0, 0});
  tree.insertLast(g, {u"A", 0, 0});
  tree.insertLast(top, {u"beta", 0, 0});
  tree.insertLast(top, {u"Alpha", 0, 0});
  tree.insertLast(top, {u"ALPHA", 1, 1});
  tree.sortChildren(top);
  EXPECT_EQ(tree.outline(),
            "top [0/0]\n"
            "  Alpha [0/0]\n"
            "  ALPHA [1/1]\n"
            "  beta [0/0]\n"
            "  Zeta [1/1]\n"
            "    b [0/0]\n"
            "    A [0/0]\n");
  // The level is linked anew both ways: deleting from its middle and its end keeps it whole.
  tree.deleteItem(tree.nextSibling(tree.child(top)));
  tree.deleteItem(tree.nextSibling(tree.nextSibling(tree.child(top))));
  tree.insertLast(top, {u"last", 0, 0});
  EXPECT_EQ(tree.outline(top),
            "Alpha [0/0]\n"
            "beta [0/0]\n"
            "last [0/0]\n");

  tree.insertLast(kNoItem, {u"another top", 0, 0});
  tree.sortChildren(kNoItem);
  EXPECT_EQ(tree.text(tree.root()), u"another top");
}

TEST(MemoryTree, ExpansionAndSelectionFollowTheTreeView) {
  MemoryTree tree;
  const TreeItem top = tree.insertLast(kNoItem, {u"top", 0, 0});
  const TreeItem g = tree.insertLast(top, {u"g", 1, 1});
  const TreeItem e = tree.insertLast(g, {u"e", 11, 11});
  const TreeItem empty = tree.insertLast(top, {u"empty", 1, 1});

  tree.ensureVisible(e);
  EXPECT_TRUE(tree.expanded(top));
  EXPECT_TRUE(tree.expanded(g));
  EXPECT_EQ(tree.lastEnsuredVisible(), e);

  tree.expand(empty);  // nothing to open
  EXPECT_FALSE(tree.expanded(empty));

  tree.collapse(g);
  tree.collapse(top);
  tree.select(e);  // a hidden item is shown when selected
  EXPECT_TRUE(tree.expanded(g));
  EXPECT_TRUE(tree.expanded(top));

  tree.collapse(g);  // a hidden selection moves to the collapsed item
  EXPECT_EQ(tree.selected(), g);
  EXPECT_EQ(tree.outline(),
            "top [0/0] +\n"
            "  g [1/1]\n"
            "    e [11/11]\n"
            "  empty [1/1]\n");
}

}  // namespace
