#include <windows.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

constexpr std::uint32_t kUnknownExitCode = UINT32_MAX;

}  // namespace

LocalTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::optional<std::uint32_t> RunProcess(std::u16string_view commandLine, int tickMilliseconds,
                                        const std::function<void()>& tick) {
  // CreateProcessW may write into the command line.
  std::wstring line = detail::Wide(commandLine);
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof(startup));
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started;
  ZeroMemory(&started, sizeof(started));
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &started)) {
    return std::nullopt;
  }
  // Declared so that the process handle is closed first, then the thread's.
  const win32::ThreadHandle thread(started.hThread);
  const win32::ProcessHandle process(started.hProcess);

  for (;;) {
    const DWORD waited = WaitForSingleObject(process.get(), static_cast<DWORD>(tickMilliseconds));
    if (waited == WAIT_OBJECT_0) break;
    if (waited != WAIT_TIMEOUT) return kUnknownExitCode;
    if (tick) tick();
  }
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) return kUnknownExitCode;
  return exitCode;
}

}  // namespace platform
