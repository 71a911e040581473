// The Main and Content pages in the real window: the catalogue, the pack list and the
// content, and the user's clicks, keys and tips on them; the Content page's painted marks
// and buttons reach its operations.
#include <string>

#include "content/archive_content.h"
#include "main_window_fixture.h"
#include "platform/win32/owned_handles.h"

namespace {

using guitest::ChildOf;
using guitest::Outline;
using ui::Slot;
using ui::TreeItem;

class PagesWindow : public guitest::MainWindowTest {
 protected:
  app::Win32Tree& Catalogue() { return main->catalogueTree; }
  app::Win32Tree& Pack() { return main->packTree; }
  app::Win32Tree& Content() { return main->contentTree; }

  TreeItem Group(std::u16string_view group) {
    return ChildOf(Catalogue(), Catalogue().root(), group);
  }
  TreeItem Entry(std::u16string_view group, std::u16string_view name) {
    return ChildOf(Catalogue(), Group(group), name);
  }
  TreeItem Child(int kind, std::u16string_view name) {
    return ChildOf(Content(), state.contentGroups[static_cast<std::size_t>(kind)], name);
  }
  std::u16string Details() { return Text(Slot::detailsEdit); }
  // How many pixels of the colour the tree view paints in the item's row.
  int PixelsInRow(TreeItem item, COLORREF colour) {
    RECT row{};
    *reinterpret_cast<HTREEITEM*>(&row) = app::Win32Tree::Handle(item);
    SendMessageW(Content().control(), TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row));
    // The DC goes before the bitmap selected into it.
    const platform::win32::ScreenDc screen(GetDC(nullptr));
    const platform::win32::OwnedBitmap bitmap(
        CreateCompatibleBitmap(screen.get(), row.right, row.bottom));
    const platform::win32::MemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectObject(dc.get(), bitmap.get());
    SendMessageW(Content().control(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0;
    for (int y = row.top; y < row.bottom; ++y)
      for (int x = row.left; x < row.right; ++x) count += GetPixel(dc.get(), x, y) == colour;
    return count;
  }
};

TEST_F(PagesWindow, CatalogueThePackListAndTheContentAnswerTheMouseTheKeysAndTheButtons) {
  std::erase(options.textures, "custom.bmp");  // a problem, so that there is a log
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
  const auto maps = [&] { return Content().text(state.contentGroups[kKindMap]); };
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

  // The Content page follows the pack list, and its tree's notifications, painted marks and
  // buttons reach the page's operations.
  EXPECT_FALSE(IsWindowEnabled(Content().control()));
  app::Win32Tree& c = main->catalogueTree;
  RightClick(c, ChildOf(c, ChildOf(c, c.root(), u"Hold"), u"htf"));
  EXPECT_TRUE(IsWindowEnabled(Content().control()));
  ClickTab(kContentTab);

  // Enter in the search line presses "Go".
  Content().select(state.contentTop);
  SetWindowTextW(Control(Slot::contentSearchEdit), L"CUSTOM_TREE");
  SendMessageW(Control(Slot::contentSearchEdit), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(Content().selected(), Child(kKindScenery, u"custom_tree.png"));

  // A scenery is previewed below the details; the log takes the whole panel back.
  Content().select(Child(kKindScenery, u"custom_tree.png"));
  EXPECT_TRUE(Details().starts_with(u"custom_tree.png\r\nDimentions: 4x4 px\r\n"));
  const ui::Box details = BoxOf(Control(Slot::detailsEdit));
  EXPECT_TRUE(IsWindowVisible(Control(Slot::previewBox)) &&
              details.y + details.height < BoxOf(Control(Slot::previewBox)).y);
  Click(Slot::showLogButton);
  EXPECT_FALSE(IsWindowVisible(Control(Slot::previewBox)));
  EXPECT_GT(BoxOf(Control(Slot::detailsEdit)).height, details.height);
  EXPECT_EQ(Details(), *state.contentReport);

  const TreeItem map = Child(kKindMap, u"htf_Custom.PMS");
  EXPECT_TRUE(Tip(Content(), map).starts_with(u"htf_Custom.PMS\r\nDescription: Map htf_Custom"));

  // The top item stays open, even under a tree view that folds it when refused.
  Key(Content(), state.contentTop, VK_LEFT);
  EXPECT_TRUE(Content().expanded(state.contentTop));

  RightClick(Content(), map);
  EXPECT_EQ(Content().overlay(map), kMarkExcluded);
  EXPECT_EQ(Content().overlay(state.mapslistItem), kMarkExcluded);
  Click(Slot::refreshContentButton);
  EXPECT_EQ(Content().overlay(Child(kKindMap, u"htf_Custom.PMS")), kMarkIncluded);
  // The group's mark is painted whole over its folder: the nine light green pixels of the plus.
  EXPECT_EQ(PixelsInRow(state.contentGroups[kKindMap], RGB(0x4C, 0xC0, 0x40)), 9);

  platform::DeleteFilePath(install.mapsFolder + u"htf_Custom.PMS");
  EXPECT_EQ(Tip(Catalogue(), Entry(u"Recent", u"htf_Custom")),
            u"htf_Custom.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(Tip(Catalogue(), ctf), u"");
}

}  // namespace
