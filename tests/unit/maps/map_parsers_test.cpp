// The readers read only parts of a file and hand them to the parsers; over the whole file in
// memory the parsers must come to the same result, whatever the counts say and wherever the
// file ends. The readers' own behaviour is tested in maps_test.cpp.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
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

auto Fields(const MapCounts& c) {
  return std::tie(c.polygonCount, c.sceneryInstanceCount, c.sceneryCount, c.sceneryNames,
                  c.spawnCount, c.colliderCount, c.waypointCount);
}

auto Fields(const MapSummary& m) {
  return std::tuple_cat(std::tie(m.description, m.texture, m.jetAmount, m.grenadeKits,
                                 m.medicalKits, m.weather, m.steps),
                        Fields(m.counts));
}

// The file cut inside its head and around each count (a byte before, inside, behind a 16- or
// 32-bit count and a byte into what follows), and whole with a 32-bit value written at each
// count.
std::vector<Bytes> CutsAndPatches(const Bytes& whole, const std::vector<std::size_t>& offsets,
                                  const std::vector<std::int32_t>& values) {
  std::vector<Bytes> files;
  std::vector<std::size_t> cuts = {0, 1, 30, whole.size() - 1};
  for (const std::size_t at : offsets) {
    for (const std::size_t cut : {at - 1, at, at + 1, at + 2, at + 4, at + 5})
      if (cut <= whole.size()) cuts.push_back(cut);
  }
  for (const std::size_t cut : cuts)
    files.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
  for (const std::size_t at : offsets) {
    for (const std::int32_t value : values) {
      Bytes& bytes = files.emplace_back(whole);
      for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
  }
  return files;
}

// A new file for each case: rewriting one file in place makes some file systems flush it.
std::u16string FileName(std::size_t number, std::u16string_view extension) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end()) + std::u16string(extension);
}

class MapParsersTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const int kind : {kKindMap, kKindUncompiledMap, kKindPrefab})
      state.kindFolders[kind] = dir.path();
  }

  testsupport::TempDir dir;
  AppState state;
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
  const std::vector<std::int32_t> values = {-1, 0,       1,
                                            2,  1 << 20, std::numeric_limits<std::int32_t>::min()};
  const auto files =
      CutsAndPatches(whole,
                     {at.polygonCount, at.sectorRange, at.sceneryInstanceCount, at.sceneryCount,
                      at.colliderCount, at.spawnCount, at.waypointCount},
                     values);
  MapSummary fromFile, inMemory;
  for (std::size_t f = 0; f < files.size(); ++f) {
    SCOPED_TRACE(f);
    const std::u16string name = FileName(f, u".pms");
    WriteBytes(dir.file(name), files[f]);
    for (const bool compiledMode : {true, false}) {
      const std::uint32_t code = ReadPmsMap(state, name, fromFile, compiledMode);
      EXPECT_EQ(ParsePmsMap(files[f], inMemory, compiledMode), code);
      EXPECT_TRUE(Fields(fromFile) == Fields(inMemory));
    }
  }
  EXPECT_EQ(ParsePmsMap(whole, inMemory, true), 0u);
}

TEST_F(MapParsersTest, PrefabsOfEitherLayoutReadFromTheFileAsFromTheWholeFileInMemory) {
  for (const PfbLayout layout : {PfbLayout::kClassic88, PfbLayout::kWithNormals124}) {
    SCOPED_TRACE(static_cast<int>(layout));
    PfbSpec recipe;
    recipe.layout = layout;
    recipe.sceneryNames = {"bush.bmp", "rock.bmp"};
    recipe.colliderCount = 1;
    recipe.spawnCount = 2;
    recipe.waypointCount = 2;
    recipe.waypointConnections = {{1}, {0}};
    PfbOffsets at;
    const Bytes whole = PfbBytes(recipe, &at);
    // 16-bit counts: each value patches a count and the first bytes of what follows it.
    const auto files =
        CutsAndPatches(whole, {at.polygonCount, at.sceneryCount, at.colliderCount, at.spawnCount},
                       {0, 1, 0x01F5, 0xFFFF});
    MapCounts fromFile, inMemory;
    for (std::size_t f = 0; f < files.size(); ++f) {
      SCOPED_TRACE(f);
      const std::u16string name = FileName(f, u".pfb");
      WriteBytes(dir.file(name), files[f]);
      const std::uint32_t code = ReadPfbPrefab(state, name, fromFile);
      EXPECT_EQ(ParsePfbPrefab(files[f], inMemory), code);
      EXPECT_TRUE(Fields(fromFile) == Fields(inMemory));
    }
    EXPECT_EQ(ParsePfbPrefab(whole, inMemory), 0u);
  }
}

// The reader does not fill memory with whatever a file holds: a map whose fields lie more
// than 64 MiB behind its polygons is damaged. The file is sparse and costs no disk.
TEST_F(MapParsersTest, MapFieldsFarBehindThePolygonsAreNotReadAndMeanDamage) {
  PmsSpec recipe;
  recipe.sceneryInstanceCount = 0;
  PmsOffsets at;
  Bytes bytes = PmsBytes(recipe, &at);
  const auto write = [&](std::int32_t instances) {
    for (int i = 0; i < 4; ++i)
      bytes[at.sceneryInstanceCount + i] = static_cast<std::uint8_t>(instances >> (8 * i));
    const std::u16string path = dir.file(u"far.pms");
    WriteBytes(path, bytes);
    // The instances fit: the rest of the file, all zero, is their records and further counts.
    std::filesystem::resize_file(NativePath(path), bytes.size() + 44ull * instances + 64);
  };
  MapSummary map;
  write(1 << 20);  // 44 MiB of instances: within reach
  EXPECT_EQ(ReadPmsMap(state, u"far.pms", map, false), 0u);
  write(2 << 20);  // 88 MiB
  EXPECT_EQ(ReadPmsMap(state, u"far.pms", map, false), uitext::kFileDamaged);
}

}  // namespace
