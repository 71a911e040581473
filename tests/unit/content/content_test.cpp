#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/search.h"
#include "content/archive_content.h"
#include "content/content_page.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "maps/map_report.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace {

std::string Narrow(std::u16string_view text) {
  return {text.begin(), text.end()};
}
std::u16string Wide(std::string_view text) {
  return {text.begin(), text.end()};
}

fixtures::PmsSpec MapUsing(std::string texture, std::vector<std::string> sceneries) {
  fixtures::PmsSpec recipe;
  recipe.description = "A fine map";
  recipe.texture = std::move(texture);
  recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
  recipe.sceneryNames = std::move(sceneries);
  return recipe;
}

// A game installation in a temp folder, a pack list and a content tree in memory.
class ContentTest : public testing::Test {
 protected:
  void SetUp() override { Install(dir); }
  void Install(const testsupport::TempDir& where) {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, where, &controls));
    state.programFolder = where.folder(u"program");
    state.packTree = &pack;
    state.contentTree = &content;
    pack.deleteAll();
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.packCount = 0;
    state.showLog = [this](AppState&) { ++logShows; };
  }

  // A real image of the type its name says, so that its details can be read.
  void Put(int kind, std::string_view name) {
    const bool png = name.ends_with(".png") || name.ends_with(".PNG");
    fixtures::WriteBytes(state.kindFolders[kind] + Wide(name),
                         png ? fixtures::PngBytes(6, 3) : fixtures::BmpBytes(4, 4));
  }
  void PutTexture(std::string_view name) {  // with its edge
    Put(kKindTexture, name);
    Put(kKindEdge, name);
  }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {Wide(name), 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
  }
  void PutMap(std::string_view name, const fixtures::PmsSpec& recipe, int kind = kKindMap) {
    fixtures::WriteBytes(state.kindFolders[kind] + Wide(name), fixtures::PmsBytes(recipe));
    Choose(name, kind);
  }

  void Select(ui::TreeItem item) {
    content.select(item);
    ShowContentDetails(state, item);
  }
  std::string Report() const { return state.contentReport ? Narrow(*state.contentReport) : ""; }
  std::string Details() const { return Narrow(controls.text(ui::Slot::detailsEdit)); }
  ui::TreeItem Group(int kind) const { return state.contentGroups[static_cast<std::size_t>(kind)]; }
  std::string Outline(int kind) const {
    return Group(kind) == ui::kNoItem ? "" : content.outline(Group(kind));
  }
  ui::TreeItem Item(int kind, std::u16string_view name) const {
    for (ui::TreeItem c = content.child(Group(kind)); c != ui::kNoItem; c = content.nextSibling(c))
      if (content.text(c) == name) return c;
    ADD_FAILURE() << "no item " << Narrow(name);
    return ui::kNoItem;
  }
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
  Put(kKindTexture, "sand.bmp");  // its edge is missing
  Put(kKindScenery, "tree.bmp");
  Put(kKindScenery, "bush.png");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp", "bush.png"}));
  PutMap("ctf_Bay.PMS", MapUsing("sand.bmp", {"tree.bmp"}));
  fixtures::PmsSpec draft = MapUsing("rock.bmp", {});
  draft.polygonsPerCell = 0;  // an uncompiled map has no sectors yet
  PutMap("draft.PMS", draft, kKindUncompiledMap);
  fixtures::PfbSpec bunker;
  bunker.sceneryNames = {"rock.png"};  // missing: reported, yet the prefab is packed
  fixtures::WriteBytes(state.kindFolders[kKindPrefab] + u"bunker.PFB", fixtures::PfbBytes(bunker));
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
  EXPECT_EQ(Report() + Details() + Narrow(state.previewPath), "");
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
  EXPECT_EQ(content.overlay(Item(kKindMap, u"ctf_bay.pms")), kMarkIncluded);
  EXPECT_EQ(TabImage(), kContentTabProblems);
  EXPECT_EQ(content.overlay(state.mapslistItem), kMarkExcluded);
}

// Joined to its folder, the name (or its twin) would reach a real file elsewhere.
TEST_F(ArchiveContent, NamesThatWouldLeaveTheirFolderAreProblemsNeverJoinedToIt) {
  fixtures::WriteBytes(dir.file(u"x.png"), fixtures::PngBytes(2, 2));
  PutTexture("rock.bmp");
  Put(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"..\\scenery-gfx\\tree.bmp", "..\\x.bmp"}));
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery), "..\\scenery-gfx\\tree.bmp [5/5] o2\n..\\x.bmp [5/5] o2\n");

  const ui::TreeItem tree = Item(kKindScenery, u"..\\scenery-gfx\\tree.bmp");
  EXPECT_EQ(ContentInfoTip(state, tree), u"..\\scenery-gfx\\tree.bmp\r\nFile not found!\r\n");
  Select(tree);
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_TRUE(Details().starts_with("- scenery not found: ..\\scenery-gfx\\tree.bmp\r\n"));
}

// The unstable sort keeps the last of equal neighbours: Tree, tree, Tree keeps the second
// Tree, where the names met once each would keep tree.
TEST_F(ArchiveContent, TheSpellingTheFullSortKeepsIsShown) {
  PutTexture("rock.bmp");
  Put(kKindScenery, "tree.bmp");
  PutMap("a.PMS", MapUsing("rock.bmp", {"Tree.bmp", "bush.bmp"}));
  PutMap("b.PMS", MapUsing("ROCK.bmp", {"tree.bmp"}));
  PutMap("c.PMS", MapUsing("rock.bmp", {"Tree.bmp"}));
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery), "bush.bmp [5/5] o2\nTree.bmp [5/5] o1\n");
  EXPECT_EQ(Outline(kKindTexture) + Outline(kKindEdge), "rock.bmp [5/5] o1\nrock.bmp [5/5] o1\n");
}

// 120 maps of 100 names pass 10,000 names after the 101st map and again later; the
// spellings alternate between maps, so the interim sorts decide which ones survive.
TEST_F(ArchiveContent, TheInterimSortsPastTenThousandNamesDecideTooAndLeaveEachNameOnce) {
  PutTexture("rock.bmp");
  for (int m = 0; m < 120; ++m) {
    std::vector<std::string> names;
    for (int i = 0; i < 100; ++i)
      names.push_back((m % 3 == 0 ? "S" : "s") + std::to_string((m % 51 + i) % 150) + ".bmp");
    PutMap("m" + std::to_string(1000 + m) + ".PMS", MapUsing("rock.bmp", names));
  }
  BuildArchiveContent(state);
  std::string initials;
  for (ui::TreeItem c = content.child(Group(kKindScenery)); c != ui::kNoItem;
       c = content.nextSibling(c))
    initials += static_cast<char>(content.text(c)[0]);
  EXPECT_EQ(initials,
            "SsssSsssssSsssssssSsssssSssssSsssSsSSSssssssSssSsSssssssssssSssSssSssSsSsssSssSSSS"
            "sssssSsSsSssssSSsSsSssSsSsSsSssSsssSSSsssssssSsssssSssssssssssssSsSS");
}

// For a name N the game loads N's .png twin when that exists, otherwise N, in any letter case.
TEST_F(ArchiveContent, EachOfANameAndItsPngTwinThatExistsIsListedAndOnlyAbsentImagesReported) {
  const struct {
    std::vector<std::string> sceneryFiles;
    std::string named;  // by the map
    std::string listed;
  } rows[] = {
      {{"tree.png"}, "tree.bmp", "tree.png [5/5] o1\n"},
      {{"tree.bmp", "tree.png"}, "tree.bmp", "tree.bmp [5/5] o1\ntree.png [5/5] o1\n"},
      {{"Tree.PNG"}, "tree.bmp", "tree.png [5/5] o1\n"},  // named after the map's spelling
      {{"TREE.BMP"}, "tree.bmp", "tree.bmp [5/5] o1\n"},
      // A .png name has no twin.
      {{"tree.bmp"}, "tree.PNG", "tree.PNG [5/5] o2\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.listed);
    testsupport::TempDir install;
    Install(install);
    for (const std::string& file : row.sceneryFiles) Put(kKindScenery, file);
    PutTexture("rock.bmp");
    PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {row.named}));
    BuildArchiveContent(state);
    EXPECT_EQ(Outline(kKindScenery), row.listed);
    const bool missing = row.listed.ends_with("o2\n");
    EXPECT_EQ(Report(),
              missing ? "ctf_Ash.PMS\r\n- scenery not found: " + row.named + "\r\n\r\n" : "");
  }
}

// Each twin is an item with its own details and preview, from its kind's folder.
TEST_F(ArchiveContent, ATextureAndItsEdgeAreEachFoundAsTheyAreOrAsTwinsWithTheirOwnDetails) {
  Put(kKindScenery, "Tree.PNG");
  Put(kKindScenery, "tree.bmp");
  Put(kKindTexture, "rock.bmp");  // its edge only as a twin
  Put(kKindEdge, "Rock.png");
  Put(kKindTexture, "sand.png");  // both only as twins
  Put(kKindEdge, "SAND.png");
  Put(kKindEdge, "mud.png");  // the texture is missing, the edge a twin
  PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp"}));
  PutMap("ctf_Bay.PMS", MapUsing("sand.bmp", {}));
  PutMap("ctf_Cove.PMS", MapUsing("mud.bmp", {}));
  BuildArchiveContent(state);

  EXPECT_EQ(Outline(kKindTexture), "mud.bmp [5/5] o2\nrock.bmp [5/5] o1\nsand.png [5/5] o1\n");
  EXPECT_EQ(Outline(kKindEdge), "mud.png [5/5] o1\nrock.png [5/5] o1\nsand.png [5/5] o1\n");
  EXPECT_EQ(Report(), "ctf_Cove.PMS\r\n- texture not found: mud.bmp\r\n\r\n");
  Select(Item(kKindScenery, u"tree.png"));
  EXPECT_THAT(Details(), testing::StartsWith("tree.png\r\nDimentions: 6x3 px\r\n"));
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.png");
  Select(Item(kKindEdge, u"rock.png"));
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindEdge] + u"rock.png");
  EXPECT_THAT(Narrow(*ContentInfoTip(state, Item(kKindScenery, u"tree.bmp"))),
              testing::StartsWith("tree.bmp\r\nDimentions: 4x4 px\r\n"));
}

// Names in the default lists count in any letter case and whichever extension the list or
// the installation uses; a missing one is reported before it is left out.
TEST_F(ArchiveContent, DefaultFilesAreLeftOutWhicheverSpellingTheListOrTheInstallationUses) {
  for (const auto* name : {u"TREE.bmp", u"bush.png", u"stone.bmp", u"Zebra.PNG"})
    state.defaultSceneries.add(name, 1);
  state.defaultTextures.add(u"ROCK.BMP", 1);
  state.defaultSceneries.sortUnique();  // as the lists are kept after loading
  state.defaultTextures.sortUnique();
  for (const char* file : {"tree.png", "bush.bmp", "stone.png", "own.png"}) Put(kKindScenery, file);
  PutTexture("rock.png");
  PutMap("ctf_Ash.PMS",
         MapUsing("rock.bmp", {"tree.bmp", "bush.bmp", "stone.png", "own.bmp", "zebra.png"}));

  BuildArchiveContent(state);  // the skip flags are off
  EXPECT_EQ(content.childCount(Group(kKindScenery)), 5);

  state.skipDefaultSceneries = state.skipDefaultTextures = true;
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery), "own.png [5/5] o1\n");
  EXPECT_EQ(Group(kKindTexture), ui::kNoItem);
  EXPECT_EQ(Group(kKindEdge), ui::kNoItem);
  EXPECT_THAT(Report(), testing::HasSubstr("- scenery not found: zebra.png"));
}

TEST(PngTwin, ReplacesTheExtensionAfterTheLastDot) {
  EXPECT_EQ(PngTwin(u"Big.Tree.BMP"), u"Big.Tree.png");
  EXPECT_EQ(PngTwin(u"tree."), u"tree.png");
  for (const auto* none : {u"tree", u"tree.png", u"tree.PnG", u""}) EXPECT_FALSE(PngTwin(none));
}

// Two sound maps, ctf_Ash and ctf_Cove, and ctf_Bay, whose texture is missing.
class ContentPage : public ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    PutTexture("rock.bmp");
    Put(kKindScenery, "tree.bmp");
    PutMap("ctf_Ash.PMS", MapUsing("rock.bmp", {"tree.bmp"}));
    PutMap("ctf_Bay.PMS", MapUsing("gone.bmp", {"tree.bmp"}));
    PutMap("ctf_Cove.PMS", MapUsing("rock.bmp", {}));
    BuildArchiveContent(state);
  }
  // The marks of the maps group and its files, the textures group and its files, and the
  // mapslist's.
  std::string Marks() const {
    std::string out;
    for (const int kind : {kKindMap, kKindTexture}) {
      out += std::to_string(content.overlay(Group(kind))) + "(";
      for (ui::TreeItem c = content.child(Group(kind)); c != ui::kNoItem;
           c = content.nextSibling(c))
        out += std::to_string(content.overlay(c));
      out += ") ";
    }
    return out + std::to_string(content.overlay(state.mapslistItem));
  }
  ui::TreeItem Ash() const { return Item(kKindMap, u"ctf_Ash.PMS"); }
};

// A right click flips a file or each file of a group, never a missing one; a missing file
// marks its group, otherwise one included file does. With no map included the mapslist goes
// and only the user brings it back.
TEST_F(ContentPage, RightClicksFlipFilesAndTheMarksOfGroupsMapslistAndTabFollow) {
  enum Target { kTop, kMaps, kTextures, kAsh, kMapslist, kEveryGroup };
  const struct {
    std::vector<Target> clicks;
    std::string marks;
    int tab;
  } rows[] = {
      {{}, "1(111) 2(21) 1", kContentTabProblems},
      {{kTop}, "1(111) 2(21) 1", kContentTabProblems},
      {{kAsh}, "1(311) 2(21) 1", kContentTabProblems},
      {{kAsh, kMaps}, "1(133) 2(21) 1", kContentTabProblems},
      {{kTextures}, "1(111) 2(23) 1", kContentTabProblems},
      {{kMaps}, "3(333) 2(21) 3", kContentTabProblems},
      {{kMaps, kAsh}, "1(133) 2(21) 3", kContentTabProblems},
      {{kMaps, kAsh, kMapslist}, "1(133) 2(21) 1", kContentTabProblems},
      {{kEveryGroup}, "3(333) 2(23) 3", kContentTabNothingIncluded},
      {{kEveryGroup, kAsh}, "1(133) 2(23) 3", kContentTabProblems},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.marks);
    BuildArchiveContent(state);
    for (const Target target : row.clicks) {
      if (target == kEveryGroup) {
        for (const int kind : {kKindMap, kKindScenery, kKindTexture, kKindEdge})
          ToggleContentInclusion(state, Group(kind));
      }
      const ui::TreeItem items[] = {state.contentTop, Group(kKindMap), Group(kKindTexture), Ash(),
                                    state.mapslistItem};
      if (target != kEveryGroup) ToggleContentInclusion(state, items[target]);
    }
    EXPECT_EQ(Marks(), row.marks);
    EXPECT_EQ(TabImage(), row.tab);
  }
}

// The mapslist's maps go without extension; excluding the last one empties the panel.
TEST_F(ContentPage, TheMapslistShowsTheIncludedMapsAnImageItsPreviewAndGroupsTheLog) {
  Select(state.mapslistItem);
  EXPECT_EQ(Details(), "ctf_Ash\r\nctf_Bay\r\nctf_Cove\r\n");
  for (const ui::TreeItem item : {Group(kKindMap), Ash(), state.mapslistItem})
    ToggleContentInclusion(state, item);
  Select(state.mapslistItem);
  EXPECT_EQ(Details(), "ctf_Ash\r\n");
  ToggleContentInclusion(state, Ash());
  EXPECT_EQ(Details(), "");
  Select(Item(kKindScenery, u"tree.bmp"));
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.bmp");
  for (ui::TreeItem item : {state.contentTop, Group(kKindMap), state.mapslistItem})
    EXPECT_FALSE(ContentInfoTip(state, item));
  Select(Group(kKindScenery));
  Select(state.contentTop);
  EXPECT_EQ(logShows, 2);
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPage, DetailsShowAMapsOwnReportBlockAndAMissingImageTheMapsThatUseIt) {
  PutMap("ctf_Dune.PMS", MapUsing("GONE.bmp", {"TREE.BMP"}));
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

  // Both maps are listed whichever spelling the item kept.
  const ui::TreeItem gone = content.child(Group(kKindEdge));
  Select(gone);
  EXPECT_EQ(Details(), "- edge not found: " + Narrow(content.text(gone)) +
                           "\r\n\r\nList of affected maps: \r\nctf_Bay.PMS\r\nctf_Dune.PMS\r\n");
}

TEST_F(ContentPage, FileGoneSinceTheBuildBecomesAProblem) {
  for (const char16_t* name : {u"ctf_Ash.PMS", u"ctf_Cove.PMS"})
    platform::DeleteFilePath(state.kindFolders[kKindMap] + name);
  Select(Ash());
  EXPECT_EQ(Details(), "ctf_Ash.PMS\r\nFile not found!\r\n\r\n");  // and no statistics
  EXPECT_EQ(ContentInfoTip(state, Item(kKindMap, u"ctf_Cove.PMS")),
            u"ctf_Cove.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(Marks(), "2(212) 2(21) 1");
}

TEST_F(ContentPage, OneGroupOpenAtATimeAndSearchWalksTheFiles) {
  for (int kind : {kKindMap, kKindEdge}) {
    content.expand(Group(kind));
    ContentItemExpanded(state, Group(kind), true);
  }
  EXPECT_FALSE(content.expanded(Group(kKindMap)));

  controls.setText(ui::Slot::contentSearchEdit, u"ROCK");
  SearchContent(state);
  EXPECT_EQ(content.selected(), Item(kKindTexture, u"rock.bmp"));
  EXPECT_EQ(state.contentSearchPos, 1);
  ResetSearch(state, ui::Slot::contentSearchEdit);  // as the edit's change notification does
  EXPECT_EQ(state.contentSearchPos, 0);
}

}  // namespace
