// WinRAR's command line as the program issues it: a command word, switches, the archive and
// list files. Only what the program uses is understood; anything else is a wrong option.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

enum class Verb { kAdd, kComment, kRecovery, kTest, kLock };

struct Command {
  Verb verb = Verb::kTest;
  int level = 3;               // -m<0..5>; WinRAR's default is 3
  std::u16string pathInside;   // -ap, as given (backslashes and all)
  std::u16string commentFile;  // -z
  std::u16string archive;
  std::vector<std::u16string> lists;  // @list files
  std::vector<std::u16string> files;  // names given directly, for A
};

// The command's word as the environment controls name it: A, C, RR, T or K.
std::u16string_view VerbWord(Verb verb);

// Blanks separate words outside quotes; quotes group and are dropped, and two adjoining quotes
// stand for one literal quote, as in WinRAR. A backslash is a plain character: the program's
// quoted folders end with one (-ap"maps\").
std::vector<std::u16string> SplitWords(std::u16string_view line);

// The command behind the program's own path (words[0]); nullopt for a command line WinRAR
// rejects with "wrong command line option", or one the program never issues.
std::optional<Command> ParseCommand(const std::vector<std::u16string>& words);

}  // namespace standin
