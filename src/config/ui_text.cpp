#include "config/ui_text.h"

#include <array>
#include <optional>
#include <vector>

#include "core/text_helpers.h"
#include "platform/platform.h"

namespace {

using ui::Slot;

constexpr std::u16string_view kLocalizationFailedText =
    u"\nFailed to load localization file! Default localization will be used instead.";

// The tab control has fixed-width tabs; changing the item size makes it lay out the new
// texts, so it is set to another size first. The final size is the second.
constexpr int kTabInterimWidth = 97;
constexpr int kTabWidth = 126;
constexpr int kTabHeight = 19;

// The chosen localization file's table; nothing when the name is not a plain file name, or
// the file cannot be read or is short of entries. The language name comes from the
// settings file, so it is never allowed to lead out of the Localization folder.
bool ReadLanguageFile(const AppState& state, StringList& lines) {
  if (!IsPlainFileName(state.languageName)) return false;
  const auto bytes = platform::ReadWholeFile(LocalizationFilePath(state));
  return bytes && ReadUiTextTable(*bytes, lines);
}

void RefillCombo(ui::Controls& controls, Slot slot, const StringList& lines, int first, int count) {
  const int selected = controls.comboSelection(slot);
  std::vector<std::u16string> items;
  items.reserve(static_cast<std::size_t>(count));
  for (int i = first; i < first + count; ++i) items.emplace_back(lines.textAt(i));
  controls.setComboItems(slot, items);
  controls.setComboSelection(slot, selected);
}

void LabelWindow(const StringList& lines, ui::Controls& controls) {
  for (int tab = 0; tab < kUiTabCount; ++tab) controls.setTabText(tab, lines.textAt(tab));
  controls.setTabItemSize(kTabInterimWidth, kTabHeight);
  controls.setTabItemSize(kTabWidth, kTabHeight);
  for (const UiCaption& caption : kUiCaptions)
    controls.setText(caption.slot, lines.textAt(caption.entry));
  RefillCombo(controls, Slot::compressionCombo, lines, kUiFirstCompressionEntry,
              kUiCompressionEntries);
  RefillCombo(controls, Slot::recoveryCombo, lines, kUiFirstRecoveryEntry, kUiRecoveryEntries);
}

}  // namespace

bool ReadUiTextTable(std::span<const std::uint8_t> bytes, StringList& lines) {
  return lines.loadFromBuffer(bytes, kUiTextMaxLine) >= uitext::kEntryCount;
}

void KeepRuntimeUiText(AppState& state, StringList& lines) {
  state.uiText.clear();
  for (std::int32_t i = uitext::kFirstRuntimeText; i < lines.count(); ++i) {
    state.uiText.add(lines.textAt(i), 0);
  }
  state.uiText.buildIndex();
  lines.clear();
}

bool LoadBuiltinRuntimeUiText(AppState& state) {
  StringList lines;
  if (!ReadUiTextTable(platform::BuiltinResource(kUiTextResourceId), lines)) return false;
  KeepRuntimeUiText(state, lines);
  return true;
}

bool IsDefaultLanguage(std::u16string_view languageName) {
  return platform::CompareNoCase(languageName, u"default") == 0;
}

std::u16string LocalizationFilePath(const AppState& state) {
  return state.programFolder + u"Localization\\" + state.languageName;
}

UiTextResult LoadUiText(AppState& state, ui::Controls& controls) {
  StringList lines;
  if (!IsDefaultLanguage(state.languageName) && !ReadLanguageFile(state, lines)) {
    controls.showMessage(ui::MessageKind::kWarning,
                         LocalizationFilePath(state) + std::u16string(kLocalizationFailedText));
    state.languageName = u"default";
  }
  if (IsDefaultLanguage(state.languageName) &&
      !ReadUiTextTable(platform::BuiltinResource(kUiTextResourceId), lines)) {
    controls.showMessage(ui::MessageKind::kError, kUiInitFailedText);
    return UiTextResult::kBuiltinFailed;
  }
  LabelWindow(lines, controls);
  KeepRuntimeUiText(state, lines);
  return UiTextResult::kLoaded;
}

void EnsureRuntimeUiText(AppState& state) {
  if (!state.uiText.empty()) return;
  StringList lines;
  if (!IsDefaultLanguage(state.languageName) && ReadLanguageFile(state, lines)) {
    KeepRuntimeUiText(state, lines);
    return;
  }
  LoadBuiltinRuntimeUiText(state);
}
