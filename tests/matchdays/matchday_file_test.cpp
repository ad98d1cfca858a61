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

TEST(MatchdayFile, NewFileMatchdayThreeIs1599BytesAndLeavesTheFirstTwoEmpty) {
  TestState t;
  t.folder.Write("JORNADAS.VTR", "");
  t.app.currentMatchday = 3;
  t.app.currentMatchdayDate = "01/09/02";
  ReadMatchday(t.app);
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  SetMatchdayHead(t.app.matchdayRecord, 3, "22/09/02");
  SetTeamName(t.app.matchdayRecord, 1, "  Betis  ");
  WriteMatchday(t.app);
  EXPECT_EQ(t.app.lastFileError, 0);
  const std::string file = t.folder.Read("JORNADAS.VTR");
  ASSERT_EQ(file.size(), 1599u);
  EXPECT_EQ(file.substr(0, 1066), Blanks(1066));  // the gap is two blank records
  EXPECT_EQ(file.substr(1066), "Jor03" "22/09/02" "Betis" + Blanks(10) + Blanks(505));

  for (int matchday : {1, 2}) {
    t.app.currentMatchday = static_cast<std::int16_t>(matchday);
    ReadMatchday(t.app);
    EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord) << matchday;
  }
  t.app.currentMatchday = 3;
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.currentMatchdayDate, "22/09/02");
  EXPECT_EQ(TeamName(t.app.matchdayRecord, 1), "Betis" + Blanks(10));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(MatchdayFile, AMissingFileIsCreatedEmptyByTheRead) {
  TestState t;
  t.app.currentMatchday = 1;
  ReadMatchday(t.app);
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_TRUE(t.folder.Exists("JORNADAS.VTR"));
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), "");
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
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
  EXPECT_EQ(MatchdayDate(record), "14/09/02");
  EXPECT_EQ(TeamName(record, 2), "Deportivo La Co");
  EXPECT_EQ(WinningColumnDigits(record), "12301230123012");
  EXPECT_EQ(PrizeText(record, 3), "      150.2");
  EXPECT_EQ(PrizeText(record, 5), "          0");
}

TEST(MatchdayFile, RecordSevenReadsBackWholeButNotAsRecordEight) {
  TestState t;
  t.app.currentMatchday = 7;
  t.app.matchdayRecord = Matchday7Bytes();
  WriteMatchday(t.app);
  ASSERT_EQ(t.folder.Read("JORNADAS.VTR").size(), 7u * 533);

  t.app.matchdayRecord.clear();
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, Matchday7Bytes());
  EXPECT_EQ(t.app.currentMatchdayDate, "14/09/02");

  ASSERT_EQ(WriteMatchdayRecord(t.app, 8, Matchday7Bytes()), 0);
  t.app.currentMatchday = 8;
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  // The marker's letter case does not matter.
  std::string lower = Matchday7Bytes();
  lower.replace(0, 5, "jOR08");
  ASSERT_EQ(WriteMatchdayRecord(t.app, 8, lower), 0);
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, lower);
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
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.matchdayRecord, second.substr(0, 300) + Blanks(233));  // what is there, padded
  t.app.currentMatchday = 3;
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);

  t.app.currentMatchday = 1;
  ReadMatchday(t.app);
  SetMatchdayHead(t.app.matchdayRecord, 1, "01/09/02");
  WriteMatchday(t.app);
  const std::string file = t.folder.Read("JORNADAS.VTR");
  EXPECT_EQ(file.substr(0, 13), "Jor0101/09/02");
  EXPECT_EQ(file.substr(13), torn.substr(13));  // the rest as it was, torn end included
}

TEST(MatchdayFile, EachWriterKeepsTheOthersPositions) {
  TestState t;
  t.app.currentMatchday = 7;
  t.app.matchdayRecord = Matchday7Bytes();
  WriteMatchday(t.app);

  // The scrutiny stores its results into the record it has just read.
  ReadMatchday(t.app);
  SetMatchdayHead(t.app.matchdayRecord, 7, t.app.currentMatchdayDate);
  SetWinningColumnDigits(t.app.matchdayRecord, "11111111111111");
  SetPrizeText(t.app.matchdayRecord, 1, "99");
  WriteMatchday(t.app);

  ReadMatchday(t.app);
  std::string expected = Matchday7Bytes();
  expected.replace(463, 14, "11111111111111");
  expected.replace(478, 11, Blanks(9) + "99");
  EXPECT_EQ(t.app.matchdayRecord, expected);
}

TEST(MatchdayFile, ReadErrorsAreReportedAndLeaveAnEmptyMatchday) {
  TestState t;
  t.app.dataFolder = t.folder.File("gone");
  t.app.currentMatchday = 4;
  t.app.matchdayRecord = Matchday7Bytes();  // another matchday's record
  ReadMatchday(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "LJO ERROR 76: No existe el fichero de jornadas JORNADAS.VTR");
  EXPECT_EQ(t.app.lastFileError, 76);
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  // A buffer that already holds this matchday's record keeps it.
  t.app.currentMatchday = 7;
  t.app.matchdayRecord = Matchday7Bytes();
  ReadMatchday(t.app);
  EXPECT_EQ(t.app.lastFileError, 76);
  EXPECT_EQ(t.app.matchdayRecord, Matchday7Bytes());
  EXPECT_EQ(t.app.currentMatchdayDate, "14/09/02");

  // A file that is a folder cannot be read as records.
  t.app.dataFolder = t.folder.Path();
  t.folder.Write("JORNADAS.VTR/x", "");
  t.reporter.messages.clear();
  ReadMatchday(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "LJO ERROR 75");
}

TEST(MatchdayFile, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  TestState t;
  t.app.currentMatchday = 7;
  t.app.matchdayRecord = Matchday7Bytes();
  WriteMatchday(t.app);
  const std::string before = t.folder.Read("JORNADAS.VTR");

  t.app.currentMatchday = 9;
  SetMatchdayHead(t.app.matchdayRecord, 9, "28/09/02");
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteMatchday(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "EJO ERROR 70");
  EXPECT_EQ(t.app.lastFileError, 70);
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), before);

  FileFaultsForTesting().bytesBeforeDiskFull = 1000;  // record 9 needs a blank record 8 first
  WriteMatchday(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.reporter.messages[1], "EJO ERROR 61");
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), before);

  t.app.dataFolder = t.folder.File("gone");
  WriteMatchday(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 3u);
  EXPECT_EQ(t.reporter.messages[2], "EJO ERROR 76: No existe la carpeta del fichero de jornadas JORNADAS.VTR");
}

}  // namespace
}  // namespace vetra
