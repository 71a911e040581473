#include "maps/map_report.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/text_helpers.h"
#include "support/fake_controls.h"
#include "fixtures/map_writer.h"
#include "support/maps_fixture.h"

namespace {

using namespace testsupport;
using namespace fixtures;

// The texts in index order, each ended by '|'; with tags, each text followed by '#' and its tag.
std::u16string Texts(StringList& list, bool tags = false) {
  list.buildIndex();
  std::u16string out;
  for (int i = 0; i < list.count(); ++i) {
    out += list.textAt(i);
    if (tags) out += u"#" + DecimalText(list.nodeAt(i)->tag);
    out += u'|';
  }
  return out;
}

// "rock.bmp" as texture and edge, "tex.bmp" as texture only and "tree.bmp" as scenery.
class MapReportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetUpMapsState(state, dir, &controls));
    for (const int kind : {kKindTexture, kKindEdge}) Put(kind, u"rock.bmp");
    Put(kKindTexture, u"tex.bmp");
    Put(kKindScenery, u"tree.bmp");
  }

  void Put(int kind, std::u16string_view name, const std::vector<std::uint8_t>& bytes = {0}) {
    WriteBytes(state.kindFolders[kind] + std::u16string(name), bytes);
  }
  bool Check(std::u16string_view name, FileKind kind) {
    return CheckContentEntry(state, name, kind, report, sceneries, textures, summary, prefabCounts);
  }

  TempDir dir;
  FakeControls controls;
  AppState state;
  StringList report, sceneries, textures;
  MapSummary summary;
  MapCounts prefabCounts;
};

TEST_F(MapReportTest, MapBlocksNameEveryProblemAndWarning) {
  using S = PmsSpec;
  const std::tuple<std::u16string, FileKind, void (*)(S&), bool> rows[] = {
      {u"ctf_Exactly_Twen.PMS", kKindMap, [](S&) {}, false},
      {u"Named.PMS", kKindMap, [](S& s) { s.description = "New Soldat Map 2"; }, false},
      {u"Caps.PMS", kKindMap, [](S& s) { s.description = "NEW Soldat MAP"; }, false},
      {u"Blank.PMS", kKindMap, [](S& s) { s.description = ""; }, false},
      // An unreadable map gets no description warning.
      {u"Empty.PMS", kKindMap, [](S& s) { s.description = "", s.polygonCount = 0; }, true},
      {u"ctf_Long_Map_Names.pms", kKindMap, [](S&) {}, false},
      // Uncompiled maps: no name checks, the editor's limits only.
      {u"long_uncompiled_name.pms", kKindUncompiledMap, [](S& s) { s.sectorRange = -1; }, false},
      {u"draft.pms", kKindUncompiledMap, [](S& s) { s.polygonCount = 10001; }, true},
      {u"draft.pms", kKindMap, nullptr, true},  // no such file
      // Over a limit the texture is still looked up.
      {u"Huge.PMS", kKindMap, [](S& s) { s.polygonCount = 5001, s.texture = "tex.bmp"; }, true},
      // Cut right behind the texture name.
      {u"Cut.PMS", kKindMap, [](S& s) { s.texture = "sand.bmp", s.cutAt = 68; }, true},
  };
  for (const auto& [name, kind, set, problem] : rows) {
    if (set != nullptr) {
      PmsSpec recipe;
      set(recipe);
      Put(kind, name, PmsBytes(recipe));
    }
    EXPECT_EQ(Check(name, kind), problem) << testing::PrintToString(name);
  }
  EXPECT_EQ(
      Texts(report),
      u"Caps.PMS|* map has no description||Blank.PMS|* map has no description||"
      u"Empty.PMS|! map has no polygons||ctf_Long_Map_Names.pms|"
      u"* map file name exceeds 20 characters|* map has lowercase file extension||draft.pms U|"
      u"! polygons limit (10000) is exceeded||draft.pms|- file not found|"
      u"* map has lowercase file extension||Huge.PMS|"
      u"! polygons limit (5000) is exceeded|- edge not found: tex.bmp||Cut.PMS|"
      u"! file is damaged|- texture not found: sand.bmp|- edge not found: sand.bmp||");
}

TEST_F(MapReportTest, NamedFilesAreListedAndLookedUpInFileOrderWithoutCarryingOver) {
  // Names from strangers' files never reach outside the game's folders, even where a file of
  // that name exists.
  WriteText(dir.file(u"secret.bmp"), "1");            // textures\..\secret.bmp
  WriteText(dir.file(u"textures\\secret.bmp"), "1");  // edges\..\secret.bmp
  WriteText(dir.file(u"scenery-gfx\\sub\\inner.png"), "1");
  Put(kKindScenery, u"h\u00E9re.bmp");
  Put(kKindScenery, u"cut.bmp");
  PmsSpec recipe;
  recipe.texture = "..\\secret.bmp";
  // A euro sign and an e acute in the ANSI code page; empty names and a length byte of 51
  // name nothing.
  recipe.sceneryNames = {"\x80_missing.bmp", "h\xE9re.bmp",   "",   "tree.bmp", "cut.bmp",
                         "sub\\inner.png",   "sub/inner.png", "..", ".",        "C:inner.png",
                         "..\\secret.bmp"};
  recipe.sceneryNameLengths = {13, 8, 0, 8, 51};
  Put(kKindMap, u"S.PMS", PmsBytes(recipe));
  EXPECT_FALSE(Check(u"S.PMS", kKindMap));
  EXPECT_EQ(controls.statusTexts, std::vector<std::u16string>{u"Reading file: S.PMS"});
  state.controls = nullptr;  // without a window nothing is shown, and nothing breaks
  EXPECT_TRUE(Check(u"Gone.PMS", kKindMap));
  recipe.texture = "tex.bmp";
  recipe.sceneryNames = {"tree.bmp"};
  Put(kKindMap, u"T.PMS", PmsBytes(recipe));
  EXPECT_FALSE(Check(u"T.PMS", kKindMap));

  EXPECT_EQ(Texts(report),
            u"S.PMS|- texture not found: ..\\secret.bmp|- edge not found: ..\\secret.bmp|"
            u"- scenery not found: \u20AC_missing.bmp|- scenery not found: sub\\inner.png|"
            u"- scenery not found: sub/inner.png|- scenery not found: ..|"
            u"- scenery not found: .|- scenery not found: C:inner.png|"
            u"- scenery not found: ..\\secret.bmp||Gone.PMS|- file not found||"
            u"T.PMS|- edge not found: tex.bmp||");
  // A texture's tag is 4 * texture mark + edge mark; 1 found, 2 missing.
  EXPECT_EQ(Texts(textures, true), u"..\\secret.bmp#10|tex.bmp#6|");
  EXPECT_EQ(Texts(sceneries, true),
            u"\u20AC_missing.bmp#2|h\u00E9re.bmp#1|tree.bmp#1|sub\\inner.png#2|sub/inner.png#2|"
            u"..#2|.#2|C:inner.png#2|..\\secret.bmp#2|tree.bmp#1|");
}

TEST_F(MapReportTest, PrefabsReportMissingSceneriesButArePackedUnlessUnreadable) {
  PfbSpec house;
  house.sceneryNames = {"tree.bmp", "lamp.png", "../scenery-gfx/sub/inner.png"};
  Put(kKindPrefab, u"house.pfb", PfbBytes(house));
  house.sceneryNames.resize(501, "tree.bmp");
  Put(kKindPrefab, u"full.pfb", PfbBytes(house));
  house.sceneryNames.resize(2);            // the first whole, the second cut
  house.cutAt = 2 + 88 * 2 + 2 + 88 + 10;  // inside the second scenery record
  Put(kKindPrefab, u"cut.pfb", PfbBytes(house));

  EXPECT_FALSE(Check(u"house.pfb", kKindPrefab));
  EXPECT_TRUE(Check(u"full.pfb", kKindPrefab));
  EXPECT_TRUE(Check(u"cut.pfb", kKindPrefab));
  EXPECT_EQ(Texts(report),
            u"house.pfb|- scenery not found: lamp.png|"
            u"- scenery not found: ../scenery-gfx/sub/inner.png||full.pfb|"
            u"! sceneries limit (500) is exceeded||cut.pfb|"
            u"! file is damaged||");
  EXPECT_EQ(Texts(sceneries, true),
            u"tree.bmp#1|lamp.png#2|../scenery-gfx/sub/inner.png#2|tree.bmp#1|");
  EXPECT_EQ(textures.count(), 0);
}

TEST_F(MapReportTest, StatisticsShowAllTheirLinesOrNothing) {
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
  ASSERT_EQ(lines.count(), 11);
  EXPECT_EQ(lines.textAt(10), u"Steps: ------- Soft");  // readable through the index at once
  EXPECT_EQ(Texts(lines, true),
            u"kept#0|Polygons: ---- 10#0|Sceneries: --- 45#0|Spawns: ------ 2#0|"
            u"Colliders: --- 3#0|Waypoints: --- 7#0|Nade kits: --- 3#0|Med kits: ---- 4#0|"
            u"Jet: --------- 190#0|Weather: ----- Sand storm#0|Steps: ------- Soft#0|");

  // Uncompiled maps are held to the editor's limits only; a map or prefab with a problem, or
  // none at all, adds no line.
  recipe.spawnCount = 0;
  recipe.sectorRange = -1;
  Put(kKindUncompiledMap, u"draft.pms", PmsBytes(recipe));
  Put(kKindMap, u"Crowded.PMS", PmsBytes(recipe));
  lines.clear();
  AppendMapStatistics(state, lines, u"Crowded.PMS", true);
  AppendMapStatistics(state, lines, u"Absent.PMS", true);
  AppendPrefabStatistics(state, lines, u"absent.pfb");
  EXPECT_EQ(lines.count(), 0);
  AppendMapStatistics(state, lines, u"draft.pms", false);
  EXPECT_EQ(lines.textAt(2), u"Spawns: ------ 0");

  PfbSpec prefab;
  prefab.sceneryNames = {"a.bmp", "b.bmp", "c.bmp"};
  prefab.waypointCount = 4;
  Put(kKindPrefab, u"piece.pfb", PfbBytes(prefab));
  lines.clear();
  AppendPrefabStatistics(state, lines, u"piece.pfb");
  EXPECT_EQ(Texts(lines),
            u"Polygons: ---- 2|Sceneries: --- 3|Spawns: ------ 0|"
            u"Colliders: --- 0|Waypoints: --- 4|");
}

}  // namespace
