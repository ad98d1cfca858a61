#include "matchdays/matchday_file.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// Five blanks, the date "00/00/00" and 520 blanks.
const std::string kEmptyRecord = Blanks(5) + "00/00/00" + Blanks(520);

// Matchday 7 laid out by hand: head, 28 names of 15, 30 reserved, the winning
// column, one reserved, five prizes of 11.
std::string Matchday7Bytes() {
  std::string names;
  for (int k = 1; k <= 28; ++k) {
    const std::string name = "Equipo " + std::to_string(k);
    names += name + Blanks(15 - name.size());
  }
  names.replace(0, 15, "Real Madrid    ");
  names.replace(15, 15, "Deportivo La Co");  // cut at 15
  names.replace(27 * 15, 15, "At\xE9tico Osasuna");  // Windows-1252 é, exactly 15
  return "Jor07" "14/09/02" + names + Blanks(30) + "12301230123012" + " " + "  1234567.5" + "      20000" +
         "      150.2" + "         30" + "          0";
}

TEST(MatchdayFile, TheSettersPlaceEveryFieldAtItsPositions) {
  std::string record;
  SetMatchdayHead(record, 7, "14/09/02");
  for (int k = 1; k <= 28; ++k) SetTeamName(record, k, "Equipo " + std::to_string(k));
  SetTeamName(record, 1, "Real Madrid");
  SetTeamName(record, 2, "Deportivo La Coru\xF1" "a");
  SetTeamName(record, 28, " At\xE9tico Osasuna ");
  SetWinningColumnDigits(record, "12301230123012");
  for (const auto& [category, prize] : {std::pair{1, "1234567.5"}, {2, " 20000 "}, {3, "150.2"}, {4, "30"}, {5, "0"}})
    SetPrizeText(record, category, prize);
  EXPECT_EQ(record, Matchday7Bytes());
}

TEST(MatchdayFile, AMissingFileIsCreatedEmptyAndAWriteFillsTheGapWithBlanks) {
  TestState t;
  t.app.currentMatchday = 3;
  t.app.currentMatchdayDate = "01/09/02";
  ReadMatchday(t.app);
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), "");
  EXPECT_TRUE(t.folder.Exists("JORNADAS.VTR"));
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  SetMatchdayHead(t.app.matchdayRecord, 3, "22/09/02");
  SetTeamName(t.app.matchdayRecord, 1, "  Betis  ");
  WriteMatchday(t.app);
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), Blanks(1066) + "Jor03" "22/09/02" "Betis" + Blanks(515));
  t.app.currentMatchday = 2;
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);

  // A record counts only under its own marker, in any letter case.
  ASSERT_EQ(WriteMatchdayRecord(t.app, 2, Matchday7Bytes()), 0);
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  std::string lower = Matchday7Bytes();
  lower.replace(0, 5, "jOR02");
  ASSERT_EQ(WriteMatchdayRecord(t.app, 2, lower), 0);
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, lower);
  EXPECT_EQ(t.app.currentMatchdayDate, "14/09/02");
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(MatchdayFile, AWriteTouchesOnlyItsRecordEvenInAFileWithATornEnd) {
  TestState t;
  std::string second = Matchday7Bytes();
  second.replace(0, 5, "Jor02");
  // Record 1 of blanks, then 300 bytes of record 2: not a multiple of 533.
  const std::string torn = Blanks(533) + second.substr(0, 300);
  t.folder.Write("JORNADAS.VTR", torn);
  t.app.currentMatchday = 2;
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, second.substr(0, 300) + Blanks(233));  // what is there, padded

  t.app.currentMatchday = 1;
  ReadMatchday(t.app);
  SetMatchdayHead(t.app.matchdayRecord, 1, "01/09/02");
  WriteMatchday(t.app);
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), "Jor0101/09/02" + torn.substr(13));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(MatchdayFile, AFailedReadEmptiesTheBufferUnlessItHoldsThisMatchday) {
  TestState t;
  t.app.dataFolder = t.folder.File("gone");
  t.app.currentMatchday = 4;
  t.app.matchdayRecord = Matchday7Bytes();
  ReadMatchday(t.app);
  EXPECT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  t.app.currentMatchday = 7;
  t.app.matchdayRecord = Matchday7Bytes();
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, Matchday7Bytes());
  EXPECT_EQ(t.app.currentMatchdayDate, "14/09/02");
}

TEST(MatchdayFile, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  TestState t;
  t.folder.Write("JORNADAS.VTR", Matchday7Bytes());
  t.app.currentMatchday = 9;
  t.app.matchdayRecord = Matchday7Bytes();
  SetMatchdayHead(t.app.matchdayRecord, 9, "28/09/02");
  FileFaultsForTesting().bytesBeforeDiskFull = 1000;  // record 9 needs blank records 2 to 8 first
  WriteMatchday(t.app);
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, std::vector<std::string>{"EJO ERROR 61"});
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), Matchday7Bytes());
}

}  // namespace
}  // namespace vetra
