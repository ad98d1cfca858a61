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

// A filled record of matchday 7.
std::string Matchday7Bytes() { return "Jor07" "14/09/02" + std::string(520, 'A'); }

TEST(MatchdayFile, AMissingFileIsCreatedEmptyAndARecordCountsUnderItsOwnMarker) {
  TestState t;
  t.app.currentMatchday = 3;
  t.app.currentMatchdayDate = "01/09/02";
  ReadMatchday(t.app);
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), "");
  EXPECT_TRUE(t.folder.Exists("JORNADAS.VTR"));
  EXPECT_EQ(t.app.matchdayRecord, kEmptyRecord);
  EXPECT_EQ(t.app.currentMatchdayDate, "00/00/00");

  // A record counts only under its own marker, in any letter case.
  t.app.currentMatchday = 2;
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
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_TRUE(t.reporter.messages[0].starts_with("EJO ERROR 61: Disco lleno"));
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), Matchday7Bytes());
}

}  // namespace
}  // namespace vetra
