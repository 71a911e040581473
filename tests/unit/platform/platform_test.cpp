#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "platform/wildcard.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(FileReader, ReadsAcrossBufferRefillsAndSeeksBothWays) {
  TempDir dir;
  std::vector<std::uint8_t> bytes(200 * 1024);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  testsupport::WriteBytes(dir.file(u"data.bin"), bytes);

  platform::FileReader reader;
  ASSERT_TRUE(reader.open(dir.file(u"data.bin")));
  EXPECT_EQ(reader.size(), bytes.size());
  std::uint8_t b = 0;
  reader.skip(70000);  // beyond the first buffer
  ASSERT_EQ(reader.read(&b, 1), 1u);
  EXPECT_EQ(b, bytes[70000]);
  reader.skip(-5000);  // back into an earlier range
  ASSERT_EQ(reader.read(&b, 1), 1u);
  EXPECT_EQ(b, bytes[65001]);

  std::vector<std::uint8_t> large(150 * 1024);
  reader.skip(-65002);
  ASSERT_EQ(reader.read(large.data(), large.size()), large.size());
  EXPECT_TRUE(std::equal(large.begin(), large.end(), bytes.begin()));

  reader.skip(static_cast<std::int64_t>(bytes.size()));  // past the end: no error yet
  EXPECT_EQ(reader.read(&b, 1), 0u);
}

TEST(FileReader, ShortReadAtTheEndAndNegativePositionsYieldWhatIsThere) {
  TempDir dir;
  testsupport::WriteText(dir.file(u"abc"), "abc");
  platform::FileReader reader;
  ASSERT_TRUE(reader.open(dir.file(u"abc")));
  char out[8] = {};
  reader.skip(1);
  EXPECT_EQ(reader.read(out, sizeof out), 2u);
  EXPECT_EQ(std::string(out, 2), "bc");
  reader.skip(-10);
  EXPECT_EQ(reader.read(out, 1), 0u);
}

TEST(Files, MissingFilesAndFoldersAreNotOpened) {
  TempDir dir;
  platform::FileReader reader;
  EXPECT_FALSE(reader.open(dir.file(u"missing.pms")));
  EXPECT_FALSE(reader.open(dir.path()));  // a folder is not a file
  EXPECT_TRUE(platform::Exists(dir.path()));
  EXPECT_FALSE(platform::Exists(dir.file(u"missing.pms")));
  EXPECT_FALSE(platform::ReadWholeFile(dir.file(u"missing.pms")).has_value());
}

TEST(Files, WriteNewFileReplacesAndCreateFolderReportsFailure) {
  TempDir dir;
  const std::uint8_t first[] = {1, 2, 3, 4};
  const std::uint8_t second[] = {9};
  ASSERT_TRUE(platform::WriteNewFile(dir.file(u"f.bin"), first));
  ASSERT_TRUE(platform::WriteNewFile(dir.file(u"f.bin"), second));
  EXPECT_EQ(testsupport::ReadBytes(dir.file(u"f.bin")), std::vector<std::uint8_t>{9});
  EXPECT_FALSE(platform::WriteNewFile(dir.file(u"no-such-folder\\f.bin"), first));
  EXPECT_TRUE(platform::CreateFolder(dir.file(u"sub")));
  EXPECT_FALSE(platform::CreateFolder(dir.file(u"sub")));
  EXPECT_TRUE(platform::DeleteFilePath(dir.file(u"f.bin")));
  EXPECT_FALSE(platform::Exists(dir.file(u"f.bin")));
}

TEST(ListFiles, MatchesThePatternInAnyLetterCaseAndSkipsFolders) {
  TempDir dir;
  for (const auto* name : {u"ctf_Ash.PMS", u"dm_a.pms", u"notes.txt", u"x.pmsx"})
    testsupport::WriteText(dir.file(name), "x");
  dir.folder(u"folder.pms");
  auto names = platform::ListFiles(dir.path(), u"*.pms");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"ctf_Ash.PMS", u"dm_a.pms"}));
  EXPECT_TRUE(platform::ListFiles(dir.file(u"missing\\"), u"*.pms").empty());
}

TEST(Wildcard, StarAndQuestionMark) {
  EXPECT_TRUE(platform::WildcardMatch(u"Map.PMS", u"*.pms"));
  EXPECT_TRUE(platform::WildcardMatch(u"a.b.pms", u"*.pms"));
  EXPECT_FALSE(platform::WildcardMatch(u"a.pmsx", u"*.pms"));
  EXPECT_TRUE(platform::WildcardMatch(u"ab", u"a?"));
  EXPECT_FALSE(platform::WildcardMatch(u"a", u"a?"));
  EXPECT_TRUE(platform::WildcardMatch(u"", u"*"));
}

TEST(Ini, RoundTripsValuesAndFallsBackForMissingOnes) {
  TempDir dir;
  const auto file = dir.file(u"Soldat ZEK.ini");
  EXPECT_EQ(platform::ReadIniString(file, u"Settings", u"SoldatPath", u"dflt", 260), u"dflt");
  ASSERT_TRUE(platform::WriteIniString(file, u"Preferences", u"Left", u"100"));
  ASSERT_TRUE(
      platform::WriteIniString(file, u"Settings", u"SoldatPath", u"C:\\Soldat\\Soldat.exe"));
  ASSERT_TRUE(platform::WriteIniString(file, u"Preferences", u"Left", u"120"));
  ASSERT_TRUE(platform::WriteIniString(file, u"Preferences", u"Top", u"7"));
  // Letters outside the ANSI code page survive the round trip.
  ASSERT_TRUE(
      platform::WriteIniString(file, u"Settings", u"Localization", u"\u0420\u0443\u0441.lng"));
  EXPECT_EQ(platform::ReadIniString(file, u"Preferences", u"Left", u"", 260), u"120");
  EXPECT_EQ(platform::ReadIniString(file, u"preferences", u"TOP", u"", 260), u"7");
  EXPECT_EQ(platform::ReadIniString(file, u"Settings", u"SoldatPath", u"", 260),
            u"C:\\Soldat\\Soldat.exe");
  EXPECT_EQ(platform::ReadIniString(file, u"Settings", u"SoldatPath", u"", 6), u"C:\\Sol");
  EXPECT_EQ(platform::ReadIniString(file, u"Settings", u"Localization", u"", 64),
            u"\u0420\u0443\u0441.lng");
  EXPECT_EQ(platform::ReadIniString(file, u"Settings", u"Left", u"none", 260), u"none");
}

TEST(Text, AnsiConversionAndCaseRules) {
  EXPECT_EQ(platform::AnsiToUtf16("Caf\xE9"), u"Caf\u00E9");
  EXPECT_EQ(platform::Utf16ToAnsi(u"Caf\u00E9"), "Caf\xE9");
  EXPECT_EQ(platform::LowerCase(u"CTF_Ash.PMS"), u"ctf_ash.pms");
  EXPECT_EQ(platform::CompareNoCase(u"Map.pms", u"map.PMS"), 0);
  EXPECT_LT(platform::CompareNoCase(u"alpha", u"Bravo"), 0);
  EXPECT_GT(platform::CompareNoCase(u"bravo", u"ALPHA"), 0);
  EXPECT_LT(platform::CompareNoCase(u"map", u"maps"), 0);
}

TEST(Resources, BuiltInTablesAreEmbedded) {
  const auto ui = platform::BuiltinResource(159);
  ASSERT_GT(ui.size(), 2u);
  EXPECT_EQ(ui[0], 0xFF);
  EXPECT_EQ(ui[1], 0xFE);
  EXPECT_FALSE(platform::BuiltinResource(187).empty());
  EXPECT_TRUE(platform::BuiltinResource(12345).empty());
}

}  // namespace
