#include "packing/pack_archive.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "content/archive_content.h"
#include "core/string_list.h"
#include "core/text_helpers.h"
#include "packing/archive_comment.h"
#include "packing/archive_name.h"
#include "packing/included_files.h"
#include "packing/packing_texts.h"
#include "platform/scoped_file.h"
#include "packing/winrar_runner.h"
#include "platform/platform.h"
#include "ui/controls.h"
#include "core/ui_text_ids.h"

namespace {

using ui::Slot;

constexpr int kMaxCompression = 5;
constexpr int kMaxRecoveryPercent = 10;
constexpr std::size_t kMaxPathText = 260;
constexpr std::size_t kExtensionLength = 4;

// Where each group lands inside the archive, by kind.
constexpr std::array<std::u16string_view, kKindCount> kPathsInside = {
    u"maps\\",     u"Soldat PolyWorks\\Maps\\", u"Soldat PolyWorks\\Prefabs\\", u"scenery-gfx\\",
    u"textures\\", u"textures\\edges\\"};

std::u16string Quoted(std::u16string_view text) {
  std::u16string quoted;
  quoted.reserve(text.size() + 2);
  quoted += u'"';
  quoted += text;
  quoted += u'"';
  return quoted;
}

// Tells the user why the sequence stopped and that a part-made archive stays.
void ReportStop(AppState& state, std::u16string_view what, std::u16string_view archive) {
  state.controls->showMessage(ui::MessageKind::kWarning,
                              std::u16string(what) + u"\r\n" +
                                  std::u16string(packing_text::kPackingStopped) + u"\r\n" +
                                  std::u16string(archive));
}

std::u16string StepName(std::u16string_view progressText) {
  if (StartsWith(progressText, packing_text::kProgressHead))
    progressText.remove_prefix(packing_text::kProgressHead.size());
  return std::u16string(progressText);
}

// One WinRAR run of the sequence; false, after telling the user, when it failed.
bool RunStep(AppState& state, std::u16string_view commandLine, int progressIndex,
             std::u16string_view archive) {
  const std::u16string_view progress = UiString(state, progressIndex);
  const RunOutcome outcome = RunWinRar(state, commandLine, progress);
  if (outcome.succeeded()) return true;
  std::u16string what = StepName(progress);
  if (outcome.started) {
    what += packing_text::kStepFailedWithCode;
    what += DecimalText(outcome.exitCode);
    what += u'.';
  } else {
    what += packing_text::kStepNotStarted;
  }
  ReportStop(state, what, archive);
  return false;
}

// Saves a list (emptying it) as a temporary file; false, after telling the user, when the
// file could not be written whole.
bool SaveTempList(AppState& state, StringList& list, const std::u16string& path,
                  std::u16string_view archive) {
  if (list.saveToFile(path)) return true;
  ReportStop(state, path + u"\r\n" + std::u16string(packing_text::kTempFileNotWritten), archive);
  return false;
}

bool IsIncluded(const AppState& state, ui::TreeItem item) {
  return item != ui::kNoItem && state.contentTree != nullptr &&
         state.contentTree->overlay(item) == kMarkIncluded;
}

// The steps that write files into the archive and its extras, in their fixed order.
class PackRun {
 public:
  PackRun(AppState& state, std::u16string archive)
      : state_(state),
        archive_(std::move(archive)),
        listFile_(state.tempFolder + u"zek.lst"),
        mapslistFile_(state.tempFolder + u"mapslist.txt"),
        commentFile_(state.tempFolder + u"comment.txt") {}

  bool run() {
    const PackOptions options = ReadPackOptions(state_);
    // Whatever happens below, no temporary file outlives the sequence.
    const platform::ScopedFile listGuard(listFile_);
    const platform::ScopedFile mapslistGuard(mapslistFile_);
    const AddCommand add = BuildAddCommand(state_.winRarPath, options, archive_, listFile_);

    for (int kind = 0; kind < kKindCount; ++kind) {
      for (const std::u16string& name : IncludedFiles(state_, kind)) {
        list_.add(state_.kindFolders[static_cast<std::size_t>(kind)] + name, 0);
      }
      if (list_.empty()) continue;
      if (!SaveTempList(state_, list_, listFile_, archive_)) return false;
      if (!RunStep(state_, add.with(kPathsInside[static_cast<std::size_t>(kind)]),
                   uitext::kFirstGroupProgress + kind, archive_)) {
        return false;
      }
    }
    if (!packMapslist(add)) return false;
    if (!addComment()) return false;

    const std::u16string& winRar = state_.winRarPath;
    if (options.rar && options.recoveryPercent > 0 &&
        !RunStep(state_, BuildRecoveryCommand(winRar, options.recoveryPercent, archive_),
                 uitext::kRecoveryProgress, archive_)) {
      return false;
    }
    if (state_.testArchive &&
        !RunStep(state_, BuildTestCommand(winRar, archive_), uitext::kTestProgress, archive_)) {
      return false;
    }
    // WinRAR locks only RAR archives.
    if (options.rar && state_.lockArchive &&
        !RunStep(state_, BuildLockCommand(winRar, archive_), uitext::kLockProgress, archive_)) {
      return false;
    }
    return true;
  }

 private:
  // The game's list of maps to play, one name without extension a line, at the archive's root.
  bool packMapslist(const AddCommand& add) {
    if (!IsIncluded(state_, state_.mapslistItem)) return true;
    for (const std::u16string& name : IncludedFiles(state_, kKindMap)) {
      list_.add(std::u16string_view(name).substr(
                    0, name.size() - std::min(name.size(), kExtensionLength)),
                0);
    }
    if (!SaveTempList(state_, list_, mapslistFile_, archive_)) return false;
    list_.add(mapslistFile_, 0);
    if (!SaveTempList(state_, list_, listFile_, archive_)) return false;
    return RunStep(state_, add.with(u""), uitext::kMapslistProgress, archive_);
  }

  bool addComment() {
    ui::Controls& controls = *state_.controls;
    if (controls.tabImage(kCommentTab) != kCommentTabWillAdd) return true;
    platform::ScopedFile generated;
    std::u16string commentFile;
    if (controls.checked(Slot::useFileCheck)) {
      // The user's own file stays where it is.
      commentFile = controls.text(Slot::commentFileEdit).substr(0, kMaxPathText);
    } else {
      commentFile = commentFile_;
      generated.reset(commentFile_);
      if (!WriteCommentFile(commentFile_,
                            ComposeArchiveComment(state_, platform::CurrentLocalTime()))) {
        ReportStop(state_,
                   commentFile_ + u"\r\n" + std::u16string(packing_text::kTempFileNotWritten),
                   archive_);
        return false;
      }
    }
    return RunStep(state_, BuildCommentCommand(state_.winRarPath, commentFile, archive_),
                   uitext::kCommentProgress, archive_);
  }

  AppState& state_;
  const std::u16string archive_;
  const std::u16string listFile_;
  const std::u16string mapslistFile_;
  const std::u16string commentFile_;
  StringList list_;
};

bool AnyFileIncluded(const AppState& state) {
  for (int kind = 0; kind < kKindCount; ++kind) {
    if (!IncludedFiles(state, kind).empty()) return true;
  }
  return false;
}

}  // namespace

AddCommand BuildAddCommand(std::u16string_view winRar, const PackOptions& options,
                           std::u16string_view archive, std::u16string_view listFile) {
  AddCommand command;
  command.head = Quoted(winRar) + u" A -y -ibck -ed -ep -m" + DecimalText(options.compression);
  if (options.rar && options.solid) command.head += u" -s";
  command.head += AddCommand::kPathSwitch;
  command.tail = u"\" " + Quoted(archive) + u" @" + Quoted(listFile);
  return command;
}

std::u16string BuildCommentCommand(std::u16string_view winRar, std::u16string_view commentFile,
                                   std::u16string_view archive) {
  return Quoted(winRar) + u" C -ibck -y -z" + Quoted(commentFile) + u" " + Quoted(archive);
}

std::u16string BuildRecoveryCommand(std::u16string_view winRar, int percent,
                                    std::u16string_view archive) {
  return Quoted(winRar) + u" RR" + DecimalText(percent) + u"% -ibck -y " + Quoted(archive);
}

std::u16string BuildTestCommand(std::u16string_view winRar, std::u16string_view archive) {
  return Quoted(winRar) + u" T -ibck " + Quoted(archive);
}

std::u16string BuildLockCommand(std::u16string_view winRar, std::u16string_view archive) {
  return Quoted(winRar) + u" K -ibck -y " + Quoted(archive);
}

PackOptions ReadPackOptions(const AppState& state) {
  const ui::Controls& controls = *state.controls;
  PackOptions options;
  options.rar = controls.checked(Slot::rarRadio);
  options.compression =
      std::clamp(controls.comboSelection(Slot::compressionCombo), 0, kMaxCompression);
  options.solid = controls.checked(Slot::solidCheck);
  options.recoveryPercent =
      std::clamp(controls.comboSelection(Slot::recoveryCombo), 0, kMaxRecoveryPercent);
  return options;
}

bool PackArchive(AppState& state) {
  ui::Controls& controls = *state.controls;
  if (state.contentStale) BuildArchiveContent(state);
  if (controls.tabImage(kContentTab) == kContentTabNothingIncluded || !AnyFileIncluded(state)) {
    controls.showMessage(ui::MessageKind::kWarning, UiString(state, uitext::kNoValidFiles));
    return false;
  }
  if (state.contentReport && !controls.askYesNo(UiString(state, uitext::kProblemsContinue)))
    return false;

  NormalizeArchiveName(state);
  const std::u16string archive =
      ArchivePath(state, controls.text(Slot::archiveNameEdit).substr(0, kMaxPathText));
  if (platform::Exists(archive)) {
    if (!controls.askYesNo(UiString(state, uitext::kArchiveExists))) return false;
    // WinRAR would add into an old archive that is still there.
    if (!platform::DeleteFilePath(archive) || platform::Exists(archive)) {
      controls.showMessage(ui::MessageKind::kWarning,
                           archive + u"\r\n" + std::u16string(packing_text::kCannotDeleteArchive));
      return false;
    }
  }

  // A run that fails within its first half second never touches the status bar, which
  // must not go on showing an earlier pack's success.
  controls.setStatusText(u"");
  if (!PackRun(state, archive).run()) return false;

  const std::u16string_view folder = FolderPart(archive);
  if (state.explore) {
    const std::u16string where(folder);
    controls.shellOpen({u"Explore", where, u"", where, ui::ShowAs::kDefault});
  }
  controls.setStatusText(std::u16string(archive.substr(folder.size())) +
                         std::u16string(UiString(state, uitext::kCreatedSuccessfully)));
  controls.beep();
  controls.flashWindow();
  return true;
}
