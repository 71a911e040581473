// The Controls seam over the real controls of the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace app {

struct MainWindow;

class Win32Controls : public ui::Controls {
 public:
  explicit Win32Controls(MainWindow& main) : main_(main) {}

  void setStatusText(std::u16string_view text) override;
  std::u16string text(ui::Slot slot) const override;
  void setText(ui::Slot slot, std::u16string_view text) override;
  bool checked(ui::Slot slot) const override;
  void setChecked(ui::Slot slot, bool checked) override;
  bool enabled(ui::Slot slot) const override;
  void setEnabled(ui::Slot slot, bool enabled) override;
  int comboSelection(ui::Slot slot) const override;
  void setComboSelection(ui::Slot slot, int position) override;
  void setComboItems(ui::Slot slot, const std::vector<std::u16string>& items) override;
  void setTabText(int tab, std::u16string_view text) override;
  int tabImage(int tab) const override;
  void setTabImage(int tab, int image) override;
  void showMessage(ui::MessageKind kind, std::u16string_view text) override;
  bool askYesNo(std::u16string_view text) override;
  void beep() override;
  void flashWindow() override;
  ui::Rect workArea() const override;
  ui::Rect normalWindowRect() const override;
  ui::Point workspaceOrigin() const override;
  void placeWindow(int x, int y, int width, int height) override;
  void setTabItemSize(int width, int height) override;
  std::optional<std::u16string> chooseFile(const ui::FileDialogRequest& request) override;
  void shellOpen(const ui::ShellRequest& request) override;
  void repaintNow(ui::Slot slot) override;

  // The system's folder picker with an edit box, owned by the main window: a file-system
  // folder, or nothing when the user cancels. Only the Settings page asks for a folder.
  std::optional<std::u16string> chooseFolder(std::u16string_view title);

  // The status bar's text, as the user reads it.
  std::u16string statusText() const;

  // Message boxes block their thread until someone answers; in-process window tests answer
  // here instead (return IDOK, IDYES or IDNO). Unset, real message boxes are shown.
  std::function<int(UINT style, std::u16string_view text)> answerMessageBox;

  // File dialogs and the shell likewise: in-process window tests answer the dialogs and
  // record what would be opened. Unset, the real ones are used.
  std::function<std::optional<std::u16string>(const ui::FileDialogRequest&)> answerFileDialog;
  std::function<std::optional<std::u16string>(std::u16string_view title)> answerFolderDialog;
  std::function<void(const ui::ShellRequest&)> recordShellOpen;

  // A message box captioned "Soldat ZEK", owned by the main window, task-modal and topmost.
  int messageBox(std::u16string_view text, UINT style);

 private:
  MainWindow& main_;
};

}  // namespace app
