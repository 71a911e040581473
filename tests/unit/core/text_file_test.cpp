#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string_list.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::u16string>;
using fixtures::Utf16File;

Bytes Utf16Bytes(std::u16string_view units) {
  Bytes out = {0xFF, 0xFE};
  for (const char16_t c : units)
    out.insert(out.end(), {std::uint8_t(c & 0xFF), std::uint8_t(c >> 8)});
  return out;
}

TEST(TextFile, LoadFromBufferSplitsDecodesAndLimitsLines) {
  auto ansi = [](std::string_view text) { return Bytes(text.begin(), text.end()); };
  const std::u16string u24(24, u'u');
  const std::string a23(23, 'a');
  // Every line is read with maxLine 24.
  const std::pair<Bytes, Texts> rows[] = {
      // Only CR ends a line, and the unit after it is skipped whatever it is.
      {Utf16Bytes(u"a\nb\r\n\r\n\x00e9\x4e2d"), {u"a\nb", u"", u"\x00e9\x4e2d"}},
      {Utf16Bytes(u"a\rXb\r"), {u"a", u"b"}},
      {ansi("a\nb\r\n\r\n\xe9"), {u"a\nb", u"", platform::AnsiToUtf16("\xe9")}},
      {ansi("a\rXb\rY"), {u"a", u"b"}},
      // The mark needs a third byte; an odd last byte is ignored; FE FF is no mark.
      {{0xFF, 0xFE}, {platform::AnsiToUtf16("\xff\xfe")}},
      {{0xFF, 0xFE, 'a'}, {}},
      {{0xFE, 0xFF, 'a', 0}, {platform::AnsiToUtf16("\xfe\xff") + u"a"}},
      // A zero unit ends the text of its line: UTF-16 without a mark reads as "a".
      {{'a', 0, 'b', 0}, {u"a"}},
      {Utf16Bytes(std::u16string(u"ab\0cd\r\nef", 9)), {u"ab", u"ef"}},
      // maxLine counts UTF-16 units but ANSI bytes plus one; a longer line ends the reading.
      {Utf16File({u"x", u24, u"y"}), {u"x", u24, u"y"}},
      {Utf16File({u"x", u24 + u"u", u"y"}), {u"x"}},
      {ansi("x\r\n" + a23 + "\r\ny"), {u"x", std::u16string(23, u'a'), u"y"}},
      {ansi("x\r\n" + a23 + "a\r\ny"), {u"x"}},
  };
  for (std::size_t r = 0; r < std::size(rows); ++r) {
    SCOPED_TRACE(r);
    const auto& [bytes, expected] = rows[r];
    StringList list;
    EXPECT_EQ(list.loadFromBuffer(bytes, 24), static_cast<std::int32_t>(expected.size()));
    Texts got;
    for (std::int32_t i = 0; i < list.count(); ++i) got.emplace_back(list.textAt(i));
    EXPECT_EQ(got, expected);
  }
}

TEST(TextFile, SaveWritesEveryEntryWithCrLfInIndexOrderAndClearsAndLoadReadsItBack) {
  testsupport::TempDir dir;
  const std::u16string out = dir.file(u"out.txt");
  StringList list;
  for (const auto* text : {u"b", u"", u"\x00e9\x4e2d", u"a"}) list.add(text, 1);
  ASSERT_TRUE(list.saveToFile(out));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(fixtures::ReadBytes(out), Utf16File({u"b", u"", u"\x00e9\x4e2d", u"a"}));

  // Round trip, then sorted: join follows the index and clears the list.
  ASSERT_TRUE(list.loadFromFile(out, 261));
  EXPECT_EQ(list.nodeAt(0)->tag, 1);  // every line read
  list.sortUnique();
  EXPECT_EQ(list.join(), u"a\r\nb\r\n\x00e9\x4e2d\r\n");
  EXPECT_EQ(list.count(), 0);

  // An empty list makes a file of the mark alone, and that is a success.
  fixtures::WriteText(out, "old");
  ASSERT_TRUE(list.saveToFile(out));
  EXPECT_EQ(fixtures::ReadBytes(out), (Bytes{0xFF, 0xFE}));

  // A missing file leaves the list as it was; a file with no line to read is a failure too.
  list.add(u"kept", 5);
  EXPECT_FALSE(list.loadFromFile(dir.file(u"missing.txt"), 261));
  EXPECT_EQ(list.count(), 1);
  fixtures::WriteBytes(dir.file(u"empty.txt"), {});
  EXPECT_FALSE(list.loadFromFile(dir.file(u"empty.txt"), 261));
  list.add(u"a", 1);
  EXPECT_FALSE(list.saveToFile(dir.file(u"no such folder\\out.txt")));
  EXPECT_EQ(list.count(), 0);
}

}  // namespace
