#include "packing/mapslists.h"

#include <cstdint>
#include <optional>

#include "catalogue/catalogue.h"
#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "core/string_list.h"
#include "core/text_helpers.h"
#include "maps/kind_path.h"
#include "platform/platform.h"
#include "ui/tree.h"
#include "core/ui_text_ids.h"

namespace {

// Runtime UI texts of this file.

// Not in the UI table, whose entries a localization file numbers; said in English.
constexpr std::u16string_view kBackupFailedText =
    u"The game's current mapslist could not be kept as this backup, so it was left as it is "
    u"and the test game was not started.";

constexpr std::size_t kExtensionLength = 4;  // ".PMS"

void WarnAboutFile(const AppState& state, ui::Controls& controls, std::u16string_view path,
                   int text) {
  std::u16string message(path);
  message += u"\r\n";
  message += UiString(state, text);
  controls.showMessage(ui::MessageKind::kWarning, message);
}

// A name that may be joined to a folder and handed on inside quotation marks: a plain file
// name with no character Windows refuses in one.
bool IsSafeMapName(std::u16string_view name) {
  if (name.size() <= kExtensionLength || !IsPlainFileName(name)) return false;
  for (const char16_t c : name) {
    if (c < u' ' || c == u'"' || c == u'<' || c == u'>' || c == u'|' || c == u'?' || c == u'*')
      return false;
  }
  return true;
}

// The previous file kept as "<path>.bak", replacing an earlier backup. Nothing to keep is
// fine; a file that cannot be read or a backup that cannot be written is not.
bool KeepBackup(std::u16string_view path, std::u16string_view backupPath) {
  if (!platform::Exists(path)) return true;
  const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(path);
  return bytes.has_value() && platform::WriteNewFile(backupPath, *bytes);
}

}  // namespace

bool LoadMapslist(AppState& state, ui::Controls& controls, std::u16string_view path) {
  StringList names;
  if (!names.loadFromFile(path, kMapslistMaxLine)) {
    WarnAboutFile(state, controls, path, uitext::kMapslistLoadFailed);
    return false;
  }
  names.sortUnique();

  ClearPackList(state);
  if (state.packTree != nullptr) {
    ui::Tree& pack = *state.packTree;
    // From the last name to the first, each at the front: the list ends up ascending.
    for (std::int32_t i = names.count() - 1; i >= 0; --i) {
      const std::u16string text = std::u16string(names.textAt(i)) + u".PMS";
      pack.insertFirst(state.packRoot, {text, kMapImage, kMapImage});
    }
    state.packCount = names.count();
  }
  names.clear();
  UpdatePackListLabel(state);
  controls.setStatusText(UiString(state, uitext::kMapslistLoaded));
  return true;
}

bool SaveMapslist(AppState& state, ui::Controls& controls, std::u16string_view path) {
  StringList names;
  if (state.packTree != nullptr && state.packRoot != ui::kNoItem) {
    const ui::Tree& pack = *state.packTree;
    for (ui::TreeItem c = pack.child(state.packRoot); c != ui::kNoItem; c = pack.nextSibling(c)) {
      if (pack.image(c) != kMapImage) continue;
      const std::u16string text = pack.text(c);
      if (text.size() > kExtensionLength)
        names.add(std::u16string_view(text).substr(0, text.size() - kExtensionLength), 1);
    }
  }
  names.buildIndex();
  if (!names.saveToFile(path)) {
    WarnAboutFile(state, controls, path, uitext::kMapslistSaveFailed);
    return false;
  }
  controls.setStatusText(UiString(state, uitext::kMapslistSaved));
  return true;
}

TestGameResult StartTestGame(AppState& state, ui::Controls& controls,
                             std::u16string_view mapFileName) {
  if (state.soldatFolder.empty() || !IsSafeMapName(mapFileName)) {
    return TestGameResult::kNotPossible;
  }
  const std::u16string_view mapName = mapFileName.substr(0, mapFileName.size() - kExtensionLength);

  const std::u16string mapslist = state.soldatFolder + u"mapslist.txt";
  const std::u16string backup = mapslist + u".bak";
  if (!KeepBackup(mapslist, backup)) {
    std::u16string message = backup;
    message += u"\r\n";
    message += kBackupFailedText;
    controls.showMessage(ui::MessageKind::kWarning, message);
    return TestGameResult::kBackupFailed;
  }

  StringList one;
  one.add(mapName, 1);
  one.buildIndex();
  if (!one.saveToFile(mapslist)) return TestGameResult::kWriteFailed;

  if (!state.filters.empty()) {
    std::uint32_t filter = FindGameModeFilter(state, mapName);
    if (filter >= state.filters.size()) filter = 0;
    // A soldat.ini that cannot be written keeps its last mode: the map still plays. The game
    // reads its file as plain text, so a new one is not started as UTF-16.
    static_cast<void>(platform::WriteIniString(state.soldatFolder + u"soldat.ini", u"GAME",
                                               u"GameStyle", state.filters[filter].gameStyle,
                                               platform::NewIniFile::kAnsi));
  }
  controls.shellOpen({u"", state.soldatPath, u" -start", u""});
  return TestGameResult::kStarted;
}

MapOpening ChooseMapOpening(const AppState& state, std::u16string_view itemText, int image) {
  MapOpening opening;
  if (image != kMapImage && image != kUncompiledMapImage) return opening;
  if (!IsSafeMapName(itemText)) return opening;
  if (!state.polyWorksPath.empty()) {
    const std::optional<std::u16string> path = PathInKindFolder(state, image - kMapImage, itemText);
    if (!path) return opening;
    opening.action = MapOpening::Action::kEditor;
    opening.program = state.polyWorksPath;
    opening.parameters = u"\"" + *path + u"\"";
  } else if (image == kMapImage) {
    opening.action = MapOpening::Action::kTestGame;
  }
  return opening;
}

bool OpenMapOnDoubleClick(AppState& state, ui::Controls& controls, std::u16string_view itemText,
                          int image) {
  const MapOpening opening = ChooseMapOpening(state, itemText, image);
  switch (opening.action) {
    case MapOpening::Action::kEditor:
      controls.shellOpen({u"", opening.program, opening.parameters, u""});
      return true;
    case MapOpening::Action::kTestGame: {
      const TestGameResult result = StartTestGame(state, controls, itemText);
      return result == TestGameResult::kStarted || result == TestGameResult::kWriteFailed;
    }
    case MapOpening::Action::kNothing:
      break;
  }
  return false;
}
