#include "packing/winrar_runner.h"

#include <string>

#include "platform/platform.h"
#include "ui/controls.h"

namespace {
constexpr int kMostDots = 3;
}

RunOutcome RunWinRar(AppState& state, std::u16string_view commandLine,
                     std::u16string_view progressText) {
  int dots = 0;
  std::u16string shown;
  const std::function<void()> tick = [&] {
    shown.assign(progressText);
    shown.append(static_cast<std::size_t>(dots), u'.');
    if (state.controls != nullptr) state.controls->setStatusText(shown);
    dots = dots == kMostDots ? 0 : dots + 1;
  };
  const std::optional<std::uint32_t> exitCode =
      state.runProcess ? state.runProcess(commandLine, tick)
                       : platform::RunProcess(commandLine, kProgressTickMilliseconds, tick);
  if (!exitCode) return {};
  return {true, *exitCode};
}
