#include "catalogue/game_mode_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using fixtures::Utf16File;
using Texts = std::vector<std::u16string>;

// "label|style|prefix,prefix"; empty for no filter.
std::u16string Describe(const std::optional<GameModeFilter>& filter) {
  if (!filter) return u"";
  std::u16string text = filter->label + u"|" + filter->gameStyle + u"|";
  for (const auto& prefix : filter->prefixes) text += prefix + u",";
  text.pop_back();
  return text;
}

// A program folder, and the table as loaded from it.
class Filters : public ::testing::Test {
 protected:
  Filters() { state.programFolder = dir.path(); }
  // The user's filters, as they follow the built-in five.
  Texts Load() {
    EXPECT_TRUE(LoadGameModeFilters(state));
    Texts out;
    for (std::size_t f = 5; f < state.filters.size(); ++f)
      out.push_back(Describe(state.filters[f]));
    return out;
  }
  std::uint32_t Find(std::u16string_view name) const { return FindGameModeFilter(state, name); }

  testsupport::TempDir dir;
  AppState state;
};

TEST(FilterLine, ParsesLabelStyleAndPrefixesAndRejectsEmptyFields) {
  const std::u16string head = u"Climb ( %1%";  // 11 characters
  const std::u16string k249(249, u'k'), cut = head + u"kz_%" + std::u16string(246, u'k');
  // Only the first character of the digit field counts; outside 0..6 it means 0. A character
  // below a space ends the line; a space is text. 261 characters are looked at: a line of 260
  // ends within them; in a longer one text behind the last '%' seen is dropped, and a '%'
  // past them is never seen.
  const std::pair<std::u16string, std::u16string> rows[] = {
      {u"Climb ( %1%kz_%climb_", u"Climb ( |1|kz_,climb_"},
      {u"C%9%kz_", u"C|0|kz_"},
      {u"C%12%kz_", u"C|1|kz_"},
      {u"C%x%kz_", u"C|0|kz_"},
      {u"C%6%kz_", u"C|6|kz_"},
      {u"C%7%kz_", u"C|0|kz_"},
      {u"C%1%kz_\tmore%climb_", u"C|1|kz_"},
      {u"C%1%kz_%\u001fc_", u""},
      {std::u16string(u"C%1%\0kz_", 8), u""},
      {u"C%1%kz %x", u"C|1|kz ,x"},
      {head + k249, u"Climb ( |1|" + k249},
      {head + k249 + u"k", u""},
      {cut, u"Climb ( |1|kz_"},
      {cut + u"%x", u"Climb ( |1|kz_"}};
  for (const auto& [line, expected] : rows)
    EXPECT_EQ(Describe(ParseFilterLine(line)), expected) << testing::PrintToString(line);
  for (const std::u16string_view line : {u"C%1%", u"%1%kz_", u"C%%kz_", u"C%1%kz_%", u"C kz_",
                                         u"C%1%kz_%%x", u"", u"%", u"a%1", u"a%1%%"})
    EXPECT_FALSE(ParseFilterLine(line)) << testing::PrintToString(line);
}

TEST_F(Filters, BuiltInTableFindsTheLastFilterWhosePrefixStartsTheLowerCasedName) {
  EXPECT_EQ(Load(), Texts{});
  // A test game writes these styles into Soldat's settings.
  Texts builtIn;
  for (const auto& filter : state.filters) builtIn.push_back(Describe(filter));
  EXPECT_EQ(builtIn, (Texts{u"DeathMatch ( |0|dm_", u"Capture The Flag ( |3|ctf_",
                            u"Team DeathMatch ( |4|tdm_", u"Infiltration ( |5|inf_",
                            u"Hold The Flag ( |6|htf_"}));
  const std::pair<std::u16string, std::uint32_t> rows[] = {
      {u"ctf_Ash.PMS", 1},
      {u"CTF_Ash.PMS", 1},
      {u"Ash.PMS", 0},
      {u"tdm_Ash.PMS", 2},
      {u"INF_Moon", 3},
      {u"htf_Void.PMS", 4},
      {u"", 0},
      {u"ctf", 0},
      {u"CTF_" + std::u16string(1000, u'X'), 1}};
  for (const auto& [name, filter] : rows) EXPECT_EQ(Find(name), filter) << name.size();
  EXPECT_EQ(FindGameModeFilter(AppState{}, u"ctf_Ash.PMS"), 0u);
}

TEST_F(Filters, UserLinesFollowLastLineFirstAndInvalidOnesAreSkipped) {
  const auto file = [&](const std::vector<std::uint8_t>& bytes) {
    fixtures::WriteBytes(dir.file(u"filters.txt"), bytes);
  };
  file(Utf16File({u"A ( %1%kz_", u"B ( %2%kz_%climb_"}));
  EXPECT_EQ(Load(), (Texts{u"B ( |2|kz_,climb_", u"A ( |1|kz_"}));
  EXPECT_EQ(Find(u"kz_Tower.PMS"), 6u);  // both match: the earlier line of the file wins
  EXPECT_EQ(Find(u"climb_Tower.PMS"), 5u);

  file(Utf16File({u"My flags ( %3%ctf_", u"Climb ( %1%KZ_"}));
  EXPECT_EQ(Load().size(), 2u);
  EXPECT_EQ(Find(u"ctf_Ash.PMS"), 6u);   // taken from the built-in filter
  EXPECT_EQ(Find(u"KZ_Tower.PMS"), 0u);  // a capital prefix never matches

  fixtures::WriteText(dir.file(u"filters.txt"),
                      "Climb ( %1%\r\nbroken\r\n\r\nClimb ( %1%kz_\r\n%1%x_\r\nRun ( %2%run_");
  EXPECT_EQ(Load(), (Texts{u"Run ( |2|run_", u"Climb ( |1|kz_"}));

  // A line too long for the file reader ends the file.
  file(Utf16File({u"A ( %1%a_", u"B ( %2%b_" + std::u16string(253, u'b'), u"C ( %3%c_"}));
  EXPECT_EQ(Load(), (Texts{u"A ( |1|a_"}));
  // 261 characters pass the reader; the parser then sees no end.
  file(Utf16File({u"Climb ( %1%" + std::u16string(250, u'k'),
                  u"Climb ( %1%kz_%" + std::u16string(246, u'k')}));
  EXPECT_EQ(Load(), (Texts{u"Climb ( |1|kz_"}));
}

TEST_F(Filters, TableStopsAt255KeepingTheEarliestUserLines) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "U" + std::to_string(i) + " ( %1%u" + std::to_string(i) + "_\r\n";
  fixtures::WriteText(dir.file(u"filters.txt"), text);
  const Texts user = Load();
  ASSERT_EQ(user.size(), kMaxGameModeFilters - 5);
  EXPECT_EQ(user.front(), u"U249 ( |1|u249_");
  EXPECT_EQ(user.back(), u"U0 ( |1|u0_");
  for (const auto& [name, filter] :
       {std::pair{u"u0_map", 254u}, {u"u249_map", 5u}, {u"u250_map", 0u}, {u"ctf_map", 1u}})
    EXPECT_EQ(Find(name), filter);
}

TEST_F(Filters, BuiltInTextMustHoldFiveValidLines) {
  state.filters.push_back({u"stale", u"0", {u"x"}});
  const std::u16string_view a = u"A ( %0%a_", b = u"B ( %1%b_", c = u"C ( %2%c_", d = u"D ( %3%d_";
  EXPECT_FALSE(LoadGameModeFilters(state, Utf16File({a, b, c, d})));
  EXPECT_TRUE(state.filters.empty());
  EXPECT_FALSE(LoadGameModeFilters(state, Utf16File({a, b, c, d, u"E ( %4%"})));
  EXPECT_FALSE(LoadGameModeFilters(state, {}));
  // A sixth built-in line is fine; the user's file still follows.
  fixtures::WriteBytes(dir.file(u"filters.txt"), Utf16File({u"U ( %1%a_"}));
  ASSERT_TRUE(LoadGameModeFilters(state, Utf16File({a, b, c, d, u"E ( %4%e_", u"F ( %5%f_"})));
  ASSERT_EQ(state.filters.size(), 7u);
  EXPECT_EQ(Find(u"a_map"), 6u);
}

}  // namespace
