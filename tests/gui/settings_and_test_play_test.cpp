// The Settings page, the mapslist buttons, test play and help in the real window: what the
// user sees and what reaches the dialogs, the game and the shell.
#include <string>
#include <tuple>
#include <vector>

#include "fixtures/fixture_files.h"
#include "main_window_fixture.h"

namespace {

using guitest::ChildOf;
using ui::Slot;

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

class SettingsWindow : public guitest::MainWindowTest {
 protected:
  void StartAnsweringDialogs() {
    Start();
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

TEST_F(SettingsWindow, ThePageShowsWhatIsAppliedAndApplyChecksThePathsAgain) {
  WriteSetting(u"SkipDefaultSceneries", u"0");
  StartAnsweringDialogs();
  ClickTab(app::kSettingsPage);
  EXPECT_EQ(Text(Slot::soldatPathEdit), install.soldatExe);
  EXPECT_EQ(Text(Slot::winRarPathEdit), install.winRarExe);
  EXPECT_EQ(Text(Slot::tempFolderEdit), state.tempFolder);
  EXPECT_EQ(Text(Slot::languageCombo), u"default");
  EXPECT_TRUE(Checked(Slot::skipMapsCheck));
  EXPECT_FALSE(Checked(Slot::skipAllCheck));
  EXPECT_FALSE(ApplyEnabled());

  Click(Slot::skipAllCheck);  // each click counts as an edit
  EXPECT_TRUE(Checked(Slot::skipSceneriesCheck) && Checked(Slot::skipTexturesCheck));
  Click(Slot::skipMapsCheck);
  EXPECT_TRUE(ApplyEnabled() && !Checked(Slot::skipAllCheck));

  // Unapplied edits are dropped when the page comes up again.
  ClickTab(app::kMainPage);
  ClickTab(app::kSettingsPage);
  EXPECT_TRUE(Checked(Slot::skipMapsCheck) && !Checked(Slot::skipSceneriesCheck));
  EXPECT_FALSE(ApplyEnabled());

  // A WinRAR that is not there is refused, and the page cannot be left.
  SetWindowTextW(Control(Slot::winRarPathEdit), L"C:\\nowhere\\WinRAR.exe");
  EXPECT_TRUE(ApplyEnabled());
  Click(Slot::applyButton);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(u"WinRAR"), std::u16string::npos);
  EXPECT_EQ(Text(Slot::winRarPathEdit), u"");
  EXPECT_EQ(main->controls.statusText(), u"Soldat path or WinRAR path is invalid");
  EXPECT_FALSE(ApplyEnabled());
  ClickTab(app::kMainPage);
  EXPECT_EQ(CurrentTab(), app::kSettingsPage);

  // Browse finds it again: the dialog starts in the folder of the edit's text.
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
  ClickTab(app::kMainPage);
  EXPECT_EQ(CurrentTab(), app::kMainPage);

  // Help: the caption's "?" opens it instead of the context-help pointer, and so does F1.
  messages.clear();
  std::vector<ui::ShellRequest> opened;
  main->controls.recordShellOpen = [&](const ui::ShellRequest& r) { opened.push_back(r); };
  const std::u16string page = state.programFolder + u"Soldat ZEK Help.htm";

  EXPECT_EQ(SendMessageW(main->window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0), 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], page + u"\r\nCan not locate the help file!");
  EXPECT_TRUE(opened.empty());

  fixtures::WriteText(page, "<html></html>");
  HELPINFO help{sizeof(HELPINFO), HELPINFO_WINDOW, 0, main->window, 0, {0, 0}};
  SendMessageW(main->window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  SendMessageW(main->window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  ASSERT_EQ(opened.size(), 2u);
  for (const ui::ShellRequest& r : opened) {
    EXPECT_EQ(r.verb, u"open");
    EXPECT_EQ(r.file, page);
    EXPECT_EQ(r.folder, state.programFolder);
  }
  EXPECT_EQ(messages.size(), 1u);
}

// Mapslists go through the dialogs from the Soldat folder. Test play has the archiver
// stand-in as the game, which logs the command line it gets.
TEST_F(SettingsWindow, ALoadedMapslistIsSavedAndADoubleClickedMapIsPlayedAlone) {
  options.polyWorks = false;  // without the editor a map opens in the game
  options.mapslist = std::vector<std::string>{"ctf_Run", "dm_Bridge"};
  Install();
  ASSERT_TRUE(CopyFileW(platform::detail::Wide(guitest::StandinPath()).c_str(),
                        platform::detail::Wide(install.soldatExe).c_str(), FALSE));
  const std::u16string log = dir.path() + u"game.log";
  SetEnvironmentVariableW(L"ZEK_STANDIN_LOG", platform::detail::Wide(log).c_str());
  const std::vector<std::uint8_t> rotation = Bytes(install.soldatFolder + u"mapslist.txt");
  const std::u16string list = install.soldatFolder + u"mine.txt";
  fixtures::WriteText(list, "inf_Abel\r\nctf_Ash\r\n");
  StartAnsweringDialogs();
  answers = {list, std::nullopt, install.soldatFolder + u"saved.txt"};
  Click(Slot::loadMapslistButton);
  EXPECT_EQ(guitest::Outline(main->packTree, main->packTree.child(state.packRoot), 0),
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
