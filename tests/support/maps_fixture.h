// The state that map, report and content tests start from: a game installation's six kind
// folders in a temp folder, the built-in UI text and a window that records what it is shown.
#pragma once

#include "state/app_state.h"
#include "support/temp_dir.h"
#include "ui/controls.h"

namespace testsupport {

// Creates maps, Uncompiled, Prefabs, scenery-gfx, textures and textures\edges below `dir` as
// the state's kind folders, loads the built-in UI text and attaches `controls` when given.
// False when the UI text could not be loaded.
[[nodiscard]] bool SetUpMapsState(AppState& state, const TempDir& dir,
                                  ui::Controls* controls = nullptr);

}  // namespace testsupport
