// The real main window: its size, where its controls sit and how they follow the height,
// its captions, its pages and what it keeps between runs; the Settings page, the mapslist
// buttons, test play and help: what the user sees and what reaches the dialogs, the game and
// the shell.
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "config/ui_text.h"
#include "core/text_helpers.h"
#include "fixtures/fixture_files.h"
#include "main_window_fixture.h"

namespace guitest {
namespace {

using ui::Box;
using ui::Placement;
using ui::Slot;

std::vector<int> Range(ui::SlotRange range) {
  std::vector<int> slots;
  for (int i = range.first; i <= range.last; ++i) slots.push_back(i);
  return slots;
}

// Where the layout puts `target`, which sat at `b` at the minimum height.
Box Placed(Box b, int target, int dy) {
  for (const Placement& p : ui::LayoutPlacements(dy, false)) {
    if (p.target != target) continue;
    (p.move ? b.x : b.width) = p.a;
    (p.move ? b.y : b.height) = p.b;
  }
  return b;
}

// Class, the style bits that make each control what it is and the id that its commands
// arrive with, slot by slot; edit boxes and tree views have a client edge.
TEST_F(MainWindowTest, OpensWithEveryControlMadePlacedAndLabelledAndComesBackWhereItWas) {
  enum Class { Ed, Bu, Tr, St, Co };
  const wchar_t* const names[] = {L"Edit", L"Button", L"SysTreeView32", L"Static", L"ComboBox"};
  const DWORD masks[] = {ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY | WS_VSCROLL,
                         BS_TYPEMASK,
                         TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                             TVS_TRACKSELECT | TVS_INFOTIP,
                         SS_TYPEMASK, CBS_DROPDOWNLIST | CBS_AUTOHSCROLL};
  constexpr DWORD kLine = ES_AUTOHSCROLL, kPush = BS_PUSHBUTTON, kCheck = BS_AUTOCHECKBOX,
                  kRadio = BS_AUTORADIOBUTTON, kLabel = SS_LEFT,
                  kList = CBS_DROPDOWNLIST | CBS_AUTOHSCROLL,
                  kTree = TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_INFOTIP,
                  kText = WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;
  // clang-format off
  const struct { Class type; DWORD style; int id; } controls[ui::kSlotCount] = {
      // Main page
      {Ed, kLine, 0}, {Bu, BS_DEFPUSHBUTTON, 1}, {Tr, kTree, 2}, {Bu, kPush, 3}, {Bu, kPush, 4},
      {Bu, kPush, 5}, {Tr, kTree, 6}, {Bu, kPush, 7}, {Bu, kPush, 8}, {Bu, kPush, 9},
      {Ed, kLine, 10}, {Bu, kPush, 11}, {Bu, kRadio, 12}, {Bu, kRadio, 12}, {St, kLabel, 0},
      {Co, kList, 15}, {St, kLabel, 0}, {Co, kList, 17}, {Bu, kCheck, 18}, {Bu, kPush, 19},
      // Content page
      {Ed, kLine, 20}, {Bu, kPush, 21}, {Tr, kTree, 22}, {Bu, kPush, 23},
      {Ed, kText | ES_AUTOHSCROLL | ES_READONLY, 24}, {Bu, kCheck, 25}, {St, SS_OWNERDRAW, 26},
      {Bu, kPush, 27},
      // Comment page
      {Bu, kCheck, 28}, {Bu, kPush, 29}, {Bu, kCheck, 30}, {Bu, kPush, 31}, {Ed, kLine, 32},
      {Ed, kText, 32},
      // Settings page
      {St, kLabel, 0}, {Ed, kLine, 35}, {Bu, kPush, 36}, {St, kLabel, 0}, {Ed, kLine, 35},
      {Bu, kPush, 39}, {St, kLabel, 0}, {Ed, kLine, 35}, {Bu, kPush, 42}, {St, kLabel, 0},
      {Ed, kLine, 0}, {St, kLabel, 0}, {Ed, kLine, 35}, {Bu, kPush, 47}, {St, kLabel, 0},
      {Ed, kLine, 35}, {Bu, kPush, 50}, {Bu, kCheck, 51}, {Bu, BS_GROUPBOX, 0}, {Bu, kCheck, 53},
      {Bu, kCheck, 54}, {Bu, kCheck, 54}, {Bu, kCheck, 54}, {Bu, kCheck, 51}, {Bu, BS_GROUPBOX, 0},
      {Bu, kCheck, 51}, {Bu, kCheck, 51}, {Bu, kCheck, 51}, {St, kLabel, 0}, {Co, kList, 63},
      {Bu, kPush, 64}};
  // clang-format on
  // In characters; the other edit boxes take what the system allows.
  const std::pair<Slot, int> limits[] = {
      {Slot::mainSearchEdit, 50},   {Slot::archiveNameEdit, 260},   {Slot::contentSearchEdit, 50},
      {Slot::commentFileEdit, 260}, {Slot::soldatPathEdit, 195},    {Slot::polyWorksPathEdit, 195},
      {Slot::winRarPathEdit, 260},  {Slot::defaultFolderEdit, 210}, {Slot::templatePathEdit, 260}};

  Start();
  RECT client{};
  GetClientRect(main->window, &client);
  EXPECT_EQ(client.right, 605);
  EXPECT_EQ(BoxOf(main->window), (Box{100, 100, state.fixedWindowWidth, 594}));  // no saved place
  EXPECT_EQ(VisibleSlots(), Range(ui::kMainPageSlots));
  EXPECT_TRUE(messages.empty());

  for (const int dy : {0, 130}) {
    SetWindowPos(main->window, nullptr, 0, 0, state.fixedWindowWidth, state.minWindowHeight + dy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    Pump();
    EXPECT_EQ(BoxOf(main->tabControl), Placed(ui::kTabControlBox, Placement::kTabControl, dy));
    EXPECT_EQ(BoxOf(main->statusBar).y, ui::kMinPageHeight + dy);
    for (int i = 0; i < ui::kSlotCount; ++i) {
      SCOPED_TRACE(testing::Message() << "slot " << i << ", " << dy << " pixels higher");
      const HWND control = main->slots[i];
      const auto& want = controls[i];
      wchar_t name[32] = {};
      GetClassNameW(control, name, 32);
      EXPECT_STREQ(name, names[want.type]);
      EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & masks[want.type], want.style);
      EXPECT_EQ((GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
                want.type == Ed || want.type == Tr);
      EXPECT_EQ(GetDlgCtrlID(control), want.id);
      Box expected = Placed(ui::InitialControlBox(static_cast<Slot>(i)), i, dy);
      Box actual = BoxOf(control);
      // A closed drop-down list is as high as its selection field, whatever its list's room.
      if (want.type == Co) expected.height = actual.height = 0;
      EXPECT_EQ(actual, expected);
    }
  }
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::tempFolderEdit)));  // shown, never edited
  for (const auto& [slot, characters] : limits)
    EXPECT_EQ(SendMessageW(Control(slot), EM_GETLIMITTEXT, 0, 0), characters) << int(slot);

  // The tabs, the captions and the option lists say what the table's entries say: the
  // built-in one, then a localization.
  const auto expectLabelledBy = [&](const StringList& lines) {
    wchar_t text[128] = {};
    const auto read = [&] { return platform::detail::FromWide(text, wcslen(text)); };
    for (int tab = 0; tab < kUiTabCount; ++tab) {
      TCITEMW item{TCIF_TEXT, 0, 0, text, 128, 0, 0};
      SendMessageW(main->tabControl, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(read(), lines.textAt(tab));
    }
    for (const UiCaption& c : kUiCaptions)
      EXPECT_EQ(Text(c.slot), lines.textAt(c.entry)) << int(c.slot);
    const std::tuple<Slot, int, int> lists[] = {
        {Slot::compressionCombo, kUiFirstCompressionEntry, kUiCompressionEntries},
        {Slot::recoveryCombo, kUiFirstRecoveryEntry, kUiRecoveryEntries}};
    for (const auto& [slot, first, count] : lists) {
      ASSERT_EQ(SendMessageW(Control(slot), CB_GETCOUNT, 0, 0), count);
      for (int i = 0; i < count; ++i) {
        SendMessageW(Control(slot), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(read(), lines.textAt(first + i));
      }
    }
  };
  StringList builtin;
  ASSERT_TRUE(ReadUiTextTable(platform::BuiltinResource(kUiTextResourceId), builtin));
  expectLabelledBy(builtin);
  const std::u16string file = install.programFolder + u"Localization\\Test.lng";
  StringList table;
  for (int i = 0; i < uitext::kEntryCount; ++i) table.add(u"L" + DecimalText(i), 0);
  platform::CreateFolder(install.programFolder + u"Localization");
  ASSERT_TRUE(table.saveToFile(file));
  ASSERT_TRUE(table.loadFromFile(file, kUiTextMaxLine));
  main->controls.setComboSelection(Slot::compressionCombo, 2);
  state.languageName = u"Test.lng";
  ASSERT_EQ(LoadUiText(state, main->controls), UiTextResult::kLoaded);
  EXPECT_TRUE(messages.empty());
  expectLabelledBy(table);
  EXPECT_EQ(Text(Slot::compressionCombo), table.textAt(kUiFirstCompressionEntry + 2));

  // A maximized window closed comes back where it was restored (the settings file's unit
  // test covers a task bar, which Wine does not model); the second start has a command
  // line, whose options hold for this run over the saved ones.
  SetWindowPos(main->window, nullptr, 150, 120, state.fixedWindowWidth, 700,
               SWP_NOZORDER | SWP_NOACTIVATE);
  main->controls.setChecked(Slot::rarRadio, false);
  main->controls.setChecked(Slot::zipRadio, true);
  ShowWindow(main->window, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(main->window));  // closed at once: under Xvfb queued messages restore it
  SendMessageW(main->window, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(quitRequested);
  main.reset();

  EXPECT_EQ(Launch({u"ctf_x.pms", u"-m3", u"Shared", u"Other"}), std::nullopt);
  EXPECT_FALSE(IsZoomed(main->window));
  EXPECT_EQ(BoxOf(main->window), (Box{150, 120, state.fixedWindowWidth, 700}));
  EXPECT_TRUE(main->controls.checked(Slot::zipRadio));
  EXPECT_EQ(Outline(main->packTree, main->packTree.child(state.packRoot), 0), "ctf_x.pms 11\n");
  EXPECT_EQ(SendMessageW(Control(Slot::compressionCombo), CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(Text(Slot::archiveNameEdit), u"Shared");
  EXPECT_TRUE(state.commandLineMode && IsWindowVisible(main->window));
  EXPECT_TRUE(messages.empty());
}

std::vector<std::uint8_t> Bytes(std::u16string_view path) {
  return platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

std::vector<std::uint8_t> Utf16Lines(std::initializer_list<std::u16string_view> lines) {
  std::vector<std::uint8_t> bytes{0xFF, 0xFE};
  for (const std::u16string_view line : lines)
    for (const char16_t c : std::u16string(line) + u"\r\n")
      bytes.insert(bytes.end(), {std::uint8_t(c), std::uint8_t(c >> 8)});
  return bytes;
}

class SettingsWindow : public MainWindowTest {
 protected:
  void StartAnsweringDialogs(std::vector<std::u16string> arguments = {}) {
    ASSERT_EQ(Launch(std::move(arguments)), std::nullopt);
    main->controls.answerFileDialog = [this](const ui::FileDialogRequest& request) {
      dialogs.push_back(request);
      std::optional<std::u16string> answer = answers.empty() ? std::nullopt : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return answer;
    };
  }
  bool ApplyEnabled() const { return IsWindowEnabled(Control(Slot::applyButton)) != FALSE; }
  bool Checked(Slot slot) const { return main->controls.checked(slot); }

  std::vector<ui::FileDialogRequest> dialogs;
  std::vector<std::optional<std::u16string>> answers;  // in order; cancelled when none left
};

// Without WinRAR the page holds the user, and the command line is ignored; each tab then
// shows its own page. Test play has the archiver stand-in as the game, which logs the command
// line it gets.
TEST_F(SettingsWindow, ThePageHoldsTheUserUntilThePathsAreRightThenMapslistsHelpAndTestPlay) {
  options.winRar = false;
  options.polyWorks = false;  // without the editor a map opens in the game
  options.mapslist = std::vector<std::string>{"ctf_Run", "dm_Bridge"};
  Install();
  ASSERT_TRUE(CopyFileW(platform::detail::Wide(StandinPath()).c_str(),
                        platform::detail::Wide(install.soldatExe).c_str(), FALSE));
  const std::u16string log = dir.path() + u"game.log";
  SetEnvironmentVariableW(L"ZEK_STANDIN_LOG", platform::detail::Wide(log).c_str());
  const std::vector<std::uint8_t> rotation = Bytes(install.soldatFolder + u"mapslist.txt");
  const std::u16string list = install.soldatFolder + u"mine.txt";
  fixtures::WriteText(list, "inf_Abel\r\nctf_Ash\r\n");
  WriteSetting(u"SkipDefaultSceneries", u"0");
  StartAnsweringDialogs({u"notes.doc", u"-i"});
  EXPECT_FALSE(state.commandLineMode);
  EXPECT_EQ(main->controls.statusText(), u"Soldat path or WinRAR path is invalid");
  ClickTab(app::kMainPage);
  EXPECT_EQ(CurrentTab(), app::kSettingsPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kSettingsPageSlots));
  EXPECT_EQ(Text(Slot::soldatPathEdit), install.soldatExe);
  EXPECT_EQ(Text(Slot::winRarPathEdit), u"");
  EXPECT_EQ(Text(Slot::tempFolderEdit), state.tempFolder);
  EXPECT_EQ(Text(Slot::languageCombo), u"default");
  EXPECT_TRUE(Checked(Slot::skipMapsCheck));
  EXPECT_FALSE(Checked(Slot::skipAllCheck));
  EXPECT_FALSE(ApplyEnabled());

  // A WinRAR that is not there is refused.
  messages.clear();
  SetWindowTextW(Control(Slot::winRarPathEdit), L"C:\\nowhere\\WinRAR.exe");
  EXPECT_TRUE(ApplyEnabled());
  Click(Slot::applyButton);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(u"WinRAR"), std::u16string::npos);
  EXPECT_EQ(Text(Slot::winRarPathEdit), u"");
  EXPECT_FALSE(ApplyEnabled());

  // Browse finds one: the dialog starts in the folder of the edit's text.
  platform::CreateFolder(install.base + u"WinRAR");
  fixtures::WriteText(install.winRarExe, "");
  SetWindowTextW(Control(Slot::winRarPathEdit), L"C:\\nowhere\\WinRAR.exe");
  answers = {install.winRarExe};
  Click(Slot::browseWinRarButton);
  ASSERT_EQ(dialogs.size(), 1u);
  const ui::FileDialogRequest& d = dialogs[0];
  EXPECT_EQ(std::tie(d.save, d.initialFolder, d.filter.pattern, d.title),
            std::tuple(false, u"C:\\nowhere\\", u"WinRAR.exe", u"Specify WinRAR location"));
  EXPECT_EQ(Text(Slot::winRarPathEdit), install.winRarExe);
  Click(Slot::applyButton);
  EXPECT_EQ(state.winRarPath, install.winRarExe);
  EXPECT_EQ(main->controls.statusText(), u"Ready");

  Click(Slot::skipAllCheck);  // each click counts as an edit
  EXPECT_TRUE(Checked(Slot::skipSceneriesCheck) && Checked(Slot::skipTexturesCheck));
  Click(Slot::skipMapsCheck);
  EXPECT_TRUE(ApplyEnabled() && !Checked(Slot::skipAllCheck));

  // Unapplied edits are dropped when the page comes up again.
  ClickTab(app::kMainPage);
  ClickTab(app::kSettingsPage);
  EXPECT_TRUE(Checked(Slot::skipMapsCheck) && !Checked(Slot::skipSceneriesCheck));
  EXPECT_FALSE(ApplyEnabled());

  std::vector<int> content = Range(ui::kContentPageSlots);
  std::erase(content, static_cast<int>(Slot::previewBox));  // nothing to preview yet
  const std::pair<int, std::vector<int>> pages[] = {
      {app::kMainPage, Range(ui::kMainPageSlots)},
      {app::kContentPage, content},
      {app::kCommentPage, Range(ui::kCommentPageSlots)},
      {app::kSettingsPage, Range(ui::kSettingsPageSlots)}};
  for (const auto& [page, slots] : pages) {
    ClickTab(page);
    EXPECT_EQ(CurrentTab(), page);
    EXPECT_EQ(VisibleSlots(), slots) << "page " << page;
  }
  state.previewPath = install.sceneryFolder + u"tree.bmp";  // shown with its page only
  ClickTab(app::kContentPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kContentPageSlots));
  ClickTab(app::kMainPage);
  EXPECT_EQ(VisibleSlots(), Range(ui::kMainPageSlots));

  // Help: the caption's "?" opens it instead of the context-help pointer, and so does F1.
  messages.clear();
  std::vector<std::u16string> opened;  // verb, file and working folder of each
  main->controls.recordShellOpen = [&](const ui::ShellRequest& r) {
    opened.push_back(r.verb + u" " + r.file + u" " + r.folder);
  };
  const std::u16string page = state.programFolder + u"Soldat ZEK Help.htm";
  EXPECT_EQ(SendMessageW(main->window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0), 1);
  EXPECT_EQ(messages, std::vector<std::u16string>{page + u"\r\nCan not locate the help file!"});
  EXPECT_TRUE(opened.empty());

  fixtures::WriteText(page, "<html></html>");
  HELPINFO help{sizeof(HELPINFO), HELPINFO_WINDOW, 0, main->window, 0, {0, 0}};
  SendMessageW(main->window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  SendMessageW(main->window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  EXPECT_EQ(opened, std::vector<std::u16string>(2, u"open " + page + u" " + state.programFolder));
  EXPECT_EQ(messages.size(), 1u);

  // Mapslists go through the dialogs from the Soldat folder; the game starts for real.
  main->controls.recordShellOpen = nullptr;
  messages.clear();
  dialogs.clear();
  answers = {list, std::nullopt, install.soldatFolder + u"saved.txt"};
  Click(Slot::loadMapslistButton);
  EXPECT_EQ(Outline(main->packTree, main->packTree.child(state.packRoot), 0),
            "ctf_Ash.PMS 11\ninf_Abel.PMS 11\n");
  Click(Slot::saveMapslistButton);  // cancelled: nothing written
  EXPECT_FALSE(platform::Exists(install.soldatFolder + u"saved.txt"));
  Click(Slot::saveMapslistButton);
  EXPECT_EQ(Bytes(install.soldatFolder + u"saved.txt"), Utf16Lines({u"ctf_Ash", u"inf_Abel"}));
  ASSERT_EQ(dialogs.size(), 3u);
  for (const ui::FileDialogRequest& d : dialogs)
    EXPECT_TRUE(d.initialFolder == install.soldatFolder && d.filter.pattern == u"*.txt");
  EXPECT_TRUE(!dialogs[0].save && dialogs[2].save);

  DoubleClick(main->packTree, ChildOf(main->packTree, state.packRoot, u"ctf_Ash"));
  // The game runs on its own; wait for its line (a stuck start fails at the end).
  for (int i = 0; i < 300 && !platform::Exists(log); ++i) {
    Pump();
    Sleep(100);
  }
  SetEnvironmentVariableW(L"ZEK_STANDIN_LOG", nullptr);
  const std::vector<std::uint8_t> logged = Bytes(log);
  const std::string line(logged.begin(), logged.end());
  EXPECT_NE(line.find("Soldat.exe"), std::string::npos) << line;
  EXPECT_NE(line.find(" -start\t"), std::string::npos) << line;

  EXPECT_EQ(Bytes(install.soldatFolder + u"mapslist.txt.bak"), rotation);
  EXPECT_EQ(Bytes(install.soldatFolder + u"mapslist.txt"), Utf16Lines({u"ctf_Ash"}));
  // A new soldat.ini is plain text, which the game reads.
  const std::vector<std::uint8_t> ini = Bytes(install.soldatFolder + u"soldat.ini");
  EXPECT_EQ(std::string(ini.begin(), ini.end()), "[GAME]\r\nGameStyle=3\r\n");
  EXPECT_TRUE(IsIconic(main->window));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace guitest
