#include "packing/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalogue/pack_list.h"
#include "config/ui_text.h"
#include "fixtures/fixture_files.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using ui::Slot;
using Result = CommandLineOutcome::Result;

std::string Narrow(std::u16string_view text) {
  return {text.begin(), text.end()};
}

// A game and its editor (only mapslists need to exist) and the options the settings left.
class CommandLine : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.packTree = &pack;
    state.soldatFolder = dir.path() + u"Soldat\\";
    state.kindFolders[kKindMap] = state.soldatFolder + u"maps\\";
    state.kindFolders[kKindUncompiledMap] = dir.path() + u"PW\\Uncompiled\\";
    state.kindFolders[kKindPrefab] = dir.path() + u"PW\\Prefabs\\";
    state.polyWorksPath = dir.path() + u"PW\\Soldat PolyWorks.exe";
    ClearPackList(state);

    controls.at(Slot::compressionCombo).items.assign(6, u"-");
    controls.at(Slot::recoveryCombo).items.assign(11, u"-");
    controls.setChecked(Slot::zipRadio, true);
    controls.setChecked(Slot::addCommentCheck, true);
    controls.setComboSelection(Slot::compressionCombo, 4);
    controls.setComboSelection(Slot::recoveryCombo, 2);
    controls.setText(Slot::archiveNameEdit, u"C:\\out\\pack.rar");
    state.skipDefaultMaps = state.skipDefaultSceneries = state.skipDefaultTextures = true;
    state.skipMapslist = true;
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
        {"comment", flag(controls.checked(Slot::addCommentCheck))},
        {"useFile", flag(controls.checked(Slot::useFileCheck))},
        {"commentFile", Narrow(controls.text(Slot::commentFileEdit))},
        {"m", std::to_string(controls.comboSelection(Slot::compressionCombo))},
        {"r", std::to_string(controls.comboSelection(Slot::recoveryCombo))},
        {"solid", flag(controls.checked(Slot::solidCheck))},
        {"skip", flag(state.skipDefaultMaps) + flag(state.skipDefaultSceneries) +
                     flag(state.skipDefaultTextures) + flag(state.skipMapslist)},
        {"explore", flag(state.explore)},
        {"lock", flag(state.lockArchive)},
        {"test", flag(state.testArchive)},
        {"name", Narrow(controls.text(Slot::archiveNameEdit))},
        {"templateLoads", std::to_string(templateLoads)},
        {"unattended", flag(outcome.unattended)},
        {"mode", flag(state.commandLineMode)}};
  }

  testsupport::TempDir dir;
  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  int templateLoads = 0;
};

struct OptionRow {
  std::vector<std::u16string> options;
  std::map<std::string, std::string> changes;  // from the settings before, besides "mode"
};

class Options : public CommandLine, public testing::WithParamInterface<OptionRow> {};

TEST_P(Options, ChangeOnlyWhatTheyName) {
  const CommandLineOutcome before{};
  std::map<std::string, std::string> expected = Snapshot(before);
  expected["mode"] = "1";
  for (const auto& [key, value] : GetParam().changes) expected[key] = value;
  std::vector<std::u16string> arguments = {u"ctf_Ash.PMS"};
  arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());

  const CommandLineOutcome outcome = Parse(arguments);

  EXPECT_EQ(outcome.result, Result::kGoOn);
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
        OptionRow{{u"-c0"}, {{"comment", "0"}, {"templateLoads", "1"}}},
        OptionRow{{u"-d1"}, {{"skip", "0001"}}}, OptionRow{{u"-d0"}, {}},
        OptionRow{{u"-e1"}, {{"explore", "1"}}}, OptionRow{{u"-k1"}, {{"lock", "1"}}},
        OptionRow{{u"-l1"}, {{"skip", "1110"}}}, OptionRow{{u"-m3"}, {{"m", "3"}}},
        OptionRow{{u"-m9"}, {{"m", "5"}}}, OptionRow{{u"-mx"}, {{"m", "0"}}},
        OptionRow{{u"-r7"}, {{"r", "7"}}}, OptionRow{{u"-ra"}, {{"r", "10"}}},
        OptionRow{{u"-r-"}, {{"r", "0"}}}, OptionRow{{u"-s5"}, {{"solid", "1"}}},
        OptionRow{{u"-s0"}, {}}, OptionRow{{u"-t1"}, {{"test", "1"}}},
        OptionRow{{u"-i"}, {{"unattended", "1"}}},
        // The long "-c" needs more than eight characters; shorter ones name the archive.
        OptionRow{{u"-cC:\\c.txt"},
                  {{"commentFile", "C:\\c.txt"}, {"useFile", "1"}, {"comment", "1"}}},
        OptionRow{{u"-cC:\\c.t"}, {{"name", "-cC:\\c.t"}}},
        // Matching is case-sensitive; unknown options name the archive.
        OptionRow{{u"-I"}, {{"name", "-I"}}}, OptionRow{{u"-M3"}, {{"name", "-M3"}}},
        OptionRow{{u"-h1"}, {{"name", "-h1"}}},
        // From the last argument to the first: the leftmost wins.
        OptionRow{{u"name1", u"name2"}, {{"name", "name1"}}},
        OptionRow{{u"-a0", u"-a1"}, {{"format", "10"}}},
        OptionRow{{u"-c1", u"-c0", u"-c1"}, {{"templateLoads", "3"}}}));

// A map or prefab goes into the pack list by its folder; one that cannot ends with code 11.
TEST_F(CommandLine, AFileGoesIntoThePackListByItsFolderOrEndsWithCode11) {
  const std::u16string maps = state.kindFolders[kKindMap];
  const std::u16string uncompiled = state.kindFolders[kKindUncompiledMap];
  const std::u16string polyWorks = state.polyWorksPath;
  const std::u16string x46 = std::u16string(46, u'x');
  struct Row {
    std::u16string argument;
    bool polyWorks;
    std::optional<std::string> packed;  // nothing: code 11
  };
  const Row rows[] = {
      // Whether the file exists is not checked here.
      {u"ctf_x.pms", true, "ctf_x.pms [11/11]\n"},
      {maps + u"ctf_x.PMS", true, "ctf_x.PMS [11/11]\n"},
      {platform::LowerCase(maps) + u"ctf_x.PMS", true, "ctf_x.PMS [11/11]\n"},
      {uncompiled + u"draft.PMS", true, "draft.PMS [12/12]\n"},
      {uncompiled + u"draft.PMS", false, {}},
      {dir.path() + u"Elsewhere\\ctf_x.PMS", true, {}},
      {u"house.PFB", true, "house.PFB [13/13]\n"},
      {state.kindFolders[kKindPrefab] + u"house.pfb", true, "house.pfb [13/13]\n"},
      {maps + u"house.PFB", true, {}},
      {u"house.PFB", false, {}},
      {u"notes.doc", true, {}},
      {u"../ctf_x.PMS", true, {}},
      {x46 + u".PMS", true, Narrow(x46) + ".PMS [11/11]\n"},
      {x46 + u"x.PMS", true, {}},
      // Without an extension the options are ignored too.
      {u"ctf_x", true, ""},
      {u"ctf_x.", true, ""},
  };
  EXPECT_EQ(Parse({}).result, Result::kGoOn);
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.argument));
    ClearPackList(state);
    controls.messages.clear();
    state.commandLineMode = false;
    state.polyWorksPath = row.polyWorks ? polyWorks : u"";

    const CommandLineOutcome outcome = Parse({row.argument, u"-i"});

    const bool packs = row.packed && !row.packed->empty();
    EXPECT_EQ(pack.outline(state.packRoot), row.packed.value_or(""));
    EXPECT_EQ(outcome.result, row.packed ? Result::kGoOn : Result::kUnusableFile);
    EXPECT_EQ(outcome.exitCode(), row.packed ? 0 : 11);
    EXPECT_EQ(state.commandLineMode, packs);
    EXPECT_EQ(outcome.unattended, packs);
    ASSERT_EQ(controls.messages.size(), row.packed ? 0u : 1u);
    if (!row.packed) {
      EXPECT_EQ(controls.messages[0].text, u"There is no valid files to pack!");
    }
  }
}

TEST_F(CommandLine, AMapslistLoadsFromItsPathOrTheSoldatFolderOrEndsWithCode12) {
  fixtures::WriteBytes(state.soldatFolder + u"mapslist.txt", fixtures::Utf16File({u"ctf_Ash"}));
  const std::u16string elsewhere = dir.path() + u"lists\\rotation.TXT";
  fixtures::WriteBytes(elsewhere, fixtures::Utf16File({u"inf_Abel", u"ctf_Run"}));

  EXPECT_EQ(Parse({u"mapslist.txt", u"-h"}).result, Result::kGoOn);
  EXPECT_EQ(pack.outline(state.packRoot), "ctf_Ash.PMS [11/11]\n");
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), state.soldatFolder + u"pack.rar");

  EXPECT_EQ(Parse({elsewhere, u"-h"}).result, Result::kGoOn);
  EXPECT_EQ(pack.outline(state.packRoot), "ctf_Run.PMS [11/11]\ninf_Abel.PMS [11/11]\n");
  EXPECT_EQ(controls.text(Slot::archiveNameEdit), dir.path() + u"lists\\pack.rar");
  EXPECT_TRUE(controls.messages.empty());

  const CommandLineOutcome missing = Parse({u"missing.txt", u"-i"});
  EXPECT_EQ(missing.result, Result::kMapslistNotLoaded);
  EXPECT_EQ(missing.exitCode(), 12);
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].text,
            state.soldatFolder + u"missing.txt\r\nFailed to load the mapslist!");
}

// "-h" puts the archive's file name into the folder of the file given, cut so that the whole
// path holds at most 260 characters.
TEST_F(CommandLine, IntoTheSourceFolderWithinTheLengthBudget) {
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
