// The real main window as the user meets it: its size, where every control sits, what the
// captions say, how it grows, how pages switch, and what it keeps between runs.
#include <algorithm>
#include <set>
#include <utility>

#include "config/ui_text.h"
#include "main_window_fixture.h"
#include "platform/platform.h"
#include "support/image_writer.h"
#include "support/temp_dir.h"
#include "ui/preview_geometry.h"

namespace guitest {
namespace {

using ui::Box;
using ui::Slot;

int N(Slot s) {
  return static_cast<int>(s);
}

std::vector<int> Range(ui::SlotRange range) {
  std::vector<int> slots;
  for (int i = range.first; i <= range.last; ++i) slots.push_back(i);
  return slots;
}

std::u16string ComboItem(HWND combo, int position) {
  wchar_t buffer[128] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(buffer));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

// Which control shows which entry of the UI text table.
const std::pair<Slot, int> kCaptionRows[] = {
    {Slot::refreshCatalogueButton, 4},
    {Slot::refreshContentButton, 4},
    {Slot::loadMapslistButton, 5},
    {Slot::saveMapslistButton, 6},
    {Slot::clearButton, 7},
    {Slot::browseArchiveButton, 8},
    {Slot::browseCommentFileButton, 8},
    {Slot::browseSoldatButton, 8},
    {Slot::browsePolyWorksButton, 8},
    {Slot::browseWinRarButton, 8},
    {Slot::browseDefaultFolderButton, 8},
    {Slot::browseTemplateButton, 8},
    {Slot::compressionLabel, 9},
    {Slot::recoveryLabel, 10},
    {Slot::solidCheck, 11},
    {Slot::packButton, 12},
    {Slot::fitImageCheck, 13},
    {Slot::showLogButton, 14},
    {Slot::addCommentCheck, 15},
    {Slot::loadTemplateButton, 16},
    {Slot::useFileCheck, 17},
    {Slot::soldatPathLabel, 18},
    {Slot::polyWorksPathLabel, 19},
    {Slot::winRarPathLabel, 20},
    {Slot::tempFolderLabel, 21},
    {Slot::defaultFolderLabel, 22},
    {Slot::templatePathLabel, 23},
    {Slot::autoloadTemplateCheck, 24},
    {Slot::defaultFilesGroup, 25},
    {Slot::skipAllCheck, 26},
    {Slot::skipMapsCheck, 27},
    {Slot::skipSceneriesCheck, 28},
    {Slot::skipTexturesCheck, 29},
    {Slot::skipMapslistCheck, 30},
    {Slot::afterCreationGroup, 31},
    {Slot::testArchiveCheck, 32},
    {Slot::lockArchiveCheck, 33},
    {Slot::exploreCheck, 34},
    {Slot::languageLabel, 35},
    {Slot::applyButton, 36},
};

// Every caption, tab and list item as the table of `lines` says.
void ExpectLabelledBy(const MainWindowTest& t, const app::MainWindow& main,
                      const std::vector<std::u16string>& lines) {
  for (int tab = 0; tab < 4; ++tab) EXPECT_EQ(t.TabTextOf(tab), lines[tab]) << tab;
  for (const auto& [slot, index] : kCaptionRows) {
    EXPECT_EQ(WindowText(main.slot(slot)), lines[index]) << "slot " << N(slot);
  }
  const HWND compression = main.slot(Slot::compressionCombo);
  ASSERT_EQ(SendMessageW(compression, CB_GETCOUNT, 0, 0), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ComboItem(compression, i), lines[37 + i]);
  const HWND recovery = main.slot(Slot::recoveryCombo);
  ASSERT_EQ(SendMessageW(recovery, CB_GETCOUNT, 0, 0), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(ComboItem(recovery, i), lines[43 + i]);
}

std::vector<std::u16string> BuiltinTable() {
  StringList lines;
  EXPECT_TRUE(ReadUiTextTable(platform::BuiltinResource(kUiTextResourceId), lines));
  std::vector<std::u16string> texts;
  for (int i = 0; i < lines.count(); ++i) texts.emplace_back(lines.textAt(i));
  return texts;
}

TEST_F(MainWindowTest, OpensOnTheMainPageWithAFixedClientWidth) {
  Start();
  EXPECT_TRUE(IsWindowVisible(main->window));
  RECT client{};
  GetClientRect(main->window, &client);
  EXPECT_EQ(client.right, 605);
  // Placed where the (absent) saved place says: 100, 100, 594 high.
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.bottom - r.top, 594);
  EXPECT_EQ(r.right - r.left, state.fixedWindowWidth);

  EXPECT_EQ(CurrentTab(), app::kMainPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kMainPageSlots));
  EXPECT_EQ(main->controls.statusText(), u"Ready");
  EXPECT_TRUE(messages.empty());
  // The catalogue is filled and the empty pack list says so.
  EXPECT_GT(main->catalogueTree.childCount(main->catalogueTree.root()), 0);
  EXPECT_EQ(main->packTree.text(main->packTree.root()), u"Maps to pack ( 0 )");
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::packButton)));

  // No minimize or maximize box, so the caption has the help button; the system menu
  // minimizes through its own item instead.
  const LONG style = GetWindowLongW(main->window, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongW(main->window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
  const HMENU menu = GetSystemMenu(main->window, FALSE);
  EXPECT_EQ(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(menu, 0xF021, MF_BYCOMMAND), static_cast<UINT>(-1));
  SendMessageW(main->window, WM_SYSCOMMAND, 0xF021, 0);
  Pump();
  EXPECT_TRUE(IsIconic(main->window));
}

TEST_F(MainWindowTest, AtTheMinimumHeightEveryControlIsInItsPlace) {
  Start();
  SetWindowHeight(state.minWindowHeight);
  RECT client{};
  GetClientRect(main->window, &client);
  EXPECT_EQ(client.right, 605);
  EXPECT_EQ(BoxOf(main->statusBar).y, 535);
  EXPECT_EQ(client.bottom, 535 + BoxOf(main->statusBar).height);
  EXPECT_EQ(BoxOf(main->tabControl), (Box{0, 0, 607, 537}));

  const std::set<int> combos = {N(Slot::compressionCombo), N(Slot::recoveryCombo),
                                N(Slot::languageCombo)};
  for (int i = 0; i < ui::kSlotCount; ++i) {
    const Box expected = ui::InitialControlBox(static_cast<Slot>(i));
    const Box actual = BoxOf(main->slots[i]);
    if (combos.count(i)) {
      // A closed drop-down list is as high as its selection field, whatever its list's room.
      EXPECT_EQ((Box{actual.x, actual.y, actual.width, 0}),
                (Box{expected.x, expected.y, expected.width, 0}))
          << "slot " << i;
    } else {
      EXPECT_EQ(actual, expected) << "slot " << i;
    }
  }
}

TEST_F(MainWindowTest, ControlsHaveTheirIdsLimitsAndFonts) {
  Start();
  // Controls that share an action share an id.
  EXPECT_EQ(GetDlgCtrlID(Control(Slot::zipRadio)), 12);
  EXPECT_EQ(GetDlgCtrlID(Control(Slot::commentEdit)), 32);
  for (Slot s : {Slot::polyWorksPathEdit, Slot::winRarPathEdit, Slot::defaultFolderEdit,
                 Slot::templatePathEdit}) {
    EXPECT_EQ(GetDlgCtrlID(Control(s)), 35);
  }
  EXPECT_EQ(GetDlgCtrlID(main->tabControl), 75);

  const std::pair<Slot, int> limits[] = {
      {Slot::mainSearchEdit, 50},  {Slot::archiveNameEdit, 260},   {Slot::soldatPathEdit, 195},
      {Slot::winRarPathEdit, 260}, {Slot::defaultFolderEdit, 210}, {Slot::commentFileEdit, 260}};
  for (const auto& [slot, limit] : limits) {
    EXPECT_EQ(SendMessageW(Control(slot), EM_GETLIMITTEXT, 0, 0), limit) << N(slot);
  }
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::tempFolderEdit)));
  EXPECT_TRUE(GetWindowLongW(Control(Slot::detailsEdit), GWL_STYLE) & ES_READONLY);

  // The comment and the details are in a fixed-pitch font.
  for (Slot s : {Slot::commentEdit, Slot::detailsEdit}) {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Control(s), WM_GETFONT, 0, 0));
    LOGFONTW log{};
    ASSERT_TRUE(GetObjectW(font, sizeof(log), &log));
    EXPECT_STREQ(log.lfFaceName, L"Courier New");
    EXPECT_EQ(log.lfHeight, -11);
  }
  // The trees show the shared pictures. Their rows are asked to be 21 pixels high; a tree
  // without TVS_NONEVENHEIGHT rounds that down to 20, on Windows as under Wine.
  for (Slot s : {Slot::catalogueTree, Slot::packTree, Slot::contentTree}) {
    EXPECT_EQ(SendMessageW(Control(s), TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(main->images));
    EXPECT_EQ(SendMessageW(Control(s), TVM_GETITEMHEIGHT, 0, 0), 20);
  }
  EXPECT_EQ(ImageList_GetImageCount(main->images), 19);
  // Tab pictures: house, the empty content's "nothing included", document with minus, gear.
  const int tabImages[] = {9, 8, 15, 10};
  for (int tab = 0; tab < 4; ++tab) EXPECT_EQ(main->controls.tabImage(tab), tabImages[tab]);
}

TEST_F(MainWindowTest, EveryCaptionComesFromTheTable) {
  Start();
  ExpectLabelledBy(*this, *main, BuiltinTable());
  // The captions that are never translated.
  EXPECT_EQ(WindowText(Control(Slot::mainSearchButton)), u"Go");
  EXPECT_EQ(WindowText(Control(Slot::contentSearchButton)), u"Go");
  EXPECT_EQ(WindowText(Control(Slot::addButton)), u"->");
  EXPECT_EQ(WindowText(Control(Slot::removeButton)), u"<-");
  EXPECT_EQ(WindowText(Control(Slot::rarRadio)), u"rar");
  EXPECT_EQ(WindowText(Control(Slot::zipRadio)), u"zip");
  // Nothing saved: "best" compression and no recovery record.
  EXPECT_EQ(main->controls.comboSelection(Slot::compressionCombo), 5);
  EXPECT_EQ(main->controls.comboSelection(Slot::recoveryCombo), 0);
}

TEST_F(MainWindowTest, ALocalizationRelabelsTheWindowAndKeepsListSelections) {
  std::vector<std::u16string> lines;
  for (int i = 0; i < 161; ++i) lines.push_back(u"L" + platform::AnsiToUtf16(std::to_string(i)));
  Start();
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (const auto& line : lines) {
    for (char16_t c : line + u"\r\n") {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  testsupport::WriteBytes(install.programFolder + u"Localization\\Test.lng", bytes);

  main->controls.setComboSelection(Slot::compressionCombo, 2);
  main->controls.setComboSelection(Slot::recoveryCombo, 7);
  state.languageName = u"Test.lng";
  ASSERT_EQ(LoadUiText(state, main->controls), UiTextResult::kLoaded);
  EXPECT_TRUE(messages.empty());
  ExpectLabelledBy(*this, *main, lines);
  EXPECT_EQ(main->controls.comboSelection(Slot::compressionCombo), 2);
  EXPECT_EQ(main->controls.comboSelection(Slot::recoveryCombo), 7);
  EXPECT_EQ(WindowText(Control(Slot::compressionCombo)), u"L39");
  EXPECT_EQ(UiString(state, 145), u"L145");

  // And back to English.
  state.languageName = u"default";
  ASSERT_EQ(LoadUiText(state, main->controls), UiTextResult::kLoaded);
  ExpectLabelledBy(*this, *main, BuiltinTable());
  EXPECT_EQ(WindowText(Control(Slot::compressionCombo)), u"fast");
}

TEST_F(MainWindowTest, ExtraHeightStretchesTreesAndTextsAndMovesTheBottomRows) {
  Start();
  SetWindowHeight(state.minWindowHeight);
  std::vector<Box> before;
  for (HWND control : main->slots) before.push_back(BoxOf(control));

  const int dy = 130;
  SetWindowHeight(state.minWindowHeight + dy);
  const std::set<int> stretched = {N(Slot::catalogueTree), N(Slot::packTree), N(Slot::contentTree),
                                   N(Slot::detailsEdit), N(Slot::commentEdit)};
  const std::set<int> moved = {N(Slot::removeButton),     N(Slot::browseArchiveButton),
                               N(Slot::archiveNameEdit),  N(Slot::rarRadio),
                               N(Slot::zipRadio),         N(Slot::packButton),
                               N(Slot::compressionLabel), N(Slot::compressionCombo),
                               N(Slot::recoveryLabel),    N(Slot::recoveryCombo),
                               N(Slot::solidCheck),       N(Slot::applyButton),
                               N(Slot::previewBox)};
  for (int i = 0; i < ui::kSlotCount; ++i) {
    Box expected = before[i];
    if (stretched.count(i)) expected.height += dy;
    if (moved.count(i)) expected.y += dy;
    EXPECT_EQ(BoxOf(main->slots[i]), expected) << "slot " << i;
  }
  EXPECT_EQ(BoxOf(main->statusBar).y, 535 + dy);
  EXPECT_EQ(BoxOf(main->tabControl).height, 537 + dy);

  // With a preview shown, the details text ends above the preview box.
  state.previewPath = install.sceneryFolder + u"tree.bmp";
  app::LayoutControls(*main);
  EXPECT_EQ(BoxOf(Slot::detailsEdit).height, 164 + dy);
  EXPECT_LT(BoxOf(Slot::detailsEdit).y + BoxOf(Slot::detailsEdit).height,
            BoxOf(Slot::previewBox).y);
  // The log gives the details their whole height back and is what the panel shows.
  state.contentReport = u"ctf_Ash\r\n- texture not found: ash.bmp\r\n\r\n";
  app::ShowLog(*main);
  EXPECT_TRUE(state.previewPath.empty());
  EXPECT_EQ(BoxOf(Slot::detailsEdit).height, 478 + dy);
  EXPECT_EQ(WindowText(Control(Slot::detailsEdit)), *state.contentReport);
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::showLogButton)));
}

TEST_F(MainWindowTest, TabsShowExactlyOnePage) {
  Start();
  ClickTab(app::kContentPage);
  EXPECT_EQ(CurrentTab(), app::kContentPage);
  std::vector<int> content = Range(ui::kContentPageSlots);
  content.erase(std::find(content.begin(), content.end(), N(Slot::previewBox)));
  EXPECT_EQ(VisibleSlots(), content);  // no preview while nothing is selected
  EXPECT_EQ(main->controls.statusText(), u"Ready");

  ClickTab(app::kCommentPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kCommentPageSlots));
  EXPECT_EQ(main->controls.statusText(), u"Note: Unicode symbols are not supported");

  ClickTab(app::kSettingsPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kSettingsPageSlots));
  ClickTab(app::kMainPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kMainPageSlots));
  EXPECT_EQ(main->controls.statusText(), u"Ready");

  // A preview that is set comes back with its page.
  state.previewPath = install.sceneryFolder + u"tree.bmp";
  ClickTab(app::kContentPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kContentPageSlots));
  ClickTab(app::kMainPage);
  EXPECT_FALSE(IsWindowVisible(Control(Slot::previewBox)));
}

TEST_F(MainWindowTest, SettingsCannotBeLeftWithoutSoldatAndWinRar) {
  options.winRar = false;  // nothing to find
  Start();
  EXPECT_EQ(CurrentTab(), app::kSettingsPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kSettingsPageSlots));
  EXPECT_EQ(main->controls.statusText(), u"Soldat path or WinRAR path is invalid");
  EXPECT_EQ(main->catalogueTree.root(), ui::kNoItem);  // nothing to list without Soldat

  ClickTab(app::kMainPage);
  EXPECT_EQ(CurrentTab(), app::kSettingsPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kSettingsPageSlots));

  // What counts is the applied path, not what an edit box holds.
  state.winRarPath = install.winRarExe;
  ClickTab(app::kMainPage);
  EXPECT_EQ(CurrentTab(), app::kMainPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kMainPageSlots));
}

TEST_F(MainWindowTest, ClosingSavesTheRestoredPlaceOfAMaximizedWindow) {
  Start();
  SetWindowPos(main->window, nullptr, 150, 120, state.fixedWindowWidth, 700,
               SWP_NOZORDER | SWP_NOACTIVATE);
  main->controls.setChecked(Slot::rarRadio, false);
  main->controls.setChecked(Slot::zipRadio, true);
  main->controls.setComboSelection(Slot::compressionCombo, 1);
  ShowWindow(main->window, SW_MAXIMIZE);
  Pump();
  Close();
  EXPECT_TRUE(quitRequested);
  EXPECT_EQ(ReadSetting(u"Preferences", u"Left"), u"150");
  EXPECT_EQ(ReadSetting(u"Preferences", u"Top"), u"120");
  EXPECT_EQ(ReadSetting(u"Preferences", u"Height"), u"700");

  Start();
  const RECT r = WindowRect();
  EXPECT_FALSE(IsZoomed(main->window));
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.bottom - r.top, 700);
  EXPECT_TRUE(main->controls.checked(Slot::zipRadio));
  EXPECT_FALSE(main->controls.checked(Slot::rarRadio));
  EXPECT_EQ(main->controls.comboSelection(Slot::compressionCombo), 1);
}

TEST_F(MainWindowTest, CommandLineOptionsAreNotSaved) {
  Start();
  SetWindowPos(main->window, nullptr, 170, 130, state.fixedWindowWidth, 650,
               SWP_NOZORDER | SWP_NOACTIVATE);
  state.commandLineMode = true;
  Close();
  EXPECT_TRUE(quitRequested);
  EXPECT_EQ(ReadSetting(u"Preferences", u"Left"), u"");
}

}  // namespace
}  // namespace guitest

namespace guitest {
namespace {

// Paints the preview box into a bitmap of its own and reads pixels back.
class PreviewPaint {
 public:
  explicit PreviewPaint(app::MainWindow& main) {
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, ui::kPreviewSize, ui::kPreviewSize);
    old_ = SelectObject(dc_, bitmap_);
    app::PaintPreview(main, dc_);
  }
  ~PreviewPaint() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC screen_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

constexpr COLORREF kDark = RGB(0x50, 0x50, 0x50);
constexpr COLORREF kLight = RGB(0xB4, 0xB4, 0xB4);
constexpr COLORREF kImageGrey = RGB(0x80, 0x80, 0x80);  // what the image writer fills

TEST_F(MainWindowTest, PreviewDrawsTheImageOverACheckerboard) {
  Start();
  const std::u16string wide = dir.file(u"wide.png");
  const std::u16string tall = dir.file(u"tall.bmp");
  testsupport::WriteBytes(wide, testsupport::PngBytes(100, 50));
  testsupport::WriteBytes(tall, testsupport::BmpBytes(100, 200));

  state.previewPath = dir.file(u"missing.bmp");
  {
    const PreviewPaint paint(*main);
    EXPECT_EQ(paint.At(0, 0), kDark);    // the frame
    EXPECT_EQ(paint.At(5, 5), kDark);    // first square of the first row
    EXPECT_EQ(paint.At(14, 5), kLight);  // its neighbours are light
    EXPECT_EQ(paint.At(5, 14), kLight);
    EXPECT_EQ(paint.At(150, 150), kDark);  // cells of 9 from 1: cell 16, 16
    EXPECT_EQ(paint.At(150, 158), kLight);
  }

  // Fitted: enlarged to 308 x 154 and centred vertically.
  state.previewPath = wide;
  main->controls.setChecked(ui::Slot::fitImageCheck, true);
  {
    const PreviewPaint paint(*main);
    // Inside its edges (how the image library treats edge pixels is its own affair).
    EXPECT_EQ(paint.At(3, 80), kImageGrey);
    EXPECT_EQ(paint.At(304, 227), kImageGrey);
    EXPECT_EQ(paint.At(154, 154), kImageGrey);
    EXPECT_NE(paint.At(150, 72), kImageGrey);
    EXPECT_NE(paint.At(150, 235), kImageGrey);
  }
  // In its own size, centred on 156, 156.
  state.previewPath = tall;
  main->controls.setChecked(ui::Slot::fitImageCheck, false);
  {
    const PreviewPaint paint(*main);
    EXPECT_EQ(paint.At(108, 58), kImageGrey);
    EXPECT_EQ(paint.At(203, 253), kImageGrey);
    EXPECT_NE(paint.At(102, 100), kImageGrey);
    EXPECT_NE(paint.At(209, 100), kImageGrey);
    EXPECT_NE(paint.At(150, 52), kImageGrey);
  }
}

TEST_F(MainWindowTest, SizeDragsKeepTheWidthAndTheMinimumHeight) {
  Start();
  SendMessageW(main->window, WM_ENTERSIZEMOVE, 0, 0);
  const RECT start = WindowRect();

  // Dragging the right edge changes nothing.
  RECT proposed = start;
  proposed.right += 80;
  SendMessageW(main->window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.left, start.left);
  EXPECT_EQ(proposed.right, start.right);
  EXPECT_EQ(proposed.bottom, start.bottom);

  // Dragging the bottom edge up stops at the minimum height.
  proposed = start;
  proposed.bottom = start.top + 200;
  SendMessageW(main->window, WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.top, start.top);
  EXPECT_EQ(proposed.bottom, start.top + state.minWindowHeight);
  SendMessageW(main->window, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace
}  // namespace guitest
