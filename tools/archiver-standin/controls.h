// The environment variables through which tests steer the stand-in (see main.cpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

struct Controls {
  std::u16string logPath;  // ZEK_STANDIN_LOG; empty: no log
  // ZEK_STANDIN_FAIL: command word (lower case) and the exit code it fails with.
  std::vector<std::pair<std::u16string, int>> failures;
  // ZEK_STANDIN_DELAY_MS: command word (lower case; empty for every command) and milliseconds.
  std::vector<std::pair<std::u16string, unsigned>> delays;
  bool malformed = false;  // a value could not be read; the run fails with exit code 2
};

Controls ReadControls();

// "T:3,C:2": the exit code for each named command.
bool ParseFailures(std::u16string_view text, std::vector<std::pair<std::u16string, int>>& out);
// "500" for every command, or "T:2000,A:300"; both may be mixed.
bool ParseDelays(std::u16string_view text, std::vector<std::pair<std::u16string, unsigned>>& out);

std::optional<int> FailureFor(const Controls& controls, std::u16string_view word);
unsigned DelayFor(const Controls& controls, std::u16string_view word);

}  // namespace standin
