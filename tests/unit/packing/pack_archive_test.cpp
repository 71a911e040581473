#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "content/archive_content.h"
#include "packing/archive_comment.h"
#include "packing/pack_archive.h"
#include "packing/winrar_runner.h"
#include "packing_fixture.h"

namespace {

using fixtures::Utf16File;
using packingtest::Narrow;
using packingtest::PackingTest;
using testing::ElementsAre;

TEST(WinRarCommands, AreExactlyWhatWinRarReads) {
  const std::u16string w = u"C:\\Win RAR\\WinRAR.exe";
  const std::u16string a = u"D:\\Packed\\mappack.rar";
  const std::string winRar = "\"C:\\Win RAR\\WinRAR.exe\" ";
  const std::string archive = " \"D:\\Packed\\mappack.rar\"";
  for (const bool rar : {true, false}) {
    for (const bool solid : {true, false}) {
      for (int c = 0; c <= 5; ++c) {
        const AddCommand add = BuildAddCommand(w, {rar, c, solid, 5}, a, u"C:\\Temp\\zek.lst");
        const std::string head =
            winRar + "A -y -ibck -ed -ep -m" + std::to_string(c) + (rar && solid ? " -s" : "");
        const std::string tail = archive + " @\"C:\\Temp\\zek.lst\"";
        EXPECT_EQ(Narrow(add.with(u"maps\\")), head + " -ap\"maps\\\"" + tail);
        // The mapslist lands in the archive's root: no -ap, as WinRAR reads -ap"" as -ap".
        EXPECT_EQ(Narrow(add.with(u"")), head + tail);
      }
    }
  }
  for (int percent = 1; percent <= 10; ++percent) {
    EXPECT_EQ(Narrow(BuildRecoveryCommand(w, percent, a)),
              winRar + "RR" + std::to_string(percent) + "% -ibck -y" + archive);
  }
  EXPECT_EQ(Narrow(BuildCommentCommand(w, u"C:\\Temp\\comment.txt", a)),
            winRar + "C -ibck -y -z\"C:\\Temp\\comment.txt\"" + archive);
  EXPECT_EQ(Narrow(BuildTestCommand(w, a)), winRar + "T -ibck" + archive);
  EXPECT_EQ(Narrow(BuildLockCommand(w, a)), winRar + "K -ibck -y" + archive);
}

TEST_F(PackingTest, TheRunnerCountsDotsEveryHalfSecondAndStartsAgainEachRun) {
  const std::u16string t = u"WinRar in progress: Packing maps";
  const std::pair<int, std::vector<std::u16string>> rows[] = {
      {0, {}},  // done within the first half second: the status bar is left alone
      {2, {t, t + u"."}},
      {5, {t, t + u".", t + u"..", t + u"...", t}},
      {1, {t}},
  };
  for (const auto& [ticks, shown] : rows) {
    controls.statusTexts.clear();
    script[runs.size()] = {0, ticks};
    EXPECT_TRUE(RunWinRar(state, u"\"x\" T", t).succeeded());
    EXPECT_EQ(controls.statusTexts, shown) << ticks;
  }
}

// Two maps, an uncompiled map and a prefab with their images, all packed with every extra.
class PackSequence : public PackingTest {
 protected:
  void SetUp() override {
    PackingTest::SetUp();
    PutMap("ctf_Ash.PMS");
    PutMap("ctf_Bay.PMS", kKindMap, "Bay", {"tree.bmp", "bush.png"});
    PutMap("draft.PMS", kKindUncompiledMap);
    PutPrefab("house.PFB", {"bush.png"});
    Build();
    controls.setChecked(ui::Slot::solidCheck, true);
    controls.setComboSelection(ui::Slot::recoveryCombo, 5);
    controls.setChecked(ui::Slot::addCommentCheck, true);
    controls.setText(ui::Slot::commentEdit, u"Caf\u00E9 \u4E2D %descr% %zeksg%");
    UpdateCommentTabIcon(state);
    state.testArchive = true;
    state.lockArchive = true;
    archive = state.defaultSaveFolder + u"mappack.rar";
  }

  std::string Add(std::string_view inside, std::string m = "3 -s") const {
    const std::string ap = inside.empty() ? "" : " -ap\"" + std::string(inside) + "\"";
    return W() + " A -y -ibck -ed -ep -m" + m + ap + " " + Quoted(archive) + " @" +
           Quoted(Temp(u"zek.lst"));
  }

  std::u16string archive;
};

TEST_F(PackSequence, RunsEveryStepInOrderAndReportsSuccess) {
  state.explore = true;
  EXPECT_TRUE(PackArchive(state));

  const std::string a = Quoted(archive);
  EXPECT_THAT(runs, ElementsAre(Add("maps\\"), Add("Soldat PolyWorks\\Maps\\"),
                                Add("Soldat PolyWorks\\Prefabs\\"), Add("scenery-gfx\\"),
                                Add("textures\\"), Add("textures\\edges\\"), Add(""),
                                W() + " C -ibck -y -z" + Quoted(Temp(u"comment.txt")) + " " + a,
                                W() + " RR5% -ibck -y " + a, W() + " T -ibck " + a,
                                W() + " K -ibck -y " + a));

  // Each add run reads a fresh list: UTF-16LE with its mark, one full path a line.
  const auto& folders = state.kindFolders;
  EXPECT_EQ(listFiles[0], Utf16File({folders[0] + u"ctf_Ash.PMS", folders[0] + u"ctf_Bay.PMS"}));
  EXPECT_EQ(listFiles[2], Utf16File({folders[2] + u"house.PFB"}));
  EXPECT_EQ(listFiles[3], Utf16File({folders[3] + u"bush.png", folders[3] + u"tree.bmp"}));
  EXPECT_EQ(listFiles[6], Utf16File({Temp(u"mapslist.txt")}));
  EXPECT_EQ(mapslistFiles[6], Utf16File({u"ctf_Ash", u"ctf_Bay"}));
  const std::string comment = "Caf\xE9 ? mappack Packed with ZEK v3.0.7";  // ANSI
  EXPECT_EQ(commentFiles[7], std::vector<std::uint8_t>(comment.begin(), comment.end()));

  EXPECT_FALSE(AnyTempFileLeft());
  EXPECT_EQ(controls.statusTexts.back(), u"mappack.rar created successfully");
  EXPECT_EQ(std::pair(controls.beeps, controls.flashes), std::pair(1, 1));
  ASSERT_EQ(controls.shellOpens.size(), 1u);
  const ui::ShellRequest& opened = controls.shellOpens[0];
  EXPECT_EQ(opened.verb + u" " + opened.file + u" in " + opened.folder,
            u"Explore " + state.defaultSaveFolder + u" in " + state.defaultSaveFolder);
}

TEST_F(PackSequence, ZipGetsNoSolidNoRecoveryRecordAndNoLock) {
  controls.setChecked(ui::Slot::rarRadio, false);
  controls.setChecked(ui::Slot::zipRadio, true);
  controls.setComboSelection(ui::Slot::compressionCombo, 0);
  archive = state.defaultSaveFolder + u"mappack.zip";
  EXPECT_TRUE(PackArchive(state));
  ASSERT_EQ(runs.size(), 9u);
  EXPECT_EQ(runs[0], Add("maps\\", "0"));
  EXPECT_EQ(runs[8], W() + " T -ibck " + Quoted(archive));  // after the comment: no RR, no K
  EXPECT_TRUE(controls.shellOpens.empty());                 // Explore is off
}

TEST_F(PackSequence, OnlyGroupsWithIncludedFilesAndChosenExtrasRun) {
  // Only the sceneries stay included: no mapslist either, as no map is packed.
  for (const int kind : {kKindMap, kKindUncompiledMap, kKindPrefab, kKindTexture, kKindEdge})
    Mark(kind, u"");
  Mark(kKindScenery, u"bush.png");
  RefreshContentMarks(state);
  controls.setChecked(ui::Slot::addCommentCheck, false);
  UpdateCommentTabIcon(state);
  controls.setComboSelection(ui::Slot::recoveryCombo, 0);
  state.testArchive = state.lockArchive = false;

  EXPECT_TRUE(PackArchive(state));
  EXPECT_THAT(runs, ElementsAre(Add("scenery-gfx\\")));
  EXPECT_EQ(listFiles[0], Utf16File({state.kindFolders[3] + u"tree.bmp"}));
}

TEST_F(PackSequence, ACommentFromTheUsersFileIsAddedAndTheFileStays) {
  const std::u16string file = dir.file(u"my comment.txt");
  fixtures::WriteBytes(file, std::vector<std::uint8_t>{'h', 'i'});
  controls.setChecked(ui::Slot::useFileCheck, true);
  controls.setText(ui::Slot::commentFileEdit, file);
  UpdateCommentTabIcon(state);
  EXPECT_TRUE(PackArchive(state));
  EXPECT_EQ(runs[7], W() + " C -ibck -y -z" + Quoted(file) + " " + Quoted(archive));
  EXPECT_FALSE(commentFiles[7]);  // nothing generated
  EXPECT_TRUE(platform::Exists(file));
}

TEST_F(PackSequence, AFailedStepStopsAtOnceWithItsNameAndExitCode) {
  const char* const steps[] = {
      "Packing maps",           "Packing uncompiled maps", "Packing prefabs",  "Packing sceneries",
      "Packing textures",       "Packing edges",           "Packing mapslist", "Adding comment",
      "Adding recovery record", "Testing archive",         "Locking archive"};
  state.explore = true;
  for (std::size_t step = 0; step < std::size(steps); ++step) {
    for (const std::optional<std::uint32_t> code : {std::optional<std::uint32_t>(2), {}}) {
      SCOPED_TRACE(steps[step]);
      runs.clear();
      controls.messages.clear();
      controls.statusTexts.clear();
      script.clear();
      for (std::size_t before = 0; before < step; ++before) script[before] = {1, 0};  // warnings
      script[step] = {code, 0};

      EXPECT_FALSE(PackArchive(state));
      EXPECT_EQ(runs.size(), step + 1);
      ASSERT_EQ(controls.messages.size(), 1u);
      EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
      EXPECT_EQ(Narrow(controls.messages[0].text),
                std::string(steps[step]) + " failed: WinRAR " +
                    (code ? "ended with exit code 2." : "could not be started.") +
                    "\r\nPacking stopped. Whatever part of the archive was made is left where "
                    "it is:\r\n" +
                    Narrow(archive));
      EXPECT_FALSE(SaidSuccess());
      EXPECT_EQ(controls.beeps + controls.flashes + controls.shellOpens.size(), 0u);
      EXPECT_FALSE(AnyTempFileLeft());
    }
  }
}

// A folder in the place of a temporary file or of the archive cannot be written or deleted.
TEST_F(PackSequence, AFileThatCannotBeWrittenOrDeletedStopsBeforeItsRun) {
  const std::pair<std::u16string, std::size_t> rows[] = {
      {Temp(u"zek.lst"), 0}, {Temp(u"mapslist.txt"), 6}, {Temp(u"comment.txt"), 7}, {archive, 0}};
  for (const auto& [blocked, runsBefore] : rows) {
    SCOPED_TRACE(Narrow(blocked));
    runs.clear();
    controls.messages.clear();
    fixtures::WriteBytes(blocked + u"/inside", std::vector<std::uint8_t>{1});
    controls.answers = {true};  // overwrite the archive
    EXPECT_FALSE(PackArchive(state));
    EXPECT_EQ(runs.size(), runsBefore);
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].text.substr(0, blocked.size() + 2), blocked + u"\r\n");
    EXPECT_FALSE(SaidSuccess());
    std::filesystem::remove_all(fixtures::NativePath(blocked));
  }
}

TEST_F(PackSequence, AnExistingArchiveIsReplacedOnlyOnYes) {
  fixtures::WriteBytes(archive, std::vector<std::uint8_t>{'o', 'l', 'd'});
  controls.answers = {false, true};
  EXPECT_FALSE(PackArchive(state));
  EXPECT_THAT(controls.questions,
              ElementsAre(u"Archive with specified name already exists. Overwrite?"));
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(platform::Exists(archive));
  EXPECT_TRUE(PackArchive(state));
  EXPECT_FALSE(platform::Exists(archive));  // the recorder made nothing
  EXPECT_EQ(runs.size(), 11u);
}

TEST_F(PackingTest, NothingToPackAndProblemsTheUserDeclinesRunNothing) {
  EXPECT_FALSE(PackArchive(state));  // an empty pack list
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].text, u"There is no valid files to pack!");

  fixtures::PmsSpec broken;
  broken.spawnCount = 0;  // a problem, reported; the map is still packed
  Put(kKindMap, "nospawn.PMS", fixtures::PmsBytes(broken));
  PutImage(kKindTexture, "rock.bmp");
  PutImage(kKindEdge, "rock.bmp");
  Choose("nospawn.PMS", kKindMap);
  controls.answers = {false, true};
  EXPECT_FALSE(PackArchive(state));  // rebuilds the stale content first
  ASSERT_TRUE(state.contentReport);
  EXPECT_THAT(controls.questions,
              ElementsAre(u"Several problems with the map(s) were detected. Continue?"));
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(PackArchive(state));
  EXPECT_EQ(controls.text(ui::Slot::archiveNameEdit), u"nospawn.rar");
}

}  // namespace
