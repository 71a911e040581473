// The main window's procedure: it turns messages into calls of the shell's and the portable
// operations. Everything runs on the one thread, inside the message that caused it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app/content_page_handlers.h"
#include "app/main_page_handlers.h"
#include "app/main_window.h"
#include "app/mapslist_handlers.h"
#include "app/packing_handlers.h"
#include "app/settings_page_handlers.h"
#include "config/help.h"
#include "config/settings_file.h"
#include "config/settings_page.h"
#include "core/ui_text_ids.h"

namespace app {

namespace {

constexpr WPARAM kContextHelpCommand = 0xF180;  // SC_CONTEXTHELP

MainWindow* WindowOf(HWND window) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Leaving the Settings page is refused while a required path (as applied) is empty: the
// rest of the program cannot work without Soldat and WinRAR.
LRESULT OnPageChanging(MainWindow& main) {
  const int page = CurrentPage(main);
  if (page == kSettingsPage && (main.state.soldatPath.empty() || main.state.winRarPath.empty())) {
    return TRUE;
  }
  ShowPageControls(main, page, false);
  return FALSE;
}

void OnPageChanged(MainWindow& main) {
  AppState& state = main.state;
  const int page = CurrentPage(main);
  switch (page) {
    case kContentPage:
      if (state.contentStale && state.rebuildArchiveContent) state.rebuildArchiveContent(state);
      main.controls.setStatusText(UiString(state, uitext::kReady));
      break;
    case kCommentPage:
      main.controls.setStatusText(UiString(state, uitext::kUnicodeNotSupported));
      break;
    case kSettingsPage:
      // The page shows what is applied each time it comes up; unapplied edits are dropped.
      FillSettingsPage(state, main.controls);
      main.controls.setStatusText(UiString(state, uitext::kReady));
      break;
    default:
      main.controls.setStatusText(UiString(state, uitext::kReady));
      break;
  }
  ShowPageControls(main, page, true);
  if (page != kContentPage || state.previewPath.empty()) {
    ShowWindow(main.slot(ui::Slot::previewBox), SW_HIDE);
  }
}

std::optional<LRESULT> OnNotify(MainWindow& main, NMHDR& header) {
  if (header.code == NM_DBLCLK && OnTreeDoubleClick(main, header)) return std::nullopt;
  if (header.hwndFrom == main.tabControl) {
    if (header.code == TCN_SELCHANGING) return OnPageChanging(main);
    if (header.code == TCN_SELCHANGE) OnPageChanged(main);
  }
  if (header.hwndFrom == main.slot(ui::Slot::contentTree)) return OnContentTreeNotify(main, header);
  if (const auto result = OnMainTreeNotify(main, header)) return result;
  return std::nullopt;
}

void OnClose(MainWindow& main) {
  // Options given on the command line hold for one run only.
  if (!main.state.commandLineMode && !SaveSettings(main.state, main.controls)) {
    TraceFailure(L"the settings file could not be written");
  }
  PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  MainWindow* main = WindowOf(window);
  if (main == nullptr) return DefWindowProcW(window, message, wParam, lParam);

  switch (message) {
    case kStartupMessage:
      // The message loop ends with the code, and the window and everything the entry point
      // holds are destroyed on the way out.
      if (const std::optional<int> exitCode = RunStartup(*main)) PostQuitMessage(*exitCode);
      break;
    case WM_COMMAND:
      OnContentCommand(*main, LOWORD(wParam), HIWORD(wParam));
      OnMainCommand(*main, LOWORD(wParam), HIWORD(wParam));
      OnPackingCommand(*main, LOWORD(wParam), HIWORD(wParam));
      OnMapslistCommand(*main, LOWORD(wParam));
      OnSettingsCommand(*main, LOWORD(wParam), HIWORD(wParam));
      break;
    case WM_NOTIFY:
      if (const auto result = OnNotify(*main, *reinterpret_cast<NMHDR*>(lParam))) {
        return *result;
      }
      break;
    case WM_SIZE:
      LayoutControls(*main);
      break;
    case WM_ENTERSIZEMOVE:
      BeginSizeMove(*main);
      break;
    case WM_MOVING:
      SnapMovingRect(*main, *reinterpret_cast<RECT*>(lParam));
      break;
    case WM_SIZING:
      SnapSizingRect(*main, *reinterpret_cast<RECT*>(lParam));
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->hwndItem == main->slot(ui::Slot::previewBox)) PaintPreview(*main, item->hDC);
      break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      // Labels, check boxes, group boxes and read-only edits sit on white like the window.
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_HELP:
      ShowHelp(main->state, main->controls);
      break;
    case WM_SYSCOMMAND:
      // The caption's "?" opens the help page instead of the context-help pointer.
      if ((wParam & 0xFFF0) == kContextHelpCommand) {
        ShowHelp(main->state, main->controls);
        return 1;
      }
      break;
    case WM_CLOSE:
      OnClose(*main);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace app
