// WinRAR's exit codes, the only result the program reads from a run.
#pragma once

namespace standin {

enum ExitCode : int {
  kSuccess = 0,
  kWarning = 1,
  kFatalError = 2,
  kCrcError = 3,
  kOpenError = 6,
  kBadOption = 7,
  kCreateError = 9,
  kNoFiles = 10,
};

}  // namespace standin
