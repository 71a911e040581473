#include "platform/scoped_file.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

std::u16string MakeFile(const TempDir& dir, std::u16string_view name) {
  const std::u16string path = dir.file(name);
  fixtures::WriteBytes(path, {});
  return path;
}

TEST(ScopedFile, RemovesItsFileOnceOnEveryWayOut) {
  TempDir dir;
  const std::u16string path = MakeFile(dir, u"list.lst");
  {
    const platform::ScopedFile file(path);
    EXPECT_TRUE(platform::Exists(path));
  }
  EXPECT_FALSE(platform::Exists(path));

  // Leaving by an exception removes it as well.
  const std::u16string thrown = MakeFile(dir, u"comment.txt");
  try {
    const platform::ScopedFile file(thrown);
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(platform::Exists(thrown));
}

TEST(ScopedFile, AMovedOwnerKeepsTheFileUntilTheNewOwnerEnds) {
  TempDir dir;
  const std::u16string path = MakeFile(dir, u"list.lst");
  platform::ScopedFile outer;
  {
    platform::ScopedFile inner(path);
    outer = std::move(inner);
  }
  EXPECT_TRUE(platform::Exists(path));
  outer.reset();
  EXPECT_FALSE(platform::Exists(path));
}

TEST(ScopedFile, AReleasedFileStays) {
  TempDir dir;
  const std::u16string path = MakeFile(dir, u"kept.txt");
  {
    platform::ScopedFile file(path);
    EXPECT_EQ(file.release(), path);
  }
  EXPECT_TRUE(platform::Exists(path));
}

}  // namespace
