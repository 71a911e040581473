// The Main page in the real window: the catalogue and the pack list as the tree views report
// them, the user's clicks, keys and tooltips on them, and the page's buttons.
#include <chrono>
#include <cstdio>
#include <string>

#include "content/archive_content.h"
#include "main_window_fixture.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace {

using guitest::MainWindowTest;
using ui::Slot;

class MainPageWindow : public MainWindowTest {
 protected:
  app::Win32Tree& Catalogue() { return main->catalogueTree; }
  app::Win32Tree& Pack() { return main->packTree; }

  // The first child of `parent` whose text starts with `prefix`.
  static ui::TreeItem Child(const ui::Tree& tree, ui::TreeItem parent, std::u16string_view prefix) {
    for (ui::TreeItem c = tree.child(parent); c != ui::kNoItem; c = tree.nextSibling(c)) {
      if (tree.text(c).starts_with(prefix)) return c;
    }
    ADD_FAILURE() << "no such item";
    return ui::kNoItem;
  }
  ui::TreeItem Group(std::u16string_view group) {
    return Child(Catalogue(), Catalogue().root(), group);
  }
  ui::TreeItem Entry(std::u16string_view group, std::u16string_view name) {
    return Child(Catalogue(), Group(group), name);
  }

  // One line per item, indented by depth: text, image, "/selected image" and "^overlay" when
  // they differ from the plain case, and "+" when expanded.
  static std::string Outline(const ui::Tree& tree, ui::TreeItem first, int depth = 0) {
    std::string out;
    for (ui::TreeItem i = first; i != ui::kNoItem; i = tree.nextSibling(i)) {
      out += std::string(2 * depth, ' ') + platform::Utf16ToAnsi(tree.text(i)) + ' ' +
             std::to_string(tree.image(i));
      if (tree.selectedImage(i) != tree.image(i))
        out += '/' + std::to_string(tree.selectedImage(i));
      if (tree.overlay(i) != 0) out += '^' + std::to_string(tree.overlay(i));
      if (tree.child(i) != ui::kNoItem && tree.expanded(i)) out += " +";
      out += '\n' + Outline(tree, tree.child(i), depth + 1);
    }
    return out;
  }
  std::string PackOutline() { return Outline(Pack(), Pack().root()); }

  LRESULT Notify(app::Win32Tree& tree, UINT code, NMHDR& header) {
    header = {tree.control(), static_cast<UINT_PTR>(GetDlgCtrlID(tree.control())), code};
    return SendMessageW(main->window, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  // A right click with the mouse on the item, or below the last item for kNoItem.
  void RightClick(app::Win32Tree& tree, ui::TreeItem item) {
    RECT r{};
    GetClientRect(tree.control(), &r);
    POINT p{r.right / 2, r.bottom - 2};
    if (item != ui::kNoItem) {
      tree.ensureVisible(item);
      *reinterpret_cast<HTREEITEM*>(&r) = app::Win32Tree::Handle(item);
      SendMessageW(tree.control(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
      p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    ClientToScreen(tree.control(), &p);
    ASSERT_TRUE(SetCursorPos(p.x, p.y));
    NMHDR header{};
    Notify(tree, NM_RCLICK, header);
  }
  // The tooltip text, or "(none)" when the window gives none.
  std::string Tip(app::Win32Tree& tree, ui::TreeItem item) {
    wchar_t buffer[1024] = {};
    NMTVGETINFOTIPW tip{{}, buffer, 1024, app::Win32Tree::Handle(item), 0};
    EXPECT_EQ(Notify(tree, TVN_GETINFOTIPW, tip.hdr), 0);
    if (tip.pszText[0] == L'\0') return "(none)";
    return platform::Utf16ToAnsi(reinterpret_cast<const char16_t*>(tip.pszText));
  }
  void Key(app::Win32Tree& tree, ui::TreeItem item, WPARAM key) {
    tree.select(item);
    SendMessageW(tree.control(), WM_KEYDOWN, key, 0);
    Pump();
  }
  void Click(Slot slot) { SendMessageW(Control(slot), BM_CLICK, 0, 0); }
  int ChoiceButtonsEnabled() {  // of those that need a chosen file
    return (IsWindowEnabled(Control(Slot::packButton)) ? 1 : 0) +
           (IsWindowEnabled(Control(Slot::saveMapslistButton)) ? 1 : 0) +
           (IsWindowEnabled(Control(Slot::clearButton)) ? 1 : 0);
  }
};

TEST_F(MainPageWindow, CatalogueShowsTheScanAndAnswersKeysTipsAndSearches) {
  WriteSetting(u"Settings", u"SkipDefaultMaps", u"0");
  Start();
  const ui::TreeItem root = Catalogue().root();
  EXPECT_EQ(Outline(Catalogue(), root),
            "All maps ( 9 ) 0 +\n"
            "  Recent PW maps ( 2 ) 1\n    ctf_Draft.PMS 12\n    htf_Custom.PMS 11\n"
            "  Uncompiled maps ( 2 ) 1\n    ctf_Draft.PMS 12\n    htf_Custom.PMS 12\n"
            "  Prefabs ( 2 ) 1\n    bridge_piece.PFB 13\n    bunker.PFB 13\n"
            "  DeathMatch ( 1 ) 1\n    dm_Bridge.PMS 11\n"
            "  Capture The Flag ( 2 ) 1\n    ctf_Ash.PMS 11\n    ctf_Run.PMS 11\n"
            "  Infiltration ( 1 ) 1\n    inf_Abel.PMS 11\n"
            "  Hold The Flag ( 1 ) 1\n    htf_Custom.PMS 11\n");

  // The keyboard opens and folds groups as the mouse does: one group open at a time, the
  // root never folds.
  const ui::TreeItem ctf = Group(u"Capture");
  const ui::TreeItem inf = Group(u"Infiltration");
  Key(Catalogue(), ctf, VK_RIGHT);
  EXPECT_TRUE(Catalogue().expanded(ctf) && Catalogue().image(ctf) == 2);
  Key(Catalogue(), inf, VK_RIGHT);
  EXPECT_FALSE(Catalogue().expanded(ctf));
  EXPECT_EQ(Catalogue().selectedImage(ctf), 1);
  EXPECT_EQ(Catalogue().selectedImage(inf), 2);
  Key(Catalogue(), inf, VK_LEFT);
  EXPECT_EQ(Catalogue().image(inf), 1);
  Key(Catalogue(), root, VK_LEFT);
  EXPECT_TRUE(Catalogue().expanded(root));

  // Tooltips describe the file of the entry's own kind; groups and roots have none.
  platform::DeleteFilePath(install.mapsFolder + u"htf_Custom.PMS");
  EXPECT_EQ(Tip(Catalogue(), Entry(u"Recent", u"htf_Custom")),
            "htf_Custom.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(state.detailsText, u"htf_Custom.PMS\r\nFile not found!\r\n");
  EXPECT_EQ(Tip(Catalogue(), Entry(u"Uncompiled", u"htf_Custom"))
                .rfind("htf_Custom.PMS\r\nDescription: Map htf_Custom.PMS\r\nModified: ", 0),
            0u);
  EXPECT_EQ(Tip(Catalogue(), ctf) + Tip(Pack(), Pack().root()), "(none)(none)");
  Click(Slot::addButton);  // the root is selected: nothing is added
  EXPECT_EQ(Pack().text(Pack().root()), u"Maps to pack ( 0 )");
  RightClick(Catalogue(), Entry(u"Prefabs", u"bunker"));
  EXPECT_EQ(Tip(Pack(), Pack().child(Pack().root())).rfind("bunker.PFB\r\nModified: ", 0), 0u);

  // Enter in the search line presses "Go"; a new text starts over at its first match.
  SetWindowTextW(Control(Slot::mainSearchEdit), L"CTF");
  SendMessageW(Control(Slot::mainSearchEdit), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(Catalogue().selected(), Entry(u"Recent", u"ctf_Draft"));
  Click(Slot::mainSearchButton);
  EXPECT_EQ(Catalogue().selected(), Entry(u"Uncompiled", u"ctf_Draft"));
  SetWindowTextW(Control(Slot::mainSearchEdit), L"htf");
  Click(Slot::mainSearchButton);
  EXPECT_EQ(Catalogue().selected(), Entry(u"Recent", u"htf_Custom"));
}

TEST_F(MainPageWindow, RightClicksAndButtonsFillAndEmptyThePackList) {
  Start();
  EXPECT_EQ(PackOutline(), "Maps to pack ( 0 ) 2\n");
  EXPECT_EQ(ChoiceButtonsEnabled(), 0);

  // Right clicks choose the entry or the group under the mouse, each file and kind once.
  const ui::TreeItem recent = Group(u"Recent");
  RightClick(Catalogue(), Entry(u"Recent", u"htf_Custom"));
  EXPECT_EQ(Catalogue().selected(), Entry(u"Recent", u"htf_Custom"));
  RightClick(Catalogue(), recent);
  RightClick(Catalogue(), ui::kNoItem);
  EXPECT_EQ(Catalogue().selected(), recent);
  EXPECT_EQ(PackOutline(), "Maps to pack ( 2 ) 2 +\n  ctf_Draft.PMS 12\n  htf_Custom.PMS 11\n");
  EXPECT_EQ(ChoiceButtonsEnabled(), 3);

  // "->" takes the selected group's files that are not chosen yet; the list never folds.
  Catalogue().select(Group(u"Uncompiled"));
  Click(Slot::addButton);
  Key(Pack(), Pack().root(), VK_LEFT);
  EXPECT_EQ(
      PackOutline(),
      "Maps to pack ( 3 ) 2 +\n  ctf_Draft.PMS 12\n  htf_Custom.PMS 11\n  htf_Custom.PMS 12\n");

  // A right click or "<-" drops one file; "<-" on the root, Clear and Refresh drop all.
  RightClick(Pack(), Pack().child(Pack().root()));
  EXPECT_EQ(Pack().text(Pack().root()), u"Maps to pack ( 2 )");
  Pack().select(Pack().child(Pack().root()));
  Click(Slot::removeButton);
  EXPECT_EQ(Pack().childCount(Pack().root()), 1);
  Pack().select(Pack().root());
  Click(Slot::removeButton);
  EXPECT_EQ(PackOutline(), "Maps to pack ( 0 ) 2\n");
  EXPECT_EQ(ChoiceButtonsEnabled(), 0);
  RightClick(Catalogue(), recent);
  Click(Slot::clearButton);
  EXPECT_EQ(PackOutline(), "Maps to pack ( 0 ) 2\n");

  RightClick(Catalogue(), recent);
  testsupport::WriteBytes(install.mapsFolder + u"tdm_New.PMS", testsupport::PmsBytes({}));
  Click(Slot::refreshCatalogueButton);
  EXPECT_EQ(Catalogue().text(Catalogue().root()), u"All maps ( 6 )");
  EXPECT_EQ(Catalogue().text(Entry(u"Team", u"tdm_New")), u"tdm_New.PMS");
  EXPECT_EQ(PackOutline(), "Maps to pack ( 0 ) 2\n");
  EXPECT_EQ(ChoiceButtonsEnabled(), 0);
}

// How long the real window takes with a large installation; printed, never asserted. Run with
//   scripts/gui-tests BUILD --gtest_also_run_disabled_tests --gtest_filter='*Timings*'
TEST_F(MainPageWindow, DISABLED_Timings) {
  options.maps.clear();
  for (int i = 0; i < 50; ++i) options.sceneries.push_back("s" + std::to_string(i) + ".bmp");
  for (std::size_t i = 0; i < 10100; ++i) {
    testsupport::MapFile map{(i < 10000 ? "ctf_" : "dm_") + std::to_string(100000 + i) + ".PMS",
                             {}};
    map.spec.texture = options.textures[i % options.textures.size()];
    for (std::size_t s = 0; s < 5; ++s) {
      map.spec.sceneryNames.push_back(options.sceneries[(i + s * 7) % options.sceneries.size()]);
    }
    options.maps.push_back(map);
  }
  const auto timed = [&](const char* what, auto&& action) {
    const auto begin = std::chrono::steady_clock::now();
    action();
    if (main) Pump(), UpdateWindow(main->window);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    std::printf("%s: %.2f s\n", what, took.count());
  };
  timed("laying out 10100 maps", [&] { Install(); });
  timed("start-up with the catalogue scan (hidden trees)", [&] { Start(); });
  timed("Refresh, 10100 maps into the shown catalogue",
        [&] { Click(Slot::refreshCatalogueButton); });
  Catalogue().select(Group(u"Capture"));
  timed("->, a group of 10000 maps into the pack list", [&] { Click(Slot::addButton); });
  timed("Clear, 10000 maps", [&] { Click(Slot::clearButton); });
  Catalogue().select(Group(u"DeathMatch"));
  Click(Slot::addButton);
  timed("Content page with the content of 100 maps", [&] { ClickTab(kContentTab); });
  timed("BuildArchiveContent, 100 maps", [&] { BuildArchiveContent(state); });
  std::printf(
      "%s, %s\n", platform::Utf16ToAnsi(Catalogue().text(Catalogue().root())).c_str(),
      platform::Utf16ToAnsi(state.contentTree->text(state.contentGroups[kKindMap])).c_str());
}

}  // namespace
