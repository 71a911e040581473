#include "content/archive_content.h"

#include <gtest/gtest.h>

#include <string>

#include "content_fixture.h"
#include "platform/existence_cache.h"

namespace {

using namespace contenttest;
using fixtures::PfbBytes;
using ArchiveContent = ContentTest;

TEST_F(ArchiveContent, GroupsEveryFileWithItsMarkAndReportsTheProblems) {
  PutTexture("rock.bmp");
  PutImage(kKindTexture, "sand.bmp");  // its edge is missing
  PutImage(kKindScenery, "tree.bmp");
  PutImage(kKindScenery, "bush.png");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp", "bush.png"}));
  PutMap("ctf_Bay.PMS", MapUsing("sand.bmp", {"tree.bmp"}));
  fixtures::PmsSpec draft = MapUsing("rock.bmp", {});
  draft.polygonsPerCell = 0;  // an uncompiled map has no sectors yet
  PutMap("draft.PMS", draft, kKindUncompiledMap);
  fixtures::PfbSpec bunker;
  bunker.sceneryNames = {"rock.png"};  // missing: reported, yet the prefab is packed
  Put(kKindPrefab, "bunker.PFB", PfbBytes(bunker));
  Choose("bunker.PFB", kKindPrefab);
  state.contentStale = true;

  BuildArchiveContent(state);

  // One group with its files a line.
  EXPECT_EQ(content.outline(),
            "Archive content [0/0] +\n"
            "  Maps ( 2 ) [1/1] o1\n    ctf_Ash.PMS [11/11] o1\n    ctf_Bay.PMS [11/11] o1\n"
            "  Uncompiled maps ( 1 ) [1/1] o1\n    draft.PMS [12/12] o1\n"
            "  Prefabs ( 1 ) [1/1] o1\n    bunker.PFB [13/13] o1\n"
            "  Scenery-gfx ( 3 ) [1/1] o2\n    bush.png [5/5] o1\n    rock.png [5/5] o2\n"
            "    tree.bmp [5/5] o1\n"
            "  Textures ( 2 ) [1/1] o1\n    rock.bmp [5/5] o1\n    sand.bmp [5/5] o1\n"
            "  Edges ( 2 ) [1/1] o2\n    rock.bmp [5/5] o1\n    sand.bmp [5/5] o2\n"
            "  mapslist.txt [4/4] o1\n");
  // The entries' blocks in pack-list order, shown at once.
  EXPECT_EQ(Report(),
            "bunker.PFB\r\n- scenery not found: rock.png\r\n\r\n"
            "ctf_Bay.PMS\r\n- edge not found: sand.bmp\r\n\r\n");
  EXPECT_EQ(Details(), Report());
  EXPECT_EQ(TabImage(), kContentTabProblems);
  EXPECT_FALSE(state.contentStale);
  EXPECT_TRUE(controls.enabled(ui::Slot::contentSearchButton));
  EXPECT_FALSE(controls.enabled(ui::Slot::showLogButton));
  EXPECT_EQ(Narrow(controls.statusTexts.back()), "Ready");
}

TEST_F(ArchiveContent, ARebuildStartsAfreshAndAWarningAloneIsReportedButPacked) {
  state.contentReport = u"old report";
  state.previewPath = u"old.bmp";
  state.contentSearchPos = 4;
  controls.setText(ui::Slot::detailsEdit, u"old details");
  bool laidOutWithoutPreview = false;
  state.layoutControls = [&](AppState& s) { laidOutWithoutPreview = s.previewPath.empty(); };
  BuildArchiveContent(state);  // an empty pack list
  EXPECT_EQ(content.outline(), "Archive content [0/0]\n");
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);
  EXPECT_EQ(Report(), "<none>");
  EXPECT_EQ(Details(), "");
  EXPECT_TRUE(laidOutWithoutPreview);
  EXPECT_EQ(state.contentSearchPos, 0);
  EXPECT_FALSE(controls.enabled(ui::Slot::contentSearchEdit));

  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  BuildArchiveContent(state);
  EXPECT_EQ(TabImage(), kContentTabAllWell);
  PutMap("ctf_bay.pms", MapUsing("rock.bmp", {}));  // a lower-case extension
  BuildArchiveContent(state);
  EXPECT_EQ(Mark(kKindMap, u"ctf_bay.pms"), kMarkIncluded);
  EXPECT_EQ(TabImage(), kContentTabProblems);
}

TEST_F(ArchiveContent, MapslistIsExcludedWithoutAMapOrWhenSkipped) {
  Put(kKindPrefab, "bunker.PFB", PfbBytes({}));
  Choose("bunker.PFB", kKindPrefab);
  BuildArchiveContent(state);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
  EXPECT_EQ(TabImage(), kContentTabAllWell);

  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  state.skipMapslist = true;
  BuildArchiveContent(state);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
}

TEST_F(ArchiveContent, DefaultFilesAreLeftOutInAnyLetterCaseFoundOrNot) {
  for (const auto* name : {u"TREE.bmp", u"Zebra.PNG"}) state.defaultSceneries.add(name, 1);
  state.defaultTextures.add(u"ROCK.BMP", 1);
  state.defaultSceneries.sortUnique();  // as the lists are kept after loading
  state.defaultTextures.sortUnique();
  PutTexture("rock.bmp");
  PutImage(kKindScenery, "tree.BMP");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.BMP", "zebra.png", "own.png"}));

  BuildArchiveContent(state);  // the skip flags are off
  EXPECT_EQ(content.childCount(Group(kKindScenery)), 3);
  EXPECT_NE(Group(kKindTexture), ui::kNoItem);

  state.skipDefaultSceneries = state.skipDefaultTextures = true;
  BuildArchiveContent(state);
  EXPECT_EQ(content.outline(Group(kKindScenery)), "own.png [5/5] o2\n");
  EXPECT_EQ(Group(kKindTexture), ui::kNoItem);
  EXPECT_EQ(Group(kKindEdge), ui::kNoItem);
  // The report was made before the defaults were taken out.
  EXPECT_NE(Report().find("- scenery not found: zebra.png"), std::string::npos);
}

TEST_F(ArchiveContent, ManyMapsSharingSceneriesListEachOnceAcrossTheInterimSorts) {
  // 120 maps of 100 names each pass the interim de-duplication point more than once.
  PutTexture("rock.bmp");
  for (int m = 0; m < 120; ++m) {
    std::vector<std::string> names;
    for (int i = 0; i < 100; ++i)
      names.push_back((m % 2 ? "S" : "s") + std::to_string((m % 51 + i) % 150) + ".bmp");
    PutMap("m" + std::to_string(m) + ".PMS", MapUsing("rock.bmp", names));
  }
  BuildArchiveContent(state);
  EXPECT_EQ(content.text(Group(kKindScenery)), u"Scenery-gfx ( 150 )");
  EXPECT_EQ(content.childCount(Group(kKindScenery)), 150);
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
