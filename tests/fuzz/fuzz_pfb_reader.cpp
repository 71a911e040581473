// Prefabs travel over the internet: whatever the bytes, the reader ends with one of its
// codes, keeps its names terminated and never accepts more names than it holds.
#include <cstring>

#include "core/ui_text_ids.h"
#include "fuzz_support.h"
#include "maps/map_parsers.h"
#include "fixtures/map_writer.h"

namespace {

using fuzzsupport::Check;

void CheckCounts(const MapCounts& counts, std::uint32_t code) {
  for (const auto& name : counts.sceneryNames)
    Check(std::memchr(name.data(), 0, name.size()) != nullptr);
  Check(counts.sceneryCount == 0);
  Check(code == 0 || code == uitext::kFileDamaged || code == uitext::kSceneryLimit);
  if (code == 0) Check(counts.sceneryInstanceCount <= kMaxSceneryNames);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Both editors' layouts, an empty prefab and one that ends at the waypoint count.
  std::vector<fixtures::PfbSpec> seeds(4);
  seeds[0].polygonCount = 3;
  seeds[0].sceneryNames = {"bush.bmp", "rock.png", "bush.bmp"};
  seeds[0].colliderCount = 1;
  seeds[0].spawnCount = 2;
  seeds[0].waypointCount = 3;
  seeds[0].waypointConnections = {{1}, {2}, {0}};
  seeds[1] = seeds[3] = seeds[0];
  seeds[1].layout = fixtures::PfbLayout::kWithNormals124;
  seeds[2].polygonCount = 0;
  seeds[3].writeWaypointRecords = false;
  fuzzsupport::WriteSeeds(
      seeds, [](const auto& s) { return fixtures::PfbBytes(s); }, ".pfb");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MapCounts counts;
  CheckCounts(counts, ParsePfbPrefab({data, size}, counts));
  return 0;
}
