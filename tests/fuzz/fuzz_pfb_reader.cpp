// Prefabs travel over the internet: whatever the bytes, the parser ends with one of its
// codes, keeps its names terminated and never accepts more names than it holds.
#include "core/ui_text_ids.h"
#include "fixtures/map_writer.h"
#include "fuzz_support.h"
#include "maps/map_parsers.h"

using fuzzsupport::Check;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fixtures::PfbSpec classic;  // and the same with the other editor's layout
  classic.sceneryNames = {"bush.bmp", "rock.png"};
  classic.spawnCount = 2;
  classic.waypointCount = 3;
  classic.waypointConnections = {{1}, {2}, {0}};
  fixtures::PfbSpec normals = classic;
  normals.layout = fixtures::PfbLayout::kWithNormals124;
  fuzzsupport::WriteSeeds({fixtures::PfbBytes(classic), fixtures::PfbBytes(normals)}, ".pfb");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MapCounts counts;
  const std::uint32_t code = ParsePfbPrefab({data, size}, counts);
  for (const auto& name : counts.sceneryNames) fuzzsupport::CheckTerminated(name);
  Check(counts.sceneryCount == 0);
  Check(code == 0 || code == uitext::kFileDamaged || code == uitext::kSceneryLimit);
  Check(code != 0 || counts.sceneryInstanceCount <= kMaxSceneryNames);
  return 0;
}
