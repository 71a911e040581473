#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/app_state.h"
#include "core/text_helpers.h"

// The path of a file of the given kind: its kind's folder followed by the name. Nothing
// when the name could leave the folder (it came from a file, see IsPlainFileName) or the
// folder is not known yet: such a file is treated as missing, never looked up.
inline std::optional<std::u16string> PathInKindFolder(const AppState& state, int kind,
                                                      std::u16string_view name) {
  if (kind < 0 || kind >= kKindCount) return std::nullopt;
  const std::u16string& folder = state.kindFolders[static_cast<std::size_t>(kind)];
  if (folder.empty() || name.empty() || !IsPlainFileName(name)) return std::nullopt;
  return folder + std::u16string(name);
}
