// Plays the user for the end-to-end runs of the real program: answers its message boxes
// with their default answer (OK, or Yes) and, when asked, closes its main window once that
// is shown, as the close button does. Ends after 60 seconds at most.
//   answer-windows boxes   answers boxes until it is ended
//   answer-windows close   answers boxes until the main window shows, then closes it
#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
  wchar_t className[16] = {}, title[32] = {};
  GetClassNameW(window, className, 16);
  GetWindowTextW(window, title, 32);
  if (std::wcscmp(className, L"#32770") == 0 && std::wcscmp(title, L"Soldat ZEK") == 0) {
    // A box with OK takes IDOK, one with Yes and No only IDYES.
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    PostMessageW(window, WM_COMMAND, IDYES, 0);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  const bool close = argc == 2 && std::strcmp(argv[1], "close") == 0;
  for (int tick = 0; tick < 300; ++tick) {
    EnumWindows(AnswerBox, 0);
    const HWND main = FindWindowW(L"TSoldatZEK", nullptr);
    if (close && main != nullptr && IsWindowVisible(main)) {
      PostMessageW(main, WM_CLOSE, 0, 0);
      return 0;
    }
    Sleep(200);
  }
  return close ? 1 : 0;
}
