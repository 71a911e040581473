// Images as the current game finds them: for a name N it loads N's .png twin when that
// exists, otherwise N, in any letter case. The content lists each of the two that exists and
// reports a name only when neither does; installations with only .bmp files see no change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/archive_content.h"
#include "content/content_page.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "maps/map_report.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace {

std::string Narrow(std::u16string_view text) {  // the texts here are ASCII
  return {text.begin(), text.end()};
}
std::u16string Wide(std::string_view text) {
  return {text.begin(), text.end()};
}

class ImageTwins : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir, &controls));
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
  }

  // A real image of the kind its name says, so that its details can be read.
  void PutImage(int kind, std::string_view name) {
    const bool png = name.ends_with(".png") || name.ends_with(".PNG");
    fixtures::WriteBytes(state.kindFolders[kind] + Wide(name),
                         png ? fixtures::PngBytes(6, 3) : fixtures::BmpBytes(4, 4));
  }
  void PutMap(std::string_view name, std::string texture, std::vector<std::string> sceneries) {
    fixtures::PmsSpec recipe;
    recipe.description = "A fine map";
    recipe.texture = std::move(texture);
    recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
    recipe.sceneryNames = std::move(sceneries);
    fixtures::WriteBytes(state.kindFolders[kKindMap] + Wide(name), fixtures::PmsBytes(recipe));
    pack.insertLast(state.packRoot, {Wide(name), 11});
    ++state.packCount;
  }
  std::string Outline(int kind) const {
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    return group == ui::kNoItem ? "" : content.outline(group);
  }
  std::string Report() const { return state.contentReport ? Narrow(*state.contentReport) : ""; }
  ui::TreeItem Item(int kind, std::u16string_view name) const {
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    for (ui::TreeItem c = content.child(group); c != ui::kNoItem; c = content.nextSibling(c))
      if (content.text(c) == name) return c;
    ADD_FAILURE() << "no item " << Narrow(name);
    return ui::kNoItem;
  }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;
};

TEST_F(ImageTwins, EachOfANameAndItsPngTwinThatExistsIsListedAndOnlyAbsentImagesAreReported) {
  struct Row {
    const char* what;
    std::vector<std::string> sceneryFiles;
    std::string named;  // by the map
    std::string listed;
    bool reported;
  };
  const Row rows[] = {
      {"only .bmp", {"tree.bmp"}, "tree.bmp", "tree.bmp [5/5] o1\n", false},
      {"only .png", {"tree.png"}, "tree.bmp", "tree.png [5/5] o1\n", false},
      {"both",
       {"tree.bmp", "tree.png"},
       "tree.bmp",
       "tree.bmp [5/5] o1\ntree.png [5/5] o1\n",
       false},
      // The twin is named after the map's spelling, found in any letter case.
      {"twin in another case", {"Tree.PNG"}, "tree.bmp", "tree.png [5/5] o1\n", false},
      {"name in another case", {"TREE.BMP"}, "tree.bmp", "tree.bmp [5/5] o1\n", false},
      {"neither", {"bush.png"}, "tree.bmp", "tree.bmp [5/5] o2\n", true},
      // Names that already end in .png, or have no extension, have no twin.
      {"a .png name", {"tree.bmp"}, "tree.PNG", "tree.PNG [5/5] o2\n", true},
      {"no extension", {"tree.png"}, "tree", "tree [5/5] o2\n", true},
      {"any extension", {"tree.png"}, "tree.gif", "tree.png [5/5] o1\n", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testsupport::TempDir install;
    ASSERT_TRUE(testsupport::SetUpMapsState(state, install, &controls));
    pack.deleteAll();
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.packCount = 0;
    for (const std::string& file : row.sceneryFiles) PutImage(kKindScenery, file);
    PutImage(kKindTexture, "rock.bmp");
    PutImage(kKindEdge, "rock.bmp");
    PutMap("ctf_Ash.PMS", "rock.bmp", {row.named});
    BuildArchiveContent(state);
    EXPECT_EQ(Outline(kKindScenery), row.listed);
    EXPECT_EQ(Report(),
              row.reported ? "ctf_Ash.PMS\r\n- scenery not found: " + row.named + "\r\n\r\n" : "");
  }
}

TEST_F(ImageTwins, ATextureAndItsEdgeAreEachFoundAsTheyAreOrAsTwins) {
  PutImage(kKindTexture, "rock.bmp");  // its edge only as a twin
  PutImage(kKindEdge, "Rock.png");
  PutImage(kKindTexture, "sand.png");  // both only as twins
  PutImage(kKindEdge, "SAND.png");
  PutImage(kKindEdge, "mud.png");  // the texture is missing, the edge a twin
  PutMap("ctf_Ash.PMS", "rock.bmp", {});
  PutMap("ctf_Bay.PMS", "sand.bmp", {});
  PutMap("ctf_Cove.PMS", "mud.bmp", {});
  BuildArchiveContent(state);

  EXPECT_EQ(Outline(kKindTexture), "mud.bmp [5/5] o2\nrock.bmp [5/5] o1\nsand.png [5/5] o1\n");
  EXPECT_EQ(Outline(kKindEdge), "mud.png [5/5] o1\nrock.png [5/5] o1\nsand.png [5/5] o1\n");
  EXPECT_EQ(content.text(state.contentGroups[kKindTexture]), u"Textures ( 3 )");
  EXPECT_EQ(content.text(state.contentGroups[kKindEdge]), u"Edges ( 3 )");
  EXPECT_EQ(Report(), "ctf_Cove.PMS\r\n- texture not found: mud.bmp\r\n\r\n");
}

TEST_F(ImageTwins, ATwinHasItsOwnDetailsAndPreviewFromItsKindsFolder) {
  PutImage(kKindScenery, "Tree.PNG");
  PutImage(kKindScenery, "tree.bmp");
  PutImage(kKindTexture, "rock.png");
  PutImage(kKindEdge, "rock.png");
  PutMap("ctf_Ash.PMS", "rock.bmp", {"tree.bmp"});
  BuildArchiveContent(state);

  const ui::TreeItem twin = Item(kKindScenery, u"tree.png");
  content.select(twin);
  ShowContentDetails(state, twin);
  EXPECT_THAT(Narrow(controls.text(ui::Slot::detailsEdit)),
              testing::StartsWith("tree.png\r\nDimentions: 6x3 px\r\n"));
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindScenery] + u"tree.png");
  EXPECT_EQ(content.overlay(twin), kMarkIncluded);  // still found

  const ui::TreeItem edge = Item(kKindEdge, u"rock.png");
  ShowContentDetails(state, edge);
  EXPECT_EQ(state.previewPath, state.kindFolders[kKindEdge] + u"rock.png");
  EXPECT_THAT(Narrow(*ContentInfoTip(state, Item(kKindScenery, u"tree.bmp"))),
              testing::StartsWith("tree.bmp\r\nDimentions: 4x4 px\r\n"));
}

TEST_F(ImageTwins, DefaultFilesAreLeftOutWhicheverExtensionTheListOrTheInstallationUses) {
  // The list names .bmp files while the game ships .png ones, and the other way round.
  for (const auto* name : {u"TREE.bmp", u"bush.png", u"stone.bmp"})
    state.defaultSceneries.add(name, 1);
  state.defaultTextures.add(u"rock.bmp", 1);
  state.defaultSceneries.sortUnique();
  state.defaultTextures.sortUnique();
  for (const char* file : {"tree.png", "bush.bmp", "stone.png", "own.png"})
    PutImage(kKindScenery, file);
  PutImage(kKindTexture, "rock.png");
  PutImage(kKindEdge, "rock.png");
  // stone.png is named as it is: the twin of a default name is a default file too.
  PutMap("ctf_Ash.PMS", "rock.bmp", {"tree.bmp", "bush.bmp", "stone.png", "own.bmp"});

  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery),
            "bush.bmp [5/5] o1\nown.png [5/5] o1\nstone.png [5/5] o1\ntree.png [5/5] o1\n");

  state.skipDefaultSceneries = state.skipDefaultTextures = true;
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery), "own.png [5/5] o1\n");
  EXPECT_EQ(Outline(kKindTexture) + Outline(kKindEdge), "");
}

TEST_F(ImageTwins, ATwinIsNeverLookedUpOutsideItsFolder) {
  // The twin of a name that leaves its folder would be found there.
  fixtures::WriteBytes(dir.file(u"x.png"), fixtures::PngBytes(2, 2));
  PutImage(kKindTexture, "rock.bmp");
  PutImage(kKindEdge, "rock.bmp");
  PutMap("ctf_Ash.PMS", "rock.bmp", {"..\\x.bmp"});
  BuildArchiveContent(state);
  EXPECT_EQ(Outline(kKindScenery), "..\\x.bmp [5/5] o2\n");
}

TEST_F(ImageTwins, AnEntryListsTheNamesAndTwinsThatExistWithTheirMarks) {
  PutImage(kKindScenery, "tree.png");
  PutImage(kKindScenery, "bush.bmp");
  PutImage(kKindScenery, "bush.PNG");
  PutImage(kKindTexture, "rock.bmp");
  PutImage(kKindEdge, "rock.png");
  PutMap("ctf_Ash.PMS", "rock.bmp", {"tree.bmp", "bush.bmp", "gone.bmp"});
  StringList report, sceneries, textures;
  MapSummary summary;
  MapCounts counts;
  EXPECT_FALSE(CheckContentEntry(state, u"ctf_Ash.PMS", kKindMap, report, sceneries, textures,
                                 summary, counts));
  std::string listed;
  for (const StringList* list : {&sceneries, &textures}) {
    list->forEach([&listed](const StringNode& node) {
      listed += Narrow(node.text()) + "#" + std::to_string(node.tag) + " ";
    });
  }
  // rock.bmp is a texture only (4 * 1 + 0), its twin an edge only (4 * 0 + 1).
  EXPECT_EQ(listed, "tree.png#1 bush.bmp#1 bush.png#1 gone.bmp#2 rock.bmp#4 rock.png#1 ");
  report.buildIndex();
  EXPECT_EQ(Narrow(report.join()), "ctf_Ash.PMS\r\n- scenery not found: gone.bmp\r\n\r\n");
}

TEST(PngTwin, ReplacesTheExtensionAfterTheLastDot) {
  EXPECT_EQ(PngTwin(u"tree.bmp"), u"tree.png");
  EXPECT_EQ(PngTwin(u"Big.Tree.BMP"), u"Big.Tree.png");
  EXPECT_EQ(PngTwin(u"tree."), u"tree.png");
  for (const auto* none : {u"tree", u"tree.png", u"tree.PnG", u""}) EXPECT_FALSE(PngTwin(none));
}

}  // namespace
