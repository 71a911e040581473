#include "maps/file_details.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/text_helpers.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "support/maps_fixture.h"

namespace {

using namespace testsupport;
using namespace fixtures;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::u16string>;

// Files are written at 09:07 on 5 March 2024, local time.
class FileDetailsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetUpMapsState(state, dir)); }

  void Put(const std::u16string& path, const Bytes& bytes) {
    WriteBytes(path, bytes);
    std::tm local{};
    local.tm_year = 124, local.tm_mon = 2, local.tm_mday = 5, local.tm_hour = 9, local.tm_min = 7;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(NativePath(path), std::chrono::file_clock::from_sys(when));
  }

  // FileDetails on a used list, read through the index it must have built.
  Lines Details(std::u16string_view name, int kind, bool expectOpened = true) {
    StringList list;
    list.add(u"left over", 1);
    EXPECT_EQ(FileDetails(state, list, name, kind), expectOpened);
    Lines lines;
    for (int i = 0; i < list.count(); ++i) lines.emplace_back(list.textAt(i));
    return lines;
  }

  TempDir dir;
  AppState state;
};

TEST_F(FileDetailsTest, EachKindShowsItsLineBeforeDateAndWholeKilobytes) {
  // A map with this description text and length byte; one over 38 must not run into the
  // texture name behind the field.
  const auto map = [](std::string text, std::uint8_t length) {
    PmsSpec recipe;
    recipe.polygonCount = 1;
    recipe.description = std::move(text);
    recipe.descriptionLength = length;
    return PmsBytes(recipe);
  };
  const std::string full38 = "Thirty-eight characters of description";
  const std::u16string shown = u"Description: " + std::u16string(full38.begin(), full38.end());
  // Kind, name, bytes and the line between name and date (none for prefabs and other kinds,
  // whose name is the whole path).
  const std::tuple<int, std::u16string, Bytes, std::u16string> rows[] = {
      {kKindUncompiledMap, u"wip.PMS", map(full38, 38), shown},
      {kKindMap, u"39.pms", map(full38, 39), shown},
      {kKindMap, u"3.pms", map("abcdef", 3), u"Description: abc"},
      {kKindMap, u"zero.pms", map(std::string("ab\0cd", 5), 5), u"Description: ab"},
      {kKindScenery, u"tree.bmp", BmpBytes(3, 2), u"Dimentions: 3x2 px"},
      {kKindEdge, u"rock.png", PngBytes(5, 7), u"Dimentions: 5x7 px"},
      {kKindTexture, u"broken.bmp", Bytes(12, 'x'), u"Dimentions: 0x0 px"},
      {kKindPrefab, u"small.pfb", Bytes(1023, 1), u""},
      {kKindPrefab, u"exact.pfb", Bytes(2048, 1), u""},
      {kKindPrefab, u"over.pfb", Bytes(3071, 1), u""},
      {6, dir.file(u"elsewhere.txt"), Bytes(4096, 1), u""},
      {-1, dir.file(u"elsewhere.txt"), Bytes(4096, 1), u""},
  };
  for (const auto& [kind, name, bytes, line] : rows) {
    SCOPED_TRACE(testing::PrintToString(name));
    Put(kind >= 0 && kind < kKindCount ? state.kindFolders[kind] + name : name, bytes);
    Lines expected = {
        name, u"Modified: 05.03.2024  09:07",
        u"Size: " + DecimalText(static_cast<std::int64_t>(bytes.size() / 1024)) + u" kb"};
    if (!line.empty()) expected.insert(expected.begin() + 1, line);
    EXPECT_EQ(Details(name, kind), expected);
  }
}

// Names reach the details from map files; they must not open files outside their folder.
TEST_F(FileDetailsTest, MissingUnopenableOrForeignFilesGetOneMessageLine) {
  WriteBytes(dir.file(u"secret.pms"), PmsBytes({}));
  WriteBytes(state.kindFolders[kKindMap] + u"m.pms", PmsBytes({}));
  dir.folder(u"maps\\folder.pms");
  const std::u16string notFound = u"File not found!";
  const std::tuple<std::u16string, int, std::u16string> rows[] = {
      {u"gone.pms", kKindMap, notFound},
      {u"folder.pms", kKindMap, u"Failed to open the file!"},
      {u"m.pms", 6, notFound},  // a bare name is looked up in no folder
      {u"..\\secret.pms", kKindMap, notFound},
      {u"../secret.pms", kKindMap, notFound},
      {dir.file(u"secret.pms"), kKindMap, notFound},
      {u"..", kKindPrefab, notFound},
  };
  for (const auto& [name, kind, message] : rows) {
    EXPECT_EQ(Details(name, kind, false), (Lines{name, message}));
  }
  // While a kind's folder is unknown, nothing is looked for in the current folder.
  state.kindFolders[kKindMap].clear();
  EXPECT_EQ(Details(u"m.pms", kKindMap, false), (Lines{u"m.pms", notFound}));
}

}  // namespace
