// All long-lived state of the program. Every operation receives it by reference; there are
// no other globals.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "catalogue/game_mode_filter.h"
#include "core/file_kind.h"
#include "core/string_list.h"
#include "core/ui_text_ids.h"

namespace ui {
class Controls;
}

struct AppState {
  std::u16string programFolder;  // ends with a backslash
  std::u16string tempFolder;     // ends with a backslash

  // maps, Uncompiled, Prefabs, scenery-gfx, textures, edges: indexed by FileKind. Each ends
  // with a backslash, or is empty while unknown.
  std::array<std::u16string, kKindCount> kindFolders;

  // UI text entries from uitext::kFirstRuntimeText on, at position index - 56.
  StringList uiText;

  GameModeFilterTable filters;

  ui::Controls* controls = nullptr;
};

// A runtime UI text by its table index (56 and above).
inline std::u16string_view UiString(const AppState& state, int index) {
  const int position = index - uitext::kFirstRuntimeText;
  if (position < 0 || position >= state.uiText.count()) return {};
  return state.uiText.textAt(position);
}
