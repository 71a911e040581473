// The entry point: the process-wide state, the hidden main window, the start-up message and
// the message loop.
#include <windows.h>

#include "app/main_window.h"
#include "platform/platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  AppState state;
  state.programFolder = platform::ProgramFolder();
  state.tempFolder = platform::TempFolder();
  int exitCode = 0;
  {
    const platform::GraphicsSession graphics;
    app::MainWindow main(state);
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
