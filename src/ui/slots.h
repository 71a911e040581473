// The 65 page controls of the main window, in slot order. Each page owns one contiguous
// range of slots, so a page is shown or hidden by walking its range.
#pragma once

namespace ui {

enum class Slot : int {
  mainSearchEdit = 0,
  mainSearchButton = 1,
  catalogueTree = 2,
  addButton = 3,
  loadMapslistButton = 4,
  saveMapslistButton = 5,
  packTree = 6,
  removeButton = 7,
  refreshCatalogueButton = 8,
  clearButton = 9,
  archiveNameEdit = 10,
  browseArchiveButton = 11,
  rarRadio = 12,
  zipRadio = 13,
  compressionLabel = 14,
  compressionCombo = 15,
  recoveryLabel = 16,
  recoveryCombo = 17,
  solidCheck = 18,
  packButton = 19,
  contentSearchEdit = 20,
  contentSearchButton = 21,
  contentTree = 22,
  showLogButton = 23,
  detailsEdit = 24,
  fitImageCheck = 25,
  previewBox = 26,
  refreshContentButton = 27,
  addCommentCheck = 28,
  loadTemplateButton = 29,
  useFileCheck = 30,
  browseCommentFileButton = 31,
  commentFileEdit = 32,
  commentEdit = 33,
  soldatPathLabel = 34,
  soldatPathEdit = 35,
  browseSoldatButton = 36,
  polyWorksPathLabel = 37,
  polyWorksPathEdit = 38,
  browsePolyWorksButton = 39,
  winRarPathLabel = 40,
  winRarPathEdit = 41,
  browseWinRarButton = 42,
  tempFolderLabel = 43,
  tempFolderEdit = 44,
  defaultFolderLabel = 45,
  defaultFolderEdit = 46,
  browseDefaultFolderButton = 47,
  templatePathLabel = 48,
  templatePathEdit = 49,
  browseTemplateButton = 50,
  autoloadTemplateCheck = 51,
  defaultFilesGroup = 52,
  skipAllCheck = 53,
  skipMapsCheck = 54,
  skipSceneriesCheck = 55,
  skipTexturesCheck = 56,
  skipMapslistCheck = 57,
  afterCreationGroup = 58,
  testArchiveCheck = 59,
  lockArchiveCheck = 60,
  exploreCheck = 61,
  languageLabel = 62,
  languageCombo = 63,
  applyButton = 64,
};

constexpr int kSlotCount = 65;

// The most characters an edit takes (0: the control's own limit). The settings file's
// values for an edit are cut to the same length.
constexpr int TextLimit(Slot slot) {
  switch (slot) {
    case Slot::mainSearchEdit:
    case Slot::contentSearchEdit:
      return 50;
    case Slot::soldatPathEdit:
    case Slot::polyWorksPathEdit:
      return 195;
    case Slot::defaultFolderEdit:
      return 210;
    case Slot::archiveNameEdit:
    case Slot::commentFileEdit:
    case Slot::winRarPathEdit:
    case Slot::templatePathEdit:
      return 260;
    default:
      return 0;
  }
}

struct SlotRange {
  int first;
  int last;  // inclusive
};
constexpr SlotRange kMainPageSlots{0, 19};
constexpr SlotRange kContentPageSlots{20, 27};
constexpr SlotRange kCommentPageSlots{28, 33};
constexpr SlotRange kSettingsPageSlots{34, 64};

}  // namespace ui
