#include "config/ui_text.h"

#include "platform/platform.h"

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
