#include "core/text_helpers.h"

std::uint32_t ParseDecimal4(std::u16string_view text) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < text.size() && i < 4; ++i) {
    if (text[i] < u'0' || text[i] > u'9') break;
    value = value * 10 + static_cast<std::uint32_t>(text[i] - u'0');
  }
  return value;
}

std::optional<std::u16string_view> AfterLastChar(std::u16string_view text, char16_t c) {
  const std::size_t at = text.rfind(c);
  if (at == std::u16string_view::npos) return std::nullopt;
  return text.substr(at + 1);
}

std::u16string_view FolderPart(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash + 1);
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::size_t FindText(std::u16string_view text, std::u16string_view searched) {
  if (text.empty() || searched.empty()) return std::u16string_view::npos;
  return text.find(searched);
}

void ReplacePlaceholder(std::u16string& text, std::u16string_view placeholder,
                        std::optional<std::u16string_view> replacement) {
  const std::size_t at = text.find(placeholder);
  if (at == std::u16string::npos) return;
  text.replace(at, placeholder.size(), replacement.value_or(std::u16string_view{}));
}

namespace {

// Windows drops trailing dots and blanks from a name: one made of nothing else names the
// folder itself. A device name, with any extension, names the device wherever it is.
bool NamesFolderOrDevice(std::u16string_view name) {
  if (name.find_first_not_of(u". ") == std::u16string_view::npos) return true;
  std::u16string_view base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  std::u16string upper(base);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  for (const std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
    if (upper == device) return true;
  }
  const std::u16string_view number = u"123456789\u00B9\u00B2\u00B3";
  return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) &&
         number.find(upper[3]) != std::u16string_view::npos;
}

}  // namespace

bool IsPlainFileName(std::u16string_view name) {
  if (name == u"." || name == u".." || NamesFolderOrDevice(name)) return false;
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

std::u16string DecimalText(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string CountCaption(std::u16string_view label, std::int64_t count) {
  std::u16string caption(label);
  caption += DecimalText(count);
  caption += u" )";
  return caption;
}
