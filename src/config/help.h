// The help page "Soldat ZEK Help.htm" beside the program, opened in the user's browser by
// F1 and by the caption's "?" button.
#pragma once

#include <string>

#include "state/app_state.h"
#include "ui/controls.h"

std::u16string HelpFilePath(const AppState& state);

// Opens the help page with the "open" verb in the program folder; when it is missing the
// user is told where it was looked for. False when it is missing.
bool ShowHelp(const AppState& state, ui::Controls& controls);
