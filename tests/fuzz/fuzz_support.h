// What the fuzz targets share: a failed check aborts, so that libFuzzer keeps the input; one
// temp folder for the files that readers open by name; seeds written by the map writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"

namespace fuzzsupport {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// Removed when the run ends.
inline const testsupport::TempDir& Folder() {
  static const testsupport::TempDir dir;
  return dir;
}

// Writes "seed-<i><extension>" for each recipe into the folder that ZEK_FUZZ_SEED_DIR names, so
// that a run starts from files the readers accept; nothing when it is not set.
template <typename Recipe, typename ToBytes>
void WriteSeeds(const std::vector<Recipe>& specs, ToBytes toBytes, std::string_view extension) {
  const char* folder = std::getenv("ZEK_FUZZ_SEED_DIR");
  if (folder == nullptr) return;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const std::string name = "seed-" + std::to_string(i) + std::string(extension);
    fixtures::WriteBytes((std::filesystem::path(folder) / name).u16string(), toBytes(specs[i]));
  }
}

}  // namespace fuzzsupport
