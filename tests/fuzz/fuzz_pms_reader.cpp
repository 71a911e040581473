// Maps travel over the internet: whatever the bytes, the parser ends with one of its codes,
// keeps its texts terminated and accepts only counts within limits.
#include "core/ui_text_ids.h"
#include "fixtures/map_writer.h"
#include "fuzz_support.h"
#include "maps/map_parsers.h"

using fuzzsupport::Check;
using fuzzsupport::CheckTerminated;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fixtures::PmsSpec full, uncompiled;
  full.sceneryInstanceCount = 6;
  full.sceneryNames = {"tree.bmp", "bush.png", std::string(50, 'x')};
  full.colliderCount = 2;
  full.waypointCount = 3;
  uncompiled.polygonsPerCell = 0;
  fuzzsupport::WriteSeeds(
      {fixtures::PmsBytes({}), fixtures::PmsBytes(full), fixtures::PmsBytes(uncompiled)}, ".pms");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MapSummary map;
  for (const bool compiledMode : {true, false}) {
    const std::uint32_t code = ParsePmsMap({data, size}, map, compiledMode);
    CheckTerminated(map.description);
    CheckTerminated(map.texture);
    for (const auto& name : map.counts.sceneryNames) CheckTerminated(name);
    Check(map.grenadeKits <= 12 && map.medicalKits <= 12 && map.weather <= 3 && map.steps <= 2);
    Check(code == 0 || (code >= uitext::kFileNotFound && code <= uitext::kWaypointLimit));
    const MapCounts& c = map.counts;
    if (code != 0) continue;
    Check(c.polygonCount >= 0 && c.sceneryInstanceCount >= 0 && c.colliderCount >= 0 &&
          c.spawnCount >= 0 && c.waypointCount >= 0 && c.polygonCount <= 10000);
    Check(c.sceneryCount >= 0 && c.sceneryCount <= kMaxSceneryNames);
    Check(!compiledMode || (c.polygonCount >= 1 && c.polygonCount <= 5000 &&
                            c.sceneryInstanceCount <= 500 && c.colliderCount <= 128 &&
                            c.spawnCount >= 1 && c.spawnCount <= 128 && c.waypointCount <= 500));
  }
  return 0;
}
