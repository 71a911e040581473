#include "content/content_page.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/pack_list.h"
#include "content_fixture.h"
#include "catalogue/search.h"
#include "platform/platform.h"

namespace {

using namespace contenttest;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Two sound maps, ctf_Ash and ctf_Cove, and ctf_Bay, whose texture is missing.
class ContentPage : public ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    PutTexture("rock.bmp");
    PutImage(kKindScenery, "tree.bmp");
    PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp"}));
    PutMap("ctf_Bay.PMS", MapUsing("gone.bmp", {"tree.bmp"}));
    PutMap("ctf_Cove.PMS", MapUsing("rock.bmp", {}));
    BuildArchiveContent(state);
  }
  void Toggle(ui::TreeItem item) { ToggleContentInclusion(state, item); }
};

TEST_F(ContentPage, RightClickFlipsFilesAndGroupsButNeverAProblemAndTheMarksAndMapslistFollow) {
  const ui::TreeItem ash = Item(kKindMap, u"ctf_Ash.PMS");
  Toggle(state.contentTop);  // does nothing, not even to the mapslist
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkIncluded);
  Toggle(ash);
  Toggle(Group(kKindMap));  // flips each map
  EXPECT_EQ(content.outline(Group(kKindMap)),
            "ctf_Ash.PMS [11/11] o1\nctf_Bay.PMS [11/11] o3\nctf_Cove.PMS [11/11] o3\n");
  Toggle(ash);
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkExcluded);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);  // no map, no mapslist
  for (int kind : {kKindScenery, kKindTexture, kKindEdge}) Toggle(Group(kind));
  EXPECT_EQ(content.outline(Group(kKindTexture)), "gone.bmp [5/5] o2\nrock.bmp [5/5] o3\n");
  EXPECT_EQ(content.overlay(Group(kKindTexture)), kMarkProblem);  // whatever else it holds
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);

  Toggle(ash);
  EXPECT_EQ(TabImage(), kContentTabProblems);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);  // until the user includes it
  Toggle(state.mapslistItem);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkIncluded);
  Select(state.mapslistItem);
  EXPECT_EQ(Details(), "ctf_Ash\r\n");  // the included maps, without extension
  Toggle(ash);  // excluding the last map empties the panel that shows the mapslist
  EXPECT_EQ(Details(), "");
}

TEST_F(ContentPage, MapShowsItsDetailsItsOwnReportBlockAndStatistics) {
  // "aash.PMS" ends in "ash.PMS" and comes first in the report.
  PutMap("aash.PMS", MapUsing("rock.bmp", {"a.bmp"}));
  PutMap("ash.PMS", MapUsing("rock.bmp", {"b.bmp"}));
  fixtures::PmsSpec draft = MapUsing("rock.bmp", {"c.bmp"});
  draft.polygonsPerCell = 0;
  PutMap("ash.PMS", draft, kKindUncompiledMap);
  fixtures::PmsSpec big = MapUsing("rock.bmp", {});
  big.polygonCount = 5001;
  PutMap("ctf_Big.PMS", big);
  BuildArchiveContent(state);

  // The file's details, its report block, then its statistics.
  Select(Item(kKindMap, u"ctf_Bay.PMS"));
  EXPECT_TRUE(Contains(Details(),
                       " kb\r\n\r\nctf_Bay.PMS\r\n- texture not found: gone.bmp\r\n"
                       "- edge not found: gone.bmp\r\n\r\nPolygons: ---- 10\r\n"));
  EXPECT_TRUE(controls.enabled(ui::Slot::showLogButton));
  Select(Item(kKindMap, u"ash.PMS"));
  EXPECT_TRUE(Contains(Details(), "\r\nash.PMS\r\n- scenery not found: b.bmp\r\n\r\n"));
  EXPECT_FALSE(Contains(Details(), "a.bmp")) << Details();
  Select(Item(kKindUncompiledMap, u"ash.PMS"));
  EXPECT_TRUE(Contains(Details(), "\r\nash.PMS U\r\n- scenery not found: c.bmp\r\n\r\n"));
  Select(Item(kKindMap, u"ctf_Big.PMS"));  // a problem: its block alone
  EXPECT_EQ(Details(), "ctf_Big.PMS\r\n! polygons limit (5000) is exceeded\r\n\r\n");
}

TEST_F(ContentPage, ImageIsDescribedAndPreviewedGroupAndTopShowTheLogTipsOnlyForFiles) {
  int previews = 0;
  state.showPreview = [&](AppState&) { ++previews; };
  Select(Item(kKindScenery, u"tree.bmp"));
  EXPECT_TRUE(Details().starts_with("tree.bmp\r\nDimentions: ")) << Details();
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.bmp");
  EXPECT_EQ(previews, 1);
  for (ui::TreeItem item : {state.contentTop, Group(kKindMap), state.mapslistItem})
    EXPECT_FALSE(ContentInfoTip(state, item));
  const auto tip = ContentInfoTip(state, Item(kKindTexture, u"rock.bmp"));
  EXPECT_TRUE(tip && tip->starts_with(u"rock.bmp\r\nDimentions: "));
  EXPECT_TRUE(Details().starts_with("tree.bmp\r\n")) << "a tip leaves the panel alone";

  Select(Group(kKindScenery));
  Select(state.contentTop);
  EXPECT_EQ(logShows, 2);
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPage, NamesInTwoLetterCasesAreOneItemAndAMissingOneListsTheMapsThatUseIt) {
  PutMap("ctf_Dune.PMS", MapUsing("GONE.bmp", {"TREE.BMP"}));
  BuildArchiveContent(state);
  EXPECT_EQ(content.childCount(Group(kKindScenery)), 1);
  EXPECT_EQ(content.childCount(Group(kKindEdge)), 2);
  EXPECT_EQ(content.overlay(content.child(Group(kKindScenery))), kMarkIncluded);
  // Both maps are listed whichever spelling the item kept.
  const ui::TreeItem gone = content.child(Group(kKindEdge));
  Select(gone);
  EXPECT_EQ(Details(), "- edge not found: " + Narrow(content.text(gone)) +
                           "\r\n\r\nList of affected maps: \r\nctf_Bay.PMS\r\nctf_Dune.PMS\r\n");
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPage, FileGoneSinceTheBuildBecomesAProblem) {
  for (const char16_t* name : {u"ctf_Ash.PMS", u"ctf_Cove.PMS"})
    platform::DeleteFilePath(state.kindFolders[kKindMap] + name);
  Select(Item(kKindMap, u"ctf_Ash.PMS"));
  EXPECT_EQ(Details(), "ctf_Ash.PMS\r\nFile not found!\r\n\r\n");  // and no statistics
  EXPECT_EQ(Mark(kKindMap, u"ctf_Ash.PMS"), kMarkProblem);

  EXPECT_EQ(ContentInfoTip(state, Item(kKindMap, u"ctf_Cove.PMS")),
            u"ctf_Cove.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(Mark(kKindMap, u"ctf_Cove.PMS"), kMarkProblem);
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkProblem);
}

TEST_F(ContentPage, OneGroupOpenAtATimeTheTopStaysOpenAndSearchWalksTheFiles) {
  EXPECT_FALSE(ContentMayCollapse(state, state.contentTop));
  EXPECT_TRUE(ContentMayCollapse(state, Group(kKindMap)));
  for (int kind : {kKindMap, kKindEdge}) {
    content.expand(Group(kind));
    ContentItemExpanded(state, Group(kind), true);
  }
  EXPECT_FALSE(content.expanded(Group(kKindMap)));
  EXPECT_EQ(content.image(Group(kKindMap)), kContentGroupImage);
  EXPECT_EQ(content.image(Group(kKindEdge)), kContentOpenGroupImage);
  EXPECT_EQ(content.lastEnsuredVisible(), Group(kKindEdge));
  ContentItemExpanded(state, Group(kKindEdge), false);
  EXPECT_EQ(content.selectedImage(Group(kKindEdge)), kContentGroupImage);

  controls.setText(ui::Slot::contentSearchEdit, u"ROCK");
  SearchContent(state);
  SearchContent(state);
  EXPECT_EQ(content.selected(), Item(kKindEdge, u"rock.bmp"));
  EXPECT_EQ(state.contentSearchPos, 2);
  EXPECT_EQ(state.mainSearchPos, 0);
  ResetSearch(state, ui::Slot::contentSearchEdit);  // as the edit's change notification does
  EXPECT_EQ(state.contentSearchPos, 0);
}

// Each name, joined to its folder, would reach a real file elsewhere.
TEST_F(ContentTest, NamesThatWouldLeaveTheirFolderAreProblemsNeverJoinedToIt) {
  fixtures::WriteBytes(dir.file(u"x.bmp"), fixtures::BmpBytes(4, 4));
  PutImage(kKindTexture, "x.bmp");
  PutImage(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("..\\x.bmp", {"..\\scenery-gfx\\tree.bmp"}));
  Put(kKindPrefab, "bunker.PFB", fixtures::PfbBytes({}));
  Choose("..\\Prefabs\\bunker.PFB", kKindMap);
  BuildArchiveContent(state);

  EXPECT_EQ(content.outline(Group(kKindTexture)) + content.outline(Group(kKindEdge)),
            "..\\x.bmp [5/5] o2\n..\\x.bmp [5/5] o2\n");
  EXPECT_EQ(Mark(kKindMap, u"..\\Prefabs\\bunker.PFB"), kMarkProblem);
  const ui::TreeItem tree = Item(kKindScenery, u"..\\scenery-gfx\\tree.bmp");
  EXPECT_EQ(content.overlay(tree), kMarkProblem);
  EXPECT_EQ(ContentInfoTip(state, tree), u"..\\scenery-gfx\\tree.bmp\r\nFile not found!\r\n");
  Select(tree);
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_TRUE(Details().starts_with("- scenery not found: ..\\scenery-gfx\\tree.bmp\r\n"));
}

// The pack list's rebuild threshold is tested with the pack list; here the wiring.
TEST_F(ContentTest, AChangedPackListRebuildsTheContent) {
  WireArchiveContent(state);
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  UpdatePackListLabel(state);
  EXPECT_EQ(content.childCount(Group(kKindMap)), 1);
}

}  // namespace
