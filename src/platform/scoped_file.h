// A file that lives only as long as its owner: a list or comment file made for one archiver
// run is removed on every way out of the run.
#pragma once

#include <string>

#include "platform/owned.h"
#include "platform/platform.h"

namespace platform {

struct ScopedFileTraits {
  using Value = std::u16string;
  static Value Empty() { return {}; }
  static bool IsEmpty(const Value& path) { return path.empty(); }
  // Nothing is left to do when the file is gone already or cannot be removed.
  static void Release(const Value& path) { static_cast<void>(DeleteFilePath(path)); }
};

// Owns the path, not an open handle: whoever writes the file opens and closes it.
using ScopedFile = Owned<ScopedFileTraits>;

}  // namespace platform
