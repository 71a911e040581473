// The order of names as Windows sorts them: the same expectations hold for the native
// comparison and, under Wine, for the system's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

std::string Narrow(std::u16string_view text) {  // for messages: accents become '?'
  std::string out;
  for (const char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

TEST(CompareNoCase, OrdersNamesAsWindowsWordSortDoes) {
  // Ascending. Punctuation sorts before digits and digits before letters; digits are
  // characters, not numbers; hyphens and apostrophes count only when all else is equal,
  // and then a mark further right sorts first.
  const std::vector<std::vector<std::u16string>> orders = {
      {u"_base.bmp", u"0tree.bmp",  u"9tree.bmp",  u"Bush.bmp",   u"bush_2.bmp", u"BUSH10.bmp",
       u"bush2.bmp", u"bush2-.bmp", u"bush-2.bmp", u"bushes.bmp", u"bushs.bmp",  u"Bush's.bmp",
       u"coop.bmp",  u"coo-p.bmp",  u"co'op.bmp",  u"co-op.bmp",  u"map 2.pms",  u"map.2.pms",
       u"Map_2.pms", u"map10.pms",  u"map2.pms",   u"map2.PMS~",  u"map2+.pms"},
      // An accent breaks a tie before the marks do.
      {u"e", u"\u00E9", u"ea", u"e-a", u"\u00C9a", u"\u00E9-a", u"eb", u"f"},
      {u"", u"-", u"a"},
  };
  for (const auto& names : orders) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      for (std::size_t j = i + 1; j < names.size(); ++j) {
        SCOPED_TRACE(Narrow(names[i]) + " < " + Narrow(names[j]));
        EXPECT_LT(platform::CompareNoCase(names[i], names[j]), 0);
        EXPECT_GT(platform::CompareNoCase(names[j], names[i]), 0);
      }
    }
  }
}

TEST(CompareNoCase, EqualOnlyWhenTheNamesDifferInLetterCaseAlone) {
  // Every pair of the characters an ANSI name can hold, but the soft hyphen, which counts
  // for nothing.
  for (char16_t c = 0x20; c < 0x100; ++c) {
    for (char16_t d = 0x20; d < 0x100; ++d) {
      if (c == 0xAD || d == 0xAD) continue;
      const std::u16string x(1, c);
      const std::u16string y(1, d);
      ASSERT_EQ(platform::CompareNoCase(x, y) == 0,
                platform::LowerCase(x) == platform::LowerCase(y))
          << static_cast<int>(c) << " " << static_cast<int>(d);
    }
  }
  EXPECT_EQ(platform::CompareNoCase(u"tr\u00ADee.bmp", u"tree.bmp"), 0);
  EXPECT_EQ(platform::CompareNoCase(u"Tree-2.BMP", u"tree-2.bmp"), 0);
  EXPECT_EQ(platform::CompareNoCase(u"", u""), 0);
}

}  // namespace
