// The preview box: a grey checkerboard with the image over it, read from disk on every
// paint; nothing is cached.
#include <windows.h>
#include <gdiplus.h>

#include "app/main_window.h"
#include "platform/win32/wide.h"
#include "ui/preview_geometry.h"

namespace app {

void PaintPreview(MainWindow& main, HDC dc) {
  Gdiplus::Graphics graphics(dc);
  Gdiplus::SolidBrush dark{Gdiplus::Color(ui::kPreviewDark)};
  Gdiplus::SolidBrush light{Gdiplus::Color(ui::kPreviewLight)};
  graphics.FillRectangle(&dark, 0, 0, ui::kPreviewSize, ui::kPreviewSize);
  for (const ui::Box& square : ui::PreviewCheckerSquares()) {
    graphics.FillRectangle(&light, square.x, square.y, square.width, square.height);
  }

  const std::wstring path = platform::detail::Wide(main.state.previewPath);
  Gdiplus::Image image(path.c_str());
  int width = 0;
  int height = 0;
  if (image.GetLastStatus() == Gdiplus::Ok) {
    width = static_cast<int>(image.GetWidth());
    height = static_cast<int>(image.GetHeight());
  }
  const bool fit = main.controls.checked(ui::Slot::fitImageCheck);
  const ui::PreviewDrawing drawing = ui::PreviewDestination(width, height, fit);
  if (width == 0 || height == 0) return;  // nothing but the checkerboard
  graphics.SetInterpolationMode(drawing.smooth ? Gdiplus::InterpolationModeBicubic
                                               : Gdiplus::InterpolationModeNearestNeighbor);
  const Gdiplus::Rect destination(drawing.destination.x, drawing.destination.y,
                                  drawing.destination.width, drawing.destination.height);
  graphics.DrawImage(&image, destination, 0, 0, width, height, Gdiplus::UnitPixel);
}

}  // namespace app
