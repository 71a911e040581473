// Opening a document or starting a program through the shell, as a double click in Explorer
// does. The shell wires it to ShellExecuteW on the main window; tests record the requests.
// The result is not examined: the user sees whether the program came up.
#pragma once

#include <functional>
#include <string>

namespace ui {

struct ShellRequest {
  std::u16string file;        // the document or program
  std::u16string verb;        // "open", or empty for the file type's default
  std::u16string parameters;  // the program's command-line tail; may be empty
  std::u16string folder;      // the working folder; empty for none
};
// Every request shows its window restored.
using ShellOpen = std::function<void(const ShellRequest&)>;

}  // namespace ui
