#include "core/string_list.h"

#include <cassert>
#include <cstring>
#include <new>
#include <utility>

StringList::StringList(StringList&& other) noexcept
    : count_(std::exchange(other.count_, 0)),
      index_(std::move(other.index_)),
      head_(std::exchange(other.head_, nullptr)),
      tail_(std::exchange(other.tail_, nullptr)) {
  other.index_.clear();
}

StringList& StringList::operator=(StringList&& other) noexcept {
  if (this != &other) {
    clear();
    count_ = std::exchange(other.count_, 0);
    index_ = std::move(other.index_);
    other.index_.clear();
    head_ = std::exchange(other.head_, nullptr);
    tail_ = std::exchange(other.tail_, nullptr);
  }
  return *this;
}

StringNode* StringList::makeNode(std::u16string_view text, std::uint8_t tag) {
  void* block = ::operator new(sizeof(StringNode) + (text.size() + 1) * sizeof(char16_t));
  auto* node = new (block) StringNode;
  node->tag = tag;
  node->length = static_cast<std::uint32_t>(text.size());
  auto* chars = reinterpret_cast<char16_t*>(node + 1);
  if (!text.empty()) std::memcpy(chars, text.data(), text.size() * sizeof(char16_t));
  chars[text.size()] = u'\0';
  return node;
}

void StringList::freeNode(StringNode* node) {
  node->~StringNode();
  ::operator delete(node);
}

void StringList::add(std::u16string_view text, std::uint8_t tag) {
  StringNode* node = makeNode(text, tag);
  if (tail_ != nullptr) {
    tail_->next = node;
    ++count_;
  } else {
    head_ = node;
    count_ = 1;
  }
  tail_ = node;
}

std::u16string_view StringList::textAt(std::int32_t position) const {
  return nodeAt(position)->text();
}

const StringNode* StringList::nodeAt(std::int32_t position) const {
  assert(position >= 0 && static_cast<std::size_t>(position) < index_.size());
  return index_[static_cast<std::size_t>(position)];
}

void StringList::buildIndex() {
  index_.clear();
  index_.reserve(static_cast<std::size_t>(count_));
  for (StringNode* n = head_; n != nullptr; n = n->next) index_.push_back(n);
}

void StringList::relink() {
  if (count_ == 0) {
    head_ = tail_ = nullptr;
    return;
  }
  head_ = index_.front();
  for (std::size_t p = 0; p + 1 < index_.size(); ++p) index_[p]->next = index_[p + 1];
  tail_ = index_.back();
  tail_->next = nullptr;
}

void StringList::adoptIndex(std::vector<StringNode*>&& kept) {
  index_ = std::move(kept);
  count_ = static_cast<std::int32_t>(index_.size());
  relink();
}

void StringList::clear() {
  StringNode* n = head_;
  while (n != nullptr) {
    StringNode* next = n->next;
    freeNode(n);
    n = next;
  }
  index_.clear();
  index_.shrink_to_fit();
  count_ = 0;
  head_ = tail_ = nullptr;
}
