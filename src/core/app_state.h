// All long-lived state of the program. Every operation receives it by reference; there are
// no other globals.
#pragma once

#include <array>
#include <optional>
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

  // Paths of the outside programs and the folders derived from them; empty while not set.
  std::u16string soldatPath;     // Soldat.exe, or the Soldat folder with a trailing backslash
  std::u16string polyWorksPath;  // Soldat PolyWorks.exe
  std::u16string winRarPath;     // WinRAR.exe
  std::u16string templatePath;   // the comment template
  std::u16string defaultSaveFolder;
  std::u16string soldatFolder;      // soldatPath up to and including its last backslash
  std::u16string lastActiveFolder;  // kept between runs, read by nothing else

  // maps, Uncompiled, Prefabs, scenery-gfx, textures, edges: indexed by FileKind. Each ends
  // with a backslash, or is empty while unknown.
  std::array<std::u16string, kKindCount> kindFolders;

  // Options of the settings file's [Settings] section, shown on the Settings page.
  bool autoloadTemplate = false;
  bool skipDefaultMaps = false;
  bool skipDefaultSceneries = false;
  bool skipDefaultTextures = false;
  bool skipMapslist = false;
  bool testArchive = false;
  bool lockArchive = false;
  bool explore = false;
  std::u16string languageName = u"default";  // "default" or a .lng file's name

  // The game's own files, left out of the catalogue and the archives; sorted and unique.
  StringList defaultMaps;
  StringList defaultSceneries;
  StringList defaultTextures;

  // Main window geometry, worked out when the window is created: the width of one side
  // frame, the only outer width the window takes, and its least outer height.
  int frameBorder = 0;
  int fixedWindowWidth = 0;
  int minWindowHeight = 0;

  // Full path of the image in the Content page's preview box; empty while none is shown.
  std::u16string previewPath;
  // The per-map problem report built with the archive content; none before it is built.
  std::optional<std::u16string> contentReport;

  // Options came on the command line: they hold for this run only, so nothing is saved.
  bool commandLineMode = false;

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
