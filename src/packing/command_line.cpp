#include "packing/command_line.h"

#include <optional>
#include <string_view>
#include <utility>

#include "catalogue/catalogue.h"
#include "catalogue/pack_list.h"
#include "core/file_kind.h"
#include "core/text_helpers.h"
#include "packing/mapslists.h"
#include "platform/platform.h"
#include "ui/tree.h"
#include "core/ui_text_ids.h"

namespace {

using ui::Slot;

constexpr std::size_t kMaxPath = 260;
constexpr int kMaxCompression = 5;
constexpr int kWholeRecovery = 10;  // "-ra": 10%
// "-c" followed by a comment file's path: longer than any "-c" with a digit.
constexpr std::size_t kLongCommentOptionMin = 9;

struct FileArgument {
  std::optional<FileKind> kind;  // a map or prefab; none for a mapslist
  std::u16string name;           // map or prefab name, or the mapslist's path
  std::u16string sourceFolder;
};

std::u16string_view FileName(std::u16string_view path) {
  const auto name = AfterLastChar(path, u'\\');
  return name ? *name : path;
}

bool SameFolder(std::u16string_view a, std::u16string_view b) {
  return !b.empty() && platform::CompareNoCase(a, b) == 0;
}

// The map or prefab named by the first argument, or nothing when it cannot be used.
std::optional<FileArgument> MapOrPrefab(const AppState& state, std::u16string_view argument,
                                        bool prefab) {
  const std::u16string_view folder = FolderPart(argument);
  FileKind kind = kKindMap;
  if (prefab) {
    if (state.polyWorksPath.empty()) return std::nullopt;
    if (!folder.empty() && !SameFolder(folder, state.kindFolders[kKindPrefab])) return std::nullopt;
    kind = kKindPrefab;
  } else if (!folder.empty()) {
    if (SameFolder(folder, state.kindFolders[kKindMap])) {
      kind = kKindMap;
    } else if (!state.polyWorksPath.empty() &&
               SameFolder(folder, state.kindFolders[kKindUncompiledMap])) {
      kind = kKindUncompiledMap;
    } else {
      return std::nullopt;
    }
  }
  const std::u16string_view name = FileName(argument);
  // A name that could lead out of its folder is outside the expected folders too.
  if (name.size() > kCommandLineNameLimit || !IsPlainFileName(name)) return std::nullopt;
  return FileArgument{kind, std::u16string(name), state.kindFolders[kind]};
}

void AddToPackListFromCommandLine(AppState& state, const FileArgument& file) {
  if (state.packTree == nullptr) return;
  if (state.packRoot == ui::kNoItem) ClearPackList(state);
  const int image = kMapImage + *file.kind;
  state.packTree->insertLast(state.packRoot, {file.name, image, image});
  state.packTree->sortChildren(state.packRoot);
  ++state.packCount;
}

struct Options {
  bool intoSourceFolder = false;  // "-h"
  bool unattended = false;        // "-i"
};

void ApplyOption(AppState& state, ui::Controls& controls, std::u16string_view argument,
                 Options& options, const std::function<void()>& loadCommentTemplate) {
  if (argument == u"-h") {
    options.intoSourceFolder = true;
    return;
  }
  if (argument == u"-i") {
    options.unattended = true;
    return;
  }
  if (argument.size() == 3 && argument[0] == u'-') {
    const char16_t d = argument[2];
    const bool digit = d >= u'0' && d <= u'9';
    switch (argument[1]) {
      case u'a':
        controls.setChecked(Slot::rarRadio, d == u'0');
        controls.setChecked(Slot::zipRadio, d == u'1');
        return;
      case u'c':
        controls.setChecked(Slot::addCommentCheck, d == u'1');
        if (loadCommentTemplate) loadCommentTemplate();
        return;
      case u'd':
        state.skipDefaultMaps = state.skipDefaultSceneries = state.skipDefaultTextures = d == u'0';
        return;
      case u'e':
        state.explore = d == u'1';
        return;
      case u'k':
        state.lockArchive = d == u'1';
        return;
      case u'l':
        state.skipMapslist = d == u'0';
        return;
      case u'm': {
        const int level = digit ? d - u'0' : 0;
        controls.setComboSelection(Slot::compressionCombo,
                                   level > kMaxCompression ? kMaxCompression : level);
        return;
      }
      case u'r':
        controls.setComboSelection(Slot::recoveryCombo, digit       ? d - u'0'
                                                        : d == u'a' ? kWholeRecovery
                                                                    : 0);
        return;
      case u's':
        controls.setChecked(Slot::solidCheck, d != u'0');
        return;
      case u't':
        state.testArchive = d == u'1';
        return;
      default:
        break;
    }
  }
  if (argument.size() >= kLongCommentOptionMin && StartsWith(argument, u"-c")) {
    controls.setText(Slot::commentFileEdit, argument.substr(2));
    controls.setChecked(Slot::useFileCheck, true);
    controls.setChecked(Slot::addCommentCheck, true);
    return;
  }
  // Anything else names the archive.
  controls.setText(Slot::archiveNameEdit, argument);
}

// The archive's file name moved into the folder of the file given, cut so that the whole
// path stays within a path buffer.
void MoveArchiveIntoSourceFolder(ui::Controls& controls, std::u16string_view sourceFolder) {
  const std::u16string current = controls.text(Slot::archiveNameEdit);
  std::u16string_view name = FileName(current);
  const std::size_t room = sourceFolder.size() < kMaxPath ? kMaxPath - sourceFolder.size() : 0;
  if (name.size() > room) name = name.substr(0, room);
  std::u16string path(sourceFolder);
  path += name;
  controls.setText(Slot::archiveNameEdit, path);
}

}  // namespace

CommandLineOutcome ParseCommandLine(AppState& state, ui::Controls& controls,
                                    const std::vector<std::u16string>& arguments,
                                    const std::function<void()>& loadCommentTemplate) {
  CommandLineOutcome outcome;
  if (arguments.size() < 2) return outcome;
  const std::u16string& first = arguments[1];
  const auto extension = AfterLastChar(first, u'.');
  if (!extension || extension->empty()) return outcome;

  std::optional<FileArgument> file;
  if (platform::CompareNoCase(*extension, u"txt") == 0) {
    FileArgument mapslist;
    mapslist.name = FolderPart(first).empty() ? state.soldatFolder + first : first;
    if (!LoadMapslist(state, controls, mapslist.name)) {
      outcome.result = CommandLineOutcome::Result::kMapslistNotLoaded;
      return outcome;
    }
    mapslist.sourceFolder = FolderPart(mapslist.name);
    file = std::move(mapslist);
  } else if (platform::CompareNoCase(*extension, u"PMS") == 0 ||
             platform::CompareNoCase(*extension, u"PFB") == 0) {
    file = MapOrPrefab(state, first, platform::CompareNoCase(*extension, u"PFB") == 0);
    if (file) AddToPackListFromCommandLine(state, *file);
  }
  if (!file) {
    controls.showMessage(ui::MessageKind::kWarning, UiString(state, uitext::kNoValidFiles));
    outcome.result = CommandLineOutcome::Result::kUnusableFile;
    return outcome;
  }

  if (arguments.size() < 3) return outcome;
  state.commandLineMode = true;
  Options options;
  for (std::size_t i = arguments.size() - 1; i >= 2; --i) {
    ApplyOption(state, controls, arguments[i], options, loadCommentTemplate);
  }
  if (options.intoSourceFolder) MoveArchiveIntoSourceFolder(controls, file->sourceFolder);
  outcome.unattended = options.unattended;
  return outcome;
}
