#include "ui/window_geometry.h"

#include <array>

namespace ui {

namespace {

constexpr std::array<Box, kSlotCount> kInitialBoxes{{
    {101, 28, 161, 19},    // mainSearchEdit
    {262, 26, 25, 23},     // mainSearchButton
    {5, 53, 282, 425},     // catalogueTree
    {291, 53, 23, 211},    // addButton
    {318, 26, 92, 23},     // loadMapslistButton
    {413, 26, 92, 23},     // saveMapslistButton
    {318, 53, 282, 425},   // packTree
    {291, 267, 23, 211},   // removeButton
    {5, 26, 92, 23},       // refreshCatalogueButton
    {508, 26, 92, 23},     // clearButton
    {101, 484, 403, 19},   // archiveNameEdit
    {508, 482, 92, 23},    // browseArchiveButton
    {14, 483, 35, 21},     // rarRadio
    {59, 483, 35, 21},     // zipRadio
    {14, 513, 83, 14},     // compressionLabel
    {101, 509, 63, 123},   // compressionCombo (with its drop-down list)
    {177, 513, 170, 14},   // recoveryLabel
    {318, 509, 63, 203},   // recoveryCombo (with its drop-down list)
    {386, 509, 118, 21},   // solidCheck
    {508, 508, 92, 23},    // packButton
    {101, 28, 161, 19},    // contentSearchEdit
    {262, 26, 25, 23},     // contentSearchButton
    {5, 53, 282, 478},     // contentTree
    {508, 26, 92, 23},     // showLogButton
    {292, 53, 308, 478},   // detailsEdit
    {293, 27, 210, 21},    // fitImageCheck
    {292, 222, 308, 308},  // previewBox
    {5, 26, 92, 23},       // refreshContentButton
    {5, 27, 92, 21},       // addCommentCheck
    {101, 26, 92, 23},     // loadTemplateButton
    {198, 27, 92, 21},     // useFileCheck
    {508, 26, 92, 23},     // browseCommentFileButton
    {293, 28, 210, 19},    // commentFileEdit
    {5, 53, 595, 478},     // commentEdit
    {14, 31, 490, 14},     // soldatPathLabel
    {5, 47, 499, 19},      // soldatPathEdit
    {508, 45, 92, 23},     // browseSoldatButton
    {14, 74, 490, 14},     // polyWorksPathLabel
    {5, 90, 499, 19},      // polyWorksPathEdit
    {508, 88, 92, 23},     // browsePolyWorksButton
    {14, 117, 490, 14},    // winRarPathLabel
    {5, 133, 499, 19},     // winRarPathEdit
    {508, 131, 92, 23},    // browseWinRarButton
    {14, 160, 490, 14},    // tempFolderLabel
    {5, 176, 498, 19},     // tempFolderEdit
    {14, 203, 490, 14},    // defaultFolderLabel
    {5, 219, 499, 19},     // defaultFolderEdit
    {508, 217, 92, 23},    // browseDefaultFolderButton
    {14, 246, 490, 14},    // templatePathLabel
    {5, 262, 499, 19},     // templatePathEdit
    {508, 260, 92, 23},    // browseTemplateButton
    {14, 287, 489, 21},    // autoloadTemplateCheck
    {5, 312, 499, 46},     // defaultFilesGroup
    {14, 329, 105, 21},    // skipAllCheck
    {134, 329, 105, 21},   // skipMapsCheck
    {254, 329, 105, 21},   // skipSceneriesCheck
    {374, 329, 105, 21},   // skipTexturesCheck
    {14, 363, 489, 21},    // skipMapslistCheck
    {5, 388, 499, 46},     // afterCreationGroup
    {14, 405, 105, 21},    // testArchiveCheck
    {134, 405, 105, 21},   // lockArchiveCheck
    {254, 405, 215, 21},   // exploreCheck
    {14, 441, 489, 14},    // languageLabel
    {5, 457, 499, 21},     // languageCombo
    {508, 508, 92, 23},    // applyButton
}};

// The preview box takes the lower 314 pixels of the details panel.
constexpr int kPreviewRoom = 314;

constexpr int kTopSnapOffset = 2;  // the top edge rests 2 pixels above the work area

int Height(const Rect& r) {
  return r.bottom - r.top;
}
int Width(const Rect& r) {
  return r.right - r.left;
}

}  // namespace

FrameGeometry ComputeFrameGeometry(int clientWidth, int clientHeight, int statusBarHeight) {
  FrameGeometry g;
  // What the window lacks of the wanted client size, it gets by growing its outer size.
  g.frameBorder = (kClientWidth - clientWidth) / 2 + 8;
  g.fixedWindowWidth = kCreateWindowWidth + (kClientWidth - clientWidth);
  g.minWindowHeight = kCreateWindowHeight + (kMinPageHeight + statusBarHeight - clientHeight);
  return g;
}

Box InitialControlBox(Slot slot) {
  return kInitialBoxes.at(static_cast<std::size_t>(slot));
}

std::vector<Placement> LayoutPlacements(int dy, bool previewShown) {
  auto slot = [](Slot s) { return static_cast<int>(s); };
  auto moveTo = [&](Slot s) {
    const Box b = InitialControlBox(s);
    return Placement{slot(s), true, b.x, b.y + dy};
  };
  auto stretch = [&](Slot s, int lessHeight = 0) {
    const Box b = InitialControlBox(s);
    return Placement{slot(s), false, b.width, b.height + dy - lessHeight};
  };
  return {
      {Placement::kTabControl, false, kTabControlBox.width, kTabControlBox.height + dy},
      {Placement::kStatusBar, true, 0, kMinPageHeight + dy},
      stretch(Slot::catalogueTree),
      stretch(Slot::packTree),
      stretch(Slot::contentTree),
      stretch(Slot::detailsEdit, previewShown ? kPreviewRoom : 0),
      moveTo(Slot::previewBox),
      stretch(Slot::commentEdit),
      moveTo(Slot::removeButton),
      moveTo(Slot::browseArchiveButton),
      moveTo(Slot::archiveNameEdit),
      moveTo(Slot::rarRadio),
      moveTo(Slot::zipRadio),
      moveTo(Slot::packButton),
      moveTo(Slot::compressionLabel),
      moveTo(Slot::compressionCombo),
      moveTo(Slot::recoveryLabel),
      moveTo(Slot::recoveryCombo),
      moveTo(Slot::solidCheck),
      moveTo(Slot::applyButton),
  };
}

Rect MovingRect(const Rect& startRect, Point startCursor, Point cursor, const Rect& work,
                int frameBorder) {
  const int b = frameBorder;
  const int w = Width(startRect);
  const int h = Height(startRect);
  int left = startRect.left + (cursor.x - startCursor.x);
  int top = startRect.top + (cursor.y - startCursor.y);

  const int rightSnap = work.right - w + b - 4;
  if (left != rightSnap && work.right + b - 16 < left + w && left + w < work.right + b + 24) {
    left = rightSnap;
  }
  // Checked after the right edge: when both are in reach, the left edge wins.
  const int leftSnap = work.left - b + 4;
  if (left != leftSnap && work.left - b - 24 < left && left < work.left - b + 16) {
    left = leftSnap;
  }
  const int bottomSnap = work.bottom - h + b;
  if (top != bottomSnap && work.bottom + b - 20 < top + h && top + h < work.bottom + b + 20) {
    top = bottomSnap;
  }
  const int topSnap = work.top - kTopSnapOffset;
  if (top != topSnap && work.top - 22 < top && top < work.top + 18) top = topSnap;
  return {left, top, left + w, top + h};
}

Rect SizingRect(const Rect& proposed, const Rect& startRect, const Rect& work, int frameBorder,
                int minWindowHeight) {
  Rect r = proposed;
  r.left = startRect.left;
  r.right = startRect.right;
  if (r.top != startRect.top) {
    if (r.bottom - r.top < minWindowHeight) r.top = r.bottom - minWindowHeight;
    const int topSnap = work.top - kTopSnapOffset;
    if (r.top != topSnap && r.top < work.top + 18) r.top = topSnap;
  } else if (r.bottom != startRect.bottom) {
    if (r.bottom - r.top < minWindowHeight) r.bottom = r.top + minWindowHeight;
    const int bottomSnap = work.bottom + frameBorder;
    if (r.bottom != bottomSnap && r.bottom > bottomSnap - 20) r.bottom = bottomSnap;
  }
  return r;
}

}  // namespace ui
