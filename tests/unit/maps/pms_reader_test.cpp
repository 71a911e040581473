#include "maps/map_readers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/ui_text_ids.h"
#include "fixtures/map_writer.h"
#include "support/maps_fixture.h"

namespace {

using namespace testsupport;
using namespace fixtures;
using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;

constexpr bool kCompiled = true;
constexpr bool kUncompiled = false;
constexpr std::uint32_t kDamaged = uitext::kFileDamaged;

class PmsReaderTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetUpMapsState(state_, dir_)); }

  std::uint32_t ReadBytes(const Bytes& bytes, bool compiledMode) {
    const auto& folder = state_.kindFolders[compiledMode ? kKindMap : kKindUncompiledMap];
    fixtures::WriteBytes(folder + u"test.pms", bytes);
    return ReadPmsMap(state_, u"test.pms", map_, compiledMode);
  }
  std::uint32_t Read(const PmsSpec& recipe, bool compiledMode = kCompiled) {
    return ReadBytes(PmsBytes(recipe), compiledMode);
  }
  // Description, texture and the first `names` scenery names.
  Strings Texts(int names) const {
    Strings texts = {map_.description.data(), map_.texture.data()};
    for (int i = 0; i < names; ++i) texts.emplace_back(map_.counts.sceneryNames[i].data());
    return texts;
  }

  testsupport::TempDir dir_;
  AppState state_;
  MapSummary map_;
};

TEST_F(PmsReaderTest, ReadsHeaderCountsAndTextsCutByTheirLengthBytes) {
  PmsSpec recipe;
  recipe.description = std::string(40, 'd');
  recipe.descriptionLength = 200;  // above the field: the whole field
  recipe.texture = "abcdefghijklmnopqrstuvwxyz";
  recipe.textureLength = 5;
  recipe.jetAmount = -7;
  recipe.grenadeKits = recipe.medicalKits = 12;
  recipe.weather = 3;
  recipe.steps = 2;
  recipe.sceneryInstanceCount = 17;
  recipe.sceneryNames = {std::string(50, 'a'), "b.bmp", "cut.bmp", std::string(55, 'n'), "t.bmp"};
  recipe.sceneryNameLengths = {50, 51, 3, 255};  // above 50: an empty name
  recipe.colliderCount = 3;
  recipe.spawnCount = 9;
  recipe.waypointCount = 11;
  ASSERT_EQ(Read(recipe), 0u);
  EXPECT_EQ(Texts(6), (Strings{std::string(38, 'd'), "abcde", std::string(50, 'a'), "", "cut", "",
                               "t.bmp", ""}));
  const MapCounts& c = map_.counts;
  EXPECT_EQ(std::tuple(map_.jetAmount, map_.grenadeKits, map_.medicalKits, map_.weather, map_.steps,
                       c.polygonCount, c.sceneryInstanceCount, c.sceneryCount, c.colliderCount,
                       c.spawnCount, c.waypointCount),
            std::tuple(-7, 12, 12, 3, 2, recipe.polygonCount, 17, 5, 3, 9, 11));

  // One above the largest kits, weather or steps reads as zero.
  recipe.grenadeKits = recipe.medicalKits = 13;
  recipe.weather = 4;
  recipe.steps = 3;
  ASSERT_EQ(Read(recipe), 0u);
  EXPECT_EQ(std::tuple(map_.grenadeKits, map_.medicalKits, map_.weather, map_.steps),
            std::tuple(0, 0, 0, 0));
}

TEST_F(PmsReaderTest, LimitsAndTheSectorGridDecideTheResult) {
  using namespace uitext;
  using S = PmsSpec;
  const std::tuple<void (*)(S&), std::uint32_t, std::uint32_t> rows[] = {
      {[](S& s) { s.polygonCount = 5000; }, 0, 0},
      {[](S& s) { s.polygonCount = 5001; }, kPolygonLimit, 0},
      {[](S& s) { s.polygonCount = 10000; }, kPolygonLimit, 0},
      {[](S& s) { s.polygonCount = 10001; }, kPolygonLimit, kUncompiledPolygonLimit},
      {[](S& s) { s.polygonCount = 0; }, kNoPolygons, 0},
      {[](S& s) { s.sceneryInstanceCount = 500; }, 0, 0},
      {[](S& s) { s.sceneryInstanceCount = 501; }, kSceneryLimit, 0},
      {[](S& s) { s.sceneryNames.resize(500, "x"); }, 0, 0},
      {[](S& s) { s.sceneryNames.resize(501, "x"); }, kSceneryLimit, kSceneryLimit},
      {[](S& s) { s.colliderCount = 128; }, 0, 0},
      {[](S& s) { s.colliderCount = 129; }, kColliderLimit, 0},
      {[](S& s) { s.spawnCount = 128; }, 0, 0},
      {[](S& s) { s.spawnCount = 129; }, kSpawnLimit, 0},
      {[](S& s) { s.spawnCount = 0; }, kNoSpawns, 0},
      {[](S& s) { s.waypointCount = 500; }, 0, 0},
      {[](S& s) { s.waypointCount = 501; }, kWaypointLimit, 0},
      // An empty grid means the editor has not compiled the map; a negative range is empty.
      {[](S& s) { s.polygonsPerCell = 0; }, kNotCompiled, 0},
      {[](S& s) { s.sectorRange = -3; }, kNotCompiled, 0},
      // The whole grid is walked: only its last cell counts polygons, or N = 0 is one cell.
      {[](S& s) { s.cellCounts = {0, 0, 0, 0, 0, 0, 0, 0, 3}; }, 0, 0},
      {[](S& s) { s.sectorRange = 0, s.cellCounts = {2}; }, 0, 0},
  };
  for (std::size_t r = 0; r < std::size(rows); ++r) {
    SCOPED_TRACE(r);
    const auto& [set, compiled, uncompiled] = rows[r];
    PmsSpec recipe;
    recipe.waypointCount = 7;
    set(recipe);
    EXPECT_EQ(Read(recipe, kCompiled), compiled);
    EXPECT_EQ(Read(recipe, kUncompiled), uncompiled);
    // A reader that lost its place on the way would not find the last count.
    EXPECT_TRUE(uncompiled != 0 || map_.counts.waypointCount == recipe.waypointCount);
  }
}

TEST_F(PmsReaderTest, CutsNegativeCountsAndCountsBeyondTheFileAreDamage) {
  PmsSpec recipe;
  recipe.polygonCount = 20;
  recipe.sceneryNames = {"a.bmp", "b.bmp"};
  PmsOffsets at;
  const Bytes whole = PmsBytes(recipe, &at);
  ASSERT_EQ(ReadBytes(whole, kCompiled), 0u);

  // Cut empty, inside the first value, the description, the texture, a count, the polygons,
  // the grid, the second scenery name, the spawn points or the last count.
  std::vector<Bytes> files;
  for (const std::size_t cut :
       {std::size_t{0}, std::size_t{3}, std::size_t{30}, std::size_t{50}, at.polygonCount + 2,
        at.polygonCount + 4 + 121 * 7, at.sectorRange + 7, at.sceneryCount + 64, at.spawnCount + 20,
        at.waypointCount + 3})
    files.emplace_back(whole.begin(), whole.begin() + cut);
  // Counts patched to be negative or more than the rest of the file holds.
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const auto polygonsHeld = static_cast<std::int32_t>((at.end - at.polygonCount - 8) / 121);
  using O = PmsOffsets;
  const std::pair<std::size_t O::*, std::int32_t> patches[] = {
      {&O::polygonCount, -1},           {&O::polygonCount, polygonsHeld + 1},
      {&O::sectorRange, 1 << 20},       {&O::sectorRange, std::numeric_limits<std::int32_t>::max()},
      {&O::sceneryInstanceCount, kMin}, {&O::sceneryCount, -1},
      {&O::colliderCount, -1},          {&O::spawnCount, kMin},
      {&O::waypointCount, -1}};
  for (const auto& [field, value] : patches) {
    Bytes& bytes = files.emplace_back(whole);
    for (int i = 0; i < 4; ++i) bytes[at.*field + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  for (std::size_t f = 0; f < files.size(); ++f) {
    SCOPED_TRACE(f);
    EXPECT_EQ(ReadBytes(files[f], kCompiled), kDamaged);
    EXPECT_EQ(ReadBytes(files[f], kUncompiled), kDamaged);
  }
  // A text the file ends inside is not half-read; the records before it stay.
  ReadBytes(files[7], kCompiled);
  EXPECT_EQ(Texts(2), (Strings{"A test map", "rock.bmp", "a.bmp", ""}));
}

TEST_F(PmsReaderTest, MissingUnopenableAndForeignNames) {
  PmsSpec recipe;
  recipe.sceneryNames = {"left-over.bmp"};
  ASSERT_EQ(Read(recipe), 0u);
  // Nothing of the previous map survives a failed read.
  EXPECT_EQ(ReadPmsMap(state_, u"absent.pms", map_, kCompiled), uitext::kFileNotFound);
  EXPECT_EQ(Texts(1), (Strings{"", "", ""}));
  // The map lives in the other mode's folder only.
  EXPECT_EQ(ReadPmsMap(state_, u"test.pms", map_, kUncompiled), uitext::kFileNotFound);
  dir_.folder(u"maps/folder.pms");
  EXPECT_EQ(ReadPmsMap(state_, u"folder.pms", map_, kCompiled), uitext::kFailedToOpen);
  // Names from outside never reach beyond the folder.
  fixtures::WriteBytes(dir_.file(u"outside.pms"), PmsBytes(recipe));
  for (const std::u16string_view name : {u"..\\outside.pms", u"../outside.pms", u"..", u""})
    EXPECT_EQ(ReadPmsMap(state_, name, map_, kCompiled), uitext::kFileNotFound);
  AppState unknown;  // no maps folder known yet
  EXPECT_EQ(ReadPmsMap(unknown, u"test.pms", map_, kCompiled), uitext::kFileNotFound);
}

}  // namespace
