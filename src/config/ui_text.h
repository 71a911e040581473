// The UI text table: the built-in English one or a localization file, 161 lines or more.
// Entries 0..53 label the window while loading; entries from 56 on stay as the runtime text
// list.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "ui/controls.h"

constexpr int kUiTextResourceId = 159;
constexpr int kUiTextMaxLine = 65;

struct UiCaption {
  ui::Slot slot;
  int entry;
};

// Which table entry labels which control, in the order they are applied.
inline constexpr std::array<UiCaption, 40> kUiCaptions = {{
    {ui::Slot::refreshCatalogueButton, 4},
    {ui::Slot::refreshContentButton, 4},
    {ui::Slot::loadMapslistButton, 5},
    {ui::Slot::saveMapslistButton, 6},
    {ui::Slot::clearButton, 7},
    {ui::Slot::browseArchiveButton, 8},
    {ui::Slot::browseCommentFileButton, 8},
    {ui::Slot::browseSoldatButton, 8},
    {ui::Slot::browsePolyWorksButton, 8},
    {ui::Slot::browseWinRarButton, 8},
    {ui::Slot::browseDefaultFolderButton, 8},
    {ui::Slot::browseTemplateButton, 8},
    {ui::Slot::compressionLabel, 9},
    {ui::Slot::recoveryLabel, 10},
    {ui::Slot::solidCheck, 11},
    {ui::Slot::packButton, 12},
    {ui::Slot::fitImageCheck, 13},
    {ui::Slot::showLogButton, 14},
    {ui::Slot::addCommentCheck, 15},
    {ui::Slot::loadTemplateButton, 16},
    {ui::Slot::useFileCheck, 17},
    {ui::Slot::soldatPathLabel, 18},
    {ui::Slot::polyWorksPathLabel, 19},
    {ui::Slot::winRarPathLabel, 20},
    {ui::Slot::tempFolderLabel, 21},
    {ui::Slot::defaultFolderLabel, 22},
    {ui::Slot::templatePathLabel, 23},
    {ui::Slot::autoloadTemplateCheck, 24},
    {ui::Slot::defaultFilesGroup, 25},
    {ui::Slot::skipAllCheck, 26},
    {ui::Slot::skipMapsCheck, 27},
    {ui::Slot::skipSceneriesCheck, 28},
    {ui::Slot::skipTexturesCheck, 29},
    {ui::Slot::skipMapslistCheck, 30},
    {ui::Slot::afterCreationGroup, 31},
    {ui::Slot::testArchiveCheck, 32},
    {ui::Slot::lockArchiveCheck, 33},
    {ui::Slot::exploreCheck, 34},
    {ui::Slot::languageLabel, 35},
    {ui::Slot::applyButton, 36},
}};

// The tabs take the first entries; the compression and recovery lists a run each.
constexpr int kUiTabCount = 4;
constexpr int kUiFirstCompressionEntry = 37;  // "store" .. "best"
constexpr int kUiCompressionEntries = 6;
constexpr int kUiFirstRecoveryEntry = 43;  // "none", "1%" .. "10%"
constexpr int kUiRecoveryEntries = 11;

// Shown when even the built-in table cannot be read; the process then ends with exit code 2.
constexpr std::u16string_view kUiInitFailedText =
    u"UI initialization failed.\nSoldat ZEK will be closed.";
constexpr int kUiInitFailedExitCode = 2;

// Reads a table into lines; true when it has every entry.
bool ReadUiTextTable(std::span<const std::uint8_t> bytes, StringList& lines);

// Keeps the entries from 56 on as the runtime text list (tag 0) and clears `lines`.
void KeepRuntimeUiText(AppState& state, StringList& lines);

// The built-in English table as the runtime text list; false when it cannot be read.
bool LoadBuiltinRuntimeUiText(AppState& state);

// "default", in any letter case, names the built-in table.
bool IsDefaultLanguage(std::u16string_view languageName);

// Program folder + "Localization\" + the language's file name.
std::u16string LocalizationFilePath(const AppState& state);

enum class UiTextResult { kLoaded, kBuiltinFailed };

// Loads the table of `languageName` and labels the window: tab texts, the control captions,
// the compression and recovery lists (keeping their selections), then the runtime text
// list. A localization file that is missing, unreadable, not a plain file name or short of
// entries is reported with a warning (its path, then why) and the built-in table is used,
// with `languageName` set to "default". When the built-in table itself fails, this shows
// the error kUiInitFailedText and returns kBuiltinFailed; the caller then ends the process
// with kUiInitFailedExitCode.
[[nodiscard]] UiTextResult LoadUiText(AppState& state, ui::Controls& controls);

// When no runtime text is loaded yet, loads it quietly from the chosen language's file when
// that is usable, otherwise from the built-in table. LoadUiText reports a bad file later.
void EnsureRuntimeUiText(AppState& state);
