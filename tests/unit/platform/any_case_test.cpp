// Files are found in any letter case, as on Windows, whatever the file system beneath.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/existence_cache.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(AnyCase, FilesAreFoundOpenedReplacedListedAndCachedInAnyLetterCase) {
  TempDir dir;
  ASSERT_TRUE(platform::CreateFolder(dir.file(u"Scenery-GFX")));
  fixtures::WriteText(dir.file(u"Scenery-GFX\\Tree.PNG"), "older");
  const std::u16string folder = dir.file(u"scenery-gfx\\");
  EXPECT_TRUE(platform::Exists(folder));
  EXPECT_TRUE(platform::Exists(folder + u"tree.png"));
  EXPECT_FALSE(platform::Exists(folder + u"tree.bmp"));
  EXPECT_FALSE(platform::Exists(dir.file(u"textures\\tree.png")));

  const auto read = [](const std::u16string& path) {
    const auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
  };
  EXPECT_EQ(read(folder + u"TREE.png"), "older");

  // Writing another spelling replaces the file, which keeps its name.
  const std::uint8_t fresh[] = {'n', 'e', 'w'};
  ASSERT_TRUE(platform::WriteNewFile(folder + u"tree.PNG", fresh));
  EXPECT_EQ(platform::ListFiles(folder, u"*"), std::vector<std::u16string>{u"Tree.PNG"});
  EXPECT_EQ(read(folder + u"TREE.PNG"), "new");
  EXPECT_TRUE(platform::DeleteFilePath(folder + u"tree.png"));
  EXPECT_FALSE(platform::Exists(folder + u"Tree.PNG"));

  // Folder listings answer in any letter case too.
  fixtures::WriteText(dir.file(u"Rock.BMP"), "x");
  ASSERT_TRUE(platform::CreateFolder(dir.file(u"Edges")));
  platform::FolderNames names(dir.path());
  EXPECT_TRUE(names.contains(u"rock.bmp"));
  EXPECT_FALSE(names.contains(u"EDGES"));  // a folder is not an image
  EXPECT_FALSE(names.contains(u"rock.png"));
  EXPECT_FALSE(platform::FolderNames(dir.file(u"missing\\")).contains(u"rock.bmp"));

  platform::ExistenceCache cache;
  int works = 0;
  const auto work = [&works] { return static_cast<std::uint8_t>(++works); };
  EXPECT_EQ(cache.remember(3, u"rock.bmp", work), 1);
  EXPECT_EQ(cache.remember(3, u"rock.bmp", work), 1);
  EXPECT_EQ(cache.remember(3, u"Rock.bmp", work), 2);  // another spelling: its own work
  EXPECT_EQ(cache.remember(4, u"rock.bmp", work), 3);  // another folder
  EXPECT_EQ(works, 3);
  // exists() asks once per name in any letter case.
  EXPECT_TRUE(cache.exists(3, u"Tree.bmp", [] { return true; }));
  EXPECT_TRUE(cache.exists(3, u"TREE.BMP", [] { return false; }));
  EXPECT_FALSE(cache.exists(4, u"tree.bmp", [] { return false; }));
  EXPECT_EQ(cache.lookups(), 2);
}

}  // namespace
