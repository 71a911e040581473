// What the fuzz targets share: a failed check aborts so that libFuzzer keeps the input; one
// temp folder for files read by name; seeds from the map writer; a window with its combos.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace fuzzsupport {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// A text field of a map or prefab ends inside its array.
template <std::size_t N>
void CheckTerminated(const std::array<char, N>& text) {
  Check(std::memchr(text.data(), 0, N) != nullptr);
}

inline const testsupport::TempDir& Folder() {
  static const testsupport::TempDir dir;
  return dir;
}

// The input as little-endian UTF-16 units, exactly sized so that a read past the end shows.
inline std::u16string Units(const std::uint8_t* data, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  return units;
}

// "seed-<i><extension>" for each byte string, into the folder ZEK_FUZZ_SEED_DIR names.
inline void WriteSeeds(const std::vector<std::vector<std::uint8_t>>& seeds, const char* extension) {
  const char* folder = std::getenv("ZEK_FUZZ_SEED_DIR");
  for (std::size_t i = 0; folder != nullptr && i < seeds.size(); ++i) {
    const std::string name = "seed-" + std::to_string(i) + extension;
    fixtures::WriteBytes((std::filesystem::path(folder) / name).u16string(), seeds[i]);
  }
}

// The compression and recovery combos hold their six and eleven choices.
inline void FillCombos(testsupport::FakeControls& controls) {
  controls.at(ui::Slot::compressionCombo).items.assign(6, u"-");
  controls.at(ui::Slot::recoveryCombo).items.assign(11, u"-");
}

}  // namespace fuzzsupport
