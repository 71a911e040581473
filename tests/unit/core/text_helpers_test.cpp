#include "core/text_helpers.h"

#include <gtest/gtest.h>

namespace {

TEST(TextHelpers, ParsingSearchingAndReplacingAreCaseSensitiveAndTellEmptyFromNone) {
  const std::pair<std::u16string_view, std::uint32_t> numbers[] = {
      {u"", 0},      {u"-5", 0},      {u" 5", 0},       {u"\xff11", 0},
      {u"0042", 42}, {u"9999", 9999}, {u"12345", 1234}, {u"12a4", 12}};
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(ParseDecimal4(text), value) << testing::PrintToString(text);

  EXPECT_EQ(AfterLastChar(u"C:\\Soldat\\maps\\ctf_Ash.v2.PMS", u'\\'), u"ctf_Ash.v2.PMS");
  EXPECT_EQ(AfterLastChar(u"C:\\Soldat\\", u'\\'), u"");
  EXPECT_EQ(AfterLastChar(u"ctf_Ash", u'.'), std::nullopt);
  EXPECT_TRUE(StartsWith(u"ctf_ash", u"ctf_"));
  EXPECT_FALSE(StartsWith(u"CTF_ash", u"ctf_"));
  EXPECT_FALSE(StartsWith(u"ctf", u"ctf_"));
  EXPECT_EQ(FindText(u"xabcabc", u"bc"), 2u);
  for (const auto& [text, searched] : {std::pair{u"abc", u"ABC"}, {u"ab", u"abc"}, {u"abc", u""}})
    EXPECT_EQ(FindText(text, searched), std::u16string_view::npos);

  // Only the first placeholder is replaced, and the replacement is never scanned again.
  std::u16string text = u"A %descr% B %descr% C %DESCR%";
  ReplacePlaceholder(text, u"%descr%", u"%descr%!");
  EXPECT_EQ(text, u"A %descr%! B %descr% C %DESCR%");
  ReplacePlaceholder(text, u"%descr%", std::nullopt);
  ReplacePlaceholder(text, u"%mdate%", u"x");
  EXPECT_EQ(text, u"A ! B %descr% C %DESCR%");
}

TEST(TextHelpers, IsPlainFileName) {
  for (const std::u16string_view good : {u"ctf_Ash.PMS", u".hidden", u"a b.png", u"x.bmp.",
                                         u"console.bmp", u"com.png", u"nul_1.bmp"})
    EXPECT_TRUE(IsPlainFileName(good)) << testing::PrintToString(good);
  // Windows drops trailing dots and blanks, so these name the folder itself; and a device
  // name, with any extension, opens the device.
  for (const std::u16string_view bad :
       {u".",        u"..",      u"..\\x.pms",   u"a/b",     u"C:x.pms",
        u"\\",       u"maps\\",  u"/etc/passwd", u"x:",      u"...",
        u" ",        u". .",     u"CON",         u"con.bmp", u"Nul.png",
        u"aux .bmp", u"PRN.x.y", u"COM1.bmp",    u"lpt9",    u"CONIN$.bmp"})
    EXPECT_FALSE(IsPlainFileName(bad)) << testing::PrintToString(bad);
}

}  // namespace
