#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "config/default_file_lists.h"
#include "support/fake_controls.h"
#include "fixtures/soldat_install.h"
#include "support/temp_dir.h"

namespace {

using namespace testsupport;
using namespace fixtures;
using ui::Slot;

class ToolPaths : public testing::Test {
 protected:
  // Lays out an installation below "games\" (so that every path has a backslash in it,
  // natively too) and gives `state` the paths named in `given`: s(oldat), w(inrar),
  // p(olyworks), as a settings file would hold them.
  void Build(const SoldatInstallOptions& options = StandardInstall(), std::string given = "swp") {
    state.kindFolders = {u"stale\\", u"stale\\", u"stale\\", u"stale\\", u"stale\\", u"stale\\"};
    state.soldatFolder = u"stale\\";
    install = BuildSoldatInstall(dir.path() + u"games\\", options);
    state.programFolder = install.programFolder;
    LoadDefaultFileLists(state);
    if (given.find('s') != std::string::npos) state.soldatPath = install.soldatExe;
    if (given.find('w') != std::string::npos) state.winRarPath = install.winRarExe;
    if (given.find('p') != std::string::npos) state.polyWorksPath = install.polyWorksExe;
  }

  TempDir dir;
  SoldatInstall install;
  AppState state;
  FakeControls controls;
};

// Each scenario in a fresh installation, from stale folders.
class ToolPathScenarios
    : public ToolPaths,
      public testing::WithParamInterface<
          std::tuple<void (*)(SoldatInstallOptions&), std::string, std::string, std::string>> {};

TEST_P(ToolPathScenarios, FindWhatExistsGuessWhatIsMissingAndEmptyWhatCannotBeFound) {
  const auto& [change, given, expected, messages] = GetParam();
  SoldatInstallOptions options = StandardInstall();
  change(options);
  Build(options, given);
  ValidateToolPaths(state, controls);
  const AppState& s = state;
  const SoldatInstall& in = install;
  // Each path as found and as installed, in the order of the expected letters.
  const std::pair<std::u16string, std::u16string> paths[] = {
      {s.soldatPath, in.soldatExe},
      {s.soldatFolder, in.soldatFolder},
      {s.kindFolders[kKindMap], in.mapsFolder},
      {s.kindFolders[kKindScenery], in.sceneryFolder},
      {s.kindFolders[kKindTexture], in.texturesFolder},
      {s.kindFolders[kKindEdge], in.edgesFolder},
      {s.polyWorksPath, in.polyWorksExe},
      {s.kindFolders[kKindUncompiledMap], in.uncompiledFolder},
      {s.kindFolders[kKindPrefab], in.prefabsFolder},
      {s.winRarPath, in.winRarExe}};
  std::string got, said;
  for (const auto& [found, installed] : paths)
    got += found == installed ? 'y' : found.empty() ? '-' : '?';
  for (const auto& m : controls.messages) {
    EXPECT_EQ(m.kind, ui::MessageKind::kInformation);
    said += m.text == u"Please specify valid WinRAR path!"   ? 'W'
            : m.text == u"Please specify valid Soldat path!" ? 'S'
                                                             : '?';
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(said, messages);
}

// Per path: y as installed, - empty. Messages: W for WinRAR, S for Soldat, in order.
using O = SoldatInstallOptions;
INSTANTIATE_TEST_SUITE_P(
    Installations, ToolPathScenarios,
    testing::Values(
        std::tuple([](O&) {}, "swp", "yyyyyyyyyy", ""),
        // The program inside the Soldat folder guesses Soldat, and PolyWorks from it.
        std::tuple([](O& o) { o.program = ProgramPlace::kInsideSoldat; }, "w", "yyyyyyyyyy", ""),
        std::tuple([](O& o) { o.soldatExe = o.winRar = false; }, "sw", "----------", "WS"),
        // PolyWorks given without Soldat stays, and its ini is read.
        std::tuple([](O& o) { o.soldatExe = false; }, "wp", "------yyyy", "S"),
        std::tuple([](O& o) { o.polyWorks = false; }, "swp", "yyyyyy---y", ""),
        std::tuple([](O& o) { o.iniFoldersEndWithBackslash = false; }, "swp", "yyyyyyyyyy", ""),
        std::tuple([](O& o) { o.polyWorksIni = false; }, "swp", "yyyyyyy--y", "")));

TEST_F(ToolPaths, DefaultListsAreSortedAndOnlyAnEmptyOneTurnsItsSkipFlagOff) {
  SoldatInstallOptions options = StandardInstall();
  options.defaultMaps = {u"inf_Abel.PMS", u"ctf_Run.PMS", u"CTF_run.pms", u"", u"ctf_Ash.PMS"};
  options.defaultSceneries.reset();  // no file
  // A line over the limit ends the reading.
  options.defaultTextures = {u"run.png", u"ash.bmp", std::u16string(30, u'x'), u"lost.bmp"};
  state.defaultSceneries.add(u"stale.bmp", 1);
  Build(options);
  state.skipDefaultMaps = state.skipDefaultSceneries = true;
  state.skipDefaultTextures = false;
  ValidateToolPaths(state, controls);
  EXPECT_TRUE(state.skipDefaultMaps);
  EXPECT_FALSE(state.skipDefaultSceneries);
  EXPECT_FALSE(state.skipDefaultTextures);  // never turned on
  EXPECT_TRUE(state.defaultSceneries.empty());
  EXPECT_EQ(state.defaultTextures.join(), u"ash.bmp\r\nrun.png\r\n");
  EXPECT_EQ(platform::CompareNoCase(state.defaultMaps.join(),
                                    u"ctf_Ash.PMS\r\nctf_Run.PMS\r\ninf_Abel.PMS\r\n"),
            0);
}

TEST_F(ToolPaths, AMissingArchiveFolderBecomesACreatedPackedAndAMissingTemplateIsForgotten) {
  Build();
  const std::u16string packed = install.programFolder + u"Packed\\";
  const std::u16string mine = dir.folder(u"mine");
  const std::u16string templ = dir.file(u"template.txt");
  WriteText(templ, "%mdate%\r\n");
  controls.setChecked(Slot::addCommentCheck, true);
  const std::u16string typed = mine.substr(0, mine.size() - 1);  // no closing separator
  // The archive folder as set, then as validated; the template likewise. A folder typed
  // without its closing backslash gets one: archive names are joined to it.
  const std::tuple<std::u16string, std::u16string, std::u16string, bool> rows[] = {
      {dir.path() + u"deleted\\", packed, dir.file(u"gone.txt"), false},
      {mine, mine, templ, true},
      {typed, typed + u"\\", templ, true}};
  for (const auto& [folder, settled, templatePath, kept] : rows) {
    state.defaultSaveFolder = folder;
    state.templatePath = templatePath;
    state.autoloadTemplate = true;
    ValidateToolPaths(state, controls);
    EXPECT_EQ(state.defaultSaveFolder, settled);
    EXPECT_TRUE(platform::Exists(settled));
    EXPECT_EQ(state.templatePath, kept ? templ : u"");
    EXPECT_EQ(state.autoloadTemplate, kept);
    EXPECT_EQ(controls.enabled(Slot::loadTemplateButton), kept);
  }
}

TEST(ToolPathHelpers, LoadTemplateButtonAndOpenCommand) {
  AppState state;
  FakeControls controls;
  state.templatePath = u"t.txt";
  for (const auto& [add, useFile, enabled] :
       {std::tuple{true, false, true}, {false, false, false}, {true, true, false}}) {
    controls.setChecked(Slot::addCommentCheck, add);
    controls.setChecked(Slot::useFileCheck, useFile);
    UpdateLoadTemplateButton(state, controls);
    EXPECT_EQ(controls.enabled(Slot::loadTemplateButton), enabled) << add << useFile;
  }

  EXPECT_EQ(SoldatPathFromOpenCommand(u"\"C:\\Games\\Soldat\\Soldat.exe\" -start \"%1\""),
            u"C:\\Games\\Soldat\\Soldat.exe");
  EXPECT_EQ(SoldatPathFromOpenCommand(u"123456789012345"), u"2");
  EXPECT_EQ(SoldatPathFromOpenCommand(u"1234567890123"), u"");  // too short to hold a path
}

}  // namespace
