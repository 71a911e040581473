#include "support/maps_fixture.h"

#include "config/ui_text.h"

namespace testsupport {

bool SetUpMapsState(AppState& state, const TempDir& dir, ui::Controls* controls) {
  const char16_t* names[kKindCount] = {u"maps",        u"Uncompiled", u"Prefabs",
                                       u"scenery-gfx", u"textures",   u"textures\\edges"};
  for (int kind = 0; kind < kKindCount; ++kind) state.kindFolders[kind] = dir.folder(names[kind]);
  if (controls != nullptr) state.controls = controls;
  return LoadBuiltinRuntimeUiText(state);
}

}  // namespace testsupport
