// The entry point: the process-wide state, the hidden main window, the start-up message and
// the message loop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/owned.h"
#include "platform/platform.h"

namespace {

struct ArgumentArrayTraits {
  using Value = LPWSTR*;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value value) { return value == nullptr; }
  static void Release(Value& value) { LocalFree(value); }
};

// The process's arguments as the shell splits them; the first is the program.
std::vector<std::u16string> ProcessArguments() {
  int count = 0;
  const platform::Owned<ArgumentArrayTraits> arguments(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::u16string> result;
  if (!arguments) return result;
  for (int i = 0; i < count; ++i)
    result.emplace_back(reinterpret_cast<const char16_t*>(arguments.get()[i]));
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  AppState state;
  state.programFolder = platform::ProgramFolder();
  state.tempFolder = platform::TempFolder();
  int exitCode = 0;
  {
    const platform::GraphicsSession graphics;
    app::MainWindow main(state);
    main.arguments = ProcessArguments();
    if (!app::CreateMainWindow(main, instance)) return 1;
    // The first message the loop takes: start-up runs before any user input.
    PostMessageW(main.window, app::kStartupMessage, 0, 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    exitCode = static_cast<int>(message.wParam);
  }
  return exitCode;
}
