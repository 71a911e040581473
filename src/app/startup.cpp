// Everything the program does once between building its hidden window and the first user
// input: the configuration in its fixed order, the labels, the first page, then showing
// the window.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "catalogue/catalogue.h"
#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "config/default_file_lists.h"
#include "config/settings_file.h"
#include "config/settings_page.h"
#include "config/tool_paths.h"
#include "config/ui_text.h"
#include "packing/archive_comment.h"
#include "packing/archive_name.h"
#include "packing/command_line.h"
#include "packing/pack_archive.h"

namespace app {

namespace {

constexpr int kFiltersFailedExitCode = 3;
// "-i" ends with this code when packing stopped for any reason, so that a script can tell.
constexpr int kNotPackedExitCode = 13;
constexpr std::u16string_view kFiltersFailedText =
    u"Failed to load default map filters.\nSoldat ZEK will be closed.";

// The window has no minimize box (so that the caption shows the help button); a copy of
// the system menu's Minimize item, moved and renumbered, is the way to minimize it. Its
// command 0xF021 still counts as SC_MINIMIZE in default processing.
constexpr UINT kMinimizeCommand = 0xF021;
constexpr UINT kMinimizeItemPosition = 4;

void AddMinimizeItem(HWND window) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  wchar_t text[261] = {};
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  item.dwTypeData = text;
  item.cch = 261;
  GetMenuItemInfoW(menu, SC_MINIMIZE, FALSE, &item);
  item.wID = kMinimizeCommand;
  item.fState = MFS_ENABLED;
  item.dwTypeData = text;
  InsertMenuItemW(menu, kMinimizeItemPosition, TRUE, &item);
  DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
}

bool RequiredPathsSet(const AppState& state) {
  return !state.soldatPath.empty() && !state.winRarPath.empty();
}

}  // namespace

int CurrentPage(const MainWindow& main) {
  return static_cast<int>(SendMessageW(main.tabControl, TCM_GETCURSEL, 0, 0));
}

void ShowPageControls(MainWindow& main, int page, bool show) {
  constexpr ui::SlotRange kRanges[] = {ui::kMainPageSlots, ui::kContentPageSlots,
                                       ui::kCommentPageSlots, ui::kSettingsPageSlots};
  if (page < 0 || page >= 4) return;
  for (int i = kRanges[page].first; i <= kRanges[page].last; ++i) {
    ShowWindow(main.slots[i], show ? SW_SHOW : SW_HIDE);
  }
}

std::optional<int> RunStartup(MainWindow& main) {
  AppState& state = main.state;
  Win32Controls& controls = main.controls;

  if (!LoadGameModeFilters(state)) {
    controls.showMessage(ui::MessageKind::kError, kFiltersFailedText);
    return kFiltersFailedExitCode;
  }
  LoadDefaultFileLists(state);
  LoadSettings(state, controls);
  ValidateToolPaths(state, controls);
  if (LoadUiText(state, controls) == UiTextResult::kBuiltinFailed) return kUiInitFailedExitCode;
  AddMinimizeItem(main.window);
  NormalizeArchiveName(state);
  if (state.autoloadTemplate) {
    LoadCommentTemplate(state);
    controls.setChecked(ui::Slot::addCommentCheck, true);
  } else {
    controls.setStatusText(UiString(state, uitext::kReady));
  }
  bool unattended = false;
  // Selecting a tab by message sends no notification: the page is shown here.
  if (RequiredPathsSet(state)) {
    SendMessageW(main.tabControl, TCM_SETCURSEL, kMainPage, 0);
    RefreshCatalogue(state);
    ShowPageControls(main, kMainPage, true);
    const CommandLineOutcome outcome =
        ParseCommandLine(state, controls, main.arguments, [&state] { LoadCommentTemplate(state); });
    if (outcome.exitCode() != 0) return outcome.exitCode();
    unattended = outcome.unattended;
  } else {
    // Nothing works without Soldat and WinRAR: the user starts on the Settings page.
    controls.setStatusText(UiString(state, uitext::kPathsInvalid));
    SendMessageW(main.tabControl, TCM_SETCURSEL, kSettingsPage, 0);
    ShowPageControls(main, kSettingsPage, true);
    FillSettingsPage(state, controls);
  }

  UpdateCommentControls(state);

  // The saved height may differ from the created one: place the controls for it.
  LayoutControls(main);
  if (!unattended) {
    ShowWindow(main.window, SW_SHOWNORMAL);
    UpdateWindow(main.window);
  }
  UpdatePackListLabel(state);
  // Unattended: the window is never shown and the settings are never written.
  if (unattended) return PackArchive(state) ? 0 : kNotPackedExitCode;
  return std::nullopt;
}

}  // namespace app
