// The settings file and a localization file come from outside: whatever they hold, the
// window gets choices it has and a complete UI text.
#include "config/settings_file.h"
#include "config/ui_text.h"
#include "fuzz_support.h"

using fuzzsupport::Check;
using ui::Slot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& dir = fuzzsupport::Folder();
  AppState state;
  state.programFolder = dir.path();
  state.frameBorder = 8;
  state.fixedWindowWidth = 621;
  state.minWindowHeight = 597;
  const std::vector<std::uint8_t> bytes(data, data + size);
  fixtures::WriteBytes(SettingsFilePath(state), bytes);
  // The same bytes as the language the file names, when it names a plain file.
  fixtures::WriteBytes(dir.path() + u"Localization\\fuzz.lng", bytes);

  testsupport::FakeControls controls;
  fuzzsupport::FillCombos(controls);
  LoadSettings(state, controls);
  const ui::Rect& window = controls.windowRect;
  Check(window.right - window.left == 621 && window.bottom - window.top >= 597);
  const int compression = controls.comboSelection(Slot::compressionCombo);
  const int recovery = controls.comboSelection(Slot::recoveryCombo);
  Check(compression >= 0 && compression <= 5 && recovery >= 0 && recovery <= 10);
  Check(state.soldatPath.size() <= 195 && state.languageName.size() <= 64);

  if (size % 2 == 0) state.languageName = u"fuzz.lng";
  Check(LoadUiText(state, controls) == UiTextResult::kLoaded);
  Check(controls.messages.size() <= 1 && state.uiText.count() >= 161 - 56);
  Check(controls.comboSelection(Slot::compressionCombo) == compression);
  Check(controls.comboSelection(Slot::recoveryCombo) == recovery);
  return 0;
}
