// The Main page in the real window: the catalogue and the pack list, and the user's clicks,
// keys and tips on them.
#include <string>

#include "content/archive_content.h"
#include "main_window_fixture.h"

namespace {

using guitest::ChildOf;
using guitest::Outline;
using ui::Slot;
using ui::TreeItem;

class MainPageWindow : public guitest::MainWindowTest {
 protected:
  app::Win32Tree& Catalogue() { return main->catalogueTree; }
  app::Win32Tree& Pack() { return main->packTree; }

  TreeItem Group(std::u16string_view group) {
    return ChildOf(Catalogue(), Catalogue().root(), group);
  }
  TreeItem Entry(std::u16string_view group, std::u16string_view name) {
    return ChildOf(Catalogue(), Group(group), name);
  }
};

TEST_F(MainPageWindow, CatalogueAndPackListAnswerTheMouseTheKeysAndTheButtons) {
  WriteSetting(u"SkipDefaultMaps", u"0");
  Start();
  // The keyboard opens and folds as the mouse does; the root never folds.
  const TreeItem ctf = Group(u"Capture"), inf = Group(u"Infiltration");
  Key(Catalogue(), ctf, VK_RIGHT);
  EXPECT_TRUE(Catalogue().expanded(ctf) && Catalogue().image(ctf) == 2);
  Key(Catalogue(), inf, VK_RIGHT);
  EXPECT_FALSE(Catalogue().expanded(ctf));
  EXPECT_EQ(Catalogue().selectedImage(inf), 2);
  Key(Catalogue(), inf, VK_LEFT);
  EXPECT_EQ(Catalogue().image(inf), 1);
  Key(Catalogue(), Catalogue().root(), VK_LEFT);
  EXPECT_TRUE(Catalogue().expanded(Catalogue().root()));

  // Enter in the search line presses "Go".
  SetWindowTextW(Control(Slot::mainSearchEdit), L"CTF");
  SendMessageW(Control(Slot::mainSearchEdit), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(Catalogue().selected(), Entry(u"Recent", u"ctf_Draft"));

  // The entry or group under the mouse is chosen, each file once; below the last item nothing.
  const TreeItem recent = Group(u"Recent");
  RightClick(Catalogue(), Entry(u"Recent", u"htf_Custom"));
  EXPECT_EQ(Catalogue().selected(), Entry(u"Recent", u"htf_Custom"));
  RightClick(Catalogue(), recent);
  RightClick(Catalogue(), ui::kNoItem);
  EXPECT_EQ(Catalogue().selected(), recent);
  EXPECT_EQ(Outline(Pack()), "Maps to pack ( 2 ) 2 + *\n  ctf_Draft.PMS 12\n  htf_Custom.PMS 11\n");

  Catalogue().select(Group(u"Uncompiled"));
  Click(Slot::addButton);
  Key(Pack(), Pack().root(), VK_LEFT);  // the list never folds
  EXPECT_EQ(
      Outline(Pack()),
      "Maps to pack ( 3 ) 2 + *\n  ctf_Draft.PMS 12\n  htf_Custom.PMS 11\n  htf_Custom.PMS 12\n");

  // From six entries on the content waits until it is needed: showing the page rebuilds it.
  for (const auto* group : {u"Prefabs", u"Capture"}) {
    Catalogue().select(Group(group));
    Click(Slot::addButton);
  }
  ASSERT_EQ(state.packCount, 7);
  const auto maps = [&] { return main->contentTree.text(state.contentGroups[kKindMap]); };
  EXPECT_TRUE(state.contentStale);
  EXPECT_EQ(maps(), u"Maps ( 1 )");
  ClickTab(kContentTab);
  EXPECT_FALSE(state.contentStale);
  EXPECT_EQ(maps(), u"Maps ( 3 )");
  ClickTab(app::kMainPage);

  RightClick(Pack(), Pack().child(Pack().root()));
  EXPECT_EQ(Pack().text(Pack().root()), u"Maps to pack ( 6 )");
  Pack().select(Pack().root());
  Click(Slot::removeButton);  // on the root: everything
  EXPECT_EQ(Outline(Pack()), "Maps to pack ( 0 ) 2 *\n");

  platform::DeleteFilePath(install.mapsFolder + u"htf_Custom.PMS");
  EXPECT_EQ(Tip(Catalogue(), Entry(u"Recent", u"htf_Custom")),
            u"htf_Custom.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(Tip(Catalogue(), ctf), u"");
}

}  // namespace
