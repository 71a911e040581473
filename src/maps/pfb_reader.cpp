// Reads a map editor prefab far enough to count what it holds and learn the scenery files
// it uses. Prefabs meet no game limit; only the summary's room for 500 names is one.
#include <cstdint>

#include "core/file_kind.h"
#include "core/ui_text_ids.h"
#include "maps/map_file_reader.h"
#include "maps/map_readers.h"

namespace {

using maps_detail::FieldReader;

constexpr std::uint32_t kDamaged = uitext::kFileDamaged;

// Older editors write 88 bytes per polygon; newer ones add 36 bytes of vertex normals.
constexpr std::int64_t kClassicPolygonBytes = 88;
constexpr std::int64_t kNormalsPolygonBytes = 124;
constexpr std::int64_t kSceneryBytesBeforeName = 37;
constexpr std::int64_t kSceneryRecordBytes = kSceneryBytesBeforeName + 1 + kSceneryNameBytes;
constexpr std::int64_t kColliderBytes = 16;
constexpr std::int64_t kSpawnBytes = 16;
constexpr std::int64_t kWaypointBytes = 25;
constexpr std::int64_t kWaypointLinkBytes = 4;

// Whether the whole file parses with this polygon size: every count and its records fit,
// and the waypoint records and their links end exactly at the end of the file.
bool FitsPolygonSize(FieldReader& in, std::int64_t polygonBytes) {
  in.rewind();
  std::uint16_t polygons, sceneries, colliders, spawns, waypoints, links;
  return in.u16(polygons) && in.skip(polygons, polygonBytes) && in.u16(sceneries) &&
         in.skip(sceneries, kSceneryRecordBytes) && in.u16(colliders) &&
         in.skip(colliders, kColliderBytes) && in.u16(spawns) && in.skip(spawns, kSpawnBytes) &&
         in.u16(waypoints) && in.skip(waypoints, kWaypointBytes) && in.u16(links) &&
         in.remaining() == links * kWaypointLinkBytes;
}

// The file does not say which editor wrote it; a layout that accounts for every byte wins.
// Anything less is no evidence (zero padding inside names reads as plausible counts), so the
// classic layout is kept when both or neither do.
std::int64_t PolygonBytes(FieldReader& in) {
  if (FitsPolygonSize(in, kClassicPolygonBytes)) return kClassicPolygonBytes;
  if (FitsPolygonSize(in, kNormalsPolygonBytes)) return kNormalsPolygonBytes;
  return kClassicPolygonBytes;
}

bool ReadCount(FieldReader& in, std::int32_t& count) {
  std::uint16_t value = 0;
  if (!in.u16(value)) return false;
  count = value;
  return true;
}

// Each scenery record names its own file, so the records are the names.
bool ReadSceneryNames(FieldReader& in, MapCounts& counts) {
  for (std::int32_t i = 0; i < counts.sceneryInstanceCount; ++i) {
    if (!in.skip(kSceneryBytesBeforeName) ||
        !maps_detail::ReadLengthText(in, counts.sceneryNames[i].data(), kSceneryNameBytes, true))
      return false;
  }
  return true;
}

std::uint32_t ReadPrefab(FieldReader& in, MapCounts& counts, std::int64_t polygonBytes) {
  in.rewind();
  if (!ReadCount(in, counts.polygonCount) || !in.skip(counts.polygonCount, polygonBytes))
    return kDamaged;
  if (!ReadCount(in, counts.sceneryInstanceCount)) return kDamaged;
  if (counts.sceneryInstanceCount > kMaxSceneryNames) return uitext::kSceneryLimit;
  if (!ReadSceneryNames(in, counts)) return kDamaged;
  if (!ReadCount(in, counts.colliderCount) || !in.skip(counts.colliderCount, kColliderBytes) ||
      !ReadCount(in, counts.spawnCount) || !in.skip(counts.spawnCount, kSpawnBytes) ||
      !ReadCount(in, counts.waypointCount))
    return kDamaged;
  return 0;
}

}  // namespace

std::uint32_t ReadPfbPrefab(const AppState& state, std::u16string_view name, MapCounts& counts) {
  // Cleared first so that a missing file never leaves the previous prefab's names behind.
  counts = MapCounts{};
  platform::FileReader file;
  const std::uint32_t code = maps_detail::OpenMapFile(state, kKindPrefab, name, file);
  if (code != 0) return code;
  FieldReader in(file);
  return ReadPrefab(in, counts, PolygonBytes(in));
}
