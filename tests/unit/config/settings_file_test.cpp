#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "core/string_list.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using ui::Slot;

constexpr WindowFrame kFrame{8, 621, 597};
constexpr ui::Rect kScreen{0, 0, 1280, 994};

// The lines a save writes after a load, each ended by '|', with the eleven flags in the
// order written ('#' in the text) taken from `flags`.
std::u16string Expected(std::string_view flags) {
  std::u16string text =
      u"[Preferences]|Left=100|Top=100|Height=597|LastActiveFolder=|ArchiveType=0|Compression=5|"
      u"RepairRecord=0|SolidArchive=#|FitImage=#|AddComment=#|[Settings]|SoldatPath=|PWPath=|"
      u"WinRARPath=|DefaultSaveFolder=|TemplatePath=|AutoloadTemplate=#|SkipDefaultMaps=#|"
      u"SkipDefaultSceneries=#|SkipDefaultTextures=#|SkipMapslist=#|TestArchive=#|"
      u"LockArchive=#|Explore=#|Localization=default|";
  for (const char flag : flags) text[text.find(u'#')] = static_cast<char16_t>(flag);
  return text;
}

class SettingsFile : public testing::Test {
 protected:
  SettingsFile() {
    state.programFolder = dir.path();
    state.frameBorder = kFrame.frameBorder;
    state.fixedWindowWidth = kFrame.width;
    state.minWindowHeight = kFrame.minHeight;
    controls.at(Slot::compressionCombo).items.assign(6, u"->");
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
  }

  // Loads into a window whose option lists hold the shell's placeholders, from `file` as a
  // user or an older version left it (ANSI text).
  void Load(std::optional<std::string> file = std::nullopt) {
    if (file) fixtures::WriteText(SettingsFilePath(state), *file);
    LoadSettings(state, controls);
  }
  WindowPlacement Placed() const {
    const ui::Rect& r = controls.windowRect;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  // Archive type, compression and recovery as the controls show them.
  std::string Shown() const {
    return std::string(controls.checked(Slot::rarRadio) ? "rar" : "") +
           (controls.checked(Slot::zipRadio) ? "zip" : "") + " m" +
           std::to_string(controls.comboSelection(Slot::compressionCombo)) + " r" +
           std::to_string(controls.comboSelection(Slot::recoveryCombo));
  }
  // The file's lines, each ended by '|'.
  std::u16string WrittenLines() const {
    StringList lines;
    EXPECT_TRUE(lines.loadFromFile(SettingsFilePath(state), 4096));
    std::u16string out;
    for (int i = 0; i < lines.count(); ++i) out += std::u16string(lines.textAt(i)) + u'|';
    return out;
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
  controls.setText(Slot::archiveNameEdit, u"weekly.rar");      // a name without a folder
  ASSERT_TRUE(SaveSettings(state, controls));
  EXPECT_EQ(WrittenLines(), Expected("00001111001"));
}

TEST_F(SettingsFile, FlagsAreSetByALeadingOneOnly) {
  for (const auto& [value, set] : {std::pair{"1abc", true}, {"01", false}, {"", false}}) {
    std::string file = "[Preferences]\r\n";
    for (const char* key :
         {"SolidArchive", "FitImage", "AddComment", "[Settings]", "AutoloadTemplate",
          "SkipDefaultMaps", "SkipDefaultSceneries", "SkipDefaultTextures", "SkipMapslist",
          "TestArchive", "LockArchive", "Explore"})
      file += key[0] == '[' ? std::string(key) + "\r\n" : std::string(key) + "=" + value + "\r\n";
    Load(file);
    ASSERT_TRUE(platform::DeleteFilePath(SettingsFilePath(state)));  // written anew in order
    ASSERT_TRUE(SaveSettings(state, controls));
    EXPECT_EQ(WrittenLines(), Expected(set ? "11111111111" : "00000000000")) << value;
  }
}

TEST_F(SettingsFile, ChoicesOutOfRangeFallBack) {
  const std::pair<const char*, const char*> rows[] = {
      {"ArchiveType=01\r\nCompression=2\r\nRepairRecord=10", "rar m2 r10"},
      {"ArchiveType=1\r\nCompression=6\r\nRepairRecord=11", "zip m5 r0"},
      {"ArchiveType=\r\nCompression=x\r\nRepairRecord=-3", "zip m0 r0"},
  };
  for (const auto& [lines, shown] : rows) {
    Load(std::string("[Preferences]\r\n") + lines + "\r\n");
    EXPECT_EQ(Shown(), shown) << lines;
  }
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

TEST_F(SettingsFile, SaveWritesEveryKeyInItsSectionAsText) {
  Load();
  controls.windowRect = {200, 150, 821, 950};
  controls.setText(Slot::archiveNameEdit, u"C:\\out\\packs\\weekly.rar");
  controls.setChecked(Slot::rarRadio, false);
  for (const Slot slot : {Slot::zipRadio, Slot::solidCheck, Slot::addCommentCheck})
    controls.setChecked(slot, true);
  controls.setComboSelection(Slot::compressionCombo, 2);
  controls.setComboSelection(Slot::recoveryCombo, 7);
  state.soldatPath = u"D:\\Soldat\\Soldat.exe";
  state.polyWorksPath = u"D:\\PW\\Soldat PolyWorks.exe";
  state.winRarPath = u"C:\\WinRAR\\WinRAR.exe";
  state.defaultSaveFolder = u"D:\\packs\\";
  state.templatePath = u"D:\\t\u00e9mplate.txt";
  state.languageName = u"Deutsch.lng";
  state.autoloadTemplate = state.testArchive = true;
  state.skipDefaultMaps = state.skipDefaultTextures = state.explore = false;
  ASSERT_TRUE(SaveSettings(state, controls));

  EXPECT_EQ(WrittenLines(),
            u"[Preferences]|Left=200|Top=150|Height=800|LastActiveFolder=C:\\out\\packs\\|"
            u"ArchiveType=1|Compression=2|RepairRecord=7|SolidArchive=1|FitImage=0|AddComment=1|"
            u"[Settings]|SoldatPath=D:\\Soldat\\Soldat.exe|PWPath=D:\\PW\\Soldat PolyWorks.exe|"
            u"WinRARPath=C:\\WinRAR\\WinRAR.exe|DefaultSaveFolder=D:\\packs\\|"
            u"TemplatePath=D:\\t\u00e9mplate.txt|AutoloadTemplate=1|SkipDefaultMaps=0|"
            u"SkipDefaultSceneries=1|SkipDefaultTextures=0|SkipMapslist=1|TestArchive=1|"
            u"LockArchive=0|Explore=0|Localization=Deutsch.lng|");
}

// The system keeps the restored place in workspace coordinates, which a task bar at the top
// or left shifts against the screen; the file holds screen coordinates.
TEST_F(SettingsFile, AWindowComesBackWhereItWasBesideATaskBarAtTheTopOrLeft) {
  controls.workAreaRect = {60, 40, 1280, 1024};
  controls.workspaceOriginPoint = {60, 40};
  Load("[Preferences]\r\nLeft=150\r\nTop=120\r\nHeight=700\r\n");
  EXPECT_EQ(Placed(), (WindowPlacement{150, 120, 621, 700}));
  ASSERT_TRUE(SaveSettings(state, controls));
  EXPECT_TRUE(WrittenLines().starts_with(u"[Preferences]|Left=150|Top=120|Height=700|"));
  Load();
  EXPECT_EQ(Placed(), (WindowPlacement{150, 120, 621, 700}));
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
      {100, 10, 700, {0, 40, 1280, 500}, {100, 38, 621, 597}},
  };
  for (const auto& [x, y, height, area, expected] : rows)
    EXPECT_EQ(ClampWindowPlacement(x, y, height, area, kFrame), expected) << x << "," << y;
}

}  // namespace
