#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "packing/archive_comment.h"
#include "packing_fixture.h"

namespace {

using packingtest::Narrow;
using packingtest::PackingTest;
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
    bool add, useFile, templateSet;
    const char* enabled;  // use file, browse, file box, load template, comment box
  };
  const Row rows[] = {{false, false, true, "00000"},
                      {false, true, true, "00000"},
                      {true, false, true, "10011"},
                      {true, false, false, "10001"},
                      {true, true, true, "11100"}};
  const Slot slots[] = {Slot::useFileCheck, Slot::browseCommentFileButton, Slot::commentFileEdit,
                        Slot::loadTemplateButton, Slot::commentEdit};
  for (const Row& row : rows) {
    controls.setChecked(Slot::addCommentCheck, row.add);
    controls.setChecked(Slot::useFileCheck, row.useFile);
    state.templatePath = row.templateSet ? u"C:\\template.txt" : u"";
    controls.setText(Slot::commentEdit, u"text");
    controls.tabs[kCommentTab].image = -1;
    UpdateCommentControls(state);
    EXPECT_EQ(controls.tabImage(kCommentTab), row.add && !row.useFile ? 14 : 15);
    std::string enabled;
    for (const Slot slot : slots) enabled += controls.enabled(slot) ? '1' : '0';
    EXPECT_EQ(enabled, row.enabled) << row.add << row.useFile << row.templateSet;
  }
  // "Use this file:" alone switches between the file and the box, whatever "Add comment" says.
  controls.setChecked(Slot::addCommentCheck, false);
  for (const bool useFile : {true, false}) {
    controls.setChecked(Slot::useFileCheck, useFile);
    CommentFileChoiceChanged(state);
    std::string enabled;
    for (const Slot slot : slots) enabled += controls.enabled(slot) ? '1' : '0';
    EXPECT_EQ(enabled, useFile ? "11100" : "10011");
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

TEST_F(PackingTest, TheCommentOfNoMapsHasOnlyTheDateAndTheSignature) {
  PutImage(kKindScenery, "tree.bmp");
  PutMap("ctf_Ash.PMS");
  Build();
  content.setOverlay(Item(kKindMap, u"ctf_Ash.PMS"), kMarkExcluded);
  controls.setText(Slot::commentEdit, kTemplate);
  EXPECT_EQ(ComposeArchiveComment(state, kPackDay),
            u"Date: 05.12.2026\r\nAbout: \r\n--\r\n--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

// The date is the file's own, "dd.mm.yyyy  hh:mm"; the rest is exact.
void ExpectOneFileComment(const std::string& comment, const std::string& rest) {
  ASSERT_GT(comment.size(), 23u);
  std::string date = comment.substr(0, 23);
  for (char& c : date) c = c >= '0' && c <= '9' ? '0' : c;
  EXPECT_EQ(date, "Date: 00.00.0000  00:00");
  EXPECT_EQ(comment.substr(23), rest + "--\r\nPacked with ZEK v3.0.7\r\n%stats%%MDATE%");
}

TEST_F(PackingTest, TheCommentOfOneFileTakesItsOwnDateDescriptionAndStatistics) {
  PutMap("ctf_Ash.PMS", kKindMap, "Ash valley");
  Build();
  controls.setText(Slot::commentEdit, kTemplate);
  ExpectOneFileComment(Narrow(ComposeArchiveComment(state, kPackDay)),
                       "\r\nAbout: Ash valley\r\nPolygons: ---- 10\r\nSceneries: --- 1\r\n"
                       "Spawns: ------ 2\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n"
                       "Nade kits: --- 3\r\nMed kits: ---- 4\r\nJet: --------- 190\r\n"
                       "Weather: ----- None\r\nSteps: ------- Hard\r\n--\r\nctf_Ash.PMS");

  pack.deleteAll();
  state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
  state.packCount = 0;
  PutPrefab("house.PFB");
  Build();
  ExpectOneFileComment(Narrow(ComposeArchiveComment(state, kPackDay)),
                       "\r\nAbout: prefab\r\nPolygons: ---- 2\r\nSceneries: --- 0\r\n"
                       "Spawns: ------ 0\r\nColliders: --- 0\r\nWaypoints: --- 0\r\n--\r\n"
                       "house.PFB");
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
