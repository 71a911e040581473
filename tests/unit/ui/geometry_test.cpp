#include "ui/window_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "ui/preview_geometry.h"

namespace {

using ui::Box;
using ui::Placement;
using ui::Rect;
using ui::Slot;

std::array<int, 4> Sides(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// Odd differences halve toward zero, also when the client area is wider than wanted.
TEST(FrameGeometry, GrowsTheOuterSizeByWhatTheClientAreaLacks) {
  // Client width and height, status bar height; frame border, window width, minimum height.
  const std::array<int, 6> rows[] = {
      {599, 540, 25, 11, 627, 614}, {600, 555, 23, 10, 626, 597}, {610, 555, 23, 6, 616, 597}};
  for (const auto& [width, height, statusBar, border, windowWidth, minHeight] : rows) {
    const ui::FrameGeometry g = ui::ComputeFrameGeometry(width, height, statusBar);
    EXPECT_EQ((std::array{g.frameBorder, g.fixedWindowWidth, g.minWindowHeight}),
              (std::array{border, windowWidth, minHeight}))
        << width;
  }
}

// Sizes (width, height) and moves (x, y) at dy = 0; the second number grows by dy.
TEST(Layout, ExtraHeightStretchesTreesAndTextsAndMovesTheBottomRowsDown) {
  using enum Slot;
  const auto n = [](Slot s) { return static_cast<int>(s); };
  constexpr bool kSize = false, kMove = true;
  const std::map<int, std::tuple<bool, int, int>> expected = {
      {Placement::kTabControl, {kSize, 607, 537}},
      {Placement::kStatusBar, {kMove, 0, 535}},
      {n(catalogueTree), {kSize, 282, 425}},
      {n(packTree), {kSize, 282, 425}},
      {n(contentTree), {kSize, 282, 478}},
      {n(detailsEdit), {kSize, 308, 478}},
      {n(previewBox), {kMove, 292, 222}},
      {n(commentEdit), {kSize, 595, 478}},
      {n(removeButton), {kMove, 291, 267}},
      {n(browseArchiveButton), {kMove, 508, 482}},
      {n(archiveNameEdit), {kMove, 101, 484}},
      {n(rarRadio), {kMove, 14, 483}},
      {n(zipRadio), {kMove, 59, 483}},
      {n(packButton), {kMove, 508, 508}},
      {n(compressionLabel), {kMove, 14, 513}},
      {n(compressionCombo), {kMove, 101, 509}},
      {n(recoveryLabel), {kMove, 177, 513}},
      {n(recoveryCombo), {kMove, 318, 509}},
      {n(solidCheck), {kMove, 386, 509}},
      {n(applyButton), {kMove, 508, 508}},
  };
  for (const bool preview : {false, true}) {
    std::map<int, std::tuple<bool, int, int>> placed;
    for (const Placement& p : ui::LayoutPlacements(120, preview))
      placed[p.target] = {p.move, p.a, p.b - 120};
    auto want = expected;
    if (preview) std::get<2>(want[n(detailsEdit)]) = 164;  // room for the preview below
    EXPECT_EQ(placed, want) << "preview " << preview;
  }
}

// A window of 621 x 600 dragged from (300, 200), frame border 8: each edge snaps to the
// work area's from just outside each boundary pair; in a narrow work area the left edge wins.
TEST(Moving, FollowsTheCursorKeepingTheSizeAndSnapsToTheWorkArea) {
  const Rect full{0, 0, 1280, 994}, narrow{0, 0, 620, 994}, offset{60, 40, 1280, 994};
  const auto move = [](const Rect& work, int left, int top) {
    return ui::MovingRect({300, 200, 921, 800}, {500, 210}, {left + 200, top + 10}, work, 8);
  };
  const struct {
    Rect work;
    int from, to;
  } across[] = {{full, 651, 651}, {full, 652, 663}, {full, 690, 663}, {full, 691, 691},
                {full, -32, -32}, {full, -31, -4},  {full, 7, -4},    {full, 8, 8},
                {narrow, 20, -4}, {offset, 52, 56}},
    down[] = {{full, 382, 382}, {full, 383, 402}, {full, 421, 402},
              {full, 422, 422}, {full, -22, -22}, {full, -21, -2},
              {full, 17, -2},   {full, 18, 18},   {offset, 45, 38}};
  for (const auto& row : across)
    EXPECT_EQ(Sides(move(row.work, row.from, 300)), (std::array{row.to, 300, row.to + 621, 900}))
        << row.from;
  for (const auto& row : down)
    EXPECT_EQ(Sides(move(row.work, 400, row.from)), (std::array{400, row.to, 1021, row.to + 600}))
        << row.from;
}

TEST(Sizing, OnlyTheHeightChangesNeverBelowTheMinimumSnappingToTheWorkArea) {
  const struct {
    Rect proposed, want;
  } rows[] = {
      {{250, 200, 1000, 950}, {300, 200, 921, 950}}, {{320, 200, 900, 900}, {300, 200, 921, 900}},
      {{300, 500, 921, 900}, {300, 303, 921, 900}},  {{300, 200, 921, 500}, {300, 200, 921, 797}},
      {{300, 17, 921, 900}, {300, -2, 921, 900}},    {{300, -50, 921, 900}, {300, -2, 921, 900}},
      {{300, 18, 921, 900}, {300, 18, 921, 900}},    {{300, 200, 921, 982}, {300, 200, 921, 982}},
      {{300, 200, 921, 983}, {300, 200, 921, 1002}}, {{300, 200, 921, 1100}, {300, 200, 921, 1002}},
      {{300, 100, 921, 1100}, {300, 100, 921, 1100}}};
  for (const auto& row : rows) {
    const Rect r = ui::SizingRect(row.proposed, {300, 200, 921, 900}, {0, 0, 1280, 994}, 8, 597);
    EXPECT_EQ(Sides(r), Sides(row.want)) << row.proposed.top << ", " << row.proposed.bottom;
  }
}

// Fitted images keep their shape, smoothed only when shrunk; others are centred, never scaled.
TEST(PreviewDestination, FitsOrCentresTheImage) {
  const struct {
    int width, height;
    bool fit;
    Box destination;
    bool smooth;
  } rows[] = {{616, 308, true, {0, 77, 308, 154}, true},
              {100, 50, true, {0, 77, 308, 154}, false},
              {100, 300, true, {103, 0, 102, 308}, false},  // 308 / 3 truncated
              {512, 512, true, {0, 0, 308, 308}, true},
              {0, 0, true, {0, 0, 308, 308}, false},
              {100, 200, false, {106, 56, 100, 200}, false},
              {1024, 513, false, {-356, -100, 1024, 513}, false},
              {0, 0, false, {156, 156, 0, 0}, false}};
  for (const auto& row : rows) {
    const ui::PreviewDrawing d = ui::PreviewDestination(row.width, row.height, row.fit);
    EXPECT_EQ(d.destination, row.destination) << row.width << "x" << row.height;
    EXPECT_EQ(d.smooth, row.smooth) << row.width << "x" << row.height;
  }
}

// 34 x 34 cells of nine pixels in a one-pixel frame; rows alternate, the first starts dark.
TEST(PreviewChecker, HalfTheCellsAreLightInsideTheDarkFrame) {
  const std::vector<Box> squares = ui::PreviewCheckerSquares();
  ASSERT_EQ(squares.size(), 34u * 17u);
  EXPECT_EQ(squares[0], (Box{10, 1, 9, 9}));
  EXPECT_EQ(squares[17], (Box{1, 10, 9, 9}));
  for (const Box& s : squares)
    EXPECT_TRUE(s.x >= 1 && s.y >= 1 && s.x + s.width <= 307 && s.y + s.height <= 307) << s;
}

}  // namespace
