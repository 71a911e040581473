// A temporary file that is deleted when its owner goes out of scope, on every way out of the
// work that made it.
#pragma once

#include <string>

#include "platform/owned.h"
#include "platform/platform.h"

namespace packing {

struct TempFileTraits {
  using Value = std::u16string;
  static std::u16string Empty() { return {}; }
  static bool IsEmpty(const std::u16string& path) { return path.empty(); }
  static void Release(std::u16string& path) { platform::DeleteFilePath(path); }
};
// Holds the path of a file to delete; holding it does not create the file.
using ScopedTempFile = platform::Owned<TempFileTraits>;

}  // namespace packing
