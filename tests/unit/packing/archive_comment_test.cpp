#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "packing/archive_comment.h"
#include "packing_fixture.h"

namespace {

using packingtest::Narrow;
using packingtest::PackingTest;
using testing::HasSubstr;
using ui::Slot;

constexpr platform::LocalTime kPackDay{2026, 12, 5, 14, 30, 0};
constexpr char16_t kTemplate[] =
    u"Date: %mdate%\r\nAbout: %descr%\r\n%stats%--\r\n%mlist%--\r\n%zeksg%\r\n"
    u"%stats%%MDATE%";

TEST_F(PackingTest, TheCommentTabShowsWhetherACommentWillBeAdded) {
  const std::u16string existing = dir.file(u"comment file.txt");
  fixtures::WriteBytes(existing, std::vector<std::uint8_t>{'x'});
  struct Row {
    bool add;
    bool useFile;
    std::u16string file;
    std::u16string box;
    int image;
  };
  const Row rows[] = {
      {false, false, u"", u"text", 15}, {false, true, existing, u"", 15},
      {true, false, u"", u"text", 14},  {true, false, existing, u"", 15},
      {true, true, existing, u"", 14},  {true, true, dir.file(u"gone.txt"), u"text", 15},
      {true, true, u"", u"text", 15},
  };
  for (const Row& row : rows) {
    controls.setChecked(Slot::addCommentCheck, row.add);
    controls.setChecked(Slot::useFileCheck, row.useFile);
    controls.setText(Slot::commentFileEdit, row.file);
    controls.setText(Slot::commentEdit, row.box);
    UpdateCommentTabIcon(state);
    EXPECT_EQ(controls.tabImage(kCommentTab), row.image)
        << row.add << row.useFile << Narrow(row.file) << Narrow(row.box);
  }
}

TEST_F(PackingTest, CommentControlsFollowAddCommentAndUseThisFile) {
  struct Row {
    bool add;
    bool useFile;
    bool templateSet;
    // useFileCheck, browse, file box, load template, comment box
    std::array<bool, 5> enabled;
  };
  const Row rows[] = {
      {false, false, true, {false, false, false, false, false}},
      {false, true, true, {false, false, false, false, false}},
      {true, false, true, {true, false, false, true, true}},
      {true, false, false, {true, false, false, false, true}},
      {true, true, true, {true, true, true, false, false}},
  };
  const Slot slots[] = {Slot::useFileCheck, Slot::browseCommentFileButton, Slot::commentFileEdit,
                        Slot::loadTemplateButton, Slot::commentEdit};
  for (const Row& row : rows) {
    controls.setChecked(Slot::addCommentCheck, row.add);
    controls.setChecked(Slot::useFileCheck, row.useFile);
    state.templatePath = row.templateSet ? u"C:\\template.txt" : u"";
    controls.setText(Slot::commentEdit, u"text");
    controls.tabs[kCommentTab].image = -1;
    UpdateCommentControls(state);
    for (std::size_t i = 0; i < 5; ++i)
      EXPECT_EQ(controls.enabled(slots[i]), row.enabled[i]) << row.add << row.useFile << i;
    EXPECT_EQ(controls.tabImage(kCommentTab), row.add && !row.useFile ? 14 : 15);
  }
  // "Use this file:" alone switches between the file and the box, whatever "Add comment" says.
  controls.setChecked(Slot::addCommentCheck, false);
  for (const bool useFile : {true, false}) {
    controls.setChecked(Slot::useFileCheck, useFile);
    state.templatePath = u"C:\\template.txt";
    CommentFileChoiceChanged(state);
    EXPECT_EQ(controls.enabled(Slot::commentFileEdit), useFile);
    EXPECT_EQ(controls.enabled(Slot::browseCommentFileButton), useFile);
    EXPECT_EQ(controls.enabled(Slot::commentEdit), !useFile);
    EXPECT_EQ(controls.enabled(Slot::loadTemplateButton), !useFile);
  }
}

TEST_F(PackingTest, TheTemplateIsReadAsAnsiTextOrTheFailureNamesTheFile) {
  state.templatePath = dir.file(u"template.txt");
  controls.setText(Slot::commentEdit, u"before");
  EXPECT_FALSE(LoadCommentTemplate(state));
  ASSERT_EQ(controls.messages.size(), 1u);
  EXPECT_EQ(controls.messages[0].kind, ui::MessageKind::kWarning);
  EXPECT_EQ(controls.messages[0].text,
            state.templatePath + u"\r\nFailed to load comment template!");
  EXPECT_EQ(controls.text(Slot::commentEdit), u"before");

  // A byte-order mark is not recognized, and a zero byte ends the text.
  fixtures::WriteBytes(
      state.templatePath,
      std::vector<std::uint8_t>{0xFF, 0xFE, 'C', 'a', 'f', 0xE9, '\r', '\n', 'x', 0, 'y'});
  EXPECT_TRUE(LoadCommentTemplate(state));
  EXPECT_EQ(controls.text(Slot::commentEdit), u"\u00FF\u00FECaf\u00E9\r\nx");
  EXPECT_EQ(controls.statusTexts.back(), u"Comment template loaded successfully");
}

TEST_F(PackingTest, BrowsingForTheCommentFileStartsInItsFolderOrTheProgramFolder) {
  for (const std::u16string& current : {std::u16string(u"D:\\notes\\c.txt"), std::u16string()}) {
    controls.setText(Slot::commentFileEdit, current);
    controls.chosenFiles = {u"E:\\chosen.txt"};
    BrowseCommentFile(state);
    const ui::FileDialogRequest& asked = controls.fileDialogs.back();
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.title, u"Specify file to use as archive comment");
    EXPECT_EQ(asked.filter.pattern, u"*.txt");
    EXPECT_EQ(asked.initialFolder, current.empty() ? state.programFolder : u"D:\\notes\\");
    EXPECT_EQ(controls.text(Slot::commentFileEdit), u"E:\\chosen.txt");
  }
}

TEST_F(PackingTest, TheCommentOfNoMapsHasOnlyTheDateAndTheSignature) {
  PutImage(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS");
  Build();
  content.setOverlay(Item(kKindMap, u"ctf_Ash.PMS"), kMarkExcluded);
  controls.setText(Slot::commentEdit, kTemplate);
  EXPECT_EQ(ComposeArchiveComment(state, kPackDay),
            u"Date: 05.12.2026\r\nAbout: \r\n--\r\n--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

// "Date: <the file's date and time>", its description, its statistics (the first line as
// given, then as many lines as it has), and its name; then the rest of the template.
void ExpectOneFileComment(const std::string& comment, const std::string& about,
                          const std::string& firstStatistic, int statisticLines,
                          const std::string& name) {
  SCOPED_TRACE(comment);
  const std::string form = "00.00.0000  00:00";  // 0 for a digit
  ASSERT_GT(comment.size(), 6 + form.size());
  EXPECT_EQ(comment.substr(0, 6), "Date: ");
  for (std::size_t i = 0; i < form.size(); ++i) {
    const char c = comment[6 + i];
    EXPECT_TRUE(form[i] == '0' ? c >= '0' && c <= '9' : c == form[i]) << i;
  }
  const std::string rest = comment.substr(6 + form.size());
  const std::string head = "\r\nAbout: " + about + "\r\n" + firstStatistic;
  const std::string tail = "--\r\n" + name + "--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%";
  ASSERT_GT(rest.size(), head.size() + tail.size());
  EXPECT_EQ(rest.substr(0, head.size()), head);
  EXPECT_EQ(rest.substr(rest.size() - tail.size()), tail);
  const std::string statistics = rest.substr(head.size(), rest.size() - head.size() - tail.size());
  std::size_t lines = 0;
  for (std::size_t at = statistics.find("\r\n"); at != std::string::npos;
       at = statistics.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, static_cast<std::size_t>(statisticLines));
}

TEST_F(PackingTest, TheCommentOfOneFileTakesItsOwnDateDescriptionAndStatistics) {
  PutMap("ctf_Ash.PMS", kKindMap, "Ash valley");
  Build();
  controls.setText(Slot::commentEdit, kTemplate);
  ExpectOneFileComment(Narrow(ComposeArchiveComment(state, kPackDay)), "Ash valley",
                       "Polygons: ---- 10", 10, "ctf_Ash.PMS");

  pack.deleteAll();
  state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
  state.packCount = 0;
  PutPrefab("house.PFB");
  Build();
  ExpectOneFileComment(Narrow(ComposeArchiveComment(state, kPackDay)), "prefab", "Polygons: ---- 2",
                       5, "house.PFB");
}

TEST_F(PackingTest, TheCommentOfSeveralFilesCountsThemPerGroupAndListsThem) {
  PutMap("ctf_Bay.PMS");
  PutMap("ctf_Ash.PMS");
  PutMap("draft.PMS", kKindUncompiledMap);
  PutPrefab("house.PFB");
  PutPrefab("wall.PFB");
  Build();
  content.setOverlay(Item(kKindUncompiledMap, u"draft.PMS"), kMarkExcluded);
  controls.setText(Slot::commentEdit, kTemplate);
  EXPECT_EQ(ComposeArchiveComment(state, kPackDay),
            u"Date: 05.12.2026\r\nAbout: mappack\r\nMaps - 2\r\nPrefabs - 2\r\n--\r\n"
            u"ctf_Ash.PMS\r\nctf_Bay.PMS\r\nhouse.PFB\r\nwall.PFB\r\n--\r\n"
            u"Packed with ZEK v3.0.7\r\n%stats%%MDATE%");
}

TEST_F(PackingTest, TheCommentFileHoldsOneAnsiByteACharacter) {
  const std::u16string path = Temp(u"comment.txt");
  ASSERT_TRUE(WriteCommentFile(path, u"Caf\u00E9 \u4E2D\r\n"));
  EXPECT_EQ(platform::ReadWholeFile(path),
            (std::vector<std::uint8_t>{'C', 'a', 'f', 0xE9, ' ', '?', '\r', '\n'}));
  EXPECT_FALSE(WriteCommentFile(dir.folder(u"a folder"), u"x"));
}

}  // namespace
