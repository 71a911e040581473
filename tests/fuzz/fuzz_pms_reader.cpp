// Maps travel over the internet: whatever the bytes, the reader ends with one of its codes,
// keeps its texts terminated and, when it accepts a map, accepts only counts within limits.
#include <cstring>

#include "core/ui_text_ids.h"
#include "fuzz_support.h"
#include "maps/map_parsers.h"
#include "fixtures/map_writer.h"

namespace {

using fuzzsupport::Check;

template <std::size_t N>
void CheckTerminated(const std::array<char, N>& text) {
  Check(std::memchr(text.data(), 0, N) != nullptr);
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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::vector<fixtures::PmsSpec> seeds(5);
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
  fuzzsupport::WriteSeeds(
      seeds, [](const auto& s) { return fixtures::PmsBytes(s); }, ".pms");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MapSummary map;
  for (const bool compiledMode : {true, false})
    CheckSummary(map, ParsePmsMap({data, size}, map, compiledMode), compiledMode);
  return 0;
}
