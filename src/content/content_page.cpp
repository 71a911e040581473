#include "content/content_page.h"

#include <string>

#include "catalogue/search.h"
#include "content/archive_content.h"
#include "core/string_list.h"
#include "maps/file_details.h"
#include "maps/map_report.h"
#include "platform/platform.h"
#include "ui/open_group.h"
#include "ui/controls.h"

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kBlockEnd = u"\r\n\r\n";
constexpr std::size_t kExtensionLength = 4;  // ".PMS"

bool HasChildren(const ui::Tree& tree, ui::TreeItem item) {
  return tree.child(item) != ui::kNoItem;
}

// The top item and the groups stand for the whole content, whatever they hold.
bool IsContainer(const AppState& state, const ui::Tree& tree, ui::TreeItem item) {
  return item == state.contentTop || ContentGroupKind(state, item) >= 0 || HasChildren(tree, item);
}

// A file that the details could not find is a problem from now on; the group marks and the
// tab icon must say so too, or the pack sequence would count on it.
void MarkMissing(AppState& state, ui::Tree& tree, ui::TreeItem item) {
  if (tree.overlay(item) == kMarkProblem) return;
  tree.setOverlay(item, kMarkProblem);
  RefreshContentMarks(state);
}

std::size_t EndOfBlock(std::u16string_view report, std::size_t from) {
  const std::size_t end = report.find(kBlockEnd, from);
  return end == std::u16string_view::npos ? report.size() : end;
}

bool StartsBlock(std::u16string_view report, std::size_t at) {
  return at == 0 || (at >= kBlockEnd.size() &&
                     report.substr(at - kBlockEnd.size(), kBlockEnd.size()) == kBlockEnd);
}

// The name lines of the report blocks that hold `line` as one of their lines. A map may
// name an image in another letter case than the one the content kept, so case is ignored.
void AddAffectedMaps(std::u16string_view report, std::u16string_view line, StringList& lines) {
  std::u16string folded = platform::LowerCase(report);
  std::u16string needle = platform::LowerCase(line) + std::u16string(kLineEnd);
  if (folded.size() != report.size()) {
    folded = std::u16string(report);
    needle = std::u16string(line) + std::u16string(kLineEnd);
  }
  std::size_t from = 0;
  while (from < folded.size()) {
    const std::size_t at = folded.find(needle, from);
    if (at == std::u16string::npos) break;
    if (at > 0 && folded[at - 1] != u'\n') {  // inside another line
      from = at + 1;
      continue;
    }
    const std::size_t previousEnd = report.rfind(kBlockEnd, at);
    const std::size_t start =
        previousEnd == std::u16string_view::npos ? 0 : previousEnd + kBlockEnd.size();
    const std::size_t nameEnd = report.find(u'\r', start);
    lines.add(report.substr(start, nameEnd == std::u16string_view::npos ? report.size() - start
                                                                        : nameEnd - start),
              0);
    from = EndOfBlock(report, at) + kBlockEnd.size();
  }
}

// The block of the report that an entry's name line opens, without its closing empty line.
std::optional<std::u16string_view> ReportBlockOf(std::u16string_view report,
                                                 std::u16string_view nameLine) {
  const std::u16string opening = std::u16string(nameLine) + std::u16string(kLineEnd);
  for (std::size_t at = report.find(opening); at != std::u16string_view::npos;
       at = report.find(opening, at + 1)) {
    // A name is only found as a block's first line: "ash.PMS" must not find "bash.PMS".
    if (StartsBlock(report, at)) return report.substr(at, EndOfBlock(report, at) - at);
  }
  return std::nullopt;
}

void IncludedMapNames(const AppState& state, const ui::Tree& tree, StringList& lines) {
  const ui::TreeItem maps = state.contentGroups[kKindMap];
  if (maps == ui::kNoItem) return;
  for (ui::TreeItem c = tree.child(maps); c != ui::kNoItem; c = tree.nextSibling(c)) {
    if (tree.overlay(c) != kMarkIncluded) continue;
    const std::u16string name = tree.text(c);
    lines.add(std::u16string_view(name).substr(
                  0, name.size() > kExtensionLength ? name.size() - kExtensionLength : 0),
              0);
  }
}

void ImageDetails(AppState& state, ui::Tree& tree, ui::TreeItem item, std::u16string_view name,
                  int kind, StringList& lines) {
  if (tree.overlay(item) != kMarkProblem) {
    if (FileDetails(state, lines, name, kind)) {
      // The details found the file, so the name is safe to join to its folder.
      state.previewPath = PathInKindFolder(state, kind, name).value_or(std::u16string());
    } else {
      MarkMissing(state, tree, item);
    }
    return;
  }
  const std::u16string missingLine =
      std::u16string(UiString(state, uitext::kSceneryNotFound + kind - kKindScenery)) +
      std::u16string(name);
  lines.add(missingLine, 0);
  lines.add(u"", 0);
  lines.add(UiString(state, uitext::kAffectedMaps), 0);
  if (state.contentReport) AddAffectedMaps(*state.contentReport, missingLine, lines);
}

void EntryDetails(AppState& state, ui::Tree& tree, ui::TreeItem item, std::u16string_view name,
                  int kind, StringList& lines) {
  bool problem = tree.overlay(item) == kMarkProblem;
  if (!problem) {
    if (!FileDetails(state, lines, name, kind)) {
      MarkMissing(state, tree, item);
      problem = true;
    }
    lines.add(u"", 0);
  }
  if (state.contentReport) {
    std::u16string nameLine(name);
    if (kind == kKindUncompiledMap) nameLine += u" U";
    if (const auto block = ReportBlockOf(*state.contentReport, nameLine)) {
      lines.add(*block, 0);
      lines.add(u"", 0);
    }
  }
  if (problem) return;
  if (kind == kKindPrefab) {
    AppendPrefabStatistics(state, lines, name);
  } else {
    AppendMapStatistics(state, lines, name, kind == kKindMap);
  }
}

void ShowDetailsText(AppState& state, StringList& lines) {
  lines.buildIndex();
  state.detailsText = lines.join();
  if (state.controls != nullptr) {
    state.controls->setText(ui::Slot::detailsEdit, state.detailsText);
    state.controls->setEnabled(ui::Slot::showLogButton, state.contentReport.has_value());
  }
  if (state.layoutControls) state.layoutControls(state);
  if (state.showPreview) state.showPreview(state);
}

}  // namespace

void WireArchiveContent(AppState& state) {
  state.rebuildArchiveContent = BuildArchiveContent;
}

void ToggleContentInclusion(AppState& state, ui::TreeItem item) {
  if (state.contentTree == nullptr || item == ui::kNoItem || item == state.contentTop) return;
  ui::Tree& tree = *state.contentTree;
  const auto toggle = [&tree](ui::TreeItem file) {
    const int mark = tree.overlay(file);
    if (mark == kMarkIncluded) tree.setOverlay(file, kMarkExcluded);
    if (mark == kMarkExcluded) tree.setOverlay(file, kMarkIncluded);
  };
  if (HasChildren(tree, item)) {
    for (ui::TreeItem c = tree.child(item); c != ui::kNoItem; c = tree.nextSibling(c)) toggle(c);
  } else {
    toggle(item);
  }
  RefreshContentMarks(state);
}

void ShowContentDetails(AppState& state, ui::TreeItem item) {
  if (state.contentTree == nullptr || item == ui::kNoItem) return;
  ui::Tree& tree = *state.contentTree;
  state.previewPath.clear();
  if (IsContainer(state, tree, item)) {
    if (state.showLog) state.showLog(state);
    return;
  }

  StringList lines;
  const std::u16string name = tree.text(item);
  if (item == state.mapslistItem) {
    IncludedMapNames(state, tree, lines);
  } else {
    const int kind = ContentItemKind(state, item);
    if (kind < 0) return;  // not an item of this content
    if (kind >= kKindScenery) {
      ImageDetails(state, tree, item, name, kind, lines);
    } else {
      EntryDetails(state, tree, item, name, kind, lines);
    }
  }
  ShowDetailsText(state, lines);
}

std::optional<std::u16string_view> ContentInfoTip(AppState& state, ui::TreeItem item) {
  if (state.contentTree == nullptr || item == ui::kNoItem || item == state.mapslistItem) {
    return std::nullopt;
  }
  ui::Tree& tree = *state.contentTree;
  if (IsContainer(state, tree, item)) return std::nullopt;
  const int kind = ContentItemKind(state, item);
  if (kind < 0) return std::nullopt;
  StringList lines;
  if (!FileDetails(state, lines, tree.text(item), kind)) MarkMissing(state, tree, item);
  lines.buildIndex();
  state.detailsText = lines.join();
  return std::u16string_view(state.detailsText);
}

void SearchContent(AppState& state) {
  if (state.contentTree == nullptr || state.contentTop == ui::kNoItem) return;
  SearchTree(state, ui::Slot::contentSearchEdit, *state.contentTree, state.contentTop,
             state.contentSearchPos);
}

bool ContentMayCollapse(const AppState& state, ui::TreeItem item) {
  return item != state.contentTop;
}

void ContentItemExpanded(AppState& state, ui::TreeItem item, bool expanded) {
  if (state.contentTree == nullptr || item == ui::kNoItem || item == state.contentTop) return;
  ui::FollowOpenGroup(*state.contentTree, item, expanded, state.contentGroups);
}
