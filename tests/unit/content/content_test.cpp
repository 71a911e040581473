#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/search.h"
#include "content/archive_content.h"
#include "content/content_page.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "platform/existence_cache.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace {

std::string Narrow(std::u16string_view text) {  // the texts here are ASCII
  return {text.begin(), text.end()};
}

// A sound map using the given files.
fixtures::PmsSpec MapUsing(std::string texture, std::vector<std::string> sceneries) {
  fixtures::PmsSpec recipe;
  recipe.description = "A fine map";
  recipe.texture = std::move(texture);
  recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
  recipe.sceneryNames = std::move(sceneries);
  return recipe;
}

// A game installation in a temp folder, a pack list and a content tree in memory, the
// built-in UI text and a window that records what it is shown.
class ContentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir, &controls));
    state.programFolder = dir.folder(u"program");
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.showLog = [this](AppState&) { ++logShows; };
  }

  void Put(int kind, std::string_view name, const std::vector<std::uint8_t>& bytes) {
    fixtures::WriteBytes(state.kindFolders[kind] + std::u16string(name.begin(), name.end()), bytes);
  }
  void PutImage(int kind, std::string_view name) { Put(kind, name, fixtures::BmpBytes(4, 4)); }
  void PutTexture(std::string_view name) {  // with its edge
    PutImage(kKindTexture, name);
    PutImage(kKindEdge, name);
  }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {std::u16string(name.begin(), name.end()), 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
  }
  void PutMap(std::string_view name, const fixtures::PmsSpec& recipe, int kind = kKindMap) {
    Put(kind, name, fixtures::PmsBytes(recipe));
    Choose(name, kind);
  }

  void Select(ui::TreeItem item) {
    content.select(item);
    ShowContentDetails(state, item);
  }
  std::string Report() const {
    return state.contentReport ? Narrow(*state.contentReport) : "<none>";
  }
  std::string Details() const { return Narrow(controls.text(ui::Slot::detailsEdit)); }
  ui::TreeItem Group(int kind) const { return state.contentGroups[static_cast<std::size_t>(kind)]; }
  ui::TreeItem Item(int kind, std::u16string_view name) const {
    for (ui::TreeItem c = content.child(Group(kind)); c != ui::kNoItem; c = content.nextSibling(c))
      if (content.text(c) == name) return c;
    ADD_FAILURE() << "no item " << Narrow(name);
    return ui::kNoItem;
  }
  int Mark(int kind, std::u16string_view name) const { return content.overlay(Item(kind, name)); }
  int TabImage() const { return controls.tabImage(kContentTab); }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;
  int logShows = 0;
};

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
  Put(kKindPrefab, "bunker.PFB", fixtures::PfbBytes(bunker));
  Choose("bunker.PFB", kKindPrefab);
  state.contentStale = true;

  BuildArchiveContent(state);

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
}

TEST_F(ArchiveContent, ARebuildStartsAfreshAndFollowsTheWarningsAndTheMapslistSetting) {
  state.contentReport = u"old report";
  state.previewPath = u"old.bmp";
  state.contentSearchPos = 4;
  controls.setText(ui::Slot::detailsEdit, u"old details");
  BuildArchiveContent(state);  // an empty pack list
  EXPECT_EQ(content.outline(), "Archive content [0/0]\n");
  EXPECT_EQ(TabImage(), kContentTabNothingIncluded);
  EXPECT_EQ(Report(), "<none>");
  EXPECT_EQ(Details(), "");
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_EQ(state.contentSearchPos, 0);
  EXPECT_FALSE(controls.enabled(ui::Slot::contentSearchButton));

  PutTexture("rock.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {}));
  BuildArchiveContent(state);
  EXPECT_EQ(TabImage(), kContentTabAllWell);
  // A lower-case extension is only warned about: the map is packed.
  PutMap("ctf_bay.pms", MapUsing("rock.bmp", {}));
  state.skipMapslist = true;
  BuildArchiveContent(state);
  EXPECT_EQ(Mark(kKindMap, u"ctf_bay.pms"), kMarkIncluded);
  EXPECT_EQ(TabImage(), kContentTabProblems);
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

  state.skipDefaultSceneries = state.skipDefaultTextures = true;
  BuildArchiveContent(state);
  EXPECT_EQ(content.outline(Group(kKindScenery)), "own.png [5/5] o2\n");
  EXPECT_EQ(Group(kKindTexture), ui::kNoItem);
  EXPECT_EQ(Group(kKindEdge), ui::kNoItem);
  // The report was made before the defaults were taken out.
  EXPECT_THAT(Report(), testing::HasSubstr("- scenery not found: zebra.png"));
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
}

TEST(ExistenceCache, AsksOncePerNameAndFolderInAnyLetterCase) {
  platform::ExistenceCache cache;
  const auto there = [] { return true; };
  const auto gone = [] { return false; };
  EXPECT_TRUE(cache.exists(3, u"Tree.bmp", there));
  EXPECT_TRUE(cache.exists(3, u"TREE.BMP", gone));
  EXPECT_TRUE(cache.exists(3, u"Tree.bmp", gone));
  EXPECT_FALSE(cache.exists(4, u"tree.bmp", gone));  // another folder
  EXPECT_EQ(cache.lookups(), 2);
}

// The name, joined to its folder, would reach a real file elsewhere.
TEST_F(ArchiveContent, NamesThatWouldLeaveTheirFolderAreProblemsNeverJoinedToIt) {
  PutTexture("rock.bmp");
  PutImage(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"..\\scenery-gfx\\tree.bmp"}));
  BuildArchiveContent(state);

  const ui::TreeItem tree = Item(kKindScenery, u"..\\scenery-gfx\\tree.bmp");
  EXPECT_EQ(content.overlay(tree), kMarkProblem);
  EXPECT_EQ(ContentInfoTip(state, tree), u"..\\scenery-gfx\\tree.bmp\r\nFile not found!\r\n");
  Select(tree);
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_TRUE(Details().starts_with("- scenery not found: ..\\scenery-gfx\\tree.bmp\r\n"));
}

// A right click's target: the top item, the mapslist item, a group by its kind or a file of
// a group.
constexpr int kTopItem = -1;
constexpr int kMapslistItem = -2;
struct Click {
  int kind;
  const char16_t* file = nullptr;  // none: the group itself
};
constexpr Click kAsh{kKindMap, u"ctf_Ash.PMS"};
constexpr Click kEveryGroup[] = {{kKindMap}, {kKindScenery}, {kKindTexture}, {kKindEdge}};

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
  ui::TreeItem At(const Click& click) const {
    if (click.kind == kTopItem) return state.contentTop;
    if (click.kind == kMapslistItem) return state.mapslistItem;
    return click.file != nullptr ? Item(click.kind, click.file) : Group(click.kind);
  }
  // Right clicks on the content as built afresh.
  void RightClicks(const std::vector<Click>& clicks) {
    BuildArchiveContent(state);
    for (const Click& click : clicks) Toggle(At(click));
  }
};

TEST_F(ContentPage, RightClickFlipsAFileOrEachFileOfAGroupButNeverAMissingOne) {
  const std::string allIncluded =
      "ctf_Ash.PMS [11/11] o1\nctf_Bay.PMS [11/11] o1\nctf_Cove.PMS [11/11] o1\n";
  const struct {
    std::vector<Click> clicks;
    int kind;
    std::string files;
  } rows[] = {
      {{}, kKindMap, allIncluded},
      {{{kTopItem}}, kKindMap, allIncluded},
      {{kAsh},
       kKindMap,
       "ctf_Ash.PMS [11/11] o3\nctf_Bay.PMS [11/11] o1\nctf_Cove.PMS [11/11] o1\n"},
      {{kAsh, {kKindMap}},
       kKindMap,
       "ctf_Ash.PMS [11/11] o1\nctf_Bay.PMS [11/11] o3\nctf_Cove.PMS [11/11] o3\n"},
      {{{kKindTexture}}, kKindTexture, "gone.bmp [5/5] o2\nrock.bmp [5/5] o3\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.files));
    RightClicks(row.clicks);
    EXPECT_EQ(content.outline(Group(row.kind)), row.files);
  }
}

// A missing file marks its group whatever else it holds; otherwise one included file does.
TEST_F(ContentPage, AGroupIsMarkedByItsFiles) {
  const struct {
    std::vector<Click> clicks;
    int kind;
    int mark;
  } rows[] = {
      {{}, kKindMap, kMarkIncluded},
      {{{kKindMap}}, kKindMap, kMarkExcluded},
      {{{kKindMap}, kAsh}, kKindMap, kMarkIncluded},
      {{}, kKindTexture, kMarkProblem},
      {{{kKindTexture}}, kKindTexture, kMarkProblem},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.clicks.size());
    RightClicks(row.clicks);
    EXPECT_EQ(content.overlay(Group(row.kind)), row.mark) << row.kind;
  }
}

// A mapslist names maps: with none included it goes, and only the user brings it back.
TEST_F(ContentPage, TheMapslistIsLeftOutWithoutMaps) {
  const std::pair<std::vector<Click>, int> rows[] = {
      {{}, kMarkIncluded},
      {{{kTopItem}}, kMarkIncluded},
      {{{kKindMap}}, kMarkExcluded},
      {{{kKindMap}, kAsh}, kMarkExcluded},
      {{{kKindMap}, kAsh, {kMapslistItem}}, kMarkIncluded},
  };
  for (const auto& [clicks, mark] : rows) {
    SCOPED_TRACE(clicks.size());
    RightClicks(clicks);
    EXPECT_EQ(content.overlay(state.mapslistItem), mark);
  }
}

TEST_F(ContentPage, TheTabIconTellsWhetherAnythingIsPackedAndWithProblems) {
  std::vector<Click> nothing(std::begin(kEveryGroup), std::end(kEveryGroup));
  std::vector<Click> oneMap = nothing;
  oneMap.push_back(kAsh);
  const std::pair<std::vector<Click>, int> rows[] = {
      {{}, kContentTabProblems},  // ctf_Bay's texture is missing
      {nothing, kContentTabNothingIncluded},
      {oneMap, kContentTabProblems},  // the report still holds ctf_Bay's block
  };
  for (const auto& [clicks, image] : rows) {
    SCOPED_TRACE(clicks.size());
    RightClicks(clicks);
    EXPECT_EQ(TabImage(), image);
  }
}

// The included maps, without extension; excluding the last one empties the panel.
TEST_F(ContentPage, TheMapslistShowsTheIncludedMaps) {
  const std::pair<std::vector<Click>, std::string> rows[] = {
      {{}, "ctf_Ash\r\nctf_Bay\r\nctf_Cove\r\n"},
      {{{kKindMap}, kAsh, {kMapslistItem}}, "ctf_Ash\r\n"},
  };
  for (const auto& [clicks, details] : rows) {
    RightClicks(clicks);
    Select(state.mapslistItem);
    EXPECT_EQ(Details(), details);
  }
  Toggle(At(kAsh));
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
  EXPECT_THAT(Details(),
              testing::HasSubstr(" kb\r\n\r\nctf_Bay.PMS\r\n- texture not found: gone.bmp\r\n"
                                 "- edge not found: gone.bmp\r\n\r\nPolygons: ---- 10\r\n"));
  Select(Item(kKindMap, u"ash.PMS"));
  EXPECT_THAT(Details(), testing::HasSubstr("\r\nash.PMS\r\n- scenery not found: b.bmp\r\n\r\n"));
  Select(Item(kKindUncompiledMap, u"ash.PMS"));
  EXPECT_THAT(Details(), testing::HasSubstr("\r\nash.PMS U\r\n- scenery not found: c.bmp\r\n\r\n"));
  Select(Item(kKindMap, u"ctf_Big.PMS"));  // a problem: its block alone
  EXPECT_EQ(Details(), "ctf_Big.PMS\r\n! polygons limit (5000) is exceeded\r\n\r\n");
}

TEST_F(ContentPage, AnImageIsPreviewedGroupAndTopShowTheLogAndOnlyFilesHaveTips) {
  Select(Item(kKindScenery, u"tree.bmp"));
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.bmp");
  for (ui::TreeItem item : {state.contentTop, Group(kKindMap), state.mapslistItem})
    EXPECT_FALSE(ContentInfoTip(state, item));

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

TEST_F(ContentPage, OneGroupOpenAtATimeAndSearchWalksTheFiles) {
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
  EXPECT_EQ(content.selected(), Item(kKindTexture, u"rock.bmp"));
  EXPECT_EQ(state.contentSearchPos, 1);
  EXPECT_EQ(state.mainSearchPos, 0);
  ResetSearch(state, ui::Slot::contentSearchEdit);  // as the edit's change notification does
  EXPECT_EQ(state.contentSearchPos, 0);
}

}  // namespace
