// Finds and checks the paths of Soldat, Soldat PolyWorks and WinRAR, and derives every folder
// the other operations read from them. Runs at start-up after the settings file and each
// time the Settings page is applied.
#pragma once

#include <string>
#include <string_view>

#include "state/app_state.h"
#include "platform/platform.h"
#include "ui/controls.h"

// The data of the key's first value into `field`; the field is emptied, and the result is
// false, when the key cannot be opened or has no such value.
[[nodiscard]] bool ReadFirstRegistryValue(platform::RegistryRoot root, std::u16string_view subkey,
                                          std::u16string& field);

// The editor's "polyworks.ini", beside its program; empty while the editor's path has no
// folder.
std::u16string PolyWorksIniPath(const AppState& state);

// Soldat's path from the shell's open command of its file type, which holds it between a
// leading quote and a 13-character tail: the n - 14 characters from the second one on. A
// value too short to hold a path gives nothing.
std::u16string SoldatPathFromOpenCommand(std::u16string_view command);

// Checks every path in AppState, guessing or looking up missing ones, and derives the Soldat
// folder, the six kind folders and the default folder for archives (created when missing).
// Tells the user when WinRAR or Soldat cannot be found (WinRAR first). Sets the skip flags
// off whose default-file list is empty, and AutoloadTemplate off without a template.
void ValidateToolPaths(AppState& state, ui::Controls& controls);

// The Comment page's "Load template" button is usable only when a comment is added from
// the template (not from a file) and a template is set.
void UpdateLoadTemplateButton(const AppState& state, ui::Controls& controls);
