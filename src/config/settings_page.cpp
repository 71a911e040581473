#include "config/settings_page.h"

#include "config/tool_paths.h"
#include "core/text_helpers.h"
#include "platform/platform.h"

namespace {

using ui::Slot;

constexpr std::size_t kPathLimit = 260;

struct PathEdit {
  Slot slot;
  std::u16string AppState::*field;
};
// The edits the page reads back; the temp folder's edit is shown but disabled.
constexpr PathEdit kPathEdits[] = {
    {Slot::soldatPathEdit, &AppState::soldatPath},
    {Slot::polyWorksPathEdit, &AppState::polyWorksPath},
    {Slot::winRarPathEdit, &AppState::winRarPath},
    {Slot::defaultFolderEdit, &AppState::defaultSaveFolder},
    {Slot::templatePathEdit, &AppState::templatePath},
};

struct FlagCheck {
  Slot slot;
  bool AppState::*flag;
};
constexpr FlagCheck kFlagChecks[] = {
    {Slot::autoloadTemplateCheck, &AppState::autoloadTemplate},
    {Slot::skipMapsCheck, &AppState::skipDefaultMaps},
    {Slot::skipSceneriesCheck, &AppState::skipDefaultSceneries},
    {Slot::skipTexturesCheck, &AppState::skipDefaultTextures},
    {Slot::skipMapslistCheck, &AppState::skipMapslist},
    {Slot::testArchiveCheck, &AppState::testArchive},
    {Slot::lockArchiveCheck, &AppState::lockArchive},
    {Slot::exploreCheck, &AppState::explore},
};

constexpr Slot kSkipBoxes[] = {Slot::skipMapsCheck, Slot::skipSceneriesCheck,
                               Slot::skipTexturesCheck};

std::u16string Cut(std::u16string text, std::size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

void FillLanguageList(const AppState& state, ui::Controls& controls) {
  const std::vector<std::u16string> entries = LanguageEntries(state);
  controls.setComboItems(Slot::languageCombo, entries);
  int chosen = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (platform::CompareNoCase(entries[i], state.languageName) == 0) {
      chosen = static_cast<int>(i);
      break;
    }
  }
  controls.setComboSelection(Slot::languageCombo, chosen);
  controls.setEnabled(Slot::languageCombo, entries.size() > 1);
}

}  // namespace

std::vector<std::u16string> LanguageEntries(const AppState& state) {
  std::vector<std::u16string> entries{std::u16string(kDefaultLanguageEntry)};
  // Without a program folder the listing would read the current folder.
  if (state.programFolder.empty()) return entries;
  for (std::u16string& name :
       platform::ListFiles(state.programFolder + u"Localization\\", u"*.lng"))
    entries.push_back(std::move(name));
  return entries;
}

void FillSettingsPage(const AppState& state, ui::Controls& controls) {
  for (const PathEdit& edit : kPathEdits) controls.setText(edit.slot, state.*edit.field);
  controls.setText(Slot::tempFolderEdit, state.tempFolder);
  for (const FlagCheck& check : kFlagChecks) controls.setChecked(check.slot, state.*check.flag);
  controls.setChecked(Slot::skipAllCheck, state.skipDefaultMaps && state.skipDefaultSceneries &&
                                              state.skipDefaultTextures);
  FillLanguageList(state, controls);
  // Last: filling the edits counts as editing them.
  controls.setEnabled(Slot::applyButton, false);
}

void ReadSettingsPage(AppState& state, ui::Controls& controls) {
  for (const PathEdit& edit : kPathEdits)
    state.*edit.field = Cut(controls.text(edit.slot), kPathLimit);
  for (const FlagCheck& check : kFlagChecks) state.*check.flag = controls.checked(check.slot);
  std::u16string language = Cut(controls.text(Slot::languageCombo), kLanguageNameLimit);
  // A list with nothing chosen names no file: the built-in texts.
  state.languageName = language.empty() ? std::u16string(kDefaultLanguageEntry) : language;
  controls.setEnabled(Slot::applyButton, false);
}

UiTextResult ApplySettings(AppState& state, ui::Controls& controls,
                           const std::function<void(AppState&)>& refreshCatalogue) {
  ReadSettingsPage(state, controls);
  ValidateToolPaths(state, controls);
  if (LoadUiText(state, controls) == UiTextResult::kBuiltinFailed)
    return UiTextResult::kBuiltinFailed;
  if (refreshCatalogue) refreshCatalogue(state);
  FillSettingsPage(state, controls);
  const bool ready = !state.soldatPath.empty() && !state.winRarPath.empty();
  controls.setStatusText(UiString(state, ready ? uitext::kReady : uitext::kPathsInvalid));
  return UiTextResult::kLoaded;
}

void SettingsPageEdited(ui::Controls& controls) {
  controls.setEnabled(Slot::applyButton, true);
}

void SkipAllClicked(ui::Controls& controls) {
  const bool all = controls.checked(Slot::skipAllCheck);
  for (const Slot box : kSkipBoxes) controls.setChecked(box, all);
  SettingsPageEdited(controls);
}

void SkipBoxClicked(ui::Controls& controls) {
  SettingsPageEdited(controls);
  bool all = true;
  for (const Slot box : kSkipBoxes) all = all && controls.checked(box);
  controls.setChecked(Slot::skipAllCheck, all);
}

std::u16string BrowseStartFolder(const AppState& state, const SettingsBrowse& browse,
                                 std::u16string_view editText) {
  if (editText.empty()) {
    return browse.edit == Slot::templatePathEdit ? state.programFolder : std::u16string();
  }
  return std::u16string(FolderPart(editText));
}

std::u16string ChosenDefaultFolder(std::u16string_view pickedFolder) {
  std::u16string folder(pickedFolder);
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder;
}
