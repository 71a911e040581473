// The command line: the program started on a map, a prefab or a mapslist, with options that
// hold for this run only; "-i" packs without showing the window, for scripts and file
// associations.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "ui/controls.h"

constexpr int kUnusableFileExitCode = 11;
constexpr int kMapslistNotLoadedExitCode = 12;

// Longest map or prefab name taken from the command line, extension included.
constexpr std::size_t kCommandLineNameLimit = 50;

struct CommandLineOutcome {
  enum class Result {
    kGoOn,               // start-up goes on
    kUnusableFile,       // the user was told; end with kUnusableFileExitCode
    kMapslistNotLoaded,  // the user was told; end with kMapslistNotLoadedExitCode
  };
  Result result = Result::kGoOn;
  bool unattended = false;  // "-i": pack at once without showing the window, then end

  // The process exit code to end with, 0 while start-up goes on.
  int exitCode() const {
    return result == Result::kUnusableFile        ? kUnusableFileExitCode
           : result == Result::kMapslistNotLoaded ? kMapslistNotLoadedExitCode
                                                  : 0;
  }
};

// Applies the process arguments (0 the program, 1 the file, then the options) to the pack
// list, the Main and Comment page controls and the settings in AppState. A first argument
// without an extension makes the whole line ignored. Options set commandLineMode, so that
// they are never saved as settings; they are taken from the last to the third argument,
// matched case-sensitively, so of repeated ones the leftmost wins. "-c" with a digit runs
// loadCommentTemplate (when set) at its place in that order.
CommandLineOutcome ParseCommandLine(AppState& state, ui::Controls& controls,
                                    const std::vector<std::u16string>& arguments,
                                    const std::function<void()>& loadCommentTemplate);
