#include "packing/mapslists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

// The non-blank lines of a text file: Wine's profile API writes the file again without them.
std::vector<std::u16string> Lines(std::u16string_view path) {
  StringList list;
  std::vector<std::u16string> lines;
  if (list.loadFromFile(path, 4096)) {
    for (std::int32_t i = 0; i < list.count(); ++i) {
      if (!list.textAt(i).empty()) lines.emplace_back(list.textAt(i));
    }
  }
  return lines;
}

class Mapslists : public testing::Test {
 protected:
  void SetUp() override {
    state.programFolder = dir.folder(u"program");
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.packTree = &pack;
    state.soldatFolder = dir.folder(u"Soldat");
    state.soldatPath = state.soldatFolder + u"Soldat.exe";
    state.kindFolders[kKindMap] = dir.folder(u"Soldat\\maps");
    state.kindFolders[kKindUncompiledMap] = dir.folder(u"PolyWorks\\Uncompiled");
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

TEST_F(Mapslists, SavingKeepsOnlyMapsOfTheMapsFolderWithoutExtension) {
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
}

// Loading replaces the pack list with the file's maps, sorted and unique. A file that gives no
// line leaves the pack list as it was and names itself in the warning: the longest line is 46
// characters in UTF-16, 45 bytes in ANSI (one goes to the end).
TEST_F(Mapslists, LoadingReplacesThePackListOrFailsAndChangesNothing) {
  Add(u"house.PFB", 13);
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
  struct Row {
    std::u16string text;
    int image;
    std::u16string parameters;  // empty: nothing started, the window stays
  };
  const Row rows[] = {
      {u"ctf_Ash.PMS", 11, u"\"" + state.kindFolders[kKindMap] + u"ctf_Ash.PMS\""},
      {u"draft.PMS", 12, u"\"" + state.kindFolders[kKindUncompiledMap] + u"draft.PMS\""},
      {u"house.PFB", 13, u""},
      {u"tree.bmp", 5, u""},
      {u"..\\..\\evil.PMS", 11, u""},
      {u"a\" -x \"b.PMS", 11, u""},
  };
  for (const Row& row : rows) {
    started.clear();
    EXPECT_EQ(OpenMapOnDoubleClick(state, controls, row.text, row.image), !row.parameters.empty());
    if (row.parameters.empty()) {
      EXPECT_TRUE(started.empty());
    } else {
      ASSERT_EQ(started.size(), 1u);
      EXPECT_EQ(started[0].file, state.polyWorksPath);
      EXPECT_EQ(started[0].parameters, row.parameters);
    }
  }
  EXPECT_EQ(ReadBytes(SoldatFile(u"mapslist.txt")), rotation);
  EXPECT_FALSE(platform::Exists(SoldatFile(u"mapslist.txt.bak")));

  // Without the editor an uncompiled map has nowhere to open; a map starts the game.
  state.polyWorksPath.clear();
  EXPECT_EQ(ChooseMapOpening(state, u"draft.PMS", 12).action, MapOpening::Action::kNothing);
  EXPECT_EQ(ChooseMapOpening(state, u"ctf_Ash.PMS", 11).action, MapOpening::Action::kTestGame);
}

}  // namespace
