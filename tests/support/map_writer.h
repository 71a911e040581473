// Writes Soldat map (.PMS) and prefab (.PFB) files with chosen counts, names and cut-off
// points, for tests, fuzz seeds and benchmarks.
#pragma once

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
  std::int32_t sectorRange = 1;       // N: the grid has (2N+1)^2 cells
  std::uint16_t polygonsPerCell = 1;  // count written in every cell
  std::int32_t sceneryInstanceCount = 0;
  std::vector<std::string> sceneryNames;  // one record per name
  std::optional<std::int32_t> sceneryCount;  // the count field; default: sceneryNames.size()
  std::vector<std::uint8_t> sceneryNameLengths;  // per name, overrides the length byte
  std::int32_t colliderCount = 0;
  std::int32_t spawnCount = 2;
  std::int32_t waypointCount = 0;
  std::optional<std::size_t> cutAt;  // keep only this many bytes of the file
};

enum class PfbLayout { kClassic88, kWithNormals124 };

struct PfbSpec {
  std::uint16_t polygonCount = 2;
  std::vector<std::string> sceneryNames;  // one scenery record per name
  std::optional<std::uint16_t> sceneryCount;  // the count field; default: sceneryNames.size()
  std::vector<std::uint8_t> sceneryNameLengths;
  std::uint16_t colliderCount = 0;
  std::uint16_t spawnCount = 0;
  std::uint16_t waypointCount = 0;
  std::vector<std::vector<std::uint16_t>> waypointConnections;  // written after the count
  PfbLayout layout = PfbLayout::kClassic88;
  std::optional<std::size_t> cutAt;
};

std::vector<std::uint8_t> PmsBytes(const PmsSpec& spec);
std::vector<std::uint8_t> PfbBytes(const PfbSpec& spec);

}  // namespace testsupport
