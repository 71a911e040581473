// What the portable operations need from the window's controls. The shell implements it
// over the real controls; tests use a fake that records what was shown.
#pragma once

#include <string_view>

namespace ui {

class Controls {
 public:
  virtual ~Controls() = default;

  // One line in the status bar, repainted at once: long work blocks the message loop.
  virtual void setStatusText(std::u16string_view text) = 0;
};

}  // namespace ui
