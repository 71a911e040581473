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

struct FileDialogFilter {
  std::u16string name;     // "Mapslist (*.txt)"
  std::u16string pattern;  // "*.txt"
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
};

}  // namespace ui
