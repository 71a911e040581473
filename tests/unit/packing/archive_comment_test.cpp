#include <gtest/gtest.h>

#include "packing/archive_comment.h"
#include "packing_fixture.h"

namespace {

using packingtest::Narrow;
using packingtest::PackingTest;
using ui::Slot;

// The tab icon says whether a comment will be added; the controls follow the two boxes.
TEST_F(PackingTest, CommentControlsAndTabIconFollowAddCommentAndUseThisFile) {
  const std::u16string existing = dir.file(u"comment file.txt");
  fixtures::WriteBytes(existing, std::vector<std::uint8_t>{'x'});
  struct Row {
    bool add, useFile;
    std::u16string file, box;
    bool templateSet;
    int image;
    std::string enabled;  // use file, browse, file box, load template, comment box
  };
  const Row rows[] = {
      {false, false, u"", u"text", true, 15, "00000"},
      {false, true, existing, u"", true, 15, "00000"},
      {true, false, u"", u"text", true, 14, "10011"},
      {true, false, existing, u"", false, 15, "10001"},
      {true, true, existing, u"", true, 14, "11100"},
      {true, true, dir.file(u"gone.txt"), u"text", true, 15, "11100"},
      {true, true, u"", u"text", true, 15, "11100"},
  };
  const Slot slots[] = {Slot::useFileCheck, Slot::browseCommentFileButton, Slot::commentFileEdit,
                        Slot::loadTemplateButton, Slot::commentEdit};
  const auto enabled = [&] {
    std::string flags;
    for (const Slot slot : slots) flags += controls.enabled(slot) ? '1' : '0';
    return flags;
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(&row - rows));
    controls.setChecked(Slot::addCommentCheck, row.add);
    controls.setChecked(Slot::useFileCheck, row.useFile);
    controls.setText(Slot::commentFileEdit, row.file);
    controls.setText(Slot::commentEdit, row.box);
    state.templatePath = row.templateSet ? u"C:\\template.txt" : u"";
    controls.tabs[kCommentTab].image = -1;
    UpdateCommentControls(state);
    EXPECT_EQ(controls.tabImage(kCommentTab), row.image);
    EXPECT_EQ(enabled(), row.enabled);
  }
  // "Use this file:" alone switches between the file and the box, whatever "Add comment" says.
  controls.setChecked(Slot::addCommentCheck, false);
  controls.setText(Slot::commentEdit, u"text");
  for (const bool useFile : {true, false}) {
    controls.setChecked(Slot::useFileCheck, useFile);
    controls.tabs[kCommentTab].image = -1;
    CommentFileChoiceChanged(state);
    EXPECT_EQ(enabled(), useFile ? "11100" : "10011");
    EXPECT_EQ(controls.tabImage(kCommentTab), 15);
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
    EXPECT_EQ(controls.fileDialogs.back().initialFolder,
              current.empty() ? state.programFolder : u"D:\\notes\\");
    EXPECT_EQ(controls.text(Slot::commentFileEdit), u"E:\\chosen.txt");
  }
}

// The date is the file's own, "dd.mm.yyyy  hh:mm"; the rest is exact.
void ExpectOneFileComment(const std::string& comment, const std::string& rest) {
  ASSERT_GT(comment.size(), 23u);
  std::string date = comment.substr(0, 23);
  for (char& c : date) c = c >= '0' && c <= '9' ? '0' : c;
  EXPECT_EQ(date, "Date: 00.00.0000  00:00");
  EXPECT_EQ(comment.substr(23), rest + "--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

// Several files, then one map, one prefab and none, as the content marks leave them.
TEST_F(PackingTest, TheCommentDescribesWhatIsIncluded) {
  PutMap("ctf_Bay.PMS");
  PutMap("ctf_Ash.PMS", kKindMap, "Ash valley");
  PutMap("draft.PMS", kKindUncompiledMap);
  PutPrefab("house.PFB");
  PutPrefab("wall.PFB");
  Build();
  Mark(kKindUncompiledMap, u"draft.PMS");
  controls.setText(Slot::commentEdit,
                   u"Date: %mdate%\r\nAbout: %descr%\r\n%stats%--\r\n%mlist%--\r\n%zeksg%\r\n"
                   u"%stats%%MDATE%");
  const auto comment = [&] { return ComposeArchiveComment(state, {2026, 12, 5, 14, 30, 0}); };
  EXPECT_EQ(comment(),
            u"Date: 05.12.2026\r\nAbout: mappack\r\nMaps - 2\r\nPrefabs - 2\r\n--\r\n"
            u"ctf_Ash.PMS\r\nctf_Bay.PMS\r\nhouse.PFB\r\nwall.PFB\r\n--\r\n"
            u"Packed with ZEK v3.0.7\r\n%stats%%MDATE%");

  Mark(kKindMap, u"ctf_Bay.PMS");
  Mark(kKindPrefab, u"");
  ExpectOneFileComment(Narrow(comment()),
                       "\r\nAbout: Ash valley\r\nPolygons: ---- 10\r\nSceneries: --- 1\r\n"
                       "Spawns: ------ 2\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n"
                       "Nade kits: --- 3\r\nMed kits: ---- 4\r\nJet: --------- 190\r\n"
                       "Weather: ----- None\r\nSteps: ------- Hard\r\n--\r\nctf_Ash.PMS");

  Mark(kKindMap, u"");
  Mark(kKindPrefab, u"house.PFB", kMarkIncluded);
  ExpectOneFileComment(Narrow(comment()),
                       "\r\nAbout: prefab\r\nPolygons: ---- 2\r\nSceneries: --- 0\r\n"
                       "Spawns: ------ 0\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n--\r\n"
                       "house.PFB");

  Mark(kKindPrefab, u"");
  EXPECT_EQ(comment(),
            u"Date: 05.12.2026\r\nAbout: \r\n--\r\n--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

}  // namespace
