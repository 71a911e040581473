// Windows-1252 stands in for the ANSI code page; case folding covers Latin-1 and the
// Windows-1252 extras, which is every letter an ANSI file name can hold here.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/platform.h"

namespace platform {
namespace {

// 0x80..0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x0160:
      return 0x0161;
    case 0x0152:
      return 0x0153;
    case 0x017D:
      return 0x017E;
    case 0x0178:
      return 0x00FF;
    default:
      return c;
  }
}

// Where a character sorts: its primary weights (two for a letter that sorts as two, like
// the sharp s), its accent, or, for the marks that word sort leaves out, its mark weight.
struct CharWeight {
  std::uint16_t primary = 0;
  std::uint16_t second = 0;
  std::uint8_t accent = 0;
  std::uint8_t mark = 0;
};

// Punctuation and symbols in their sort order, all before the digits.
constexpr std::u16string_view kSymbolOrder =
    u" !\"#$%&()*,./:;?@[\\]^_`{|}~\u00A1\u00B4\u00BF\u00A8\u00AF\u00B8\u00B7+\u00B1<=>"
    u"\u00AB\u00A7\u00A9\u00AC\u00AE\u00B0\u00B6\u00BB\u00D7\u00F7\u00A2\u00A3\u00A4\u00A5"
    u"\u00A6\u00B5\u20AC\u201A\u201E\u2026\u2020\u2021\u02C6\u2030\u2039\u2018\u2019\u201C"
    u"\u201D\u2022\u2013\u2014\u02DC\u2122\u203A";
constexpr std::uint16_t kFirstDigit = 0x100;
constexpr std::uint16_t kFirstLetter = kFirstDigit + 10;
constexpr std::uint16_t kOtherCharacters = 0x1000;

// Accents, in the order that breaks ties between otherwise equal letters.
enum Accent : std::uint8_t {
  kOrdinal = 1,
  kAcute,
  kGrave,
  kCircumflex,
  kDiaeresis,
  kTilde,
  kRing,
  kCedilla,
  kStroke,
  kCaron,
  kHook,
  kEth,
  kLigature,
  kSuperscript,
  kQuarter,  // the fractions sort with the digit 1
  kHalf,
  kThreeQuarters,
};

constexpr std::uint16_t Letter(char c) {
  return static_cast<std::uint16_t>(kFirstLetter + (c - 'a'));
}

// For lower-case characters only.
constexpr CharWeight WeightOf(char16_t c) {
  if (c == u'\'') return {0, 0, 0, 1};
  if (c == u'-') return {0, 0, 0, 2};
  if (c == 0x00AD) return {};  // a soft hyphen counts for nothing at all
  if (c >= u'0' && c <= u'9') return {static_cast<std::uint16_t>(kFirstDigit + (c - u'0'))};
  if (c >= u'a' && c <= u'z') return {Letter(static_cast<char>(c))};
  const auto accented = [](char base, std::uint8_t accent) {
    return CharWeight{Letter(base), 0, accent, 0};
  };
  const auto pair = [](char first, char second) {
    return CharWeight{Letter(first), Letter(second), kLigature, 0};
  };
  switch (c) {
    case 0xAA:
      return accented('a', kOrdinal);
    case 0xBA:
      return accented('o', kOrdinal);
    case 0xB9:
      return {static_cast<std::uint16_t>(kFirstDigit + 1), 0, kSuperscript, 0};
    case 0xBC:
    case 0xBD:
    case 0xBE:
      return {static_cast<std::uint16_t>(kFirstDigit + 1), 0,
              static_cast<std::uint8_t>(kQuarter + (c - 0xBC)), 0};
    case 0xB2:
      return {static_cast<std::uint16_t>(kFirstDigit + 2), 0, kSuperscript, 0};
    case 0xB3:
      return {static_cast<std::uint16_t>(kFirstDigit + 3), 0, kSuperscript, 0};
    case 0xE6:
      return pair('a', 'e');
    case 0x0153:
      return pair('o', 'e');
    case 0xDF:
      return pair('s', 's');
    case 0xFE:
      return pair('t', 'h');
    case 0xE7:
      return accented('c', kCedilla);
    case 0xF0:
      return accented('d', kEth);
    case 0xF1:
      return accented('n', kTilde);
    case 0xF8:
      return accented('o', kStroke);
    case 0xFD:
      return accented('y', kAcute);
    case 0xFF:
      return accented('y', kDiaeresis);
    case 0x0161:
      return accented('s', kCaron);
    case 0x017E:
      return accented('z', kCaron);
    case 0x0192:
      return accented('f', kHook);
    default:
      break;
  }
  // The vowels of Latin-1 come in rows of grave, acute, circumflex, (tilde,) diaeresis.
  constexpr std::uint8_t kFour[] = {kGrave, kAcute, kCircumflex, kDiaeresis};
  constexpr std::uint8_t kFive[] = {kGrave, kAcute, kCircumflex, kTilde, kDiaeresis};
  if (c >= 0xE0 && c <= 0xE5) {
    constexpr std::uint8_t kA[] = {kGrave, kAcute, kCircumflex, kTilde, kDiaeresis, kRing};
    return accented('a', kA[c - 0xE0]);
  }
  if (c >= 0xE8 && c <= 0xEB) return accented('e', kFour[c - 0xE8]);
  if (c >= 0xEC && c <= 0xEF) return accented('i', kFour[c - 0xEC]);
  if (c >= 0xF2 && c <= 0xF6) return accented('o', kFive[c - 0xF2]);
  if (c >= 0xF9 && c <= 0xFC) return accented('u', kFour[c - 0xF9]);
  const std::size_t symbol = kSymbolOrder.find(c);
  if (symbol != std::u16string_view::npos) return {static_cast<std::uint16_t>(1 + symbol)};
  return {static_cast<std::uint16_t>(kOtherCharacters + c)};
}

// By the character as written, either letter case.
constexpr std::array<CharWeight, 256> kLatin1Weights = [] {
  std::array<CharWeight, 256> table{};
  for (std::size_t c = 0; c < table.size(); ++c) {
    table[c] = WeightOf(FoldCase(static_cast<char16_t>(c)));
  }
  return table;
}();

CharWeight WeightOfAny(char16_t c) {
  return c < kLatin1Weights.size() ? kLatin1Weights[c] : WeightOf(FoldCase(c));
}

struct SortWeight {
  std::uint16_t primary = 0;  // 0 at the end of the text
  std::uint8_t accent = 0;
};

// The primary weights of a text in order, without the marks that only break ties.
class WeightStream {
 public:
  WeightStream(std::u16string_view text, std::size_t from) : text_(text), at_(from) {}
  SortWeight next() {
    if (pending_.primary != 0) return std::exchange(pending_, SortWeight{});
    while (at_ < text_.size()) {
      const CharWeight w = WeightOfAny(text_[at_++]);
      if (w.primary == 0) continue;
      if (w.second != 0) pending_ = {w.second, w.accent};
      return {w.primary, w.accent};
    }
    return {};
  }

 private:
  std::u16string_view text_;
  std::size_t at_ = 0;
  SortWeight pending_;
};

// The last tie-break: the hyphens and apostrophes, compared mark by mark; a mark further
// into the text sorts first, an apostrophe before a hyphen at the same place, and a text
// whose marks run out first sorts first. Both texts are alike up to `from`.
int CompareIgnoredMarks(std::u16string_view a, std::u16string_view b, std::size_t from) {
  std::size_t i = from;
  std::size_t j = from;
  for (;;) {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    while (i < a.size() && (x = WeightOfAny(a[i]).mark) == 0) ++i;
    while (j < b.size() && (y = WeightOfAny(b[j]).mark) == 0) ++j;
    if (x == 0 || y == 0) return x == y ? 0 : (x == 0 ? -1 : 1);
    if (i != j) return i > j ? -1 : 1;
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
}

}  // namespace

void AnsiToUtf16(std::string_view bytes, std::u16string& out) {
  out.clear();
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    if (u >= 0x80 && u <= 0x9F) {
      const char16_t mapped = kCp1252High[u - 0x80];
      out += mapped != 0 ? mapped : static_cast<char16_t>(u);
    } else {
      out += static_cast<char16_t>(u);
    }
  }
}

std::u16string AnsiToUtf16(std::string_view bytes) {
  std::u16string out;
  AnsiToUtf16(bytes, out);
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    const auto* hit = std::find(kCp1252High.begin(), kCp1252High.end(), c);
    out += hit != kCp1252High.end() ? static_cast<char>(0x80 + (hit - kCp1252High.begin())) : '?';
  }
  return out;
}

std::u16string LowerCase(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

// The order of lstrcmpiW, the Windows "word sort": letters and digits first decide, with
// punctuation before digits and digits before letters; then accents; letter case never.
// Hyphens and apostrophes are left out of that and only break ties, so that "co-op" sorts
// beside "coop". Covers the characters an ANSI file name can hold here; others sort after
// the letters by their code.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  // Characters alike in both weigh alike at every level, marks included.
  const std::size_t same = static_cast<std::size_t>(
      std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
  WeightStream x(a, same);
  WeightStream y(b, same);
  int accents = 0;
  for (;;) {
    const SortWeight p = x.next();
    const SortWeight q = y.next();
    if (p.primary != q.primary) return p.primary < q.primary ? -1 : 1;
    if (p.primary == 0) break;
    if (accents == 0 && p.accent != q.accent) accents = p.accent < q.accent ? -1 : 1;
  }
  if (accents != 0) return accents;
  return CompareIgnoredMarks(a, b, same);
}

}  // namespace platform
