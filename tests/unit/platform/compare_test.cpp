// The order of names as Windows sorts them: the same expectations hold for the native
// comparison and, under Wine, for the system's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

std::string Narrow(std::u16string_view text) {  // the names here are ASCII
  return {text.begin(), text.end()};
}

TEST(CompareNoCase, OrdersNamesAsWindowsWordSortDoes) {
  // Ascending. Punctuation sorts before digits and digits before letters; digits are
  // characters, not numbers; hyphens and apostrophes count only when all else is equal,
  // and then a mark further right sorts first.
  const std::vector<std::u16string> names = {
      u"_base.bmp", u"0tree.bmp", u"9tree.bmp",  u"Bush.bmp",  u"bush_2.bmp", u"BUSH10.bmp",
      u"bush2.bmp", u"bush2-.bmp", u"bush-2.bmp", u"bushes.bmp", u"bushs.bmp", u"Bush's.bmp",
      u"coop.bmp",  u"coo-p.bmp", u"co'op.bmp",  u"co-op.bmp", u"map 2.pms",  u"map.2.pms",
      u"Map_2.pms", u"map10.pms", u"map2.pms",   u"map2.PMS~", u"map2+.pms",
  };
  for (std::size_t i = 0; i < names.size(); ++i) {
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      SCOPED_TRACE(Narrow(names[i]) + " < " + Narrow(names[j]));
      EXPECT_LT(platform::CompareNoCase(names[i], names[j]), 0);
      EXPECT_GT(platform::CompareNoCase(names[j], names[i]), 0);
    }
  }
}

TEST(CompareNoCase, EqualOnlyWhenTheNamesDifferInLetterCaseAlone) {
  EXPECT_EQ(platform::CompareNoCase(u"Tree-2.BMP", u"tree-2.bmp"), 0);
  EXPECT_EQ(platform::CompareNoCase(u"", u""), 0);
  EXPECT_NE(platform::CompareNoCase(u"tree-2.bmp", u"tree2.bmp"), 0);
  EXPECT_NE(platform::CompareNoCase(u"it's.bmp", u"it-s.bmp"), 0);
  EXPECT_LT(platform::CompareNoCase(u"", u"-"), 0);
  EXPECT_LT(platform::CompareNoCase(u"-", u"a"), 0);
}

}  // namespace
