#include "controls.h"

#include <windows.h>

#include <cstdio>

#include "text.h"

namespace standin {
namespace {

constexpr unsigned kLongestDelay = 3600000;  // an hour
constexpr unsigned kLargestExitCode = 255;

std::u16string Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::u16string value(size, u'\0');
  const DWORD length =
      GetEnvironmentVariableW(name, reinterpret_cast<wchar_t*>(value.data()), size);
  value.resize(length < size ? length : 0);
  return value;
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

bool KnownWord(const std::u16string& word) {
  return word == u"a" || word == u"c" || word == u"rr" || word == u"t" || word == u"k";
}

// Splits "word:number,..." into pairs; an item without a word is allowed when `bareAllowed`.
bool ParseItems(std::u16string_view text, unsigned limit, bool bareAllowed,
                std::vector<std::pair<std::u16string, unsigned>>& out) {
  while (!text.empty()) {
    const std::size_t comma = text.find(u',');
    const std::u16string_view item = Trim(text.substr(0, comma));
    text = comma == std::u16string_view::npos ? std::u16string_view() : text.substr(comma + 1);
    if (item.empty()) continue;
    const std::size_t colon = item.find(u':');
    std::u16string word;
    std::u16string_view number = item;
    if (colon != std::u16string_view::npos) {
      word = AsciiLower(Trim(item.substr(0, colon)));
      number = Trim(item.substr(colon + 1));
      if (!KnownWord(word)) return false;
    } else if (!bareAllowed) {
      return false;
    }
    unsigned value = 0;
    if (!ParseNumber(number, limit, value)) return false;
    out.emplace_back(std::move(word), value);
  }
  return true;
}

}  // namespace

bool ParseFailures(std::u16string_view text, std::vector<std::pair<std::u16string, int>>& out) {
  std::vector<std::pair<std::u16string, unsigned>> items;
  if (!ParseItems(text, kLargestExitCode, false, items)) return false;
  for (auto& [word, code] : items) out.emplace_back(std::move(word), static_cast<int>(code));
  return true;
}

bool ParseDelays(std::u16string_view text, std::vector<std::pair<std::u16string, unsigned>>& out) {
  return ParseItems(text, kLongestDelay, true, out);
}

Controls ReadControls() {
  Controls controls;
  controls.logPath = Environment(L"ZEK_STANDIN_LOG");
  if (!ParseFailures(Environment(L"ZEK_STANDIN_FAIL"), controls.failures)) {
    std::fprintf(stderr, "archiver-standin: ZEK_STANDIN_FAIL is not like \"T:3,C:2\"\n");
    controls.malformed = true;
  }
  if (!ParseDelays(Environment(L"ZEK_STANDIN_DELAY_MS"), controls.delays)) {
    std::fprintf(stderr,
                 "archiver-standin: ZEK_STANDIN_DELAY_MS is not like \"500\" or "
                 "\"T:2000,A:300\"\n");
    controls.malformed = true;
  }
  return controls;
}

std::optional<int> FailureFor(const Controls& controls, std::u16string_view word) {
  const std::u16string lower = AsciiLower(word);
  for (const auto& [name, code] : controls.failures) {
    if (name == lower) return code;
  }
  return std::nullopt;
}

unsigned DelayFor(const Controls& controls, std::u16string_view word) {
  const std::u16string lower = AsciiLower(word);
  unsigned delay = 0;
  for (const auto& [name, milliseconds] : controls.delays) {
    if (!lower.empty() && name == lower) return milliseconds;
    if (name.empty()) delay = milliseconds;
  }
  return delay;
}

}  // namespace standin
