#include "config/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/help.h"
#include "core/text_helpers.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeControls;
using ui::Slot;

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
    // The shell's placeholders, with a choice the settings file made.
    controls.at(Slot::recoveryCombo).items.assign(11, u"->");
    controls.setComboSelection(Slot::recoveryCombo, 7);
    controls.setText(Slot::mainSearchButton, u"->");
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

// A file that is missing, short of entries, has an overlong line or is named through a
// folder gives English and a warning naming it.
TEST_F(UiText, ATranslationReplacesEveryTextOrFallsBackToEnglish) {
  fixtures::WriteBytes(LanguageFile(u"Test.lng"), Table(161));
  fixtures::WriteBytes(LanguageFile(u"Short.lng"), Table(160));
  fixtures::WriteBytes(LanguageFile(u"Fits.lng"), Table(161, std::u16string(65, u'w')));
  fixtures::WriteBytes(LanguageFile(u"Wide.lng"), Table(161, std::u16string(66, u'w')));
  fixtures::WriteBytes(dir.file(u"escape.lng"), Table(161));  // beside the folder

  // Each language's outcome: E English as asked, T the translation, F English after a warning.
  const char* outcomes = "EEFFFFFTT";
  for (const std::u16string_view name :
       {u"default", u"DEFAULT", u"Short.lng", u"Wide.lng", u"Deleted.lng", u"..\\escape.lng",
        u"../escape.lng", u"Fits.lng", u"Test.lng"}) {
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
  }
  // The option lists are translated too and keep the choices the settings file made; slots
  // without a caption in the table keep what the shell gave them.
  EXPECT_EQ(controls.at(Slot::recoveryCombo).items.at(7), L(43 + 7));
  EXPECT_EQ(controls.comboSelection(Slot::recoveryCombo), 7);
  EXPECT_EQ(controls.text(Slot::mainSearchButton), u"->");
  EXPECT_EQ(controls.tabItemSize, (std::pair{126, 19}));  // the final size, after the interim one
}

TEST_F(UiText, MessagesBeforeTheWindowIsLabelledUseTheChosenLanguage) {
  fixtures::WriteBytes(LanguageFile(u"Test.lng"), Table(161));
  // A bad file quietly gives English here; LoadUiText reports it later.
  state.languageName = u"Missing.lng";
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), u"Please specify valid WinRAR path!");
  EXPECT_EQ(state.languageName, u"Missing.lng");
  state.languageName = u"Test.lng";
  EnsureRuntimeUiText(state);  // loaded texts are never replaced by it
  EXPECT_EQ(UiString(state, 137), u"Please specify valid WinRAR path!");
  state.uiText.clear();
  EnsureRuntimeUiText(state);
  EXPECT_EQ(UiString(state, 137), L(137));
}

TEST_F(UiText, HelpOpensThePageBesideTheProgramOrSaysWhereItWasLookedFor) {
  ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
  const std::vector<ui::ShellRequest>& opened = controls.shellOpens;
  const std::u16string page = dir.file(u"Soldat ZEK Help.htm");

  EXPECT_FALSE(ShowHelp(state, controls));
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].text, page + u"\r\nCan not locate the help file!");

  fixtures::WriteText(page, "<html></html>");
  EXPECT_TRUE(ShowHelp(state, controls));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].verb + u" " + opened[0].file, u"open " + page);
  EXPECT_EQ(opened[0].folder, dir.path());
}

}  // namespace
