// Mapslists, Soldat's lists of maps to play (one map name per line, without extension),
// exchanged with the pack list; and test play, which opens a map in the editor or starts
// Soldat on it.
#pragma once

#include <string>
#include <string_view>

#include "state/app_state.h"
#include "ui/controls.h"

// The longest mapslist line read; a longer one ends the reading.
constexpr int kMapslistMaxLine = 46;

// Replaces the pack list with the maps the file names, sorted and each once, as
// "<name>.PMS" maps of the maps folder. When the file gives no line the user is warned
// (its path, then why), the pack list stays and the result is false.
bool LoadMapslist(AppState& state, ui::Controls& controls, std::u16string_view path);

// Writes the pack list's maps (not its uncompiled maps or prefabs) in list order, without
// extension. When the file cannot be written the user is warned and the result is false.
bool SaveMapslist(AppState& state, ui::Controls& controls, std::u16string_view path);

enum class TestGameResult {
  kStarted,
  kNotPossible,   // no Soldat folder, or a name that is not a plain map file name
  kBackupFailed,  // the user was told; the game's files are untouched
  kWriteFailed,   // mapslist.txt could not be written; no message
};

// Soldat's "mapslist.txt" becomes this one map, after the file that was there was kept as
// "mapslist.txt.bak" beside it (replacing an earlier backup): on a server that file is a
// rotation written by hand. GameStyle in [GAME] of "soldat.ini" becomes the map's game
// style, the rest of that file stays; then Soldat starts (default verb) with " -start".
TestGameResult StartTestGame(AppState& state, ui::Controls& controls,
                             std::u16string_view mapFileName);

// What a double click on a tree item with this text and image opens: a map or uncompiled
// map in the editor when its path is set (with the quoted path of the file as its one
// parameter), otherwise a map in a test game. Anything else, and names that could leave
// their folder or break the quoting, open nothing.
struct MapOpening {
  enum class Action { kNothing, kEditor, kTestGame };
  Action action = Action::kNothing;
  std::u16string program;     // the editor (kEditor)
  std::u16string parameters;  // the quoted map path (kEditor)
};
MapOpening ChooseMapOpening(const AppState& state, std::u16string_view itemText, int image);

// Opens what ChooseMapOpening chose. True when the main window is to be minimized now, so
// that the started program is in front: when the editor or Soldat was started, or a test
// game failed without a message. Nothing opened, or a message shown, keeps the window.
bool OpenMapOnDoubleClick(AppState& state, ui::Controls& controls, std::u16string_view itemText,
                          int image);
