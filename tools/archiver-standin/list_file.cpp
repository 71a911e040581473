#include "list_file.h"

#include <windows.h>

#include "text.h"

namespace standin {
namespace {

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

}  // namespace

std::vector<std::u16string> ListNames(std::string_view bytes) {
  std::u16string text;
  if (bytes.starts_with("\xFF\xFE")) {
    text = DecodeUtf16Le(bytes.substr(2));
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = FromUtf8(bytes.substr(3));
  } else {
    text = Widen(bytes, CP_ACP);
  }
  std::vector<std::u16string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string_view line(text.data() + start, end - start);
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    if (!line.empty()) names.emplace_back(line);
    start = end + 1;
  }
  return names;
}

}  // namespace standin
