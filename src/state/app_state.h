// All long-lived state of the program. Every operation receives it by reference; there are
// no other globals.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/game_mode_filter.h"
#include "core/file_kind.h"
#include "core/string_list.h"
#include "core/ui_text_ids.h"
#include "ui/tree.h"

namespace ui {
class Controls;
}
namespace platform {
class ExistenceCache;
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

  // The window's three trees; the shell (or a test) sets them before any operation runs.
  ui::Tree* catalogueTree = nullptr;
  ui::Tree* packTree = nullptr;
  ui::Tree* contentTree = nullptr;

  // Catalogue: the root and one slot per group (Recent PW maps, Uncompiled maps, Prefabs,
  // then one per game-mode filter); an empty group's slot holds ui::kNoItem.
  ui::TreeItem catalogueRoot = ui::kNoItem;
  std::vector<ui::TreeItem> catalogueGroups;

  // Pack list: its root and the number of entries under it.
  ui::TreeItem packRoot = ui::kNoItem;
  std::int32_t packCount = 0;

  // The archive content no longer matches the pack list.
  bool contentStale = false;
  // Rebuilds the archive content from the pack list (and clears contentStale); the shell
  // wires it at start-up. While unset, a changed pack list only marks the content stale.
  std::function<void(AppState&)> rebuildArchiveContent;

  // Runs one archiver command line to its end, calling tick every half second meanwhile:
  // the exit code, or nothing when it could not be started. Tests record the command lines
  // here; while unset the platform's process start is used.
  std::function<std::optional<std::uint32_t>(std::u16string_view commandLine,
                                             const std::function<void()>& tick)>
      runProcess;

  // Matches already shown by the search line of the Main and of the Content page.
  std::int32_t mainSearchPos = 0;
  std::int32_t contentSearchPos = 0;

  // Archive content (the Content page's tree): the top item, one group item per FileKind
  // (kNoItem once an empty group is removed) and the mapslist item.
  ui::TreeItem contentTop = ui::kNoItem;
  std::array<ui::TreeItem, kKindCount> contentGroups{};
  ui::TreeItem mapslistItem = ui::kNoItem;
  // The text last put into the details panel or handed to a tree as an item's tooltip.
  std::u16string detailsText;
  // Set only while the archive content is built, so that each file is looked up once per
  // build however many maps name it.
  platform::ExistenceCache* existenceCache = nullptr;
  // Steps of the Content page that only the shell can take; it sets them with the window,
  // and the portable operations skip them while unset. layoutControls places the controls
  // for the current previewPath; showPreview shows the preview box while previewPath is set
  // (hides it otherwise) and paints it again; showLog turns the details panel to the content
  // report.
  std::function<void(AppState&)> layoutControls;
  std::function<void(AppState&)> showPreview;
  std::function<void(AppState&)> showLog;
};

// A runtime UI text by its table index (56 and above).
inline std::u16string_view UiString(const AppState& state, int index) {
  const int position = index - uitext::kFirstRuntimeText;
  if (position < 0 || position >= state.uiText.count()) return {};
  return state.uiText.textAt(position);
}
