// The main window: its handles, the Win32 side of the Controls seam, and the operations of
// the shell. Only the shell sees window handles; the portable operations reach the window
// through AppState::controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/win32_controls.h"
#include "app/win32_tree.h"
#include "platform/win32/owned_handles.h"
#include "state/app_state.h"
#include "ui/images.h"
#include "ui/slots.h"

namespace app {

inline constexpr wchar_t kWindowClass[] = L"TSoldatZEK";
inline constexpr wchar_t kProgramTitle[] = L"Soldat ZEK";
// Posted before the message loop, so start-up runs before any user input.
constexpr UINT kStartupMessage = WM_USER + 1;
constexpr int kTabControlId = 75;

// The id that a page control's commands arrive with in WM_COMMAND's low word: the number of
// its slot (create_window.cpp gives controls that share an action the first one's id).
constexpr int SlotCommand(ui::Slot slot) {
  return static_cast<int>(slot);
}
// Labels and group boxes send no command; they keep the id 0 that the table always gave them.
constexpr int kNoCommand = 0;

enum CommandId : int {
  kMainSearchEditId = SlotCommand(ui::Slot::mainSearchEdit),
  kMainSearchButtonId = SlotCommand(ui::Slot::mainSearchButton),
  kAddButtonId = SlotCommand(ui::Slot::addButton),
  kRemoveButtonId = SlotCommand(ui::Slot::removeButton),
  kRefreshCatalogueButtonId = SlotCommand(ui::Slot::refreshCatalogueButton),
  kClearButtonId = SlotCommand(ui::Slot::clearButton),
  kContentSearchEditId = SlotCommand(ui::Slot::contentSearchEdit),
  kContentSearchButtonId = SlotCommand(ui::Slot::contentSearchButton),
  kShowLogButtonId = SlotCommand(ui::Slot::showLogButton),
  kFitImageCheckId = SlotCommand(ui::Slot::fitImageCheck),
  kRefreshContentButtonId = SlotCommand(ui::Slot::refreshContentButton),
  kBrowseArchiveButtonId = SlotCommand(ui::Slot::browseArchiveButton),
  kArchiveTypeId = SlotCommand(ui::Slot::rarRadio),  // both radio buttons
  kPackButtonId = SlotCommand(ui::Slot::packButton),
  kAddCommentCheckId = SlotCommand(ui::Slot::addCommentCheck),
  kLoadTemplateButtonId = SlotCommand(ui::Slot::loadTemplateButton),
  kUseFileCheckId = SlotCommand(ui::Slot::useFileCheck),
  kBrowseCommentFileButtonId = SlotCommand(ui::Slot::browseCommentFileButton),
  // The comment file's box and the comment box.
  kCommentEditsId = SlotCommand(ui::Slot::commentFileEdit),
};
constexpr int kIconResource = 101;
constexpr int kFirstPictureResource = 131;
// The pictures' clear pixels hold this colour (scripts/make_resources.py); it is masked out.
constexpr COLORREF kClearColour = RGB(255, 0, 255);
constexpr int kImageCount = 19;
constexpr int kTreeItemHeight = 21;

enum Page : int { kMainPage = 0, kContentPage = 1, kCommentPage = 2, kSettingsPage = 3 };

struct MainWindow {
  explicit MainWindow(AppState& appState) : state(appState), controls(*this) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  HWND slot(ui::Slot s) const { return slots[static_cast<int>(s)]; }

  AppState& state;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HWND statusBar = nullptr;
  std::array<HWND, ui::kSlotCount> slots{};
  HWND tabControl = nullptr;
  // Released after the window (the destructor's body) that uses them.
  platform::win32::ImageList images;
  platform::win32::OwnedFont fixedFont;  // Courier New for the comment and the details
  Win32Controls controls;
  // The Tree seam over the three tree views; AppState points at them.
  Win32Tree catalogueTree;
  Win32Tree packTree;
  Win32Tree contentTree;

  // Where the current move or size drag began.
  RECT moveStartRect{};
  POINT moveStartCursor{};

  // The process's arguments, the program first; the entry point sets them, window tests
  // choose their own.
  std::vector<std::u16string> arguments;
};

// Registers the window class and builds the hidden main window with every control, the
// image list and the fonts; fills the frame geometry of AppState. Points state.controls and
// the state's trees at the window's. False when the window itself cannot be created.
bool CreateMainWindow(MainWindow& main, HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Leaves a line for a debugger (OutputDebugString) about a failure that the user is not
// shown, so that it is not lost without a trace.
void TraceFailure(const wchar_t* what);

// Loads the configuration in its fixed order, labels the window, picks the first page and
// shows the window, or with "-i" packs without showing it. Gives an exit code when the
// process must end now: after "-i" 0 only when the archive was made, else 13.
std::optional<int> RunStartup(MainWindow& main);

// Shows or hides every control of a page.
void ShowPageControls(MainWindow& main, int page, bool show);
int CurrentPage(const MainWindow& main);

// Places the controls that follow the window's height.
void LayoutControls(MainWindow& main);
// Turns the details panel to the content report.
void ShowLog(MainWindow& main);

// Move and size drags: the width never changes and edges snap to the work area.
void BeginSizeMove(MainWindow& main);
void SnapMovingRect(MainWindow& main, RECT& proposed);
void SnapSizingRect(MainWindow& main, RECT& proposed);

// Draws the preview box: a checkerboard and the image of state.previewPath over it.
void PaintPreview(MainWindow& main, HDC dc);

}  // namespace app
