// Text files come from anywhere: reading, sorting and joining whatever they hold must stay in
// bounds and keep the list consistent.
#include <span>

#include "core/string_list.h"
#include "fuzz_support.h"

using fuzzsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the longest line: every size the program uses, the smallest ones,
  // and a few arbitrary ones.
  static constexpr int kMaxLines[] = {261, 65, 46, 50, 24, 1, 2, 3};
  const int maxLine = (data[0] & 0x80) != 0 ? kMaxLines[data[0] & 7] : (data[0] & 0x7F) + 1;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);

  StringList list;
  const std::int32_t count = list.loadFromBuffer(bytes, maxLine);
  Check(count == list.count() && count >= 0);
  std::size_t units = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    const StringNode* node = list.nodeAt(i);
    Check(node->tag == 1);
    Check(node->length <= static_cast<std::size_t>(maxLine));
    Check(node->text().find(u'\0') == std::u16string_view::npos);
    units += node->length + 2;
  }
  Check(units <= bytes.size() + 2 * static_cast<std::size_t>(count));

  list.sortUnique();
  for (std::int32_t i = 0; i < list.count(); ++i) Check(!list.textAt(i).empty());
  std::int32_t chained = 0;
  list.forEach([&](const StringNode&) { ++chained; });
  Check(chained == list.count());

  // The list is read once more to subtract from itself: a sorted list minus itself is empty.
  StringList again;
  again.loadFromBuffer(bytes, maxLine);
  again.sortUnique();
  again.subtract(list, false);
  Check(again.count() == 0);

  const std::int32_t kept = list.count();
  const std::u16string joined = list.join();
  Check(list.count() == 0);
  Check(kept == 0 || joined.size() >= 2 * static_cast<std::size_t>(kept));
  return 0;
}
