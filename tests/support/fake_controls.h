// Records what the portable operations show, in place of the window.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace testsupport {

class FakeControls : public ui::Controls {
 public:
  void setStatusText(std::u16string_view text) override { statusTexts.emplace_back(text); }

  std::vector<std::u16string> statusTexts;
};

}  // namespace testsupport
