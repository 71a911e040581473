#include "maps/map_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/ui_text.h"
#include "support/fake_controls.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"

namespace {

using testsupport::PfbBytes;
using testsupport::PfbSpec;
using testsupport::PmsBytes;
using testsupport::PmsSpec;
using testsupport::WriteBytes;
using Lines = std::vector<std::u16string>;
using Tagged = std::vector<std::pair<std::u16string, int>>;

Lines Texts(StringList& list) {
  list.buildIndex();
  Lines out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.textAt(i));
  return out;
}

Tagged TextsAndTags(StringList& list) {
  list.buildIndex();
  Tagged out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.textAt(i), list.nodeAt(i)->tag);
  return out;
}

// A game installation in a temp folder with the six kind folders, the built-in UI text and
// a window that records the status bar.
class MapReportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    const char16_t* names[kKindCount] = {u"maps",        u"Uncompiled", u"Prefabs",
                                         u"scenery-gfx", u"textures",   u"textures\\edges"};
    for (int kind = 0; kind < kKindCount; ++kind) state.kindFolders[kind] = dir.folder(names[kind]);
    state.controls = &controls;
  }

  void Put(int kind, std::u16string_view name, const std::vector<std::uint8_t>& bytes = {0}) {
    WriteBytes(state.kindFolders[kind] + std::u16string(name), bytes);
  }

  bool Check(std::u16string_view name, FileKind kind) {
    return CheckContentEntry(state, name, kind, report, sceneries, textures, *summary,
                             *prefabCounts);
  }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  AppState state;
  StringList report;
  StringList sceneries;
  StringList textures;
  std::unique_ptr<MapSummary> summary = std::make_unique<MapSummary>();
  std::unique_ptr<MapCounts> prefabCounts = std::make_unique<MapCounts>();
};

PmsSpec CleanMap() {
  PmsSpec spec;
  spec.description = "Ash and dust";
  spec.texture = "rock.bmp";
  return spec;
}

TEST_F(MapReportTest, SoundMapAddsNoBlockButListsItsFilesAsFound) {
  PmsSpec spec = CleanMap();
  spec.sceneryNames = {"tree.bmp", "bush.png"};
  Put(kKindMap, u"ctf_Ash.PMS", PmsBytes(spec));
  Put(kKindTexture, u"rock.bmp");
  Put(kKindEdge, u"rock.bmp");
  Put(kKindScenery, u"tree.bmp");
  Put(kKindScenery, u"bush.png");

  EXPECT_FALSE(Check(u"ctf_Ash.PMS", kKindMap));
  EXPECT_EQ(report.count(), 0);
  EXPECT_EQ(TextsAndTags(textures), (Tagged{{u"rock.bmp", 5}}));
  EXPECT_EQ(TextsAndTags(sceneries), (Tagged{{u"tree.bmp", 1}, {u"bush.png", 1}}));
  EXPECT_EQ(controls.statusTexts, (Lines{u"Reading file: ctf_Ash.PMS"}));

  state.controls = nullptr;  // without a window nothing is shown, and nothing breaks
  EXPECT_FALSE(Check(u"ctf_Ash.PMS", kKindMap));
  EXPECT_EQ(controls.statusTexts.size(), 1u);
}

TEST_F(MapReportTest, MissingDescriptionIsAWarningOnlyWhenTheMapReadsWell) {
  Put(kKindTexture, u"rock.bmp");
  Put(kKindEdge, u"rock.bmp");
  for (const char* description : {"new soldat map", "NEW Soldat MAP", ""}) {
    PmsSpec spec = CleanMap();
    spec.description = description;
    Put(kKindMap, u"Plain.PMS", PmsBytes(spec));
    report.clear();
    EXPECT_FALSE(Check(u"Plain.PMS", kKindMap)) << description;
    EXPECT_EQ(Texts(report), (Lines{u"Plain.PMS", u"* map has no description", u""}))
        << description;
  }
  PmsSpec named = CleanMap();
  named.description = "New Soldat Map 2";
  Put(kKindMap, u"Named.PMS", PmsBytes(named));
  report.clear();
  EXPECT_FALSE(Check(u"Named.PMS", kKindMap));
  EXPECT_EQ(report.count(), 0);

  PmsSpec broken = CleanMap();
  broken.description = "";
  broken.polygonCount = 0;
  Put(kKindMap, u"Empty.PMS", PmsBytes(broken));
  report.clear();
  EXPECT_TRUE(Check(u"Empty.PMS", kKindMap));
  EXPECT_EQ(Texts(report), (Lines{u"Empty.PMS", u"! map has no polygons", u""}));
}

TEST_F(MapReportTest, CompiledMapNamesAreCheckedForLengthAndUpperCaseExtension) {
  Put(kKindTexture, u"rock.bmp");
  Put(kKindEdge, u"rock.bmp");
  const std::u16string name22 = u"ctf_Long_Map_Names.pms";
  const std::u16string name20 = u"ctf_Exactly_Twen.PMS";
  for (const std::u16string& name : {name22, name20, std::u16string(u"x.Pms")}) {
    Put(kKindMap, name, PmsBytes(CleanMap()));
    EXPECT_FALSE(Check(name, kKindMap));
  }
  EXPECT_EQ(Texts(report), (Lines{name22, u"* map file name exceeds 20 characters",
                                  u"* map has lowercase file extension", u"", u"x.Pms",
                                  u"* map has lowercase file extension", u""}));
}

TEST_F(MapReportTest, UncompiledMapsSkipNameChecksAndTheirBlockNameEndsInU) {
  Put(kKindTexture, u"rock.bmp");
  Put(kKindEdge, u"rock.bmp");
  const std::u16string name = u"a_very_long_uncompiled_map_name.pms";
  PmsSpec spec = CleanMap();
  spec.sectorRange = -1;  // no sector grid: not compiled, which is fine here
  spec.spawnCount = 0;
  Put(kKindUncompiledMap, name, PmsBytes(spec));
  EXPECT_FALSE(Check(name, kKindUncompiledMap));
  EXPECT_EQ(report.count(), 0);

  spec.polygonCount = 10001;
  Put(kKindUncompiledMap, name, PmsBytes(spec));
  EXPECT_TRUE(Check(name, kKindUncompiledMap));
  EXPECT_EQ(Texts(report), (Lines{name + u" U", u"! polygons limit (10000) is exceeded", u""}));
  // The same name among compiled maps is not found there.
  report.clear();
  EXPECT_TRUE(Check(name, kKindMap));
  EXPECT_EQ(Texts(report).at(0), name);
}

TEST_F(MapReportTest, MapOverALimitStillHasItsTextureLookedUpButNotItsSceneries) {
  PmsSpec spec = CleanMap();
  spec.polygonCount = 5001;
  spec.sceneryNames = {"tree.bmp"};
  Put(kKindMap, u"Huge.PMS", PmsBytes(spec));
  Put(kKindTexture, u"rock.bmp");

  EXPECT_TRUE(Check(u"Huge.PMS", kKindMap));
  EXPECT_EQ(Texts(report), (Lines{u"Huge.PMS", u"! polygons limit (5000) is exceeded",
                                  u"- edge not found: rock.bmp", u""}));
  EXPECT_EQ(TextsAndTags(textures), (Tagged{{u"rock.bmp", 6}}));
  EXPECT_EQ(sceneries.count(), 0);
}

TEST_F(MapReportTest, MissingSceneriesAreReportedAfterTheTextureInFileOrder) {
  PmsSpec spec = CleanMap();
  spec.texture = "gone.png";
  // An euro sign and an e acute in the ANSI code page; a length byte of 51 names nothing.
  spec.sceneryNames = {"\x80_missing.bmp", "h\xE9re.bmp", "", "a_missing.bmp", "cut.bmp"};
  spec.sceneryNameLengths = {13, 8, 0, 13, 51};
  Put(kKindMap, u"S.PMS", PmsBytes(spec));
  Put(kKindScenery, u"h\u00E9re.bmp");
  Put(kKindScenery, u"cut.bmp");

  EXPECT_FALSE(Check(u"S.PMS", kKindMap));
  EXPECT_EQ(Texts(report),
            (Lines{u"S.PMS", u"- texture not found: gone.png", u"- edge not found: gone.png",
                   u"- scenery not found: \u20AC_missing.bmp",
                   u"- scenery not found: a_missing.bmp", u""}));
  EXPECT_EQ(TextsAndTags(sceneries),
            (Tagged{{u"\u20AC_missing.bmp", 2}, {u"h\u00E9re.bmp", 1}, {u"a_missing.bmp", 2}}));
}

TEST_F(MapReportTest, UnreadableMapsCarryNoNamesOfTheEntryBefore) {
  PmsSpec spec = CleanMap();
  spec.sceneryNames = {"tree.bmp"};
  Put(kKindMap, u"First.PMS", PmsBytes(spec));
  Put(kKindTexture, u"rock.bmp");
  Put(kKindEdge, u"rock.bmp");
  Put(kKindScenery, u"tree.bmp");
  PmsSpec cut = CleanMap();
  cut.texture = "sand.bmp";
  cut.cutAt = 68;  // right behind the texture name
  Put(kKindMap, u"Cut.PMS", PmsBytes(cut));

  EXPECT_FALSE(Check(u"First.PMS", kKindMap));
  EXPECT_TRUE(Check(u"Gone.PMS", kKindMap));
  EXPECT_TRUE(Check(u"Cut.PMS", kKindMap));
  EXPECT_EQ(Texts(report),
            (Lines{u"Gone.PMS", u"- file not found", u"", u"Cut.PMS", u"! file is damaged",
                   u"- texture not found: sand.bmp", u"- edge not found: sand.bmp", u""}));
  EXPECT_EQ(TextsAndTags(textures), (Tagged{{u"rock.bmp", 5}, {u"sand.bmp", 10}}));
  EXPECT_EQ(TextsAndTags(sceneries), (Tagged{{u"tree.bmp", 1}}));
}

TEST_F(MapReportTest, PrefabsReportMissingSceneriesButArePackedUnlessUnreadable) {
  PfbSpec house;
  house.sceneryNames = {"tree.bmp", "lamp.png", "tree.bmp"};
  Put(kKindPrefab, u"house.pfb", PfbBytes(house));
  Put(kKindScenery, u"tree.bmp");
  PfbSpec full;
  full.sceneryNames = std::vector<std::string>(501, "tree.bmp");
  Put(kKindPrefab, u"full.pfb", PfbBytes(full));
  PfbSpec cut;
  cut.sceneryNames = {"lamp.png", "tree.bmp"};
  cut.cutAt = 2 + 88 * 2 + 2 + 88 + 10;  // inside the second scenery record
  Put(kKindPrefab, u"cut.pfb", PfbBytes(cut));

  EXPECT_FALSE(Check(u"house.pfb", kKindPrefab));
  EXPECT_EQ(controls.statusTexts, (Lines{u"Reading file: house.pfb"}));
  EXPECT_TRUE(Check(u"full.pfb", kKindPrefab));
  EXPECT_TRUE(Check(u"missing.pfb", kKindPrefab));
  EXPECT_TRUE(Check(u"cut.pfb", kKindPrefab));
  EXPECT_EQ(Texts(report),
            (Lines{u"house.pfb", u"- scenery not found: lamp.png", u"", u"full.pfb",
                   u"! sceneries limit (500) is exceeded", u"", u"missing.pfb", u"- file not found",
                   u"", u"cut.pfb", u"! file is damaged", u"- scenery not found: lamp.png", u""}));
  EXPECT_EQ(TextsAndTags(sceneries),
            (Tagged{{u"tree.bmp", 1}, {u"lamp.png", 2}, {u"tree.bmp", 1}, {u"lamp.png", 2}}));
  EXPECT_EQ(textures.count(), 0);
}

// Names come from files made by strangers: none may make the packer reach outside the
// game's folders, even where a file of that name exists.
TEST_F(MapReportTest, NamesThatCouldLeaveTheirFolderAreListedAsMissing) {
  const std::vector<std::uint8_t> one = {1};
  WriteBytes(dir.file(u"secret.bmp"), one);            // textures\..\secret.bmp
  WriteBytes(dir.file(u"textures\\secret.bmp"), one);  // edges\..\secret.bmp
  WriteBytes(dir.file(u"scenery-gfx\\sub\\inner.png"), one);
  PmsSpec spec = CleanMap();
  spec.texture = "..\\secret.bmp";
  spec.sceneryNames = {"sub\\inner.png", "sub/inner.png", "..", ".",
                       "C:inner.png",    "..\\secret.bmp"};
  Put(kKindMap, u"Evil.PMS", PmsBytes(spec));

  EXPECT_FALSE(Check(u"Evil.PMS", kKindMap));
  EXPECT_EQ(Texts(report),
            (Lines{u"Evil.PMS", u"- texture not found: ..\\secret.bmp",
                   u"- edge not found: ..\\secret.bmp", u"- scenery not found: sub\\inner.png",
                   u"- scenery not found: sub/inner.png", u"- scenery not found: ..",
                   u"- scenery not found: .", u"- scenery not found: C:inner.png",
                   u"- scenery not found: ..\\secret.bmp", u""}));
  EXPECT_EQ(TextsAndTags(textures), (Tagged{{u"..\\secret.bmp", 10}}));
  sceneries.forEach([](const StringNode& node) { EXPECT_EQ(node.tag, 2) << "scenery tag"; });
  EXPECT_EQ(sceneries.count(), 6);

  PfbSpec prefab;
  prefab.sceneryNames = {"../scenery-gfx/sub/inner.png"};
  Put(kKindPrefab, u"evil.pfb", PfbBytes(prefab));
  report.clear();
  sceneries.clear();
  EXPECT_FALSE(Check(u"evil.pfb", kKindPrefab));
  EXPECT_EQ(TextsAndTags(sceneries), (Tagged{{u"../scenery-gfx/sub/inner.png", 2}}));
}

TEST_F(MapReportTest, MapStatisticsShowAllTenLinesOrNothing) {
  PmsSpec spec = CleanMap();
  spec.polygonCount = 321;
  spec.sceneryInstanceCount = 45;
  spec.sceneryNames = {"tree.bmp"};
  spec.spawnCount = 12;
  spec.colliderCount = 3;
  spec.waypointCount = 7;
  spec.grenadeKits = 2;
  spec.medicalKits = 11;
  spec.jetAmount = -1;
  spec.weather = 2;
  spec.steps = 1;
  Put(kKindMap, u"Stats.PMS", PmsBytes(spec));
  const Lines expected = {u"Polygons: ---- 321", u"Sceneries: --- 45", u"Spawns: ------ 12",
                          u"Colliders: --- 3",   u"Waypoints: --- 7",  u"Nade kits: --- 2",
                          u"Med kits: ---- 11",  u"Jet: --------- -1", u"Weather: ----- Sand storm",
                          u"Steps: ------- Soft"};

  StringList lines;
  lines.add(u"kept", 0);
  AppendMapStatistics(state, lines, u"Stats.PMS", true);
  ASSERT_EQ(lines.count(), 11);  // readable through the index at once
  Lines got;
  for (int i = 1; i < lines.count(); ++i) got.emplace_back(lines.textAt(i));
  EXPECT_EQ(got, expected);
  lines.forEach([](const StringNode& node) { EXPECT_EQ(node.tag, 0); });

  spec.spawnCount = 129;
  Put(kKindMap, u"Crowded.PMS", PmsBytes(spec));
  StringList none;
  AppendMapStatistics(state, none, u"Crowded.PMS", true);
  AppendMapStatistics(state, none, u"Absent.PMS", true);
  EXPECT_EQ(none.count(), 0);

  // Uncompiled maps are held to the editor's limits only.
  spec.spawnCount = 0;
  spec.sectorRange = -1;
  Put(kKindUncompiledMap, u"draft.pms", PmsBytes(spec));
  StringList draft;
  AppendMapStatistics(state, draft, u"draft.pms", false);
  EXPECT_EQ(Texts(draft).at(2), u"Spawns: ------ 0");
}

TEST_F(MapReportTest, PrefabStatisticsShowTheFiveCountLines) {
  PfbSpec spec;
  spec.polygonCount = 4;
  spec.sceneryNames = {"a.bmp", "b.bmp"};
  spec.colliderCount = 1;
  spec.spawnCount = 2;
  spec.waypointCount = 3;
  Put(kKindPrefab, u"piece.pfb", PfbBytes(spec));

  StringList lines;
  AppendPrefabStatistics(state, lines, u"piece.pfb");
  EXPECT_EQ(Texts(lines), (Lines{u"Polygons: ---- 4", u"Sceneries: --- 2", u"Spawns: ------ 2",
                                 u"Colliders: --- 1", u"Waypoints: --- 3"}));
  StringList none;
  AppendPrefabStatistics(state, none, u"absent.pfb");
  EXPECT_EQ(none.count(), 0);
}

}  // namespace
