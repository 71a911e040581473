// archiver-standin: stands in for WinRAR.exe in the tests and the demo (installed as
// WinRAR.exe; the program only knows "the WinRAR path"). It accepts the command lines the
// program issues, words split by blanks with values in double quotes:
//   A -y -ibck -ed -ep -m<0..5> [-s] [-md<size>[k|m|g]] [-ap"<inside>"] "<archive>" @"<list>"
//   C -ibck -y -z"<comment file>" "<archive>"
//   RR[<N>[%|p]] -ibck -y "<archive>"
//   T -ibck "<archive>"
//   K -ibck -y "<archive>"
// Commands and switches ignore letter case. Any other switch, a bare -md or -mdg, a
// missing archive, C without -z, or file names behind a command other than A give exit 7.
//
// For a ".zip" archive the work is done for real (A, C, T); K and RR give exit 2, since
// WinRAR cannot lock a ZIP archive or give it a recovery record. Any other archive is taken
// as RAR, which cannot be written here: the run is only logged and gives exit 0.
//
// Exit codes are WinRAR's: 0 success, 1 warning (a comment cut to 65535 bytes), 2 fatal
// error, 3 CRC error (T on a damaged archive), 6 open error (list, source, comment file, or
// the archive for C and T), 7 wrong command line option, 9 create error (the archive
// cannot be written), 10 no files (the lists name nothing).
//
// Environment (unset or empty means off; a malformed value fails the run with exit 2):
//   ZEK_STANDIN_LOG=<file>         appends one UTF-8 line per run, ended by LF:
//                                  <command line as received>\t<ms> ms\texit <code>
//                                  where <ms> is this run's own time in whole milliseconds.
//   ZEK_STANDIN_FAIL=<cmd>:<code>[,...]   the command (A, C, RR, T or K) does no work and
//                                  exits with <code> (0..255), e.g. "T:3,C:2".
//   ZEK_STANDIN_DELAY_MS=<ms> or <cmd>:<ms>[,...]   the run takes at least that long; a bare
//                                  number is for every command, e.g. "500,T:2500".
// A missing WinRAR is not this program's to play: a test leaves it out of the installation
// or points the WinRAR path at a file that does not exist.

#include <windows.h>

#include <cstdio>
#include <string>

#include "command_line.h"
#include "controls.h"
#include "exit_codes.h"
#include "files.h"
#include "text.h"
#include "zip_commands.h"

namespace {

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  unsigned long long Milliseconds() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<unsigned long long>(now.QuadPart - start_.QuadPart) * 1000 /
           static_cast<unsigned long long>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

void WaitUntil(const Stopwatch& stopwatch, unsigned milliseconds) {
  for (unsigned long long spent = stopwatch.Milliseconds(); spent < milliseconds;
       spent = stopwatch.Milliseconds()) {
    Sleep(static_cast<DWORD>(milliseconds - spent));
  }
}

int Run(const std::optional<standin::Command>& command, const standin::Controls& controls) {
  using namespace standin;
  if (!command) {
    std::fprintf(stderr, "archiver-standin: wrong command line option\n");
    return kBadOption;
  }
  if (controls.malformed) return kFatalError;
  if (const std::optional<int> failure = FailureFor(controls, VerbWord(command->verb)))
    return *failure;
  if (IsZipArchive(command->archive)) return RunZipCommand(*command);
  return kSuccess;  // RAR cannot be written here: the run is only logged
}

}  // namespace

int main() {
  using namespace standin;
  const Stopwatch stopwatch;
  const std::u16string line(reinterpret_cast<const char16_t*>(GetCommandLineW()));
  const Controls controls = ReadControls();
  const std::optional<Command> command = ParseCommand(SplitWords(line));
  int code = Run(command, controls);
  WaitUntil(stopwatch, DelayFor(controls, command ? VerbWord(command->verb) : u""));
  if (!controls.logPath.empty()) {
    const std::string entry = ToUtf8(line) + "\t" + std::to_string(stopwatch.Milliseconds()) +
                              " ms\texit " + std::to_string(code) + "\n";
    if (!AppendToFile(controls.logPath, entry)) {
      std::fprintf(stderr, "archiver-standin: cannot append to ZEK_STANDIN_LOG\n");
      if (code == kSuccess) code = kFatalError;
    }
  }
  return code;
}
