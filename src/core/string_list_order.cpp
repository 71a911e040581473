// StringList's ordering. It compares with the system's case-insensitive comparison, so it
// sits above the platform layer with the text files, apart from the pure list in core.
#include <utility>

#include "core/string_list.h"
#include "platform/platform.h"

void StringList::sortUnique() {
  buildIndex();
  auto greater = [this](std::size_t a, std::size_t b) {
    return platform::CompareNoCase(index_[a]->text(), index_[b]->text()) > 0;
  };
  if (count_ >= 2) {
    // Diminishing-gap insertion sort; the exact procedure decides the order among equal
    // texts, and with it which duplicate survives below.
    const std::size_t last = static_cast<std::size_t>(count_) - 1;
    std::size_t gap = count_ == 2 ? 1 : last / 2;
    while (gap > 0) {
      for (std::size_t i = 0; i + gap <= last; ++i) {
        std::size_t j = i;
        while (greater(j, j + gap)) {
          std::swap(index_[j], index_[j + gap]);
          j = j > gap ? j - gap : 0;
        }
      }
      gap /= 2;
    }
  }
  std::vector<StringNode*> kept;
  kept.reserve(index_.size());
  for (std::size_t p = 0; p < index_.size(); ++p) {
    StringNode* e = index_[p];
    bool drop = e->length == 0;
    if (!drop && p + 1 < index_.size()) {
      const StringNode* after = index_[p + 1];
      drop = e->tag == after->tag && platform::CompareNoCase(e->text(), after->text()) == 0;
    }
    if (drop) {
      freeNode(e);
    } else {
      kept.push_back(e);
    }
  }
  adoptIndex(std::move(kept));
}

void StringList::subtract(const StringList& other, bool ignoreTags) {
  buildIndex();
  std::vector<StringNode*> kept;
  kept.reserve(index_.size());
  std::size_t start = 0;
  const std::size_t otherCount = other.index_.size();
  for (StringNode* e : index_) {
    std::size_t m = start;
    for (; m < otherCount; ++m) {
      const StringNode* o = other.index_[m];
      if ((ignoreTags || o->tag == e->tag) && platform::CompareNoCase(e->text(), o->text()) == 0) {
        break;
      }
    }
    if (m < otherCount) {
      freeNode(e);
      start = m + 1;
    } else {
      kept.push_back(e);
    }
  }
  adoptIndex(std::move(kept));
}
