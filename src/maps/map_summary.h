// What the map and prefab readers yield: counts against the game's limits and the names of
// the files a map needs packed with it. Texts are 8-bit ANSI, zero-terminated.
#pragma once

#include <array>
#include <cstdint>

constexpr int kMaxSceneryNames = 500;
constexpr int kSceneryNameBytes = 50;
constexpr int kDescriptionBytes = 38;
constexpr int kTextureNameBytes = 24;

// The tail of a MapSummary; a prefab fills one on its own.
struct MapCounts {
  std::int32_t polygonCount = 0;
  std::int32_t sceneryInstanceCount = 0;
  std::int32_t sceneryCount = 0;  // distinct scenery files of a map; 0 for a prefab
  std::array<std::array<char, kSceneryNameBytes + 1>, kMaxSceneryNames> sceneryNames{};
  std::int32_t spawnCount = 0;
  std::int32_t colliderCount = 0;
  std::int32_t waypointCount = 0;
};

struct MapSummary {
  std::array<char, kDescriptionBytes + 1> description{};
  std::array<char, kTextureNameBytes + 1> texture{};
  std::int32_t jetAmount = 0;
  std::uint8_t grenadeKits = 0;
  std::uint8_t medicalKits = 0;
  std::uint8_t weather = 0;  // 0 none, 1 rain, 2 sand storm, 3 snow
  std::uint8_t steps = 0;    // 0 hard, 1 soft, 2 none
  MapCounts counts;
};
