#include "content/content_page.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/pack_list.h"
#include "content_fixture.h"
#include "platform/platform.h"

namespace {

using contenttest::ContentTest;
using contenttest::MapUsing;
using contenttest::Narrow;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Three maps: two sound ones, ctf_Ash and ctf_Cove, and ctf_Bay, whose texture is missing.
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

  void Select(ui::TreeItem item) {
    content.select(item);
    ShowContentDetails(state, item);
  }
};

TEST_F(ContentPage, RightClickFlipsFilesAndGroupsButNeverAProblem) {
  const ui::TreeItem ash = Item(kKindMap, u"ctf_Ash.PMS");
  const ui::TreeItem gone = Item(kKindTexture, u"gone.bmp");
  ToggleContentInclusion(state, ash);
  EXPECT_EQ(content.overlay(ash), kMarkExcluded);

  // One excluded and two included maps: a click on the group flips each of them.
  ToggleContentInclusion(state, Group(kKindMap));
  EXPECT_EQ(Outline(Group(kKindMap)),
            "ctf_Ash.PMS [11/11] o1\n"
            "ctf_Bay.PMS [11/11] o3\n"
            "ctf_Cove.PMS [11/11] o3\n");

  ToggleContentInclusion(state, gone);
  ToggleContentInclusion(state, Group(kKindTexture));
  EXPECT_EQ(content.overlay(gone), kMarkProblem);
  EXPECT_EQ(content.overlay(Item(kKindTexture, u"rock.bmp")), kMarkExcluded);

  ToggleContentInclusion(state, state.contentTop);  // nothing happens
  EXPECT_EQ(content.overlay(Item(kKindTexture, u"rock.bmp")), kMarkExcluded);
}

TEST_F(ContentPage, MarksOfGroupsMapslistAndTabFollowEveryToggle) {
  EXPECT_EQ(TabImage(), kContentTabProblems);
  ToggleContentInclusion(state, Group(kKindMap));  // all three maps excluded
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkExcluded);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);

  for (int kind : {kKindScenery, kKindTexture, kKindEdge}) {
    ToggleContentInclusion(state, Group(kind));
  }
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);
  // A group that still holds a problem shows it whatever else it holds.
  EXPECT_EQ(content.overlay(Group(kKindTexture)), kMarkProblem);

  ToggleContentInclusion(state, Item(kKindMap, u"ctf_Ash.PMS"));
  EXPECT_EQ(TabImage(), kContentTabProblems);
  // The mapslist stays excluded until the user includes it again.
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
  ToggleContentInclusion(state, state.mapslistItem);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkIncluded);
}

TEST_F(ContentPage, GroupOrTopShowsTheLog) {
  Select(Group(kKindScenery));
  Select(state.contentTop);
  EXPECT_EQ(logShows, 2);
  EXPECT_EQ(Details(), Report());
}

TEST_F(ContentPage, MapShowsItsDetailsReportBlockAndStatistics) {
  Select(Item(kKindMap, u"ctf_Bay.PMS"));
  const std::string details = Details();
  EXPECT_TRUE(details.starts_with("ctf_Bay.PMS\r\nDescription: A fine map\r\n")) << details;
  EXPECT_TRUE(Contains(details,
                       "\r\n\r\nctf_Bay.PMS\r\n- texture not found: gone.bmp\r\n"
                       "- edge not found: gone.bmp\r\n\r\nPolygons: ---- 10\r\n"))
      << details;
  EXPECT_TRUE(Contains(details, "Weather: ----- None\r\n"));
  EXPECT_TRUE(controls.enabled(ui::Slot::showLogButton));
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_EQ(state.detailsText, controls.text(ui::Slot::detailsEdit));
}

TEST_F(ContentPage, ImageIsDescribedAndPreviewed) {
  int previews = 0;
  state.showPreview = [&](AppState&) { ++previews; };
  Select(Item(kKindScenery, u"tree.bmp"));
  EXPECT_TRUE(Details().starts_with("tree.bmp\r\nDimentions: 4x4 px\r\n")) << Details();
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.bmp");
  EXPECT_EQ(previews, 1);

  Select(Group(kKindScenery));
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPage, MissingImageListsTheMapsThatUseIt) {
  PutMap("ctf_Dune.PMS", MapUsing("GONE.bmp", {}));  // another letter case
  BuildArchiveContent(state);
  // One item stands for both spellings; both maps are listed whichever one it kept.
  const ui::TreeItem gone = content.child(Group(kKindEdge));
  Select(gone);
  EXPECT_EQ(Details(), "- edge not found: " + Narrow(content.text(gone)) +
                           "\r\n\r\nList of affected maps: \r\nctf_Bay.PMS\r\nctf_Dune.PMS\r\n");
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPage, ReportBlockIsFoundByItsWholeNameLine) {
  // "aash.PMS" ends in "ash.PMS" and comes first in the report.
  PutMap("aash.PMS", MapUsing("rock.bmp", {"a.bmp"}));
  PutMap("ash.PMS", MapUsing("rock.bmp", {"b.bmp"}));
  testsupport::PmsSpec draft = MapUsing("rock.bmp", {"c.bmp"});
  draft.polygonsPerCell = 0;
  Put(kKindUncompiledMap, "ash.PMS", testsupport::PmsBytes(draft));
  Choose("ash.PMS", kKindUncompiledMap);
  BuildArchiveContent(state);

  Select(Item(kKindMap, u"ash.PMS"));
  EXPECT_TRUE(Contains(Details(), "\r\nash.PMS\r\n- scenery not found: b.bmp\r\n\r\n"));
  EXPECT_FALSE(Contains(Details(), "a.bmp")) << Details();
  Select(Item(kKindUncompiledMap, u"ash.PMS"));
  EXPECT_TRUE(Contains(Details(), "\r\nash.PMS U\r\n- scenery not found: c.bmp\r\n\r\n"));
}

TEST_F(ContentPage, FileGoneSinceTheBuildBecomesAProblem) {
  platform::DeleteFilePath(state.kindFolders[kKindMap] + u"ctf_Ash.PMS");
  platform::DeleteFilePath(state.kindFolders[kKindMap] + u"ctf_Cove.PMS");
  platform::DeleteFilePath(state.kindFolders[kKindMap] + u"ctf_Bay.PMS");
  Select(Item(kKindMap, u"ctf_Ash.PMS"));
  EXPECT_EQ(Details(), "ctf_Ash.PMS\r\nFile not found!\r\n\r\n");  // and no statistics
  EXPECT_EQ(content.overlay(Item(kKindMap, u"ctf_Ash.PMS")), kMarkProblem);

  const auto tip = ContentInfoTip(state, Item(kKindMap, u"ctf_Cove.PMS"));
  ASSERT_TRUE(tip);
  EXPECT_EQ(Narrow(*tip), "ctf_Cove.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(content.overlay(Item(kKindMap, u"ctf_Cove.PMS")), kMarkProblem);
  // ctf_Bay is still marked included: the group and the tab say so.
  EXPECT_EQ(content.overlay(Group(kKindMap)), kMarkProblem);
  ContentInfoTip(state, Item(kKindMap, u"ctf_Bay.PMS"));
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
}

TEST_F(ContentPage, ProblemMapShowsOnlyItsReportBlock) {
  testsupport::PmsSpec big = MapUsing("rock.bmp", {});
  big.polygonCount = 5001;
  PutMap("ctf_Big.PMS", big);
  BuildArchiveContent(state);
  Select(Item(kKindMap, u"ctf_Big.PMS"));
  EXPECT_EQ(Details(), "ctf_Big.PMS\r\n! polygons limit (5000) is exceeded\r\n\r\n");
}

TEST_F(ContentPage, MapslistNamesTheIncludedMapsWithoutExtension) {
  ToggleContentInclusion(state, Item(kKindMap, u"ctf_Bay.PMS"));
  Select(state.mapslistItem);
  EXPECT_EQ(Details(), "ctf_Ash\r\nctf_Cove\r\n");

  // Excluding the last maps empties the panel that shows the mapslist.
  ToggleContentInclusion(state, Group(kKindMap));
  ToggleContentInclusion(state, Item(kKindMap, u"ctf_Bay.PMS"));
  EXPECT_EQ(Details(), "");
}

TEST_F(ContentPage, UnsafeNameIsNeverJoinedToItsFolder) {
  testsupport::WriteBytes(state.kindFolders[kKindTexture] + u"secret.bmp",
                          testsupport::BmpBytes(4, 4));
  PutMap("ctf_Evil.PMS", MapUsing("rock.bmp", {"..\\textures\\secret.bmp"}));
  BuildArchiveContent(state);
  const ui::TreeItem evil = Item(kKindScenery, u"..\\textures\\secret.bmp");
  ASSERT_EQ(content.overlay(evil), kMarkProblem);

  const auto tip = ContentInfoTip(state, evil);
  ASSERT_TRUE(tip);
  EXPECT_EQ(Narrow(*tip), "..\\textures\\secret.bmp\r\nFile not found!\r\n");
  Select(evil);
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_EQ(Details(),
            "- scenery not found: ..\\textures\\secret.bmp\r\n\r\nList of affected maps: \r\n"
            "ctf_Evil.PMS\r\n");
  // Even a user who clicks it cannot make it packed.
  ToggleContentInclusion(state, evil);
  EXPECT_EQ(content.overlay(evil), kMarkProblem);
}

TEST_F(ContentPage, InfoTipOnlyForFiles) {
  EXPECT_FALSE(ContentInfoTip(state, state.contentTop));
  EXPECT_FALSE(ContentInfoTip(state, Group(kKindMap)));
  EXPECT_FALSE(ContentInfoTip(state, state.mapslistItem));
  const auto tip = ContentInfoTip(state, Item(kKindTexture, u"rock.bmp"));
  ASSERT_TRUE(tip);
  EXPECT_TRUE(Narrow(*tip).starts_with("rock.bmp\r\nDimentions: 4x4 px\r\n"));
  EXPECT_EQ(Details(), Report());  // the panel is left alone
}

TEST_F(ContentPage, OneGroupOpenAtATimeAndTheTopStaysOpen) {
  EXPECT_FALSE(ContentMayCollapse(state, state.contentTop));
  EXPECT_TRUE(ContentMayCollapse(state, Group(kKindMap)));
  content.expand(Group(kKindMap));
  ContentItemExpanded(state, Group(kKindMap), true);
  content.expand(Group(kKindEdge));
  ContentItemExpanded(state, Group(kKindEdge), true);
  EXPECT_FALSE(content.expanded(Group(kKindMap)));
  EXPECT_EQ(content.image(Group(kKindMap)), kContentGroupImage);
  EXPECT_EQ(content.image(Group(kKindEdge)), kContentOpenGroupImage);
  EXPECT_EQ(content.lastEnsuredVisible(), Group(kKindEdge));
  content.collapse(Group(kKindEdge));
  ContentItemExpanded(state, Group(kKindEdge), false);
  EXPECT_EQ(content.selectedImage(Group(kKindEdge)), kContentGroupImage);
}

TEST_F(ContentPage, SearchWalksTheMatchingFilesThenStartsOver) {
  controls.setText(ui::Slot::contentSearchEdit, u"ROCK");
  SearchContent(state);
  EXPECT_EQ(content.selected(), Item(kKindTexture, u"rock.bmp"));
  SearchContent(state);
  EXPECT_EQ(content.selected(), Item(kKindEdge, u"rock.bmp"));
  SearchContent(state);
  EXPECT_EQ(content.selected(), state.contentTop);
  EXPECT_EQ(controls.beeps, 1);
  EXPECT_EQ(state.contentSearchPos, 0);
}

TEST_F(ContentTest, PackListChangesRebuildBelowTheThresholdOnly) {
  WireArchiveContent(state);
  for (int i = 0; i < 6; ++i) {
    const std::string name = "m" + std::to_string(i) + ".PMS";
    PutMap(name, MapUsing("rock.bmp", {}));
    UpdatePackListLabel(state);
    EXPECT_EQ(content.childCount(Group(kKindMap)), i < 5 ? i + 1 : 5) << i;
  }
  EXPECT_TRUE(state.contentStale);
  // What showing the Content page does with a stale content.
  state.rebuildArchiveContent(state);
  EXPECT_EQ(content.childCount(Group(kKindMap)), 6);
  EXPECT_FALSE(state.contentStale);
}

}  // namespace
