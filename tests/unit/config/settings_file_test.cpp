#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/string_list.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using ui::Slot;

constexpr WindowFrame kFrame{8, 621, 597};
constexpr ui::Rect kScreen{0, 0, 1280, 994};

// The packing options as the controls show them after loading.
struct Options {
  bool rar = false;
  bool zip = false;
  int compression = -1;
  int recovery = -1;
  bool solid = false;
  bool fitImage = false;
  bool addComment = false;
  bool operator==(const Options&) const = default;
};
void PrintTo(const Options& o, std::ostream* out) {
  *out << "rar " << o.rar << ", zip " << o.zip << ", compression " << o.compression << ", recovery "
       << o.recovery << ", solid " << o.solid << ", fit image " << o.fitImage << ", add comment "
       << o.addComment;
}

// The eight flags of the Settings section, each with its key and its default.
struct FlagKey {
  const char* key;
  bool AppState::*field;
  bool byDefault;
};
constexpr FlagKey kFlagKeys[] = {
    {"AutoloadTemplate", &AppState::autoloadTemplate, false},
    {"SkipDefaultMaps", &AppState::skipDefaultMaps, true},
    {"SkipDefaultSceneries", &AppState::skipDefaultSceneries, true},
    {"SkipDefaultTextures", &AppState::skipDefaultTextures, true},
    {"SkipMapslist", &AppState::skipMapslist, true},
    {"TestArchive", &AppState::testArchive, false},
    {"LockArchive", &AppState::lockArchive, false},
    {"Explore", &AppState::explore, true},
};

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
    const ui::Rect work = controls.workAreaRect;
    const ui::Point origin = controls.workspaceOriginPoint;
    controls = FakeControls{};
    controls.workAreaRect = work;
    controls.workspaceOriginPoint = origin;
    controls.at(Slot::compressionCombo).items.assign(6, u"->");
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
    LoadSettings(state, controls);
  }
  WindowPlacement Placed() const {
    const ui::Rect& r = controls.windowRect;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  Options Shown() const {
    return {controls.checked(Slot::rarRadio),
            controls.checked(Slot::zipRadio),
            controls.comboSelection(Slot::compressionCombo),
            controls.comboSelection(Slot::recoveryCombo),
            controls.checked(Slot::solidCheck),
            controls.checked(Slot::fitImageCheck),
            controls.checked(Slot::addCommentCheck)};
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
  EXPECT_EQ(Shown(), (Options{.rar = true, .compression = 5, .recovery = 0}));
  for (const FlagKey& flag : kFlagKeys) EXPECT_EQ(state.*flag.field, flag.byDefault) << flag.key;
  EXPECT_EQ(state.soldatPath + state.polyWorksPath + state.winRarPath + state.defaultSaveFolder +
                state.templatePath + state.lastActiveFolder,
            u"");
  EXPECT_EQ(state.languageName, u"default");
}

// A flag is set by a value whose first character is "1", whatever follows; any other value,
// an empty one too, clears it; a missing key gives the default.
TEST_F(SettingsFile, FlagsAreSetByALeadingOneOnly) {
  const std::pair<const char*, bool> values[] = {{"1", true},    {"1abc", true}, {"10", true},
                                                 {"0", false},   {"", false},    {"01", false},
                                                 {"yes", false}, {"true", false}};
  for (const auto& [value, set] : values) {
    std::string file = "[Preferences]\r\n";
    for (const char* key : {"SolidArchive", "FitImage", "AddComment"})
      file += std::string(key) + "=" + value + "\r\n";
    file += "[Settings]\r\n";
    for (const FlagKey& flag : kFlagKeys) file += std::string(flag.key) + "=" + value + "\r\n";
    Load(file);
    const Options shown = Shown();
    EXPECT_EQ(std::tuple(shown.solid, shown.fitImage, shown.addComment), std::tuple(set, set, set))
        << value;
    for (const FlagKey& flag : kFlagKeys)
      EXPECT_EQ(state.*flag.field, set) << flag.key << "=" << value;
  }
}

TEST_F(SettingsFile, ArchiveTypeStartingWithZeroIsRarAnythingElseZip) {
  const std::pair<const char*, bool> rows[] = {
      {"0", true}, {"01", true}, {"1", false}, {"2", false}, {"", false}};
  for (const auto& [value, rar] : rows) {
    Load(std::string("[Preferences]\r\nArchiveType=") + value + "\r\n");
    EXPECT_EQ(std::pair(Shown().rar, Shown().zip), std::pair(rar, !rar)) << value;
  }
}

// Compression above 5 becomes 5 (the best); a recovery record above 10% becomes none.
TEST_F(SettingsFile, ChoicesOutOfRangeFallBack) {
  const std::tuple<const char*, int, int> rows[] = {
      {"Compression=2\r\nRepairRecord=7", 2, 7},  {"Compression=5\r\nRepairRecord=10", 5, 10},
      {"Compression=6\r\nRepairRecord=11", 5, 0}, {"Compression=9\r\nRepairRecord=99", 5, 0},
      {"Compression=x\r\nRepairRecord=-3", 0, 0},
  };
  for (const auto& [lines, compression, recovery] : rows) {
    Load(std::string("[Preferences]\r\n") + lines + "\r\n");
    EXPECT_EQ(std::pair(Shown().compression, Shown().recovery), std::pair(compression, recovery))
        << lines;
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

// Key names, sections, order and values as a later start (or an older version) reads them.
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

  // A second save replaces the values; a name without a folder leaves no folder.
  controls.setText(Slot::archiveNameEdit, u"weekly.rar");
  controls.setChecked(Slot::rarRadio, true);
  ASSERT_TRUE(SaveSettings(state, controls));
  EXPECT_TRUE(WrittenLines().starts_with(
      u"[Preferences]|Left=200|Top=150|Height=800|LastActiveFolder=|ArchiveType=0|Compression"));
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
      {100, 0, 700, {0, 40, 1280, 1024}, {100, 38, 621, 700}},
      {100, 10, 700, {0, 40, 1280, 500}, {100, 38, 621, 597}},
  };
  for (const auto& [x, y, height, area, expected] : rows)
    EXPECT_EQ(ClampWindowPlacement(x, y, height, area, kFrame), expected) << x << "," << y;
}

}  // namespace
