#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "core/text_helpers.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using ui::Slot;

constexpr WindowFrame kFrame{8, 621, 597};
constexpr ui::Rect kScreen{0, 0, 1280, 994};

class SettingsFile : public testing::Test {
 protected:
  SettingsFile() {
    state.programFolder = dir.path();
    state.frameBorder = kFrame.frameBorder;
    state.fixedWindowWidth = kFrame.width;
    state.minWindowHeight = kFrame.minHeight;
  }

  // Loads into a window whose option lists hold the shell's placeholders, from `file` as a
  // user or an older version left it (ANSI text).
  void Load(std::optional<std::string> file = std::nullopt) {
    if (file) fixtures::WriteText(SettingsFilePath(state), *file);
    controls = FakeControls{};
    controls.at(Slot::compressionCombo).items.assign(6, u"->");
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
    LoadSettings(state, controls);
  }
  WindowPlacement Placed() const {
    const ui::Rect& r = controls.windowRect;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  // 1 or 0 for: rar, zip, solid, fit image, add comment; then autoload template, skip default
  // maps, sceneries and textures, skip mapslist, test, lock, explore; then the compression and
  // recovery record choices.
  std::string Flags() const {
    std::string out;
    for (const Slot slot : {Slot::rarRadio, Slot::zipRadio, Slot::solidCheck, Slot::fitImageCheck,
                            Slot::addCommentCheck})
      out += controls.checked(slot) ? '1' : '0';
    for (const bool flag :
         {state.autoloadTemplate, state.skipDefaultMaps, state.skipDefaultSceneries,
          state.skipDefaultTextures, state.skipMapslist, state.testArchive, state.lockArchive,
          state.explore})
      out += flag ? '1' : '0';
    return out + " " + std::to_string(controls.comboSelection(Slot::compressionCombo)) + " " +
           std::to_string(controls.comboSelection(Slot::recoveryCombo));
  }

  testsupport::TempDir dir;
  AppState state;
  FakeControls controls;
};

TEST_F(SettingsFile, WithoutAFileEveryKeyTakesItsDefault) {
  EXPECT_EQ(SettingsFilePath(state), dir.path() + u"Soldat ZEK.ini");
  state.languageName = u"Deutsch.lng";
  state.soldatPath = u"C:\\stale\\Soldat.exe";
  Load();
  EXPECT_EQ(Placed(), (WindowPlacement{100, 100, 621, 597}));  // 594 grown to the least height
  EXPECT_EQ(Flags(), "1000001111001 5 0");
  EXPECT_EQ(state.soldatPath + state.polyWorksPath + state.winRarPath + state.defaultSaveFolder +
                state.templatePath + state.lastActiveFolder,
            u"");
  EXPECT_EQ(state.languageName, u"default");
}

TEST_F(SettingsFile, FlagsAreSetByALeadingOneRarByALeadingZeroAndChoicesStayInRange) {
  // An empty value clears a flag; a missing one takes its default. Compression above 5
  // becomes 5; a recovery record above 10% becomes none.
  Load(
      "[Preferences]\r\nSolidArchive=1abc\r\nFitImage=0\r\nAddComment=\r\nCompression=6\r\n"
      "RepairRecord=11\r\n[Settings]\r\nTestArchive=10\r\nLockArchive=yes\r\nExplore=true\r\n"
      "SkipDefaultMaps=01\r\nSkipDefaultSceneries=\r\nSkipMapslist=1\r\nAutoloadTemplate=1\r\n");
  EXPECT_EQ(Flags(), "1010010011100 5 0");
  for (const auto& [value, rar] : {std::pair{"01", "10"}, {"2", "01"}, {"", "01"}}) {
    Load(std::string("[Preferences]\r\nArchiveType=") + value + "\r\n");
    EXPECT_EQ(Flags().substr(0, 2), rar) << value;
  }
  Load("[Preferences]\r\nCompression=5\r\nRepairRecord=10\r\n");  // the largest choices
  EXPECT_EQ(Flags().substr(14), "5 10");
}

TEST_F(SettingsFile, TextsAreCutToTheirLengths) {
  const std::string longPath = "C:\\" + std::string(300, 'p');
  std::string file = "[Preferences]\r\nLastActiveFolder=" + longPath + "\r\n[Settings]\r\n";
  for (const char* key :
       {"SoldatPath", "PWPath", "WinRARPath", "DefaultSaveFolder", "TemplatePath", "Localization"})
    file += std::string(key) + "=" + longPath + "\r\n";
  Load(file);
  const AppState& s = state;
  EXPECT_EQ(std::tuple(s.lastActiveFolder.size(), s.soldatPath.size(), s.polyWorksPath.size(),
                       s.winRarPath.size(), s.defaultSaveFolder.size(), s.templatePath.size(),
                       s.languageName.size()),
            std::tuple(260u, 195u, 195u, 260u, 210u, 260u, 64u));
}

TEST_F(SettingsFile, SavedSettingsLoadBackAndASecondSaveReplacesThem) {
  Load();
  controls.windowRect = {200, 150, 821, 950};
  controls.setText(Slot::archiveNameEdit, u"C:\\out\\packs\\weekly.rar");
  controls.setChecked(Slot::rarRadio, false);
  for (const Slot slot : {Slot::zipRadio, Slot::solidCheck, Slot::addCommentCheck})
    controls.setChecked(slot, true);
  controls.setComboSelection(Slot::compressionCombo, 2);
  controls.setComboSelection(Slot::recoveryCombo, 7);
  std::u16string* fields[] = {&state.soldatPath,        &state.polyWorksPath, &state.winRarPath,
                              &state.defaultSaveFolder, &state.templatePath,  &state.languageName};
  for (int i = 0; i < 6; ++i) *fields[i] = u"D:\\t\u00e9" + DecimalText(i) + u".exe";
  state.autoloadTemplate = state.testArchive = true;
  state.skipDefaultMaps = state.skipDefaultTextures = state.explore = false;
  const std::string flags = Flags();
  ASSERT_TRUE(SaveSettings(state, controls));

  for (std::u16string* field : fields) field->clear();
  state.autoloadTemplate = state.testArchive = false;
  Load();
  EXPECT_EQ(Placed(), (WindowPlacement{200, 150, 621, 800}));
  EXPECT_EQ(Flags(), flags);
  EXPECT_EQ(state.lastActiveFolder, u"C:\\out\\packs\\");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(*fields[i], u"D:\\t\u00e9" + DecimalText(i) + u".exe");

  controls.setText(Slot::archiveNameEdit, u"weekly.rar");  // no folder
  ASSERT_TRUE(SaveSettings(state, controls));
  Load();
  EXPECT_EQ(state.lastActiveFolder, u"");
}

TEST(ClampWindowPlacement, KeepsTheCaptionAndAllButTheFrameOnTheWorkArea) {
  const std::tuple<int, int, int, ui::Rect, WindowPlacement> rows[] = {
      {663, 0, 1002, kScreen, {663, 0, 621, 1002}},  // touching the limits exactly
      // The side frames may stick out by f - 4 pixels; wider than the work area, left wins.
      {5000, 100, 700, kScreen, {1280 + 8 - 4 - 621, 100, 621, 700}},
      {50, 100, 700, {0, 0, 500, 994}, {-4, 100, 621, 700}},
      // Shorter while there is room below, else moved up at the least height.
      {100, 100, 2000, kScreen, {100, 100, 621, 902}},
      {100, 800, 700, kScreen, {100, 1002 - 597, 621, 597}},
      // The caption stays reachable, even when the bottom must stick out.
      {100, 0, 700, {0, 40, 1280, 1024}, {100, 38, 621, 700}},
      {100, 10, 700, {0, 40, 1280, 500}, {100, 38, 621, 597}},
  };
  for (const auto& [x, y, height, area, expected] : rows)
    EXPECT_EQ(ClampWindowPlacement(x, y, height, area, kFrame), expected) << x << "," << y;
}

}  // namespace
