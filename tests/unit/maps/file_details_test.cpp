#include "maps/file_details.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ui_text.h"
#include "support/image_writer.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"

namespace {

using testsupport::WriteBytes;
using Lines = std::vector<std::u16string>;

Lines Texts(const StringList& list) {
  Lines out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.textAt(i));
  return out;
}

// A game installation in a temp folder: the six kind folders, all existing.
class FileDetailsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    const char16_t* names[kKindCount] = {u"maps",        u"Uncompiled", u"Prefabs",
                                         u"scenery-gfx", u"textures",   u"textures\\edges"};
    for (int kind = 0; kind < kKindCount; ++kind) state.kindFolders[kind] = dir.folder(names[kind]);
  }

  std::u16string Put(int kind, std::u16string_view name, const std::vector<std::uint8_t>& bytes) {
    const std::u16string path = state.kindFolders[kind] + std::u16string(name);
    WriteBytes(path, bytes);
    return path;
  }

  // Runs FileDetails; the lines are read through the index it must have built.
  Lines Details(std::u16string_view name, int kind, bool expectOpened = true) {
    StringList lines;
    lines.add(u"left over", 1);  // callers may pass a used list
    EXPECT_EQ(FileDetails(state, lines, name, kind), expectOpened);
    lines.forEach([](const StringNode& node) { EXPECT_EQ(node.tag, 0); });
    return Texts(lines);
  }

  testsupport::TempDir dir;
  AppState state;
};

std::u16string SizeLineOf(const std::u16string& path) {
  const auto bytes = std::filesystem::file_size(testsupport::NativePath(path));
  const std::string kb = std::to_string(bytes / 1024);
  return u"Size: " + std::u16string(kb.begin(), kb.end()) + u" kb";
}

// "Modified: " with the local time of the file's last write.
std::u16string ModifiedLineOf(const std::u16string& path) {
  const auto written = std::filesystem::last_write_time(testsupport::NativePath(path));
  const std::time_t t = std::chrono::system_clock::to_time_t(
      std::chrono::file_clock::to_sys(std::chrono::time_point_cast<std::chrono::seconds>(written)));
  const std::tm local = *std::localtime(&t);
  char text[64];
  std::snprintf(text, sizeof text, "Modified: %02d.%02d.%d  %02d:%02d", local.tm_mday,
                local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

void SetLocalWriteTime(const std::u16string& path, int year, int month, int day, int hour,
                       int minute) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
  std::filesystem::last_write_time(testsupport::NativePath(path),
                                   std::chrono::file_clock::from_sys(when));
}

TEST_F(FileDetailsTest, MapsShowTheirDescriptionBeforeDateAndSize) {
  testsupport::PmsSpec spec;
  spec.description = "Desert fight";
  const std::u16string compiled = Put(kKindMap, u"ctf_Desert.pms", testsupport::PmsBytes(spec));
  spec.description = "Work in progress";
  const std::u16string uncompiled =
      Put(kKindUncompiledMap, u"wip.PMS", testsupport::PmsBytes(spec));

  EXPECT_EQ(Details(u"ctf_Desert.pms", kKindMap),
            (Lines{u"ctf_Desert.pms", u"Description: Desert fight", ModifiedLineOf(compiled),
                   SizeLineOf(compiled)}));
  EXPECT_EQ(Details(u"wip.PMS", kKindUncompiledMap),
            (Lines{u"wip.PMS", u"Description: Work in progress", ModifiedLineOf(uncompiled),
                   SizeLineOf(uncompiled)}));
}

TEST_F(FileDetailsTest, DescriptionNeverRunsIntoTheTextureNameBehindItsField) {
  const std::string full38 = "Thirty-eight characters of description";
  ASSERT_EQ(full38.size(), 38u);
  for (const std::uint8_t lengthByte : {38, 39, 50, 200}) {
    testsupport::PmsSpec spec;
    spec.description = full38;
    spec.descriptionLength = lengthByte;
    spec.texture = "rock.bmp";
    Put(kKindMap, u"long.pms", testsupport::PmsBytes(spec));
    EXPECT_EQ(Details(u"long.pms", kKindMap).at(1),
              u"Description: " + std::u16string(full38.begin(), full38.end()))
        << "length byte " << int{lengthByte};
  }
  testsupport::PmsSpec shortSpec;
  shortSpec.description = "abcdef";
  shortSpec.descriptionLength = 3;
  Put(kKindMap, u"short.pms", testsupport::PmsBytes(shortSpec));
  EXPECT_EQ(Details(u"short.pms", kKindMap).at(1), u"Description: abc");
}

TEST_F(FileDetailsTest, ImagesShowPixelSizeAndUndecodableOnesReadAsZero) {
  const std::u16string bmp = Put(kKindScenery, u"tree.bmp", testsupport::BmpBytes(3, 2));
  Put(kKindTexture, u"rock.png", testsupport::PngBytes(5, 7));
  Put(kKindEdge, u"rock.png", testsupport::PngBytes(16, 1));
  Put(kKindTexture, u"broken.bmp", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});

  EXPECT_EQ(Details(u"tree.bmp", kKindScenery),
            (Lines{u"tree.bmp", u"Dimentions: 3x2 px", ModifiedLineOf(bmp), u"Size: 0 kb"}));
  EXPECT_EQ(Details(u"rock.png", kKindTexture).at(1), u"Dimentions: 5x7 px");
  EXPECT_EQ(Details(u"rock.png", kKindEdge).at(1), u"Dimentions: 16x1 px");
  const Lines broken = Details(u"broken.bmp", kKindTexture, true);
  ASSERT_EQ(broken.size(), 4u);
  EXPECT_EQ(broken[1], u"Dimentions: 0x0 px");
}

TEST_F(FileDetailsTest, PrefabsHaveNoSecondLineAndSizeIsInWholeKilobytes) {
  const std::u16string small =
      Put(kKindPrefab, u"small.pfb", std::vector<std::uint8_t>(1023, 0x11));
  Put(kKindPrefab, u"exact.pfb", std::vector<std::uint8_t>(2048, 0x11));
  Put(kKindPrefab, u"over.pfb", std::vector<std::uint8_t>(3071, 0x11));

  EXPECT_EQ(Details(u"small.pfb", kKindPrefab),
            (Lines{u"small.pfb", ModifiedLineOf(small), u"Size: 0 kb"}));
  EXPECT_EQ(Details(u"exact.pfb", kKindPrefab).at(2), u"Size: 2 kb");
  EXPECT_EQ(Details(u"over.pfb", kKindPrefab).at(2), u"Size: 2 kb");
}

TEST_F(FileDetailsTest, ModifiedLineIsLocalTimeWithTwoSpacesBetweenDateAndTime) {
  const std::u16string path = Put(kKindPrefab, u"dated.pfb", {1, 2, 3});
  SetLocalWriteTime(path, 2024, 3, 5, 9, 7);
  EXPECT_EQ(Details(u"dated.pfb", kKindPrefab).at(1), u"Modified: 05.03.2024  09:07");
  SetLocalWriteTime(path, 2023, 12, 31, 23, 59);
  EXPECT_EQ(Details(u"dated.pfb", kKindPrefab).at(1), u"Modified: 31.12.2023  23:59");
}

TEST_F(FileDetailsTest, KindsOutsideTheSixFoldersTakeTheNameAsTheWholePath) {
  const std::u16string path = dir.file(u"elsewhere.txt");
  WriteBytes(path, std::vector<std::uint8_t>(4096, 'x'));
  for (const int kind : {6, 7, -1}) {
    EXPECT_EQ(Details(path, kind), (Lines{path, ModifiedLineOf(path), u"Size: 4 kb"}))
        << "kind " << kind;
  }
  // A bare name is not looked up in any folder.
  Put(kKindMap, u"bare.pms", testsupport::PmsBytes({}));
  EXPECT_EQ(Details(u"bare.pms", 6, false), (Lines{u"bare.pms", u"File not found!"}));
}

TEST_F(FileDetailsTest, MissingOrUnopenableFilesGetOneMessageLine) {
  EXPECT_EQ(Details(u"gone.pms", kKindMap, false), (Lines{u"gone.pms", u"File not found!"}));
  EXPECT_EQ(Details(u"gone.bmp", kKindScenery, false), (Lines{u"gone.bmp", u"File not found!"}));
  // A folder exists but is no file to read.
  dir.folder(u"maps\\folder.pms");
  EXPECT_EQ(Details(u"folder.pms", kKindMap, false),
            (Lines{u"folder.pms", u"Failed to open the file!"}));
  // While a kind's folder is unknown, nothing is looked for in the current folder.
  Put(kKindMap, u"m.pms", testsupport::PmsBytes({}));
  state.kindFolders[kKindMap].clear();
  EXPECT_EQ(Details(u"m.pms", kKindMap, false), (Lines{u"m.pms", u"File not found!"}));
}

// Names reach the details from map files; they must not open files outside their folder.
TEST_F(FileDetailsTest, NamesThatCouldLeaveTheirFolderAreNeverOpened) {
  WriteBytes(dir.file(u"secret.pms"), testsupport::PmsBytes({}));
  WriteBytes(dir.file(u"textures\\secret.bmp"), testsupport::BmpBytes(2, 2));
  Put(kKindMap, u"sub\\inner.pms", testsupport::PmsBytes({}));
  for (const std::u16string name : {u"..\\secret.pms", u"../secret.pms", u"sub\\inner.pms"}) {
    EXPECT_EQ(Details(name, kKindMap, false), (Lines{name, u"File not found!"}));
  }
  EXPECT_EQ(Details(u"..\\secret.bmp", kKindEdge, false),
            (Lines{u"..\\secret.bmp", u"File not found!"}));
  const std::u16string absolute = dir.file(u"secret.pms");
  EXPECT_EQ(Details(absolute, kKindMap, false), (Lines{absolute, u"File not found!"}));
  // "." and ".." name the folders themselves.
  EXPECT_EQ(Details(u".", kKindPrefab, false), (Lines{u".", u"File not found!"}));
  EXPECT_EQ(Details(u"..", kKindPrefab, false), (Lines{u"..", u"File not found!"}));
}

}  // namespace
