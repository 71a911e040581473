// Small string helpers shared by every part of the program. All work on UTF-16 text and
// compare unit by unit, case-sensitively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value of up to the first four decimal digits (0..9999); 0 when the text does not
// begin with a digit.
std::uint32_t ParseDecimal4(std::u16string_view text);

// What follows the last occurrence of c (empty when c is the last character); nothing when
// c does not occur.
std::optional<std::u16string_view> AfterLastChar(std::u16string_view text, char16_t c);

// The folder part of a path, up to and including its last backslash; empty without one.
std::u16string_view FolderPart(std::u16string_view path);

bool StartsWith(std::u16string_view text, std::u16string_view prefix);

// Position of the first occurrence; npos when there is none or either text is empty.
std::size_t FindText(std::u16string_view text, std::u16string_view searched);

// Replaces the first occurrence of a seven-character placeholder such as "%mdate%"; without
// a replacement the placeholder is removed.
void ReplacePlaceholder(std::u16string& text, std::u16string_view placeholder,
                        std::optional<std::u16string_view> replacement);

// A name read from a file may be joined to a folder only when it is a plain file name:
// no folder separators or drive colon, not "." or "..", nor a name that Windows reads as
// the folder itself (only dots and blanks) or as a device (CON, NUL, COM1.bmp, ...).
bool IsPlainFileName(std::u16string_view name);

// Decimal text of a signed number, as "%d" writes it.
std::u16string DecimalText(std::int64_t value);

// A group's caption with its count: the label ends with "( ", the count follows, then " )".
std::u16string CountCaption(std::u16string_view label, std::int64_t count);

inline void ZeroBytes(void* address, std::size_t count) {
  auto* p = static_cast<unsigned char*>(address);
  for (std::size_t i = 0; i < count; ++i) p[i] = 0;
}
