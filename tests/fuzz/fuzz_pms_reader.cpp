// Maps travel over the internet: whatever the bytes, the reader ends with one of its codes,
// keeps its texts terminated and, when it accepts a map, accepts only counts within limits.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "core/ui_text_ids.h"
#include "maps/map_readers.h"
#include "support/map_writer.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

template <std::size_t N>
void CheckTerminated(const std::array<char, N>& text) {
  Check(std::memchr(text.data(), 0, N) != nullptr);
}

struct Folder {
  std::filesystem::path native =
      std::filesystem::temp_directory_path() / ("zek-fuzz-" + std::to_string(::getpid()));
  Folder() { std::filesystem::create_directories(native); }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(native, ignored);
  }
  std::u16string path() const { return native.u16string() + u"/"; }
};

void WriteFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CheckSummary(const MapSummary& map, std::uint32_t code, bool compiledMode) {
  CheckTerminated(map.description);
  CheckTerminated(map.texture);
  for (const auto& name : map.counts.sceneryNames) CheckTerminated(name);
  Check(map.grenadeKits <= 12 && map.medicalKits <= 12 && map.weather <= 3 && map.steps <= 2);
  Check(code == 0 || (code >= uitext::kFileNotFound && code <= uitext::kWaypointLimit));
  if (code != 0) return;
  const MapCounts& c = map.counts;
  Check(c.polygonCount >= 0 && c.sceneryInstanceCount >= 0 && c.colliderCount >= 0 &&
        c.spawnCount >= 0 && c.waypointCount >= 0);
  Check(c.sceneryCount >= 0 && c.sceneryCount <= kMaxSceneryNames);
  if (compiledMode) {
    Check(c.polygonCount >= 1 && c.polygonCount <= 5000 && c.sceneryInstanceCount <= 500 &&
          c.colliderCount <= 128 && c.spawnCount >= 1 && c.spawnCount <= 128 &&
          c.waypointCount <= 500);
  } else {
    Check(c.polygonCount <= 10000);
  }
}

void WriteSeeds(const std::filesystem::path& folder) {
  using testsupport::PmsSpec;
  std::vector<PmsSpec> seeds(5);
  seeds[1].sceneryInstanceCount = 6;
  seeds[1].sceneryNames = {"tree.bmp", "bush.png", std::string(50, 'x')};
  seeds[1].colliderCount = 2;
  seeds[1].waypointCount = 3;
  seeds[2].polygonCount = 0;
  seeds[2].polygonsPerCell = 0;
  seeds[3].sectorRange = 0;
  seeds[3].cellCounts = {4};
  seeds[4].sectorRange = -1;
  seeds[4].descriptionLength = 200;
  seeds[4].weather = 9;
  std::filesystem::create_directories(folder);
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    const auto bytes = testsupport::PmsBytes(seeds[i]);
    WriteFile(folder / ("seed-" + std::to_string(i) + ".pms"), bytes.data(), bytes.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* seedFolder = std::getenv("ZEK_FUZZ_SEED_DIR")) WriteSeeds(seedFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Folder folder;
  static AppState state = [] {
    AppState s;
    s.kindFolders[kKindMap] = folder.path();
    s.kindFolders[kKindUncompiledMap] = folder.path();
    return s;
  }();
  WriteFile(folder.native / "input.pms", data, size);
  static MapSummary map;
  for (const bool compiledMode : {true, false}) {
    const std::uint32_t code = ReadPmsMap(state, u"input.pms", map, compiledMode);
    CheckSummary(map, code, compiledMode);
  }
  return 0;
}
