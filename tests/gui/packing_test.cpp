// Packing from the real window with the archiver stand-in as WinRAR: a click on Pack makes a
// real ZIP, the RAR command lines reach the stand-in as built, the status bar counts dots
// while a slow run goes on, and a failing step stops with a message.
//
// With ZEK_PACK_CHECK_DIR set (a Windows path), the ZIP test leaves its archive there as
// window.zip with the entries and the comment it expects, for unzip to check from Linux
// (tests/e2e/pack_window_test.sh).
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "content/archive_content.h"
#include "main_window_fixture.h"
#include "packing/archive_comment.h"

namespace {

using guitest::ChildOf;
using guitest::WindowText;
using ui::Slot;

// The build gives the stand-in's Linux path; Wine's drive Z: is the Unix root.
std::u16string StandinPath() {
  std::u16string path = u"Z:";
  for (const char c : std::string_view(ZEK_STANDIN_EXE)) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

std::u16string Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? platform::detail::FromWide(value, n) : std::u16string();
}

std::string Narrow(std::u16string_view text) {
  return platform::Utf16ToAnsi(text);
}

// The log's lines without the time and exit code the stand-in appends.
std::vector<std::string> LoggedCommandLines(std::u16string_view log) {
  std::vector<std::string> lines;
  const auto bytes = platform::ReadWholeFile(log);
  if (!bytes) return lines;
  std::string text(bytes->begin(), bytes->end());
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    lines.push_back(line.substr(0, line.find('\t')));
    start = end + 1;
  }
  return lines;
}

class PackWindow : public guitest::MainWindowTest {
 protected:
  void SetUp() override {
    options.winRarCopyFrom = StandinPath();
    WriteSetting(u"SkipMapslist", u"0");
    log = dir.path() + u"standin.log";
    SetEnvironmentVariableW(L"ZEK_STANDIN_LOG", platform::detail::Wide(log).c_str());
    SetEnvironmentVariableW(L"ZEK_STANDIN_FAIL", nullptr);
    SetEnvironmentVariableW(L"ZEK_STANDIN_DELAY_MS", nullptr);
  }
  void TearDown() override {
    for (const wchar_t* name : {L"ZEK_STANDIN_LOG", L"ZEK_STANDIN_FAIL", L"ZEK_STANDIN_DELAY_MS"})
      SetEnvironmentVariableW(name, nullptr);
  }
  void StartRecordingShell() {
    Start();
    main->controls.recordShellOpen = [this](std::u16string_view verb, std::u16string_view target) {
      shellOpens.push_back(Narrow(verb) + " " + Narrow(target));
    };
  }
  // The custom map and the uncompiled one (Recent), and both prefabs.
  void ChooseRecentAndPrefabs() {
    app::Win32Tree& catalogue = main->catalogueTree;
    RightClick(catalogue, ChildOf(catalogue, catalogue.root(), u"Recent"));
    RightClick(catalogue, ChildOf(catalogue, catalogue.root(), u"Prefabs"));
  }
  std::u16string Archive() const {
    return state.defaultSaveFolder + WindowText(Control(Slot::archiveNameEdit));
  }
  std::u16string Status() const { return main->controls.statusText(); }

  std::u16string log;
  std::vector<std::string> shellOpens;
};

TEST_F(PackWindow, PacksAZipWithTheChosenFilesAndTheComposedComment) {
  StartRecordingShell();
  ChooseRecentAndPrefabs();
  Click(Slot::zipRadio);
  EXPECT_EQ(WindowText(Control(Slot::archiveNameEdit)), u"mappack.zip");
  EXPECT_FALSE(IsWindowEnabled(Control(Slot::solidCheck)));

  // Browsing for a name takes the chosen path as it is; Pack normalizes it again.
  main->controls.answerFileDialog = [](const ui::FileDialogRequest& request) {
    EXPECT_EQ(request.filter.pattern, u"*.zip");
    return std::optional<std::u16string>(u"mappack.zi");
  };
  Click(Slot::browseArchiveButton);
  EXPECT_EQ(WindowText(Control(Slot::archiveNameEdit)), u"mappack.zi");

  ClickTab(kCommentTab);
  EXPECT_EQ(main->controls.tabImage(kCommentTab), kCommentTabNone);
  Click(Slot::addCommentCheck);
  EXPECT_TRUE(IsWindowEnabled(Control(Slot::commentEdit)));
  const std::u16string templateText = u"Pack of %mdate%\r\n%stats%%mlist%%zeksg%";
  // Typed, as a user would: a multi-line box tells no change for WM_SETTEXT.
  SendMessageW(Control(Slot::commentEdit), EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(platform::detail::Wide(templateText).c_str()));
  EXPECT_EQ(main->controls.tabImage(kCommentTab), kCommentTabWillAdd);
  ClickTab(app::kMainPage);

  Click(Slot::packButton);
  Pump();
  EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? u"" : messages[0]);
  EXPECT_EQ(WindowText(Control(Slot::archiveNameEdit)), u"mappack.zi.zip");
  EXPECT_EQ(Status(), u"mappack.zi.zip created successfully");
  EXPECT_EQ(shellOpens, std::vector<std::string>{"Explore " + Narrow(state.defaultSaveFolder)});
  EXPECT_TRUE(platform::Exists(Archive()));
  for (const char* temp : {"zek.lst", "mapslist.txt", "comment.txt"})
    EXPECT_FALSE(platform::Exists(state.tempFolder + platform::AnsiToUtf16(temp))) << temp;
  // Six groups and the mapslist, then the comment; no recovery record and no lock for ZIP.
  const std::vector<std::string> runs = LoggedCommandLines(log);
  ASSERT_EQ(runs.size(), 8u);
  EXPECT_NE(runs[6].find(" -ap\"\" "), std::string::npos);
  EXPECT_NE(runs[7].find(" C -ibck -y -z"), std::string::npos);

  const std::u16string checkDir = Environment(L"ZEK_PACK_CHECK_DIR");
  if (checkDir.empty()) return;
  const platform::LocalTime today = platform::CurrentLocalTime();
  char date[16];
  std::snprintf(date, sizeof(date), "%02d.%02d.%d", today.day, today.month, today.year);
  const std::string comment =
      std::string("Pack of ") + date +
      "\r\nMaps - 1\r\nUncompiled maps - 1\r\nPrefabs - 2\r\n"
      "htf_Custom.PMS\r\nctf_Draft.PMS\r\nbridge_piece.PFB\r\nbunker.PFB\r\n"
      "Packed with ZEK v3.0.7";
  const std::vector<std::string> entries = {
      "maps/htf_Custom.PMS",
      "Soldat PolyWorks/Maps/ctf_Draft.PMS",
      "Soldat PolyWorks/Prefabs/bridge_piece.PFB",
      "Soldat PolyWorks/Prefabs/bunker.PFB",
      "scenery-gfx/custom_tree.png",
      "textures/custom.bmp",
      "textures/edges/custom.bmp",
      "mapslist.txt",
  };
  std::string listed;
  for (const std::string& entry : entries) listed += entry + "\n";
  fixtures::WriteBytes(checkDir + u"expected-entries.txt",
                       std::vector<std::uint8_t>(listed.begin(), listed.end()));
  fixtures::WriteBytes(checkDir + u"expected-comment.txt",
                       std::vector<std::uint8_t>(comment.begin(), comment.end()));
  const auto archive = platform::ReadWholeFile(Archive());
  ASSERT_TRUE(archive);
  fixtures::WriteBytes(checkDir + u"window.zip", *archive);
}

TEST_F(PackWindow, GivesTheStandInExactlyTheRarCommandLines) {
  WriteSetting(u"TestArchive", u"1");
  WriteSetting(u"LockArchive", u"1");
  StartRecordingShell();
  ChooseRecentAndPrefabs();
  Click(Slot::rarRadio);
  Click(Slot::solidCheck);
  main->controls.setComboSelection(Slot::compressionCombo, 2);
  main->controls.setComboSelection(Slot::recoveryCombo, 3);
  Click(Slot::packButton);
  Pump();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Status(), u"mappack.rar created successfully");

  const std::string w = "\"" + Narrow(state.winRarPath) + "\"";
  const std::string a = "\"" + Narrow(Archive()) + "\"";
  const std::string list = "@\"" + Narrow(state.tempFolder) + "zek.lst\"";
  const auto add = [&](std::string inside) {
    return w + " A -y -ibck -ed -ep -m2 -s -ap\"" + inside + "\" " + a + " " + list;
  };
  EXPECT_EQ(LoggedCommandLines(log),
            (std::vector<std::string>{
                add("maps\\"), add("Soldat PolyWorks\\Maps\\"), add("Soldat PolyWorks\\Prefabs\\"),
                add("scenery-gfx\\"), add("textures\\"), add("textures\\edges\\"), add(""),
                w + " RR3% -ibck -y " + a, w + " T -ibck " + a, w + " K -ibck -y " + a}));
}

TEST_F(PackWindow, CountsDotsInTheStatusBarWhileASlowRunGoesOn) {
  WriteSetting(u"TestArchive", u"1");
  SetEnvironmentVariableW(L"ZEK_STANDIN_DELAY_MS", L"T:2300");
  StartRecordingShell();
  RightClick(main->catalogueTree,
             ChildOf(main->catalogueTree, main->catalogueTree.root(), u"Prefabs"));
  // What the status bar shows each time the runner changes it.
  std::vector<std::u16string> shown;
  state.runProcess = [&](std::u16string_view line, const std::function<void()>& tick) {
    return platform::RunProcess(line, 500, [&] {
      tick();
      shown.push_back(Status());
    });
  };
  Click(Slot::packButton);
  Pump();
  const std::u16string t = u"WinRar in progress: Testing archive";
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(std::vector<std::u16string>(shown.end() - 4, shown.end()),
            (std::vector<std::u16string>{t, t + u".", t + u"..", t + u"..."}));
  EXPECT_EQ(Status(), u"mappack.rar created successfully");
}

TEST_F(PackWindow, AFailedTestOrAMissingWinRarStopsWithAMessageAndNoSuccess) {
  WriteSetting(u"TestArchive", u"1");
  SetEnvironmentVariableW(L"ZEK_STANDIN_FAIL", L"T:3");
  StartRecordingShell();
  ChooseRecentAndPrefabs();
  Click(Slot::zipRadio);
  Click(Slot::packButton);
  Pump();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(u"Testing archive failed: WinRAR ended with exit code 3."),
            std::u16string::npos)
      << Narrow(messages[0]);
  EXPECT_NE(messages[0].find(Archive()), std::u16string::npos);
  EXPECT_EQ(Status().find(u"created successfully"), std::u16string::npos);
  EXPECT_TRUE(shellOpens.empty());
  EXPECT_TRUE(platform::Exists(Archive()));  // the half-made archive stays

  // The overwrite question comes first; then WinRAR is gone.
  messages.clear();
  main->controls.answerMessageBox = [this](UINT, std::u16string_view text) {
    messages.emplace_back(text);
    return IDYES;
  };
  state.winRarPath = install.base + u"no WinRAR here\\WinRAR.exe";
  Click(Slot::packButton);
  Pump();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find(u"Packing maps failed: WinRAR could not be started."),
            std::u16string::npos);
  EXPECT_FALSE(platform::Exists(Archive()));  // deleted on Yes, nothing made since
}

}  // namespace
