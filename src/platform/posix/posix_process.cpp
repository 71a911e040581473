#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

extern char** environ;

namespace platform {

namespace {

constexpr std::uint32_t kUnknownExitCode = UINT32_MAX;

// Words split at blanks outside quotation marks; the marks themselves are dropped, so that
// -ap"maps\" gives the word -apmaps\ as the Windows program would read it.
std::vector<std::u16string> SplitWords(std::u16string_view line) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool quoted = false;
  bool inWord = false;
  for (const char16_t c : line) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == u' ' && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace

LocalTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<std::uint32_t> RunProcess(std::u16string_view commandLine, int tickMilliseconds,
                                        const std::function<void()>& tick) {
  const std::vector<std::u16string> words = SplitWords(commandLine);
  if (words.empty()) return std::nullopt;
  std::vector<std::string> arguments;
  // Paths in the words become this system's paths, as everywhere at this boundary.
  for (const std::u16string& word : words) arguments.push_back(detail::NativePath(word));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  if (posix_spawn(&child, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }

  using Clock = std::chrono::steady_clock;
  const auto interval = std::chrono::milliseconds(tickMilliseconds);
  auto nextTick = Clock::now() + interval;
  int status = 0;
  for (;;) {
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) break;
    if (ended < 0 && errno != EINTR) return kUnknownExitCode;
    if (Clock::now() >= nextTick) {
      if (tick) tick();
      nextTick += interval;
    }
    usleep(2000);
  }
  if (!WIFEXITED(status)) return kUnknownExitCode;
  return static_cast<std::uint32_t>(WEXITSTATUS(status));
}

}  // namespace platform
