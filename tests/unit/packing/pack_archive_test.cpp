// The packing steps against a game with its archive content in memory, and an archiver that
// records its command lines and plays the exit codes and durations a test scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "content/archive_content.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "packing/archive_comment.h"
#include "packing/archive_name.h"
#include "packing/pack_archive.h"
#include "packing/winrar_runner.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace {

using fixtures::Utf16File;
using testing::Each;
using testing::ElementsAre;
using testing::IsEmpty;
using ui::Slot;

using Bytes = std::optional<std::vector<std::uint8_t>>;

inline std::string Narrow(std::u16string_view text) {  // the texts here are ASCII
  return {text.begin(), text.end()};
}
inline std::u16string Wide(std::string_view text) {
  return {text.begin(), text.end()};
}

// A folder as a Windows user types it: the posix side turns the backslashes back.
inline std::u16string Backslashed(std::u16string path) {
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  return path;
}

class PackingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir, &controls));
    state.programFolder = dir.folder(u"program");
    state.tempFolder = Backslashed(dir.folder(u"temp"));
    state.defaultSaveFolder = Backslashed(dir.folder(u"packs"));
    state.winRarPath = u"C:\\Program Files\\WinRAR\\WinRAR.exe";
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    controls.setChecked(Slot::rarRadio, true);
    controls.setComboItems(Slot::compressionCombo, {u"0", u"1", u"2", u"3", u"4", u"5"});
    controls.setComboSelection(Slot::compressionCombo, 3);
    controls.setComboItems(Slot::recoveryCombo, std::vector<std::u16string>(11, u"x"));
    state.runProcess = [this](std::u16string_view line, const std::function<void()>& tick) {
      runs.push_back(Narrow(line));
      listFiles.push_back(platform::ReadWholeFile(Temp(u"zek.lst")));
      mapslistFiles.push_back(platform::ReadWholeFile(Temp(u"mapslist.txt")));
      commentFiles.push_back(platform::ReadWholeFile(Temp(u"comment.txt")));
      const auto& [exitCode, ticks] = script.try_emplace(runs.size() - 1, 0, 0).first->second;
      for (int i = 0; i < ticks; ++i) tick();
      return exitCode;
    };
  }

  std::u16string Temp(std::u16string_view name) const {
    return state.tempFolder + std::u16string(name);
  }
  void Put(int kind, std::string_view name, const std::vector<std::uint8_t>& bytes) {
    fixtures::WriteBytes(state.kindFolders[kind] + Wide(name), bytes);
  }
  void PutImage(int kind, std::string_view name) { Put(kind, name, fixtures::BmpBytes(4, 4)); }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {Wide(name), 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
    state.contentStale = true;
  }
  // A map using rock.bmp and its edge and the given sceneries, all present.
  void PutMap(std::string_view name, int kind = kKindMap,
              std::vector<std::string> sceneries = {"tree.bmp"}, std::int32_t spawns = 2) {
    fixtures::PmsSpec recipe;
    recipe.spawnCount = spawns;
    recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
    recipe.sceneryNames = sceneries;
    if (kind == kKindUncompiledMap) recipe.polygonsPerCell = 0;
    Put(kind, name, fixtures::PmsBytes(recipe));
    for (const std::string& scenery : sceneries) PutImage(kKindScenery, scenery);
    PutImage(kKindTexture, "rock.bmp");
    PutImage(kKindEdge, "rock.bmp");
    Choose(name, kind);
  }
  void PutPrefab(std::string_view name, std::vector<std::string> sceneries = {}) {
    fixtures::PfbSpec recipe;
    recipe.sceneryNames = sceneries;
    for (const std::string& scenery : sceneries) PutImage(kKindScenery, scenery);
    Put(kKindPrefab, name, fixtures::PfbBytes(recipe));
    Choose(name, kKindPrefab);
  }

  // Marks one content item, or its whole group for an empty name.
  void Mark(int kind, std::u16string_view name, int mark = kMarkExcluded) {
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    for (ui::TreeItem c = content.child(group); c != ui::kNoItem; c = content.nextSibling(c))
      if (name.empty() || content.text(c) == name) content.setOverlay(c, mark);
  }

  std::string Quoted(std::u16string_view text) const { return "\"" + Narrow(text) + "\""; }
  std::string W() const { return Quoted(state.winRarPath); }
  bool AnyTempFileLeft() const {
    return platform::Exists(Temp(u"zek.lst")) || platform::Exists(Temp(u"mapslist.txt")) ||
           platform::Exists(Temp(u"comment.txt"));
  }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;

  // By run number from 0: the exit code (nothing: the run cannot be started) and the half
  // seconds the run takes.
  using Played = std::pair<std::optional<std::uint32_t>, int>;
  std::map<std::size_t, Played> script;
  std::vector<std::string> runs;
  std::vector<Bytes> listFiles;
  std::vector<Bytes> mapslistFiles;
  std::vector<Bytes> commentFiles;
};

TEST_F(PackingTest, WinRarCommandsAreExactlyWhatWinRarReads) {
  const std::u16string& w = state.winRarPath;
  const std::u16string a = u"D:\\Packed\\mappack.rar";
  const std::string winRar = W() + " ";
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

// Two maps, an uncompiled map and a prefab with their images, all packed with every extra.
class PackSequence : public PackingTest {
 protected:
  void SetUp() override {
    PackingTest::SetUp();
    PutMap("ctf_Ash.PMS");
    PutMap("ctf_Bay.PMS", kKindMap, {"tree.bmp", "bush.png"});
    PutMap("draft.PMS", kKindUncompiledMap);
    PutPrefab("house.PFB", {"bush.png"});
    BuildArchiveContent(state);
    controls.setChecked(Slot::solidCheck, true);
    controls.setComboSelection(Slot::recoveryCombo, 5);
    controls.setChecked(Slot::addCommentCheck, true);
    controls.setText(Slot::commentEdit, u"Caf\u00E9 \u4E2D %descr% %zeksg%");
    UpdateCommentTabIcon(state);
    state.testArchive = state.lockArchive = true;
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
  script[0] = {0, 5};  // half seconds
  script[1] = {0, 2};
  controls.statusTexts.clear();
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
  // The status bar counts dots every half second, from none again for each run; a run done
  // within the first half second leaves it alone.
  const std::u16string m = u"WinRar in progress: Packing maps";
  const std::u16string u = u"WinRar in progress: Packing uncompiled maps";
  EXPECT_EQ(controls.statusTexts,
            (std::vector<std::u16string>{u"", m, m + u".", m + u"..", m + u"...", m, u, u + u".",
                                         u"mappack.rar created successfully"}));
  EXPECT_EQ(std::pair(controls.beeps, controls.flashes), std::pair(1, 1));
  ASSERT_EQ(controls.shellOpens.size(), 1u);
  const ui::ShellRequest& opened = controls.shellOpens[0];
  EXPECT_EQ(opened.verb + u" " + opened.file + u" in " + opened.folder,
            u"Explore " + state.defaultSaveFolder + u" in " + state.defaultSaveFolder);
}

// ZIP, with a comment from the user's own file, which stays.
TEST_F(PackSequence, ZipGetsNoSolidNoRecoveryRecordAndNoLock) {
  controls.setChecked(Slot::rarRadio, false);
  controls.setChecked(Slot::zipRadio, true);
  controls.setComboSelection(Slot::compressionCombo, 0);
  const std::u16string file = dir.file(u"my comment.txt");
  fixtures::WriteBytes(file, std::vector<std::uint8_t>{'h', 'i'});
  controls.setChecked(Slot::useFileCheck, true);
  controls.setText(Slot::commentFileEdit, file);
  UpdateCommentTabIcon(state);
  archive = state.defaultSaveFolder + u"mappack.zip";
  EXPECT_TRUE(PackArchive(state));
  ASSERT_EQ(runs.size(), 9u);
  EXPECT_EQ(runs[0], Add("maps\\", "0"));
  EXPECT_EQ(runs[7], W() + " C -ibck -y -z" + Quoted(file) + " " + Quoted(archive));
  EXPECT_EQ(runs[8], W() + " T -ibck " + Quoted(archive));  // no RR, no K
  EXPECT_FALSE(commentFiles[7]);                            // nothing generated
  EXPECT_TRUE(platform::Exists(file));
  EXPECT_TRUE(controls.shellOpens.empty());  // Explore is off
}

// A prefab and its scenery alone, with no extra chosen: only their two groups run.
TEST_F(PackingTest, OnlyGroupsWithIncludedFilesAndChosenExtrasRun) {
  PutPrefab("house.PFB", {"tree.bmp"});
  EXPECT_TRUE(PackArchive(state));
  const std::string tail =
      "\" " + Quoted(state.defaultSaveFolder + u"house.rar") + " @" + Quoted(Temp(u"zek.lst"));
  EXPECT_THAT(runs,
              ElementsAre(W() + " A -y -ibck -ed -ep -m3 -ap\"Soldat PolyWorks\\Prefabs\\" + tail,
                          W() + " A -y -ibck -ed -ep -m3 -ap\"scenery-gfx\\" + tail));
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
      controls.statusTexts = {u"mappack.rar created successfully"};  // an earlier pack
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
      // The runs take no time, so only the clearing at the start shows.
      EXPECT_EQ(controls.statusTexts.back(), u"");
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
    controls.statusTexts.clear();
    fixtures::WriteBytes(blocked + u"/inside", std::vector<std::uint8_t>{1});
    controls.answers = {true};  // overwrite the archive
    EXPECT_FALSE(PackArchive(state));
    EXPECT_EQ(runs.size(), runsBefore);
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].text.substr(0, blocked.size() + 2), blocked + u"\r\n");
    EXPECT_THAT(controls.statusTexts, Each(IsEmpty()));
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

  PutMap("nospawn.PMS", kKindMap, {}, 0);  // a problem, reported; the map is still packed
  controls.answers = {false, true};
  EXPECT_FALSE(PackArchive(state));  // rebuilds the stale content first
  ASSERT_TRUE(state.contentReport);
  EXPECT_THAT(controls.questions,
              ElementsAre(u"Several problems with the map(s) were detected. Continue?"));
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(PackArchive(state));
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), u"nospawn.rar");
}

// The tab icon says whether a comment will be added; the controls follow the two boxes.
TEST_F(PackingTest, CommentControlsAndTabIconFollowAddCommentAndUseThisFile) {
  const std::u16string existing = dir.file(u"comment file.txt");
  fixtures::WriteBytes(existing, std::vector<std::uint8_t>{'x'});
  struct Row {
    bool add, useFile;
    std::u16string file, box;
    bool templateSet;
    int image;
    std::string enabled;      // use file, browse, file box, load template, comment box
    bool choiceOnly = false;  // "Use this file:" alone was clicked
  };
  const Row rows[] = {
      {false, false, u"", u"text", true, 15, "00000"},
      {false, true, existing, u"", true, 15, "00000"},
      {true, false, u"", u"text", true, 14, "10011"},
      {true, false, existing, u"", false, 15, "10001"},
      {true, true, existing, u"", true, 14, "11100"},
      {true, true, dir.file(u"gone.txt"), u"text", true, 15, "11100"},
      {true, true, u"", u"text", true, 15, "11100"},
      // It switches between the file and the box, whatever "Add comment" says.
      {false, true, u"", u"text", true, 15, "11100", true},
      {false, false, u"", u"text", true, 15, "10011", true},
  };
  const Slot slots[] = {Slot::useFileCheck, Slot::browseCommentFileButton, Slot::commentFileEdit,
                        Slot::loadTemplateButton, Slot::commentEdit};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(&row - rows));
    controls.setChecked(Slot::addCommentCheck, row.add);
    controls.setChecked(Slot::useFileCheck, row.useFile);
    controls.setText(Slot::commentFileEdit, row.file);
    controls.setText(Slot::commentEdit, row.box);
    state.templatePath = row.templateSet ? u"C:\\template.txt" : u"";
    controls.tabs[kCommentTab].image = -1;
    row.choiceOnly ? CommentFileChoiceChanged(state) : UpdateCommentControls(state);
    EXPECT_EQ(controls.tabImage(kCommentTab), row.image);
    std::string enabled;
    for (const Slot slot : slots) enabled += controls.enabled(slot) ? '1' : '0';
    EXPECT_EQ(enabled, row.enabled);
  }
}

TEST_F(PackingTest, TheTemplateIsReadAsAnsiTextOrTheFailureNamesTheFile) {
  state.templatePath = dir.file(u"template.txt");
  controls.setText(Slot::commentEdit, u"before");
  EXPECT_FALSE(LoadCommentTemplate(state));
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
  EXPECT_EQ(controls.messages[0].text,
            state.templatePath + u"\r\nFailed to load comment template!");
  EXPECT_EQ(controls.text(Slot::commentEdit), u"before");

  // A byte-order mark is not recognized, and a zero byte ends the text.
  fixtures::WriteBytes(
      state.templatePath,
      std::vector<std::uint8_t>{0xFF, 0xFE, 'C', 'a', 'f', 0xE9, '\r', '\n', 'x', 0, 'y'});
  EXPECT_TRUE(LoadCommentTemplate(state));
  EXPECT_EQ(controls.text(Slot::commentEdit), u"\u00FF\u00FECaf\u00E9\r\nx");
  EXPECT_EQ(controls.statusTexts.back(), u"Comment template loaded successfully");
}

// The date is the file's own, "dd.mm.yyyy  hh:mm"; the rest is exact.
void ExpectOneFileComment(const std::string& comment, const std::string& rest) {
  ASSERT_GT(comment.size(), 23u);
  std::string date = comment.substr(0, 23);
  for (char& c : date) c = c >= '0' && c <= '9' ? '0' : c;
  EXPECT_EQ(date, "Date: 00.00.0000  00:00");
  EXPECT_EQ(comment.substr(23), rest + "--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

// Several files, then one map, one prefab and none, as the content marks leave them.
TEST_F(PackingTest, TheCommentDescribesWhatIsIncluded) {
  PutMap("ctf_Bay.PMS");
  PutMap("ctf_Ash.PMS");
  PutMap("draft.PMS", kKindUncompiledMap);
  PutPrefab("house.PFB");
  PutPrefab("wall.PFB");
  BuildArchiveContent(state);
  Mark(kKindUncompiledMap, u"draft.PMS");
  controls.setText(Slot::commentEdit,
                   u"Date: %mdate%\r\nAbout: %descr%\r\n%stats%--\r\n%mlist%--\r\n%zeksg%\r\n"
                   u"%stats%%MDATE%");
  const auto comment = [&] { return ComposeArchiveComment(state, {2026, 12, 5, 14, 30, 0}); };
  EXPECT_EQ(comment(),
            u"Date: 05.12.2026\r\nAbout: mappack\r\nMaps - 2\r\nPrefabs - 2\r\n--\r\n"
            u"ctf_Ash.PMS\r\nctf_Bay.PMS\r\nhouse.PFB\r\nwall.PFB\r\n--\r\n"
            u"Packed with ZEK v3.0.7\r\n%stats%%MDATE%");

  Mark(kKindMap, u"ctf_Bay.PMS");
  Mark(kKindPrefab, u"");
  ExpectOneFileComment(Narrow(comment()),
                       "\r\nAbout: A test map\r\nPolygons: ---- 10\r\nSceneries: --- 1\r\n"
                       "Spawns: ------ 2\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n"
                       "Nade kits: --- 3\r\nMed kits: ---- 4\r\nJet: --------- 190\r\n"
                       "Weather: ----- None\r\nSteps: ------- Hard\r\n--\r\nctf_Ash.PMS");

  Mark(kKindMap, u"");
  Mark(kKindPrefab, u"house.PFB", kMarkIncluded);
  ExpectOneFileComment(Narrow(comment()),
                       "\r\nAbout: prefab\r\nPolygons: ---- 2\r\nSceneries: --- 0\r\n"
                       "Spawns: ------ 0\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n--\r\n"
                       "house.PFB");

  Mark(kKindPrefab, u"");
  EXPECT_EQ(comment(),
            u"Date: 05.12.2026\r\nAbout: \r\n--\r\n--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

TEST(NormalizedArchiveName, FollowsTheNamingRulesWithinThePathBudget) {
  const testsupport::TempDir dir;
  const std::string d = Narrow(Backslashed(dir.folder(u"packs")));  // an existing folder
  dir.folder(u"packs/q.a");
  // The box, RAR or ZIP, the pack list's count (its first entry is ctf_Ash.PMS) and the name
  // ("<none>": the box stays as it is).
  const std::tuple<std::string, bool, std::int32_t, std::string> rows[] = {
      {"", true, 0, "<none>"},
      {"", true, 1, "ctf_ash.rar"},
      {"", false, 3, "mappack.zip"},
      {"pack.rar", false, 2, "pack.zip"},
      {"pack.zip", true, 2, "pack.rar"},
      {"pack.rar", true, 2, "pack.rar"},  // already normal: unchanged
      {"my.pack.7zp", true, 2, "my.pack.rar"},
      {"my.pack", true, 2, "my.pack.rar"},  // a four-letter tail is no extension
      {"X:\\missing\\name.rar", true, 2, "name.rar"},
      {"X:\\missing\\", true, 2, "mappack.rar"},
      {d, true, 2, d + "mappack.rar"},
      {d, true, 1, d + "ctf_ash.rar"},
      {d, true, 0, d + ".rar"},
      {d + "mine.zip", true, 2, d + "mine.rar"},
      {"abc", true, 2, "abc.rar"},
      {"a.zi", true, 2, "a.zi.rar"},
      {"\\", true, 2, "\\.rar"},  // a root: no default name behind it
      // A dot next to a backslash belongs to a folder, not to an extension.
      {d + ".bcd", true, 2, d + ".bcd.rar"},
      {d + "q.a\\b", true, 2, d + "q.a\\b.rar"},
  };
  for (const auto& [box, rar, packCount, expected] : rows) {
    SCOPED_TRACE(box + " count " + std::to_string(packCount));
    const std::optional<std::u16string> name =
        NormalizedArchiveName(Wide(box), {rar, packCount, u"ctf_Ash.PMS", u"C:\\Archives\\"});
    EXPECT_EQ(name ? Narrow(*name) : "<none>", expected);
  }

  // The whole path holds at most 255 characters.
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
  EXPECT_EQ(name(Wide(d) + std::u16string(300, u'p'), 2, folder200).size(), 255u);
}

TEST_F(PackingTest, NormalizingSetsTheRarOnlyOptionsAndRewritesTheBox) {
  Choose("ctf_Ash.PMS", kKindMap);
  for (const bool rar : {true, false}) {
    controls.setChecked(Slot::rarRadio, rar);
    controls.repaints.clear();
    NormalizeArchiveName(state);
    for (const ui::Slot slot : {Slot::recoveryLabel, Slot::recoveryCombo, Slot::solidCheck})
      EXPECT_EQ(controls.enabled(slot), rar);
    EXPECT_EQ(controls.text(Slot::archiveNameEdit), rar ? u"ctf_ash.rar" : u"ctf_ash.zip");
    EXPECT_THAT(controls.repaints, ElementsAre(Slot::archiveNameEdit));
  }
}

// Both browse dialogs start in the folder of their box, or a default one, and take the choice.
TEST_F(PackingTest, BrowsingStartsInTheBoxFolderOrADefaultAndTakesTheChoice) {
  // The box and its text, RAR or ZIP, and the dialog's folder and filter.
  const std::tuple<Slot, std::u16string, bool, std::u16string, std::u16string> rows[] = {
      {Slot::archiveNameEdit, u"D:\\packs\\mine.rar", true, u"D:\\packs\\", u"*.rar"},
      {Slot::archiveNameEdit, u"mine.zip", false, state.defaultSaveFolder, u"*.zip"},
      {Slot::commentFileEdit, u"D:\\notes\\c.txt", true, u"D:\\notes\\", u"*.txt"},
      {Slot::commentFileEdit, u"", true, state.programFolder, u"*.txt"},
  };
  for (const auto& [box, text, rar, folder, pattern] : rows) {
    controls.setChecked(Slot::rarRadio, rar);
    controls.setText(box, text);
    controls.chosenFiles = {u"E:\\chosen name"};
    box == Slot::archiveNameEdit ? BrowseArchiveName(state) : BrowseCommentFile(state);
    EXPECT_EQ(controls.fileDialogs.back().filter.pattern, pattern);
    EXPECT_EQ(controls.fileDialogs.back().initialFolder, folder);
    EXPECT_EQ(controls.text(box), u"E:\\chosen name");
  }
  controls.setText(Slot::archiveNameEdit, u"kept.rar");
  BrowseArchiveName(state);  // cancelled
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), u"kept.rar");
}

}  // namespace
