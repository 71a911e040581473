// Records what the portable operations show, in place of the window, and answers questions
// from a script.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"

namespace testsupport {

class FakeControls : public ui::Controls {
 public:
  struct Message {
    ui::MessageKind kind;
    std::u16string text;
  };

  void setStatusText(std::u16string_view text) override { statusTexts.emplace_back(text); }

  std::u16string text(ui::Slot slot) const override { return at(slot).text; }
  void setText(ui::Slot slot, std::u16string_view text) override { at(slot).text = text; }
  bool checked(ui::Slot slot) const override { return at(slot).checked; }
  void setChecked(ui::Slot slot, bool checked) override { at(slot).checked = checked; }
  bool enabled(ui::Slot slot) const override { return at(slot).enabled; }
  void setEnabled(ui::Slot slot, bool enabled) override { at(slot).enabled = enabled; }
  int comboSelection(ui::Slot slot) const override { return at(slot).selection; }
  // A drop-down list's text is its selected item, as the real control gives it.
  void setComboSelection(ui::Slot slot, int position) override {
    Control& c = at(slot);
    c.selection = position >= 0 && position < static_cast<int>(c.items.size()) ? position : -1;
    c.text = c.selection < 0 ? std::u16string() : c.items[static_cast<std::size_t>(c.selection)];
  }
  void setComboItems(ui::Slot slot, const std::vector<std::u16string>& items) override {
    at(slot).items = items;
    at(slot).selection = -1;
    at(slot).text.clear();
  }

  void setTabText(int tab, std::u16string_view text) override { tabs.at(tab).text = text; }
  int tabImage(int tab) const override { return tabs.at(tab).image; }
  void setTabImage(int tab, int image) override { tabs.at(tab).image = image; }

  void showMessage(ui::MessageKind kind, std::u16string_view text) override {
    messages.push_back({kind, std::u16string(text)});
  }
  bool askYesNo(std::u16string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void beep() override { ++beeps; }
  void flashWindow() override { ++flashes; }

  ui::Rect workArea() const override { return workAreaRect; }
  // In workspace coordinates, as the system gives it.
  ui::Rect normalWindowRect() const override {
    const ui::Point o = workspaceOriginPoint;
    return {windowRect.left - o.x, windowRect.top - o.y, windowRect.right - o.x,
            windowRect.bottom - o.y};
  }
  ui::Point workspaceOrigin() const override { return workspaceOriginPoint; }
  void placeWindow(int x, int y, int width, int height) override {
    windowRect = {x, y, x + width, y + height};
    ++placements;
  }
  void setTabItemSize(int width, int height) override { tabItemSize = {width, height}; }

  std::optional<std::u16string> chooseFile(const ui::FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    if (chosenFiles.empty()) return std::nullopt;
    std::optional<std::u16string> chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
  }
  void shellOpen(const ui::ShellRequest& request) override { shellOpens.push_back(request); }
  void repaintNow(ui::Slot slot) override { repaints.push_back(slot); }

  struct Control {
    std::u16string text;
    bool checked = false;
    bool enabled = true;
    int selection = -1;
    std::vector<std::u16string> items;
  };
  struct Tab {
    std::u16string text;
    int image = -1;
  };

  Control& at(ui::Slot slot) { return controls[static_cast<int>(slot)]; }
  const Control& at(ui::Slot slot) const { return controls[static_cast<int>(slot)]; }

  std::array<Control, ui::kSlotCount> controls;
  std::array<Tab, 4> tabs;
  std::vector<std::u16string> statusTexts;
  std::vector<Message> messages;
  std::vector<std::u16string> questions;
  std::deque<bool> answers;  // scripted answers to askYesNo, Yes when true; No when empty
  int beeps = 0;
  int flashes = 0;
  ui::Rect workAreaRect{0, 0, 1280, 994};
  ui::Rect windowRect{100, 100, 721, 694};  // the normal (restored) rectangle on the screen
  ui::Point workspaceOriginPoint;           // moved by a task bar at the top or left
  int placements = 0;
  std::pair<int, int> tabItemSize{0, 0};
  std::vector<ui::FileDialogRequest> fileDialogs;
  std::deque<std::optional<std::u16string>> chosenFiles;  // scripted; cancelled when empty
  std::vector<ui::ShellRequest> shellOpens;
  std::vector<ui::Slot> repaints;
};

}  // namespace testsupport
