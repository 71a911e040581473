#include "config/settings_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "config/default_file_lists.h"
#include "config/tool_paths.h"
#include "fixtures/soldat_install.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
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

TEST(ToolPathHelpers, LoadTemplateButtonOpenCommandAndBrowseFolders) {
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

  state.programFolder = u"C:\\ZEK\\";
  const SettingsBrowse& soldat = kSettingsBrowses[0];
  const SettingsBrowse& templ = kSettingsBrowses[4];
  ASSERT_EQ(templ.edit, Slot::templatePathEdit);
  EXPECT_EQ(BrowseStartFolder(state, soldat, u"D:\\Games\\Soldat\\Soldat.exe"),
            u"D:\\Games\\Soldat\\");
  EXPECT_EQ(BrowseStartFolder(state, soldat, u""), u"");
  EXPECT_EQ(BrowseStartFolder(state, soldat, u"Soldat.exe"), u"");
  EXPECT_EQ(BrowseStartFolder(state, templ, u""), u"C:\\ZEK\\");
  EXPECT_EQ(BrowseStartFolder(state, templ, u"t.txt"), u"");
  EXPECT_EQ(ChosenDefaultFolder(u"D:\\Archives"), u"D:\\Archives\\");
  EXPECT_EQ(ChosenDefaultFolder(u"D:\\"), u"D:\\");
}

// A full installation with the program inside Soldat's folder, its paths validated as at
// start-up.
class SettingsPage : public ToolPaths {
 protected:
  void SetUp() override {
    SoldatInstallOptions options = StandardInstall();
    options.program = ProgramPlace::kInsideSoldat;
    Build(options);
    state.tempFolder = dir.path() + u"temp\\";
    ValidateToolPaths(state, controls);
    ASSERT_EQ(LoadUiText(state, controls), UiTextResult::kLoaded);
    ASSERT_TRUE(controls.messages.empty());
  }
  void Language(std::u16string_view name) const {
    WriteText(install.programFolder + u"Localization\\" + std::u16string(name), "");
  }
  UiTextResult Apply() {
    return ApplySettings(state, controls, [this](AppState&) { ++refreshes; });
  }

  int refreshes = 0;
};

TEST_F(SettingsPage, FillShowsTheSettingsAndReadTakesBackWhatTheUserChanged) {
  state.templatePath = u"C:\\t.txt";
  state.skipDefaultMaps = state.skipDefaultSceneries = state.explore = true;
  state.skipDefaultTextures = false;  // "Skip all" needs all three
  controls.setEnabled(Slot::applyButton, true);

  FillSettingsPage(state, controls);

  EXPECT_EQ(controls.text(Slot::templatePathEdit), u"C:\\t.txt");
  EXPECT_EQ(controls.text(Slot::tempFolderEdit), state.tempFolder);
  EXPECT_TRUE(controls.checked(Slot::exploreCheck));
  EXPECT_FALSE(controls.checked(Slot::skipTexturesCheck));
  EXPECT_FALSE(controls.checked(Slot::skipAllCheck));
  EXPECT_EQ(controls.text(Slot::languageCombo), u"default");
  EXPECT_FALSE(controls.enabled(Slot::applyButton));

  // The user edits; paths are read up to 260 characters.
  controls.setText(Slot::winRarPathEdit, u"C:\\" + std::u16string(300, u'p'));
  controls.setChecked(Slot::exploreCheck, false);
  controls.setChecked(Slot::skipTexturesCheck, true);
  controls.setText(Slot::tempFolderEdit, u"ignored");
  controls.setEnabled(Slot::applyButton, true);

  ReadSettingsPage(state, controls);

  EXPECT_EQ(state.winRarPath, u"C:\\" + std::u16string(257, u'p'));
  EXPECT_EQ(state.tempFolder, dir.path() + u"temp\\");
  EXPECT_FALSE(state.explore);
  EXPECT_TRUE(state.skipDefaultTextures);
  EXPECT_EQ(state.languageName, u"default");
  EXPECT_FALSE(controls.enabled(Slot::applyButton));
}

TEST_F(SettingsPage, SkipAllFollowsTheThreeSkipBoxesAndEveryClickEnablesApply) {
  FillSettingsPage(state, controls);
  // The box clicked and its state after the click; then "all maps sceneries textures".
  const std::tuple<Slot, bool, const char*> steps[] = {
      {Slot::skipAllCheck, false, "0000"},       {Slot::skipAllCheck, true, "1111"},
      {Slot::skipSceneriesCheck, false, "0101"}, {Slot::skipMapsCheck, false, "0001"},
      {Slot::skipMapsCheck, true, "0101"},       {Slot::skipSceneriesCheck, true, "1111"},
  };
  for (const auto& [clicked, nowChecked, expected] : steps) {
    controls.setEnabled(Slot::applyButton, false);
    controls.setChecked(clicked, nowChecked);
    (clicked == Slot::skipAllCheck ? SkipAllClicked : SkipBoxClicked)(controls);
    std::string boxes;
    for (const Slot slot : {Slot::skipAllCheck, Slot::skipMapsCheck, Slot::skipSceneriesCheck,
                            Slot::skipTexturesCheck})
      boxes += controls.checked(slot) ? '1' : '0';
    EXPECT_EQ(boxes, expected);
    EXPECT_TRUE(controls.enabled(Slot::applyButton));
  }
}

TEST_F(SettingsPage, TheLanguageListHoldsDefaultAndTheFilesInFolderOrder) {
  FillSettingsPage(state, controls);
  EXPECT_EQ(controls.at(Slot::languageCombo).items, std::vector<std::u16string>{u"default"});
  EXPECT_EQ(controls.comboSelection(Slot::languageCombo), 0);
  EXPECT_FALSE(controls.enabled(Slot::languageCombo));

  Language(u"Deutsch.lng");
  Language(u"Polski.lng");
  Language(u"notes.txt");
  std::vector<std::u16string> expected = {u"default"};
  for (auto& name : platform::ListFiles(install.programFolder + u"Localization\\", u"*.lng"))
    expected.push_back(name);
  ASSERT_EQ(expected.size(), 3u);

  // The chosen language is found ignoring case; an unknown one selects "default".
  const std::pair<std::u16string, int> rows[] = {
      {u"POLSKI.LNG", expected[1] == u"Polski.lng" ? 1 : 2}, {u"gone.lng", 0}};
  for (const auto& [language, position] : rows) {
    state.languageName = language;
    FillSettingsPage(state, controls);
    EXPECT_EQ(controls.at(Slot::languageCombo).items, expected);
    EXPECT_EQ(controls.comboSelection(Slot::languageCombo), position);
    EXPECT_TRUE(controls.enabled(Slot::languageCombo));
  }
}

TEST_F(SettingsPage, ApplyChecksThePathsRefreshesAndShowsWhatTheChecksMadeOfThem) {
  FillSettingsPage(state, controls);
  controls.setText(Slot::winRarPathEdit, dir.file(u"nowhere\\WinRAR.exe"));
  controls.setText(Slot::soldatPathEdit, u"");
  controls.setEnabled(Slot::applyButton, true);

  EXPECT_EQ(Apply(), UiTextResult::kLoaded);

  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].text, u"Please specify valid WinRAR path!");
  EXPECT_EQ(controls.text(Slot::winRarPathEdit), u"");
  EXPECT_EQ(controls.text(Slot::soldatPathEdit), install.soldatExe);  // guessed again
  EXPECT_EQ(state.winRarPath, u"");
  EXPECT_EQ(controls.statusTexts.back(), u"Soldat path or WinRAR path is invalid");
  EXPECT_EQ(refreshes, 1);
  EXPECT_FALSE(controls.enabled(Slot::applyButton));

  // Put right with a translation, which relabels at once: the status text is already its own.
  std::string table;
  for (int i = 0; i < 161; ++i)
    table += (i == uitext::kReady ? "Bereit" : "T") + std::string("\r\n");
  WriteText(install.programFolder + u"Localization\\Deutsch.lng", table);
  FillSettingsPage(state, controls);
  controls.setText(Slot::winRarPathEdit, install.winRarExe);
  const auto& items = controls.at(Slot::languageCombo).items;
  controls.setComboSelection(
      Slot::languageCombo,
      static_cast<int>(std::find(items.begin(), items.end(), u"Deutsch.lng") - items.begin()));

  EXPECT_EQ(Apply(), UiTextResult::kLoaded);

  EXPECT_EQ(state.winRarPath, install.winRarExe);
  EXPECT_EQ(state.languageName, u"Deutsch.lng");
  EXPECT_EQ(controls.statusTexts.back(), u"Bereit");
  EXPECT_EQ(refreshes, 2);
  EXPECT_EQ(controls.text(Slot::languageCombo), u"Deutsch.lng");
}

}  // namespace
