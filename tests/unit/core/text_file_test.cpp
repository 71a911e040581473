#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string_list.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::u16string>;
using testsupport::Utf16File;

// Raw UTF-16LE units as bytes, with the mark unless told otherwise.
Bytes Utf16Bytes(std::u16string_view units, bool mark = true) {
  Bytes out;
  if (mark) out = {0xFF, 0xFE};
  for (const char16_t c : units) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

Bytes AnsiBytes(std::string_view text) {
  return {text.begin(), text.end()};
}

Texts Load(const Bytes& bytes, int maxLine = 261) {
  StringList list;
  const std::int32_t n = list.loadFromBuffer(bytes, maxLine);
  EXPECT_EQ(n, list.count());
  Texts out;
  for (std::int32_t i = 0; i < list.count(); ++i) {
    EXPECT_EQ(list.nodeAt(i)->tag, 1);
    out.emplace_back(list.textAt(i));
  }
  return out;
}

TEST(TextFile, Utf16LinesWithAndWithoutFinalLineEnd) {
  const Texts expected = {u"a", u"", u"b"};
  EXPECT_EQ(Load(Utf16File({u"a", u"", u"b"})), expected);
  EXPECT_EQ(Load(Utf16Bytes(u"a\r\n\r\nb")), expected);
  EXPECT_EQ(Load(Utf16Bytes(u"\r\n")), Texts{u""});
  EXPECT_EQ(Load(Utf16Bytes(u"\x00e9t\x00e9 \x4e2d")), Texts{u"\x00e9t\x00e9 \x4e2d"});
}

TEST(TextFile, AnsiLinesWithAndWithoutFinalLineEnd) {
  const Texts expected = {u"a", u"", u"b"};
  EXPECT_EQ(Load(AnsiBytes("a\r\n\r\nb\r\n")), expected);
  EXPECT_EQ(Load(AnsiBytes("a\r\n\r\nb")), expected);
  EXPECT_EQ(Load(AnsiBytes("\xe9t\xe9")), Texts{platform::AnsiToUtf16("\xe9t\xe9")});
}

TEST(TextFile, OnlyCrEndsALineAndTheUnitAfterItIsSkipped) {
  EXPECT_EQ(Load(Utf16Bytes(u"a\nb\r\nc")), (Texts{u"a\nb", u"c"}));
  EXPECT_EQ(Load(Utf16Bytes(u"a\rXb\r\n")), (Texts{u"a", u"b"}));
  EXPECT_EQ(Load(Utf16Bytes(u"a\r")), Texts{u"a"});
  EXPECT_EQ(Load(AnsiBytes("a\nb\r\nc")), (Texts{u"a\nb", u"c"}));
  EXPECT_EQ(Load(AnsiBytes("a\rXb\rY")), (Texts{u"a", u"b"}));
  EXPECT_EQ(Load(AnsiBytes("\r\r\r\n")), (Texts{u"", u""}));
}

TEST(TextFile, MarkNeedsAThirdByte) {
  // Exactly FF FE is too short for UTF-16 and is read as one ANSI line.
  EXPECT_EQ(Load({0xFF, 0xFE}), Texts{platform::AnsiToUtf16("\xff\xfe")});
  // A third byte makes it UTF-16; the odd last byte is ignored, leaving no unit at all.
  EXPECT_TRUE(Load({0xFF, 0xFE, 'a'}).empty());
  EXPECT_EQ(Load({0xFF, 0xFE, 'a', 0, 'b'}), Texts{u"a"});
  // Without the mark UTF-16 is taken for ANSI: one unit per byte, zeros included.
  EXPECT_EQ(Load(Utf16Bytes(u"ab", false)).size(), 1u);
  // A mark in the wrong byte order is no mark.
  EXPECT_EQ(Load({0xFE, 0xFF, 'a', 0}).size(), 1u);
}

TEST(TextFile, NothingToReadGivesNoEntries) {
  StringList list;
  EXPECT_EQ(list.loadFromBuffer({}, 261), 0);
  EXPECT_EQ(list.count(), 0);
}

TEST(TextFile, ZeroUnitEndsTheTextOfItsLine) {
  const std::u16string withZero(u"ab\0cd\r\nef", 9);
  EXPECT_EQ(Load(Utf16Bytes(withZero)), (Texts{u"ab", u"ef"}));
  EXPECT_EQ(Load(AnsiBytes(std::string_view("ab\0cd\r\nef", 9))), (Texts{u"ab", u"ef"}));
}

TEST(TextFile, MaxLineCountsCharactersForUtf16AndBytesPlusOneForAnsi) {
  const std::u16string u24(24, u'u');
  EXPECT_EQ(Load(Utf16File({u"x", u24, u"y"}), 24), (Texts{u"x", u24, u"y"}));
  EXPECT_EQ(Load(Utf16File({u"x", u24 + u"u", u"y"}), 24), Texts{u"x"});
  EXPECT_EQ(Load(Utf16Bytes(u"x\r\n" + u24), 24), (Texts{u"x", u24}));  // last line, no CR

  const std::string a23(23, 'a');
  EXPECT_EQ(Load(AnsiBytes("x\r\n" + a23 + "\r\ny"), 24),
            (Texts{u"x", std::u16string(23, u'a'), u"y"}));
  EXPECT_EQ(Load(AnsiBytes("x\r\n" + a23 + "a\r\ny"), 24), Texts{u"x"});
  EXPECT_EQ(Load(AnsiBytes("x\r\n" + a23 + "a"), 24), Texts{u"x"});
  // The first line too long: nothing at all.
  EXPECT_TRUE(Load(Utf16Bytes(u24 + u"u"), 24).empty());
}

TEST(TextFile, LoadFromFile) {
  testsupport::TempDir dir;
  StringList list;
  list.add(u"kept", 5);
  list.buildIndex();
  EXPECT_FALSE(list.loadFromFile(dir.file(u"missing.txt"), 261));
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.textAt(0), u"kept");
  list.clear();

  testsupport::WriteBytes(dir.file(u"empty.txt"), {});
  EXPECT_FALSE(list.loadFromFile(dir.file(u"empty.txt"), 261));
  EXPECT_EQ(list.count(), 0);

  testsupport::WriteBytes(dir.file(u"lines.txt"), Utf16File({u"one", u"two"}));
  EXPECT_TRUE(list.loadFromFile(dir.file(u"lines.txt"), 261));
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.textAt(1), u"two");
  list.clear();

  // A first line that is too long reads no entry, which counts as a failure.
  testsupport::WriteBytes(dir.file(u"long.txt"), Utf16File({u"toolong"}));
  EXPECT_FALSE(list.loadFromFile(dir.file(u"long.txt"), 3));
  // A folder is not a file.
  EXPECT_FALSE(list.loadFromFile(dir.folder(u"sub"), 261));
}

TEST(TextFile, SaveWritesMarkAndCrLfAndClearsTheList) {
  testsupport::TempDir dir;
  StringList list;
  list.add(u"alpha", 1);
  list.add(u"", 1);
  list.add(u"\x00e9\x4e2d", 1);
  list.buildIndex();
  ASSERT_TRUE(list.saveToFile(dir.file(u"out.txt")));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(testsupport::ReadBytes(dir.file(u"out.txt")),
            Utf16Bytes(u"alpha\r\n\r\n\x00e9\x4e2d\r\n"));

  // Round trip through the reader.
  ASSERT_TRUE(list.loadFromFile(dir.file(u"out.txt"), 261));
  list.buildIndex();
  ASSERT_TRUE(list.saveToFile(dir.file(u"again.txt")));
  EXPECT_EQ(testsupport::ReadBytes(dir.file(u"again.txt")),
            testsupport::ReadBytes(dir.file(u"out.txt")));

  // An existing file is replaced, and an empty list writes the mark alone.
  ASSERT_TRUE(list.saveToFile(dir.file(u"out.txt")));
  EXPECT_EQ(testsupport::ReadBytes(dir.file(u"out.txt")), (Bytes{0xFF, 0xFE}));
}

TEST(TextFile, SaveThatCannotCreateTheFileFailsAndClears) {
  testsupport::TempDir dir;
  StringList list;
  list.add(u"a", 1);
  list.buildIndex();
  EXPECT_FALSE(list.saveToFile(dir.file(u"no such folder\\out.txt")));
  EXPECT_EQ(list.count(), 0);
}

TEST(TextFile, JoinEndsEveryEntryWithCrLfAndClears) {
  StringList list;
  list.add(u"b", 0);
  list.add(u"", 0);
  list.add(u"a", 0);
  list.buildIndex();
  EXPECT_EQ(list.join(), u"b\r\n\r\na\r\n");
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.join(), u"");

  // In index order: after a sort that is the sorted order.
  list.add(u"b", 0);
  list.add(u"a", 0);
  list.sortUnique();
  EXPECT_EQ(list.join(), u"a\r\nb\r\n");
}

}  // namespace
