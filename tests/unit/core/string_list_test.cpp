#include "core/string_list.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Texts(StringList& list) {
  list.buildIndex();
  std::vector<std::u16string> out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.textAt(i));
  return out;
}


using Texts16 = std::vector<std::u16string>;

TEST(StringList, EmptyListStaysEmptyThroughEveryOperation) {
  StringList list;
  StringList other;
  list.sortUnique();
  EXPECT_EQ(list.count(), 0);
  list.subtract(other, false);
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(Texts(list).empty());
  EXPECT_EQ(list.join(), u"");
}

TEST(StringList, AddCountsAtOnceButIndexIsStaleUntilRebuilt) {
  StringList list;
  list.add(u"first", 1);
  list.buildIndex();
  list.add(u"second", 2);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.textAt(0), u"first");  // still readable through the old index
  list.buildIndex();
  EXPECT_EQ(list.textAt(1), u"second");
  EXPECT_EQ(list.nodeAt(1)->tag, 2);
}

TEST(StringList, EntriesNeverMoveWhileSortedOrFiltered) {
  StringList list;
  list.add(u"zulu", 1);
  list.add(u"alpha", 1);
  list.buildIndex();
  const char16_t* zulu = list.textAt(0).data();
  list.sortUnique();
  EXPECT_EQ(list.textAt(1).data(), zulu);
}

TEST(StringList, SortUniqueSortsTwoEntriesAndDropsEmptyTexts) {
  StringList list;
  list.add(u"b", 0);
  list.add(u"a", 0);
  list.sortUnique();
  EXPECT_EQ(Texts(list), (Texts16{u"a", u"b"}));

  StringList withEmpty;
  withEmpty.add(u"", 0);
  withEmpty.add(u"m", 0);
  withEmpty.add(u"", 0);
  withEmpty.sortUnique();
  EXPECT_EQ(Texts(withEmpty), (Texts16{u"m"}));

  StringList onlyEmpty;
  onlyEmpty.add(u"", 3);
  onlyEmpty.sortUnique();
  EXPECT_EQ(onlyEmpty.count(), 0);
}

TEST(StringList, DuplicatesIgnoringCaseCollapseToTheLaterOneOnlyWithEqualTags) {
  StringList same;
  same.add(u"Map.pms", 1);
  same.add(u"map.PMS", 1);
  same.sortUnique();
  ASSERT_EQ(same.count(), 1);
  // The sort leaves equal texts in place, so the one added later survives.
  EXPECT_EQ(same.textAt(0), u"map.PMS");

  StringList differentTags;
  differentTags.add(u"Map.pms", 1);
  differentTags.add(u"map.PMS", 2);
  differentTags.sortUnique();
  EXPECT_EQ(differentTags.count(), 2);
}

TEST(StringList, SortUniqueOrdersALargerListAndKeepsChainAndIndexInStep) {
  StringList list;
  const Texts16 input = {u"delta", u"Alpha", u"charlie", u"bravo", u"echo",
                         u"ALPHA", u"foxtrot", u"golf", u"alpha", u"hotel"};
  for (const auto& t : input) list.add(t, 7);
  list.sortUnique();
  const Texts16 sorted = {u"alpha", u"bravo", u"charlie", u"delta", u"echo",
                          u"foxtrot", u"golf", u"hotel"};
  ASSERT_EQ(list.count(), 8);
  Texts16 chain;
  list.forEach([&](const StringNode& n) { chain.emplace_back(n.text()); });
  EXPECT_EQ(chain, Texts(list));
  Texts16 lowered;
  for (const auto& t : chain) lowered.push_back(platform::LowerCase(t));
  EXPECT_EQ(lowered, sorted);
}

}  // namespace
