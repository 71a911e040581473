// Starts each command line of a UTF-8 file exactly as written, the way the program starts
// WinRAR, and prints each exit code on its own line. `wine prog args` would quote and
// escape the arguments anew, so tests go through this to give the exact text.
//   run-command-lines FILE
// A line "set NAME=VALUE" sets an environment variable for the runs after it (an empty
// value removes it); blank lines and lines starting with '#' are skipped.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

bool SetVariable(const std::wstring& assignment) {
  const std::size_t equals = assignment.find(L'=');
  if (equals == std::wstring::npos) return false;
  const std::wstring name = assignment.substr(0, equals);
  const std::wstring value = assignment.substr(equals + 1);
  return SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str()) ||
         value.empty();
}

// The child's exit code, or -1 when it could not be started.
long Run(std::wstring line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: run-command-lines FILE\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "run-command-lines: cannot open %s\n", argv[1]);
    return 2;
  }
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.starts_with("set ")) {
      if (!SetVariable(FromUtf8(line.substr(4)))) return 2;
      continue;
    }
    std::printf("%ld\n", Run(FromUtf8(line)));
    std::fflush(stdout);
  }
  return 0;
}
