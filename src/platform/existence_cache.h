// Remembers which files exist, for one piece of work that looks up the same names again and
// again: the archive content, where many maps share their sceneries and textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Names with a one-byte value each, in an open-addressing table over one buffer of text:
// a hit costs a hash, a probe or two in one array and one comparison, mostly in memory that
// the previous questions already brought close. Entries are numbered in the order added.
class NameTable {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Four units at a time, then mixed so that both halves of the result spread well: the
  // names are short and this runs for every name a map lists.
  static std::size_t HashOf(std::u16string_view name) {
    constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15u;
    std::uint64_t h = name.size() * kOdd;
    std::size_t at = 0;
    for (; at + 4 <= name.size(); at += 4) {
      std::uint64_t chunk;
      std::memcpy(&chunk, name.data() + at, sizeof chunk);
      h = (h ^ chunk) * kOdd;
      h ^= h >> 29;
    }
    for (; at < name.size(); ++at) h = (h ^ name[at]) * kOdd;
    h ^= h >> 32;
    h *= kOdd;
    h ^= h >> 29;
    return static_cast<std::size_t>(h);
  }
  // The entry holding `name`, or kNone.
  std::size_t find(std::u16string_view name, std::size_t hash) const;
  std::size_t add(std::u16string_view name, std::size_t hash, std::uint8_t value);
  std::uint8_t value(std::size_t entry) const { return entries_[entry].value; }
  // Valid until the next add.
  std::u16string_view name(std::size_t entry) const {
    return {text_.data() + entries_[entry].offset, entries_[entry].length};
  }
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {           // small, so that many share a cache line
    std::uint32_t offset;  // into text_
    std::uint32_t length;
    std::uint8_t value;
  };
  void place(std::size_t entry, std::size_t hash);

  std::vector<char16_t> text_;  // every name, back to back
  std::vector<Entry> entries_;
  // Per slot: the upper half of the entry's hash and entry + 1; 0 for an empty slot. A
  // power of two long.
  std::vector<std::uint64_t> slots_;
};

class ExistenceCache {
 public:
  // Whether `name` is in the folder numbered `folder`: lookUp() answers the first time the
  // name comes up in that folder, and the answer is kept. Names are matched ignoring letter
  // case, as the Windows file system names files, so that names differing only in case get
  // one answer and collapse into one entry later. The caller keeps each folder number
  // meaning one folder for the cache's life.
  template <typename LookUp>
  bool exists(std::size_t folder, std::u16string_view name, LookUp&& lookUp) {
    Folder& f = folderAt(folder);
    // Most questions repeat an earlier one exactly; those cost one hash of the name.
    const std::size_t hash = HashOf(name);
    if (const std::size_t known = f.bySpelling.find(name, hash); known != kNone) {
      return f.bySpelling.value(known) != 0;
    }
    std::u16string folded = FoldedName(name);
    const std::size_t foldedHash = HashOf(folded);
    std::size_t answer = f.byFolded.find(folded, foldedHash);
    if (answer == kNone) {
      ++lookups_;
      answer = f.byFolded.add(folded, foldedHash, lookUp() ? 1 : 0);
    }
    const bool found = f.byFolded.value(answer) != 0;
    f.bySpelling.add(name, hash, found ? 1 : 0);
    return found;
  }

  // A byte that `work` works out about `name` in the folder numbered `folder`, kept for
  // each spelling: the first question in a spelling calls work, which may ask exists()
  // about this folder; later ones cost one hash.
  template <typename Work>
  std::uint8_t remember(std::size_t folder, std::u16string_view name, Work&& work) {
    const std::size_t hash = HashOf(name);
    std::size_t entry = folderAt(folder).remembered.find(name, hash);
    if (entry == kNone) {
      const std::uint8_t value = work();
      entry = folderAt(folder).remembered.add(name, hash, value);
    }
    Folder& f = folderAt(folder);
    f.asked.push_back(static_cast<std::uint32_t>(entry));
    return f.remembered.value(entry);
  }

  // The questions remember() was asked in `folder`, in order, each as the number of its
  // spelling; and each spelling's name and value, numbered in the order first asked.
  std::size_t askedCount(std::size_t folder) { return folderAt(folder).asked.size(); }
  std::size_t askedAt(std::size_t folder, std::size_t i) { return folderAt(folder).asked[i]; }
  std::size_t spellingCount(std::size_t folder) { return folderAt(folder).remembered.size(); }
  std::u16string_view spelling(std::size_t folder, std::size_t entry) {
    return folderAt(folder).remembered.name(entry);
  }
  std::uint8_t rememberedValue(std::size_t folder, std::size_t entry) {
    return folderAt(folder).remembered.value(entry);
  }

  // Questions that were passed on to lookUp.
  int lookups() const { return lookups_; }

  // The names in `path`, the folder numbered `folder`, for lookUp functions to answer
  // from: read once for the cache's life (see FolderNames).
  FolderNames& namesIn(std::size_t folder, std::u16string_view path) {
    Folder& f = folderAt(folder);
    if (!f.names) f.names.emplace(std::u16string(path));
    return *f.names;
  }

 private:
  static constexpr std::size_t kNone = NameTable::kNone;

  struct Folder {
    NameTable bySpelling;              // the names as asked
    NameTable byFolded;                // lower-cased
    NameTable remembered;              // by remember(), as asked
    std::vector<std::uint32_t> asked;  // remembered entries, every time asked
    std::optional<FolderNames> names;
  };

  static std::size_t HashOf(std::u16string_view name) { return NameTable::HashOf(name); }
  static std::u16string FoldedName(std::u16string_view name);
  Folder& folderAt(std::size_t folder);

  std::vector<Folder> folders_;
  int lookups_ = 0;
};

}  // namespace platform
