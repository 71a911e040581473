// What the preview box draws, as arithmetic: the checkerboard behind the image, where the
// image goes and how it is scaled. The shell paints it with the image library.
#pragma once

#include <vector>

#include "ui/window_geometry.h"

namespace ui {

constexpr int kPreviewSize = 308;
// Opaque ARGB colours of the frame with the dark squares, and of the light squares.
constexpr unsigned kPreviewDark = 0xFF505050u;
constexpr unsigned kPreviewLight = 0xFFB4B4B4u;

// The light squares of the checkerboard; the box is filled dark first.
std::vector<Box> PreviewCheckerSquares();

struct PreviewDrawing {
  Box destination;
  bool smooth = false;  // bicubic when shrinking; enlarging keeps hard pixel edges
};

// Where an image of the given pixel size goes in the box: fitted into it keeping its shape,
// or in its own size around the point (156, 156), cut off by the box. A size of 0 x 0 (no
// image) gives a destination that draws nothing.
PreviewDrawing PreviewDestination(int imageWidth, int imageHeight, bool fitToBox);

}  // namespace ui
