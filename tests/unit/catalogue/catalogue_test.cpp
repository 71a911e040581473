#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "config/ui_text.h"
#include "fixtures/soldat_install.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using fixtures::WriteBytes;

// A Soldat installation with PolyWorks, its paths joined with backslashes as the program
// joins them, the built-in filters and texts, and the trees in memory.
class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    state.programFolder = dir.folder(u"program");
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.catalogueTree = &tree;
    state.packTree = &pack;
    maps = state.kindFolders[kKindMap] = Folder(u"Soldat\\maps");
    editor = Folder(u"Soldat\\Soldat PolyWorks");
    state.polyWorksPath = editor + u"Soldat PolyWorks.exe";
    uncompiled = state.kindFolders[kKindUncompiledMap] =
        Folder(u"Soldat\\Soldat PolyWorks\\Uncompiled");
    prefabs = state.kindFolders[kKindPrefab] = Folder(u"Soldat\\Soldat PolyWorks\\Prefabs");
  }

  std::u16string Folder(std::u16string_view relative) {
    dir.folder(relative);
    return dir.path() + std::u16string(relative) + u"\\";
  }
  void Recent(const std::vector<std::u16string>& values) {
    fixtures::SoldatInstall install;
    install.polyWorksIni = editor + u"polyworks.ini";
    fixtures::WritePolyWorksIni(install, uncompiled, prefabs, values);
  }
  static void Map(const std::u16string& folder, std::u16string_view name) {
    WriteBytes(folder + std::u16string(name), fixtures::PmsBytes({}));
  }
  std::string Group(std::size_t slot) const { return tree.outline(state.catalogueGroups.at(slot)); }

  testsupport::TempDir dir;
  AppState state;
  ui::MemoryTree tree;
  ui::MemoryTree pack;
  std::u16string maps, editor, uncompiled, prefabs;
};

TEST_F(Catalogue, NothingToListLeavesTheRootAlone) {
  for (const bool known : {true, false}) {  // folders known but missing, or not known at all
    for (std::u16string* path :
         {&state.kindFolders[kKindMap], &state.polyWorksPath,
          &state.kindFolders[kKindUncompiledMap], &state.kindFolders[kKindPrefab]})
      *path = known ? dir.path() + u"gone\\x\\" : u"";
    RefreshCatalogue(state);
    EXPECT_EQ(tree.outline(), "All maps ( 0 ) [0/0]\n");
    EXPECT_EQ(state.catalogueGroups,
              std::vector<ui::TreeItem>(kFirstGameModeGroup + state.filters.size(), ui::kNoItem));
  }
}

TEST_F(Catalogue, GroupsCountsAndOrder) {
  WriteBytes(state.programFolder + u"filters.txt", fixtures::Utf16File({u"Climb ( %1%kz_"}));
  ASSERT_TRUE(LoadGameModeFilters(state));  // a user filter comes after the built-in ones
  for (const auto* name : {u"ctf_b.PMS", u"ctf_A.pms", u"Ash.PMS", u"tdm_x.PMS", u"kz_up.PMS",
                           u"inf_y.PMS", u"readme.txt"})
    Map(maps, name);
  dir.folder(u"Soldat\\maps\\dm_folder.PMS");  // folders are not maps
  Map(uncompiled, u"draft.PMS");
  for (const auto* name : {u"tower.PFB", u"Bunker.pfb"})
    WriteBytes(prefabs + name, fixtures::PfbBytes({}));
  Map(prefabs, u"not_a_prefab.PMS");

  RefreshCatalogue(state);

  // One group with its entries a line.
  EXPECT_EQ(tree.outline(),
            "All maps ( 9 ) [0/0] +\n"
            "  Uncompiled maps ( 1 ) [1/1]\n    draft.PMS [12/12]\n"
            "  Prefabs ( 2 ) [1/1]\n    Bunker.pfb [13/13]\n    tower.PFB [13/13]\n"
            "  DeathMatch ( 1 ) [1/1]\n    Ash.PMS [11/11]\n"
            "  Capture The Flag ( 2 ) [1/1]\n    ctf_A.pms [11/11]\n    ctf_b.PMS [11/11]\n"
            "  Team DeathMatch ( 1 ) [1/1]\n    tdm_x.PMS [11/11]\n"
            "  Infiltration ( 1 ) [1/1]\n    inf_y.PMS [11/11]\n"
            "  Climb ( 1 ) [1/1]\n    kz_up.PMS [11/11]\n");
  // Slots of empty groups hold no item (Hold The Flag); the others are the items shown.
  EXPECT_EQ(state.catalogueGroups[kFirstGameModeGroup + 4], ui::kNoItem);
  EXPECT_EQ(tree.text(state.catalogueGroups[kFirstGameModeGroup + 5]), u"Climb ( 1 )");
  EXPECT_EQ(tree.selected(), state.catalogueRoot);
}

TEST_F(Catalogue, NamesOfFiftyOneCharactersAreSkippedEverywhere) {
  const std::u16string fifty = std::u16string(46, u'a') + u".PMS";
  const std::u16string fiftyOne = std::u16string(47, u'b') + u".PMS";
  for (const auto& name : {fifty, fiftyOne}) {
    Map(maps, name);
    Map(uncompiled, name);
    WriteBytes(prefabs + name.substr(0, name.size() - 3) + u"PFB", fixtures::PfbBytes({}));
  }
  Recent({maps + fifty, maps + fiftyOne});

  RefreshCatalogue(state);

  const std::string kept(fifty.begin(), fifty.end() - 3);
  EXPECT_EQ(Group(kRecentGroup), kept + "PMS [11/11]\n");
  EXPECT_EQ(Group(kUncompiledGroup), kept + "PMS [12/12]\n");
  EXPECT_EQ(Group(kPrefabGroup), kept + "PFB [13/13]\n");
  EXPECT_EQ(Group(kFirstGameModeGroup), kept + "PMS [11/11]\n");
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 3 )");
}

TEST_F(Catalogue, RecentFilesOnlyFromTheMapsAndUncompiledFolders) {
  const std::u16string elsewhere = Folder(u"Elsewhere");
  // twin.PMS is an uncompiled map with its compiled twin; secret.PMS lies beside the maps.
  for (const auto* name : {u"ctf_Ash.PMS", u"twin.PMS"}) Map(maps, name);
  for (const auto* name : {u"twin.PMS", u"solo.PMS"}) Map(uncompiled, name);
  Map(elsewhere, u"far.PMS");
  Map(dir.path() + u"Soldat\\", u"secret.PMS");
  Recent({maps + u"ctf_Ash.PMS", uncompiled + u"twin.PMS", uncompiled + u"solo.PMS",
          elsewhere + u"far.PMS",
          maps + u"deleted.PMS",  // no longer there
          u"ctf_Ash.PMS",         // cannot be split into folder and name
          maps + u"../secret.PMS", maps + u"..", maps + u"c:secret.PMS",
          maps + u"ctf_Ash.PMS"});  // listed once however often it is named

  RefreshCatalogue(state);

  EXPECT_EQ(Group(kRecentGroup),
            "ctf_Ash.PMS [11/11]\nsolo.PMS [12/12]\ntwin.PMS [12/12]\ntwin.PMS [11/11]\n");
  EXPECT_EQ(tree.text(state.catalogueGroups[kRecentGroup]), u"Recent PW maps ( 4 )");
  // Recent files are listed again in their own groups and do not count twice.
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 4 )");

  state.polyWorksPath.clear();  // without the editor, only the game is listed
  RefreshCatalogue(state);
  EXPECT_EQ(tree.childCount(state.catalogueRoot), 2);
}

TEST_F(Catalogue, SkipDefaultMapsLeavesThemToRecentFilesOnlyAndRefreshEmptiesThePackList) {
  for (const auto* name : {u"CTF_ash.pms", u"ctf_Custom.PMS", u"dm_Default.PMS", u"inf_Own.PMS"})
    Map(maps, name);
  Recent({maps + u"CTF_ash.pms"});
  for (const auto* name : {u"inf_Abel.PMS", u"dm_Default.PMS", u"ctf_Ash.PMS", u"htf_Zero.PMS"})
    state.defaultMaps.add(name, 1);
  state.defaultMaps.sortUnique();  // as the list is kept after loading

  state.skipDefaultMaps = true;
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(),
            "All maps ( 2 ) [0/0] +\n"
            "  Recent PW maps ( 1 ) [1/1]\n    CTF_ash.pms [11/11]\n"
            "  Capture The Flag ( 1 ) [1/1]\n    ctf_Custom.PMS [11/11]\n"
            "  Infiltration ( 1 ) [1/1]\n    inf_Own.PMS [11/11]\n");
  EXPECT_EQ(state.defaultMaps.count(), 4);  // the scan leaves the list as it is

  tree.select(tree.child(state.catalogueGroups[kRecentGroup]));
  AddToPackList(state);
  state.skipDefaultMaps = false;
  RefreshCatalogue(state);  // a refresh also starts a new selection
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 4 )");
  EXPECT_EQ(pack.childCount(state.packRoot), 0);
}

TEST_F(Catalogue, OneGroupOpenAtATime) {
  for (const auto* name : {u"ctf_Ash.PMS", u"dm_Bay.PMS", u"inf_Cove.PMS"}) Map(maps, name);
  RefreshCatalogue(state);
  const ui::TreeItem ctf = state.catalogueGroups[kFirstGameModeGroup + 1];
  const ui::TreeItem inf = state.catalogueGroups[kFirstGameModeGroup + 3];
  EXPECT_FALSE(CatalogueMayCollapse(state, state.catalogueRoot));
  EXPECT_TRUE(CatalogueMayCollapse(state, ctf));

  for (const ui::TreeItem group : {ctf, inf}) {
    tree.expand(group);
    CatalogueItemExpanded(state, group, true);
  }
  CatalogueItemExpanded(state, state.catalogueRoot, true);  // the root keeps its image
  EXPECT_EQ(tree.outline(),
            "All maps ( 3 ) [0/0] +\n  DeathMatch ( 1 ) [1/1]\n    dm_Bay.PMS [11/11]\n"
            "  Capture The Flag ( 1 ) [1/1]\n    ctf_Ash.PMS [11/11]\n"
            "  Infiltration ( 1 ) [2/2] +\n    inf_Cove.PMS [11/11]\n");
  EXPECT_EQ(tree.lastEnsuredVisible(), inf);

  tree.collapse(inf);
  CatalogueItemExpanded(state, inf, false);
  EXPECT_EQ(tree.image(inf), kClosedGroupImage);
}

}  // namespace
