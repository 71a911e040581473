// Packing from the real window with the archiver stand-in as WinRAR.
#include <algorithm>
#include <string>
#include <vector>

#include "content/archive_content.h"
#include "fixtures/fixture_files.h"
#include "main_window_fixture.h"
#include "packing/archive_comment.h"

namespace {

using guitest::ChildOf;
using ui::Slot;

std::string Narrow(std::u16string_view text) {
  return platform::Utf16ToAnsi(text);
}

// The log's lines without the time and exit code the stand-in appends.
std::vector<std::string> LoggedCommandLines(std::u16string_view log) {
  std::vector<std::string> lines;
  const auto bytes = platform::ReadWholeFile(log).value_or(std::vector<std::uint8_t>{});
  const std::string text(bytes.begin(), bytes.end());
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, std::min(text.find('\t', start), end) - start));
  }
  return lines;
}

class PackWindow : public guitest::MainWindowTest {
 protected:
  void SetUp() override {
    options.winRarCopyFrom = guitest::StandinPath();  // the installation is laid out on first use
    log = dir.path() + u"standin.log";
    SetEnvironmentVariableW(L"ZEK_STANDIN_LOG", platform::detail::Wide(log).c_str());
  }
  void TearDown() override {
    for (const wchar_t* name : {L"ZEK_STANDIN_LOG", L"ZEK_STANDIN_FAIL", L"ZEK_STANDIN_DELAY_MS"})
      SetEnvironmentVariableW(name, nullptr);
  }
  void Pack() {
    Click(Slot::packButton);
    Pump();
  }
  std::u16string Archive() const { return state.defaultSaveFolder + Text(Slot::archiveNameEdit); }
  std::u16string Status() const { return main->controls.statusText(); }

  std::u16string log;
  std::vector<std::string> shellOpens;
};

// Start-up loads the template when told and settles the RAR-only options for a ZIP; a failing
// test step, then a missing WinRAR, stop the first packs with a message and no success.
TEST_F(PackWindow, StopsOnFailuresThenPacksAZipWithTheComposedCommentThenARar) {
  Install();
  const std::u16string templateFile = install.programFolder + u"template.txt";
  fixtures::WriteText(templateFile, "Packed on %mdate%\r\n");
  WriteSetting(u"TemplatePath", templateFile);
  WriteSetting(u"AutoloadTemplate", u"1");
  WriteSetting(u"TestArchive", u"1");
  WriteSetting(u"LockArchive", u"1");
  WriteSetting(u"SkipMapslist", u"0");
  ASSERT_TRUE(
      platform::WriteIniString(SettingsFilePath(state), u"Preferences", u"ArchiveType", u"1"));
  Start();
  main->controls.recordShellOpen = [this](const ui::ShellRequest& request) {
    shellOpens.push_back(Narrow(request.verb) + " " + Narrow(request.file));
  };
  EXPECT_EQ(Text(Slot::commentEdit), u"Packed on %mdate%\r\n");
  EXPECT_TRUE(main->controls.checked(Slot::addCommentCheck));
  EXPECT_EQ(main->controls.tabImage(kCommentTab), kCommentTabWillAdd);
  EXPECT_EQ(Status(), u"Comment template loaded successfully");
  for (const Slot slot : {Slot::solidCheck, Slot::recoveryCombo, Slot::recoveryLabel})
    EXPECT_FALSE(IsWindowEnabled(Control(slot)));
  // The custom map and the uncompiled one (Recent), and both prefabs.
  for (const std::u16string_view group : {u"Recent", u"Prefabs"})
    RightClick(main->catalogueTree,
               ChildOf(main->catalogueTree, main->catalogueTree.root(), group));
  Click(Slot::rarRadio);
  EXPECT_TRUE(IsWindowEnabled(Control(Slot::solidCheck)));
  Click(Slot::zipRadio);
  EXPECT_EQ(Text(Slot::archiveNameEdit), u"mappack.zip");
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::solidCheck)));

  // Browsing for a name takes the chosen path as it is; Pack normalizes it again.
  main->controls.answerFileDialog = [](const ui::FileDialogRequest& request) {
    EXPECT_EQ(request.filter.pattern, u"*.zip");
    return std::optional<std::u16string>(u"mappack.zi");
  };
  Click(Slot::browseArchiveButton);
  EXPECT_EQ(Text(Slot::archiveNameEdit), u"mappack.zi");

  // "Use this file:" with a file that is not there: no comment; browsing for one gives it.
  ClickTab(kCommentTab);
  Click(Slot::useFileCheck);
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::commentEdit)));
  EXPECT_EQ(main->controls.tabImage(kCommentTab), kCommentTabNone);
  main->controls.answerFileDialog = [&](const ui::FileDialogRequest&) {
    return std::optional<std::u16string>(templateFile);
  };
  Click(Slot::browseCommentFileButton);  // its EN_CHANGE sets the icon
  EXPECT_EQ(main->controls.tabImage(kCommentTab), kCommentTabWillAdd);
  Click(Slot::useFileCheck);
  // Load template, by hand, after the file has changed.
  fixtures::WriteText(templateFile, "Pack of %mdate%\r\n%stats%%mlist%%zeksg%");
  Click(Slot::loadTemplateButton);
  EXPECT_EQ(Text(Slot::commentEdit), u"Pack of %mdate%\r\n%stats%%mlist%%zeksg%");
  ClickTab(app::kMainPage);

  // A failing test step stops with a message and no success; the half-made archive stays.
  SetEnvironmentVariableW(L"ZEK_STANDIN_FAIL", L"T:3");
  Pack();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(u"Testing archive failed: WinRAR ended with exit code 3."),
            std::u16string::npos)
      << Narrow(messages[0]);
  EXPECT_NE(messages[0].find(Archive()), std::u16string::npos);
  EXPECT_EQ(Status().find(u"created successfully"), std::u16string::npos);
  EXPECT_TRUE(shellOpens.empty());
  EXPECT_TRUE(platform::Exists(Archive()));
  // The overwrite question comes first; then WinRAR is gone.
  AnswerMessages(IDYES);
  const std::u16string winRar = state.winRarPath;
  state.winRarPath = install.base + u"no WinRAR here\\WinRAR.exe";
  Pack();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_NE(messages[2].find(u"Packing maps failed: WinRAR could not be started."),
            std::u16string::npos);
  EXPECT_FALSE(platform::Exists(Archive()));  // deleted on Yes, nothing made since

  state.winRarPath = winRar;
  SetEnvironmentVariableW(L"ZEK_STANDIN_FAIL", nullptr);
  platform::DeleteFilePath(log);
  messages.clear();
  Pack();
  EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? u"" : messages[0]);
  EXPECT_EQ(Status(), u"mappack.zi.zip created successfully");
  EXPECT_EQ(shellOpens, std::vector<std::string>{"Explore " + Narrow(state.defaultSaveFolder)});
  EXPECT_TRUE(platform::Exists(Archive()));
  // Six groups and the mapslist, the comment, the test; no recovery record or lock for ZIP.
  EXPECT_EQ(LoggedCommandLines(log).size(), 9u);
  // tests/e2e/pack_window_test.sh names a folder for the archive, to check it with unzip.
  wchar_t to[1024] = {};
  if (GetEnvironmentVariableW(L"ZEK_PACK_CHECK_DIR", to, 1000) != 0) {
    EXPECT_TRUE(CopyFileW(platform::detail::Wide(Archive()).c_str(),
                          (std::wstring(to) + L"window.zip").c_str(), FALSE));
  }

  // Then a RAR of the same files without the comment: the exact command lines, and the
  // status bar counting dots while a slow test step goes on.
  Click(Slot::rarRadio);
  Click(Slot::addCommentCheck);
  Click(Slot::solidCheck);
  main->controls.setComboSelection(Slot::compressionCombo, 2);
  main->controls.setComboSelection(Slot::recoveryCombo, 3);
  SetEnvironmentVariableW(L"ZEK_STANDIN_DELAY_MS", L"T:2300");
  platform::DeleteFilePath(log);
  std::vector<std::u16string> shown;  // the status bar each time the runner ticks
  state.runProcess = [&](std::u16string_view line, const std::function<void()>& tick) {
    return platform::RunProcess(line, 500, [&] {
      tick();
      shown.push_back(Status());
    });
  };
  Pack();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Status(), u"mappack.zi.rar created successfully");
  const std::u16string t = u"WinRar in progress: Testing archive";
  std::erase_if(shown, [&](const std::u16string& s) { return !s.starts_with(t); });
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(std::vector<std::u16string>(shown.end() - 4, shown.end()),
            (std::vector<std::u16string>{t, t + u".", t + u"..", t + u"..."}));

  const std::string w = "\"" + Narrow(state.winRarPath) + "\"", a = "\"" + Narrow(Archive()) + "\"";
  const auto add = [&](std::string inside) {
    const std::string ap = inside.empty() ? "" : " -ap\"" + inside + "\"";
    return w + " A -y -ibck -ed -ep -m2 -s" + ap + " " + a + " @\"" + Narrow(state.tempFolder) +
           "zek.lst\"";
  };
  EXPECT_EQ(LoggedCommandLines(log),
            (std::vector<std::string>{
                add("maps\\"), add("Soldat PolyWorks\\Maps\\"), add("Soldat PolyWorks\\Prefabs\\"),
                add("scenery-gfx\\"), add("textures\\"), add("textures\\edges\\"), add(""),
                w + " RR3% -ibck -y " + a, w + " T -ibck " + a, w + " K -ibck -y " + a}));
}

}  // namespace
