#include "config/tool_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/default_file_lists.h"
#include "support/fake_controls.h"
#include "support/soldat_install.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using testsupport::SoldatInstall;
using testsupport::SoldatInstallOptions;
using testsupport::TempDir;
using ui::Slot;

constexpr std::u16string_view kNoWinRar = u"Please specify valid WinRAR path!";
constexpr std::u16string_view kNoSoldat = u"Please specify valid Soldat path!";

class ToolPaths : public testing::Test {
 protected:
  // The installation lies below "games\" so that every path has a backslash in it, natively
  // too.
  SoldatInstall build(const SoldatInstallOptions& options = testsupport::StandardInstall()) {
    install = testsupport::BuildSoldatInstall(dir.path() + u"games\\", options);
    state.programFolder = install.programFolder;
    LoadDefaultFileLists(state);
    return install;
  }
  // What the settings file would hold for a complete, correct installation.
  void setAllPaths() {
    state.soldatPath = install.soldatExe;
    state.polyWorksPath = install.polyWorksExe;
    state.winRarPath = install.winRarExe;
  }
  std::vector<std::u16string> messageTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& m : controls.messages) {
      EXPECT_EQ(m.kind, ui::MessageKind::kInformation);
      texts.push_back(m.text);
    }
    return texts;
  }

  TempDir dir;
  SoldatInstall install;
  AppState state;
  FakeControls controls;
};

TEST_F(ToolPaths, ACompleteInstallationGivesEveryFolder) {
  build();
  setAllPaths();
  ValidateToolPaths(state, controls);

  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(state.soldatPath, install.soldatExe);
  EXPECT_EQ(state.soldatFolder, install.soldatFolder);
  EXPECT_EQ(state.kindFolders[kKindMap], install.mapsFolder);
  EXPECT_EQ(state.kindFolders[kKindUncompiledMap], install.uncompiledFolder);
  EXPECT_EQ(state.kindFolders[kKindPrefab], install.prefabsFolder);
  EXPECT_EQ(state.kindFolders[kKindScenery], install.sceneryFolder);
  EXPECT_EQ(state.kindFolders[kKindTexture], install.texturesFolder);
  EXPECT_EQ(state.kindFolders[kKindEdge], install.edgesFolder);
  EXPECT_EQ(state.polyWorksPath, install.polyWorksExe);
  EXPECT_EQ(state.winRarPath, install.winRarExe);
  // The builder's files are where the derived folders say.
  EXPECT_TRUE(platform::Exists(state.kindFolders[kKindMap] + u"ctf_Ash.PMS"));
  EXPECT_TRUE(platform::Exists(state.kindFolders[kKindEdge] + u"run.png"));
  EXPECT_TRUE(platform::Exists(state.kindFolders[kKindPrefab] + u"bunker.PFB"));
  EXPECT_TRUE(platform::Exists(state.kindFolders[kKindUncompiledMap] + u"ctf_Draft.PMS"));
}

TEST_F(ToolPaths, TheProgramInsideTheSoldatFolderFindsSoldatAndPolyWorks) {
  auto options = testsupport::StandardInstall();
  options.program = testsupport::ProgramPlace::kInsideSoldat;
  build(options);
  state.winRarPath = install.winRarExe;
  ValidateToolPaths(state, controls);

  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(state.soldatPath, install.soldatExe);
  EXPECT_EQ(state.kindFolders[kKindTexture], install.texturesFolder);
  EXPECT_EQ(state.polyWorksPath, install.polyWorksExe);
  EXPECT_EQ(state.kindFolders[kKindPrefab], install.prefabsFolder);
}

TEST_F(ToolPaths, ASoldatFolderIsAcceptedAsTheSoldatPath) {
  build();
  setAllPaths();
  state.soldatPath = install.soldatFolder;  // with its trailing backslash
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.soldatPath, install.soldatFolder);
  EXPECT_EQ(state.kindFolders[kKindMap], install.mapsFolder);
  EXPECT_EQ(state.kindFolders[kKindEdge], install.edgesFolder);

  // Without it the path still exists, but names the folder above.
  state.soldatPath = install.soldatFolder.substr(0, install.soldatFolder.size() - 1);
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.soldatFolder, install.base);
  EXPECT_EQ(state.kindFolders[kKindMap], install.base + u"maps\\");
  EXPECT_TRUE(controls.messages.empty());
}

TEST_F(ToolPaths, MissingToolsAreReportedWinRarFirstAndTheirFoldersEmptied) {
  auto options = testsupport::StandardInstall();
  options.soldatExe = false;
  options.winRar = false;
  build(options);
  state.soldatPath = install.soldatExe;
  state.winRarPath = install.winRarExe;
  state.polyWorksPath = u"";
  state.kindFolders = {u"stale\\", u"stale\\", u"stale\\", u"stale\\", u"stale\\", u"stale\\"};
  state.soldatFolder = u"stale\\";
  ValidateToolPaths(state, controls);

  EXPECT_EQ(messageTexts(),
            (std::vector<std::u16string>{std::u16string(kNoWinRar), std::u16string(kNoSoldat)}));
  EXPECT_TRUE(state.winRarPath.empty());
  EXPECT_TRUE(state.soldatPath.empty());
  EXPECT_TRUE(state.soldatFolder.empty());
  EXPECT_TRUE(state.polyWorksPath.empty());  // nothing to guess from
  for (const auto& folder : state.kindFolders) EXPECT_TRUE(folder.empty()) << "stale folder";
}

TEST_F(ToolPaths, PolyWorksGivenWithoutSoldatStaysAndItsIniIsRead) {
  auto options = testsupport::StandardInstall();
  options.soldatExe = false;
  build(options);
  state.winRarPath = install.winRarExe;
  state.polyWorksPath = install.polyWorksExe;
  ValidateToolPaths(state, controls);

  EXPECT_EQ(messageTexts(), std::vector<std::u16string>{std::u16string(kNoSoldat)});
  EXPECT_EQ(state.polyWorksPath, install.polyWorksExe);
  EXPECT_EQ(state.kindFolders[kKindUncompiledMap], install.uncompiledFolder);
  EXPECT_EQ(state.kindFolders[kKindPrefab], install.prefabsFolder);
}

TEST_F(ToolPaths, WithoutPolyWorksItsPathAndFoldersAreEmptyAndNothingIsSaid) {
  auto options = testsupport::StandardInstall();
  options.polyWorks = false;
  build(options);
  setAllPaths();
  state.kindFolders[kKindPrefab] = u"stale\\";
  ValidateToolPaths(state, controls);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_TRUE(state.polyWorksPath.empty());
  EXPECT_TRUE(state.kindFolders[kKindUncompiledMap].empty());
  EXPECT_TRUE(state.kindFolders[kKindPrefab].empty());
  EXPECT_EQ(state.kindFolders[kKindMap], install.mapsFolder);
}

TEST_F(ToolPaths, PolyWorksFoldersGetTheirBackslashAndAMissingIniGivesNone) {
  auto options = testsupport::StandardInstall();
  options.iniFoldersEndWithBackslash = false;
  build(options);
  setAllPaths();
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.kindFolders[kKindUncompiledMap], install.uncompiledFolder);
  EXPECT_EQ(state.kindFolders[kKindPrefab], install.prefabsFolder);

  std::filesystem::remove(testsupport::NativePath(install.polyWorksIni));
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.polyWorksPath, install.polyWorksExe);
  EXPECT_TRUE(state.kindFolders[kKindUncompiledMap].empty());
  EXPECT_TRUE(state.kindFolders[kKindPrefab].empty());
}

TEST_F(ToolPaths, EmptyDefaultListsTurnTheirSkipFlagsOff) {
  auto options = testsupport::StandardInstall();
  options.defaultMaps = std::vector<std::u16string>{};  // an empty file
  options.defaultSceneries.reset();                     // no file
  build(options);
  setAllPaths();
  state.skipDefaultMaps = state.skipDefaultSceneries = state.skipDefaultTextures = true;
  ValidateToolPaths(state, controls);
  EXPECT_FALSE(state.skipDefaultMaps);
  EXPECT_FALSE(state.skipDefaultSceneries);
  EXPECT_TRUE(state.skipDefaultTextures);

  // A flag that is off is never turned on.
  state.skipDefaultTextures = false;
  ValidateToolPaths(state, controls);
  EXPECT_FALSE(state.skipDefaultTextures);
}

TEST_F(ToolPaths, AMissingDefaultArchiveFolderBecomesPackedWhichIsCreated) {
  build();
  setAllPaths();
  const std::u16string packed = install.programFolder + u"Packed\\";
  state.defaultSaveFolder = dir.path() + u"deleted\\";
  ASSERT_FALSE(platform::Exists(packed));
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.defaultSaveFolder, packed);
  EXPECT_TRUE(platform::Exists(packed));

  // An existing folder is kept; an existing Packed folder is reused.
  const std::u16string mine = dir.folder(u"mine");
  state.defaultSaveFolder = mine;
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.defaultSaveFolder, mine);
  state.defaultSaveFolder.clear();
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.defaultSaveFolder, packed);
}

TEST_F(ToolPaths, AMissingTemplateIsForgottenWithItsAutoload) {
  build();
  setAllPaths();
  const std::u16string templ = dir.file(u"template.txt");
  testsupport::WriteText(templ, "%mdate%\r\n");
  controls.setChecked(Slot::addCommentCheck, true);
  controls.setEnabled(Slot::loadTemplateButton, false);

  state.templatePath = templ;
  state.autoloadTemplate = true;
  ValidateToolPaths(state, controls);
  EXPECT_EQ(state.templatePath, templ);
  EXPECT_TRUE(state.autoloadTemplate);
  EXPECT_TRUE(controls.enabled(Slot::loadTemplateButton));

  state.templatePath = dir.file(u"gone.txt");
  ValidateToolPaths(state, controls);
  EXPECT_TRUE(state.templatePath.empty());
  EXPECT_FALSE(state.autoloadTemplate);
  EXPECT_FALSE(controls.enabled(Slot::loadTemplateButton));
}

TEST(LoadTemplateButton, IsUsableOnlyForATemplateCommentWithATemplate) {
  AppState state;
  FakeControls controls;
  struct Case {
    bool addComment;
    bool useFile;
    const char16_t* templatePath;
    bool enabled;
  };
  for (const Case c : {Case{true, false, u"t.txt", true}, Case{false, false, u"t.txt", false},
                       Case{true, true, u"t.txt", false}, Case{true, false, u"", false}}) {
    controls.setChecked(Slot::addCommentCheck, c.addComment);
    controls.setChecked(Slot::useFileCheck, c.useFile);
    state.templatePath = c.templatePath;
    UpdateLoadTemplateButton(state, controls);
    EXPECT_EQ(controls.enabled(Slot::loadTemplateButton), c.enabled)
        << c.addComment << c.useFile << state.templatePath.size();
  }
}

TEST(SoldatOpenCommand, ThePathLiesBetweenTheQuoteAndTheStartSwitch) {
  EXPECT_EQ(SoldatPathFromOpenCommand(u"\"C:\\Games\\Soldat\\Soldat.exe\" -start \"%1\""),
            u"C:\\Games\\Soldat\\Soldat.exe");
  EXPECT_EQ(SoldatPathFromOpenCommand(u"123456789012345"), u"2");
  EXPECT_EQ(SoldatPathFromOpenCommand(u"12345678901234"), u"");
  EXPECT_EQ(SoldatPathFromOpenCommand(u"short"), u"");
  EXPECT_EQ(SoldatPathFromOpenCommand(u""), u"");
}

TEST(RegistryValue, AKeyThatDoesNotExistEmptiesTheField) {
  std::u16string field = u"C:\\old\\WinRAR.exe";
  ReadFirstRegistryValue(platform::RegistryRoot::kLocalMachine,
                         u"Software\\Soldat ZEK tests\\No such key", field);
  EXPECT_TRUE(field.empty());
}

TEST(DefaultFileLists, AreLoadedSortedAndUnique) {
  TempDir dir;
  AppState state;
  state.programFolder = dir.path();
  testsupport::WriteBytes(dir.file(u"default maps.txt"),
                          testsupport::Utf16File({u"inf_Abel.PMS", u"ctf_Run.PMS", u"CTF_run.pms",
                                                  u"", u"ctf_Ash.PMS"}));
  // ANSI lines; a line over the limit ends the reading.
  testsupport::WriteText(dir.file(u"default textures.txt"),
                         "run.png\r\nash.bmp\r\n" + std::string(30, 'x') + "\r\nlost.bmp\r\n");
  state.defaultSceneries.add(u"stale.bmp", 1);
  LoadDefaultFileLists(state);

  ASSERT_EQ(state.defaultMaps.count(), 3);
  EXPECT_EQ(state.defaultMaps.textAt(0), u"ctf_Ash.PMS");
  EXPECT_EQ(platform::CompareNoCase(state.defaultMaps.textAt(1), u"ctf_Run.PMS"), 0);
  EXPECT_EQ(state.defaultMaps.textAt(2), u"inf_Abel.PMS");
  EXPECT_TRUE(state.defaultSceneries.empty());  // no file: empty, not stale
  ASSERT_EQ(state.defaultTextures.count(), 2);
  EXPECT_EQ(state.defaultTextures.textAt(0), u"ash.bmp");
  EXPECT_EQ(state.defaultTextures.textAt(1), u"run.png");
}

}  // namespace
