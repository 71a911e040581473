#include "ui/preview_geometry.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using ui::Box;
using ui::PreviewDestination;

TEST(PreviewDestination, FittedImagesKeepTheirShape) {
  auto wide = PreviewDestination(616, 308, true);
  EXPECT_EQ(wide.destination, (Box{0, 77, 308, 154}));
  EXPECT_TRUE(wide.smooth);  // shrunk

  auto small = PreviewDestination(100, 50, true);
  EXPECT_EQ(small.destination, (Box{0, 77, 308, 154}));
  EXPECT_FALSE(small.smooth);  // enlarged: hard pixel edges

  auto tall = PreviewDestination(100, 300, true);
  EXPECT_EQ(tall.destination, (Box{103, 0, 102, 308}));  // 308 / 3 truncated
  EXPECT_FALSE(tall.smooth);

  auto square = PreviewDestination(300, 300, true);
  EXPECT_EQ(square.destination, (Box{0, 0, 308, 308}));
  EXPECT_FALSE(square.smooth);
  EXPECT_TRUE(PreviewDestination(512, 512, true).smooth);
}

TEST(PreviewDestination, UnfittedImagesAreCentredOnTheSamePoint) {
  EXPECT_EQ(PreviewDestination(100, 200, false).destination, (Box{106, 56, 100, 200}));
  EXPECT_EQ(PreviewDestination(300, 300, false).destination, (Box{6, 6, 300, 300}));
  // Larger than the box: cut off on both sides, never scaled.
  const auto big = PreviewDestination(1024, 513, false);
  EXPECT_EQ(big.destination, (Box{-356, -100, 1024, 513}));
  EXPECT_FALSE(big.smooth);
}

TEST(PreviewDestination, NoImageDrawsNothing) {
  for (bool fit : {true, false}) {
    const auto d = PreviewDestination(0, 0, fit);
    EXPECT_FALSE(d.smooth);
  }
  EXPECT_EQ(PreviewDestination(0, 0, true).destination, (Box{0, 0, 308, 308}));
}

TEST(PreviewChecker, LightAndDarkAlternateInsideADarkFrame) {
  // Paint the board as the box would and look at single pixels.
  std::array<std::array<bool, ui::kPreviewSize>, ui::kPreviewSize> light{};
  const auto squares = ui::PreviewCheckerSquares();
  EXPECT_EQ(squares.size(), 34u * 17u);
  for (const Box& s : squares) {
    ASSERT_GE(s.x, 1);
    ASSERT_GE(s.y, 1);
    ASSERT_LE(s.x + s.width, 307);
    ASSERT_LE(s.y + s.height, 307);
    for (int y = s.y; y < s.y + s.height; ++y) {
      for (int x = s.x; x < s.x + s.width; ++x) {
        ASSERT_FALSE(light[y][x]) << "squares overlap at " << x << "," << y;
        light[y][x] = true;
      }
    }
  }
  for (int i = 0; i < ui::kPreviewSize; ++i) {
    EXPECT_FALSE(light[0][i]);  // top row and left column stay dark
    EXPECT_FALSE(light[i][0]);
  }
  // Cell (col, row) of the 9-pixel grid starting at 1 is light when col + row is odd.
  for (int row = 0; row < 34; ++row) {
    for (int col = 0; col < 34; ++col) {
      EXPECT_EQ(light[1 + row * 9 + 4][1 + col * 9 + 4], (col + row) % 2 == 1) << col << "," << row;
    }
  }
}

}  // namespace
