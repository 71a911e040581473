#include "ui/preview_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ui::Box;

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
