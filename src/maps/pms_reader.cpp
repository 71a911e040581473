// Reads a Soldat map far enough to count what it holds, check the counts against the game's
// limits and learn the texture and scenery files it needs. Geometry is skipped, never read:
// the file step reads the head and then what follows the polygons.
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

constexpr std::int64_t kHeadBytes = 92;  // up to and including the polygon count
constexpr std::int64_t kPolygonBytes = 121;
// Real maps hold well under a megabyte behind their polygons. A file whose fields lie further
// on is not read that far, and so counts as damaged, rather than filling memory.
constexpr std::int64_t kMostBytesAfterPolygons = std::int64_t{64} << 20;
constexpr std::int64_t kSceneryInstanceBytes = 44;
constexpr std::int64_t kSceneryNameBytesSkipped = 4;  // behind each scenery file's name
constexpr std::int64_t kColliderBytes = 16;
constexpr std::int64_t kSpawnBytes = 16;

constexpr std::int32_t kMaxPolygons = 5000;
constexpr std::int32_t kMaxUncompiledPolygons = 10000;
constexpr std::int32_t kMaxSceneryInstances = 500;
constexpr std::int32_t kMaxColliders = 128;
constexpr std::int32_t kMaxSpawns = 128;
constexpr std::int32_t kMaxWaypoints = 500;

std::uint8_t ZeroAbove(std::uint8_t value, std::uint8_t largest) {
  return value > largest ? 0 : value;
}

// Everything before the polygon count: texts, jet amount, kits, weather and steps.
bool ReadHeader(ByteCursor& in, MapSummary& map) {
  if (!in.skip(4)) return false;
  if (!maps_detail::ReadLengthText(in, map.description.data(), kDescriptionBytes, false))
    return false;
  if (!maps_detail::ReadLengthText(in, map.texture.data(), kTextureNameBytes, false)) return false;
  if (!in.skip(8) || !in.i32(map.jetAmount)) return false;
  const std::uint8_t* kits = in.take(4);  // grenades, medical kits, weather, steps
  if (kits == nullptr) return false;
  map.grenadeKits = ZeroAbove(kits[0], 12);
  map.medicalKits = ZeroAbove(kits[1], 12);
  map.weather = ZeroAbove(kits[2], 3);
  map.steps = ZeroAbove(kits[3], 2);
  return in.skip(4);
}

std::uint32_t CheckPolygonCount(std::int32_t count, bool compiledMode) {
  if (compiledMode) {
    if (count > kMaxPolygons) return uitext::kPolygonLimit;
    if (count == 0) return uitext::kNoPolygons;
  } else if (count > kMaxUncompiledPolygons) {
    return uitext::kUncompiledPolygonLimit;
  }
  return 0;
}

// Walks the (2N+1)^2 cells of the sector grid, each a 16-bit count and that many 16-bit
// polygon numbers. A negative N is an empty grid. Sets `holdsPolygons` when any cell counts
// a polygon: a map the editor has not compiled has an empty grid.
bool ReadSectorGrid(ByteCursor& in, bool& holdsPolygons) {
  std::int32_t range = 0;
  if (!in.i32(range)) return false;
  holdsPolygons = false;
  if (range < 0) return true;
  const std::int64_t side = 2 * static_cast<std::int64_t>(range) + 1;
  // Every cell holds at least its count; the check is written so that side^2 cannot overflow.
  if (side > in.remaining() / (2 * side)) return false;
  for (std::int64_t cell = side * side; cell > 0; --cell) {
    std::uint16_t polygons = 0;
    if (!in.u16(polygons) || !in.skip(polygons, 2)) return false;
    if (polygons > 0) holdsPolygons = true;
  }
  return true;
}

// The scenery file records; the caller has checked that the summary has room for them.
bool ReadSceneryNames(ByteCursor& in, MapCounts& counts) {
  if (counts.sceneryCount < 0) return false;
  for (std::int32_t i = 0; i < counts.sceneryCount; ++i) {
    if (!maps_detail::ReadLengthText(in, counts.sceneryNames[i].data(), kSceneryNameBytes, true) ||
        !in.skip(kSceneryNameBytesSkipped))
      return false;
  }
  return true;
}

std::uint32_t ReadSceneries(ByteCursor& in, MapCounts& counts, bool compiledMode) {
  if (!in.i32(counts.sceneryInstanceCount)) return kDamaged;
  if (compiledMode && counts.sceneryInstanceCount > kMaxSceneryInstances)
    return uitext::kSceneryLimit;
  if (!in.skip(counts.sceneryInstanceCount, kSceneryInstanceBytes)) return kDamaged;

  if (!in.i32(counts.sceneryCount)) return kDamaged;
  if (counts.sceneryCount > kMaxSceneryNames) return uitext::kSceneryLimit;
  return ReadSceneryNames(in, counts) ? 0 : kDamaged;
}

// Colliders, spawn points and waypoints; nothing behind the waypoint count is read.
std::uint32_t ReadObjectCounts(ByteCursor& in, MapCounts& counts, bool compiledMode) {
  if (!in.i32(counts.colliderCount)) return kDamaged;
  if (compiledMode && counts.colliderCount > kMaxColliders) return uitext::kColliderLimit;
  if (!in.skip(counts.colliderCount, kColliderBytes)) return kDamaged;

  if (!in.i32(counts.spawnCount)) return kDamaged;
  if (compiledMode && counts.spawnCount > kMaxSpawns) return uitext::kSpawnLimit;
  if (compiledMode && counts.spawnCount == 0) return uitext::kNoSpawns;
  if (!in.skip(counts.spawnCount, kSpawnBytes)) return kDamaged;

  if (!in.i32(counts.waypointCount) || counts.waypointCount < 0) return kDamaged;
  if (compiledMode && counts.waypointCount > kMaxWaypoints) return uitext::kWaypointLimit;
  return 0;
}

// The head up to the polygon count, and the polygon limits.
std::uint32_t ParseHead(ByteCursor& in, MapSummary& map, bool compiledMode) {
  if (!ReadHeader(in, map) || !in.i32(map.counts.polygonCount)) return kDamaged;
  return CheckPolygonCount(map.counts.polygonCount, compiledMode);
}

// Everything from the polygons on.
std::uint32_t ParseFromPolygons(ByteCursor& in, MapSummary& map, bool compiledMode) {
  MapCounts& counts = map.counts;
  // The polygons and a 32-bit value ahead of the grid.
  if (!in.skip(counts.polygonCount, kPolygonBytes, 4)) return kDamaged;

  bool gridHoldsPolygons = false;
  if (!ReadSectorGrid(in, gridHoldsPolygons)) return kDamaged;
  if (compiledMode && !gridHoldsPolygons) return uitext::kNotCompiled;

  if (const std::uint32_t code = ReadSceneries(in, counts, compiledMode)) return code;
  return ReadObjectCounts(in, counts, compiledMode);
}

}  // namespace

std::uint32_t ParsePmsMap(std::span<const std::uint8_t> file, MapSummary& summary,
                          bool compiledMode) {
  summary = MapSummary{};
  ByteCursor in(file);
  if (const std::uint32_t code = ParseHead(in, summary, compiledMode)) return code;
  return ParseFromPolygons(in, summary, compiledMode);
}

std::uint32_t ReadPmsMap(const AppState& state, std::u16string_view name, MapSummary& summary,
                         bool compiledMode) {
  // Cleared before anything else so that a missing file never leaves the previous map's texts
  // behind for callers that look at the names whatever the result.
  summary = MapSummary{};
  platform::FileReader file;
  const FileKind kind = compiledMode ? kKindMap : kKindUncompiledMap;
  if (const std::uint32_t code = maps_detail::OpenMapFile(state, kind, name, file)) return code;
  const std::int64_t fileSize = maps_detail::FileSize(file);

  std::array<std::uint8_t, kHeadBytes> head;
  const std::size_t headRead = file.readAt(0, head.data(), head.size());
  ByteCursor in({head.data(), headRead}, 0, fileSize);
  if (const std::uint32_t code = ParseHead(in, summary, compiledMode)) return code;

  // A polygon count the file cannot hold reads nothing more; the parser finds it damaged.
  maps_detail::FileBytes rest;
  if (in.holds(summary.counts.polygonCount, kPolygonBytes)) {
    const std::int64_t polygonsEnd = in.position() + summary.counts.polygonCount * kPolygonBytes;
    rest = maps_detail::FileBytes(file, polygonsEnd, fileSize, kMostBytesAfterPolygons);
    in.window(rest.span(), polygonsEnd);
  }
  return ParseFromPolygons(in, summary, compiledMode);
}
