// What the portable operations need from the window's controls. The shell implements it
// over the real controls; tests use a fake that records what was shown and answers
// questions from a script.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/slots.h"

namespace ui {

enum class MessageKind { kInformation, kWarning, kError };

// A rectangle in screen pixels; right and bottom lie just outside it.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

struct FileDialogFilter {
  std::u16string name;     // "Mapslist (*.txt)"
  std::u16string pattern;  // "*.txt"
};

// A file dialog owned by the main window that starts without a file name.
struct FileDialogRequest {
  bool save = false;  // save: the chosen path's folder must exist; open: the file must exist
  std::u16string title;
  FileDialogFilter filter;
  std::u16string defaultExtension;  // "rar", without the dot
  std::u16string initialFolder;
};

// How a window the shell opens is first shown.
enum class ShowAs { kDefault, kRestored };

// A document, folder or program handed to the shell, as a double click in Explorer does.
struct ShellRequest {
  std::u16string verb;        // "open", "Explore", or empty for the file type's default
  std::u16string file;        // the document, folder or program
  std::u16string parameters;  // a program's command-line tail; may be empty
  std::u16string folder;      // the working folder; empty for none
  ShowAs show = ShowAs::kRestored;
};

class Controls {
 public:
  virtual ~Controls() = default;

  // One line in the status bar, repainted at once: long work blocks the message loop.
  virtual void setStatusText(std::u16string_view text) = 0;

  virtual std::u16string text(Slot slot) const = 0;
  virtual void setText(Slot slot, std::u16string_view text) = 0;
  virtual bool checked(Slot slot) const = 0;
  virtual void setChecked(Slot slot, bool checked) = 0;
  virtual bool enabled(Slot slot) const = 0;
  virtual void setEnabled(Slot slot, bool enabled) = 0;

  // Combo boxes: the position of the selected item, -1 for none.
  virtual int comboSelection(Slot slot) const = 0;
  virtual void setComboSelection(Slot slot, int position) = 0;
  virtual void setComboItems(Slot slot, const std::vector<std::u16string>& items) = 0;

  // Tabs: 0 Main, 1 Content, 2 Comment, 3 Settings. A tab's image is state: later steps
  // read it back.
  virtual void setTabText(int tab, std::u16string_view text) = 0;
  virtual int tabImage(int tab) const = 0;
  virtual void setTabImage(int tab, int image) = 0;

  // Message boxes captioned "Soldat ZEK", owned by the main window, in the foreground.
  virtual void showMessage(MessageKind kind, std::u16string_view text) = 0;
  // A Yes/No question; true only for Yes.
  virtual bool askYesNo(std::u16string_view text) = 0;

  virtual void beep() = 0;
  virtual void flashWindow() = 0;

  // The main window's place. The work area is the desktop without the task bar, in screen
  // coordinates. The normal rectangle is where the window sits when restored, also while it
  // is maximized or minimized, so that a saved place never is a maximized one; the system
  // keeps it in workspace coordinates, which start at workspaceOrigin on the screen: a task
  // bar docked at the top or left of the window's monitor moves that origin.
  virtual Rect workArea() const = 0;
  virtual Rect normalWindowRect() const = 0;
  virtual Point workspaceOrigin() const = 0;
  // Moves and sizes the main window, without repainting (it may still be hidden).
  virtual void placeWindow(int x, int y, int width, int height) = 0;

  // The tabs have a fixed width; setting the item size after new tab texts lays them out
  // again.
  virtual void setTabItemSize(int width, int height) = 0;

  // The chosen path; nothing when the user cancels.
  virtual std::optional<std::u16string> chooseFile(const FileDialogRequest& request) = 0;
  // Opens a document or folder or starts a program, owned by the main window. The result is
  // not examined: the user sees whether the program came up.
  virtual void shellOpen(const ShellRequest& request) = 0;
  // Paints a control now, while long work keeps the message loop from doing it.
  virtual void repaintNow(Slot slot) = 0;
};

}  // namespace ui
