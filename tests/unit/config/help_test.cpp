#include "config/help.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/ui_text.h"
#include "fixtures/fixture_files.h"
#include "support/fake_controls.h"
#include "support/temp_dir.h"

namespace {

TEST(Help, OpensThePageBesideTheProgramOrSaysWhereItWasLookedFor) {
  testsupport::TempDir dir;
  AppState state;
  state.programFolder = dir.path();
  ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
  testsupport::FakeControls controls;
  const std::vector<ui::ShellRequest>& opened = controls.shellOpens;
  const std::u16string page = dir.file(u"Soldat ZEK Help.htm");

  EXPECT_FALSE(ShowHelp(state, controls));
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].text, page + u"\r\nCan not locate the help file!");

  fixtures::WriteText(page, "<html></html>");
  EXPECT_TRUE(ShowHelp(state, controls));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].verb + u" " + opened[0].file, u"open " + page);
  EXPECT_EQ(opened[0].folder, dir.path());
}

}  // namespace
