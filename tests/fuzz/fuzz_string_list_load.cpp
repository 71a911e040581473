// Text files come from anywhere: reading, sorting, subtracting and joining whatever they
// hold stays in bounds and keeps the list consistent.
#include <span>

#include "core/string_list.h"
#include "fuzz_support.h"

using fuzzsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the longest line: the sizes the program uses, or any up to 128.
  static constexpr int kMaxLines[] = {261, 65, 46, 50, 24, 1, 2, 3};
  const int maxLine = (data[0] & 0x80) != 0 ? kMaxLines[data[0] & 7] : (data[0] & 0x7F) + 1;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);

  StringList list;
  const std::int32_t count = list.loadFromBuffer(bytes, maxLine);
  Check(count == list.count() && count >= 0);
  std::size_t units = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    const StringNode* node = list.nodeAt(i);
    Check(node->tag == 1 && node->length <= static_cast<std::size_t>(maxLine));
    Check(node->text().find(u'\0') == std::u16string_view::npos);
    units += node->length + 2;
  }
  Check(units <= bytes.size() + 2 * static_cast<std::size_t>(count));

  list.sortUnique();
  std::int32_t chained = 0;
  list.forEach([&](const StringNode& node) { chained += node.text().empty() ? 1000000 : 1; });
  Check(chained == list.count());
  StringList again;  // a sorted list minus itself is empty
  again.loadFromBuffer(bytes, maxLine);
  again.sortUnique();
  again.subtract(list, false);
  Check(again.count() == 0);
  const std::int32_t kept = list.count();
  Check(list.join().size() >= 2 * static_cast<std::size_t>(kept) && list.count() == 0);
  return 0;
}
