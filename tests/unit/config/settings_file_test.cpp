#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using testsupport::TempDir;
using ui::Slot;

constexpr WindowFrame kFrame{8, 621, 597};
constexpr ui::Rect kScreen{0, 0, 1280, 994};

// The window as the shell leaves it before the settings are read: the option lists hold
// placeholders so that a saved choice can be selected before the UI text exists.
struct Window {
  FakeControls controls;
  Window() {
    controls.workAreaRect = kScreen;
    controls.at(Slot::compressionCombo).items.assign(6, u"->");
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
  }
  WindowPlacement placed() const {
    const ui::Rect& r = controls.windowRect;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
};

class SettingsFile : public testing::Test {
 protected:
  SettingsFile() {
    state.programFolder = dir.path();
    state.frameBorder = kFrame.frameBorder;
    state.fixedWindowWidth = kFrame.width;
    state.minWindowHeight = kFrame.minHeight;
  }
  // The settings file as a user or an older version left it: ANSI text.
  void writeFile(const std::string& text) { testsupport::WriteText(SettingsFilePath(state), text); }
  AppState load() {
    AppState loaded;
    loaded.programFolder = state.programFolder;
    loaded.frameBorder = state.frameBorder;
    loaded.fixedWindowWidth = state.fixedWindowWidth;
    loaded.minWindowHeight = state.minWindowHeight;
    LoadSettings(loaded, window.controls);
    return loaded;
  }
  std::u16string stored(std::u16string_view section, std::u16string_view key) {
    return platform::ReadIniString(SettingsFilePath(state), section, key, u"<missing>", 300);
  }

  TempDir dir;
  AppState state;
  Window window;
};

TEST_F(SettingsFile, LivesInTheProgramFolder) {
  EXPECT_EQ(SettingsFilePath(state), dir.path() + u"Soldat ZEK.ini");
}

TEST_F(SettingsFile, WithoutAFileEveryKeyTakesItsDefault) {
  state.skipDefaultMaps = false;
  state.explore = false;
  state.languageName = u"Deutsch.lng";
  state.soldatPath = u"C:\\stale\\Soldat.exe";
  LoadSettings(state, window.controls);

  // 100, 100, 594 high, then grown to the least height.
  EXPECT_EQ(window.placed(), (WindowPlacement{100, 100, 621, 597}));
  EXPECT_TRUE(window.controls.checked(Slot::rarRadio));
  EXPECT_FALSE(window.controls.checked(Slot::zipRadio));
  EXPECT_EQ(window.controls.comboSelection(Slot::compressionCombo), 5);
  EXPECT_EQ(window.controls.comboSelection(Slot::recoveryCombo), 0);
  EXPECT_FALSE(window.controls.checked(Slot::solidCheck));
  EXPECT_FALSE(window.controls.checked(Slot::fitImageCheck));
  EXPECT_FALSE(window.controls.checked(Slot::addCommentCheck));

  EXPECT_TRUE(state.soldatPath.empty());
  EXPECT_TRUE(state.polyWorksPath.empty());
  EXPECT_TRUE(state.winRarPath.empty());
  EXPECT_TRUE(state.defaultSaveFolder.empty());
  EXPECT_TRUE(state.templatePath.empty());
  EXPECT_TRUE(state.lastActiveFolder.empty());
  EXPECT_FALSE(state.autoloadTemplate);
  EXPECT_TRUE(state.skipDefaultMaps);
  EXPECT_TRUE(state.skipDefaultSceneries);
  EXPECT_TRUE(state.skipDefaultTextures);
  EXPECT_TRUE(state.skipMapslist);
  EXPECT_FALSE(state.testArchive);
  EXPECT_FALSE(state.lockArchive);
  EXPECT_TRUE(state.explore);
  EXPECT_EQ(state.languageName, u"default");
}

TEST_F(SettingsFile, FlagsAreSetOnlyByALeadingOne) {
  writeFile(
      "[Preferences]\r\nSolidArchive=1abc\r\nFitImage=0\r\nAddComment=\r\n"
      "[Settings]\r\nTestArchive=10\r\nLockArchive=yes\r\nExplore=true\r\n"
      "SkipDefaultMaps=01\r\nSkipDefaultSceneries=\r\nSkipMapslist=1\r\nAutoloadTemplate=1\r\n");
  const AppState s = load();
  EXPECT_TRUE(window.controls.checked(Slot::solidCheck));
  EXPECT_FALSE(window.controls.checked(Slot::fitImageCheck));
  EXPECT_FALSE(window.controls.checked(Slot::addCommentCheck));
  EXPECT_TRUE(s.testArchive);
  EXPECT_FALSE(s.lockArchive);
  EXPECT_FALSE(s.explore);
  EXPECT_FALSE(s.skipDefaultMaps);
  EXPECT_FALSE(s.skipDefaultSceneries);  // empty value: cleared, not the default
  EXPECT_TRUE(s.skipDefaultTextures);    // missing: its default
  EXPECT_TRUE(s.skipMapslist);
  EXPECT_TRUE(s.autoloadTemplate);
}

TEST_F(SettingsFile, ArchiveTypeIsRarOnlyForALeadingZero) {
  for (const auto& [value, rar] : {std::pair{"0", true},
                                   {"01", true},
                                   {"1", false},
                                   {"2", false},
                                   {"", false},
                                   {"rar", false}}) {
    writeFile(std::string("[Preferences]\r\nArchiveType=") + value + "\r\n");
    load();
    EXPECT_EQ(window.controls.checked(Slot::rarRadio), rar) << value;
    EXPECT_EQ(window.controls.checked(Slot::zipRadio), !rar) << value;
  }
}

TEST_F(SettingsFile, CompressionAndRecoveryFallBackWhenOutOfRange) {
  struct Case {
    const char* compression;
    const char* recovery;
    int compressionChoice;
    int recoveryChoice;
  };
  for (const Case c :
       {Case{"9", "11", 5, 0}, Case{"2", "7", 2, 7}, Case{"5", "10", 5, 10}, Case{"0", "0", 0, 0},
        Case{"x", "-3", 0, 0}, Case{"0003x", "0010", 3, 10}, Case{"99999", "12345", 5, 0}}) {
    writeFile(std::string("[Preferences]\r\nCompression=") + c.compression +
              "\r\nRepairRecord=" + c.recovery + "\r\n");
    load();
    EXPECT_EQ(window.controls.comboSelection(Slot::compressionCombo), c.compressionChoice)
        << c.compression;
    EXPECT_EQ(window.controls.comboSelection(Slot::recoveryCombo), c.recoveryChoice) << c.recovery;
  }
}

TEST_F(SettingsFile, NumbersAreReadByTheirFirstFourDigits) {
  window.controls.workAreaRect = {0, 0, 20000, 20000};
  writeFile("[Preferences]\r\nLeft=12345\r\nTop=0700px\r\nHeight=0999\r\n");
  load();
  EXPECT_EQ(window.placed(), (WindowPlacement{1234, 700, 621, 999}));
}

TEST_F(SettingsFile, ANegativeLeftReadsAsZeroBeforeClamping) {
  // -20 itself would be pulled to -4 (the frame may stick out by f - 4 = 4 pixels).
  writeFile("[Preferences]\r\nLeft=-20\r\nTop=-20\r\nHeight=600\r\n");
  load();
  EXPECT_EQ(window.placed(), (WindowPlacement{0, 0, 621, 600}));

  window.controls.workAreaRect = {100, 50, 1380, 1044};  // a work area off the origin
  load();
  EXPECT_EQ(window.placed(), (WindowPlacement{96, 48, 621, 600}));
}

TEST_F(SettingsFile, TextsAreCutToTheirLengths) {
  const std::string longPath = "C:\\" + std::string(300, 'p');
  std::string file = "[Preferences]\r\nLastActiveFolder=" + longPath + "\r\n[Settings]\r\n";
  for (const char* key :
       {"SoldatPath", "PWPath", "WinRARPath", "DefaultSaveFolder", "TemplatePath", "Localization"})
    file += std::string(key) + "=" + longPath + "\r\n";
  writeFile(file);
  const AppState s = load();
  EXPECT_EQ(s.lastActiveFolder.size(), 260u);
  EXPECT_EQ(s.soldatPath.size(), 195u);
  EXPECT_EQ(s.polyWorksPath.size(), 195u);
  EXPECT_EQ(s.winRarPath.size(), 260u);
  EXPECT_EQ(s.defaultSaveFolder.size(), 210u);
  EXPECT_EQ(s.templatePath.size(), 260u);
  EXPECT_EQ(s.languageName.size(), 64u);
  EXPECT_EQ(s.soldatPath.substr(0, 4), u"C:\\p");
}

TEST_F(SettingsFile, SavedAndLoadedSettingsMatch) {
  FakeControls& c = window.controls;
  c.windowRect = {200, 150, 821, 950};
  c.setText(Slot::archiveNameEdit, u"C:\\out\\packs\\weekly.rar");
  c.setChecked(Slot::zipRadio, true);
  c.setComboSelection(Slot::compressionCombo, 2);
  c.setComboSelection(Slot::recoveryCombo, 7);
  c.setChecked(Slot::solidCheck, true);
  c.setChecked(Slot::fitImageCheck, true);
  c.setChecked(Slot::addCommentCheck, true);
  state.soldatPath = u"C:\\Games\\Soldat\\Soldat.exe";
  state.polyWorksPath = u"C:\\Games\\Soldat\\Soldat PolyWorks\\Soldat PolyWorks.exe";
  state.winRarPath = u"C:\\Program Files\\WinRAR\\WinRAR.exe";
  state.defaultSaveFolder = u"D:\\Archives\\";
  state.templatePath = u"D:\\template \u00e9t\u00e9.txt";
  state.autoloadTemplate = true;
  state.skipDefaultMaps = false;
  state.skipDefaultSceneries = true;
  state.skipDefaultTextures = false;
  state.skipMapslist = true;
  state.testArchive = true;
  state.lockArchive = false;
  state.explore = false;
  state.languageName = u"Deutsch.lng";
  SaveSettings(state, c);

  EXPECT_EQ(stored(u"Preferences", u"Height"), u"800");
  EXPECT_EQ(stored(u"Preferences", u"ArchiveType"), u"1");
  EXPECT_EQ(stored(u"Preferences", u"LastActiveFolder"), u"C:\\out\\packs\\");

  Window fresh;
  window.controls = fresh.controls;
  const AppState s = load();
  EXPECT_EQ(window.placed(), (WindowPlacement{200, 150, 621, 800}));
  EXPECT_FALSE(window.controls.checked(Slot::rarRadio));
  EXPECT_TRUE(window.controls.checked(Slot::zipRadio));
  EXPECT_EQ(window.controls.comboSelection(Slot::compressionCombo), 2);
  EXPECT_EQ(window.controls.comboSelection(Slot::recoveryCombo), 7);
  EXPECT_TRUE(window.controls.checked(Slot::solidCheck));
  EXPECT_TRUE(window.controls.checked(Slot::fitImageCheck));
  EXPECT_TRUE(window.controls.checked(Slot::addCommentCheck));
  EXPECT_EQ(s.lastActiveFolder, u"C:\\out\\packs\\");
  EXPECT_EQ(s.soldatPath, state.soldatPath);
  EXPECT_EQ(s.polyWorksPath, state.polyWorksPath);
  EXPECT_EQ(s.winRarPath, state.winRarPath);
  EXPECT_EQ(s.defaultSaveFolder, state.defaultSaveFolder);
  EXPECT_EQ(s.templatePath, state.templatePath);
  EXPECT_EQ(s.autoloadTemplate, state.autoloadTemplate);
  EXPECT_EQ(s.skipDefaultMaps, state.skipDefaultMaps);
  EXPECT_EQ(s.skipDefaultSceneries, state.skipDefaultSceneries);
  EXPECT_EQ(s.skipDefaultTextures, state.skipDefaultTextures);
  EXPECT_EQ(s.skipMapslist, state.skipMapslist);
  EXPECT_EQ(s.testArchive, state.testArchive);
  EXPECT_EQ(s.lockArchive, state.lockArchive);
  EXPECT_EQ(s.explore, state.explore);
  EXPECT_EQ(s.languageName, state.languageName);

  // Saved again with other values, the same file holds the new ones.
  window.controls.setText(Slot::archiveNameEdit, u"weekly.rar");
  window.controls.setChecked(Slot::rarRadio, true);
  state.explore = true;
  SaveSettings(state, window.controls);
  EXPECT_EQ(stored(u"Preferences", u"LastActiveFolder"), u"");
  EXPECT_EQ(stored(u"Preferences", u"ArchiveType"), u"0");
  EXPECT_EQ(stored(u"Settings", u"Explore"), u"1");
}

TEST(ClampWindowPlacement, KeepsAPlaceThatFits) {
  EXPECT_EQ(ClampWindowPlacement(100, 100, 700, kScreen, kFrame),
            (WindowPlacement{100, 100, 621, 700}));
  // Touching the limits exactly is still inside.
  EXPECT_EQ(ClampWindowPlacement(663, 0, 1002, kScreen, kFrame),
            (WindowPlacement{663, 0, 621, 1002}));
}

TEST(ClampWindowPlacement, PullsASideBackSoThatAtMostTheFrameSticksOut) {
  // Far right: the right edge may pass the work area by f - 4 pixels.
  EXPECT_EQ(ClampWindowPlacement(5000, 100, 700, kScreen, kFrame).x, 1280 + 8 - 4 - 621);
  EXPECT_EQ(ClampWindowPlacement(664, 100, 700, kScreen, kFrame).x, 663);
  EXPECT_EQ(ClampWindowPlacement(-300, 100, 700, kScreen, kFrame).x, -4);
  // Wider than the work area: the left edge wins.
  EXPECT_EQ(ClampWindowPlacement(50, 100, 700, ui::Rect{0, 0, 500, 994}, kFrame).x, -4);
}

TEST(ClampWindowPlacement, GrowsToTheLeastHeightAndKeepsTheBottomOnScreen) {
  EXPECT_EQ(ClampWindowPlacement(100, 100, 10, kScreen, kFrame).height, 597);
  // Room below y for more than the least height: the window gets shorter.
  EXPECT_EQ(ClampWindowPlacement(100, 100, 2000, kScreen, kFrame),
            (WindowPlacement{100, 100, 621, 902}));
  // Not enough room: the window moves up at its least height.
  EXPECT_EQ(ClampWindowPlacement(100, 800, 700, kScreen, kFrame),
            (WindowPlacement{100, 1002 - 597, 621, 597}));
}

TEST(ClampWindowPlacement, TheCaptionNeverGoesAboveTheWorkArea) {
  const ui::Rect topBar{0, 40, 1280, 1024};
  EXPECT_EQ(ClampWindowPlacement(100, 0, 700, topBar, kFrame).y, 38);
  // A work area lower than the least height: the caption stays reachable, the bottom sticks
  // out.
  EXPECT_EQ(ClampWindowPlacement(100, 10, 700, ui::Rect{0, 40, 1280, 500}, kFrame),
            (WindowPlacement{100, 38, 621, 597}));
}

}  // namespace
