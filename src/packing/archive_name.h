// The archive's name: what stands in the archive-name box, turned into a usable name with
// the extension of the chosen archive type. The box is the only store of the name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/app_state.h"

// Longest full path of an archive, extension included.
constexpr std::size_t kMaxArchivePath = 256;
// Longest text the archive-name box holds.
constexpr std::size_t kMaxArchiveNameText = 260;

struct ArchiveNameContext {
  bool rar = true;
  std::int32_t packCount = 0;
  std::u16string_view firstEntry;     // the pack list's first entry, a file name
  std::u16string_view defaultFolder;  // for archives, with a trailing backslash
};

// The normalized form of the box's text: a missing folder dropped, a default name proposed
// from the pack list where the text names none, the last three-letter extension replaced by
// ".rar" or ".zip", and the whole kept within kMaxArchivePath. Nothing when the box is empty
// and so is the pack list: the box then stays empty.
std::optional<std::u16string> NormalizedArchiveName(std::u16string_view boxText,
                                                    const ArchiveNameContext& context);

// Enables the RAR-only options for the chosen type and rewrites the archive-name box with
// its normalized form, repainted at once.
void NormalizeArchiveName(AppState& state);

// Where the archive goes: a name with a backslash is a full path, a plain name lands in the
// default folder for archives.
std::u16string ArchivePath(const AppState& state, std::u16string_view name);

// The browse button: a save dialog starting in the name's folder (or the default folder for
// archives); the chosen path replaces the box's text as it is.
void BrowseArchiveName(AppState& state);
