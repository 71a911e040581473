#include "config/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using testsupport::TempDir;
using ui::Slot;

constexpr std::u16string_view kFallbackNote =
    u"\nFailed to load localization file! Default localization will be used instead.";

std::u16string Entry(int i) {
  const std::string s = "L" + std::to_string(i);
  return {s.begin(), s.end()};
}

// A translation whose entry i reads "L<i>".
std::vector<std::u16string> Table(int lines) {
  std::vector<std::u16string> table;
  for (int i = 0; i < lines; ++i) table.push_back(Entry(i));
  return table;
}

std::vector<std::uint8_t> Utf16Bytes(const std::vector<std::u16string>& lines) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (const auto& line : lines) {
    for (const char16_t c : line + u"\r\n") {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  return bytes;
}

std::vector<std::u16string> Items(std::initializer_list<int> entries) {
  std::vector<std::u16string> items;
  for (const int i : entries) items.push_back(Entry(i));
  return items;
}

class UiText : public testing::Test {
 protected:
  UiText() {
    state.programFolder = dir.path();
    // The shell's placeholders, with the choices the settings file made.
    controls.at(Slot::compressionCombo).items.assign(6, u"->");
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
    controls.setComboSelection(Slot::compressionCombo, 5);
    controls.setComboSelection(Slot::recoveryCombo, 7);
  }
  std::u16string languageFile(std::u16string_view name) const {
    return dir.path() + u"Localization\\" + std::u16string(name);
  }
  void writeLanguage(std::u16string_view name, const std::vector<std::u16string>& lines) {
    testsupport::WriteBytes(languageFile(name), Utf16Bytes(lines));
  }
  UiTextResult load(std::u16string_view language) {
    state.languageName = language;
    return LoadUiText(state, controls);
  }
  void expectEnglish() const {
    EXPECT_EQ(controls.tabs[0].text, u"Main");
    EXPECT_EQ(controls.text(Slot::applyButton), u"Apply");
    EXPECT_EQ(UiString(state, 56), u"All maps ( ");
  }
  void expectFellBack(std::u16string_view file) const {
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
    EXPECT_EQ(controls.messages[0].text, languageFile(file) + std::u16string(kFallbackNote));
    EXPECT_EQ(state.languageName, u"default");
    expectEnglish();
  }

  TempDir dir;
  AppState state;
  FakeControls controls;
};

TEST_F(UiText, TheBuiltInTableLabelsTheWholeWindow) {
  ASSERT_EQ(load(u"default"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  const std::vector<std::u16string> tabs = {u"Main", u"Content", u"Comment", u"Settings"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(controls.tabs[i].text, tabs[i]);
  EXPECT_EQ(controls.tabItemSize, (std::pair{126, 19}));
  EXPECT_EQ(controls.text(Slot::refreshCatalogueButton), u"Refresh");
  EXPECT_EQ(controls.text(Slot::refreshContentButton), u"Refresh");
  EXPECT_EQ(controls.text(Slot::browseTemplateButton), u"Browse");
  EXPECT_EQ(controls.text(Slot::recoveryLabel), u"Amount of recovery record:");
  EXPECT_EQ(controls.text(Slot::soldatPathLabel), u"Soldat path ( required )");
  EXPECT_EQ(controls.text(Slot::skipMapslistCheck), u"Don't pack mapslist");
  EXPECT_EQ(controls.text(Slot::exploreCheck), u"Open target folder in Explorer");
  EXPECT_EQ(controls.text(Slot::applyButton), u"Apply");
  // Slots without a caption from the table are left alone.
  EXPECT_EQ(controls.text(Slot::mainSearchButton), u"");
  EXPECT_EQ(controls.text(Slot::rarRadio), u"");
  EXPECT_EQ(
      controls.at(Slot::compressionCombo).items,
      (std::vector<std::u16string>{u"store", u"fastest", u"fast", u"normal", u"good", u"best"}));
  const auto& recovery = controls.at(Slot::recoveryCombo).items;
  ASSERT_EQ(recovery.size(), 11u);
  EXPECT_EQ(recovery.front(), u"none");
  EXPECT_EQ(recovery[1], u"1%");
  EXPECT_EQ(recovery.back(), u"10%");
  EXPECT_EQ(state.uiText.count(), 161 - 56);
  EXPECT_EQ(UiString(state, 56), u"All maps ( ");
  EXPECT_EQ(UiString(state, 144), u" created successfully");
  EXPECT_EQ(UiString(state, 160), u"WinRar in progress: Locking archive");
  EXPECT_EQ(state.languageName, u"default");

  // "default" in any letter case is the built-in table, not a file.
  ASSERT_EQ(load(u"DEFAULT"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(state.languageName, u"DEFAULT");
}

TEST_F(UiText, ATranslationOfAtLeast161LinesReplacesEveryText) {
  writeLanguage(u"Test.lng", Table(161));
  ASSERT_EQ(load(u"Test.lng"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(state.languageName, u"Test.lng");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(controls.tabs[i].text, Entry(i));
  EXPECT_EQ(controls.text(Slot::refreshCatalogueButton), Entry(4));
  EXPECT_EQ(controls.text(Slot::showLogButton), Entry(14));
  EXPECT_EQ(controls.text(Slot::applyButton), Entry(36));
  EXPECT_EQ(controls.at(Slot::compressionCombo).items, Items({37, 38, 39, 40, 41, 42}));
  EXPECT_EQ(controls.at(Slot::recoveryCombo).items,
            Items({43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53}));
  EXPECT_EQ(UiString(state, 56), Entry(56));
  EXPECT_EQ(UiString(state, 160), Entry(160));

  // Longer files are accepted; the lines past the table are kept and never shown.
  writeLanguage(u"Long.lng", Table(170));
  ASSERT_EQ(load(u"Long.lng"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(state.uiText.count(), 170 - 56);
  EXPECT_EQ(UiString(state, 169), Entry(169));
}

TEST_F(UiText, ATableShortOfEntriesFallsBackToEnglishWithAWarning) {
  writeLanguage(u"Short.lng", Table(160));
  ASSERT_EQ(load(u"Short.lng"), UiTextResult::kLoaded);
  expectFellBack(u"Short.lng");
}

TEST_F(UiText, AnOverlongLineEndsTheTable) {
  auto lines = Table(161);
  lines[100] = std::u16string(65, u'w');
  writeLanguage(u"Fits.lng", lines);
  ASSERT_EQ(load(u"Fits.lng"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(UiString(state, 100), lines[100]);

  lines[100] = std::u16string(66, u'w');
  writeLanguage(u"Wide.lng", lines);
  ASSERT_EQ(load(u"Wide.lng"), UiTextResult::kLoaded);
  expectFellBack(u"Wide.lng");
}

TEST_F(UiText, AnAnsiTranslationIsConvertedThroughTheCodePage) {
  std::string text;
  for (int i = 0; i < 161; ++i) text += "E" + std::to_string(i) + (i == 5 ? "\xE9" : "") + "\r\n";
  testsupport::WriteText(languageFile(u"Ansi.lng"), text);
  ASSERT_EQ(load(u"Ansi.lng"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(controls.text(Slot::loadMapslistButton), u"E5\u00e9");
  EXPECT_EQ(UiString(state, 160), u"E160");
}

TEST_F(UiText, AMissingFileIsReportedOnceAndForgotten) {
  ASSERT_EQ(load(u"Deleted.lng"), UiTextResult::kLoaded);
  expectFellBack(u"Deleted.lng");
  // The next load (Apply) takes the built-in table without a word.
  ASSERT_EQ(LoadUiText(state, controls), UiTextResult::kLoaded);
  EXPECT_EQ(controls.messages.size(), 1u);
}

TEST_F(UiText, ALanguageNameNeverLeadsOutOfTheLocalizationFolder) {
  // A valid table right beside the folder, named through the parent.
  testsupport::WriteBytes(dir.file(u"escape.lng"), Utf16Bytes(Table(161)));
  testsupport::WriteBytes(languageFile(u"x"), Utf16Bytes(Table(161)));
  for (const std::u16string name :
       {u"..\\escape.lng", u"../escape.lng", u"C:escape.lng", u"..", u"x\\..\\..\\escape.lng"}) {
    controls.messages.clear();
    ASSERT_EQ(load(name), UiTextResult::kLoaded);
    EXPECT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(state.languageName, u"default");
    expectEnglish();
  }
}

TEST_F(UiText, TheOptionListsKeepTheirChoicesAcrossLanguages) {
  writeLanguage(u"Test.lng", Table(161));
  ASSERT_EQ(load(u"default"), UiTextResult::kLoaded);
  EXPECT_EQ(controls.comboSelection(Slot::compressionCombo), 5);
  EXPECT_EQ(controls.at(Slot::compressionCombo).items[5], u"best");
  EXPECT_EQ(controls.comboSelection(Slot::recoveryCombo), 7);

  controls.setComboSelection(Slot::compressionCombo, 2);
  ASSERT_EQ(load(u"Test.lng"), UiTextResult::kLoaded);
  EXPECT_EQ(controls.comboSelection(Slot::compressionCombo), 2);
  EXPECT_EQ(controls.at(Slot::compressionCombo).items[2], Entry(39));
  EXPECT_EQ(controls.comboSelection(Slot::recoveryCombo), 7);
  EXPECT_EQ(controls.at(Slot::recoveryCombo).items[7], Entry(50));
}

TEST_F(UiText, MessagesBeforeTheWindowIsLabelledUseTheChosenLanguage) {
  writeLanguage(u"Test.lng", Table(161));
  state.languageName = u"Test.lng";
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), Entry(137));

  // Loaded texts are never replaced by it.
  state.languageName = u"default";
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), Entry(137));

  // A bad file quietly gives English here; LoadUiText reports it later.
  AppState fresh;
  fresh.programFolder = dir.path();
  fresh.languageName = u"Missing.lng";
  EnsureRuntimeUiText(fresh);
  EXPECT_EQ(UiString(fresh, 137), u"Please specify valid WinRAR path!");
  EXPECT_EQ(fresh.languageName, u"Missing.lng");
}

}  // namespace
