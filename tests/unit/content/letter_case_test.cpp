// Which spelling of a name the content shows when maps spell it in different letter case:
// the one the unstable sort keeps, given every name every entry lists, in order, with the
// interim sorts that bound the list on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/archive_content.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace {

class LetterCase : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir));
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    fixtures::WriteBytes(state.kindFolders[kKindTexture] + u"rock.bmp", fixtures::BmpBytes(2, 2));
    fixtures::WriteBytes(state.kindFolders[kKindEdge] + u"rock.bmp", fixtures::BmpBytes(2, 2));
  }
  void PutMap(const std::string& name, std::vector<std::string> sceneries,
              std::string texture = "rock.bmp") {
    fixtures::PmsSpec recipe;
    recipe.description = "A fine map";
    recipe.texture = std::move(texture);
    recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
    recipe.sceneryNames = std::move(sceneries);
    const std::u16string wide(name.begin(), name.end());
    fixtures::WriteBytes(state.kindFolders[kKindMap] + wide, fixtures::PmsBytes(recipe));
    pack.insertLast(state.packRoot, {wide, 11});
    ++state.packCount;
  }
  // The listed names of a group, each followed by '|'.
  std::string Names(int kind) const {
    std::string out;
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    for (ui::TreeItem c = content.child(group); c != ui::kNoItem; c = content.nextSibling(c)) {
      const std::u16string text = content.text(c);
      out += std::string(text.begin(), text.end()) + "|";
    }
    return out;
  }

  testsupport::TempDir dir;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;
};

TEST_F(LetterCase, TheSpellingTheFullSortKeepsIsShown) {
  fixtures::WriteBytes(state.kindFolders[kKindScenery] + u"tree.bmp", fixtures::BmpBytes(2, 2));
  // The sort keeps the last of equal neighbours: Tree, tree, Tree keeps the second Tree,
  // where the names met once each would keep tree.
  PutMap("a.PMS", {"Tree.bmp", "bush.bmp"});
  PutMap("b.PMS", {"tree.bmp"}, "ROCK.bmp");
  PutMap("c.PMS", {"Tree.bmp"});
  BuildArchiveContent(state);
  EXPECT_EQ(Names(kKindScenery), "bush.bmp|Tree.bmp|");
  EXPECT_EQ(Names(kKindTexture), "rock.bmp|");
  EXPECT_EQ(Names(kKindEdge), "rock.bmp|");
}

TEST_F(LetterCase, TheInterimSortsPastTenThousandNamesDecideTooAndLeaveEachNameOnce) {
  // 120 maps of 100 names pass 10,000 names after the 101st map (the 100th ends exactly on
  // it) and again later; the spellings alternate between maps.
  for (int m = 0; m < 120; ++m) {
    std::vector<std::string> names;
    for (int i = 0; i < 100; ++i)
      names.push_back((m % 3 == 0 ? "S" : "s") + std::to_string((m % 51 + i) % 150) + ".bmp");
    PutMap("m" + std::to_string(m) + ".PMS", names);
  }
  BuildArchiveContent(state);
  EXPECT_EQ(content.text(state.contentGroups[kKindScenery]), u"Scenery-gfx ( 150 )");
  std::string initials;  // the first letter of each survivor, in list order
  bool first = true;
  for (const char c : Names(kKindScenery)) {
    if (first) initials += c;
    first = c == '|';
  }
  EXPECT_EQ(initials,
            "SsssSsssssSsssssssSsssssSssssSsssSsSSSssssssSssSsSssssssssssSssSssSssSsSsssSssSSSS"
            "sssssSsSsSssssSSsSsSssSsSsSsSssSsssSSSsssssssSsssssSssssssssssssSsSS");
}

}  // namespace
