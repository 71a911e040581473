#include "core/string_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace {

struct Entry {
  std::u16string text;
  std::uint8_t tag = 0;
  bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

StringList Make(const Entries& entries, bool sort = false) {
  StringList list;
  for (const auto& e : entries) list.add(e.text, e.tag);
  sort ? list.sortUnique() : list.buildIndex();
  return list;
}

// Entries through the index; the chain, which clear() and later adds walk, must agree.
Entries Read(const StringList& list) {
  Entries byIndex, byChain;
  for (std::int32_t i = 0; i < list.count(); ++i)
    byIndex.push_back({std::u16string(list.textAt(i)), list.nodeAt(i)->tag});
  list.forEach([&](const StringNode& n) { byChain.push_back({std::u16string(n.text()), n.tag}); });
  EXPECT_EQ(byIndex, byChain);
  return byIndex;
}

// Few letters in both cases, so that equal texts, case variants and empty texts are common.
Entries RandomEntries(std::mt19937& rng, std::size_t maxCount) {
  std::uniform_int_distribution<std::size_t> count(0, maxCount), length(0, 3), letter(0, 4);
  Entries out(count(rng));
  for (auto& e : out) {
    for (std::size_t n = length(rng); n > 0; --n) e.text += u"abcAB"[letter(rng)];
    e.tag = static_cast<std::uint8_t>(rng() % 2);
  }
  return out;
}

TEST(StringList, ChainAndIndexStayConsistentThroughAddsSortsSubtractsMovesAndClears) {
  // add() counts at once; the index is rebuilt on demand.
  StringList list = Make({{u"c", 0}, {u"", 0}, {u"a", 0}, {u"z", 0}});
  const char16_t* c = list.textAt(0).data();
  list.add(u"b", 0);
  EXPECT_EQ(list.count(), 5);
  // After a sort and a subtract that removed the tail, a new entry goes behind the last kept.
  list.sortUnique();
  list.subtract(Make({{u"z", 0}}, true), false);
  list.add(u"m", 0);
  list.buildIndex();
  EXPECT_EQ(Read(list), (Entries{{u"a", 0}, {u"b", 0}, {u"c", 0}, {u"m", 0}}));
  EXPECT_EQ(list.textAt(2).data(), c);  // entries never move

  StringList moved(std::move(list));
  list = std::move(moved);
  EXPECT_EQ(Read(list).size(), 4u);
  // A moved-from list, one whose sort dropped everything and a cleared one take new entries.
  moved.add(u"", 3);
  moved.sortUnique();
  list.clear();
  for (StringList* l : {&list, &moved}) {
    l->add(u"x", 1);
    l->buildIndex();
    EXPECT_EQ(Read(*l), (Entries{{u"x", 1}}));
  }
}

// Worked by hand through the diminishing-gap sort.
TEST(StringList, SortUniqueOrdersIgnoringCaseAndKeepsTheLastOfEachRun) {
  const std::pair<Entries, Entries> rows[] = {
      // Equal texts of one tag collapse to the later one after sorting.
      {{{u"Map.pms", 0}, {u"map.PMS", 0}}, {{u"map.PMS", 0}}},
      // The gap-2 pass moves "MAP" in front of "map", so the earlier "map" survives where a
      // stable sort would keep "MAP".
      {{{u"a", 0}, {u"A", 0}, {u"map", 0}, {u"MAP", 0}, {u"b", 0}},
       {{u"A", 0}, {u"b", 0}, {u"map", 0}}},
  };
  for (const auto& [input, expected] : rows) EXPECT_EQ(Read(Make(input, true)), expected);
}

TEST(StringList, SubtractRemovesMatchesOfTheOtherListByTextAndTag) {
  const auto subtract = [](const Entries& mine, const Entries& other, bool ignoreTags,
                           bool otherSorted = true) {
    StringList list = Make(mine, true);
    list.subtract(Make(other, otherSorted), ignoreTags);
    return Read(list);
  };
  // A different tag keeps the entry unless tags are ignored.
  EXPECT_EQ(subtract({{u"a", 0}, {u"Map.pms", 11}}, {{u"MAP.PMS", 12}}, false),
            (Entries{{u"a", 0}, {u"Map.pms", 11}}));
  EXPECT_EQ(subtract({{u"a", 0}, {u"Map.pms", 11}}, {{u"MAP.PMS", 12}}, true),
            (Entries{{u"a", 0}}));
  // A forward merge: "a" is found second in an unsorted list, so the "b" before it is missed.
  EXPECT_EQ(subtract({{u"a", 0}, {u"b", 0}}, {{u"b", 0}, {u"a", 0}}, false, false),
            (Entries{{u"b", 0}}));
}

// Random lists: a sort gives sorted distinct entries of its input, and between sorted lists of
// one tag a subtract removes exactly the entries with a match in the other.
TEST(StringList, SortAndSubtractKeepTheirPropertiesOnRandomLists) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 2000; ++round) {
    SCOPED_TRACE(round);
    Entries input = RandomEntries(rng, 14), other = RandomEntries(rng, 10);
    const Entries out = Read(Make(input, true));
    for (std::size_t i = 0; i < out.size(); ++i) {
      ASSERT_FALSE(out[i].text.empty());
      ASSERT_NE(std::find(input.begin(), input.end(), out[i]), input.end());
      if (i + 1 == out.size()) break;
      const int order = platform::CompareNoCase(out[i].text, out[i + 1].text);
      ASSERT_LE(order, 0);
      ASSERT_FALSE(order == 0 && out[i].tag == out[i + 1].tag);
    }
    for (const Entry& e : input) {  // every text of every tag is still there in some case
      ASSERT_TRUE(e.text.empty() || std::any_of(out.begin(), out.end(), [&](const Entry& o) {
                    return o.tag == e.tag && platform::CompareNoCase(o.text, e.text) == 0;
                  }));
    }

    for (Entries* list : {&input, &other})
      for (Entry& e : *list) e.tag = 0;
    StringList mine = Make(input, true);
    Entries expected;
    for (const Entry& e : Read(mine)) {
      if (std::none_of(other.begin(), other.end(), [&](const Entry& o) {
            return platform::CompareNoCase(o.text, e.text) == 0;
          }))
        expected.push_back(e);
    }
    mine.subtract(Make(other, true), round % 2 == 0);
    ASSERT_EQ(Read(mine), expected);
  }
}

}  // namespace
