#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(FileReader, ReadsAcrossBufferRefillsSeeksBothWaysAndYieldsOnlyWhatIsThere) {
  TempDir dir;
  std::vector<std::uint8_t> bytes(200 * 1024);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  fixtures::WriteBytes(dir.file(u"data.bin"), bytes);
  platform::FileReader reader;
  ASSERT_TRUE(reader.open(dir.file(u"data.bin")));
  std::uint8_t b[2] = {};
  // Beyond the first buffer, back into an earlier range, and a short read at the end.
  for (const std::int64_t at : {70000, 65000, 200 * 1024 - 1}) {
    reader.skip(at - reader.position());
    ASSERT_EQ(reader.read(b, 2), at == 200 * 1024 - 1 ? 1u : 2u);
    EXPECT_EQ(b[0], bytes[static_cast<std::size_t>(at)]);
  }
  std::vector<std::uint8_t> large(150 * 1024);
  reader.skip(-reader.position());
  ASSERT_EQ(reader.read(large.data(), large.size()), large.size());
  EXPECT_TRUE(std::equal(large.begin(), large.end(), bytes.begin()));
  for (const std::int64_t away : {std::int64_t{200 * 1024}, std::int64_t{-400 * 1024}}) {
    reader.skip(away);  // past either end: no error, nothing read
    EXPECT_EQ(reader.read(b, 1), 0u);
  }
}

TEST(Files, MissingFilesAndFoldersAreNotOpenedListsMatchInAnyCaseAndHugeFilesAreNotRead) {
  TempDir dir;
  platform::FileReader reader;
  EXPECT_FALSE(reader.open(dir.file(u"missing.pms")));
  EXPECT_FALSE(reader.open(dir.path()));  // a folder is not a file
  const std::uint8_t bytes[] = {1};
  EXPECT_FALSE(platform::WriteNewFile(dir.file(u"no-such-folder\\f.bin"), bytes));
  for (const auto* name : {u"ctf_Ash.PMS", u"dm_a.pms", u"notes.txt", u"x.pmsx"})
    fixtures::WriteText(dir.file(name), "x");
  auto names = platform::ListFiles(dir.path(), u"*.pms");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"ctf_Ash.PMS", u"dm_a.pms"}));
  EXPECT_TRUE(platform::ListFiles(dir.file(u"missing\\"), u"*.pms").empty());

  // A folder named like an image is not the image; a stranger's huge list or template is
  // refused whole instead of being read into memory.
  fixtures::WriteText(dir.file(u"Tree.bmp"), "x");
  dir.folder(u"rock.bmp");
  EXPECT_TRUE(platform::IsFile(dir.file(u"tree.BMP")));
  EXPECT_FALSE(platform::IsFile(dir.file(u"rock.bmp")));
  EXPECT_TRUE(platform::Exists(dir.file(u"rock.bmp")));

  const std::u16string huge = dir.file(u"huge.txt");
  fixtures::WriteText(huge, "x");
  std::filesystem::resize_file(dir.native() / "huge.txt", platform::kMaxWholeFileBytes);
  EXPECT_TRUE(platform::ReadWholeFile(huge));
  std::filesystem::resize_file(dir.native() / "huge.txt", platform::kMaxWholeFileBytes + 1);
  EXPECT_FALSE(platform::ReadWholeFile(huge));
}

// Another program's file may hold a line of any length; writing one key keeps all of it.
TEST(Ini, RoundTripsValuesFallsBackForMissingOnesAndKeepsEveryLineHoweverLong) {
  TempDir dir;
  const auto file = dir.file(u"Soldat ZEK.ini");
  const auto read = [&](std::u16string_view section, std::u16string_view key, std::size_t max) {
    return platform::ReadIniString(file, section, key, u"none", max);
  };
  EXPECT_EQ(read(u"Settings", u"SoldatPath", 260), u"none");
  // Names match in any letter case; letters outside the ANSI code page survive.
  for (const auto& [section, key, value] :
       {std::tuple{u"Preferences", u"Left", u"100"},
        {u"Settings", u"Path", u"C:\\Soldat\\"},
        {u"preferences", u"LEFT", u"120"},
        {u"Settings", u"Localization", u"\u0420\u0443\u0441.lng"}})
    ASSERT_TRUE(platform::WriteIniString(file, section, key, value));
  EXPECT_EQ(read(u"PREFERENCES", u"left", 260), u"120");
  EXPECT_EQ(read(u"Settings", u"Path", 6), u"C:\\Sol");
  EXPECT_EQ(read(u"Settings", u"Localization", 64), u"\u0420\u0443\u0441.lng");
  EXPECT_EQ(read(u"Settings", u"Left", 260), u"none");

  const auto ansi = dir.file(u"soldat.ini");
  const std::string longLine = "Motd=" + std::string(5000, 'm');
  const std::string before =
      "[NETWORK]\r\n" + longLine + "\r\nPort=23073\r\n[GAME]\r\nGameStyle=0\r\n";
  fixtures::WriteText(ansi, before);
  ASSERT_TRUE(platform::WriteIniString(ansi, u"GAME", u"GameStyle", u"3\u00E9",
                                       platform::NewIniFile::kAnsi));
  const auto bytes = platform::ReadWholeFile(ansi);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
            "[NETWORK]\r\n" + longLine + "\r\nPort=23073\r\n[GAME]\r\nGameStyle=3\xE9\r\n");
  EXPECT_EQ(platform::ReadIniString(ansi, u"NETWORK", u"Port", u"", 260), u"23073");
}

}  // namespace
