#include "command_line.h"

#include "text.h"

namespace standin {
namespace {

std::optional<Verb> ParseVerb(std::u16string_view word) {
  const std::u16string lower = AsciiLower(word);
  if (lower == u"a") return Verb::kAdd;
  if (lower == u"c") return Verb::kComment;
  if (lower == u"t") return Verb::kTest;
  if (lower == u"k") return Verb::kLock;
  // rr[N]: N sectors, or N percent with a trailing % or p.
  if (lower.starts_with(u"rr")) {
    std::u16string_view amount = std::u16string_view(lower).substr(2);
    if (amount.empty()) return Verb::kRecovery;
    if (amount.back() == u'%' || amount.back() == u'p') amount.remove_suffix(1);
    unsigned value = 0;
    if (ParseNumber(amount, 1000, value) && value > 0) return Verb::kRecovery;
  }
  return std::nullopt;
}

// -md<size>[k|m|g]: WinRAR 5 and later need the size; "-mdg" alone is a wrong option.
bool ValidDictionary(std::u16string_view size) {
  if (!size.empty() && (size.back() == u'k' || size.back() == u'm' || size.back() == u'g'))
    size.remove_suffix(1);
  unsigned value = 0;
  return ParseNumber(size, 1u << 30, value) && value > 0;
}

// Reads one switch (the word without its dash) into the command; false for a wrong option.
bool ParseSwitch(std::u16string_view word, Command& command) {
  const std::u16string lower = AsciiLower(word);
  if (lower == u"y" || lower == u"ibck" || lower == u"ed" || lower == u"ep" || lower == u"s")
    return true;
  if (lower.starts_with(u"ap")) {
    command.pathInside = word.substr(2);
    return true;
  }
  if (lower.starts_with(u"z")) {
    command.commentFile = word.substr(1);
    return !command.commentFile.empty();
  }
  if (lower.starts_with(u"md")) return ValidDictionary(std::u16string_view(lower).substr(2));
  if (lower.size() == 2 && lower[0] == u'm' && lower[1] >= u'0' && lower[1] <= u'5') {
    command.level = lower[1] - u'0';
    return true;
  }
  return false;
}

}  // namespace

std::u16string_view VerbWord(Verb verb) {
  switch (verb) {
    case Verb::kAdd:
      return u"A";
    case Verb::kComment:
      return u"C";
    case Verb::kRecovery:
      return u"RR";
    case Verb::kTest:
      return u"T";
    case Verb::kLock:
      return u"K";
  }
  return u"";
}

// Splits as WinRAR does: blanks end a word outside quotation marks, and two adjoining marks
// stand for one literal mark (so -ap"" is -ap followed by a mark, not an empty path).
std::vector<std::u16string> SplitWords(std::u16string_view line) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char16_t c = line[i];
    if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
      word += u'"';
      inWord = true;
      ++i;
    } else if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == u' ' || c == u'\t') && !quoted) {
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

std::optional<Command> ParseCommand(const std::vector<std::u16string>& words) {
  if (words.size() < 2) return std::nullopt;
  const std::optional<Verb> verb = ParseVerb(words[1]);
  if (!verb) return std::nullopt;
  Command command;
  command.verb = *verb;
  bool haveArchive = false;
  for (std::size_t i = 2; i < words.size(); ++i) {
    const std::u16string& word = words[i];
    if (word.starts_with(u'-')) {
      if (!ParseSwitch(std::u16string_view(word).substr(1), command)) return std::nullopt;
    } else if (!haveArchive) {
      command.archive = word;
      haveArchive = !word.empty();
      if (!haveArchive) return std::nullopt;
    } else if (word.starts_with(u'@') && word.size() > 1) {
      command.lists.push_back(word.substr(1));
    } else {
      command.files.push_back(word);
    }
  }
  if (!haveArchive) return std::nullopt;
  const bool namesFiles = !command.lists.empty() || !command.files.empty();
  if (command.verb != Verb::kAdd && namesFiles) return std::nullopt;
  if (command.verb == Verb::kComment && command.commentFile.empty()) return std::nullopt;
  return command;
}

}  // namespace standin
