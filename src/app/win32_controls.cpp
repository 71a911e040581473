#include "app/win32_controls.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/main_window.h"
#include "platform/win32/wide.h"

namespace app {

namespace {

using platform::detail::FromWide;
using platform::detail::Wide;

std::u16string WindowText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, buffer.data(), length + 1);
  return FromWide(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace

void Win32Controls::setStatusText(std::u16string_view text) {
  SetWindowTextW(main_.statusBar, Wide(text).c_str());
  // Long work blocks the message loop: paint now or the user never sees it.
  UpdateWindow(main_.statusBar);
}

std::u16string Win32Controls::statusText() const {
  return WindowText(main_.statusBar);
}

std::u16string Win32Controls::text(ui::Slot slot) const {
  return WindowText(main_.slot(slot));
}

void Win32Controls::setText(ui::Slot slot, std::u16string_view text) {
  SetWindowTextW(main_.slot(slot), Wide(text).c_str());
}

bool Win32Controls::checked(ui::Slot slot) const {
  return SendMessageW(main_.slot(slot), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Controls::setChecked(ui::Slot slot, bool checked) {
  SendMessageW(main_.slot(slot), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Controls::enabled(ui::Slot slot) const {
  return IsWindowEnabled(main_.slot(slot));
}

void Win32Controls::setEnabled(ui::Slot slot, bool enabled) {
  EnableWindow(main_.slot(slot), enabled ? TRUE : FALSE);
}

int Win32Controls::comboSelection(ui::Slot slot) const {
  const LRESULT selection = SendMessageW(main_.slot(slot), CB_GETCURSEL, 0, 0);
  return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void Win32Controls::setComboSelection(ui::Slot slot, int position) {
  SendMessageW(main_.slot(slot), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void Win32Controls::setComboItems(ui::Slot slot, const std::vector<std::u16string>& items) {
  const HWND combo = main_.slot(slot);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& item : items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
}

void Win32Controls::setTabText(int tab, std::u16string_view text) {
  std::wstring wide = Wide(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  SendMessageW(main_.tabControl, TCM_SETITEMW, static_cast<WPARAM>(tab),
               reinterpret_cast<LPARAM>(&item));
}

int Win32Controls::tabImage(int tab) const {
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  if (!SendMessageW(main_.tabControl, TCM_GETITEMW, static_cast<WPARAM>(tab),
                    reinterpret_cast<LPARAM>(&item))) {
    return -1;
  }
  return item.iImage;
}

void Win32Controls::setTabImage(int tab, int image) {
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  item.iImage = image;
  SendMessageW(main_.tabControl, TCM_SETITEMW, static_cast<WPARAM>(tab),
               reinterpret_cast<LPARAM>(&item));
}

int Win32Controls::messageBox(std::u16string_view text, UINT style) {
  if (answerMessageBox) return answerMessageBox(style, text);
  return MessageBoxW(main_.window, Wide(text).c_str(), kProgramTitle,
                     style | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

void Win32Controls::showMessage(ui::MessageKind kind, std::u16string_view text) {
  UINT icon = MB_ICONINFORMATION;
  if (kind == ui::MessageKind::kWarning) icon = MB_ICONEXCLAMATION;
  if (kind == ui::MessageKind::kError) icon = MB_ICONERROR;
  messageBox(text, MB_OK | icon);
}

bool Win32Controls::askYesNo(std::u16string_view text) {
  return messageBox(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void Win32Controls::beep() {
  MessageBeep(MB_OK);
}

void Win32Controls::flashWindow() {
  FlashWindow(main_.window, TRUE);
}

ui::Rect Win32Controls::workArea() const {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top, work.right, work.bottom};
}

ui::Rect Win32Controls::normalWindowRect() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(main_.window, &placement);
  const RECT& r = placement.rcNormalPosition;
  return {r.left, r.top, r.right, r.bottom};
}

ui::Point Win32Controls::workspaceOrigin() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(main_.window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return {};
  }
  return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

void Win32Controls::placeWindow(int x, int y, int width, int height) {
  MoveWindow(main_.window, x, y, width, height, FALSE);
}

void Win32Controls::setTabItemSize(int width, int height) {
  SendMessageW(main_.tabControl, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
}

std::optional<std::u16string> Win32Controls::chooseFile(const ui::FileDialogRequest& request) {
  if (answerFileDialog) return answerFileDialog(request);
  // Double-zero-terminated name and pattern.
  std::wstring filter = Wide(request.filter.name);
  filter += L'\0';
  filter += Wide(request.filter.pattern);
  filter += L'\0';
  const std::wstring title = Wide(request.title);
  const std::wstring folder = Wide(request.initialFolder);
  const std::wstring extension = Wide(request.defaultExtension);
  wchar_t file[261] = {};  // every dialog starts without a file name

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = main_.window;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = 261;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // The current folder stays where it was: the dialog would otherwise move it.
  dialog.Flags = (request.save ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST) | OFN_NOCHANGEDIR;
  dialog.lpstrDefExt = extension.c_str();
  const BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return FromWide(file, wcsnlen(file, 261));
}

std::optional<std::u16string> Win32Controls::chooseFolder(std::u16string_view title) {
  if (answerFolderDialog) return answerFolderDialog(title);
  const std::wstring caption = Wide(title);
  BROWSEINFOW browse{};
  browse.hwndOwner = main_.window;
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_EDITBOX;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return std::nullopt;
  wchar_t path[MAX_PATH + 1] = {};
  const BOOL isFolder = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  if (!isFolder) return std::nullopt;
  return FromWide(path, wcsnlen(path, MAX_PATH));
}

void Win32Controls::shellOpen(const ui::ShellRequest& request) {
  if (recordShellOpen) {
    recordShellOpen(request);
    return;
  }
  // Empty texts go as null pointers: an empty verb means the file type's default.
  const std::wstring verb = Wide(request.verb);
  const std::wstring file = Wide(request.file);
  const std::wstring parameters = Wide(request.parameters);
  const std::wstring folder = Wide(request.folder);
  ShellExecuteW(main_.window, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                parameters.empty() ? nullptr : parameters.c_str(),
                folder.empty() ? nullptr : folder.c_str(),
                request.show == ui::ShowAs::kRestored ? SW_RESTORE : SW_SHOWDEFAULT);
}

void Win32Controls::repaintNow(ui::Slot slot) {
  UpdateWindow(main_.slot(slot));
}

}  // namespace app
