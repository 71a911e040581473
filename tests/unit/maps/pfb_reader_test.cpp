#include "maps/map_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "core/ui_text_ids.h"
#include "fixtures/map_writer.h"
#include "support/temp_dir.h"

namespace {

using namespace testsupport;
using namespace fixtures;
using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;

class PfbReaderTest : public testing::Test {
 protected:
  PfbReaderTest() {
    state_.kindFolders[kKindPrefab] = dir_.folder(u"Prefabs");
    full_.sceneryNames = {"bush.bmp", std::string(50, 'x'), "cut.bmp", "long.bmp"};
    full_.sceneryNameLengths = {8, 50, 3, 51};  // the third name cut, the fourth emptied
    full_.colliderCount = 5;
    full_.spawnCount = 3;
    full_.waypointCount = 4;
    full_.waypointConnections = {{1, 2}, {0}, {3}, {}};
  }

  std::uint32_t ReadBytes(const Bytes& bytes) {
    WriteBytes(state_.kindFolders[kKindPrefab] + u"test.pfb", bytes);
    return ReadPfbPrefab(state_, u"test.pfb", counts_);
  }
  std::uint32_t Read(const PfbSpec& recipe) { return ReadBytes(PfbBytes(recipe)); }

  TempDir dir_;
  AppState state_;
  MapCounts counts_;
  PfbSpec full_;  // something of everything
  const decltype(MapCounts::sceneryNames)& names_ = counts_.sceneryNames;
};

TEST_F(PfbReaderTest, EitherEditorsLayoutReadsAlikeUpToTheRoomForNames) {
  for (const PfbLayout layout : {PfbLayout::kClassic88, PfbLayout::kWithNormals124}) {
    SCOPED_TRACE(static_cast<int>(layout));
    PfbSpec recipe = full_;
    recipe.layout = layout;
    ASSERT_EQ(Read(recipe), 0u);
    // A prefab's scenery records are its names: no separate list of files.
    EXPECT_EQ(std::tuple(counts_.polygonCount, counts_.sceneryInstanceCount, counts_.sceneryCount,
                         counts_.colliderCount, counts_.spawnCount, counts_.waypointCount),
              std::tuple(2, 4, 0, 5, 3, 4));
    EXPECT_EQ(std::tuple(names_[0].data(), names_[1].data(), names_[2].data(), names_[3].data()),
              std::tuple("bush.bmp"s, std::string(50, 'x'), "cut"s, ""s));
    recipe.sceneryNames.resize(500, "s.bmp");
    EXPECT_EQ(Read(recipe), 0u);
    recipe.sceneryNames.push_back("one-too-many.bmp");
    EXPECT_EQ(Read(recipe), uitext::kSceneryLimit);
  }
}

TEST_F(PfbReaderTest, CutMissingOrForeignFilesLeaveOnlyWholeNames) {
  PfbOffsets at;
  const Bytes whole = PfbBytes(full_, &at);
  const std::size_t insideSecondName = at.sceneryCount + 2 + 88 + 37 + 1 + 4;
  for (const std::size_t cut : {std::size_t{0}, at.sceneryCount, at.sceneryCount + 1,
                                at.spawnCount + 2 + 16, at.waypointCount + 1, insideSecondName})
    EXPECT_EQ(ReadBytes({whole.begin(), whole.begin() + cut}), uitext::kFileDamaged) << cut;
  EXPECT_EQ(std::tuple(counts_.polygonCount, names_[0].data(), names_[1].data()),
            std::tuple(2, "bush.bmp"s, ""s));

  // Nothing of the previous prefab survives a missing one.
  EXPECT_EQ(ReadPfbPrefab(state_, u"absent.pfb", counts_), uitext::kFileNotFound);
  EXPECT_EQ(std::tuple(counts_.polygonCount, names_[0].data()), std::tuple(0, ""s));
  WriteBytes(dir_.file(u"outside.pfb"), whole);
  for (const std::u16string_view name : {u"..\\outside.pfb", u"C:outside.pfb", u".."})
    EXPECT_EQ(ReadPfbPrefab(state_, name, counts_), uitext::kFileNotFound);
}

TEST_F(PfbReaderTest, EmptyAmbiguousOrUnrecognisedFilesReadAsTheClassicLayout) {
  // No minimum counts; a file may end at the waypoint count; junk behind fits neither layout.
  PfbSpec recipe, junk = full_;
  recipe.writeWaypointRecords = false;
  junk.trailing = {1, 2, 3};
  for (const Bytes& bytes : {Bytes(10, 0), PfbBytes(recipe), PfbBytes(junk)})
    EXPECT_EQ(ReadBytes(bytes), 0u);
  EXPECT_EQ(counts_.waypointCount, 4);

  // Read classically: 1 polygon, 3 colliders. Read with 124-byte polygons the third collider
  // holds zero counts and 3 links that end exactly at the end of the file: both fit.
  recipe = PfbSpec{};
  recipe.polygonCount = 1;
  recipe.colliderCount = 3;
  Bytes bytes = PfbBytes(recipe);
  const std::size_t third = 2 + 88 + 2 + 2 * 16;  // where 124-byte polygons would end
  std::fill_n(bytes.begin() + third, 16, 0);
  bytes[third + 8] = 3;  // the link count under the other reading
  ASSERT_EQ(ReadBytes(bytes), 0u);
  EXPECT_EQ(counts_.colliderCount, 3);
}

}  // namespace
