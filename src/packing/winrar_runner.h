// Runs one WinRAR command line to its end while the status bar counts dots behind the
// step's progress text, so that the user sees work going on in a window that does not
// respond meanwhile.
#pragma once

#include <cstdint>
#include <string_view>

#include "state/app_state.h"

// Half a second between two texts of the dot row.
constexpr int kProgressTickMilliseconds = 500;

struct RunOutcome {
  bool started = false;
  std::uint32_t exitCode = 0;
  // WinRAR's exit code 1 is a warning; 2 and above mean the command failed.
  bool succeeded() const { return started && exitCode < 2; }
};

// Starts the command line through state.runProcess (the platform's when unset) and waits
// for its end. While it runs, the status bar shows the progress text with 0, 1, 2, 3, 0, ...
// dots, one more each half second; a run that ends within the first half second leaves it
// unchanged. Returns at once when the process cannot be started.
RunOutcome RunWinRar(AppState& state, std::u16string_view commandLine,
                     std::u16string_view progressText);
