// Remembers which files exist, for one piece of work that looks up the same names again and
// again: the archive content, where many maps share their sceneries and textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform {

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
      return f.bySpelling.answer(known);
    }
    std::u16string folded = FoldedName(name);
    const std::size_t foldedHash = HashOf(folded);
    std::size_t answer = f.byFolded.find(folded, foldedHash);
    if (answer == kNone) {
      ++lookups_;
      answer = f.byFolded.add(folded, foldedHash, lookUp());
    }
    const bool found = f.byFolded.answer(answer);
    f.bySpelling.add(name, hash, found);
    return found;
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
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Names with one answer each, in an open-addressing table over one buffer of text: a
  // hit costs a hash, a probe or two in one array and one comparison, mostly in memory
  // that the previous questions already brought close.
  class Answers {
   public:
    std::size_t find(std::u16string_view name, std::size_t hash) const;
    std::size_t add(std::u16string_view name, std::size_t hash, bool found);
    bool answer(std::size_t entry) const { return entries_[entry].found; }

   private:
    struct Entry {
      std::size_t hash;
      std::uint32_t offset;  // into text_
      std::uint32_t length;
      bool found;
    };
    void place(std::size_t entry);

    std::vector<char16_t> text_;  // every name, back to back
    std::vector<Entry> entries_;
    // Per slot: the upper half of the entry's hash and entry + 1; 0 for an empty slot. A
    // power of two long.
    std::vector<std::uint64_t> slots_;
  };

  struct Folder {
    Answers bySpelling;  // the names as asked
    Answers byFolded;    // lower-cased
    std::optional<FolderNames> names;
  };

  static std::size_t HashOf(std::u16string_view name) {
    return std::hash<std::u16string_view>{}(name);
  }
  static std::u16string FoldedName(std::u16string_view name);
  Folder& folderAt(std::size_t folder);

  std::vector<Folder> folders_;
  int lookups_ = 0;
};

}  // namespace platform
