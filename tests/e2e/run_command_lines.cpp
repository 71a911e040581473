// Starts each command line of a UTF-8 file exactly as written, the way the program starts
// WinRAR, and prints each exit code (-1 when it could not start) on its own line. `wine prog
// args` would quote and escape the arguments anew, so tests go through this to give the
// exact text. A line "set NAME=VALUE" sets an environment variable for the runs after it (an
// empty value removes it).
//   run-command-lines FILE
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::wstring FromUtf8(const std::string& text) {
  std::wstring wide(text.size(), L'\0');  // never more UTF-16 units than bytes
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), int(wide.size()))));
  return wide;
}

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
  std::ifstream file(argc == 2 ? argv[1] : "", std::ios::binary);
  if (!file) return 2;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::wstring wide = FromUtf8(line);
    if (wide.starts_with(L"set ")) {
      const std::size_t equals = wide.find(L'=');
      if (equals == std::wstring::npos) return 2;
      const std::wstring value = wide.substr(equals + 1);
      SetEnvironmentVariableW(wide.substr(4, equals - 4).c_str(),
                              value.empty() ? nullptr : value.c_str());
    } else if (!wide.empty()) {
      std::printf("%ld\n", Run(wide));
      std::fflush(stdout);
    }
  }
  return 0;
}
