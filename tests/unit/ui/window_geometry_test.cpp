#include "ui/window_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using ui::Box;
using ui::Placement;
using ui::Point;
using ui::Rect;
using ui::Slot;

int Width(const Rect& r) {
  return r.right - r.left;
}
int Height(const Rect& r) {
  return r.bottom - r.top;
}

TEST(FrameGeometry, GrowsTheOuterSizeByWhatTheClientAreaLacks) {
  // Frames of 8 pixels a side and a 31-pixel caption: the usual metrics.
  const ui::FrameGeometry usual = ui::ComputeFrameGeometry(605, 555, 23);
  EXPECT_EQ(usual.frameBorder, 8);
  EXPECT_EQ(usual.fixedWindowWidth, 621);
  EXPECT_EQ(usual.minWindowHeight, 594 + 535 + 23 - 555);

  // Thicker frames and a taller status bar.
  const ui::FrameGeometry thick = ui::ComputeFrameGeometry(599, 540, 25);
  EXPECT_EQ(thick.frameBorder, 11);
  EXPECT_EQ(thick.fixedWindowWidth, 627);
  EXPECT_EQ(thick.minWindowHeight, 1152 - 540 + 25 - 23);

  // Odd differences halve toward zero, also when the client area is wider than wanted.
  EXPECT_EQ(ui::ComputeFrameGeometry(600, 555, 23).frameBorder, 10);
  EXPECT_EQ(ui::ComputeFrameGeometry(610, 555, 23).frameBorder, 6);
  EXPECT_EQ(ui::ComputeFrameGeometry(610, 555, 23).fixedWindowWidth, 616);
}

TEST(ControlBoxes, PagesShareTheirTopRowAndBottomButtons) {
  // The search rows of Main and Content line up, and Pack and Apply sit on one place.
  EXPECT_EQ(ui::InitialControlBox(Slot::mainSearchEdit),
            ui::InitialControlBox(Slot::contentSearchEdit));
  EXPECT_EQ(ui::InitialControlBox(Slot::packButton), ui::InitialControlBox(Slot::applyButton));
  EXPECT_EQ(ui::InitialControlBox(Slot::packButton), (Box{508, 508, 92, 23}));
  // The preview box lies at the bottom of the details panel, inside its edge.
  const Box details = ui::InitialControlBox(Slot::detailsEdit);
  const Box preview = ui::InitialControlBox(Slot::previewBox);
  EXPECT_EQ(preview.x, details.x);
  EXPECT_EQ(preview.width, details.width);
  EXPECT_EQ(preview.y + preview.height, details.y + details.height - 1);
  // Every control lies inside the client area above the status bar (combo boxes count
  // with their drop-down lists, which may reach lower).
  for (int i = 0; i < ui::kSlotCount; ++i) {
    const Slot slot = static_cast<Slot>(i);
    const Box b = ui::InitialControlBox(slot);
    EXPECT_GE(b.x, 0) << i;
    EXPECT_LE(b.x + b.width, ui::kClientWidth) << i;
    if (slot != Slot::compressionCombo && slot != Slot::recoveryCombo) {
      EXPECT_LE(b.y + b.height, ui::kMinPageHeight) << i;
    }
  }
}

const Placement* Find(const std::vector<Placement>& list, int target) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [&](const Placement& p) { return p.target == target; });
  return it == list.end() ? nullptr : &*it;
}
int SlotNumber(Slot s) {
  return static_cast<int>(s);
}

TEST(Layout, AtTheMinimumHeightEveryControlKeepsItsCreatedPlace) {
  for (const Placement& p : ui::LayoutPlacements(0, false)) {
    if (p.target == Placement::kTabControl) {
      EXPECT_FALSE(p.move);
      EXPECT_EQ(p.a, 607);
      EXPECT_EQ(p.b, 537);
    } else if (p.target == Placement::kStatusBar) {
      EXPECT_TRUE(p.move);
      EXPECT_EQ(p.b, 535);
    } else {
      const Box b = ui::InitialControlBox(static_cast<Slot>(p.target));
      EXPECT_EQ(p.a, p.move ? b.x : b.width) << p.target;
      EXPECT_EQ(p.b, p.move ? b.y : b.height) << p.target;
    }
  }
}

TEST(Layout, ExtraHeightGoesToTreesAndTextsAndPushesBottomRowsDown) {
  const int dy = 120;
  const auto list = ui::LayoutPlacements(dy, false);
  const std::set<int> stretched = {Placement::kTabControl,        SlotNumber(Slot::catalogueTree),
                                   SlotNumber(Slot::packTree),    SlotNumber(Slot::contentTree),
                                   SlotNumber(Slot::detailsEdit), SlotNumber(Slot::commentEdit)};
  const std::set<int> moved = {Placement::kStatusBar,
                               SlotNumber(Slot::previewBox),
                               SlotNumber(Slot::removeButton),
                               SlotNumber(Slot::browseArchiveButton),
                               SlotNumber(Slot::archiveNameEdit),
                               SlotNumber(Slot::rarRadio),
                               SlotNumber(Slot::zipRadio),
                               SlotNumber(Slot::packButton),
                               SlotNumber(Slot::compressionLabel),
                               SlotNumber(Slot::compressionCombo),
                               SlotNumber(Slot::recoveryLabel),
                               SlotNumber(Slot::recoveryCombo),
                               SlotNumber(Slot::solidCheck),
                               SlotNumber(Slot::applyButton)};
  std::set<int> seenStretched;
  std::set<int> seenMoved;
  for (const Placement& p : list) (p.move ? seenMoved : seenStretched).insert(p.target);
  EXPECT_EQ(seenStretched, stretched);
  EXPECT_EQ(seenMoved, moved);
  EXPECT_EQ(list.size(), stretched.size() + moved.size());

  for (const Placement& p : list) {
    if (p.target < 0) continue;
    const Box b = ui::InitialControlBox(static_cast<Slot>(p.target));
    if (p.move) {
      EXPECT_EQ(p.a, b.x) << p.target;  // only downwards
      EXPECT_EQ(p.b, b.y + dy) << p.target;
    } else {
      EXPECT_EQ(p.a, b.width) << p.target;  // only taller
      EXPECT_EQ(p.b, b.height + dy) << p.target;
    }
  }
  EXPECT_EQ(Find(list, Placement::kStatusBar)->b, 535 + dy);
  EXPECT_EQ(Find(list, Placement::kTabControl)->b, 537 + dy);
}

TEST(Layout, APreviewShortensTheDetailsByItsRoom) {
  const auto plain = ui::LayoutPlacements(40, false);
  const auto previewing = ui::LayoutPlacements(40, true);
  const Placement* without = Find(plain, SlotNumber(Slot::detailsEdit));
  const Placement* with = Find(previewing, SlotNumber(Slot::detailsEdit));
  ASSERT_TRUE(without && with);
  EXPECT_EQ(without->b, 478 + 40);
  EXPECT_EQ(with->b, 164 + 40);
  EXPECT_EQ(with->a, 308);
  // The preview box itself is not affected by whether it is shown.
  EXPECT_EQ(Find(previewing, SlotNumber(Slot::previewBox))->b, 222 + 40);
}

TEST(Layout, ExtraHeightComesFromTheOuterRectangle) {
  EXPECT_EQ(ui::ExtraHeight({100, 50, 721, 650}, 597), 3);
  EXPECT_EQ(ui::ExtraHeight({0, 0, 621, 597}, 597), 0);
}

// A work area of 1280 x 994 at (0, 0), frame border 8, a window of 621 x 600.
class Moving : public ::testing::Test {
 protected:
  Rect Move(int left, int top) {
    const Rect start{300, 200, 300 + 621, 200 + 600};
    return ui::MovingRect(start, Point{500, 210}, Point{500 + left - 300, 210 + top - 200}, work,
                          8);
  }
  Rect work{0, 0, 1280, 994};
};

TEST_F(Moving, FollowsTheCursorKeepingTheSize) {
  const Rect r = Move(400, 300);
  EXPECT_EQ(r.left, 400);
  EXPECT_EQ(r.top, 300);
  EXPECT_EQ(Width(r), 621);
  EXPECT_EQ(Height(r), 600);
}

TEST_F(Moving, RightEdgeSnapsWithinItsStrictRange) {
  const int snapped = 1280 - 621 + 8 - 4;  // right edge at work.right + b - 4
  // Right edge strictly between work.right + b - 16 and work.right + b + 24.
  EXPECT_EQ(Move(1272 - 621, 300).left, 1272 - 621);  // right = 1272: not in reach
  EXPECT_EQ(Move(1273 - 621, 300).left, snapped);
  EXPECT_EQ(Move(1311 - 621, 300).left, snapped);
  EXPECT_EQ(Move(1312 - 621, 300).left, 1312 - 621);
}

TEST_F(Moving, LeftEdgeSnapsAndWinsOverTheRight) {
  EXPECT_EQ(Move(-32, 300).left, -32);  // work.left - b - 24: not in reach
  EXPECT_EQ(Move(-31, 300).left, -4);   // snapped to work.left - b + 4
  EXPECT_EQ(Move(7, 300).left, -4);
  EXPECT_EQ(Move(8, 300).left, 8);
  // A work area narrower than the window: the right edge snaps the window into reach of
  // the left one, which then wins.
  work = {0, 0, 620, 994};
  EXPECT_EQ(Move(20, 300).left, -4);
}

TEST_F(Moving, BottomAndTopEdgesSnap) {
  const int bottomSnapped = 994 - 600 + 8;         // bottom edge at work.bottom + b
  EXPECT_EQ(Move(400, 982 - 600).top, 982 - 600);  // bottom 982: work.bottom + b - 20
  EXPECT_EQ(Move(400, 983 - 600).top, bottomSnapped);
  EXPECT_EQ(Move(400, 1021 - 600).top, bottomSnapped);
  EXPECT_EQ(Move(400, 1022 - 600).top, 1022 - 600);
  EXPECT_EQ(Move(400, -22).top, -22);
  EXPECT_EQ(Move(400, -21).top, -2);
  EXPECT_EQ(Move(400, 17).top, -2);
  EXPECT_EQ(Move(400, 18).top, 18);
  // The work area need not start at the screen's corner (a task bar on the left or top).
  work = {60, 40, 1280, 994};
  EXPECT_EQ(Move(60 - 8, 40 + 5).left, 60 - 8 + 4);
  EXPECT_EQ(Move(300, 40 + 5).top, 38);
}

class Sizing : public ::testing::Test {
 protected:
  Rect Size(Rect proposed) { return ui::SizingRect(proposed, start, work, 8, 597); }
  Rect start{300, 200, 921, 900};
  Rect work{0, 0, 1280, 994};
};

TEST_F(Sizing, WidthAndHorizontalPlaceNeverChange) {
  const Rect r = Size({250, 200, 1000, 950});  // a corner drag to the lower right
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.right, 921);
  EXPECT_EQ(r.bottom, 950);
  EXPECT_EQ(Size({320, 200, 900, 900}).right, 921);  // a side drag: nothing changes
  EXPECT_EQ(Size({320, 200, 900, 900}).bottom, 900);
}

TEST_F(Sizing, DraggedEdgeStopsAtTheMinimumHeight) {
  Rect r = Size({300, 500, 921, 900});  // top dragged down too far
  EXPECT_EQ(r.top, 900 - 597);
  EXPECT_EQ(r.bottom, 900);
  r = Size({300, 200, 921, 500});  // bottom dragged up too far
  EXPECT_EQ(r.top, 200);
  EXPECT_EQ(r.bottom, 200 + 597);
}

TEST_F(Sizing, TopAndBottomSnapToTheWorkAreaAndCannotPassIt) {
  EXPECT_EQ(Size({300, 17, 921, 900}).top, -2);
  EXPECT_EQ(Size({300, -50, 921, 900}).top, -2);
  EXPECT_EQ(Size({300, 18, 921, 900}).top, 18);
  EXPECT_EQ(Size({300, 200, 921, 982}).bottom, 982);
  EXPECT_EQ(Size({300, 200, 921, 983}).bottom, 1002);
  EXPECT_EQ(Size({300, 200, 921, 1100}).bottom, 1002);
  // While the top edge moves, the bottom is left as proposed.
  EXPECT_EQ(Size({300, 100, 921, 1100}).bottom, 1100);
}

}  // namespace
