// The real window started with a command line of its own, and the exit codes start-up gives.
#include "main_window_fixture.h"

namespace guitest {
namespace {

using ui::Slot;

TEST_F(MainWindowTest, ACommandLineMapWithOptionsIsChosenAndTheOptionsHoldForThisRun) {
  EXPECT_EQ(Launch({u"ctf_x.pms", u"-m3", u"-a1", u"Shared", u"Other"}), std::nullopt);
  EXPECT_TRUE(messages.empty());
  const ui::TreeItem entry = main->packTree.child(state.packRoot);
  ASSERT_NE(entry, ui::kNoItem);
  EXPECT_EQ(main->packTree.text(entry), u"ctf_x.pms");
  EXPECT_EQ(main->packTree.image(entry), 11);
  EXPECT_EQ(SendMessageW(Control(Slot::compressionCombo), CB_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(main->controls.checked(Slot::zipRadio));
  EXPECT_EQ(Text(Slot::archiveNameEdit), u"Shared");
  EXPECT_TRUE(state.commandLineMode && IsWindowVisible(main->window));
}

TEST_F(MainWindowTest, ACommandLineWithoutUsableFilesEndsStartUpBeforeTheWindowShows) {
  EXPECT_EQ(Launch({u"notes.doc", u"-i"}), 11);
  EXPECT_EQ(messages, std::vector<std::u16string>{u"There is no valid files to pack!"});
  EXPECT_FALSE(IsWindowVisible(main->window));
}

TEST_F(MainWindowTest, WithoutWinRarTheSettingsPageOpensAndTheCommandLineIsIgnored) {
  options.winRar = false;
  EXPECT_EQ(Launch({u"notes.doc", u"-i"}), std::nullopt);
  EXPECT_EQ(CurrentTab(), app::kSettingsPage);
  EXPECT_FALSE(state.commandLineMode);
  EXPECT_TRUE(IsWindowVisible(main->window));
}

}  // namespace
}  // namespace guitest
