#include "app/settings_page_handlers.h"

#include "catalogue/catalogue.h"
#include "config/settings_page.h"
#include "config/ui_text.h"

namespace app {

namespace {

// Controls that share an action share the first one's id (create_window.cpp).
constexpr int kPathEditsId = SlotCommand(ui::Slot::soldatPathEdit);
constexpr int kOptionChecksId = SlotCommand(ui::Slot::autoloadTemplateCheck);
constexpr int kSkipAllId = SlotCommand(ui::Slot::skipAllCheck);
constexpr int kSkipBoxesId = SlotCommand(ui::Slot::skipMapsCheck);
constexpr int kLanguageId = SlotCommand(ui::Slot::languageCombo);
constexpr int kApplyId = SlotCommand(ui::Slot::applyButton);

// Writing the choice into the edit sends its EN_CHANGE, which enables Apply.
void Browse(MainWindow& main, const SettingsBrowse& browse) {
  AppState& state = main.state;
  Win32Controls& controls = main.controls;
  const std::u16string title(UiString(state, browse.title));
  std::optional<std::u16string> chosen;
  if (browse.dialog == SettingsBrowse::Dialog::kFolder) {
    chosen = controls.chooseFolder(title);
    if (chosen) chosen = ChosenDefaultFolder(*chosen);
  } else {
    ui::FileDialogRequest request;
    request.title = title;
    request.filter = {std::u16string(browse.filterName), std::u16string(browse.pattern)};
    request.defaultExtension = browse.defaultExtension;
    request.initialFolder = BrowseStartFolder(state, browse, controls.text(browse.edit));
    chosen = controls.chooseFile(request);
  }
  if (chosen) controls.setText(browse.edit, *chosen);
}

void Apply(MainWindow& main) {
  const UiTextResult result =
      ApplySettings(main.state, main.controls, [](AppState& state) { RefreshCatalogue(state); });
  // Without even the built-in texts the window cannot say anything more.
  if (result == UiTextResult::kBuiltinFailed) PostQuitMessage(kUiInitFailedExitCode);
}

}  // namespace

bool OnSettingsCommand(MainWindow& main, int id, int notification) {
  Win32Controls& controls = main.controls;
  for (const SettingsBrowse& browse : kSettingsBrowses) {
    if (id == SlotCommand(browse.button)) {
      Browse(main, browse);
      return true;
    }
  }
  switch (id) {
    case kPathEditsId:
      if (notification == EN_CHANGE) SettingsPageEdited(controls);
      return true;
    case kOptionChecksId:
      SettingsPageEdited(controls);
      return true;
    case kSkipAllId:
      SkipAllClicked(controls);
      return true;
    case kSkipBoxesId:
      SkipBoxClicked(controls);
      return true;
    case kLanguageId:
      if (notification == CBN_SELCHANGE) SettingsPageEdited(controls);
      return true;
    case kApplyId:
      Apply(main);
      return true;
    default:
      return false;
  }
}

}  // namespace app
