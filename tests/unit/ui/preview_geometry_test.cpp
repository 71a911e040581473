#include "ui/preview_geometry.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using ui::Box;

// Fitted images keep their shape and are smoothed only when shrunk; unfitted ones are
// centred on one point and cut off, never scaled; no image (0 x 0) draws nothing.
TEST(PreviewDestination, FitsOrCentresTheImage) {
  const struct {
    int width, height;
    bool fit;
    Box destination;
    bool smooth;
  } rows[] = {{616, 308, true, {0, 77, 308, 154}, true},
              {100, 50, true, {0, 77, 308, 154}, false},
              {100, 300, true, {103, 0, 102, 308}, false},  // 308 / 3 truncated
              {300, 300, true, {0, 0, 308, 308}, false},
              {512, 512, true, {0, 0, 308, 308}, true},
              {0, 0, true, {0, 0, 308, 308}, false},
              {100, 200, false, {106, 56, 100, 200}, false},
              {300, 300, false, {6, 6, 300, 300}, false},
              {1024, 513, false, {-356, -100, 1024, 513}, false},
              {0, 0, false, {156, 156, 0, 0}, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " fit " << row.fit);
    const ui::PreviewDrawing d = ui::PreviewDestination(row.width, row.height, row.fit);
    EXPECT_EQ(d.destination, row.destination);
    EXPECT_EQ(d.smooth, row.smooth);
  }
}

TEST(PreviewChecker, LightAndDarkAlternateInsideADarkFrame) {
  std::array<std::array<bool, ui::kPreviewSize>, ui::kPreviewSize> light{};
  const auto squares = ui::PreviewCheckerSquares();
  EXPECT_EQ(squares.size(), 34u * 17u);
  for (const Box& s : squares) {
    ASSERT_TRUE(s.x >= 1 && s.y >= 1 && s.x + s.width <= 307 && s.y + s.height <= 307) << s;
    for (int y = s.y; y < s.y + s.height; ++y) {
      for (int x = s.x; x < s.x + s.width; ++x) {
        ASSERT_FALSE(light[y][x]) << "squares overlap at " << x << "," << y;
        light[y][x] = true;
      }
    }
  }
  // Cell (col, row) of the 9-pixel grid from (1, 1) is light when col + row is odd.
  for (int row = 0; row < 34; ++row) {
    for (int col = 0; col < 34; ++col) {
      EXPECT_EQ(light[1 + row * 9 + 4][1 + col * 9 + 4], (col + row) % 2 == 1) << col << "," << row;
    }
  }
}

}  // namespace
