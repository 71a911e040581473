#include "packing/archive_comment.h"

#include <optional>
#include <vector>

#include "core/string_list.h"
#include "core/text_helpers.h"
#include "core/ui_text_ids.h"
#include "maps/file_details.h"
#include "maps/map_report.h"
#include "packing/included_files.h"
#include "ui/controls.h"

namespace {

using ui::Slot;

constexpr int kCommentFileTitle = 84;
constexpr std::size_t kMaxPathText = 260;
constexpr std::u16string_view kSignature = u"Packed with ZEK v3.0.7";
constexpr std::u16string_view kPrefabDescription = u"prefab";
constexpr std::u16string_view kMapPackDescription = u"mappack";

std::u16string TwoDigits(int value) {
  std::u16string text = DecimalText(value);
  return text.size() < 2 ? u"0" + text : text;
}

std::u16string DateText(const platform::LocalTime& date) {
  return TwoDigits(date.day) + u"." + TwoDigits(date.month) + u"." + DecimalText(date.year);
}

// The text of a details line behind its label.
std::u16string Behind(std::u16string_view line, std::u16string_view label) {
  return std::u16string(StartsWith(line, label) ? line.substr(label.size()) : line);
}

struct CommentValues {
  std::u16string date;
  std::optional<std::u16string> description;
  std::optional<std::u16string> statistics;
  std::optional<std::u16string> list;
};

// One map or prefab: its statistics, and its own date and description from its details.
void DescribeOneFile(const AppState& state, std::u16string_view name, int kind,
                     CommentValues& values) {
  StringList lines;
  if (kind == kKindPrefab) {
    AppendPrefabStatistics(state, lines, name);
  } else {
    AppendMapStatistics(state, lines, name, kind == kKindMap);
  }
  lines.buildIndex();
  values.statistics = lines.join();
  values.list = std::u16string(name);
  if (kind == kKindPrefab) values.description = std::u16string(kPrefabDescription);

  if (!FileDetails(state, lines, name, kind)) return;  // gone since the build: today's date
  const std::u16string_view modified = UiString(state, uitext::kModified);
  if (kind == kKindPrefab) {
    if (lines.count() > 1) values.date = Behind(lines.textAt(1), modified);
  } else {
    if (lines.count() > 1)
      values.description = Behind(lines.textAt(1), UiString(state, uitext::kDescription));
    if (lines.count() > 2) values.date = Behind(lines.textAt(2), modified);
  }
  lines.clear();
}

}  // namespace

void UpdateCommentTabIcon(AppState& state) {
  ui::Controls& controls = *state.controls;
  bool willAdd = false;
  if (controls.checked(Slot::addCommentCheck)) {
    if (controls.checked(Slot::useFileCheck)) {
      const std::u16string file = controls.text(Slot::commentFileEdit).substr(0, kMaxPathText);
      willAdd = !file.empty() && platform::Exists(file);
    } else {
      willAdd = !controls.text(Slot::commentEdit).empty();
    }
  }
  controls.setTabImage(kCommentTab, willAdd ? kCommentTabWillAdd : kCommentTabNone);
}

void UpdateCommentControls(AppState& state) {
  ui::Controls& controls = *state.controls;
  const bool add = controls.checked(Slot::addCommentCheck);
  controls.setEnabled(Slot::useFileCheck, add);
  const bool useFile = controls.checked(Slot::useFileCheck);
  controls.setEnabled(Slot::browseCommentFileButton, add && useFile);
  controls.setEnabled(Slot::commentFileEdit, add && useFile);
  controls.setEnabled(Slot::loadTemplateButton, add && !useFile && !state.templatePath.empty());
  controls.setEnabled(Slot::commentEdit, add && !useFile);
  UpdateCommentTabIcon(state);
}

void CommentFileChoiceChanged(AppState& state) {
  ui::Controls& controls = *state.controls;
  const bool useFile = controls.checked(Slot::useFileCheck);
  controls.setEnabled(Slot::browseCommentFileButton, useFile);
  controls.setEnabled(Slot::commentFileEdit, useFile);
  controls.setEnabled(Slot::commentEdit, !useFile);
  controls.setEnabled(Slot::loadTemplateButton, !useFile && !state.templatePath.empty());
  UpdateCommentTabIcon(state);
}

bool LoadCommentTemplate(AppState& state) {
  ui::Controls& controls = *state.controls;
  const std::optional<std::vector<std::uint8_t>> bytes =
      platform::ReadWholeFile(state.templatePath);
  if (!bytes) {
    controls.showMessage(ui::MessageKind::kWarning,
                         state.templatePath + u"\r\n" +
                             std::u16string(UiString(state, uitext::kCommentTemplateFailed)));
    return false;
  }
  // The text ends at a zero byte, as a C string would.
  std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  text = text.substr(0, text.find('\0'));
  controls.setText(Slot::commentEdit, platform::AnsiToUtf16(text));
  controls.setStatusText(UiString(state, uitext::kCommentTemplateLoaded));
  return true;
}

void BrowseCommentFile(AppState& state) {
  ui::Controls& controls = *state.controls;
  const std::u16string current = controls.text(Slot::commentFileEdit).substr(0, kMaxPathText);
  ui::FileDialogRequest request;
  request.title = UiString(state, kCommentFileTitle);
  request.filter = {u"Text files", u"*.txt"};
  request.defaultExtension = u"txt";
  const std::u16string_view folder = FolderPart(current);
  request.initialFolder = folder.empty() ? state.programFolder : std::u16string(folder);
  if (const std::optional<std::u16string> chosen = controls.chooseFile(request)) {
    controls.setText(Slot::commentFileEdit, *chosen);
  }
}

std::u16string ComposeArchiveComment(const AppState& state, const platform::LocalTime& today) {
  struct Entry {
    std::u16string name;
    int kind;
  };
  std::vector<Entry> entries;
  int counts[kKindPrefab + 1] = {};
  for (int kind = kKindMap; kind <= kKindPrefab; ++kind) {
    for (std::u16string& name : IncludedFiles(state, kind)) {
      entries.push_back({std::move(name), kind});
      ++counts[kind];
    }
  }

  CommentValues values;
  values.date = DateText(today);
  if (entries.size() == 1) {
    DescribeOneFile(state, entries.front().name, entries.front().kind, values);
  } else if (entries.size() >= 2) {
    values.description = std::u16string(kMapPackDescription);
    std::u16string statistics;
    for (int kind = kKindMap; kind <= kKindPrefab; ++kind) {
      if (counts[kind] == 0) continue;
      // "Maps ( " becomes "Maps - ".
      std::u16string label(UiString(state, uitext::kFirstContentGroupTitle + kind));
      if (label.size() >= 2) label[label.size() - 2] = u'-';
      statistics += label + DecimalText(counts[kind]) + u"\r\n";
    }
    values.statistics = statistics;
    std::u16string list;
    for (const Entry& entry : entries) list += entry.name + u"\r\n";
    values.list = list;
  }

  std::u16string comment = state.controls->text(Slot::commentEdit);
  ReplacePlaceholder(comment, u"%mdate%", values.date);
  ReplacePlaceholder(comment, u"%descr%", values.description);
  ReplacePlaceholder(comment, u"%stats%", values.statistics);
  ReplacePlaceholder(comment, u"%mlist%", values.list);
  ReplacePlaceholder(comment, u"%zeksg%", kSignature);
  return comment;
}

bool WriteCommentFile(std::u16string_view path, std::u16string_view comment) {
  const std::string ansi = platform::Utf16ToAnsi(comment);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(ansi.data());
  return platform::WriteNewFile(path, {bytes, ansi.size()});
}
