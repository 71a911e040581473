#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/text_helpers.h"
#include "core/ui_text_ids.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "maps/file_details.h"
#include "maps/map_readers.h"
#include "maps/map_report.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"

namespace {

using namespace testsupport;
using namespace fixtures;
using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;

constexpr bool kCompiled = true, kUncompiled = false;

Strings Names(const MapCounts& counts, int n) {
  Strings names;
  for (int i = 0; i < n; ++i) names.emplace_back(counts.sceneryNames[i].data());
  return names;
}

// The texts through the index, each ended by '|'; with tags, each followed by '#' and its tag.
std::u16string Texts(const StringList& list, bool tags = false) {
  std::u16string out;
  for (int i = 0; i < list.count(); ++i) {
    out += list.textAt(i);
    if (tags) out += u"#" + DecimalText(list.nodeAt(i)->tag);
    out += u'|';
  }
  return out;
}

// "rock.bmp" as texture and edge, "tex.bmp" as texture only, "tree.bmp" as scenery.
class MapsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetUpMapsState(state, dir, &controls));
    for (const int kind : {kKindTexture, kKindEdge}) Put(kind, u"rock.bmp");
    Put(kKindTexture, u"tex.bmp");
    Put(kKindScenery, u"tree.bmp");
  }

  // Into the kind's folder, or at the path `name` for other kinds; at 09:07 on 5 March 2024.
  void Put(int kind, std::u16string_view name, const Bytes& bytes = {0}) {
    std::u16string path(name);
    if (kind >= 0 && kind < kKindCount) path = state.kindFolders[kind] + path;
    WriteBytes(path, bytes);
    std::tm local{};
    std::istringstream("05.03.2024 09:07") >> std::get_time(&local, "%d.%m.%Y %H:%M");
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(NativePath(path), std::chrono::file_clock::from_sys(when));
  }
  std::uint32_t Pms(const Bytes& bytes, bool compiledMode = kCompiled) {
    Put(compiledMode ? kKindMap : kKindUncompiledMap, u"test.pms", bytes);
    return ReadPmsMap(state, u"test.pms", map, compiledMode);
  }
  std::uint32_t Pfb(const Bytes& bytes) {
    Put(kKindPrefab, u"test.pfb", bytes);
    return ReadPfbPrefab(state, u"test.pfb", counts);
  }
  // One entry's report block and the names it lists, on lists of its own.
  bool Check(std::u16string_view name, FileKind kind) {
    for (StringList* list : {&report, &sceneries, &textures}) list->clear();
    const bool problem =
        CheckContentEntry(state, name, kind, report, sceneries, textures, map, counts);
    for (StringList* list : {&report, &sceneries, &textures}) list->buildIndex();
    return problem;
  }
  // FileDetails on a used list, read through the index it must have built.
  std::u16string Details(std::u16string_view name, int kind, bool opened = true) {
    StringList list;
    list.add(u"left over", 1);
    EXPECT_EQ(FileDetails(state, list, name, kind), opened);
    return Texts(list);
  }

  TempDir dir;
  FakeControls controls;
  AppState state;
  MapSummary map;
  MapCounts counts;
  StringList report, sceneries, textures;
};

// A prefab with something of everything.
PfbSpec FullPrefab() {
  PfbSpec recipe;
  recipe.sceneryNames = {"bush.bmp", std::string(50, 'x')};
  recipe.colliderCount = 5;
  recipe.spawnCount = 3;
  recipe.waypointCount = 4;
  recipe.waypointConnections = {{1, 2}, {0}, {3}, {}};
  return recipe;
}

TEST_F(MapsTest, PmsReadsTextsCutByTheirLengthBytesAndSettingsUpToTheirLargest) {
  PmsSpec recipe;
  recipe.description = std::string(40, 'd');
  recipe.descriptionLength = 200;  // above the field: the whole field
  recipe.texture = "abcdefghijklmnopqrstuvwxyz";
  recipe.textureLength = 5;
  recipe.sceneryNames = {std::string(50, 'a'), "b.bmp", "cut.bmp", std::string(55, 'n'), "t.bmp"};
  recipe.sceneryNameLengths = {50, 51, 3, 255};  // above 50: an empty name
  recipe.jetAmount = -7;
  recipe.grenadeKits = recipe.medicalKits = 12;
  recipe.weather = 3;
  recipe.steps = 2;
  ASSERT_EQ(Pms(PmsBytes(recipe)), 0u);
  EXPECT_EQ(std::string(map.description.data()), std::string(38, 'd'));
  EXPECT_EQ(std::string(map.texture.data()), "abcde");
  EXPECT_EQ(Names(map.counts, 6), (Strings{std::string(50, 'a'), "", "cut", "", "t.bmp", ""}));
  EXPECT_EQ(std::tuple(map.jetAmount, map.grenadeKits, map.medicalKits, map.weather, map.steps),
            std::tuple(-7, 12, 12, 3, 2));

  // One above the largest kits, weather or steps reads as zero.
  recipe.grenadeKits = recipe.medicalKits = 13;
  recipe.weather = 4;
  recipe.steps = 3;
  ASSERT_EQ(Pms(PmsBytes(recipe)), 0u);
  EXPECT_EQ(std::tuple(map.grenadeKits, map.medicalKits, map.weather, map.steps),
            std::tuple(0, 0, 0, 0));
}

TEST_F(MapsTest, PmsLimitsAndTheSectorGridDecideTheResult) {
  using namespace uitext;
  using S = PmsSpec;
  const std::tuple<void (*)(S&), std::uint32_t, std::uint32_t> rows[] = {
      {[](S& s) {
         s.polygonCount = 5000, s.sceneryInstanceCount = 500, s.sceneryNames.resize(500, "x");
         s.colliderCount = s.spawnCount = 128, s.waypointCount = 500;
       },
       0, 0},
      {[](S& s) { s.polygonCount = 5001; }, kPolygonLimit, 0},
      {[](S& s) { s.polygonCount = 10000; }, kPolygonLimit, 0},
      {[](S& s) { s.polygonCount = 10001; }, kPolygonLimit, kUncompiledPolygonLimit},
      {[](S& s) { s.polygonCount = 0; }, kNoPolygons, 0},
      {[](S& s) { s.sceneryInstanceCount = 501; }, kSceneryLimit, 0},
      {[](S& s) { s.sceneryNames.resize(501, "x"); }, kSceneryLimit, kSceneryLimit},
      {[](S& s) { s.colliderCount = 129; }, kColliderLimit, 0},
      {[](S& s) { s.spawnCount = 129; }, kSpawnLimit, 0},
      {[](S& s) { s.spawnCount = 0; }, kNoSpawns, 0},
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
    recipe.waypointCount = 7;  // a reader that lost its place would not find it
    set(recipe);
    EXPECT_EQ(Pms(PmsBytes(recipe), kCompiled), compiled);
    EXPECT_EQ(Pms(PmsBytes(recipe), kUncompiled), uncompiled);
    EXPECT_TRUE(uncompiled != 0 || map.counts.waypointCount == recipe.waypointCount);
  }
}

TEST_F(MapsTest, MissingUnopenableAndForeignFilesAreNeitherReadNorDetailed) {
  PmsSpec recipe;
  recipe.sceneryNames = {"left-over.bmp"};
  ASSERT_EQ(Pms(PmsBytes(recipe)), 0u);
  ASSERT_EQ(Pfb(PfbBytes(FullPrefab())), 0u);
  // Nothing of the previous map or prefab survives a failed read.
  EXPECT_EQ(ReadPmsMap(state, u"absent.pms", map, kCompiled), uitext::kFileNotFound);
  EXPECT_EQ(std::string(map.description.data()) + map.texture.data() + Names(map.counts, 1)[0], "");
  EXPECT_EQ(ReadPfbPrefab(state, u"absent.pfb", counts), uitext::kFileNotFound);
  EXPECT_EQ(counts.polygonCount, 0);
  EXPECT_EQ(Names(counts, 1), Strings{""});
  EXPECT_EQ(ReadPmsMap(state, u"test.pms", map, kUncompiled), uitext::kFileNotFound);
  dir.folder(u"maps/folder.pms");
  EXPECT_EQ(ReadPmsMap(state, u"folder.pms", map, kCompiled), uitext::kFailedToOpen);
  EXPECT_EQ(Details(u"folder.pms", kKindMap, false), u"folder.pms|Failed to open the file!|");
  // Names from outside never reach beyond the folder and no name is no file; a kind without
  // a folder takes the name as the path.
  Put(-1, dir.file(u"outside"), PmsBytes(recipe));
  for (const std::u16string_view name : {u"..\\outside", u""})
    EXPECT_EQ(ReadPmsMap(state, name, map, kCompiled), uitext::kFileNotFound);
  for (const auto& [name, kind] : {std::pair<const char16_t*, int>{u"..\\outside", kKindMap},
                                   {u"gone.pms", kKindMap},
                                   {u"test.pms", 6}})
    EXPECT_EQ(Details(name, kind, false), std::u16string(name) + u"|File not found!|");
}

TEST_F(MapsTest, PfbEitherEditorsLayoutReadsAlikeAndAFileBothFitReadsAsClassic) {
  for (const PfbLayout layout : {PfbLayout::kClassic88, PfbLayout::kWithNormals124}) {
    SCOPED_TRACE(static_cast<int>(layout));
    PfbSpec recipe = FullPrefab();
    recipe.layout = layout;
    recipe.sceneryNames.push_back("long.bmp");
    recipe.sceneryNameLengths = {8, 50, 51};  // above 50: an empty name
    ASSERT_EQ(Pfb(PfbBytes(recipe)), 0u);
    EXPECT_EQ(std::tuple(counts.polygonCount, counts.sceneryInstanceCount, counts.sceneryCount,
                         counts.colliderCount, counts.spawnCount, counts.waypointCount),
              std::tuple(2, 3, 0, 5, 3, 4));
    EXPECT_EQ(Names(counts, 3), (Strings{"bush.bmp", std::string(50, 'x'), ""}));
    recipe.sceneryNames.resize(500, "s.bmp");
    EXPECT_EQ(Pfb(PfbBytes(recipe)), 0u);
    recipe.sceneryNames.push_back("one-too-many.bmp");
    EXPECT_EQ(Pfb(PfbBytes(recipe)), uitext::kSceneryLimit);
  }

  // 1 polygon, 3 colliders; read with 124-byte polygons, the third collider holds zero counts
  // and 3 links that end at the end of the file: both layouts fit, and the classic one wins.
  PfbSpec recipe;
  recipe.polygonCount = 1;
  recipe.colliderCount = 3;
  Bytes bytes = PfbBytes(recipe);
  const std::size_t third = 2 + 88 + 2 + 2 + 2 * 16;  // where 124-byte polygons would end
  std::fill_n(bytes.begin() + third, 16, 0);
  bytes[third + 8] = 3;  // the link count under the other reading
  ASSERT_EQ(Pfb(bytes), 0u);
  EXPECT_EQ(counts.colliderCount, 3);
}

TEST_F(MapsTest, ReportMapBlocksNameEveryProblemAndWarning) {
  using S = PmsSpec;
  const std::tuple<std::u16string, FileKind, void (*)(S&), bool, std::u16string> rows[] = {
      {u"ctf_Exactly_Twen.PMS", kKindMap, [](S&) {}, false, u""},
      {u"Named.PMS", kKindMap, [](S& s) { s.description = "New Soldat Map 2"; }, false, u""},
      {u"Caps.PMS", kKindMap, [](S& s) { s.description = "NEW Soldat MAP"; }, false,
       u"Caps.PMS|* map has no description||"},
      {u"Blank.PMS", kKindMap, [](S& s) { s.description = ""; }, false,
       u"Blank.PMS|* map has no description||"},
      // An unreadable map gets no description warning.
      {u"Empty.PMS", kKindMap, [](S& s) { s.description = "", s.polygonCount = 0; }, true,
       u"Empty.PMS|! map has no polygons||"},
      {u"ctf_Long_Map_Names.pms", kKindMap, [](S&) {}, false,
       u"ctf_Long_Map_Names.pms|* map file name exceeds 20 characters|"
       u"* map has lowercase file extension||"},
      // Uncompiled maps: no name checks, the editor's limits only.
      {u"a_long_draft_name.pms", kKindUncompiledMap, [](S& s) { s.polygonCount = 10001; }, true,
       u"a_long_draft_name.pms U|! polygons limit (10000) is exceeded||"},
      {u"Gone.PMS", kKindMap, nullptr, true, u"Gone.PMS|- file not found||"},
  };
  for (const auto& [name, kind, set, problem, block] : rows) {
    SCOPED_TRACE(testing::PrintToString(name));
    PmsSpec recipe;
    if (set != nullptr) {
      set(recipe);
      Put(kind, name, PmsBytes(recipe));
    }
    EXPECT_EQ(Check(name, kind), problem);
    EXPECT_EQ(Texts(report), block);
  }
}

// Marks: 1 found, 2 missing; a texture's tag is 4 * texture mark + edge mark. Names never
// reach outside the game's folders, even where a file of that name exists. A map with a
// problem still lists its texture when the reader got as far as its name.
TEST_F(MapsTest, ReportNamedFilesAreListedAndLookedUpInFileOrder) {
  WriteText(dir.file(u"secret.bmp"), "1");            // textures\..\secret.bmp
  WriteText(dir.file(u"textures\\secret.bmp"), "1");  // edges\..\secret.bmp
  WriteText(dir.file(u"scenery-gfx\\sub\\inner.png"), "1");
  Put(kKindScenery, u"h\u00E9re.bmp");
  PmsSpec outside;
  outside.texture = "..\\secret.bmp";
  // An e acute in the ANSI code page; an empty name names nothing; a folder is no image.
  outside.sceneryNames = {"gone.bmp", "h\xE9re.bmp", "", "tree.bmp", "sub\\inner.png", "sub"};
  Put(kKindMap, u"S.PMS", PmsBytes(outside));
  PmsSpec sound;
  sound.texture = "tex.bmp";
  sound.sceneryNames = {"tree.bmp"};
  Put(kKindMap, u"T.PMS", PmsBytes(sound));
  // A prefab with a missing scenery is packed; one cut inside its second name is not, and
  // keeps the name before.
  PfbSpec house;
  house.sceneryNames = {"tree.bmp", "lamp.png"};
  Put(kKindPrefab, u"house.pfb", PfbBytes(house));
  house.cutAt = 2 + 88 * 2 + 2 + 88 + 37 + 1 + 4;
  Put(kKindPrefab, u"cut.pfb", PfbBytes(house));
  PmsSpec big;
  big.texture = "sand.bmp";
  big.sceneryNames = {"gone.bmp"};
  big.polygonCount = 5001;
  Put(kKindMap, u"Big.PMS", PmsBytes(big));
  big.polygonCount = 10;
  big.cutAt = 68;  // right behind the texture name
  Put(kKindMap, u"Cut.PMS", PmsBytes(big));

  const std::tuple<std::u16string, FileKind, bool, std::u16string, std::u16string, std::u16string>
      rows[] = {
          {u"S.PMS", kKindMap, false,
           u"S.PMS|- texture not found: ..\\secret.bmp|- edge not found: ..\\secret.bmp|"
           u"- scenery not found: gone.bmp|- scenery not found: sub\\inner.png|"
           u"- scenery not found: sub||",
           u"..\\secret.bmp#10|", u"gone.bmp#2|h\u00E9re.bmp#1|tree.bmp#1|sub\\inner.png#2|sub#2|"},
          {u"T.PMS", kKindMap, false, u"T.PMS|- edge not found: tex.bmp||", u"tex.bmp#6|",
           u"tree.bmp#1|"},
          {u"house.pfb", kKindPrefab, false, u"house.pfb|- scenery not found: lamp.png||", u"",
           u"tree.bmp#1|lamp.png#2|"},
          {u"cut.pfb", kKindPrefab, true, u"cut.pfb|! file is damaged||", u"", u"tree.bmp#1|"},
          {u"Big.PMS", kKindMap, true,
           u"Big.PMS|! polygons limit (5000) is exceeded|- texture not found: sand.bmp|"
           u"- edge not found: sand.bmp||",
           u"sand.bmp#10|", u""},
          {u"Cut.PMS", kKindMap, true,
           u"Cut.PMS|! file is damaged|- texture not found: sand.bmp|- edge not found: sand.bmp||",
           u"sand.bmp#10|", u""},
      };
  for (const auto& [name, kind, problem, block, textureTags, sceneryTags] : rows) {
    SCOPED_TRACE(testing::PrintToString(name));
    EXPECT_EQ(Check(name, kind), problem);
    EXPECT_EQ(Texts(report), block);
    EXPECT_EQ(Texts(textures, true), textureTags);
    EXPECT_EQ(Texts(sceneries, true), sceneryTags);
  }
  EXPECT_EQ(controls.statusTexts.front(), u"Reading file: S.PMS");
  state.controls = nullptr;  // without a window nothing breaks
  EXPECT_FALSE(Check(u"T.PMS", kKindMap));
}

TEST_F(MapsTest, StatisticsShowAllTheirLinesOrNothing) {
  PmsSpec recipe;
  recipe.sceneryInstanceCount = 45;
  recipe.colliderCount = 3;
  recipe.waypointCount = 7;
  recipe.weather = 2;
  recipe.steps = 1;
  Put(kKindMap, u"Stats.PMS", PmsBytes(recipe));
  StringList lines;
  lines.add(u"kept", 0);
  AppendMapStatistics(state, lines, u"Stats.PMS", true);
  EXPECT_EQ(Texts(lines),
            u"kept|Polygons: ---- 10|Sceneries: --- 45|Spawns: ------ 2|Colliders: --- 3|"
            u"Waypoints: --- 7|Nade kits: --- 3|Med kits: ---- 4|Jet: --------- 190|"
            u"Weather: ----- Sand storm|Steps: ------- Soft|");

  // A map or prefab with a problem adds no line; uncompiled maps have the editor's limits.
  recipe.spawnCount = 0;
  recipe.sectorRange = -1;
  Put(kKindUncompiledMap, u"draft.pms", PmsBytes(recipe));
  Put(kKindMap, u"Crowded.PMS", PmsBytes(recipe));
  lines.clear();
  AppendMapStatistics(state, lines, u"Crowded.PMS", true);
  AppendPrefabStatistics(state, lines, u"absent.pfb");
  EXPECT_EQ(lines.count(), 0);
  AppendMapStatistics(state, lines, u"draft.pms", false);
  EXPECT_EQ(lines.textAt(2), u"Spawns: ------ 0");

  Put(kKindPrefab, u"piece.pfb", PfbBytes(FullPrefab()));
  lines.clear();
  AppendPrefabStatistics(state, lines, u"piece.pfb");
  EXPECT_EQ(Texts(lines),
            u"Polygons: ---- 2|Sceneries: --- 2|Spawns: ------ 3|Colliders: --- 5|"
            u"Waypoints: --- 4|");
}

TEST_F(MapsTest, DetailsShowEachKindsLineBeforeDateAndWholeKilobytes) {
  // A description's length byte above 38 must not run into the texture name behind it; other
  // kinds have no line between name and date, and their name is the whole path.
  const auto map = [](std::string text, std::uint8_t length) {
    PmsSpec recipe;
    recipe.description = std::move(text);
    recipe.descriptionLength = length;
    return PmsBytes(recipe);
  };
  const std::string full38 = "Thirty-eight characters of description";
  const std::u16string shown = u"Description: " + std::u16string(full38.begin(), full38.end());
  const std::tuple<int, std::u16string, Bytes, std::u16string> rows[] = {
      {kKindUncompiledMap, u"wip.PMS", map(full38, 38), shown},
      {kKindMap, u"39.pms", map(full38, 39), shown},
      {kKindMap, u"3.pms", map("abcdef", 3), u"Description: abc"},
      {kKindMap, u"zero.pms", map(std::string("ab\0cd", 5), 5), u"Description: ab"},
      {kKindScenery, u"tree.bmp", BmpBytes(3, 2), u"Dimentions: 3x2 px"},
      {kKindEdge, u"rock.png", PngBytes(5, 7), u"Dimentions: 5x7 px"},
      {kKindTexture, u"broken.bmp", Bytes(12, 'x'), u"Dimentions: 0x0 px"},
      {kKindPrefab, u"small.pfb", Bytes(1023, 1), u""},
      {6, dir.file(u"elsewhere.txt"), Bytes(4096, 1), u""},
      {-1, dir.file(u"elsewhere.txt"), Bytes(4096, 1), u""},
  };
  for (const auto& [kind, name, bytes, line] : rows) {
    Put(kind, name, bytes);
    EXPECT_EQ(Details(name, kind), name + u"|" + (line.empty() ? u"" : line + u"|") +
                                       u"Modified: 05.03.2024  09:07|Size: " +
                                       DecimalText(std::int64_t(bytes.size() / 1024)) + u" kb|");
  }
}

}  // namespace
