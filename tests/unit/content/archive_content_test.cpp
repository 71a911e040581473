#include "content/archive_content.h"

#include <gtest/gtest.h>

#include <string>

#include "config/default_file_lists.h"
#include "content_fixture.h"
#include "platform/existence_cache.h"

namespace {

using contenttest::ContentTest;
using contenttest::MapUsing;
using contenttest::Narrow;
using contenttest::Wide;

using ArchiveContent = ContentTest;

TEST_F(ArchiveContent, GroupsEveryFileWithItsMarkAndReportsTheProblems) {
  PutTexture("rock.bmp");
  PutImage(kKindTexture, "sand.bmp");  // its edge is missing
  PutImage(kKindScenery, "tree.bmp");
  PutImage(kKindScenery, "bush.png");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp", "bush.png"}));
  PutMap("ctf_Bay.PMS", MapUsing("sand.bmp", {"tree.bmp"}));
  testsupport::PmsSpec draft = MapUsing("rock.bmp", {});
  draft.polygonsPerCell = 0;  // an uncompiled map has no sectors yet
  Put(kKindUncompiledMap, "draft.PMS", testsupport::PmsBytes(draft));
  Choose("draft.PMS", kKindUncompiledMap);
  testsupport::PfbSpec bunker;
  bunker.sceneryNames = {"rock.png"};  // missing: reported, yet the prefab is packed
  Put(kKindPrefab, "bunker.PFB", testsupport::PfbBytes(bunker));
  Choose("bunker.PFB", kKindPrefab);
  state.contentStale = true;

  BuildArchiveContent(state);

  EXPECT_EQ(Outline(),
            "Archive content [0/0] +\n"
            "  Maps ( 2 ) [1/1] o1\n"
            "    ctf_Ash.PMS [11/11] o1\n"
            "    ctf_Bay.PMS [11/11] o1\n"
            "  Uncompiled maps ( 1 ) [1/1] o1\n"
            "    draft.PMS [12/12] o1\n"
            "  Prefabs ( 1 ) [1/1] o1\n"
            "    bunker.PFB [13/13] o1\n"
            "  Scenery-gfx ( 3 ) [1/1] o2\n"
            "    bush.png [5/5] o1\n"
            "    rock.png [5/5] o2\n"
            "    tree.bmp [5/5] o1\n"
            "  Textures ( 2 ) [1/1] o1\n"
            "    rock.bmp [5/5] o1\n"
            "    sand.bmp [5/5] o1\n"
            "  Edges ( 2 ) [1/1] o2\n"
            "    rock.bmp [5/5] o1\n"
            "    sand.bmp [5/5] o2\n"
            "  mapslist.txt [4/4] o1\n");
  const std::string report =
      "bunker.PFB\r\n- scenery not found: rock.png\r\n\r\n"
      "ctf_Bay.PMS\r\n- edge not found: sand.bmp\r\n\r\n";
  EXPECT_EQ(Report(), report);
  EXPECT_EQ(Details(), report);
  EXPECT_EQ(TabImage(), kContentTabProblems);
  EXPECT_FALSE(state.contentStale);
  EXPECT_TRUE(controls.enabled(ui::Slot::contentTree));
  EXPECT_TRUE(controls.enabled(ui::Slot::contentSearchButton));
  EXPECT_FALSE(controls.enabled(ui::Slot::showLogButton));
  EXPECT_EQ(Narrow(controls.statusTexts.back()), "Ready");
}

TEST_F(ArchiveContent, AllWellShowsTabSixUntilTheUserExcludesEverything) {
  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  BuildArchiveContent(state);
  EXPECT_EQ(TabImage(), kContentTabAllWell);
  EXPECT_EQ(Report(), "<none>");

  for (int kind : {kKindMap, kKindTexture, kKindEdge}) {
    content.setOverlay(content.child(Group(kind)), kMarkExcluded);
  }
  RefreshContentMarks(state);
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkExcluded);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);  // no map, no mapslist
}

TEST_F(ArchiveContent, EmptyPackListLeavesOnlyTheTopItem) {
  state.contentReport = u"old report";
  state.previewPath = u"old.bmp";
  state.contentSearchPos = 4;
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(), "Archive content [0/0]\n");
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);
  EXPECT_EQ(Report(), "<none>");
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_EQ(state.contentSearchPos, 0);
  for (auto slot : {ui::Slot::contentTree, ui::Slot::refreshContentButton,
                    ui::Slot::contentSearchEdit, ui::Slot::contentSearchButton}) {
    EXPECT_FALSE(controls.enabled(slot));
  }
}

TEST_F(ArchiveContent, PrefabsAloneRemoveTheMapGroupsAndExcludeTheMapslist) {
  testsupport::PfbSpec bunker;
  Put(kKindPrefab, "bunker.PFB", testsupport::PfbBytes(bunker));
  Choose("bunker.PFB", kKindPrefab);
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(),
            "Archive content [0/0] +\n"
            "  Prefabs ( 1 ) [1/1] o1\n"
            "    bunker.PFB [13/13] o1\n"
            "  mapslist.txt [4/4] o3\n");
  EXPECT_EQ(Group(kKindMap), ui::kNoItem);
  EXPECT_EQ(TabImage(), kContentTabAllWell);
}

TEST_F(ArchiveContent, SkipMapslistExcludesItEvenWithMaps) {
  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  state.skipMapslist = true;
  BuildArchiveContent(state);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkIncluded);
}

TEST_F(ArchiveContent, DefaultFilesAreLeftOutInAnyLetterCaseFoundOrNot) {
  testsupport::WriteBytes(state.programFolder + u"default sceneries.txt",
                          testsupport::Utf16File({u"TREE.bmp", u"Zebra.PNG"}));
  testsupport::WriteBytes(state.programFolder + u"default textures.txt",
                          testsupport::Utf16File({u"ROCK.BMP"}));
  LoadDefaultFileLists(state);
  PutTexture("rock.bmp");
  PutImage(kKindScenery, "tree.BMP");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.BMP", "zebra.png", "own.png"}));

  BuildArchiveContent(state);  // the skip flags are off: everything is listed
  EXPECT_EQ(content.text(Group(kKindScenery)), u"Scenery-gfx ( 3 )");
  EXPECT_NE(Group(kKindTexture), ui::kNoItem);

  state.skipDefaultSceneries = true;
  state.skipDefaultTextures = true;
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(Group(kKindScenery)), "own.png [5/5] o2\n");
  EXPECT_EQ(Group(kKindTexture), ui::kNoItem);
  EXPECT_EQ(Group(kKindEdge), ui::kNoItem);
  // The report was made before the defaults were taken out.
  EXPECT_NE(Report().find("- scenery not found: zebra.png"), std::string::npos);
}

TEST_F(ArchiveContent, MapOverTheLimitIsCountedAsAProblemAndItsTextureStillListed) {
  PutTexture("rock.bmp");
  testsupport::PmsSpec big = MapUsing("rock.bmp", {"tree.bmp"});
  big.polygonCount = 5001;
  PutMap("ctf_Big.PMS", big);
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(),
            "Archive content [0/0] +\n"
            "  Maps ( 1 ) [1/1] o2\n"
            "    ctf_Big.PMS [11/11] o2\n"
            "  Textures ( 1 ) [1/1] o1\n"
            "    rock.bmp [5/5] o1\n"
            "  Edges ( 1 ) [1/1] o1\n"
            "    rock.bmp [5/5] o1\n"
            "  mapslist.txt [4/4] o3\n");
  EXPECT_EQ(Report(), "ctf_Big.PMS\r\n! polygons limit (5000) is exceeded\r\n\r\n");
  EXPECT_EQ(TabImage(), kContentTabProblems);
}

TEST_F(ArchiveContent, WarningsAloneMakeAReportButKeepTheMapIncluded) {
  PutTexture("rock.bmp");
  PutMap("ctf_ash.pms", MapUsing("rock.bmp", {}));
  BuildArchiveContent(state);
  EXPECT_EQ(content.overlay(Item(kKindMap, u"ctf_ash.pms")), kMarkIncluded);
  EXPECT_EQ(Report(), "ctf_ash.pms\r\n* map has lowercase file extension\r\n\r\n");
  EXPECT_EQ(TabImage(), kContentTabProblems);
}

TEST_F(ArchiveContent, SceneryNamedInTwoLetterCasesIsOneItem) {
  PutTexture("rock.bmp");
  PutImage(kKindScenery, "Tree.bmp");
  PutMap("a.PMS", MapUsing("rock.bmp", {"Tree.bmp", "Gone.png"}));
  PutMap("b.PMS", MapUsing("ROCK.BMP", {"TREE.BMP", "gone.PNG"}));
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(Group(kKindScenery)),
            "gone.PNG [5/5] o2\n"
            "TREE.BMP [5/5] o1\n");
  EXPECT_EQ(Outline(Group(kKindTexture)), "ROCK.BMP [5/5] o1\n");
}

TEST_F(ArchiveContent, NamesThatWouldLeaveTheirFolderAreMissingEvenWhenTheFileIsThere) {
  // Each of these names, joined to its folder, would reach a real file elsewhere.
  testsupport::WriteBytes(dir.file(u"secret.bmp"), testsupport::BmpBytes(4, 4));
  testsupport::WriteBytes(dir.file(u"x.bmp"), testsupport::BmpBytes(4, 4));
  PutImage(kKindTexture, "x.bmp");
  PutImage(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("..\\x.bmp", {"..\\secret.bmp", "..\\scenery-gfx\\tree.bmp",
                                               "../secret.bmp", ".."}));
  Put(kKindPrefab, "bunker.PFB", testsupport::PfbBytes({}));
  Choose("..\\Prefabs\\bunker.PFB", kKindMap);

  BuildArchiveContent(state);

  EXPECT_EQ(content.childCount(Group(kKindScenery)), 4);
  for (const char16_t* name :
       {u"..\\secret.bmp", u"..\\scenery-gfx\\tree.bmp", u"../secret.bmp", u".."}) {
    EXPECT_EQ(content.overlay(Item(kKindScenery, name)), kMarkProblem) << Narrow(name);
  }
  EXPECT_EQ(content.overlay(Item(kKindTexture, u"..\\x.bmp")), kMarkProblem);
  EXPECT_EQ(content.overlay(Item(kKindEdge, u"..\\x.bmp")), kMarkProblem);
  EXPECT_EQ(content.overlay(Item(kKindMap, u"..\\Prefabs\\bunker.PFB")), kMarkProblem);
  EXPECT_NE(Report().find("..\\Prefabs\\bunker.PFB\r\n- file not found\r\n"), std::string::npos);
}

TEST_F(ArchiveContent, ManyMapsSharingSceneriesListEachOnceAcrossTheInterimSorts) {
  // 120 maps of 100 names each pass the interim de-duplication point more than once.
  PutTexture("rock.bmp");
  constexpr int kPool = 150;
  for (int m = 0; m < 120; ++m) {
    std::vector<std::string> names;
    for (int i = 0; i < 100; ++i) {
      std::string name = "s" + std::to_string((m % 51 + i) % kPool) + ".bmp";
      if (m % 2 == 1) name[0] = 'S';
      names.push_back(name);
    }
    PutMap("m" + std::to_string(m) + ".PMS", MapUsing("rock.bmp", names));
  }
  BuildArchiveContent(state);
  EXPECT_EQ(content.text(Group(kKindScenery)),
            u"Scenery-gfx ( " + Wide(std::to_string(kPool)) + u" )");
  EXPECT_EQ(content.childCount(Group(kKindScenery)), kPool);
}

TEST_F(ArchiveContent, RebuildDiscardsTogglesAndWhatWasShown) {
  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  BuildArchiveContent(state);
  content.setOverlay(Item(kKindMap, u"ctf_Ash.PMS"), kMarkExcluded);
  controls.setText(ui::Slot::detailsEdit, u"details of something");
  state.previewPath = u"C:\\some.bmp";
  int layouts = 0;
  state.layoutControls = [&](AppState& s) {
    EXPECT_TRUE(s.previewPath.empty());
    ++layouts;
  };
  BuildArchiveContent(state);
  EXPECT_EQ(content.overlay(Item(kKindMap, u"ctf_Ash.PMS")), kMarkIncluded);
  EXPECT_EQ(Details(), "");
  EXPECT_EQ(layouts, 1);
}

TEST(ExistenceCache, AsksOncePerNameAndFolderInAnyLetterCase) {
  platform::ExistenceCache cache;
  int asked = 0;
  const auto there = [&] { return ++asked, true; };
  const auto gone = [&] { return ++asked, false; };
  EXPECT_TRUE(cache.exists(3, u"Tree.bmp", there));
  EXPECT_TRUE(cache.exists(3, u"TREE.BMP", gone));
  EXPECT_TRUE(cache.exists(3, u"Tree.bmp", gone));
  EXPECT_FALSE(cache.exists(4, u"tree.bmp", gone));  // another folder
  EXPECT_FALSE(cache.exists(4, u"Tree.BMP", there));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(cache.lookups(), 2);
}

}  // namespace
