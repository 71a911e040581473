// The readers read only the parts of a file the parsers need; over the whole file in memory
// the parsers must come to the same result, whatever the counts say and wherever it ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/ui_text_ids.h"
#include "fixtures/map_writer.h"
#include "maps/map_parsers.h"
#include "maps/map_readers.h"
#include "support/temp_dir.h"

namespace {

using namespace fixtures;
using Bytes = std::vector<std::uint8_t>;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

auto Fields(const MapCounts& c) {
  return std::tie(c.polygonCount, c.sceneryInstanceCount, c.sceneryCount, c.sceneryNames,
                  c.spawnCount, c.colliderCount, c.waypointCount);
}
auto Fields(const MapSummary& m) {
  return std::tuple_cat(std::tie(m.description, m.texture, m.jetAmount, m.grenadeKits,
                                 m.medicalKits, m.weather, m.steps),
                        Fields(m.counts));
}

struct Case {
  Bytes bytes;
  bool damaged;
};

// The file cut inside its head and around each count (before, inside, behind it and a byte
// into what follows), and whole with each value written at each count. A file cut before
// `readEnd` is damaged; `damage` tells which patched files are.
std::vector<Case> CutsAndPatches(const Bytes& whole, const std::vector<std::size_t>& offsets,
                                 const std::vector<std::int32_t>& values,
                                 const std::function<bool(std::size_t, std::int32_t)>& damage,
                                 std::size_t readEnd) {
  std::vector<Case> cases;
  std::vector<std::size_t> cuts = {0, 1, 30, whole.size() - 1};
  for (const std::size_t at : offsets)
    for (const std::size_t cut : {at - 1, at, at + 1, at + 2, at + 4, at + 5})
      if (cut < whole.size()) cuts.push_back(cut);
  for (const std::size_t cut : cuts)
    cases.push_back(
        {Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)), cut < readEnd});
  for (const std::size_t at : offsets) {
    for (const std::int32_t value : values) {
      Case& c = cases.emplace_back(Case{whole, damage(at, value)});
      for (std::size_t i = 0; i < 4 && at + i < whole.size(); ++i)
        c.bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
  }
  return cases;
}

class MapParsersTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const int kind : {kKindMap, kKindUncompiledMap, kKindPrefab})
      state.kindFolders[kind] = dir.path();
  }
  // A new file for each case: rewriting one file in place makes some file systems flush it.
  std::u16string Write(const Bytes& bytes, std::u16string_view extension) {
    const std::string digits = std::to_string(++files);
    const std::u16string name =
        std::u16string(digits.begin(), digits.end()) + std::u16string(extension);
    WriteBytes(dir.file(name), bytes);
    return name;
  }

  testsupport::TempDir dir;
  AppState state;
  int files = 0;
};

TEST_F(MapParsersTest, MapsReadFromTheFileAsFromTheWholeFileInMemory) {
  PmsSpec recipe;
  recipe.polygonCount = 3;
  recipe.sceneryInstanceCount = 2;
  recipe.sceneryNames = {"tree.bmp", "rock.bmp"};
  recipe.colliderCount = 1;
  recipe.waypointCount = 2;
  PmsOffsets at;
  const Bytes whole = PmsBytes(recipe, &at);
  MapSummary fromFile, inMemory;
  ASSERT_EQ(ParsePmsMap(whole, inMemory, true), 0u);
  // A negative count is damage; a negative grid is empty, and a large one more than the file.
  const auto damage = [&](std::size_t field, std::int32_t value) {
    return field == at.sectorRange ? value > 2 : value < 0;
  };
  for (const Case& c :
       CutsAndPatches(whole,
                      {at.polygonCount, at.sectorRange, at.sceneryInstanceCount, at.sceneryCount,
                       at.colliderCount, at.spawnCount, at.waypointCount},
                      {-1, 0, 1, 2, 1 << 20, kMax, kMin}, damage, whole.size())) {
    SCOPED_TRACE(files);
    const std::u16string name = Write(c.bytes, u".pms");
    for (const bool compiledMode : {true, false}) {
      const std::uint32_t code = ReadPmsMap(state, name, fromFile, compiledMode);
      EXPECT_EQ(ParsePmsMap(c.bytes, inMemory, compiledMode), code);
      EXPECT_TRUE(Fields(fromFile) == Fields(inMemory));
      EXPECT_TRUE(!c.damaged || code == uitext::kFileDamaged) << code;
    }
  }
}

TEST_F(MapParsersTest, PrefabsOfEitherLayoutReadFromTheFileAsFromTheWholeFileInMemory) {
  for (const PfbLayout layout : {PfbLayout::kClassic88, PfbLayout::kWithNormals124}) {
    PfbSpec recipe;
    recipe.layout = layout;
    recipe.sceneryNames = {"bush.bmp", "rock.bmp"};
    recipe.colliderCount = 1;
    recipe.spawnCount = 2;
    recipe.waypointCount = 2;
    recipe.waypointConnections = {{1}, {0}};
    PfbOffsets at;
    const Bytes whole = PfbBytes(recipe, &at);
    MapCounts fromFile, inMemory;
    ASSERT_EQ(ParsePfbPrefab(whole, inMemory), 0u);
    // 16-bit counts: each value patches a count and the first bytes of what follows it. A cut
    // classic file is damaged up to its waypoint count; the other layout, cut, reads as classic.
    for (const Case& c : CutsAndPatches(
             whole,
             {at.polygonCount, at.sceneryCount, at.colliderCount, at.spawnCount, at.waypointCount},
             {0, 1, 0x01F5, 0xFFFF}, [](std::size_t, std::int32_t) { return false; },
             layout == PfbLayout::kClassic88 ? at.waypointCount + 2 : 0)) {
      SCOPED_TRACE(files);
      const std::uint32_t code = ReadPfbPrefab(state, Write(c.bytes, u".pfb"), fromFile);
      EXPECT_EQ(ParsePfbPrefab(c.bytes, inMemory), code);
      EXPECT_TRUE(Fields(fromFile) == Fields(inMemory));
      EXPECT_TRUE(!c.damaged || code == uitext::kFileDamaged) << code;
    }
  }
}

// A map whose fields lie more than 64 MiB behind its polygons is damaged: the reader does not
// fill memory with whatever a file holds. The file is sparse and costs no disk.
TEST_F(MapParsersTest, MapFieldsFarBehindThePolygonsAreNotReadAndMeanDamage) {
  PmsSpec recipe;
  PmsOffsets at;
  Bytes bytes = PmsBytes(recipe, &at);
  MapSummary map;
  for (const auto& [instances, code] : {std::pair{1 << 20, 0u}, {2 << 20, uitext::kFileDamaged}}) {
    for (int i = 0; i < 4; ++i)
      bytes[at.sceneryInstanceCount + i] = static_cast<std::uint8_t>(instances >> (8 * i));
    const std::u16string name = Write(bytes, u".pms");
    // The rest of the file, all zero, is the instances' records and further counts.
    std::filesystem::resize_file(NativePath(dir.file(name)), bytes.size() + 44ull * instances + 64);
    EXPECT_EQ(ReadPmsMap(state, name, map, false), code);
  }
}

}  // namespace
