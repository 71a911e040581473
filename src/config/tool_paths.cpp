#include "config/tool_paths.h"

#include <optional>
#include <utility>

#include "config/ui_text.h"
#include "core/text_helpers.h"

namespace {

constexpr std::u16string_view kWinRarAppPathKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WinRAR.exe";
constexpr std::u16string_view kSoldatOpenCommandKey = u"Soldat\\Shell\\Open\\Command";

// The quote in front and `" -start "%1"`-like tail around the path in the open command.
constexpr std::size_t kOpenCommandLead = 1;
constexpr std::size_t kOpenCommandTail = 13;

// An empty field means "not set", never "the current folder".
bool PathExists(std::u16string_view path) {
  return !path.empty() && platform::Exists(path);
}

// The program usually lies in a folder inside Soldat's: <Soldat>\<tools>\ gives
// <Soldat>\Soldat.exe.
std::u16string GuessSoldatFromProgramFolder(std::u16string_view programFolder) {
  if (programFolder.empty()) return {};
  const std::u16string_view parent = FolderPart(programFolder.substr(0, programFolder.size() - 1));
  return parent.empty() ? std::u16string() : std::u16string(parent) + u"Soldat.exe";
}

void ClearSoldatFolders(AppState& state) {
  state.soldatFolder.clear();
  for (const FileKind kind : {kKindMap, kKindScenery, kKindTexture, kKindEdge})
    state.kindFolders[kind].clear();
}

bool EndsWithSeparator(std::u16string_view folder) {
  return !folder.empty() && (folder.back() == u'\\' || folder.back() == u'/');
}

// polyworks.ini comes from outside: a folder stored without its final backslash still
// names the folder, and file names are appended to it directly.
std::u16string AsFolder(std::u16string value) {
  if (!value.empty() && !EndsWithSeparator(value)) value += u'\\';
  return value;
}

void FindWinRar(AppState& state, ui::Controls& controls) {
  if (PathExists(state.winRarPath)) return;
  if (ReadFirstRegistryValue(platform::RegistryRoot::kLocalMachine, kWinRarAppPathKey,
                             state.winRarPath) &&
      PathExists(state.winRarPath)) {
    return;
  }
  state.winRarPath.clear();
  controls.showMessage(ui::MessageKind::kInformation, UiString(state, uitext::kSpecifyWinRarPath));
}

// True when the Soldat path is usable: it exists and has a folder part.
bool FindSoldat(AppState& state, ui::Controls& controls) {
  const auto usable = [&] {
    return PathExists(state.soldatPath) && !FolderPart(state.soldatPath).empty();
  };
  if (usable()) return true;
  state.soldatPath = GuessSoldatFromProgramFolder(state.programFolder);
  if (usable()) return true;
  if (ReadFirstRegistryValue(platform::RegistryRoot::kClassesRoot, kSoldatOpenCommandKey,
                             state.soldatPath)) {
    state.soldatPath = SoldatPathFromOpenCommand(state.soldatPath);
    if (usable()) return true;
  }
  state.soldatPath.clear();
  ClearSoldatFolders(state);
  controls.showMessage(ui::MessageKind::kInformation, UiString(state, uitext::kSpecifySoldatPath));
  return false;
}

void DeriveSoldatFolders(AppState& state) {
  state.soldatFolder = FolderPart(state.soldatPath);
  state.kindFolders[kKindMap] = state.soldatFolder + u"maps\\";
  state.kindFolders[kKindScenery] = state.soldatFolder + u"scenery-gfx\\";
  state.kindFolders[kKindTexture] = state.soldatFolder + u"textures\\";
  state.kindFolders[kKindEdge] = state.soldatFolder + u"textures\\edges\\";
}

void SettleDefaultSaveFolder(AppState& state) {
  if (PathExists(state.defaultSaveFolder)) {
    // Archive names are joined to it: typed without its backslash, "C:\Out" and "pack.rar"
    // would make "C:\Outpack.rar" outside the folder.
    const char16_t last = state.defaultSaveFolder.back();
    if (last != u'\\' && last != u'/') state.defaultSaveFolder += u'\\';
    return;
  }
  state.defaultSaveFolder = state.programFolder + u"Packed\\";
  if (!platform::Exists(state.defaultSaveFolder)) platform::CreateFolder(state.defaultSaveFolder);
}

void FindPolyWorks(AppState& state) {
  const auto clear = [&] {
    state.polyWorksPath.clear();
    state.kindFolders[kKindUncompiledMap].clear();
    state.kindFolders[kKindPrefab].clear();
  };
  if (!PathExists(state.polyWorksPath)) {
    // The editor is optional: no message when it is not found.
    if (state.soldatPath.empty()) return clear();
    state.polyWorksPath = state.soldatFolder + u"Soldat PolyWorks\\Soldat PolyWorks.exe";
    if (!PathExists(state.polyWorksPath)) return clear();
  }
  const std::u16string ini = PolyWorksIniPath(state);
  // With no folder there is no file to read; the profile API would read win.ini instead.
  if (ini.empty()) return clear();
  state.kindFolders[kKindUncompiledMap] =
      AsFolder(platform::ReadIniString(ini, u"Preferences", u"Uncompiled", u"", 260));
  state.kindFolders[kKindPrefab] =
      AsFolder(platform::ReadIniString(ini, u"Preferences", u"Prefabs", u"", 260));
}

}  // namespace

std::u16string PolyWorksIniPath(const AppState& state) {
  const std::u16string_view folder = FolderPart(state.polyWorksPath);
  return folder.empty() ? std::u16string() : std::u16string(folder) + u"polyworks.ini";
}

bool ReadFirstRegistryValue(platform::RegistryRoot root, std::u16string_view subkey,
                            std::u16string& field) {
  std::optional<std::u16string> value = platform::FirstRegistryValue(root, subkey);
  field = value ? std::move(*value) : std::u16string();
  return value.has_value();
}

std::u16string SoldatPathFromOpenCommand(std::u16string_view command) {
  if (command.size() <= kOpenCommandLead + kOpenCommandTail) return {};
  return std::u16string(
      command.substr(kOpenCommandLead, command.size() - kOpenCommandLead - kOpenCommandTail));
}

void UpdateLoadTemplateButton(const AppState& state, ui::Controls& controls) {
  controls.setEnabled(ui::Slot::loadTemplateButton, controls.checked(ui::Slot::addCommentCheck) &&
                                                        !controls.checked(ui::Slot::useFileCheck) &&
                                                        !state.templatePath.empty());
}

void ValidateToolPaths(AppState& state, ui::Controls& controls) {
  // At start-up the paths are checked before the window is labelled; the two messages
  // still need their texts.
  EnsureRuntimeUiText(state);

  if (state.defaultMaps.empty()) state.skipDefaultMaps = false;
  if (state.defaultSceneries.empty()) state.skipDefaultSceneries = false;
  if (state.defaultTextures.empty()) state.skipDefaultTextures = false;

  FindWinRar(state, controls);
  if (FindSoldat(state, controls)) DeriveSoldatFolders(state);
  SettleDefaultSaveFolder(state);
  FindPolyWorks(state);

  if (!PathExists(state.templatePath)) {
    state.templatePath.clear();
    state.autoloadTemplate = false;
  }
  UpdateLoadTemplateButton(state, controls);
}
