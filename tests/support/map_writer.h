// Writes Soldat map (.PMS) and prefab (.PFB) files with chosen counts, names and cut-off
// points, for tests, fuzz seeds and benchmarks. Records the readers skip are filled with a
// varying byte pattern, so that a reader that lands in the wrong place reads nonsense.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct PmsSpec {
  std::string description = "A test map";
  std::optional<std::uint8_t> descriptionLength;  // the length byte; default: the text's
  std::string texture = "rock.bmp";
  std::optional<std::uint8_t> textureLength;
  std::int32_t jetAmount = 190;
  std::uint8_t grenadeKits = 3;
  std::uint8_t medicalKits = 4;
  std::uint8_t weather = 0;
  std::uint8_t steps = 0;
  std::int32_t polygonCount = 10;
  std::int32_t sectorRange = 1;           // N: the grid has (2N+1)^2 cells
  std::uint16_t polygonsPerCell = 1;      // count written in every cell
  std::vector<std::uint16_t> cellCounts;  // per cell in file order, overrides polygonsPerCell
  std::int32_t sceneryInstanceCount = 0;
  std::vector<std::string> sceneryNames;         // one record per name
  std::optional<std::int32_t> sceneryCount;      // the count field; default: sceneryNames.size()
  std::vector<std::uint8_t> sceneryNameLengths;  // per name, overrides the length byte
  std::int32_t colliderCount = 0;
  std::int32_t spawnCount = 2;
  std::int32_t waypointCount = 0;
  std::optional<std::size_t> cutAt;  // keep only this many bytes of the file
};

enum class PfbLayout { kClassic88, kWithNormals124 };

struct PfbSpec {
  std::uint16_t polygonCount = 2;
  std::vector<std::string> sceneryNames;      // one scenery record per name
  std::optional<std::uint16_t> sceneryCount;  // the count field; default: sceneryNames.size()
  std::vector<std::uint8_t> sceneryNameLengths;
  std::uint16_t colliderCount = 0;
  std::uint16_t spawnCount = 0;
  std::uint16_t waypointCount = 0;
  // Per waypoint, the waypoints it links to. Behind the waypoint count the editor writes the
  // 25-byte waypoint records, then a 16-bit link count and 4 bytes (from, to) per link.
  std::vector<std::vector<std::uint16_t>> waypointConnections;
  bool writeWaypointRecords = true;    // false: the file ends right after the waypoint count
  std::vector<std::uint8_t> trailing;  // appended after everything else
  PfbLayout layout = PfbLayout::kClassic88;
  std::optional<std::size_t> cutAt;
};

// Where each count field starts in the file written for a recipe (before any cut), and the
// length of the whole uncut file.
struct PmsOffsets {
  std::size_t polygonCount = 0;
  std::size_t sectorRange = 0;
  std::size_t sceneryInstanceCount = 0;
  std::size_t sceneryCount = 0;
  std::size_t colliderCount = 0;
  std::size_t spawnCount = 0;
  std::size_t waypointCount = 0;
  std::size_t end = 0;
};

struct PfbOffsets {
  std::size_t polygonCount = 0;
  std::size_t sceneryCount = 0;
  std::size_t colliderCount = 0;
  std::size_t spawnCount = 0;
  std::size_t waypointCount = 0;
  std::size_t end = 0;
};

std::vector<std::uint8_t> PmsBytes(const PmsSpec& recipe, PmsOffsets* offsets = nullptr);
std::vector<std::uint8_t> PfbBytes(const PfbSpec& recipe, PfbOffsets* offsets = nullptr);

}  // namespace testsupport
