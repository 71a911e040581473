#include "packing/command_line.h"
#include "packing/mapslists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "config/ui_text.h"
#include "fixtures/fixture_files.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using fixtures::ReadBytes;
using fixtures::Utf16File;
using fixtures::WriteBytes;
using fixtures::WriteText;
using ui::Slot;

std::string Narrow(std::u16string_view text) {
  return {text.begin(), text.end()};
}

// The non-blank lines of a text file: Wine's profile API writes the file again without them.
std::vector<std::u16string> Lines(std::u16string_view path) {
  StringList list;
  EXPECT_TRUE(list.loadFromFile(path, 4096));
  std::vector<std::u16string> lines;
  for (std::int32_t i = 0; i < list.count(); ++i)
    if (!list.textAt(i).empty()) lines.emplace_back(list.textAt(i));
  return lines;
}

// A game and its editor's folders, with the built-in UI text and game modes.
class Mapslists : public testing::Test {
 protected:
  void SetUp() override {
    state.programFolder = dir.folder(u"program");
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.packTree = &pack;
    state.soldatFolder = dir.path() + u"Soldat\\";
    state.soldatPath = state.soldatFolder + u"Soldat.exe";
    state.kindFolders[kKindMap] = state.soldatFolder + u"maps\\";
    state.kindFolders[kKindUncompiledMap] = dir.path() + u"PolyWorks\\Uncompiled\\";
    state.kindFolders[kKindPrefab] = dir.path() + u"PolyWorks\\Prefabs\\";
    ClearPackList(state);
  }

  void Add(std::u16string_view text, int image) {
    pack.insertLast(state.packRoot, {text, image, image});
    ++state.packCount;
  }
  std::u16string SoldatFile(std::u16string_view name) const {
    return state.soldatFolder + std::u16string(name);
  }

  testsupport::TempDir dir;
  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  std::vector<ui::ShellRequest>& started = controls.shellOpens;
};

// Saving keeps only the maps of the maps folder, without extension. Loading replaces the pack
// list with the file's maps, sorted and unique. A file that gives no line leaves the pack list
// as it was and names itself in the warning: the longest line is 46 characters in UTF-16, 45
// bytes in ANSI (one goes to the end).
TEST_F(Mapslists, SavingKeepsMapsAndLoadingReplacesThePackListOrChangesNothing) {
  Add(u"ctf_Ash.PMS", 11);
  Add(u"inf_Abel.pms", 11);
  Add(u"test.PMS", 12);
  Add(u"house.PFB", 13);
  const std::u16string path = dir.file(u"saved.txt");

  ASSERT_TRUE(SaveMapslist(state, controls, path));
  EXPECT_EQ(ReadBytes(path), Utf16File({u"ctf_Ash", u"inf_Abel"}));
  EXPECT_EQ(controls.statusTexts.back(), u"Mapslist saved successfully");

  const std::u16string nowhere = dir.path() + u"missing\\saved.txt";
  EXPECT_FALSE(SaveMapslist(state, controls, nowhere));
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
  EXPECT_EQ(controls.messages[0].text, nowhere + u"\r\nFailed to save the mapslist!");

  const std::string before = pack.outline();
  const auto file = [&](std::u16string_view name, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(dir.file(name), bytes);
    return dir.file(name);
  };
  const auto ansi = [](const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  for (const std::u16string& path :
       {file(u"overlong16.txt", Utf16File({std::u16string(47, u'w'), u"ctf_Ash"})),
        file(u"overlong.txt", ansi(std::string(46, 'a') + "\r\nctf_Ash\r\n")),
        file(u"empty.txt", {}), dir.file(u"missing.txt")}) {
    controls.messages.clear();
    EXPECT_FALSE(LoadMapslist(state, controls, path));
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].text, path + u"\r\nFailed to load the mapslist!");
    EXPECT_EQ(pack.outline(), before);
  }
  controls.messages.clear();
  ASSERT_TRUE(LoadMapslist(state, controls,
                           file(u"rotation.txt", Utf16File({u"b", u"a", u"B", u"", u"a"}))));
  // b and B are one map; which spelling stays is the sort's choice.
  const std::string head = "Maps to pack ( 2 ) [2/2] +\n  a.PMS [11/11]\n  ";
  EXPECT_THAT(pack.outline(), testing::AnyOf(head + "b.PMS [11/11]\n", head + "B.PMS [11/11]\n"));
  EXPECT_EQ(controls.statusTexts.back(), u"Mapslist loaded successfully");
  EXPECT_TRUE(
      LoadMapslist(state, controls, file(u"fits16.txt", Utf16File({std::u16string(46, u'w')}))));
  EXPECT_EQ(pack.text(pack.child(state.packRoot)), std::u16string(46, u'w') + u".PMS");
  EXPECT_TRUE(
      LoadMapslist(state, controls, file(u"fits.txt", ansi(std::string(45, 'a') + "\r\n"))));
  EXPECT_EQ(pack.text(pack.child(state.packRoot)), std::u16string(45, u'a') + u".PMS");
  EXPECT_TRUE(controls.messages.empty());
}

// A game in use: a rotation written by hand, a soldat.ini with a comment, another section
// and a GameStyle key in it too.
class TestPlay : public Mapslists {
 protected:
  void SetUp() override {
    Mapslists::SetUp();
    WriteText(SoldatFile(u"mapslist.txt"), "ctf_Ash\r\ninf_Abel\r\nctf_Run\r\n");
    rotation = ReadBytes(SoldatFile(u"mapslist.txt"));
    WriteText(SoldatFile(u"soldat.ini"),
              "; server settings\r\n[NETWORK]\r\nGameStyle=keep\r\n[GAME]\r\nDifficulty=2\r\n"
              "GameStyle=0\r\nRespawn_Time=180\r\n");
  }
  static std::vector<std::u16string> IniWith(std::u16string_view style) {
    return {u"; server settings", u"[NETWORK]",
            u"GameStyle=keep",    u"[GAME]",
            u"Difficulty=2",      u"GameStyle=" + std::u16string(style),
            u"Respawn_Time=180"};
  }

  std::vector<std::uint8_t> rotation;
};

TEST_F(TestPlay, KeepsTheRotationWritesTheOneMapAndItsGameStyleAndStartsSoldat) {
  EXPECT_TRUE(OpenMapOnDoubleClick(state, controls, u"ctf_Ash.PMS", 11));

  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt.bak")), rotation);
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), Utf16File({u"ctf_Ash"}));
  EXPECT_EQ(Lines(SoldatFile(u"soldat.ini")), IniWith(u"3"));  // Capture The Flag
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].file, state.soldatPath);
  EXPECT_EQ(started[0].parameters, u" -start");
  EXPECT_EQ(started[0].verb + started[0].folder, u"");  // default verb, no working folder
  EXPECT_TRUE(controls.messages.empty());

  // One generation: the next test play keeps the list the first one wrote.
  EXPECT_TRUE(OpenMapOnDoubleClick(state, controls, u"Unknown.PMS", 11));
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt.bak")), Utf16File({u"ctf_Ash"}));
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), Utf16File({u"Unknown"}));
  EXPECT_EQ(Lines(SoldatFile(u"soldat.ini")), IniWith(u"0"));  // no prefix: the first filter

  // Without a mapslist there is nothing to keep; the game reads soldat.ini as plain text, so a
  // new one is not started as UTF-16.
  platform::DeleteFilePath(SoldatFile(u"mapslist.txt"));
  platform::DeleteFilePath(SoldatFile(u"soldat.ini"));
  EXPECT_EQ(StartTestGame(state, controls, u"inf_Abel.PMS"), TestGameResult::kStarted);
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt.bak")), Utf16File({u"ctf_Ash"}));
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), Utf16File({u"inf_Abel"}));
  const std::string ini = "[GAME]\r\nGameStyle=5\r\n";  // Infiltration
  EXPECT_EQ(ReadBytes(SoldatFile(u"soldat.ini")),
            std::vector<std::uint8_t>(ini.begin(), ini.end()));
  EXPECT_EQ(started.size(), 3u);
}

// A backup that cannot be written (a folder holds its name) stops the test play before any
// file of the game changes, and says so.
TEST_F(TestPlay, WhenTheBackupCannotBeMadeNothingChangesAndTheUserIsTold) {
  const std::u16string backup = SoldatFile(u"mapslist.txt.bak");
  dir.folder(u"Soldat\\mapslist.txt.bak");

  EXPECT_FALSE(OpenMapOnDoubleClick(state, controls, u"ctf_Ash.PMS", 11));
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), rotation);
  EXPECT_EQ(Lines(SoldatFile(u"soldat.ini")), IniWith(u"0"));
  EXPECT_TRUE(started.empty());
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
  EXPECT_EQ(controls.messages[0].text.substr(0, backup.size() + 2), backup + u"\r\n");
  EXPECT_NE(controls.messages[0].text.find(u"not started"), std::u16string::npos);
}

// With the editor set, maps open in it from their own folder and the game is left alone;
// anything but a map, or a name that could leave its folder or its quotes, opens nothing.
TEST_F(TestPlay, DoubleClicksOpenMapsInTheEditorOrNothing) {
  state.polyWorksPath = dir.file(u"PolyWorks\\Soldat PolyWorks.exe");
  // The item's text and image, and the editor's parameters; none: nothing starts, the window stays.
  const std::tuple<std::u16string, int, std::u16string> rows[] = {
      {u"ctf_Ash.PMS", 11, u"\"" + state.kindFolders[kKindMap] + u"ctf_Ash.PMS\""},
      {u"draft.PMS", 12, u"\"" + state.kindFolders[kKindUncompiledMap] + u"draft.PMS\""},
      {u"house.PFB", 13, u""},
      {u"tree.bmp", 5, u""},
      {u"..\\..\\evil.PMS", 11, u""},
      {u"a\" -x \"b.PMS", 11, u""},
  };
  for (const auto& [text, image, parameters] : rows) {
    started.clear();
    EXPECT_EQ(OpenMapOnDoubleClick(state, controls, text, image), !parameters.empty());
    if (parameters.empty()) {
      EXPECT_TRUE(started.empty());
    } else {
      ASSERT_EQ(started.size(), 1u);
      EXPECT_EQ(started[0].file, state.polyWorksPath);
      EXPECT_EQ(started[0].parameters, parameters);
    }
  }
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), rotation);
  EXPECT_FALSE(platform::Exists(SoldatFile(u"mapslist.txt.bak")));

  // Without the editor an uncompiled map has nowhere to open; a map starts the game.
  state.polyWorksPath.clear();
  EXPECT_EQ(ChooseMapOpening(state, u"draft.PMS", 12).action, MapOpening::Action::kNothing);
  EXPECT_EQ(ChooseMapOpening(state, u"ctf_Ash.PMS", 11).action, MapOpening::Action::kTestGame);
}

// The editor too, two mapslists, and the options the settings left.
class CommandLine : public Mapslists {
 protected:
  void SetUp() override {
    Mapslists::SetUp();
    state.polyWorksPath = dir.file(u"PolyWorks\\Soldat PolyWorks.exe");
    controls.at(Slot::compressionCombo).items.assign(6, u"-");
    controls.at(Slot::recoveryCombo).items.assign(11, u"-");
    controls.setChecked(Slot::zipRadio, true);
    controls.setChecked(Slot::addCommentCheck, true);
    controls.setComboSelection(Slot::compressionCombo, 4);
    controls.setComboSelection(Slot::recoveryCombo, 2);
    controls.setText(Slot::archiveNameEdit, u"C:\\out\\pack.rar");
    state.skipDefaultMaps = state.skipDefaultSceneries = state.skipDefaultTextures = true;
    state.skipMapslist = true;
    WriteBytes(state.soldatFolder + u"mapslist.txt", Utf16File({u"ctf_Ash"}));
    WriteBytes(lists + u"rotation.TXT", Utf16File({u"inf_Abel", u"ctf_Run"}));
  }

  CommandLineOutcome Parse(std::vector<std::u16string> arguments) {
    arguments.insert(arguments.begin(), u"Soldat ZEK.exe");
    return ParseCommandLine(state, controls, arguments, [this] { ++templateLoads; });
  }

  // Every value the options can change.
  std::map<std::string, std::string> Snapshot(const CommandLineOutcome& outcome) const {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {
        {"format", flag(controls.checked(Slot::rarRadio)) + flag(controls.checked(Slot::zipRadio))},
        {"comment", flag(controls.checked(Slot::addCommentCheck)) +
                        flag(controls.checked(Slot::useFileCheck))},
        {"commentFile", Narrow(controls.text(Slot::commentFileEdit))},
        {"m", std::to_string(controls.comboSelection(Slot::compressionCombo))},
        {"r", std::to_string(controls.comboSelection(Slot::recoveryCombo))},
        {"solid", flag(controls.checked(Slot::solidCheck))},
        {"skip", flag(state.skipDefaultMaps) + flag(state.skipDefaultSceneries) +
                     flag(state.skipDefaultTextures) + flag(state.skipMapslist)},
        // Explore, lock and test.
        {"extras", flag(state.explore) + flag(state.lockArchive) + flag(state.testArchive)},
        {"name", Narrow(controls.text(Slot::archiveNameEdit))},
        {"templateLoads", std::to_string(templateLoads)},
        {"unattended", flag(outcome.unattended)},
        {"mode", flag(state.commandLineMode)}};
  }

  const std::u16string lists = dir.path() + u"lists\\";
  int templateLoads = 0;
};

struct OptionRow {
  std::vector<std::u16string> options;
  std::map<std::string, std::string> changes;  // from the settings before, besides "mode"
};

class Options : public CommandLine, public testing::WithParamInterface<OptionRow> {};

TEST_P(Options, ChangeOnlyWhatTheyName) {
  std::map<std::string, std::string> expected = Snapshot({});
  expected["mode"] = "1";
  for (const auto& [key, value] : GetParam().changes) expected[key] = value;
  std::vector<std::u16string> arguments = {u"ctf_Ash.PMS"};
  arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());

  const CommandLineOutcome outcome = Parse(arguments);

  EXPECT_EQ(outcome.result, CommandLineOutcome::Result::kGoOn);
  EXPECT_EQ(Snapshot(outcome), expected);
  EXPECT_EQ(pack.outline(state.packRoot), "ctf_Ash.PMS [11/11]\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, Options,
    testing::Values(
        OptionRow{{}, {{"mode", "0"}}},  // a file alone is no command line
        OptionRow{{u"-a0"}, {{"format", "10"}}}, OptionRow{{u"-a2"}, {{"format", "00"}}},
        // The template loads whatever the digit; only "1" adds the comment.
        OptionRow{{u"-c1"}, {{"templateLoads", "1"}}},
        OptionRow{{u"-c0"}, {{"comment", "00"}, {"templateLoads", "1"}}},
        OptionRow{{u"-d1"}, {{"skip", "0001"}}}, OptionRow{{u"-d0"}, {}},
        OptionRow{{u"-e1"}, {{"extras", "100"}}}, OptionRow{{u"-k1"}, {{"extras", "010"}}},
        OptionRow{{u"-l1"}, {{"skip", "1110"}}}, OptionRow{{u"-m3"}, {{"m", "3"}}},
        OptionRow{{u"-m9"}, {{"m", "5"}}}, OptionRow{{u"-mx"}, {{"m", "0"}}},
        OptionRow{{u"-r7"}, {{"r", "7"}}}, OptionRow{{u"-ra"}, {{"r", "10"}}},
        OptionRow{{u"-r-"}, {{"r", "0"}}}, OptionRow{{u"-s5"}, {{"solid", "1"}}},
        OptionRow{{u"-s0"}, {}}, OptionRow{{u"-t1"}, {{"extras", "001"}}},
        OptionRow{{u"-i"}, {{"unattended", "1"}}},
        // The long "-c" needs more than eight characters; shorter ones name the archive.
        OptionRow{{u"-cC:\\c.txt"}, {{"commentFile", "C:\\c.txt"}, {"comment", "11"}}},
        OptionRow{{u"-cC:\\c.t"}, {{"name", "-cC:\\c.t"}}},
        // Matching is case-sensitive; unknown options name the archive.
        OptionRow{{u"-I"}, {{"name", "-I"}}}, OptionRow{{u"-M3"}, {{"name", "-M3"}}},
        OptionRow{{u"-h1"}, {{"name", "-h1"}}},
        // From the last argument to the first: the leftmost wins.
        OptionRow{{u"name1", u"name2"}, {{"name", "name1"}}},
        OptionRow{{u"-a0", u"-a1"}, {{"format", "10"}}},
        OptionRow{{u"-c1", u"-c0", u"-c1"}, {{"templateLoads", "3"}}}));

// A map or prefab goes into the pack list by its folder, a mapslist's maps from its path or the
// game's folder; a file that cannot ends with code 11, a mapslist that cannot with code 12.
TEST_F(CommandLine, AFileOrMapslistFillsThePackListOrEndsWithCode11Or12) {
  const std::u16string maps = state.kindFolders[kKindMap];
  const std::u16string editor = state.polyWorksPath;
  const std::u16string x46 = std::u16string(46, u'x');
  // The argument, whether the editor is set, the pack list after and the exit code.
  const std::tuple<std::u16string, bool, std::string, int> rows[] = {
      // Whether the file exists is not checked here.
      {u"ctf_x.pms", true, "ctf_x.pms [11/11]\n", 0},
      {maps + u"ctf_x.PMS", true, "ctf_x.PMS [11/11]\n", 0},
      {platform::LowerCase(maps) + u"ctf_x.PMS", true, "ctf_x.PMS [11/11]\n", 0},
      {state.kindFolders[kKindUncompiledMap] + u"draft.PMS", true, "draft.PMS [12/12]\n", 0},
      {state.kindFolders[kKindUncompiledMap] + u"draft.PMS", false, "", 11},
      {dir.path() + u"Elsewhere\\ctf_x.PMS", true, "", 11},
      {u"house.PFB", true, "house.PFB [13/13]\n", 0},
      {state.kindFolders[kKindPrefab] + u"house.pfb", true, "house.pfb [13/13]\n", 0},
      {maps + u"house.PFB", true, "", 11},
      {u"house.PFB", false, "", 11},
      {u"notes.doc", true, "", 11},
      {u"../ctf_x.PMS", true, "", 11},
      {x46 + u".PMS", true, Narrow(x46) + ".PMS [11/11]\n", 0},
      {x46 + u"x.PMS", true, "", 11},
      // Without an extension the options are ignored too.
      {u"ctf_x", true, "", 0},
      {u"ctf_x.", true, "", 0},
      {u"mapslist.txt", true, "ctf_Ash.PMS [11/11]\n", 0},
      {lists + u"rotation.TXT", true, "ctf_Run.PMS [11/11]\ninf_Abel.PMS [11/11]\n", 0},
      {u"missing.txt", true, "", 12},
  };
  EXPECT_EQ(Parse({}).result, CommandLineOutcome::Result::kGoOn);
  for (const auto& [argument, polyWorks, packed, code] : rows) {
    SCOPED_TRACE(Narrow(argument));
    ClearPackList(state);
    controls.messages.clear();
    state.commandLineMode = false;
    state.polyWorksPath = polyWorks ? editor : u"";

    const CommandLineOutcome outcome = Parse({argument, u"-i"});

    const bool packs = !packed.empty();
    EXPECT_EQ(pack.outline(state.packRoot), packed);
    EXPECT_EQ(outcome.exitCode(), code);
    EXPECT_EQ(state.commandLineMode, packs);
    EXPECT_EQ(outcome.unattended, packs);
    ASSERT_EQ(controls.messages.size(), code ? 1u : 0u);
    if (code) {
      EXPECT_EQ(controls.messages[0].text,
                code == 11 ? u"There is no valid files to pack!"
                           : state.soldatFolder + u"missing.txt\r\nFailed to load the mapslist!");
    }
  }
}

// "-h" puts the archive's file name into the folder of the file or mapslist given, cut so that
// the whole path holds at most 260 characters.
TEST_F(CommandLine, IntoTheSourceFolderWithinTheLengthBudget) {
  Parse({u"mapslist.txt", u"-h"});
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), state.soldatFolder + u"pack.rar");
  Parse({lists + u"rotation.TXT", u"-h"});
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), lists + u"pack.rar");

  Parse({u"ctf_x.PMS", u"-h"});
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), state.kindFolders[kKindMap] + u"pack.rar");

  Parse({u"house.PFB", u"-h", u"C:\\other\\named.zip"});  // the name is set first
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), state.kindFolders[kKindPrefab] + u"named.zip");

  const std::u16string deep = u"C:\\" + std::u16string(252, u'd') + u"\\";  // 256 characters
  state.kindFolders[kKindMap] = deep;
  controls.setText(Slot::archiveNameEdit, u"noFolder.rar");
  Parse({u"ctf_x.PMS", u"-h"});
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), deep + u"noFo");

  state.kindFolders[kKindMap] = deep + std::u16string(10, u'e');
  Parse({u"ctf_x.PMS", u"-h"});
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), state.kindFolders[kKindMap]);
}

}  // namespace
