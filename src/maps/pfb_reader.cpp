// Reads a map editor prefab far enough to count what it holds and learn the scenery files
// it uses. Prefabs meet no game limit; only the summary's room for 500 names is one.
#include <array>
#include <cstdint>

#include "core/file_kind.h"
#include "core/ui_text_ids.h"
#include "maps/map_bytes.h"
#include "maps/map_file_reader.h"
#include "maps/map_parsers.h"
#include "maps/map_readers.h"

namespace {

using maps_detail::ByteCursor;

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

constexpr std::int64_t kCountBytes = 2;
constexpr std::int64_t kLargestCount = 0xFFFF;
// The furthest the parser looks behind 88-byte polygons: the normals of the larger layout,
// then five counts and the largest records between them, up to the link count. The links
// themselves are only measured against the file's size.
constexpr std::int64_t kMostBytesAfterClassicPolygons =
    kLargestCount * (kNormalsPolygonBytes - kClassicPolygonBytes + kSceneryRecordBytes +
                     kColliderBytes + kSpawnBytes + kWaypointBytes) +
    5 * kCountBytes;

// Whether the file after the polygon count parses with this polygon size: every count and
// its records fit, and the waypoint records and their links end exactly at the end of the file.
bool FitsPolygonSize(ByteCursor in, std::uint16_t polygons, std::int64_t polygonBytes) {
  std::uint16_t sceneries, colliders, spawns, waypoints, links;
  return in.skip(polygons, polygonBytes) && in.u16(sceneries) &&
         in.skip(sceneries, kSceneryRecordBytes) && in.u16(colliders) &&
         in.skip(colliders, kColliderBytes) && in.u16(spawns) && in.skip(spawns, kSpawnBytes) &&
         in.u16(waypoints) && in.skip(waypoints, kWaypointBytes) && in.u16(links) &&
         in.remaining() == links * kWaypointLinkBytes;
}

// The file does not say which editor wrote it; a layout that accounts for every byte wins.
// Anything less is no evidence (zero padding inside names reads as plausible counts), so the
// classic layout is kept when both or neither do.
std::int64_t PolygonBytes(const ByteCursor& in, std::uint16_t polygons) {
  if (FitsPolygonSize(in, polygons, kClassicPolygonBytes)) return kClassicPolygonBytes;
  if (FitsPolygonSize(in, polygons, kNormalsPolygonBytes)) return kNormalsPolygonBytes;
  return kClassicPolygonBytes;
}

bool ReadCount(ByteCursor& in, std::int32_t& count) {
  std::uint16_t value = 0;
  if (!in.u16(value)) return false;
  count = value;
  return true;
}

// Each scenery record names its own file, so the records are the names.
bool ReadSceneryNames(ByteCursor& in, MapCounts& counts) {
  for (std::int32_t i = 0; i < counts.sceneryInstanceCount; ++i) {
    if (!in.skip(kSceneryBytesBeforeName) ||
        !maps_detail::ReadLengthText(in, counts.sceneryNames[i].data(), kSceneryNameBytes, true))
      return false;
  }
  return true;
}

// Everything behind the polygon count.
std::uint32_t ParseFromPolygons(ByteCursor& in, std::uint16_t polygons, MapCounts& counts) {
  counts.polygonCount = polygons;
  if (!in.skip(polygons, PolygonBytes(in, polygons))) return kDamaged;
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

std::uint32_t ParsePfbPrefab(std::span<const std::uint8_t> file, MapCounts& counts) {
  counts = MapCounts{};
  ByteCursor in(file);
  std::uint16_t polygons = 0;
  if (!in.u16(polygons)) return kDamaged;
  return ParseFromPolygons(in, polygons, counts);
}

std::uint32_t ReadPfbPrefab(const AppState& state, std::u16string_view name, MapCounts& counts) {
  // Cleared first so that a missing file never leaves the previous prefab's names behind.
  counts = MapCounts{};
  platform::FileReader file;
  const std::uint32_t code = maps_detail::OpenMapFile(state, kKindPrefab, name, file);
  if (code != 0) return code;
  const std::int64_t fileSize = maps_detail::FileSize(file);

  std::array<std::uint8_t, kCountBytes> head;
  const std::size_t headRead = file.readAt(0, head.data(), head.size());
  ByteCursor in({head.data(), headRead}, 0, fileSize);
  std::uint16_t polygons = 0;
  if (!in.u16(polygons)) return kDamaged;

  // Either layout's polygons end at or behind the classic ones: one read serves both.
  maps_detail::FileBytes rest;
  if (in.holds(polygons, kClassicPolygonBytes)) {
    const std::int64_t polygonsEnd = in.position() + polygons * kClassicPolygonBytes;
    rest = maps_detail::FileBytes(file, polygonsEnd, fileSize, kMostBytesAfterClassicPolygons);
    in.window(rest.span(), polygonsEnd);
  }
  return ParseFromPolygons(in, polygons, counts);
}
