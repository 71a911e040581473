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

void PrintTo(const Entry& e, std::ostream* os) {
  *os << '"' << std::string(e.text.begin(), e.text.end()) << "\"/" << int(e.tag);
}

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

// Reference models of the sort, the survivor rule and the forward merge.
Entries ModelSortUnique(Entries v) {
  const std::size_t n = v.size();
  for (std::size_t gap = n == 2 ? 1 : (n - 1) / 2; n >= 2 && gap > 0; gap /= 2) {
    for (std::size_t i = 0; i + gap < n; ++i) {
      for (std::size_t j = i; platform::CompareNoCase(v[j].text, v[j + gap].text) > 0;
           j = j > gap ? j - gap : 0) {
        std::swap(v[j], v[j + gap]);
      }
    }
  }
  Entries kept;
  for (std::size_t p = 0; p < v.size(); ++p) {
    const bool dupOfNext = p + 1 < v.size() && v[p].tag == v[p + 1].tag &&
                           platform::CompareNoCase(v[p].text, v[p + 1].text) == 0;
    if (!v[p].text.empty() && !dupOfNext) kept.push_back(v[p]);
  }
  return kept;
}

Entries ModelSubtract(const Entries& mine, const Entries& other, bool ignoreTags) {
  Entries kept;
  auto from = other.begin();
  for (const auto& e : mine) {
    const auto m = std::find_if(from, other.end(), [&](const Entry& o) {
      return (ignoreTags || o.tag == e.tag) && platform::CompareNoCase(e.text, o.text) == 0;
    });
    m == other.end() ? kept.push_back(e) : void(from = m + 1);
  }
  return kept;
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
  // Reusable: a moved-from list, one whose sort dropped everything, a cleared one.
  moved.add(u"", 3);
  moved.sortUnique();
  list.clear();
  for (StringList* l : {&list, &moved}) {
    l->add(u"x", 1);
    l->buildIndex();
    EXPECT_EQ(Read(*l), (Entries{{u"x", 1}}));
  }
}

TEST(StringList, SortUniqueMatchesTheReferenceProcedure) {
  // Worked by hand: the gap-2 pass moves "MAP" in front of "map", so the earlier "map"
  // survives where a stable sort would keep "MAP".
  const Entries worked = {{u"a", 0}, {u"A", 0}, {u"map", 0}, {u"MAP", 0}, {u"b", 0}};
  EXPECT_EQ(Read(Make(worked, true)), (Entries{{u"A", 0}, {u"b", 0}, {u"map", 0}}));
  EXPECT_EQ(ModelSortUnique(worked), Read(Make(worked, true)));
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    const Entries input = RandomEntries(rng, 14);
    ASSERT_EQ(Read(Make(input, true)), ModelSortUnique(input)) << "round " << round;
  }
}

TEST(StringList, SubtractMatchesTheReferenceProcedure) {
  // Worked by hand: "a" is found second in an unsorted list, so the "b" before it is missed.
  const Entries ab = {{u"a", 0}, {u"b", 0}}, ba = {{u"b", 0}, {u"a", 0}};
  StringList worked = Make(ab, true);
  worked.subtract(Make(ba), false);
  EXPECT_EQ(Read(worked), (Entries{{u"b", 0}}));
  EXPECT_EQ(ModelSubtract(ab, ba, false), Read(worked));
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    const bool ignoreTags = round % 2 == 0;
    StringList mine = Make(RandomEntries(rng, 10), true);
    const Entries before = Read(mine);
    // Every third round the other list is unsorted.
    const StringList other = Make(RandomEntries(rng, 10), round % 3 != 0);
    const Entries otherEntries = Read(other);
    mine.subtract(other, ignoreTags);
    ASSERT_EQ(Read(mine), ModelSubtract(before, otherEntries, ignoreTags)) << "round " << round;
  }
}

}  // namespace
