#include "config/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_helpers.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using ui::Slot;
using Texts = std::vector<std::u16string>;

// Entry i of a test translation; one holds a letter outside ASCII.
std::u16string L(int entry) {
  return u"L" + DecimalText(entry) + (entry == 5 ? u"\u00e9" : u"");
}

// A translation (UTF-16LE) whose entry i reads L(i), or `wide` at entry 100.
std::vector<std::uint8_t> Table(int lines, std::u16string_view wide = {}) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (int i = 0; i < lines; ++i) {
    for (const char16_t c : (i == 100 && !wide.empty() ? std::u16string(wide) : L(i)) + u"\r\n")
      bytes.insert(bytes.end(), {std::uint8_t(c & 0xFF), std::uint8_t(c >> 8)});
  }
  return bytes;
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
  std::u16string LanguageFile(std::u16string_view name) const {
    return dir.path() + u"Localization\\" + std::u16string(name);
  }
  UiTextResult Load(std::u16string_view language) {
    state.languageName = language;
    return LoadUiText(state, controls);
  }

  testsupport::TempDir dir;
  AppState state;
  FakeControls controls;
};

TEST_F(UiText, TheBuiltInTableLabelsTheWholeWindow) {
  // Slots without a caption in the table keep what the shell gave them.
  for (const Slot slot : {Slot::mainSearchButton, Slot::rarRadio}) controls.setText(slot, u"->");
  ASSERT_EQ(Load(u"default"), UiTextResult::kLoaded);
  EXPECT_TRUE(controls.messages.empty());
  EXPECT_EQ(controls.tabs[0].text + u"|" + controls.tabs[3].text, u"Main|Settings");
  EXPECT_EQ(controls.tabItemSize, (std::pair{126, 19}));
  EXPECT_EQ(controls.text(Slot::applyButton), u"Apply");
  EXPECT_EQ(controls.text(Slot::mainSearchButton) + controls.text(Slot::rarRadio), u"->->");
  EXPECT_EQ(controls.at(Slot::compressionCombo).items.size(), 6u);
  EXPECT_EQ(controls.at(Slot::recoveryCombo).items.size(), 11u);
}

// Every file is read through LoadUiText; a file that is missing, short of entries, has an
// overlong line or is named through a folder gives English and a warning naming it, once.
TEST_F(UiText, ATranslationReplacesEveryTextOrFallsBackToEnglish) {
  fixtures::WriteBytes(LanguageFile(u"Test.lng"), Table(161));
  fixtures::WriteBytes(LanguageFile(u"Long.lng"), Table(170));
  fixtures::WriteBytes(LanguageFile(u"Short.lng"), Table(160));
  fixtures::WriteBytes(LanguageFile(u"Fits.lng"), Table(161, std::u16string(65, u'w')));
  fixtures::WriteBytes(LanguageFile(u"Wide.lng"), Table(161, std::u16string(66, u'w')));
  std::string ansi;
  for (int i = 0; i < 161; ++i) ansi += "L" + std::to_string(i) + (i == 5 ? "\xE9\r\n" : "\r\n");
  fixtures::WriteText(LanguageFile(u"Ansi.lng"), ansi);
  // Valid tables beside the folder, named through the parent.
  fixtures::WriteBytes(dir.file(u"escape.lng"), Table(161));
  fixtures::WriteBytes(LanguageFile(u"x"), Table(161));

  // Each language's outcome: E English as asked, T the translation, F English after a warning.
  const char* outcomes = "EETTTTFFFFFFFF";
  for (const std::u16string_view name :
       {u"default", u"DEFAULT", u"Test.lng", u"Long.lng", u"Fits.lng", u"Ansi.lng", u"Short.lng",
        u"Wide.lng", u"Deleted.lng", u"..\\escape.lng", u"../escape.lng", u"C:escape.lng", u"..",
        u"x\\..\\..\\escape.lng"}) {
    const std::u16string language(name);
    const char outcome = *outcomes++;
    SCOPED_TRACE(testing::PrintToString(language));
    controls.messages.clear();
    ASSERT_EQ(Load(language), UiTextResult::kLoaded);
    const bool translated = outcome == 'T';
    EXPECT_EQ(controls.text(Slot::loadMapslistButton), translated ? L(5) : u"Load mapslist");
    EXPECT_EQ(UiString(state, 160), translated ? L(160) : u"WinRar in progress: Locking archive");
    EXPECT_EQ(state.languageName, outcome == 'F' ? u"default" : language);
    ASSERT_EQ(controls.messages.size(), outcome == 'F' ? 1u : 0u);
    if (outcome != 'F') continue;
    EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
    EXPECT_EQ(controls.messages[0].text, LanguageFile(language) +
                                             u"\nFailed to load localization file! Default "
                                             u"localization will be used instead.");
    // The next load (Apply) takes the built-in table without a word.
    ASSERT_EQ(LoadUiText(state, controls), UiTextResult::kLoaded);
    EXPECT_EQ(controls.messages.size(), 1u);
  }
  ASSERT_EQ(Load(u"Fits.lng"), UiTextResult::kLoaded);
  EXPECT_EQ(UiString(state, 100), std::u16string(65, u'w'));
}

TEST_F(UiText, TheOptionListsKeepTheirChoicesAcrossLanguages) {
  fixtures::WriteBytes(LanguageFile(u"Test.lng"), Table(161));
  ASSERT_EQ(Load(u"default"), UiTextResult::kLoaded);
  controls.setComboSelection(Slot::compressionCombo, 2);
  ASSERT_EQ(Load(u"Test.lng"), UiTextResult::kLoaded);
  Texts chosen;
  for (const Slot slot : {Slot::compressionCombo, Slot::recoveryCombo})
    chosen.push_back(controls.at(slot).items.at(controls.comboSelection(slot)));
  EXPECT_EQ(chosen, (Texts{L(37 + 2), L(43 + 7)}));
}

TEST_F(UiText, MessagesBeforeTheWindowIsLabelledUseTheChosenLanguage) {
  fixtures::WriteBytes(LanguageFile(u"Test.lng"), Table(161));
  state.languageName = u"Test.lng";
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), L(137));
  // Loaded texts are never replaced by it.
  state.languageName = u"default";
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), L(137));
  // A bad file quietly gives English here; LoadUiText reports it later.
  AppState fresh;
  fresh.programFolder = dir.path();
  fresh.languageName = u"Missing.lng";
  EnsureRuntimeUiText(fresh);
  EXPECT_EQ(UiString(fresh, 137), u"Please specify valid WinRAR path!");
  EXPECT_EQ(fresh.languageName, u"Missing.lng");
}

}  // namespace
