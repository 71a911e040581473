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
  void UserFile(std::initializer_list<std::u16string_view> lines) {
    fixtures::WriteBytes(dir.file(u"filters.txt"), Utf16File(lines));
  }
  std::uint32_t Find(std::u16string_view name) const { return FindGameModeFilter(state, name); }

  testsupport::TempDir dir;
  AppState state;
};

TEST(FilterLine, ParsesLabelStyleAndPrefixesAndRejectsEmptyFields) {
  // Only the digit field's first character counts, outside 0..6 as 0; a control ends the line.
  const std::pair<std::u16string, std::u16string> rows[] = {
      {u"Climb ( %1%kz_%climb_", u"Climb ( |1|kz_,climb_"},
      {u"C%12%kz_", u"C|1|kz_"},
      {u"C%7%kz_", u"C|0|kz_"},
      {u"C%1%kz_\tmore%climb_", u"C|1|kz_"},
      {u"C%1%kz %x", u"C|1|kz ,x"},
      {u"C%1%" + std::u16string(256, u'k'), u"C|1|" + std::u16string(256, u'k')}};
  for (const auto& [line, expected] : rows)
    EXPECT_EQ(Describe(ParseFilterLine(line)), expected) << testing::PrintToString(line);
  for (const std::u16string_view line :
       {u"C%1%", u"%1%kz_", u"C%%kz_", u"C%1%kz_%", u"C%1%kz_%%x", u"", u"a%1"})
    EXPECT_FALSE(ParseFilterLine(line)) << testing::PrintToString(line);
}

TEST_F(Filters, BuiltInTableFindsTheLastFilterWhosePrefixStartsTheLowerCasedName) {
  EXPECT_EQ(Load(), Texts{});
  Texts builtIn;
  for (const auto& filter : state.filters) builtIn.push_back(Describe(filter));
  EXPECT_EQ(builtIn, (Texts{u"DeathMatch ( |0|dm_", u"Capture The Flag ( |3|ctf_",
                            u"Team DeathMatch ( |4|tdm_", u"Infiltration ( |5|inf_",
                            u"Hold The Flag ( |6|htf_"}));
  EXPECT_EQ(Find(u"CTF_Ash.PMS"), 1u);
  EXPECT_EQ(Find(u"htf_Void.PMS"), 4u);
  EXPECT_EQ(Find(u"Ash.PMS"), 0u);
  EXPECT_EQ(FindGameModeFilter(AppState{}, u"ctf_Ash.PMS"), 0u);
}

TEST_F(Filters, UserLinesFollowLastLineFirstAndInvalidOnesAreSkipped) {
  UserFile({u"A ( %1%kz_", u"B ( %2%kz_%climb_", u"broken", u"Mine ( %3%ctf_", u"Caps ( %1%QZ_"});
  EXPECT_EQ(Load(),
            (Texts{u"Caps ( |1|QZ_", u"Mine ( |3|ctf_", u"B ( |2|kz_,climb_", u"A ( |1|kz_"}));
  EXPECT_EQ(Find(u"kz_Tower.PMS"), 8u);  // both match: the earlier line of the file wins
  EXPECT_EQ(Find(u"climb_Tower.PMS"), 7u);
  EXPECT_EQ(Find(u"ctf_Ash.PMS"), 6u);   // taken from the built-in filter
  EXPECT_EQ(Find(u"QZ_Tower.PMS"), 0u);  // a capital prefix never matches

  // 261 characters pass the reader, the parser drops what follows the last '%' of a line
  // without end; a longer line ends the file.
  UserFile({u"Climb ( %1%kz_%" + std::u16string(246, u'k'),
            u"B ( %2%b_" + std::u16string(253, u'b'), u"C ( %3%c_"});
  EXPECT_EQ(Load(), (Texts{u"Climb ( |1|kz_"}));
}

TEST_F(Filters, TableStopsAt255KeepingTheEarliestUserLines) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "U" + std::to_string(i) + " ( %1%u" + std::to_string(i) + "_\r\n";
  fixtures::WriteText(dir.file(u"filters.txt"), text);
  const Texts user = Load();
  ASSERT_EQ(user.size(), kMaxGameModeFilters - 5);
  for (const auto& [name, filter] :
       {std::pair{u"u0_map", 254u}, {u"u249_map", 5u}, {u"u250_map", 0u}})
    EXPECT_EQ(Find(name), filter);
}

TEST_F(Filters, BuiltInTextMustHoldFiveValidLines) {
  state.filters.push_back({u"stale", u"0", {u"x"}});
  const std::u16string_view a = u"A ( %0%a_", b = u"B ( %1%b_", c = u"C ( %2%c_", d = u"D ( %3%d_";
  EXPECT_FALSE(LoadGameModeFilters(state, Utf16File({a, b, c, d})));
  EXPECT_TRUE(state.filters.empty());
  EXPECT_FALSE(LoadGameModeFilters(state, Utf16File({a, b, c, d, u"E ( %4%"})));
}

}  // namespace
