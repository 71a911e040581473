#include "config/help.h"

#include "platform/platform.h"
#include "core/ui_text_ids.h"

namespace {}  // namespace

std::u16string HelpFilePath(const AppState& state) {
  return state.programFolder + u"Soldat ZEK Help.htm";
}

bool ShowHelp(const AppState& state, ui::Controls& controls) {
  const std::u16string path = HelpFilePath(state);
  // Without a program folder the name would be looked up in the current folder.
  if (state.programFolder.empty() || !platform::Exists(path)) {
    controls.showMessage(ui::MessageKind::kWarning,
                         path + u"\r\n" + std::u16string(UiString(state, uitext::kHelpMissing)));
    return false;
  }
  controls.shellOpen({u"open", path, u"", state.programFolder});
  return true;
}
