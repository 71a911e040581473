#include "maps/map_readers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/ui_text_ids.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"

namespace {

using testsupport::PmsBytes;
using testsupport::PmsOffsets;
using testsupport::PmsSpec;

constexpr bool kCompiled = true;
constexpr bool kUncompiled = false;

void PatchI32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(u >> (8 * i));
}

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("scenery" + std::to_string(i) + ".bmp");
  return names;
}

class PmsReaderTest : public testing::Test {
 protected:
  PmsReaderTest() {
    state_.kindFolders[kKindMap] = dir_.folder(u"maps");
    state_.kindFolders[kKindUncompiledMap] = dir_.folder(u"Uncompiled");
  }

  std::uint32_t ReadBytes(const std::vector<std::uint8_t>& bytes, bool compiledMode) {
    const auto& folder = state_.kindFolders[compiledMode ? kKindMap : kKindUncompiledMap];
    testsupport::WriteBytes(folder + u"test.pms", bytes);
    return ReadPmsMap(state_, u"test.pms", map_, compiledMode);
  }
  std::uint32_t Read(const PmsSpec& spec, bool compiledMode = kCompiled) {
    return ReadBytes(PmsBytes(spec), compiledMode);
  }
  // A valid map whose count at the given offset is replaced; for counts too large to write.
  std::uint32_t ReadWithCount(std::size_t PmsOffsets::*field, std::int32_t value, bool compiledMode,
                              PmsSpec spec = {}) {
    PmsOffsets offsets;
    auto bytes = PmsBytes(spec, &offsets);
    PatchI32(bytes, offsets.*field, value);
    return ReadBytes(bytes, compiledMode);
  }

  testsupport::TempDir dir_;
  AppState state_;
  MapSummary map_;
};

TEST_F(PmsReaderTest, ReadsHeaderTextsCountsAndSceneryNames) {
  PmsSpec spec;
  spec.description = "Ctf_Ash by someone";
  spec.texture = "rock.png";
  spec.jetAmount = -7;
  spec.grenadeKits = 12;
  spec.medicalKits = 5;
  spec.weather = 3;
  spec.steps = 2;
  spec.polygonCount = 42;
  spec.sectorRange = 2;
  spec.sceneryInstanceCount = 17;
  spec.sceneryNames = {"tree.bmp", "rock.png"};
  spec.colliderCount = 3;
  spec.spawnCount = 9;
  spec.waypointCount = 11;

  ASSERT_EQ(Read(spec), 0u);
  EXPECT_STREQ(map_.description.data(), "Ctf_Ash by someone");
  EXPECT_STREQ(map_.texture.data(), "rock.png");
  EXPECT_EQ(map_.jetAmount, -7);
  EXPECT_EQ(map_.grenadeKits, 12);
  EXPECT_EQ(map_.medicalKits, 5);
  EXPECT_EQ(map_.weather, 3);
  EXPECT_EQ(map_.steps, 2);
  const MapCounts& c = map_.counts;
  EXPECT_EQ(c.polygonCount, 42);
  EXPECT_EQ(c.sceneryInstanceCount, 17);
  EXPECT_EQ(c.sceneryCount, 2);
  EXPECT_STREQ(c.sceneryNames[0].data(), "tree.bmp");
  EXPECT_STREQ(c.sceneryNames[1].data(), "rock.png");
  EXPECT_STREQ(c.sceneryNames[2].data(), "");
  EXPECT_EQ(c.colliderCount, 3);
  EXPECT_EQ(c.spawnCount, 9);
  EXPECT_EQ(c.waypointCount, 11);
}

TEST_F(PmsReaderTest, TextLengthBytesCutOrFillTheFields) {
  PmsSpec spec;
  spec.description = std::string(40, 'd');
  spec.descriptionLength = 200;  // above the field: the whole field
  spec.texture = "abcdefghijklmnopqrstuvwxyz";
  spec.textureLength = 5;
  spec.sceneryNames = {std::string(50, 'a'), "b.bmp", "cut.bmp", std::string(55, 'n')};
  spec.sceneryNameLengths = {50, 51, 3, 255};  // above 50: an empty name
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(std::string(map_.description.data()), std::string(38, 'd'));
  EXPECT_STREQ(map_.texture.data(), "abcde");
  EXPECT_EQ(std::string(map_.counts.sceneryNames[0].data()), std::string(50, 'a'));
  EXPECT_STREQ(map_.counts.sceneryNames[1].data(), "");
  EXPECT_STREQ(map_.counts.sceneryNames[2].data(), "cut");
  EXPECT_STREQ(map_.counts.sceneryNames[3].data(), "");

  spec.textureLength = 100;  // the texture field is the whole 24 bytes
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_STREQ(map_.texture.data(), "abcdefghijklmnopqrstuvwx");
}

TEST_F(PmsReaderTest, OutOfRangeKitsWeatherAndStepsBecomeZero) {
  PmsSpec spec;
  spec.grenadeKits = 13;
  spec.medicalKits = 255;
  spec.weather = 7;
  spec.steps = 3;
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(map_.grenadeKits, 0);
  EXPECT_EQ(map_.medicalKits, 0);
  EXPECT_EQ(map_.weather, 0);
  EXPECT_EQ(map_.steps, 0);

  spec.grenadeKits = 12;
  spec.medicalKits = 12;
  spec.weather = 4;
  spec.steps = 1;
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(map_.grenadeKits, 12);
  EXPECT_EQ(map_.medicalKits, 12);
  EXPECT_EQ(map_.weather, 0);
  EXPECT_EQ(map_.steps, 1);
}

TEST_F(PmsReaderTest, PolygonLimitsDependOnTheMode) {
  PmsSpec spec;
  spec.polygonCount = 5000;
  EXPECT_EQ(Read(spec, kCompiled), 0u);
  spec.polygonCount = 5001;
  EXPECT_EQ(Read(spec, kCompiled), uitext::kPolygonLimit);
  EXPECT_EQ(Read(spec, kUncompiled), 0u);
  spec.polygonCount = 10000;
  EXPECT_EQ(Read(spec, kUncompiled), 0u);
  EXPECT_EQ(map_.counts.polygonCount, 10000);
  spec.polygonCount = 10001;
  EXPECT_EQ(Read(spec, kUncompiled), uitext::kUncompiledPolygonLimit);
  spec.polygonCount = 0;
  EXPECT_EQ(Read(spec, kCompiled), uitext::kNoPolygons);
  EXPECT_EQ(Read(spec, kUncompiled), 0u);
}

TEST_F(PmsReaderTest, SectorGridTellsWhetherTheMapIsCompiled) {
  PmsSpec spec;
  spec.polygonsPerCell = 0;
  EXPECT_EQ(Read(spec, kCompiled), uitext::kNotCompiled);
  EXPECT_EQ(Read(spec, kUncompiled), 0u);

  // Only the last of the 9 cells counts polygons: the whole grid is walked.
  spec.cellCounts = {0, 0, 0, 0, 0, 0, 0, 0, 3};
  spec.spawnCount = 5;
  ASSERT_EQ(Read(spec, kCompiled), 0u);
  EXPECT_EQ(map_.counts.spawnCount, 5);

  // N = 0 is one cell; a reader walking any other number of cells loses its place.
  spec.sectorRange = 0;
  spec.cellCounts = {2};
  ASSERT_EQ(Read(spec, kCompiled), 0u);
  EXPECT_EQ(map_.counts.spawnCount, 5);

  // A negative range is an empty grid, not damage.
  spec.sectorRange = -3;
  EXPECT_EQ(Read(spec, kCompiled), uitext::kNotCompiled);
  ASSERT_EQ(Read(spec, kUncompiled), 0u);
  EXPECT_EQ(map_.counts.spawnCount, 5);
}

TEST_F(PmsReaderTest, SceneryLimits) {
  PmsSpec spec;
  spec.sceneryInstanceCount = 500;
  EXPECT_EQ(Read(spec, kCompiled), 0u);
  spec.sceneryInstanceCount = 501;
  EXPECT_EQ(Read(spec, kCompiled), uitext::kSceneryLimit);
  EXPECT_EQ(Read(spec, kUncompiled), 0u);

  spec.sceneryInstanceCount = 1;
  spec.sceneryNames = Names(500);
  ASSERT_EQ(Read(spec, kCompiled), 0u);
  EXPECT_STREQ(map_.counts.sceneryNames[499].data(), "scenery499.bmp");
  spec.sceneryNames = Names(501);
  EXPECT_EQ(Read(spec, kCompiled), uitext::kSceneryLimit);
  EXPECT_EQ(Read(spec, kUncompiled), uitext::kSceneryLimit);
}

TEST_F(PmsReaderTest, ColliderSpawnAndWaypointLimitsApplyToCompiledMapsOnly) {
  PmsSpec spec;
  spec.colliderCount = 128;
  spec.spawnCount = 128;
  spec.waypointCount = 500;
  EXPECT_EQ(Read(spec, kCompiled), 0u);

  PmsSpec colliders;
  colliders.colliderCount = 129;
  EXPECT_EQ(Read(colliders, kCompiled), uitext::kColliderLimit);
  EXPECT_EQ(Read(colliders, kUncompiled), 0u);

  PmsSpec spawns;
  spawns.spawnCount = 129;
  EXPECT_EQ(Read(spawns, kCompiled), uitext::kSpawnLimit);
  EXPECT_EQ(Read(spawns, kUncompiled), 0u);
  spawns.spawnCount = 0;
  EXPECT_EQ(Read(spawns, kCompiled), uitext::kNoSpawns);
  EXPECT_EQ(Read(spawns, kUncompiled), 0u);

  PmsSpec waypoints;
  waypoints.waypointCount = 501;
  EXPECT_EQ(Read(waypoints, kCompiled), uitext::kWaypointLimit);
  EXPECT_EQ(Read(waypoints, kUncompiled), 0u);
}

TEST_F(PmsReaderTest, FileEndingInsideAnyFieldIsDamaged) {
  PmsSpec spec;
  spec.polygonCount = 20;
  spec.sceneryInstanceCount = 2;
  spec.sceneryNames = {"a.bmp", "b.bmp"};
  spec.colliderCount = 1;
  PmsOffsets at;
  const auto whole = PmsBytes(spec, &at);
  ASSERT_EQ(ReadBytes(whole, kCompiled), 0u);

  const std::size_t cuts[] = {
      0,                              // empty file
      3,                              // inside the first value
      30,                             // inside the description
      at.polygonCount + 2,            // inside a count: half a field is no value
      at.polygonCount + 4 + 121 * 7,  // inside the polygons
      at.sectorRange + 4 + 3,         // inside the grid
      at.sceneryCount + 4 + 20,       // inside a scenery name
      at.spawnCount + 4 + 16,         // inside the spawn points
      at.waypointCount + 3,           // inside the last count
  };
  for (const std::size_t cut : cuts) {
    const std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + cut);
    EXPECT_EQ(ReadBytes(bytes, kCompiled), uitext::kFileDamaged) << "cut at " << cut;
    EXPECT_EQ(ReadBytes(bytes, kUncompiled), uitext::kFileDamaged) << "cut at " << cut;
  }
}

TEST_F(PmsReaderTest, NegativeCountsAreDamage) {
  using F = std::size_t PmsOffsets::*;
  const F fields[] = {&PmsOffsets::polygonCount, &PmsOffsets::sceneryInstanceCount,
                      &PmsOffsets::sceneryCount, &PmsOffsets::colliderCount,
                      &PmsOffsets::spawnCount,   &PmsOffsets::waypointCount};
  for (const F field : fields) {
    for (const std::int32_t value : {-1, std::numeric_limits<std::int32_t>::min()}) {
      EXPECT_EQ(ReadWithCount(field, value, kCompiled), uitext::kFileDamaged);
      EXPECT_EQ(ReadWithCount(field, value, kUncompiled), uitext::kFileDamaged);
    }
  }
}

TEST_F(PmsReaderTest, CountsBeyondTheFileAreDamageWithoutWalkingThem) {
  constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();
  // Uncompiled maps have no limit that would stop these first.
  EXPECT_EQ(ReadWithCount(&PmsOffsets::sectorRange, kHuge, kUncompiled), uitext::kFileDamaged);
  EXPECT_EQ(ReadWithCount(&PmsOffsets::sectorRange, 1 << 20, kUncompiled), uitext::kFileDamaged);
  EXPECT_EQ(ReadWithCount(&PmsOffsets::sceneryInstanceCount, kHuge, kUncompiled),
            uitext::kFileDamaged);
  EXPECT_EQ(ReadWithCount(&PmsOffsets::colliderCount, kHuge, kUncompiled), uitext::kFileDamaged);
  EXPECT_EQ(ReadWithCount(&PmsOffsets::spawnCount, kHuge, kUncompiled), uitext::kFileDamaged);
  // One polygon more than the file holds.
  PmsSpec spec;
  spec.polygonCount = 3;
  EXPECT_EQ(ReadWithCount(&PmsOffsets::polygonCount, 4, kUncompiled, spec), uitext::kFileDamaged);
}

TEST_F(PmsReaderTest, ScenerySlotsAreFilledOnlyByWholeRecords) {
  PmsSpec spec;
  spec.texture = "texture.bmp";
  spec.sceneryNames = {"first.bmp", "second.bmp"};
  PmsOffsets at;
  const auto whole = PmsBytes(spec, &at);
  // The file ends inside the second name: the first name stays, the second is not half-read.
  const std::vector<std::uint8_t> bytes(whole.begin(),
                                        whole.begin() + at.sceneryCount + 4 + 55 + 5);
  ASSERT_EQ(ReadBytes(bytes, kCompiled), uitext::kFileDamaged);
  EXPECT_STREQ(map_.texture.data(), "texture.bmp");
  EXPECT_STREQ(map_.counts.sceneryNames[0].data(), "first.bmp");
  EXPECT_STREQ(map_.counts.sceneryNames[1].data(), "");
  EXPECT_EQ(map_.counts.colliderCount, 0);

  // The file ends inside the texture field: no half texture name.
  const std::vector<std::uint8_t> header(whole.begin(), whole.begin() + 50);
  ASSERT_EQ(ReadBytes(header, kCompiled), uitext::kFileDamaged);
  EXPECT_STREQ(map_.texture.data(), "");
}

TEST_F(PmsReaderTest, MissingUnopenableAndForeignNames) {
  PmsSpec spec;
  spec.texture = "left.bmp";
  spec.sceneryNames = {"left-over.bmp"};
  ASSERT_EQ(Read(spec), 0u);

  // Nothing of the previous map survives a failed read.
  EXPECT_EQ(ReadPmsMap(state_, u"absent.pms", map_, kCompiled), uitext::kFileNotFound);
  EXPECT_STREQ(map_.texture.data(), "");
  EXPECT_STREQ(map_.counts.sceneryNames[0].data(), "");
  EXPECT_EQ(map_.counts.spawnCount, 0);

  // The map lives in the other mode's folder only.
  EXPECT_EQ(ReadPmsMap(state_, u"test.pms", map_, kUncompiled), uitext::kFileNotFound);

  dir_.folder(u"maps/folder.pms");
  EXPECT_EQ(ReadPmsMap(state_, u"folder.pms", map_, kCompiled), uitext::kFailedToOpen);

  // Names from outside never reach beyond the folder.
  testsupport::WriteBytes(dir_.file(u"outside.pms"), PmsBytes(spec));
  EXPECT_EQ(ReadPmsMap(state_, u"..\\outside.pms", map_, kCompiled), uitext::kFileNotFound);
  EXPECT_EQ(ReadPmsMap(state_, u"../outside.pms", map_, kCompiled), uitext::kFileNotFound);
  EXPECT_EQ(ReadPmsMap(state_, u"..", map_, kCompiled), uitext::kFileNotFound);
  EXPECT_EQ(ReadPmsMap(state_, u"", map_, kCompiled), uitext::kFileNotFound);

  AppState unknown;  // no maps folder known yet
  EXPECT_EQ(ReadPmsMap(unknown, u"test.pms", map_, kCompiled), uitext::kFileNotFound);
}

}  // namespace
