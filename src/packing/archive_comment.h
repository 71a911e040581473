// The archive comment: the Comment page's controls and tab icon, the template loaded into
// the comment box, and the comment composed from it when an archive is packed.
#pragma once

#include <string>
#include <string_view>

#include "state/app_state.h"
#include "platform/platform.h"

// The Comment tab's image says whether the pack sequence adds a comment; it reads it back.
constexpr int kCommentTab = 2;
constexpr int kCommentTabWillAdd = 14;
constexpr int kCommentTabNone = 15;

// Enables the Comment page's controls for "Add comment" and "Use this file:", then the tab
// icon follows.
void UpdateCommentControls(AppState& state);

// "Use this file:" switched: the file's controls or the comment box and the template
// button, then the tab icon.
void CommentFileChoiceChanged(AppState& state);

// Image 14 when a comment will be added: "Add comment" is checked and either "Use this
// file:" names an existing file or, without it, the comment box holds text. Image 15
// otherwise.
void UpdateCommentTabIcon(AppState& state);

// Reads the template file (always as ANSI text) into the comment box. False, with a message
// naming the file, when it cannot be read; the box is then unchanged.
bool LoadCommentTemplate(AppState& state);

// The browse button of "Use this file:": an open dialog for a text file; the chosen path
// goes into the file box.
void BrowseCommentFile(AppState& state);

// The comment box's template with its placeholders filled from the maps and prefabs marked
// to be packed: %mdate%, %descr%, %stats%, %mlist% and %zeksg%, the first of each.
std::u16string ComposeArchiveComment(const AppState& state, const platform::LocalTime& today);

// Writes the comment as ANSI text, one byte a character, no byte-order mark. False unless
// the whole text was written.
bool WriteCommentFile(std::u16string_view path, std::u16string_view comment);
