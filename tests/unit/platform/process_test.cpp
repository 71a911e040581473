#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

#ifdef _WIN32
const std::u16string kShell = u"\"C:\\windows\\system32\\cmd.exe\" /c ";
const std::u16string kSlowExit3 = kShell + u"\"ping -n 2 127.0.0.1 >nul & exit 3\"";
#else
const std::u16string kShell = u"\"/bin/sh\" -c ";
const std::u16string kSlowExit3 = kShell + u"\"sleep 0.3; exit 3\"";
#endif

TEST(RunProcess, WaitsForTheEndTicksMeanwhileAndGivesTheExitCode) {
  int ticks = 0;
  EXPECT_EQ(platform::RunProcess(kShell + u"\"exit 0\"", 500, [&] { ++ticks; }), 0u);
  EXPECT_EQ(platform::RunProcess(kSlowExit3, 20, [&] { ++ticks; }), 3u);
  EXPECT_GT(ticks, 0);
  // A program that is not there: nothing, at once.
  EXPECT_EQ(platform::RunProcess(u"\"Z:\\no such folder\\WinRAR.exe\" T", 500, [&] { ++ticks; }),
            std::nullopt);
}

}  // namespace
