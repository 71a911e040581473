#include "ui/preview_geometry.h"

namespace ui {

namespace {

constexpr int kSquare = 9;
constexpr int kCentring = 312;  // images are centred 2 pixels right of and below the middle

}  // namespace

std::vector<Box> PreviewCheckerSquares() {
  std::vector<Box> squares;
  bool shifted = true;  // the first row starts with a dark square
  for (int y = 1; y < kPreviewSize - 1; y += kSquare) {
    for (int x = shifted ? 1 + kSquare : 1; x < kPreviewSize - 1; x += 2 * kSquare) {
      squares.push_back({x, y, kSquare, kSquare});
    }
    shifted = !shifted;
  }
  return squares;
}

PreviewDrawing PreviewDestination(int imageWidth, int imageHeight, bool fitToBox) {
  PreviewDrawing d;
  if (fitToBox) {
    d.destination = {0, 0, kPreviewSize, kPreviewSize};
    if (imageWidth > 0 && imageHeight > 0) {
      const float ratio = static_cast<float>(imageWidth) / static_cast<float>(imageHeight);
      if (ratio > 1.0f) {
        const int height = static_cast<int>(static_cast<float>(kPreviewSize) / ratio);
        d.destination = {0, (kPreviewSize - height) / 2, kPreviewSize, height};
      } else if (ratio < 1.0f) {
        const int width = static_cast<int>(ratio * static_cast<float>(kPreviewSize));
        d.destination = {(kPreviewSize - width) / 2, 0, width, kPreviewSize};
      }
    }
  } else {
    d.destination = {(kCentring - imageWidth) / 2, (kCentring - imageHeight) / 2, imageWidth,
                     imageHeight};
  }
  d.smooth = d.destination.width < imageWidth;
  return d;
}

}  // namespace ui
