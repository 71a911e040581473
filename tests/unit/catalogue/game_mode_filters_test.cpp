#include "catalogue/game_mode_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;
using testsupport::Utf16File;
using Texts = std::vector<std::u16string>;

std::u16string Number(std::size_t n) {
  const std::string s = std::to_string(n);
  return {s.begin(), s.end()};
}

// A program folder holding the given filters.txt bytes (or none), with the table loaded.
class Filters : public ::testing::Test {
 protected:
  void SetUp() override { state.programFolder = dir.path(); }

  void Load(const std::vector<std::uint8_t>& fileBytes) {
    testsupport::WriteBytes(dir.file(u"filters.txt"), fileBytes);
    ASSERT_TRUE(LoadGameModeFilters(state));
  }
  std::uint32_t Find(std::u16string_view name) const { return FindGameModeFilter(state, name); }

  TempDir dir;
  AppState state;
};

TEST_F(Filters, BuiltInTableWithoutUserFile) {
  ASSERT_TRUE(LoadGameModeFilters(state));
  ASSERT_EQ(state.filters.size(), 5u);
  const Texts labels = {u"DeathMatch ( ", u"Capture The Flag ( ", u"Team DeathMatch ( ",
                        u"Infiltration ( ", u"Hold The Flag ( "};
  const Texts styles = {u"0", u"3", u"4", u"5", u"6"};
  const Texts prefixes = {u"dm_", u"ctf_", u"tdm_", u"inf_", u"htf_"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(state.filters[i].label, labels[i]);
    EXPECT_EQ(state.filters[i].gameStyle, styles[i]);
    EXPECT_EQ(state.filters[i].prefixes, Texts{prefixes[i]});
  }

  EXPECT_EQ(Find(u"ctf_Ash.PMS"), 1u);
  EXPECT_EQ(state.filters[Find(u"ctf_Ash.PMS")].gameStyle, u"3");
  EXPECT_EQ(Find(u"CTF_Ash.PMS"), 1u);  // the name is lower-cased first
  EXPECT_EQ(Find(u"Ash.PMS"), 0u);
  EXPECT_EQ(Find(u"tdm_Ash.PMS"), 2u);  // "dm_" must start the name, not just occur in it
  EXPECT_EQ(Find(u"INF_Moon"), 3u);
  EXPECT_EQ(Find(u"htf_Void.PMS"), 4u);
  EXPECT_EQ(Find(u""), 0u);
  EXPECT_EQ(Find(u"ctf"), 0u);
}

TEST_F(Filters, ParsesLabelStyleAndPrefixes) {
  auto climb = ParseFilterLine(u"Climb ( %1%kz_%climb_");
  ASSERT_TRUE(climb);
  EXPECT_EQ(climb->label, u"Climb ( ");
  EXPECT_EQ(climb->gameStyle, u"1");
  EXPECT_EQ(climb->prefixes, (Texts{u"kz_", u"climb_"}));

  // Only the first character of the digit field counts; outside 0..6 it means 0.
  EXPECT_EQ(ParseFilterLine(u"Climb ( %9%kz_")->gameStyle, u"0");
  EXPECT_EQ(ParseFilterLine(u"Climb ( %12%kz_")->gameStyle, u"1");
  EXPECT_EQ(ParseFilterLine(u"Climb ( %x%kz_")->gameStyle, u"0");
  EXPECT_EQ(ParseFilterLine(u"Climb ( %6%kz_")->gameStyle, u"6");
  EXPECT_EQ(ParseFilterLine(u"Climb ( %7%kz_")->gameStyle, u"0");
}

TEST_F(Filters, RejectsEmptyFields) {
  for (const std::u16string_view line :
       {u"Climb ( %1%", u"%1%kz_", u"Climb ( %%kz_", u"Climb ( %1%kz_%", u"Climb ( kz_",
        u"Climb ( %1%kz_%%x", u"", u"%", u"a%1", u"a%1%%"}) {
    EXPECT_FALSE(ParseFilterLine(line)) << std::string(line.begin(), line.end());
  }
}

TEST_F(Filters, ControlCharactersEndTheLine) {
  auto tab = ParseFilterLine(u"Climb ( %1%kz_\tmore%climb_");
  ASSERT_TRUE(tab);
  EXPECT_EQ(tab->prefixes, Texts{u"kz_"});

  // Ending right after a '%' makes the last prefix empty.
  EXPECT_FALSE(
      ParseFilterLine(u"Climb ( %1%kz_%\x1f"
                      u"climb_"));
  EXPECT_FALSE(ParseFilterLine(std::u16string(u"Climb ( %1%\0kz_", 15)));
  // A space is text, not an end.
  EXPECT_EQ(ParseFilterLine(u"Climb ( %1%kz %x")->prefixes, (Texts{u"kz ", u"x"}));
}

TEST_F(Filters, OnlyTheFirst261CharactersAreExamined) {
  const std::u16string head = u"Climb ( %1%";  // 11 characters
  // 260 characters: the end is the 261st and still seen.
  auto fits = ParseFilterLine(head + std::u16string(249, u'k'));
  ASSERT_TRUE(fits);
  EXPECT_EQ(fits->prefixes, Texts{std::u16string(249, u'k')});

  // 261 characters: no end is seen, so with only two '%' there is no prefix at all.
  EXPECT_FALSE(ParseFilterLine(head + std::u16string(250, u'k')));
  // With a third '%' the text behind it is dropped.
  const std::u16string cut = head + u"kz_%" + std::u16string(246, u'k');
  ASSERT_EQ(cut.size(), 261u);
  auto parsed = ParseFilterLine(cut);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->prefixes, Texts{u"kz_"});
  // A '%' as the 262nd character is never seen either.
  auto longer = ParseFilterLine(cut + u"%x");
  ASSERT_TRUE(longer);
  EXPECT_EQ(longer->prefixes, Texts{u"kz_"});
}

TEST_F(Filters, The261CharacterLineThroughTheFile) {
  const std::u16string head = u"Climb ( %1%";
  const std::u16string twoMarks = head + std::u16string(250, u'k');
  const std::u16string threeMarks = head + u"kz_%" + std::u16string(246, u'k');
  Load(Utf16File({twoMarks, threeMarks}));
  ASSERT_EQ(state.filters.size(), 6u);
  EXPECT_EQ(state.filters[5].prefixes, Texts{u"kz_"});
  EXPECT_EQ(Find(u"kkkk.pms"), 0u);
}

TEST_F(Filters, UserLinesComeAfterBuiltInsLastLineFirst) {
  Load(Utf16File({u"A ( %1%kz_", u"B ( %2%kz_%climb_"}));
  ASSERT_EQ(state.filters.size(), 7u);
  EXPECT_EQ(state.filters[5].label, u"B ( ");
  EXPECT_EQ(state.filters[6].label, u"A ( ");
  EXPECT_EQ(Find(u"kz_Tower.PMS"), 6u);  // both match: the earlier line of the file wins
  EXPECT_EQ(Find(u"climb_Tower.PMS"), 5u);
  EXPECT_EQ(state.filters[Find(u"climb_Tower")].gameStyle, u"2");
}

TEST_F(Filters, UserFilterTakesMapsFromBuiltIn) {
  Load(Utf16File({u"My flags ( %3%ctf_"}));
  EXPECT_EQ(Find(u"ctf_Ash.PMS"), 5u);
  EXPECT_EQ(Find(u"inf_Moon.PMS"), 3u);
}

TEST_F(Filters, CapitalPrefixNeverMatches) {
  Load(Utf16File({u"Climb ( %1%KZ_"}));
  ASSERT_EQ(state.filters.size(), 6u);
  EXPECT_EQ(Find(u"KZ_Tower.PMS"), 0u);
  EXPECT_EQ(Find(u"kz_Tower.PMS"), 0u);
}

TEST_F(Filters, InvalidUserLinesAreSkippedAndAnsiFilesRead) {
  testsupport::WriteText(dir.file(u"filters.txt"),
                         "Climb ( %1%\r\nbroken\r\n\r\nClimb ( %1%kz_\r\n%1%x_\r\nRun ( %2%run_");
  ASSERT_TRUE(LoadGameModeFilters(state));
  ASSERT_EQ(state.filters.size(), 7u);
  EXPECT_EQ(state.filters[5].label, u"Run ( ");
  EXPECT_EQ(state.filters[6].prefixes, Texts{u"kz_"});
}

TEST_F(Filters, TooLongUserLineEndsTheFile) {
  Load(Utf16File({u"A ( %1%a_", u"B ( %2%b_" + std::u16string(253, u'b'), u"C ( %3%c_"}));
  ASSERT_EQ(state.filters.size(), 6u);
  EXPECT_EQ(state.filters[5].label, u"A ( ");
  EXPECT_EQ(Find(u"c_map"), 0u);
}

TEST_F(Filters, TableStopsAt255KeepingTheEarliestUserLines) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (std::size_t i = 0; i < 300; ++i) {
    const std::u16string line = u"U" + Number(i) + u" ( %1%u" + Number(i) + u"_\r\n";
    for (const char16_t c : line) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  Load(bytes);
  ASSERT_EQ(state.filters.size(), kMaxGameModeFilters);
  EXPECT_EQ(state.filters[5].label, u"U249 ( ");
  EXPECT_EQ(state.filters.back().label, u"U0 ( ");
  EXPECT_EQ(Find(u"u0_map"), 254u);
  EXPECT_EQ(Find(u"u249_map"), 5u);
  EXPECT_EQ(Find(u"u250_map"), 0u);
  EXPECT_EQ(Find(u"ctf_map"), 1u);
}

TEST_F(Filters, BuiltInTextMustHoldFiveValidLines) {
  state.filters.push_back({u"stale", u"0", {u"x"}});
  EXPECT_FALSE(LoadGameModeFilters(
      state, Utf16File({u"A ( %0%a_", u"B ( %1%b_", u"C ( %2%c_", u"D ( %3%d_"})));
  EXPECT_TRUE(state.filters.empty());

  EXPECT_FALSE(LoadGameModeFilters(
      state, Utf16File({u"A ( %0%a_", u"B ( %1%b_", u"C ( %2%c_", u"D ( %3%d_", u"E ( %4%"})));
  EXPECT_TRUE(state.filters.empty());
  EXPECT_FALSE(LoadGameModeFilters(state, {}));

  // A sixth built-in line is fine; the user's file still follows.
  testsupport::WriteBytes(dir.file(u"filters.txt"), Utf16File({u"U ( %1%a_"}));
  ASSERT_TRUE(LoadGameModeFilters(state, Utf16File({u"A ( %0%a_", u"B ( %1%b_", u"C ( %2%c_",
                                                    u"D ( %3%d_", u"E ( %4%e_", u"F ( %5%f_"})));
  ASSERT_EQ(state.filters.size(), 7u);
  EXPECT_EQ(Find(u"a_map"), 6u);
}

TEST_F(Filters, LongNamesAreLookedUpByTheirStart) {
  ASSERT_TRUE(LoadGameModeFilters(state));
  EXPECT_EQ(Find(u"CTF_" + std::u16string(1000, u'X')), 1u);
  AppState empty;
  EXPECT_EQ(FindGameModeFilter(empty, u"ctf_Ash.PMS"), 0u);
}

}  // namespace
