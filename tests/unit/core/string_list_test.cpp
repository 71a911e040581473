#include "core/string_list.h"

#include <gtest/gtest.h>

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
using Texts = std::vector<std::u16string>;

void PrintTo(const Entry& e, std::ostream* os) {
  *os << '"' << std::string(e.text.begin(), e.text.end()) << "\"/" << int(e.tag);
}

StringList Make(const Entries& entries) {
  StringList list;
  for (const auto& e : entries) list.add(e.text, e.tag);
  return list;
}

// Entries through the index; also checks that the chain holds the same entries in the same
// order and that count agrees, since the chain is what clear() and later adds walk.
Entries Read(const StringList& list) {
  Entries byIndex;
  for (std::int32_t i = 0; i < list.count(); ++i) {
    byIndex.push_back({std::u16string(list.textAt(i)), list.nodeAt(i)->tag});
  }
  Entries byChain;
  list.forEach([&](const StringNode& n) { byChain.push_back({std::u16string(n.text()), n.tag}); });
  EXPECT_EQ(byIndex, byChain);
  return byIndex;
}

Texts TextsOf(const Entries& entries) {
  Texts out;
  for (const auto& e : entries) out.push_back(e.text);
  return out;
}

// Reference model of the sort and de-duplication. Texts in the tests are letters only, so
// an ASCII case-insensitive comparison orders them as the system's comparison does.
int AsciiCompareNoCase(const std::u16string& a, const std::u16string& b) {
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

Entries ModelSortUnique(Entries v) {
  if (v.size() >= 2) {
    const std::size_t last = v.size() - 1;
    for (std::size_t gap = v.size() == 2 ? 1 : last / 2; gap > 0; gap /= 2) {
      for (std::size_t i = 0; i + gap <= last; ++i) {
        for (std::size_t j = i; AsciiCompareNoCase(v[j].text, v[j + gap].text) > 0;
             j = j > gap ? j - gap : 0) {
          std::swap(v[j], v[j + gap]);
        }
      }
    }
  }
  Entries kept;
  for (std::size_t p = 0; p < v.size(); ++p) {
    const bool dupOfNext = p + 1 < v.size() && v[p].tag == v[p + 1].tag &&
                           AsciiCompareNoCase(v[p].text, v[p + 1].text) == 0;
    if (!v[p].text.empty() && !dupOfNext) kept.push_back(v[p]);
  }
  return kept;
}

Entries ModelSubtract(const Entries& mine, const Entries& other, bool ignoreTags) {
  Entries kept;
  std::size_t start = 0;
  for (const auto& e : mine) {
    std::size_t m = start;
    while (m < other.size() && !((ignoreTags || other[m].tag == e.tag) &&
                                 AsciiCompareNoCase(e.text, other[m].text) == 0)) {
      ++m;
    }
    if (m < other.size()) {
      start = m + 1;
    } else {
      kept.push_back(e);
    }
  }
  return kept;
}

// Short texts over few letters in both cases, so that equal texts, case variants, prefixes
// and empty texts all turn up often.
Entries RandomEntries(std::mt19937& rng, std::size_t maxCount) {
  static constexpr char16_t kLetters[] = u"abcAB";
  std::uniform_int_distribution<std::size_t> count(0, maxCount), length(0, 3), letter(0, 4),
      tag(0, 1);
  Entries out(count(rng));
  for (auto& e : out) {
    for (std::size_t n = length(rng); n > 0; --n) e.text += kLetters[letter(rng)];
    e.tag = static_cast<std::uint8_t>(tag(rng));
  }
  return out;
}

TEST(StringList, EmptyListStaysEmptyThroughEveryOperation) {
  StringList list;
  StringList other;
  list.sortUnique();
  EXPECT_EQ(list.count(), 0);
  list.subtract(other, false);
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(Read(list).empty());
  EXPECT_EQ(list.join(), u"");
  // Everything removed leaves a list that takes new entries as if fresh.
  StringList onlyEmpty = Make({{u"", 3}, {u"", 3}});
  onlyEmpty.sortUnique();
  EXPECT_EQ(onlyEmpty.count(), 0);
  onlyEmpty.add(u"x", 1);
  onlyEmpty.buildIndex();
  EXPECT_EQ(Read(onlyEmpty), (Entries{{u"x", 1}}));
}

TEST(StringList, AddLeavesTheIndexStale) {
  StringList list;
  list.add(u"first", 1);
  list.buildIndex();
  list.add(u"second", 2);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.textAt(0), u"first");  // the old index still reads what it held
  list.buildIndex();
  EXPECT_EQ(Read(list), (Entries{{u"first", 1}, {u"second", 2}}));

  // After a sort the chain is relinked: a new entry goes behind the last sorted one, and a
  // new index shows it there, unsorted.
  StringList sorted = Make({{u"c", 0}, {u"a", 0}});
  sorted.sortUnique();
  sorted.add(u"b", 0);
  EXPECT_EQ(sorted.count(), 3);
  sorted.buildIndex();
  EXPECT_EQ(TextsOf(Read(sorted)), (Texts{u"a", u"c", u"b"}));
}

TEST(StringList, AddAfterSubtractRemovedTheTail) {
  StringList list = Make({{u"a", 0}, {u"z", 0}});
  StringList other = Make({{u"z", 0}});
  list.sortUnique();
  other.sortUnique();
  list.subtract(other, false);
  list.add(u"m", 0);
  list.buildIndex();
  EXPECT_EQ(TextsOf(Read(list)), (Texts{u"a", u"m"}));
}

TEST(StringList, EntriesNeverMoveWhileSortedOrFiltered) {
  StringList list = Make({{u"zulu", 1}, {u"alpha", 1}, {u"mike", 1}});
  list.buildIndex();
  const char16_t* zulu = list.textAt(0).data();
  list.sortUnique();
  EXPECT_EQ(list.textAt(2).data(), zulu);
  StringList other = Make({{u"mike", 1}});
  other.buildIndex();
  list.subtract(other, false);
  EXPECT_EQ(list.textAt(1).data(), zulu);
}

TEST(StringList, MovedListTakesTheEntries) {
  StringList a = Make({{u"b", 1}, {u"a", 2}});
  a.buildIndex();
  StringList b(std::move(a));
  EXPECT_EQ(a.count(), 0);
  EXPECT_EQ(Read(b), (Entries{{u"b", 1}, {u"a", 2}}));
  StringList c = Make({{u"old", 0}});
  c = std::move(b);
  EXPECT_EQ(Read(c), (Entries{{u"b", 1}, {u"a", 2}}));
  a.add(u"again", 0);  // a moved-from list is reusable
  a.buildIndex();
  EXPECT_EQ(Read(a), (Entries{{u"again", 0}}));
}

TEST(StringList, SortUniqueSortsTwoEntriesAndDropsEmptyTexts) {
  StringList two = Make({{u"b", 0}, {u"a", 0}});
  two.sortUnique();
  EXPECT_EQ(TextsOf(Read(two)), (Texts{u"a", u"b"}));

  StringList withEmpty = Make({{u"", 0}, {u"m", 0}, {u"", 0}});
  withEmpty.sortUnique();
  EXPECT_EQ(TextsOf(Read(withEmpty)), Texts{u"m"});

  // Sorted first, so an empty text ends up first; the last one only when all are empty.
  StringList emptyLast = Make({{u"m", 0}, {u"", 1}});
  emptyLast.sortUnique();
  EXPECT_EQ(TextsOf(Read(emptyLast)), Texts{u"m"});
}

TEST(StringList, DuplicatesCollapseToTheLaterOneOnlyWithEqualTags) {
  StringList same = Make({{u"Map.pms", 1}, {u"map.PMS", 1}});
  same.sortUnique();
  EXPECT_EQ(Read(same), (Entries{{u"map.PMS", 1}}));

  StringList differentTags = Make({{u"Map.pms", 1}, {u"map.PMS", 2}});
  differentTags.sortUnique();
  EXPECT_EQ(differentTags.count(), 2);

  // Equal texts are only found as neighbours: a different tag in between keeps both.
  StringList between = Make({{u"x", 1}, {u"X", 2}, {u"x", 1}});
  between.sortUnique();
  EXPECT_EQ(Read(between), (Entries{{u"x", 1}, {u"X", 2}, {u"x", 1}}));
}

TEST(StringList, TheSortIsNotStableAndDecidesTheSurvivor) {
  // Worked by hand: the gap-2 pass moves "MAP" in front of "map", so the earlier "map"
  // survives; a stable sort would keep "MAP".
  StringList list = Make({{u"a", 0}, {u"A", 0}, {u"map", 0}, {u"MAP", 0}, {u"b", 0}});
  list.sortUnique();
  EXPECT_EQ(TextsOf(Read(list)), (Texts{u"A", u"b", u"map"}));
}

TEST(StringList, SortUniqueMatchesTheReferenceProcedure) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    const Entries input = RandomEntries(rng, 14);
    StringList list = Make(input);
    list.sortUnique();
    const Entries got = Read(list);
    ASSERT_EQ(got, ModelSortUnique(input)) << "round " << round;
    for (std::size_t p = 1; p < got.size(); ++p) {
      ASSERT_LE(platform::CompareNoCase(got[p - 1].text, got[p].text), 0);
    }
  }
}

TEST(StringList, SubtractIsAForwardMerge) {
  auto sorted = [](const Entries& entries) {
    StringList list = Make(entries);
    list.sortUnique();
    return list;
  };
  StringList list = sorted({{u"a", 1}, {u"B", 1}, {u"c", 1}, {u"d", 1}});
  const StringList other = sorted({{u"b", 1}, {u"D", 1}, {u"e", 1}});
  list.subtract(other, false);
  EXPECT_EQ(TextsOf(Read(list)), (Texts{u"a", u"c"}));
  EXPECT_EQ(TextsOf(Read(other)), (Texts{u"b", u"D", u"e"}));

  // The tag counts unless told otherwise.
  StringList tagged = sorted({{u"map", 11}});
  const StringList otherTag = sorted({{u"MAP", 12}});
  tagged.subtract(otherTag, false);
  EXPECT_EQ(tagged.count(), 1);
  tagged.subtract(otherTag, true);
  EXPECT_EQ(tagged.count(), 0);

  // Each entry of the other list removes at most one: the search goes on behind it.
  StringList twoTags = sorted({{u"x", 1}, {u"x", 2}});
  twoTags.subtract(sorted({{u"x", 3}}), true);
  EXPECT_EQ(Read(twoTags), (Entries{{u"x", 2}}));
  StringList twoTagsMatched = sorted({{u"x", 1}, {u"x", 2}});
  twoTagsMatched.subtract(sorted({{u"x", 2}}), false);
  EXPECT_EQ(Read(twoTagsMatched), (Entries{{u"x", 1}}));
}

TEST(StringList, SubtractMissesMatchesBeforeTheSearchStart) {
  StringList list = Make({{u"a", 0}, {u"b", 0}});
  list.sortUnique();
  StringList unsorted = Make({{u"b", 0}, {u"a", 0}});
  unsorted.buildIndex();
  // "a" is found at position 1, so the search for "b" starts behind it.
  list.subtract(unsorted, false);
  EXPECT_EQ(TextsOf(Read(list)), Texts{u"b"});
}

TEST(StringList, SubtractMatchesTheReferenceProcedure) {
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    const bool sortOther = round % 3 != 0;  // every third round the other list is unsorted
    const bool ignoreTags = round % 2 == 0;
    StringList mine = Make(RandomEntries(rng, 10));
    mine.sortUnique();
    const Entries before = Read(mine);
    StringList other = Make(RandomEntries(rng, 10));
    if (sortOther) {
      other.sortUnique();
    } else {
      other.buildIndex();
    }
    const Entries otherEntries = Read(other);
    mine.subtract(other, ignoreTags);
    ASSERT_EQ(Read(mine), ModelSubtract(before, otherEntries, ignoreTags)) << "round " << round;
    ASSERT_EQ(Read(other), otherEntries);
  }
}

TEST(StringList, ClearEmptiesAndTheListIsReusable) {
  StringList list = Make({{u"a", 1}, {u"b", 1}});
  list.buildIndex();
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(Read(list).empty());
  list.add(u"c", 2);
  list.buildIndex();
  EXPECT_EQ(Read(list), (Entries{{u"c", 2}}));
}

}  // namespace
