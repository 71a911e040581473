#include "platform/scoped_file.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/temp_dir.h"

namespace {

TEST(ScopedFile, RemovesItsFileOnEveryWayOutUnlessMovedOnOrReleased) {
  testsupport::TempDir dir;
  const std::u16string thrown = dir.file(u"comment.txt"), moved = dir.file(u"list.lst"),
                       kept = dir.file(u"kept.txt");
  for (const auto& path : {thrown, moved, kept}) fixtures::WriteBytes(path, {});
  try {
    const platform::ScopedFile file(thrown);
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(platform::Exists(thrown));

  platform::ScopedFile outer;
  {
    platform::ScopedFile inner(moved);
    outer = std::move(inner);
    platform::ScopedFile released(kept);
    EXPECT_EQ(released.release(), kept);
  }
  EXPECT_TRUE(platform::Exists(moved));
  EXPECT_TRUE(platform::Exists(kept));
  outer.reset();
  EXPECT_FALSE(platform::Exists(moved));
}

}  // namespace
