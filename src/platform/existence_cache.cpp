#include "platform/existence_cache.h"

#include <cstring>

#include "platform/platform.h"

namespace platform {

namespace {

std::uint64_t SlotTag(std::size_t hash) {
  return static_cast<std::uint64_t>(hash) & 0xFFFF'FFFF'0000'0000u;
}

}  // namespace

std::size_t NameTable::find(std::u16string_view name, std::size_t hash) const {
  if (slots_.empty()) return kNone;
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t tag = SlotTag(hash);
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint64_t slot = slots_[i];
    if (slot == 0) return kNone;
    if ((slot & 0xFFFF'FFFF'0000'0000u) != tag) continue;
    const std::size_t entry = static_cast<std::size_t>(slot & 0xFFFF'FFFFu) - 1;
    const Entry& e = entries_[entry];
    if (e.length == name.size() &&
        std::memcmp(text_.data() + e.offset, name.data(), name.size() * sizeof(char16_t)) == 0) {
      return entry;
    }
  }
}

std::size_t NameTable::add(std::u16string_view name, std::size_t hash, std::uint8_t value) {
  entries_.push_back(
      {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(name.size()), value});
  text_.insert(text_.end(), name.begin(), name.end());
  // At most half full, so that probes stay short and always end at an empty slot.
  if (entries_.size() * 2 > slots_.size()) {
    slots_.assign(slots_.empty() ? 64 : slots_.size() * 2, 0);
    for (std::size_t e = 0; e + 1 < entries_.size(); ++e) place(e, HashOf(this->name(e)));
  }
  place(entries_.size() - 1, hash);
  return entries_.size() - 1;
}

void NameTable::place(std::size_t entry, std::size_t hash) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i] != 0) i = (i + 1) & mask;
  slots_[i] = SlotTag(hash) | static_cast<std::uint64_t>(entry + 1);
}

std::u16string ExistenceCache::FoldedName(std::u16string_view name) {
  return LowerCase(name);
}

ExistenceCache::Folder& ExistenceCache::folderAt(std::size_t folder) {
  if (folder >= folders_.size()) folders_.resize(folder + 1);
  return folders_[folder];
}

}  // namespace platform
