#include "maps/map_readers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/ui_text_ids.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"

namespace {

using testsupport::PfbBytes;
using testsupport::PfbLayout;
using testsupport::PfbOffsets;
using testsupport::PfbSpec;

class PfbReaderTest : public testing::Test {
 protected:
  PfbReaderTest() { state_.kindFolders[kKindPrefab] = dir_.folder(u"Prefabs"); }

  std::uint32_t ReadBytes(const std::vector<std::uint8_t>& bytes) {
    testsupport::WriteBytes(state_.kindFolders[kKindPrefab] + u"test.pfb", bytes);
    return ReadPfbPrefab(state_, u"test.pfb", counts_);
  }
  std::uint32_t Read(const PfbSpec& spec) { return ReadBytes(PfbBytes(spec)); }

  testsupport::TempDir dir_;
  AppState state_;
  MapCounts counts_;
};

// A prefab with something of everything, in the given editor's layout.
PfbSpec FullPrefab(PfbLayout layout) {
  PfbSpec spec;
  spec.layout = layout;
  spec.polygonCount = 7;
  spec.sceneryNames = {"bush.bmp", "rock.png", "bush.bmp"};
  spec.colliderCount = 2;
  spec.spawnCount = 3;
  spec.waypointCount = 4;
  spec.waypointConnections = {{1, 2}, {0}, {3}, {}};
  return spec;
}

class PfbLayoutTest : public PfbReaderTest, public testing::WithParamInterface<PfbLayout> {};

TEST_P(PfbLayoutTest, EitherEditorsPrefabReadsAlike) {
  ASSERT_EQ(Read(FullPrefab(GetParam())), 0u);
  EXPECT_EQ(counts_.polygonCount, 7);
  EXPECT_EQ(counts_.sceneryInstanceCount, 3);
  EXPECT_EQ(counts_.sceneryCount, 0);  // a prefab's records are its names
  EXPECT_STREQ(counts_.sceneryNames[0].data(), "bush.bmp");
  EXPECT_STREQ(counts_.sceneryNames[1].data(), "rock.png");
  EXPECT_STREQ(counts_.sceneryNames[2].data(), "bush.bmp");
  EXPECT_EQ(counts_.colliderCount, 2);
  EXPECT_EQ(counts_.spawnCount, 3);
  EXPECT_EQ(counts_.waypointCount, 4);
}

TEST_P(PfbLayoutTest, ManySceneryRecords) {
  PfbSpec spec = FullPrefab(GetParam());
  spec.sceneryNames.clear();
  for (int i = 0; i < 500; ++i) spec.sceneryNames.push_back("s" + std::to_string(i) + ".bmp");
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(counts_.sceneryInstanceCount, 500);
  EXPECT_STREQ(counts_.sceneryNames[499].data(), "s499.bmp");
  EXPECT_EQ(counts_.waypointCount, 4);

  spec.sceneryNames.push_back("one-too-many.bmp");
  EXPECT_EQ(Read(spec), uitext::kSceneryLimit);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PfbLayoutTest,
                         testing::Values(PfbLayout::kClassic88, PfbLayout::kWithNormals124),
                         [](const auto& info) {
                           return info.param == PfbLayout::kClassic88 ? "Classic" : "Normals";
                         });

TEST_F(PfbReaderTest, EndingRightAfterThePolygonsIsDamage) {
  PfbOffsets at;
  const auto whole = PfbBytes(FullPrefab(PfbLayout::kClassic88), &at);
  EXPECT_EQ(ReadBytes({whole.begin(), whole.begin() + at.sceneryCount}), uitext::kFileDamaged);
  EXPECT_EQ(ReadBytes({whole.begin(), whole.begin() + at.sceneryCount + 1}),
            uitext::kFileDamaged);  // half a count
  EXPECT_EQ(ReadBytes({whole.begin(), whole.begin() + at.spawnCount + 2 + 16}),
            uitext::kFileDamaged);
  EXPECT_EQ(ReadBytes({whole.begin(), whole.begin() + at.waypointCount + 1}), uitext::kFileDamaged);
  EXPECT_EQ(ReadBytes({}), uitext::kFileDamaged);
}

TEST_F(PfbReaderTest, NameLengthsAboveTheFieldGiveEmptyNames) {
  PfbSpec spec;
  spec.sceneryNames = {"long-name.bmp", std::string(50, 'x'), "cut.bmp"};
  spec.sceneryNameLengths = {60, 50, 3};
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_STREQ(counts_.sceneryNames[0].data(), "");
  EXPECT_EQ(std::string(counts_.sceneryNames[1].data()), std::string(50, 'x'));
  EXPECT_STREQ(counts_.sceneryNames[2].data(), "cut");
}

TEST_F(PfbReaderTest, EmptyPrefabsHaveNoMinimumCounts) {
  PfbSpec spec;
  spec.polygonCount = 0;
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(counts_.polygonCount, 0);
  spec.writeWaypointRecords = false;  // ends at the waypoint count
  ASSERT_EQ(Read(spec), 0u);
  ASSERT_EQ(ReadBytes(std::vector<std::uint8_t>(10, 0)), 0u);
}

TEST_F(PfbReaderTest, AmbiguousOrUnrecognisedFilesReadAsTheClassicLayout) {
  // Read classically: 1 polygon, 3 colliders. Read with 124-byte polygons the third collider
  // holds zero counts and 3 links that end exactly at the end of the file: both fit.
  PfbSpec spec;
  spec.polygonCount = 1;
  spec.colliderCount = 3;
  PfbOffsets at;
  auto bytes = PfbBytes(spec, &at);
  const std::size_t third = at.colliderCount + 2 + 32;
  ASSERT_EQ(third, 2u + 124u);
  for (std::size_t i = third; i < third + 16; ++i) bytes[i] = 0;
  bytes[third + 8] = 3;  // the link count under the other reading
  ASSERT_EQ(ReadBytes(bytes), 0u);
  EXPECT_EQ(counts_.colliderCount, 3);

  // Junk behind a classic prefab fits neither layout.
  spec = FullPrefab(PfbLayout::kClassic88);
  spec.trailing = {1, 2, 3};
  ASSERT_EQ(Read(spec), 0u);
  EXPECT_EQ(counts_.polygonCount, 7);
  EXPECT_EQ(counts_.waypointCount, 4);
}

TEST_F(PfbReaderTest, DamagedRecordsLeaveOnlyWholeNames) {
  PfbSpec spec = FullPrefab(PfbLayout::kClassic88);
  PfbOffsets at;
  const auto whole = PfbBytes(spec, &at);
  const std::size_t insideSecondName = at.sceneryCount + 2 + 88 + 37 + 1 + 4;
  ASSERT_EQ(ReadBytes({whole.begin(), whole.begin() + insideSecondName}), uitext::kFileDamaged);
  EXPECT_EQ(counts_.polygonCount, 7);
  EXPECT_STREQ(counts_.sceneryNames[0].data(), "bush.bmp");
  EXPECT_STREQ(counts_.sceneryNames[1].data(), "");
}

TEST_F(PfbReaderTest, MissingUnopenableAndForeignNames) {
  ASSERT_EQ(Read(FullPrefab(PfbLayout::kClassic88)), 0u);
  EXPECT_EQ(ReadPfbPrefab(state_, u"absent.pfb", counts_), uitext::kFileNotFound);
  EXPECT_EQ(counts_.polygonCount, 0);
  EXPECT_STREQ(counts_.sceneryNames[0].data(), "");

  dir_.folder(u"Prefabs/folder.pfb");
  EXPECT_EQ(ReadPfbPrefab(state_, u"folder.pfb", counts_), uitext::kFailedToOpen);
  testsupport::WriteBytes(dir_.file(u"outside.pfb"), PfbBytes({}));
  EXPECT_EQ(ReadPfbPrefab(state_, u"..\\outside.pfb", counts_), uitext::kFileNotFound);
  EXPECT_EQ(ReadPfbPrefab(state_, u"C:outside.pfb", counts_), uitext::kFileNotFound);
}

}  // namespace
