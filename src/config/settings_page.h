// The Settings page: the tool paths, the default-file and after-packing options and the
// language. The page never changes AppState while the user edits it; Apply copies the
// controls back, checks the paths again, relabels the window and rebuilds the catalogue.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ui_text.h"
#include "state/app_state.h"
#include "ui/controls.h"

// The first entry of the language list, naming the built-in texts.
constexpr std::u16string_view kDefaultLanguageEntry = u"default";
constexpr std::size_t kLanguageNameLimit = 64;

// Copies the paths, flags and language into the page's controls, fills the language list
// and disables Apply.
void FillSettingsPage(const AppState& state, ui::Controls& controls);

// Copies the page's controls back into AppState and disables Apply.
void ReadSettingsPage(AppState& state, ui::Controls& controls);

// Apply: reads the page, checks the tool paths (telling the user of those that cannot be
// found), loads the chosen language, rebuilds the catalogue through refreshCatalogue (a step
// of a layer above this one; skipped when unset), fills the page again with what the checks
// made of the input and says in the status bar whether Soldat and WinRAR are both set.
// kBuiltinFailed when even the built-in texts could not be read; the caller then ends the
// process with kUiInitFailedExitCode.
[[nodiscard]] UiTextResult ApplySettings(AppState& state, ui::Controls& controls,
                                         const std::function<void(AppState&)>& refreshCatalogue);

// The language list: "default", then the ".lng" files of the program's Localization folder
// in the order the folder gives them.
std::vector<std::u16string> LanguageEntries(const AppState& state);

// Reactions of the page to the user. Any edit of a path, a check box or the language enables
// Apply; "Skip all" sets the three skip boxes to its own state, and each of them checks
// "Skip all" exactly when all three are checked.
void SettingsPageEdited(ui::Controls& controls);
void SkipAllClicked(ui::Controls& controls);
void SkipBoxClicked(ui::Controls& controls);

// A Browse button of the page: the dialog it opens and the edit it fills.
struct SettingsBrowse {
  enum class Dialog { kOpenFile, kFolder };
  ui::Slot button;
  ui::Slot edit;
  Dialog dialog;
  std::u16string_view filterName;  // shown file type; empty for the folder picker
  std::u16string_view pattern;     // the file the dialog lists
  std::u16string_view defaultExtension;
  int title;  // UI text entry
};
inline constexpr std::array<SettingsBrowse, 5> kSettingsBrowses = {{
    {ui::Slot::browseSoldatButton, ui::Slot::soldatPathEdit, SettingsBrowse::Dialog::kOpenFile,
     u"Soldat.exe", u"Soldat.exe", u"exe", 85},
    {ui::Slot::browsePolyWorksButton, ui::Slot::polyWorksPathEdit,
     SettingsBrowse::Dialog::kOpenFile, u"Soldat PolyWorks.exe", u"Soldat PolyWorks.exe", u"exe",
     86},
    {ui::Slot::browseWinRarButton, ui::Slot::winRarPathEdit, SettingsBrowse::Dialog::kOpenFile,
     u"WinRAR.exe", u"WinRAR.exe", u"exe", 87},
    {ui::Slot::browseDefaultFolderButton, ui::Slot::defaultFolderEdit,
     SettingsBrowse::Dialog::kFolder, u"", u"", u"", 88},
    {ui::Slot::browseTemplateButton, ui::Slot::templatePathEdit, SettingsBrowse::Dialog::kOpenFile,
     u"Text files", u"*.txt", u"txt", 89},
}};

// Where an open-file dialog of the page starts: the folder of the edit's text (up to its
// last backslash). An empty edit starts the template dialog in the program folder and the
// program dialogs where the system chooses (an empty result); text without a folder too.
std::u16string BrowseStartFolder(const AppState& state, const SettingsBrowse& browse,
                                 std::u16string_view editText);

// What the folder picker's choice puts into the default-folder edit: the folder with a
// trailing backslash.
std::u16string ChosenDefaultFolder(std::u16string_view pickedFolder);
