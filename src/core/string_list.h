// The one container of names and lines: an append-only chain of UTF-16 texts, each with a
// one-byte tag, read and reordered through an index that is built on demand. Entries never
// move once added, so a text stays where it is while the index is sorted or filtered.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct StringNode {
  std::uint8_t tag = 0;
  StringNode* next = nullptr;
  std::uint32_t length = 0;  // units, without the terminating zero held behind it

  // The text is stored in the same allocation, right behind the record.
  const char16_t* data() const { return reinterpret_cast<const char16_t*>(this + 1); }
  std::u16string_view text() const { return {data(), length}; }
};

class StringList {
 public:
  StringList() = default;
  ~StringList() { clear(); }
  StringList(const StringList&) = delete;
  StringList& operator=(const StringList&) = delete;
  StringList(StringList&& other) noexcept;
  StringList& operator=(StringList&& other) noexcept;

  // Appends at the tail. The index goes stale: count() counts the new entry at once, but
  // reading by position needs buildIndex() first.
  void add(std::u16string_view text, std::uint8_t tag);
  std::int32_t count() const { return count_; }
  bool empty() const { return count_ == 0; }

  // Reads through the index; the caller keeps 0 <= position < the indexed count.
  std::u16string_view textAt(std::int32_t position) const;
  const StringNode* nodeAt(std::int32_t position) const;

  void buildIndex();
  void relink();
  // The ordering and the text files below use the system (string_list_order.cpp and
  // text_file.cpp), so they build in the layer above the platform, not in core.
  // Sorts case-insensitively with the system's comparison and drops empty texts and
  // neighbours equal in text (ignoring case) and tag; of such a run the last one survives.
  void sortUnique();
  // Removes each entry that `other` holds (text ignoring case, and the tag unless
  // ignoreTags). A forward merge: both lists must have come through sortUnique().
  void subtract(const StringList& other, bool ignoreTags);
  void clear();

  // Text files: UTF-16LE with a byte-order mark, or ANSI text. Every line becomes an entry
  // with tag 1; a line longer than maxLine ends the reading. Returns the number of entries.
  std::int32_t loadFromBuffer(std::span<const std::uint8_t> bytes, int maxLine);
  // False when the file cannot be opened (the list is then untouched) or holds no line.
  bool loadFromFile(std::u16string_view path, int maxLine);
  // Every entry followed by CR LF, in index order; the list is cleared.
  std::u16string join();
  // Writes the joined text as UTF-16LE with a byte-order mark; the list is cleared either way.
  bool saveToFile(std::u16string_view path);

  // Entries in chain order, for loops that need no index.
  template <typename F>
  void forEach(F&& visit) const {
    for (const StringNode* n = head_; n != nullptr; n = n->next) visit(*n);
  }

 private:
  static StringNode* makeNode(std::u16string_view text, std::uint8_t tag);
  static void freeNode(StringNode* node);
  // Keeps the nodes of `kept` (in that order) as the new index, relinks the chain.
  void adoptIndex(std::vector<StringNode*>&& kept);

  std::int32_t count_ = 0;
  std::vector<StringNode*> index_;
  StringNode* head_ = nullptr;
  StringNode* tail_ = nullptr;
};
