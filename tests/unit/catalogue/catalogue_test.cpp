#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "config/ui_text.h"
#include "support/fake_controls.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using testsupport::TempDir;

// A Soldat installation spelled the way the program spells paths (joined with backslashes),
// with the built-in filters and texts loaded and the trees in memory.
class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    state.programFolder = Folder(u"program");
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.catalogueTree = &tree;
    state.packTree = &pack;
    state.controls = &controls;
  }

  // Creates the folder below the temp folder; returns it with a trailing backslash.
  std::u16string Folder(std::u16string_view relative) {
    dir.folder(relative);
    return dir.path() + std::u16string(relative) + u"\\";
  }

  void UseSoldat() { state.kindFolders[kKindMap] = Folder(u"Soldat\\maps"); }
  void UsePolyWorks() {
    Folder(u"Soldat\\Soldat PolyWorks");
    state.polyWorksPath = dir.path() + u"Soldat\\Soldat PolyWorks\\Soldat PolyWorks.exe";
    state.kindFolders[kKindUncompiledMap] = Folder(u"Soldat\\Soldat PolyWorks\\Uncompiled");
    state.kindFolders[kKindPrefab] = Folder(u"Soldat\\Soldat PolyWorks\\Prefabs");
  }
  void WriteRecentFiles(const std::vector<std::u16string>& values) {
    std::vector<std::u16string> lines = {u"[RecentFiles]"};
    for (std::size_t i = 0; i < values.size(); ++i) {
      const std::size_t k = i + 1;
      lines.push_back(std::u16string{char16_t(u'0' + k / 10), char16_t(u'0' + k % 10), u'='} +
                      values[i]);
    }
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (const auto& line : lines) {
      for (const char16_t c : line + u"\r\n") {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
      }
    }
    testsupport::WriteBytes(dir.path() + u"Soldat\\Soldat PolyWorks\\polyworks.ini", bytes);
  }

  static void Map(const std::u16string& folder, std::u16string_view name) {
    testsupport::WriteBytes(folder + std::u16string(name), testsupport::PmsBytes({}));
  }
  static void Prefab(const std::u16string& folder, std::u16string_view name) {
    testsupport::WriteBytes(folder + std::u16string(name), testsupport::PfbBytes({}));
  }

  // The (name, image) pairs of a group, whatever their order.
  std::vector<std::pair<std::u16string, int>> Entries(std::size_t group) const {
    std::vector<std::pair<std::u16string, int>> entries;
    const ui::TreeItem g = state.catalogueGroups.at(group);
    for (ui::TreeItem e = tree.child(g); e != ui::kNoItem; e = tree.nextSibling(e)) {
      entries.emplace_back(tree.text(e), tree.image(e));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  TempDir dir;
  AppState state;
  ui::MemoryTree tree;
  ui::MemoryTree pack;
  testsupport::FakeControls controls;
};

TEST_F(Catalogue, NothingToListLeavesTheRootAlone) {
  // No folders known at all, then known but missing.
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(), "All maps ( 0 ) [0/0]\n");
  EXPECT_EQ(tree.selected(), state.catalogueRoot);

  state.kindFolders[kKindMap] = dir.path() + u"gone\\maps\\";
  state.polyWorksPath = dir.path() + u"gone\\Soldat PolyWorks.exe";
  state.kindFolders[kKindUncompiledMap] = dir.path() + u"gone\\Uncompiled\\";
  state.kindFolders[kKindPrefab] = dir.path() + u"gone\\Prefabs\\";
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(), "All maps ( 0 ) [0/0]\n");
  ASSERT_EQ(state.catalogueGroups.size(), kFirstGameModeGroup + state.filters.size());
  for (const ui::TreeItem group : state.catalogueGroups) EXPECT_EQ(group, ui::kNoItem);
}

TEST_F(Catalogue, GroupsCountsAndOrder) {
  // A user filter comes after the built-in ones.
  testsupport::WriteBytes(state.programFolder + u"filters.txt",
                          testsupport::Utf16File({u"Climb ( %1%kz_"}));
  ASSERT_TRUE(LoadGameModeFilters(state));
  UseSoldat();
  UsePolyWorks();
  const std::u16string& maps = state.kindFolders[kKindMap];
  for (const auto* name : {u"ctf_b.PMS", u"ctf_A.pms", u"Ash.PMS", u"tdm_x.PMS", u"kz_up.PMS",
                           u"inf_y.PMS", u"readme.txt"}) {
    Map(maps, name);
  }
  dir.folder(u"Soldat\\maps\\dm_folder.PMS");  // folders are not maps
  Map(state.kindFolders[kKindUncompiledMap], u"draft.PMS");
  Prefab(state.kindFolders[kKindPrefab], u"tower.PFB");
  Prefab(state.kindFolders[kKindPrefab], u"Bunker.pfb");
  Map(state.kindFolders[kKindPrefab], u"not_a_prefab.PMS");

  RefreshCatalogue(state);

  EXPECT_EQ(tree.outline(),
            "All maps ( 9 ) [0/0] +\n"
            "  Uncompiled maps ( 1 ) [1/1]\n"
            "    draft.PMS [12/12]\n"
            "  Prefabs ( 2 ) [1/1]\n"
            "    Bunker.pfb [13/13]\n"
            "    tower.PFB [13/13]\n"
            "  DeathMatch ( 1 ) [1/1]\n"
            "    Ash.PMS [11/11]\n"
            "  Capture The Flag ( 2 ) [1/1]\n"
            "    ctf_A.pms [11/11]\n"
            "    ctf_b.PMS [11/11]\n"
            "  Team DeathMatch ( 1 ) [1/1]\n"
            "    tdm_x.PMS [11/11]\n"
            "  Infiltration ( 1 ) [1/1]\n"
            "    inf_y.PMS [11/11]\n"
            "  Climb ( 1 ) [1/1]\n"
            "    kz_up.PMS [11/11]\n");
  // Slots of empty groups hold no item; the others are the items shown.
  EXPECT_EQ(state.catalogueGroups[kRecentGroup], ui::kNoItem);
  EXPECT_EQ(state.catalogueGroups[kFirstGameModeGroup + 4], ui::kNoItem);  // Hold The Flag
  EXPECT_EQ(tree.text(state.catalogueGroups[kFirstGameModeGroup + 5]), u"Climb ( 1 )");
  EXPECT_EQ(state.catalogueRoot, tree.root());
  EXPECT_EQ(tree.selected(), state.catalogueRoot);
}

TEST_F(Catalogue, NamesOfFiftyOneCharactersAreSkippedEverywhere) {
  UseSoldat();
  UsePolyWorks();
  const std::u16string fifty = std::u16string(46, u'a') + u".PMS";
  const std::u16string fiftyOne = std::u16string(47, u'b') + u".PMS";
  const std::u16string fiftyPrefab = std::u16string(46, u'c') + u".PFB";
  const std::u16string fiftyOnePrefab = std::u16string(47, u'd') + u".PFB";
  for (const auto* kind : {&state.kindFolders[kKindMap], &state.kindFolders[kKindUncompiledMap]}) {
    Map(*kind, fifty);
    Map(*kind, fiftyOne);
  }
  Prefab(state.kindFolders[kKindPrefab], fiftyPrefab);
  Prefab(state.kindFolders[kKindPrefab], fiftyOnePrefab);
  WriteRecentFiles({state.kindFolders[kKindMap] + fifty, state.kindFolders[kKindMap] + fiftyOne});

  RefreshCatalogue(state);

  using Entry = std::pair<std::u16string, int>;
  EXPECT_EQ(Entries(kRecentGroup), (std::vector<Entry>{{fifty, 11}}));
  EXPECT_EQ(Entries(kUncompiledGroup), (std::vector<Entry>{{fifty, 12}}));
  EXPECT_EQ(Entries(kPrefabGroup), (std::vector<Entry>{{fiftyPrefab, 13}}));
  EXPECT_EQ(Entries(kFirstGameModeGroup), (std::vector<Entry>{{fifty, 11}}));
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 3 )");
}

TEST_F(Catalogue, RecentFilesOnlyFromTheMapsAndUncompiledFolders) {
  UseSoldat();
  UsePolyWorks();
  const std::u16string& maps = state.kindFolders[kKindMap];
  const std::u16string& uncompiled = state.kindFolders[kKindUncompiledMap];
  const std::u16string elsewhere = Folder(u"Elsewhere");
  Map(maps, u"ctf_Ash.PMS");
  Map(maps, u"twin.PMS");  // the compiled twin of an uncompiled map
  Map(uncompiled, u"twin.PMS");
  Map(uncompiled, u"solo.PMS");
  Map(elsewhere, u"far.PMS");
  Map(dir.path() + u"Soldat\\", u"secret.PMS");  // beside the maps folder, not in it
  WriteRecentFiles({
      maps + u"ctf_Ash.PMS", uncompiled + u"twin.PMS", uncompiled + u"solo.PMS",
      elsewhere + u"far.PMS",
      maps + u"deleted.PMS",  // no longer there
      u"ctf_Ash.PMS",         // cannot be split into folder and name
      maps + u"../secret.PMS", maps + u"..", maps + u"c:secret.PMS",
      maps + u"ctf_Ash.PMS",  // listed once however often it is named
  });

  RefreshCatalogue(state);

  using Entry = std::pair<std::u16string, int>;
  EXPECT_EQ(Entries(kRecentGroup),
            (std::vector<Entry>{
                {u"ctf_Ash.PMS", 11}, {u"solo.PMS", 12}, {u"twin.PMS", 11}, {u"twin.PMS", 12}}));
  EXPECT_EQ(tree.text(state.catalogueGroups[kRecentGroup]), u"Recent PW maps ( 4 )");
  // Recent files are listed again in their own groups and do not count twice.
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 4 )");
}

TEST_F(Catalogue, WithoutPolyWorksOnlyTheGameIsListed) {
  UseSoldat();
  UsePolyWorks();
  Map(state.kindFolders[kKindMap], u"ctf_Ash.PMS");
  Map(state.kindFolders[kKindUncompiledMap], u"draft.PMS");
  Prefab(state.kindFolders[kKindPrefab], u"tower.PFB");
  WriteRecentFiles({state.kindFolders[kKindMap] + u"ctf_Ash.PMS"});
  state.polyWorksPath.clear();

  RefreshCatalogue(state);

  EXPECT_EQ(tree.outline(),
            "All maps ( 1 ) [0/0] +\n"
            "  Capture The Flag ( 1 ) [1/1]\n"
            "    ctf_Ash.PMS [11/11]\n");
}

TEST_F(Catalogue, SkipDefaultMapsLeavesThemToRecentFilesOnly) {
  UseSoldat();
  UsePolyWorks();
  const std::u16string& maps = state.kindFolders[kKindMap];
  for (const auto* name : {u"CTF_ash.pms", u"ctf_Custom.PMS", u"dm_Default.PMS", u"inf_Own.PMS"}) {
    Map(maps, name);
  }
  WriteRecentFiles({maps + u"CTF_ash.pms"});
  for (const auto* name : {u"inf_Abel.PMS", u"dm_Default.PMS", u"ctf_Ash.PMS", u"htf_Zero.PMS"}) {
    state.defaultMaps.add(name, 1);
  }
  state.defaultMaps.sortUnique();  // as the list is kept after loading

  state.skipDefaultMaps = true;
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(),
            "All maps ( 2 ) [0/0] +\n"
            "  Recent PW maps ( 1 ) [1/1]\n"
            "    CTF_ash.pms [11/11]\n"
            "  Capture The Flag ( 1 ) [1/1]\n"
            "    ctf_Custom.PMS [11/11]\n"
            "  Infiltration ( 1 ) [1/1]\n"
            "    inf_Own.PMS [11/11]\n");
  EXPECT_EQ(state.defaultMaps.count(), 4);  // the scan leaves the list as it is

  state.skipDefaultMaps = false;
  RefreshCatalogue(state);
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 4 )");
  EXPECT_EQ(tree.text(state.catalogueGroups[kFirstGameModeGroup + 1]), u"Capture The Flag ( 2 )");
  EXPECT_EQ(tree.text(state.catalogueGroups[kFirstGameModeGroup]), u"DeathMatch ( 1 )");
}

TEST_F(Catalogue, RefreshStartsANewSelection) {
  UseSoldat();
  Map(state.kindFolders[kKindMap], u"ctf_Ash.PMS");
  RefreshCatalogue(state);
  const ui::TreeItem oldGroup = state.catalogueGroups[kFirstGameModeGroup + 1];
  tree.select(tree.child(oldGroup));
  AddToPackList(state);
  ASSERT_EQ(state.packCount, 1);
  ASSERT_TRUE(controls.enabled(ui::Slot::clearButton));

  Map(state.kindFolders[kKindMap], u"ctf_Bay.PMS");
  RefreshCatalogue(state);

  EXPECT_EQ(state.packCount, 0);
  EXPECT_EQ(pack.outline(), "Maps to pack ( 0 ) [2/2]\n");
  EXPECT_FALSE(controls.enabled(ui::Slot::clearButton));
  EXPECT_FALSE(tree.valid(oldGroup));
  EXPECT_EQ(tree.text(state.catalogueGroups[kFirstGameModeGroup + 1]), u"Capture The Flag ( 2 )");
}

TEST_F(Catalogue, OneGroupOpenAtATime) {
  UseSoldat();
  for (const auto* name : {u"ctf_Ash.PMS", u"dm_Bay.PMS", u"inf_Cove.PMS"}) {
    Map(state.kindFolders[kKindMap], name);
  }
  RefreshCatalogue(state);
  const ui::TreeItem dm = state.catalogueGroups[kFirstGameModeGroup];
  const ui::TreeItem ctf = state.catalogueGroups[kFirstGameModeGroup + 1];
  const ui::TreeItem inf = state.catalogueGroups[kFirstGameModeGroup + 3];

  EXPECT_FALSE(CatalogueMayCollapse(state, state.catalogueRoot));
  EXPECT_TRUE(CatalogueMayCollapse(state, ctf));

  tree.expand(ctf);
  CatalogueItemExpanded(state, ctf, true);
  EXPECT_EQ(tree.image(ctf), kOpenGroupImage);

  tree.expand(inf);
  CatalogueItemExpanded(state, inf, true);
  EXPECT_TRUE(tree.expanded(inf));
  EXPECT_EQ(tree.selectedImage(inf), kOpenGroupImage);
  EXPECT_FALSE(tree.expanded(ctf));
  EXPECT_EQ(tree.image(ctf), kClosedGroupImage);
  EXPECT_FALSE(tree.expanded(dm));
  EXPECT_EQ(tree.lastEnsuredVisible(), inf);
  EXPECT_TRUE(tree.expanded(state.catalogueRoot));

  tree.collapse(inf);
  CatalogueItemExpanded(state, inf, false);
  EXPECT_EQ(tree.image(inf), kClosedGroupImage);

  // The root keeps its own image.
  CatalogueItemExpanded(state, state.catalogueRoot, true);
  EXPECT_EQ(tree.image(state.catalogueRoot), kTopImage);
}

}  // namespace
