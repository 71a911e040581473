#include "core/text_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

TEST(TextHelpers, ParseDecimal4ReadsUpToFourLeadingDigits) {
  EXPECT_EQ(ParseDecimal4(u""), 0u);
  EXPECT_EQ(ParseDecimal4(u"-5"), 0u);
  EXPECT_EQ(ParseDecimal4(u"+5"), 0u);
  EXPECT_EQ(ParseDecimal4(u" 5"), 0u);
  EXPECT_EQ(ParseDecimal4(u"100"), 100u);
  EXPECT_EQ(ParseDecimal4(u"0042"), 42u);
  EXPECT_EQ(ParseDecimal4(u"9999"), 9999u);
  EXPECT_EQ(ParseDecimal4(u"12345"), 1234u);
  EXPECT_EQ(ParseDecimal4(u"99999999999"), 9999u);
  EXPECT_EQ(ParseDecimal4(u"12a4"), 12u);
  EXPECT_EQ(ParseDecimal4(u"7.5"), 7u);
  EXPECT_EQ(ParseDecimal4(u"\xff11"), 0u);  // a full-width digit is no digit
}

TEST(TextHelpers, AfterLastChar) {
  EXPECT_EQ(AfterLastChar(u"C:\\Soldat\\maps\\ctf_Ash.PMS", u'\\'), u"ctf_Ash.PMS");
  EXPECT_EQ(AfterLastChar(u"ctf_Ash.v2.PMS", u'.'), u"PMS");
  // Present as the last character: an empty text, not nothing.
  const auto tail = AfterLastChar(u"C:\\Soldat\\", u'\\');
  ASSERT_TRUE(tail);
  EXPECT_TRUE(tail->empty());
  EXPECT_FALSE(AfterLastChar(u"ctf_Ash", u'.'));
  EXPECT_FALSE(AfterLastChar(u"", u'.'));
  // The place it points at cuts the path behind its last backslash.
  const std::u16string_view path = u"C:\\Soldat\\maps\\a.pms";
  EXPECT_EQ(path.substr(0, path.size() - AfterLastChar(path, u'\\')->size()),
            u"C:\\Soldat\\maps\\");
}

TEST(TextHelpers, StartsWithIsCaseSensitive) {
  EXPECT_TRUE(StartsWith(u"ctf_ash", u"ctf_"));
  EXPECT_TRUE(StartsWith(u"ctf_", u"ctf_"));
  EXPECT_TRUE(StartsWith(u"anything", u""));
  EXPECT_TRUE(StartsWith(u"", u""));
  EXPECT_FALSE(StartsWith(u"CTF_ash", u"ctf_"));
  EXPECT_FALSE(StartsWith(u"ctf", u"ctf_"));
  EXPECT_FALSE(StartsWith(u"", u"c"));
  EXPECT_FALSE(StartsWith(u"tdm_ash", u"dm_"));
}

TEST(TextHelpers, FindTextFindsTheFirstOccurrence) {
  constexpr auto npos = std::u16string_view::npos;
  EXPECT_EQ(FindText(u"abcabc", u"bc"), 1u);
  EXPECT_EQ(FindText(u"abcabc", u"abc"), 0u);
  EXPECT_EQ(FindText(u"xxab", u"ab"), 2u);
  EXPECT_EQ(FindText(u"abc", u"ABC"), npos);
  EXPECT_EQ(FindText(u"ab", u"abc"), npos);
  EXPECT_EQ(FindText(u"", u"a"), npos);
  EXPECT_EQ(FindText(u"abc", u""), npos);
  EXPECT_EQ(FindText(u"", u""), npos);
}

TEST(TextHelpers, ReplacePlaceholderReplacesOnlyTheFirst) {
  std::u16string text = u"A %descr% B %descr% C";
  ReplacePlaceholder(text, u"%descr%", u"my maps");
  EXPECT_EQ(text, u"A my maps B %descr% C");
  ReplacePlaceholder(text, u"%descr%", std::nullopt);
  EXPECT_EQ(text, u"A my maps B  C");
  ReplacePlaceholder(text, u"%descr%", u"unused");
  EXPECT_EQ(text, u"A my maps B  C");

  std::u16string edges = u"%mdate%";
  ReplacePlaceholder(edges, u"%mdate%", u"");
  EXPECT_EQ(edges, u"");
  edges = u"%stats%%stats%";
  ReplacePlaceholder(edges, u"%stats%", u"%stats%!");  // the replacement is not searched again
  EXPECT_EQ(edges, u"%stats%!%stats%");
  edges = u"x%MDATE%";  // case-sensitive
  ReplacePlaceholder(edges, u"%mdate%", u"y");
  EXPECT_EQ(edges, u"x%MDATE%");
}

TEST(TextHelpers, IsPlainFileName) {
  for (const std::u16string_view good : {u"ctf_Ash.PMS", u"a", u"...", u".hidden", u"a b.png"}) {
    EXPECT_TRUE(IsPlainFileName(good));
  }
  for (const std::u16string_view bad :
       {u".", u"..", u"..\\x.pms", u"a/b", u"C:x.pms", u"\\", u"maps\\", u"/etc/passwd", u"x:"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << std::string(bad.begin(), bad.end());
  }
}

TEST(TextHelpers, DecimalTextAndZeroBytes) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(-42), u"-42");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");

  std::array<unsigned char, 6> bytes = {1, 2, 3, 4, 5, 6};
  ZeroBytes(bytes.data() + 1, 4);
  EXPECT_EQ(bytes, (std::array<unsigned char, 6>{1, 0, 0, 0, 0, 6}));
}

}  // namespace
