#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "packing/archive_name.h"
#include "packing_fixture.h"

namespace {

using packingtest::Backslashed;
using packingtest::Narrow;
using packingtest::PackingTest;
using packingtest::Wide;

struct NameRow {
  std::string box;  // "<dir>" stands for an existing folder
  bool rar;
  std::int32_t packCount;
  std::string firstEntry;
  std::string expected;  // "<none>": the box stays as it is
};

std::string Expand(std::string text, const std::string& existing) {
  const std::size_t at = text.find("<dir>");
  if (at != std::string::npos) text.replace(at, 5, existing);
  return text;
}

TEST(NormalizedArchiveName, FollowsTheNamingRules) {
  const testsupport::TempDir dir;
  const std::string existing = Narrow(Backslashed(dir.folder(u"packs")));
  dir.folder(u"packs/q.a");
  const std::u16string defaultFolder = u"C:\\Archives\\";
  const NameRow rows[] = {
      {"", true, 0, "", "<none>"},
      {"", true, 1, "ctf_Ash.PMS", "ctf_ash.rar"},
      {"", true, 1, "house.PFB", "house.rar"},
      {"", false, 3, "ctf_Ash.PMS", "mappack.zip"},
      {"pack.rar", false, 2, "a.PMS", "pack.zip"},
      {"pack.zip", true, 2, "a.PMS", "pack.rar"},
      {"pack.rar", true, 2, "a.PMS", "pack.rar"},  // already normal: unchanged
      {"my.pack.7zp", true, 2, "a.PMS", "my.pack.rar"},
      {"my.pack", true, 2, "a.PMS", "my.pack.rar"},  // a four-letter tail is no extension
      {"X:\\missing\\name.rar", true, 2, "a.PMS", "name.rar"},
      {"X:\\missing\\", true, 2, "a.PMS", "mappack.rar"},
      {"<dir>", true, 2, "a.PMS", "<dir>mappack.rar"},
      {"<dir>", true, 1, "ctf_Ash.PMS", "<dir>ctf_ash.rar"},
      {"<dir>", true, 0, "", "<dir>.rar"},
      {"<dir>mine.zip", true, 2, "a.PMS", "<dir>mine.rar"},
      {"abc", true, 2, "a.PMS", "abc.rar"},
      {"a.zi", true, 2, "a.PMS", "a.zi.rar"},
      {"\\", true, 2, "a.PMS", "\\.rar"},  // a root: no default name behind it
      // A dot next to a backslash belongs to a folder, not to an extension.
      {"<dir>.bcd", true, 2, "a.PMS", "<dir>.bcd.rar"},
      {"<dir>q.a\\b", true, 2, "a.PMS", "<dir>q.a\\b.rar"},
  };
  for (const NameRow& row : rows) {
    SCOPED_TRACE(row.box + " count " + std::to_string(row.packCount));
    const std::u16string entry = Wide(row.firstEntry);
    const std::optional<std::u16string> name = NormalizedArchiveName(
        Wide(Expand(row.box, existing)), {row.rar, row.packCount, entry, defaultFolder});
    EXPECT_EQ(name ? Narrow(*name) : "<none>", Expand(row.expected, existing));
  }
}

// The whole path holds at most 255 characters.
TEST(NormalizedArchiveName, KeepsTheWholePathWithinItsBudget) {
  const testsupport::TempDir dir;
  const std::u16string existing = Backslashed(dir.path());
  const std::u16string folder200 = u"C:\\" + std::u16string(196, u'f') + u"\\";
  const std::u16string longEntry = std::u16string(64, u'M') + u".PMS";  // cut to 64 on reading
  const auto name = [&](std::u16string box, std::int32_t count, std::u16string folder) {
    return *NormalizedArchiveName(box, {true, count, longEntry, folder});
  };
  EXPECT_EQ(name(std::u16string(100, u'n'), 2, folder200), std::u16string(51, u'n') + u".rar");
  // The one entry's name no longer fits behind a long folder: it is cut instead.
  EXPECT_EQ(name(u"", 1, std::u16string(250, u'f')), u"m.rar");
  EXPECT_EQ(name(u"", 1, u"C:\\"), std::u16string(60, u'm') + u".rar");
  // A path of its own counts alone.
  EXPECT_EQ(name(existing + std::u16string(300, u'p'), 2, folder200).size(), 255u);
}

TEST_F(PackingTest, NormalizingSetsTheRarOnlyOptionsAndRewritesTheBox) {
  Choose("ctf_Ash.PMS", kKindMap);
  for (const bool rar : {true, false}) {
    controls.setChecked(ui::Slot::rarRadio, rar);
    controls.repaints.clear();
    NormalizeArchiveName(state);
    for (const ui::Slot slot :
         {ui::Slot::recoveryLabel, ui::Slot::recoveryCombo, ui::Slot::solidCheck})
      EXPECT_EQ(controls.enabled(slot), rar);
    EXPECT_EQ(controls.text(ui::Slot::archiveNameEdit), rar ? u"ctf_ash.rar" : u"ctf_ash.zip");
    EXPECT_THAT(controls.repaints, testing::ElementsAre(ui::Slot::archiveNameEdit));
  }
}

TEST_F(PackingTest, BrowsingForTheArchiveStartsInItsFolderAndTakesThePathAsChosen) {
  const std::tuple<std::u16string, bool, std::u16string> rows[] = {
      {u"D:\\packs\\mine.rar", true, u"D:\\packs\\"},
      {u"mine.zip", false, state.defaultSaveFolder}};
  for (const auto& [box, rar, initialFolder] : rows) {
    controls.setChecked(ui::Slot::rarRadio, rar);
    controls.setText(ui::Slot::archiveNameEdit, box);
    controls.chosenFiles = {u"E:\\chosen name"};
    BrowseArchiveName(state);
    EXPECT_EQ(controls.fileDialogs.back().filter.pattern, rar ? u"*.rar" : u"*.zip");
    EXPECT_EQ(controls.fileDialogs.back().initialFolder, initialFolder);
    EXPECT_EQ(controls.text(ui::Slot::archiveNameEdit), u"E:\\chosen name");
  }
  controls.setText(ui::Slot::archiveNameEdit, u"kept.rar");
  BrowseArchiveName(state);  // cancelled
  EXPECT_EQ(controls.text(ui::Slot::archiveNameEdit), u"kept.rar");
}

}  // namespace
