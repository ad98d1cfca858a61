// The rules of the matchday editor and the team list that need no screen:
// the date of a matchday and the order of the team names.
#include <gtest/gtest.h>

#include "app/cp1252.h"
#include "matchdays/matchday_date.h"
#include "matchdays/team_names.h"

namespace vetra {
namespace {

using Names = std::vector<std::string>;

TEST(MatchdayDate, TheDateMustExistWithTheYearsCentury) {
  EXPECT_TRUE(IsValidMatchdayDate("05", "03", "03"));
  EXPECT_FALSE(IsValidMatchdayDate("31", "04", "05"));
  EXPECT_FALSE(IsValidMatchdayDate("01", "13", "05"));
  EXPECT_FALSE(IsValidMatchdayDate("00", "00", "00"));  // an unsaved matchday
  EXPECT_FALSE(IsValidMatchdayDate("29", "02", "03"));
  EXPECT_TRUE(IsValidMatchdayDate("29", "02", "00"));   // 2000
  EXPECT_FALSE(IsValidMatchdayDate("29", "02", "30"));  // 1930
  EXPECT_TRUE(IsValidMatchdayDate("29", "02", "96"));   // 1996
  EXPECT_FALSE(IsValidMatchdayDate("", "03", "03"));
  EXPECT_FALSE(IsValidMatchdayDate("-1", "03", "03"));
}

Names Cp1252(const Names& utf8) {
  Names names;
  for (const std::string& name : utf8) names.push_back(Utf8ToCp1252(name));
  return names;
}

TEST(TeamNames, SortedAsInADictionaryAndInsertedAfterEqualNames) {
  Names names = Cp1252({"Zaragoza", "Osasuna", "Ñandú", "Numancia", "Mallorca", "Málaga", "Ávila", "Albacete",
                        "alavés", "Real Madrid", "Real", "At. Madrid", "Atlético", "betis", "Betis"});
  SortTeamNames(names);
  EXPECT_EQ(names, Cp1252({"alavés", "Albacete", "At. Madrid", "Atlético", "Ávila", "Betis", "betis", "Málaga",
                           "Mallorca", "Numancia", "Ñandú", "Osasuna", "Real", "Real Madrid", "Zaragoza"}));
  names = {"Betis", "Celta", "Sevilla"};
  EXPECT_EQ(InsertTeamName(names, "Osasuna"), 2u);
  EXPECT_EQ(InsertTeamName(names, "Celta"), 2u);  // after the one already there
  EXPECT_EQ(names, (Names{"Betis", "Celta", "Celta", "Osasuna", "Sevilla"}));
}

}  // namespace
}  // namespace vetra
