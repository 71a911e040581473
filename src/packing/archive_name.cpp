#include "packing/archive_name.h"

#include <algorithm>

#include "core/text_helpers.h"
#include "core/ui_text_ids.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace {

using ui::Slot;

constexpr std::size_t kExtensionLength = 4;  // ".rar", ".zip"
constexpr std::size_t kMaxEntryChars = 64;
constexpr std::u16string_view kMapPackName = u"mappack";
// The room a text needs before "mappack" is appended to it rather than put in its place.
constexpr std::size_t kMapPackRoom = 12;
constexpr int kBrowseArchiveTitle = 83;

bool HasBackslash(std::u16string_view text) {
  return text.find(u'\\') != std::u16string_view::npos;
}

// The name stem of the pack list's one entry: lower case, without its extension.
std::u16string EntryStem(std::u16string_view entry) {
  std::u16string stem = platform::LowerCase(entry.substr(0, kMaxEntryChars));
  stem.resize(stem.size() > kExtensionLength ? stem.size() - kExtensionLength : 0);
  return stem;
}

void AppendDefaultName(std::u16string& text, const ArchiveNameContext& context) {
  const std::size_t used = text.empty() ? context.defaultFolder.size() : text.size();
  const std::size_t room = used < kMaxArchivePath ? kMaxArchivePath - used : 0;
  if (context.packCount == 1) {
    const std::u16string stem = EntryStem(context.firstEntry);
    if (stem.size() > room) text.clear();
    text += stem;
  } else if (context.packCount >= 2) {
    if (room < kMapPackRoom) text.clear();
    text += kMapPackName;
  }
}

// Cuts a three-letter extension; a dot whose neighbours are backslashes belongs to a folder.
void DropExtension(std::u16string& text) {
  const std::size_t n = text.size();
  if (text[n - 4] == u'.' && text[n - 5] != u'\\' && text[n - 3] != u'\\' && text[n - 2] != u'\\') {
    text.resize(n - 4);
  }
}

}  // namespace

std::optional<std::u16string> NormalizedArchiveName(std::u16string_view boxText,
                                                    const ArchiveNameContext& context) {
  std::u16string text(boxText.substr(0, kMaxArchiveNameText));
  bool wantsDefault = false;
  if (text.empty()) {
    if (context.packCount == 0) return std::nullopt;
    wantsDefault = true;
  } else {
    const std::u16string_view folder = FolderPart(text);
    if (!folder.empty() && !platform::Exists(folder)) text.erase(0, folder.size());
    // Four characters or fewer are kept as they stand, a drive root such as D:\ too.
    if (text.empty()) {
      wantsDefault = true;
    } else if (text.size() > kExtensionLength) {
      if (text.back() == u'\\') {
        wantsDefault = true;
      } else {
        DropExtension(text);
      }
    }
  }
  if (wantsDefault) AppendDefaultName(text, context);

  // The extension must fit in the path; the name gives way, never the folder it names.
  const std::size_t folderLength = HasBackslash(text) ? 0 : context.defaultFolder.size();
  const std::size_t budget = kMaxArchivePath - std::min(kMaxArchivePath, folderLength);
  if (budget < text.size() + kExtensionLength + 1) {
    const std::size_t keep = budget > kExtensionLength + 1 ? budget - kExtensionLength - 1 : 0;
    text.resize(std::max(keep, FolderPart(text).size()));
  }
  text += context.rar ? u".rar" : u".zip";
  return text;
}

void NormalizeArchiveName(AppState& state) {
  ui::Controls& controls = *state.controls;
  const bool rar = controls.checked(Slot::rarRadio);
  controls.setEnabled(Slot::recoveryLabel, rar);
  controls.setEnabled(Slot::recoveryCombo, rar);
  controls.setEnabled(Slot::solidCheck, rar);

  std::u16string firstEntry;
  if (state.packTree != nullptr && state.packRoot != ui::kNoItem) {
    const ui::TreeItem first = state.packTree->child(state.packRoot);
    if (first != ui::kNoItem) firstEntry = state.packTree->text(first, kMaxEntryChars);
  }
  const ArchiveNameContext context{rar, state.packCount, firstEntry, state.defaultSaveFolder};
  const std::optional<std::u16string> name =
      NormalizedArchiveName(controls.text(Slot::archiveNameEdit), context);
  if (!name) return;
  controls.setText(Slot::archiveNameEdit, *name);
  controls.repaintNow(Slot::archiveNameEdit);
}

std::u16string ArchivePath(const AppState& state, std::u16string_view name) {
  if (HasBackslash(name)) return std::u16string(name);
  return state.defaultSaveFolder + std::u16string(name);
}

void BrowseArchiveName(AppState& state) {
  ui::Controls& controls = *state.controls;
  const std::u16string name = controls.text(Slot::archiveNameEdit).substr(0, kMaxArchiveNameText);
  const bool rar = controls.checked(Slot::rarRadio);
  ui::FileDialogRequest request;
  request.save = true;
  request.title = UiString(state, kBrowseArchiveTitle);
  request.filter = rar ? ui::FileDialogFilter{u"RAR archives", u"*.rar"}
                       : ui::FileDialogFilter{u"ZIP archives", u"*.zip"};
  request.defaultExtension = rar ? u"rar" : u"zip";
  const std::u16string_view folder = FolderPart(name);
  request.initialFolder = folder.empty() ? state.defaultSaveFolder : std::u16string(folder);
  if (const std::optional<std::u16string> chosen = controls.chooseFile(request)) {
    controls.setText(Slot::archiveNameEdit, *chosen);
  }
}
