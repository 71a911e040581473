#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/game_mode_filters.h"
#include "catalogue/pack_list.h"
#include "catalogue/search.h"
#include "config/ui_text.h"
#include "fixtures/soldat_install.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

using fixtures::WriteBytes;
using Texts = std::vector<std::u16string>;

// "label|style|prefix,prefix"; empty for no filter.
std::u16string Describe(const std::optional<GameModeFilter>& filter) {
  if (!filter) return u"";
  std::u16string text = filter->label + u"|" + filter->gameStyle + u"|";
  for (const auto& prefix : filter->prefixes) text += prefix + u",";
  text.pop_back();
  return text;
}

// A game and its map editor in a temp folder; rebuilds of the content are counted.
class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    state.programFolder = dir.folder(u"program");
    ASSERT_TRUE(LoadGameModeFilters(state));
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    state.controls = &controls;
    state.catalogueTree = &tree;
    state.packTree = &pack;
    state.rebuildArchiveContent = [this](AppState& s) { ++rebuilds, s.contentStale = false; };
    maps = state.kindFolders[kKindMap] = Folder(u"maps");
    uncompiled = state.kindFolders[kKindUncompiledMap] = Folder(u"Uncompiled");
    prefabs = state.kindFolders[kKindPrefab] = Folder(u"Prefabs");
    state.polyWorksPath = Folder(u"PolyWorks") + u"Soldat PolyWorks.exe";
  }

  std::u16string Folder(std::u16string_view name) {
    dir.folder(name);
    return dir.path() + std::u16string(name) + u"\\";
  }
  // The editor's recently opened files.
  void Recent(const std::vector<std::u16string>& values) {
    fixtures::SoldatInstall install;
    install.polyWorksIni = dir.path() + u"PolyWorks\\polyworks.ini";
    fixtures::WritePolyWorksIni(install, uncompiled, prefabs, values);
  }
  static void Map(const std::u16string& folder, std::u16string_view name) {
    WriteBytes(folder + std::u16string(name), fixtures::PmsBytes({}));
  }
  ui::TreeItem Group(std::size_t slot) const { return state.catalogueGroups.at(slot); }
  // The user's filters, as they follow the built-in five.
  std::vector<std::u16string> LoadFilters() {
    EXPECT_TRUE(LoadGameModeFilters(state));
    std::vector<std::u16string> out;
    for (std::size_t f = 5; f < state.filters.size(); ++f)
      out.push_back(Describe(state.filters[f]));
    return out;
  }
  void UserFilters(std::initializer_list<std::u16string_view> lines) {
    WriteBytes(state.programFolder + u"filters.txt", fixtures::Utf16File(lines));
  }
  std::uint32_t Find(std::u16string_view name) const { return FindGameModeFilter(state, name); }

  testsupport::TempDir dir;
  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree tree;
  ui::MemoryTree pack;
  int rebuilds = 0;
  std::u16string maps, uncompiled, prefabs;
};

TEST_F(Catalogue, GroupsCountsAndOrder) {
  UserFilters({u"Climb ( %1%kz_"});
  ASSERT_TRUE(LoadGameModeFilters(state));  // a user filter comes after the built-in ones
  for (const auto* name : {u"ctf_b.PMS", u"ctf_A.pms", u"Ash.PMS", u"kz_up.PMS", u"readme.txt"})
    Map(maps, name);
  Map(uncompiled, u"draft.PMS");
  for (const auto* name : {u"tower.PFB", u"Bunker.pfb"})
    WriteBytes(prefabs + name, fixtures::PfbBytes({}));
  Map(prefabs, u"not_a_prefab.PMS");

  RefreshCatalogue(state);

  EXPECT_EQ(tree.outline(),
            "All maps ( 7 ) [0/0] +\n"
            "  Uncompiled maps ( 1 ) [1/1]\n    draft.PMS [12/12]\n"
            "  Prefabs ( 2 ) [1/1]\n    Bunker.pfb [13/13]\n    tower.PFB [13/13]\n"
            "  DeathMatch ( 1 ) [1/1]\n    Ash.PMS [11/11]\n"
            "  Capture The Flag ( 2 ) [1/1]\n    ctf_A.pms [11/11]\n    ctf_b.PMS [11/11]\n"
            "  Climb ( 1 ) [1/1]\n    kz_up.PMS [11/11]\n");
  EXPECT_EQ(tree.selected(), state.catalogueRoot);

  state.kindFolders = {};  // unset folders list nothing, not the current folder
  state.polyWorksPath.clear();
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(), "All maps ( 0 ) [0/0]\n");
  EXPECT_EQ(Group(kFirstGameModeGroup + 5), ui::kNoItem);
}

// Names of 51 characters are skipped in every group.
TEST_F(Catalogue, RecentFilesOnlyFromTheMapsAndUncompiledFoldersAndNoLongNames) {
  const std::u16string elsewhere = Folder(u"Elsewhere");
  const std::u16string fifty = std::u16string(46, u'a') + u".PMS";
  const std::u16string fiftyOne = std::u16string(47, u'b') + u".PMS";
  // twin.PMS is an uncompiled map with its compiled twin; secret.PMS lies beside the maps.
  for (const auto* name : {u"ctf_Ash.PMS", u"twin.PMS"}) Map(maps, name);
  for (const auto* name : {u"twin.PMS", u"solo.PMS"}) Map(uncompiled, name);
  for (const auto& name : {fifty, fiftyOne})
    for (const auto& folder : {maps, uncompiled}) Map(folder, name);
  Map(elsewhere, u"far.PMS");
  Map(dir.path(), u"secret.PMS");
  Recent({maps + fifty, maps + fiftyOne, maps + u"ctf_Ash.PMS", uncompiled + u"twin.PMS",
          uncompiled + u"solo.PMS", elsewhere + u"far.PMS",
          maps + u"deleted.PMS",  // no longer there
          u"ctf_Ash.PMS",         // cannot be split into folder and name
          maps + u"../secret.PMS", maps + u"..", maps + u"c:secret.PMS",
          maps + u"ctf_Ash.PMS"});  // listed once however often it is named

  RefreshCatalogue(state);

  const std::string kept(fifty.begin(), fifty.end());
  EXPECT_EQ(tree.outline(Group(kRecentGroup)),
            kept +
                " [11/11]\nctf_Ash.PMS [11/11]\n"
                "solo.PMS [12/12]\ntwin.PMS [11/11]\ntwin.PMS [12/12]\n");
  EXPECT_EQ(tree.outline(Group(kUncompiledGroup)),
            kept + " [12/12]\nsolo.PMS [12/12]\ntwin.PMS [12/12]\n");
  EXPECT_EQ(tree.outline(Group(kFirstGameModeGroup)), kept + " [11/11]\ntwin.PMS [11/11]\n");

  state.polyWorksPath.clear();  // without the editor, only the game is listed
  RefreshCatalogue(state);
  EXPECT_EQ(tree.childCount(state.catalogueRoot), 2);
}

TEST_F(Catalogue, SkipDefaultMapsLeavesThemToRecentFilesOnlyAndRefreshEmptiesThePackList) {
  for (const auto* name : {u"CTF_ash.pms", u"ctf_Custom.PMS", u"dm_Default.PMS"}) Map(maps, name);
  Recent({maps + u"CTF_ash.pms"});
  for (const auto* name : {u"inf_Abel.PMS", u"dm_Default.PMS", u"ctf_Ash.PMS", u"htf_Zero.PMS"})
    state.defaultMaps.add(name, 1);
  state.defaultMaps.sortUnique();  // as the list is kept after loading

  state.skipDefaultMaps = true;
  RefreshCatalogue(state);
  EXPECT_EQ(tree.outline(),  // the recent file is not counted twice
            "All maps ( 1 ) [0/0] +\n"
            "  Recent PW maps ( 1 ) [1/1]\n    CTF_ash.pms [11/11]\n"
            "  Capture The Flag ( 1 ) [1/1]\n    ctf_Custom.PMS [11/11]\n");

  tree.select(tree.child(Group(kRecentGroup)));
  AddToPackList(state);
  state.skipDefaultMaps = false;
  RefreshCatalogue(state);  // a refresh also starts a new selection
  EXPECT_EQ(tree.text(state.catalogueRoot), u"All maps ( 3 )");
  EXPECT_EQ(pack.childCount(state.packRoot), 0);
}

TEST_F(Catalogue, OneGroupOpenAtATime) {
  for (const auto* name : {u"ctf_Ash.PMS", u"dm_Bay.PMS", u"inf_Cove.PMS"}) Map(maps, name);
  RefreshCatalogue(state);
  const ui::TreeItem ctf = Group(kFirstGameModeGroup + 1);
  const ui::TreeItem inf = Group(kFirstGameModeGroup + 3);
  EXPECT_FALSE(CatalogueMayCollapse(state, state.catalogueRoot));

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

TEST(FilterLine, ParsesLabelStyleAndPrefixesAndRejectsEmptyFields) {
  // Only the digit field's first character counts, outside 0..6 as 0; a control ends the line.
  const std::pair<std::u16string, std::u16string> rows[] = {
      {u"Climb ( %1%kz_%climb_", u"Climb ( |1|kz_,climb_"},
      {u"C%12%kz_", u"C|1|kz_"},
      {u"C%7%kz_", u"C|0|kz_"},
      {u"C%1%kz_\tmore%climb_", u"C|1|kz_"},
      {u"C%1%kz %x", u"C|1|kz ,x"},
      {u"C%1%" + std::u16string(256, u'k'), u"C|1|" + std::u16string(256, u'k')}};
  for (const auto& [line, expected] : rows)
    EXPECT_EQ(Describe(ParseFilterLine(line)), expected) << testing::PrintToString(line);
  for (const std::u16string_view line :
       {u"C%1%", u"%1%kz_", u"C%%kz_", u"C%1%kz_%", u"C%1%kz_%%x", u"", u"a%1"})
    EXPECT_FALSE(ParseFilterLine(line)) << testing::PrintToString(line);
}

TEST_F(Catalogue, BuiltInTableFindsTheLastFilterWhosePrefixStartsTheLowerCasedNameIfValid) {
  EXPECT_EQ(LoadFilters(), Texts{});
  EXPECT_EQ(Find(u"CTF_Ash.PMS"), 1u);
  EXPECT_EQ(Find(u"htf_Void.PMS"), 4u);
  EXPECT_EQ(Find(u"Ash.PMS"), 0u);
  EXPECT_EQ(FindGameModeFilter(AppState{}, u"ctf_Ash.PMS"), 0u);
  state.filters.push_back({u"stale", u"0", {u"x"}});
  const std::u16string_view a = u"A ( %0%a_", b = u"B ( %1%b_", c = u"C ( %2%c_", d = u"D ( %3%d_";
  EXPECT_FALSE(LoadGameModeFilters(state, fixtures::Utf16File({a, b, c, d})));
  EXPECT_TRUE(state.filters.empty());
  EXPECT_FALSE(LoadGameModeFilters(state, fixtures::Utf16File({a, b, c, d, u"E ( %4%"})));
}

TEST_F(Catalogue, UserLinesFollowLastLineFirstInvalidOnesAreSkippedAndTheTableStopsAt255) {
  UserFilters(
      {u"A ( %1%kz_", u"B ( %2%kz_%climb_", u"broken", u"Mine ( %3%ctf_", u"Caps ( %1%QZ_"});
  EXPECT_EQ(LoadFilters(),
            (Texts{u"Caps ( |1|QZ_", u"Mine ( |3|ctf_", u"B ( |2|kz_,climb_", u"A ( |1|kz_"}));
  EXPECT_EQ(Find(u"kz_Tower.PMS"), 8u);  // both match: the earlier line of the file wins
  EXPECT_EQ(Find(u"climb_Tower.PMS"), 7u);
  EXPECT_EQ(Find(u"ctf_Ash.PMS"), 6u);   // taken from the built-in filter
  EXPECT_EQ(Find(u"QZ_Tower.PMS"), 0u);  // a capital prefix never matches

  // 261 characters pass the reader, the parser drops what follows the last '%' of a line
  // without end; a longer line ends the file.
  UserFilters({u"Climb ( %1%kz_%" + std::u16string(246, u'k'),
               u"B ( %2%b_" + std::u16string(253, u'b'), u"C ( %3%c_"});
  EXPECT_EQ(LoadFilters(), (Texts{u"Climb ( |1|kz_"}));

  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "U" + std::to_string(i) + " ( %1%u" + std::to_string(i) + "_\r\n";
  fixtures::WriteText(state.programFolder + u"filters.txt", text);
  const Texts user = LoadFilters();
  ASSERT_EQ(user.size(), kMaxGameModeFilters - 5);
  for (const auto& [name, filter] :
       {std::pair{u"u0_map", 254u}, {u"u249_map", 5u}, {u"u250_map", 0u}})
    EXPECT_EQ(Find(name), filter);
}

// ctf_Ash and CTF_Cove, twin.PMS compiled and uncompiled, a prefab; ctf_Ash and the
// uncompiled twin as recent files.
class AFewFiles : public Catalogue {
 protected:
  void SetUp() override {
    Catalogue::SetUp();
    for (const auto* name : {u"ctf_Ash.PMS", u"CTF_Cove.PMS", u"twin.PMS"}) Map(maps, name);
    Map(uncompiled, u"twin.PMS");
    WriteBytes(prefabs + u"tower.PFB", fixtures::PfbBytes({}));
    Recent({maps + u"ctf_Ash.PMS", uncompiled + u"twin.PMS"});
    RefreshCatalogue(state);
    rebuilds = 0;
  }
  void Add(ui::TreeItem item) {
    tree.select(item);
    AddToPackList(state);
  }
};

using PackList = AFewFiles;

TEST_F(PackList, EntriesAndGroupsAddWhatIsNotChosenYetInAlphabeticalOrder) {
  const ui::TreeItem ctf = Group(kFirstGameModeGroup + 1);
  const ui::TreeItem cove = tree.nextSibling(tree.child(ctf));
  for (ui::TreeItem item :
       {state.catalogueRoot, ui::kNoItem, tree.child(Group(kPrefabGroup)), cove, cove})
    Add(item);
  EXPECT_EQ(rebuilds, 2);  // adding what is there, or nothing, changes nothing at all
  // The map from its game-mode group and from Recent PW maps is one entry; its uncompiled
  // source of the same name is another.
  Add(Group(kRecentGroup));
  Add(ctf);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 5 ) [2/2] +\n  ctf_Ash.PMS [11/11]\n  CTF_Cove.PMS [11/11]\n"
            "  tower.PFB [13/13]\n  twin.PMS [11/11]\n  twin.PMS [12/12]\n");
  EXPECT_EQ(rebuilds, 4);  // a group that adds nothing still relabels
}

TEST_F(PackList, EqualNamesInAnyImageOrderAreRecognised) {
  // Another part inserted the two entries of one name in the other image order.
  pack.insertLast(state.packRoot, {u"TWIN.pms", 12, 12});
  pack.insertLast(state.packRoot, {u"twin.PMS", 11, 11});
  state.packCount = 2;
  Add(Group(kRecentGroup));
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 3 ) [2/2] +\n  ctf_Ash.PMS [11/11]\n  TWIN.pms [12/12]\n"
            "  twin.PMS [11/11]\n");
}

// Below six entries every change rebuilds the content at once; from six on it waits. The
// buttons follow the count.
TEST_F(PackList, TheSixthEntryLeavesTheContentStaleAndRemovingBackToFiveRebuildsIt) {
  Map(maps, u"inf_Abel.PMS");
  RefreshCatalogue(state);
  rebuilds = 0;
  // Recent PW maps, then CTF_Cove, nothing new, tower: five entries in four adds.
  for (const std::size_t group :
       {kRecentGroup, kFirstGameModeGroup + 1, kFirstGameModeGroup, kPrefabGroup})
    Add(Group(group));
  ASSERT_EQ(state.packCount, 5);
  EXPECT_EQ(rebuilds, 4);
  EXPECT_FALSE(state.contentStale);
  Add(tree.child(tree.nextSibling(Group(kFirstGameModeGroup + 1))));  // inf_Abel
  EXPECT_EQ(rebuilds, 4);
  EXPECT_TRUE(state.contentStale);
  pack.select(pack.child(state.packRoot));
  RemovePackListItem(state);
  EXPECT_EQ(rebuilds, 5);
  EXPECT_FALSE(state.contentStale);
  EXPECT_EQ(pack.outline(),
            "Maps to pack ( 5 ) [2/2] +\n  CTF_Cove.PMS [11/11]\n  inf_Abel.PMS [11/11]\n"
            "  tower.PFB [13/13]\n  twin.PMS [11/11]\n  twin.PMS [12/12]\n");
  for (const bool full : {true, false}) {
    for (ui::Slot s : {ui::Slot::packButton, ui::Slot::saveMapslistButton, ui::Slot::clearButton})
      EXPECT_EQ(controls.enabled(s), full);
    pack.select(state.packRoot);
    RemovePackListItem(state);
  }
  EXPECT_EQ(pack.outline(), "Maps to pack ( 0 ) [2/2]\n");
  EXPECT_EQ(pack.selected(), state.packRoot);

  // A start without tool paths relabels before a refresh made the root, and without a
  // rebuilder the content stays stale.
  pack.deleteAll();
  state.packRoot = ui::kNoItem;
  state.rebuildArchiveContent = nullptr;
  state.packCount = 1;
  UpdatePackListLabel(state);
  EXPECT_EQ(pack.outline(), "Maps to pack ( 1 ) [2/2]\n");
  EXPECT_TRUE(state.contentStale);
}

// The CTF group open, one entry a level too deep, a top-level item without children.
TEST_F(AFewFiles, SearchGoesMatchAfterMatchThenFoldsUpBeepsAndStartsOverInATreeThatMayChange) {
  const ui::TreeItem root = state.catalogueRoot, ashRecent = tree.child(Group(kRecentGroup));
  const ui::TreeItem ctf = Group(kFirstGameModeGroup + 1), ash = tree.child(ctf);
  const ui::TreeItem cove = tree.nextSibling(ash);
  tree.insertLast(cove, {u"hidden.PMS", 11, 11});
  const ui::TreeItem mapslist = tree.insertLast(root, {u"mapslist.txt", 4, 4});
  tree.expand(ctf);
  CatalogueItemExpanded(state, ctf, true);
  const auto go = [this](std::u16string_view text) {
    if (controls.text(ui::Slot::mainSearchEdit) != text) {
      controls.setText(ui::Slot::mainSearchEdit, text);
      ResetSearch(state, ui::Slot::mainSearchEdit);  // as the edit's change notification does
    }
    SearchCatalogue(state);
    return tree.selected();
  };
  // A new text starts at its first match, an empty one does nothing; only entries two
  // levels down are searched ("maps" names the root, a group and the mapslist item).
  const struct {
    std::u16string_view text;
    ui::TreeItem shown;
    int beeps;
  } presses[] = {{u"CTF", ashRecent, 0}, {u"CTF", ash, 0},       {u"CTF", cove, 0},
                 {u"CTF", root, 1},      {u"CTF", ashRecent, 1}, {u"ash", ashRecent, 1},
                 {u"", ashRecent, 1},    {u"hidden", root, 2},   {u"maps", root, 3}};
  for (std::size_t i = 0; i < std::size(presses); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(go(presses[i].text), presses[i].shown);
    EXPECT_EQ(tree.lastEnsuredVisible(), presses[i].shown);
    EXPECT_EQ(controls.beeps, presses[i].beeps);
  }
  EXPECT_FALSE(tree.expanded(ctf));
  EXPECT_EQ(tree.image(ctf), kClosedGroupImage);
  EXPECT_TRUE(tree.expanded(root));
  EXPECT_EQ(tree.image(mapslist), 4);

  // Only the count is kept between presses: the next shows the second match of the tree now.
  EXPECT_EQ(go(u"ctf_"), ashRecent);
  tree.deleteItem(ashRecent);
  EXPECT_EQ(go(u"ctf_"), cove);
}

}  // namespace
