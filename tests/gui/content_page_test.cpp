// The Content page in the real window: it follows the pack list, and its tree view's
// notifications, painted marks and buttons reach the page's operations.
#include "content/archive_content.h"
#include "main_window_fixture.h"
#include "platform/win32/owned_handles.h"

namespace {

using guitest::ChildOf;
using ui::Slot;
using ui::TreeItem;

class ContentPageWindow : public guitest::MainWindowTest {
 protected:
  app::Win32Tree& Content() { return main->contentTree; }
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

TEST_F(ContentPageWindow, FollowsThePackListAndAnswersItsTree) {
  std::erase(options.textures, "custom.bmp");
  Start();
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

  // The missing texture lists the maps that use it.
  Content().select(Child(kKindTexture, u"custom.bmp"));
  EXPECT_NE(Details().find(u"affected maps: \r\nhtf_Custom.PMS"), std::u16string::npos);

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
}

}  // namespace
