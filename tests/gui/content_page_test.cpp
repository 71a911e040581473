// The Content page in the real window: the content follows the pack list, and the tree's
// notifications, the search line and the buttons reach the Content page operations.
#include <string>

#include "catalogue/pack_list.h"
#include "content/archive_content.h"
#include "main_window_fixture.h"

namespace {

using guitest::MainWindowTest;
using guitest::WindowText;
using ui::Slot;

class ContentPageWindow : public MainWindowTest {
 protected:
  void Choose(std::u16string_view name, int image) {
    state.packTree->insertLast(state.packRoot, {name, image, image});
    state.packTree->sortChildren(state.packRoot);
    ++state.packCount;
    UpdatePackListLabel(state);
  }
  ui::Tree& Content() { return *state.contentTree; }
  ui::TreeItem Child(ui::TreeItem parent, std::u16string_view text) {
    for (ui::TreeItem c = Content().child(parent); c != ui::kNoItem; c = Content().nextSibling(c)) {
      if (Content().text(c) == text) return c;
    }
    ADD_FAILURE() << "no such item";
    return ui::kNoItem;
  }
  ui::TreeItem Group(int kind) const { return state.contentGroups[static_cast<std::size_t>(kind)]; }

  LRESULT Notify(UINT code, NMHDR& header) {
    header.hwndFrom = Control(Slot::contentTree);
    header.idFrom = 22;
    header.code = code;
    return SendMessageW(main->window, WM_NOTIFY, 22, reinterpret_cast<LPARAM>(&header));
  }
  void Command(Slot slot, int id, WORD notification = BN_CLICKED) {
    SendMessageW(main->window, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(Control(slot)));
  }
  void RightClick(ui::TreeItem item) {
    RECT r{};
    *reinterpret_cast<HTREEITEM*>(&r) = reinterpret_cast<HTREEITEM>(item);
    ASSERT_TRUE(SendMessageW(Control(Slot::contentTree), TVM_GETITEMRECT, TRUE,
                             reinterpret_cast<LPARAM>(&r)));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Control(Slot::contentTree), &p);
    ASSERT_TRUE(SetCursorPos(p.x, p.y));
    NMHDR header{};
    Notify(NM_RCLICK, header);
  }
  std::u16string Details() { return WindowText(Control(Slot::detailsEdit)); }
  // How many pixels of the colour the tree paints in the item's row.
  int PixelsInRow(ui::TreeItem item, COLORREF colour) {
    RECT row{};
    *reinterpret_cast<HTREEITEM*>(&row) = reinterpret_cast<HTREEITEM>(item);
    SendMessageW(Control(Slot::contentTree), TVM_GETITEMRECT, FALSE,
                 reinterpret_cast<LPARAM>(&row));
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, row.right, row.bottom);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(Control(Slot::contentTree), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0;
    for (int y = row.top; y < row.bottom; ++y) {
      for (int x = row.left; x < row.right; ++x) count += GetPixel(dc, x, y) == colour ? 1 : 0;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return count;
  }
};

TEST_F(ContentPageWindow, FollowsThePackListAndAnswersItsTree) {
  Start();
  EXPECT_EQ(main->controls.tabImage(kContentTab), kContentTabNothingIncluded);
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::contentTree)));

  Choose(u"htf_Custom.PMS", 11);  // below the threshold: built at once
  EXPECT_TRUE(IsWindowEnabled(Control(Slot::contentTree)));
  EXPECT_EQ(Content().text(Group(kKindMap)), u"Maps ( 1 )");
  EXPECT_EQ(main->controls.tabImage(kContentTab), kContentTabAllWell);
  ClickTab(kContentTab);
  Pump();

  // Selecting an image describes and previews it; selecting a group shows the log again.
  const ui::TreeItem tree = Child(Group(kKindScenery), u"custom_tree.png");
  Content().select(tree);
  EXPECT_EQ(Details().rfind(u"custom_tree.png\r\nDimentions: 4x4 px\r\n", 0), 0u);
  EXPECT_EQ(state.previewPath, install.sceneryFolder + u"custom_tree.png");
  EXPECT_TRUE(IsWindowVisible(Control(Slot::previewBox)));
  Content().select(Group(kKindMap));
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_FALSE(IsWindowVisible(Control(Slot::previewBox)));

  // The tooltip of a map holds its details.
  const ui::TreeItem map = Child(Group(kKindMap), u"htf_Custom.PMS");
  wchar_t buffer[1024] = {};
  NMTVGETINFOTIPW tip{};
  tip.pszText = buffer;
  tip.cchTextMax = 1024;
  tip.hItem = reinterpret_cast<HTREEITEM>(map);
  Notify(TVN_GETINFOTIPW, tip.hdr);
  EXPECT_EQ(std::wstring(buffer).rfind(L"htf_Custom.PMS\r\nDescription: Map htf_Custom.PMS\r\n", 0),
            0u);

  // The top item stays open, even under a tree view that folds it when refused; groups fold.
  Content().select(state.contentTop);
  SendMessageW(Control(Slot::contentTree), WM_KEYDOWN, VK_LEFT, 0);
  Pump();
  EXPECT_TRUE(Content().expanded(state.contentTop));
  NMTREEVIEWW expanding{};
  expanding.action = TVE_COLLAPSE;
  expanding.itemNew.hItem = reinterpret_cast<HTREEITEM>(Group(kKindMap));
  EXPECT_EQ(Notify(TVN_ITEMEXPANDINGW, expanding.hdr), FALSE);

  // A right click excludes the map, and with it the mapslist; Refresh starts over.
  Content().ensureVisible(map);
  RightClick(map);
  EXPECT_EQ(Content().overlay(map), kMarkExcluded);
  EXPECT_EQ(Content().overlay(state.mapslistItem), kMarkExcluded);
  Command(Slot::refreshContentButton, 27);
  EXPECT_EQ(Content().overlay(Child(Group(kKindMap), u"htf_Custom.PMS")), kMarkIncluded);
  // The group's mark is painted whole over its folder: the nine light green pixels of the plus.
  EXPECT_EQ(PixelsInRow(Group(kKindMap), RGB(0x4C, 0xC0, 0x40)), 9);

  // "Go" finds the next file whose name holds the text.
  SetWindowTextW(Control(Slot::contentSearchEdit), L"TREE");
  Command(Slot::contentSearchButton, 21);
  EXPECT_EQ(Content().selected(), Child(Group(kKindScenery), u"custom_tree.png"));
  EXPECT_EQ(Details().rfind(u"custom_tree.png\r\n", 0), 0u);
  Command(Slot::showLogButton, 23);
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::showLogButton)));
  EXPECT_TRUE(state.previewPath.empty());
}

TEST_F(ContentPageWindow, StaleContentIsRebuiltWhenThePageIsShown) {
  Start();
  for (const char16_t* name :
       {u"ctf_Ash.PMS", u"ctf_Run.PMS", u"dm_Bridge.PMS", u"inf_Abel.PMS", u"htf_Custom.PMS"}) {
    Choose(name, 11);
  }
  Choose(u"ctf_Draft.PMS", 12);  // the sixth entry only marks the content stale
  EXPECT_TRUE(state.contentStale);
  EXPECT_EQ(Group(kKindUncompiledMap), ui::kNoItem);
  ClickTab(kContentTab);
  Pump();
  EXPECT_FALSE(state.contentStale);
  EXPECT_EQ(Content().text(Group(kKindUncompiledMap)), u"Uncompiled maps ( 1 )");
}

}  // namespace
