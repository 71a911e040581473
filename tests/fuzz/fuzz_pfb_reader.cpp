// Prefabs travel over the internet: whatever the bytes, the reader ends with one of its
// codes, keeps its names terminated and never accepts more names than it holds.
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

void CheckCounts(const MapCounts& counts, std::uint32_t code) {
  for (const auto& name : counts.sceneryNames)
    Check(std::memchr(name.data(), 0, name.size()) != nullptr);
  Check(counts.sceneryCount == 0);
  Check(code == 0 || code == uitext::kFileDamaged || code == uitext::kSceneryLimit);
  if (code == 0) Check(counts.sceneryInstanceCount <= kMaxSceneryNames);
}

void WriteSeeds(const std::filesystem::path& folder) {
  using testsupport::PfbLayout;
  using testsupport::PfbSpec;
  PfbSpec full;
  full.polygonCount = 3;
  full.sceneryNames = {"bush.bmp", "rock.png", "bush.bmp"};
  full.colliderCount = 1;
  full.spawnCount = 2;
  full.waypointCount = 3;
  full.waypointConnections = {{1}, {2}, {0}};
  PfbSpec normals = full;
  normals.layout = PfbLayout::kWithNormals124;
  PfbSpec empty;
  empty.polygonCount = 0;
  PfbSpec bare = full;
  bare.writeWaypointRecords = false;
  const PfbSpec seeds[] = {full, normals, empty, bare};
  std::filesystem::create_directories(folder);
  for (std::size_t i = 0; i < std::size(seeds); ++i) {
    const auto bytes = testsupport::PfbBytes(seeds[i]);
    WriteFile(folder / ("seed-" + std::to_string(i) + ".pfb"), bytes.data(), bytes.size());
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
    s.kindFolders[kKindPrefab] = folder.path();
    return s;
  }();
  WriteFile(folder.native / "input.pfb", data, size);
  static MapCounts counts;
  CheckCounts(counts, ReadPfbPrefab(state, u"input.pfb", counts));
  return 0;
}
