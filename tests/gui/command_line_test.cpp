#include <optional>

#include "main_window_fixture.h"

namespace guitest {
namespace {

using ui::Slot;

// The real window started as the program starts, with a command line of its own.
class CommandLineStart : public MainWindowTest {
 protected:
  std::optional<int> StartWith(std::vector<std::u16string> arguments) {
    Install();
    if (options.soldatExe) WriteSetting(u"SoldatPath", install.soldatExe);
    if (options.winRar) WriteSetting(u"WinRARPath", install.winRarExe);
    main = std::make_unique<app::MainWindow>(state);
    EXPECT_TRUE(app::CreateMainWindow(*main, GetModuleHandleW(nullptr)));
    main->controls.answerMessageBox = [this](UINT, std::u16string_view text) {
      messages.emplace_back(text);
      return IDOK;
    };
    arguments.insert(arguments.begin(), u"Soldat ZEK.exe");
    main->arguments = std::move(arguments);
    const std::optional<int> exitCode = app::RunStartup(*main);
    Pump();
    return exitCode;
  }
};

TEST_F(CommandLineStart, AMapWithOptionsIsChosenAndTheOptionsHoldForThisRun) {
  EXPECT_EQ(StartWith({u"ctf_x.pms", u"-m3", u"-a1", u"Shared", u"Other"}), std::nullopt);

  EXPECT_TRUE(messages.empty());
  const ui::TreeItem entry = main->packTree.child(state.packRoot);
  ASSERT_NE(entry, ui::kNoItem);
  EXPECT_EQ(main->packTree.text(entry), u"ctf_x.pms");
  EXPECT_EQ(main->packTree.image(entry), 11);
  EXPECT_EQ(SendMessageW(Control(Slot::compressionCombo), CB_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(main->controls.checked(Slot::zipRadio));
  EXPECT_EQ(WindowText(Control(Slot::archiveNameEdit)), u"Shared");
  EXPECT_TRUE(state.commandLineMode);
  EXPECT_TRUE(IsWindowVisible(main->window));
}

TEST_F(CommandLineStart, AnUnusableFileEndsStartUpBeforeTheWindowShows) {
  EXPECT_EQ(StartWith({u"notes.doc", u"-i"}), 11);
  EXPECT_EQ(messages, std::vector<std::u16string>{u"There is no valid files to pack!"});
  EXPECT_FALSE(IsWindowVisible(main->window));
}

TEST_F(CommandLineStart, WithoutWinRarTheSettingsPageOpensAndTheCommandLineIsIgnored) {
  options.winRar = false;
  EXPECT_EQ(StartWith({u"notes.doc", u"-i"}), std::nullopt);
  EXPECT_EQ(CurrentTab(), 3);
  EXPECT_FALSE(state.commandLineMode);
  EXPECT_TRUE(IsWindowVisible(main->window));
}

}  // namespace
}  // namespace guitest
